#pragma once
// Target: a stopping place (a station's platforms, or a stopping section
// outside stations), and its member target.csv.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::map {

inline constexpr int kDefaultTargetCapacity = 255;
inline constexpr int kDisplayTargetCount = 10;

// Which times timetables show at a stopping place.
enum TimeDisplay : int {
  kDeparturesBothWays = 0,     // 上下発時刻
  kArrivalsAndDepartures = 1,  // 発着時刻
  kDownArrivals = 2,           // 下り着時刻
  kUpArrivals = 3,             // 上り着時刻
};

// One platform track of a target (track_list.h).
struct TrackEntry {
  int rail_a = 0;
  int rail_b = 0;
  std::string short_label;  // "%d", the 1-based place in the list
  std::string long_label;   // "%02d番線", CP932
};

struct Target {
  int station = 0;  // 0 for a stopping section outside stations
  int scale = 0;    // copy of the station's scale, 0 outside stations
  int time_display = 0;
  int value_a = 0;  // kept and written back as read
  // Distance along each display target in units of 10 m, -1 = not on it.
  std::array<int, kDisplayTargetCount> distances{};
  std::string one_char_name;        // CP932, at most 20 bytes
  std::string short_name;           // CP932, at most 20 bytes
  std::string name;                 // CP932, at most 255 bytes
  bool show_track_numbers = false;  // 番線表示; not stored in target.csv
  std::vector<TrackEntry> tracks;   // derived (track_list.h)
};

void read_targets(std::string_view content, int version, RecordTable<Target>& table,
                  MemberWarnings& warnings);
// Records 0 .. extent; record 0 as a line of zeros and empty texts.
void write_targets(const RecordTable<Target>& table, csv::Writer& out);

}  // namespace vosk::map
