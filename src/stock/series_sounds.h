#pragma once
// The series' sounds in the dia's sound.ini member. Six sections, one per
// sound, in SeriesSound order ("[ドア開]", "[ドア閉]", "[ＡＴＣ]", "[ポイント]",
// "[走行音]", "[ＢＶＥ]"), each holding a key "series_%d" per series. The
// member as a whole, with its section headers, the door defaults "open" and
// "close" and the empty lines, belongs to the dia's sound member.
#include "base/csv.h"
#include "base/ini.h"
#include "stock/series.h"

namespace vosk::stock {

// The per-series sounds are looked up from this data version on.
constexpr int kSeriesSoundsVersion = 1010;

// Sets the six sounds of series 1 .. extent from the member (empty when
// absent, at most 255 bytes). Older data versions keep no series sounds: the
// sounds are emptied.
void load_series_sounds(const ini::Document& sound_ini, int version, SeriesTable& table);

// The lines of one section (`sound` is a SeriesSound): "series_%d=%s\n" for
// series 1 .. extent. They follow the section header, and in the two door
// sections the "open=" or "close=" line; the empty line after them is the
// member's.
void write_series_sound_lines(const SeriesTable& table, int sound, csv::Writer& out);

}  // namespace vosk::stock
