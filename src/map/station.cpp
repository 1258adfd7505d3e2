#include "map/station.h"

#include "map/member_columns.h"

namespace vosk::map {
namespace {

// station.csv after the record number; the texts follow.
// clang-format off
constexpr IntColumn<Station> kColumns[] = {
    {&Station::distance, "%4d,"},
    {&Station::value_b, "%2d,"},
    {&Station::scale, "%2d,"},
    {&Station::melody_time, "%2d,"},
    {&Station::door_close_min, "%2d,"},
    {&Station::door_close_mid, "%2d,"},
    {&Station::door_close_max, "%2d,"},
    {&Station::value_c, "%4d,", 1030},
    {&Station::value_d, "%4d,", 1030},
};
// clang-format on

}  // namespace

void read_stations(std::string_view content, int version, RecordTable<Station>& table,
                   MemberWarnings& warnings) {
  read_numbered_lines(content, table, warnings,
                      [&](const csv::Line& line, Station& station, std::size_t at) {
                        std::size_t k = read_columns(line, 1, version, kColumns, station);
                        read_three_names(line, k, version, at, warnings, station);
                      });
}

void write_stations(const RecordTable<Station>& table, csv::Writer& out) {
  const Station placeholder{};
  for (int n = 0; n <= table.extent(); ++n) {
    const Station& station = n == 0 ? placeholder : table[n];
    out.printf("%2d,", n);
    write_columns(out, station, kColumns);
    out.printf("%s,", station.one_char_name.c_str());
    out.printf("%s,", station.short_name.c_str());
    out.printf("%s\n", station.name.c_str());
  }
}

void copy_station_distances(int version, const RecordTable<Station>& stations,
                            RecordTable<Target>& targets) {
  if (version < 1000 || version > 1009) return;
  for (int t = 1; t <= targets.extent(); ++t) {
    Target& target = targets[t];
    if (!stations.names_record(target.station)) continue;
    target.distances.fill(stations[target.station].distance);
  }
}

void load_station_melodies(const ini::Document& sound_ini, RecordTable<Station>& table) {
  for (int n = 1; n <= table.extent(); ++n) {
    Station& station = table[n];
    station.melody_file = sound_ini.get_string(kMelodySection, station.short_name,
                                               kDefaultMelodyFile, kLongTextBytes);
  }
}

void write_station_melodies(const RecordTable<Station>& table, csv::Writer& out) {
  for (int n = 1; n <= table.extent(); ++n) {
    out.printf("%s=%s\n", table[n].short_name.c_str(), table[n].melody_file.c_str());
  }
}

}  // namespace vosk::map
