#pragma once
// Point: up to 20 rails whose links and usability change with the point's
// position (up to 20 positions), and its members point1.csv and point2.csv.
#include <array>
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::map {

inline constexpr int kDefaultPointCapacity = 255;
inline constexpr int kPointMaxRails = 20;
inline constexpr int kPointMaxPositions = 20;

// Control modes of a point.
enum PointMode : int {
  kPointManual = 0,        // 手動制御
  kPointRestore = 1,       // 復位制御
  kPointRequest = 2,       // 要求制御
  kPointNotification = 3,  // 通知制御
  kPointSequence = 4,      // 順序制御
  kPointCombined = 5,      // 併用制御
};

struct Point {
  using PerPosition = std::array<std::array<int, kPointMaxPositions>, kPointMaxRails>;

  std::array<int, kPointMaxRails> rails{};  // the first rail_count are used
  PerPosition open{};                       // open[i][s]: rail i usable in position s
  PerPosition next{};                       // next[i][s]: l_next of rail i in position s
  PerPosition back{};                       // back[i][s]: l_back of rail i in position s
  int position = 0;
  int position_count = 0;   // 0 .. kPointMaxPositions
  int rail_count = 0;       // 0 .. kPointMaxRails
  int active_mode = 0;      // mode in force (PointMode)
  int configured_mode = 0;  // the user's mode, kept while a control is released
  int normal_position = 0;  // 定位
  int symbol_row = 0;
  int symbol_x = 0;
  int symbol_y = 0;
  int failed = 0;   // out of order (state, 0 at load)
  std::string key;  // ポイントキー, CP932, at most 20 bytes
};

// point1.csv: everything but the rails. Counts above 20 (or below 0) are
// limited and reported, so point2.csv never indexes past the arrays.
void read_point1(std::string_view content, int version, RecordTable<Point>& table,
                 MemberWarnings& warnings);
// point2.csv: the rails and their per-position values, laid out by the rail
// and position counts of point1.csv, which must be read first. Lines for
// points point1.csv does not have are not stored.
void read_point2(std::string_view content, int version, RecordTable<Point>& table,
                 MemberWarnings& warnings);
// Records 1 .. extent.
void write_point1(const RecordTable<Point>& table, csv::Writer& out);
void write_point2(const RecordTable<Point>& table, csv::Writer& out);

}  // namespace vosk::map
