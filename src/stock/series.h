#pragma once
// A series (形式): one kind of train set, copied into the dia from a series
// file ("導入") together with the number of sets the dia owns. Units refer to
// series by record number.
#include <array>
#include <string>
#include <vector>

#include "base/record_table.h"

namespace vosk::stock {

// The table is fixed at records 1 .. 127; record 0 is a placeholder that is
// still written and read back like any other line of series.csv.
constexpr int kSeriesCapacity = 127;
// Every record read from a series file by this program carries this version.
constexpr int kSeriesVersion = 1220;

// Text field sizes in CP932 bytes, terminator excluded.
constexpr std::size_t kShortNameBytes = 20;
constexpr std::size_t kNameBytes = 255;

// Running-characteristics coefficients of a series file that lacks them;
// also given to old series.csv lines, which have no such columns.
constexpr double kDefaultInertia = 0.09;
constexpr std::array<double, 4> kDefaultRunningResistance{1.32, 0.0164, 0.028, 0.0078};
constexpr double kDefaultCurveResistance = 800.0;

// One row of an acceleration or curve-limit table. Acceleration keys are
// reals kept in 1/1024 units. A (0, 0) row ends a table and is never stored.
struct TableRow {
  int key = 0;
  int value = 0;
  friend bool operator==(const TableRow&, const TableRow&) = default;
};
using PerformanceTable = std::vector<TableRow>;

// Last-write time of a series file, local time, to the second.
struct FileTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const FileTime&, const FileTime&) = default;
};

// Indexes of Series::sounds, also the order of their sound.ini sections.
enum SeriesSound { kDoorOpen, kDoorClose, kAtc, kPoint, kRunning, kExternal, kSoundCount };

struct Series {
  int version = 0;
  int cars = 0;          // 両数
  int train_length = 0;  // metres
  int door_count = 0;
  int door_width = 0;
  int capacity = 0;   // persons
  int max_load = 0;   // percent
  int max_speed = 0;  // km/h
  // One 0/1 flag per electrification code 0..5 (non-electrified .. AC 25000 V).
  std::array<int, 6> electrification{};
  int gauge = 0;
  // Seconds: min, mid, max.
  std::array<int, 3> turnback_time{};
  std::array<int, 3> coupling_time{};
  std::array<int, 3> splitting_time{};
  // Accelerations in 1/1024 km/h/s (series files give 1/100 km/h/s).
  int acceleration = 0;
  std::array<int, 3> service_brake{};
  int atc_brake = 0;
  int emergency_brake = 0;
  int characteristics = 0;  // 走行特性: 1 = running-characteristics simulation
  // Row counts as the tables' sources gave them: complete lines of the table
  // file, or the series.csv column. A table file may hold a (0, 0) line, which
  // ends the table early, so these can exceed the stored rows.
  int acceleration_rows = 0;
  int curve_rows = 0;  // not in series.csv; taken from the member
  int train_mass = 0;
  int motors = 0;
  double inertia = 0.0;
  std::array<double, 4> running_resistance{};  // A, B, C, D
  double curve_resistance = 0.0;
  int owned = 0;  // train sets of this series the dia owns
  FileTime file_time;
  int running_sound_speed = 0;
  std::string short_name;                       // CP932, at most 20 bytes
  std::string name;                             // CP932, at most 255 bytes; so are the texts below
  std::string picture;                          // bitmap in the "image" folder
  std::string icon;                             // bitmap in the "image16" folder
  std::array<std::string, kSoundCount> sounds;  // WAV files, kept in sound.ini
  int used = 0;  // units of the dia using the series; derived, not stored
  PerformanceTable acceleration_table;
  PerformanceTable curve_table;
};

using SeriesTable = RecordTable<Series>;

// An empty series table: record 0 only, capacity 127.
inline void reset_series(SeriesTable& table) { table.allocate(kSeriesCapacity); }

}  // namespace vosk::stock
