#include "stock/series_sounds.h"

#include "base/format.h"
#include "stock/series_file_keys.h"

namespace vosk::stock {

void load_series_sounds(const ini::Document& sound_ini, int version, SeriesTable& table) {
  // The sound.ini sections share their names with the series-file sound keys.
  const auto& sections = series_file_keys().sounds;
  for (int n = 1; n <= table.extent(); ++n) {
    std::string key = format("series_%d", n);
    for (int i = 0; i < kSoundCount; ++i) {
      table[n].sounds[i] = version < kSeriesSoundsVersion
                               ? std::string()
                               : sound_ini.get_string(sections[i], key, "", kNameBytes);
    }
  }
}

void write_series_sound_lines(const SeriesTable& table, int sound, csv::Writer& out) {
  if (sound < 0 || sound >= kSoundCount) return;
  for (int n = 1; n <= table.extent(); ++n)
    out.printf("series_%d=%s\n", n, table[n].sounds[sound].c_str());
}

}  // namespace vosk::stock
