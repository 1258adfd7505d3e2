#pragma once
// Row: one display row of the track panel, and row.csv.
#include <algorithm>
#include <climits>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::map {

inline int saturated_sum(long long a, long long b, long long c) {
  return static_cast<int>(
      std::clamp(a + b + c, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}

// An item at (x, y) in a row is drawn at (x origin + x shift + x,
// y origin + y shift + y).
struct Row {
  int x_origin = 0;
  int y_origin = 0;
  int x_shift = 0;
  int y_shift = 0;

  // Saturated, so that positions read from a damaged file cannot overflow.
  int panel_x(int x) const { return saturated_sum(x_origin, x_shift, x); }
  int panel_y(int y) const { return saturated_sum(y_origin, y_shift, y); }
};

inline constexpr int kDefaultRowCapacity = 63;  // [StructSize] Row
inline constexpr int kRowMemberSince = 1010;    // older data sets have no rows

// Records 0 .. capacity (record 0 is read like the others). Below data
// version 1010 the member does not exist and nothing is read.
void read_row(std::string_view content, int version, RecordTable<Row>& table,
              MemberWarnings& warnings);
// Records 0 .. extent.
void write_row(const RecordTable<Row>& table, csv::Writer& out);

}  // namespace vosk::map
