#pragma once
// The sound member sound.ini: departure melodies per station, the default
// door sounds and the sound files of every series. The melodies live in the
// station records (map) and the series sounds in the series records (stock);
// this member owns the file as a whole and the two door defaults.
//
// Layout written, every line ending "\n", every section followed by an empty
// line:
//   [発メロ]      the station lines ("%s=%s\n": short name, melody file)
//   [ドア開]      "open=%s\n", then the series lines ("series_%d=%s\n")
//   [ドア閉]      "close=%s\n", then the series lines
//   [ＡＴＣ] [ポイント] [走行音] [ＢＶＥ]   the series lines
#include <functional>
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/ini.h"
#include "base/load_warnings.h"

namespace vosk::dia {

// The six series sounds, in the order of their sections.
enum class SeriesSound { DoorOpen, DoorClose, Atc, Point, Running, Bve };

struct SoundMember {
  std::string door_open = "open.wav";    // [ドア開] open
  std::string door_close = "close.wav";  // [ドア閉] close
  // The member as read, for the station and series readers, which look up
  // their own keys in it (empty for a new dia).
  ini::Document document;
};

// Section names in CP932, for lookups in the document.
std::string melody_section();                         // "発メロ"
std::string series_sound_section(SeriesSound sound);  // "ドア開" … "ＢＶＥ"
// "series_%d": the key of series n in each series section.
std::string series_sound_key(int series);

// The parts other tables write into the member.
struct SoundParts {
  // The "[発メロ]" lines, "%s=%s\n" per station.
  std::function<void(csv::Writer&)> station_melodies;
  // The "series_%d=%s\n" lines of one series section.
  std::function<void(SeriesSound, csv::Writer&)> series_sounds;
  // Alternatively, a writer of the six series sections as a whole (headers,
  // door defaults, lines, empty lines); when set, it replaces them and
  // `series_sounds` is not called.
  std::function<void(csv::Writer&)> series_sections;
};

// Reads the door defaults (at most 255 bytes each) and keeps the document.
void read_sound(std::string_view content, int version, SoundMember& sound,
                MemberWarnings& warnings);
void write_sound(const SoundMember& sound, const SoundParts& parts, csv::Writer& out);

}  // namespace vosk::dia
