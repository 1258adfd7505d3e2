#include "map/point.h"

#include <algorithm>

#include "base/format.h"
#include "map/member_columns.h"

namespace vosk::map {
namespace {

// point1.csv after the record number; the key follows.
// clang-format off
constexpr IntColumn<Point> kColumns[] = {
    {&Point::position, "%2d,"},
    {&Point::position_count, "%2d,"},
    {&Point::rail_count, "%2d,"},
    {&Point::active_mode, "%1d,", 41},
    {&Point::normal_position, "%2d,", 41},
    {&Point::symbol_row, "%1d,", 1010},
    {&Point::symbol_x, "%4d,"},
    {&Point::symbol_y, "%3d,"},
};
// clang-format on

// Clamps a count read from the file to what the arrays hold; true when the
// file's value did not fit.
bool limit_count(int& count, int most) {
  int limited = std::clamp(count, 0, most);
  bool changed = limited != count;
  count = limited;
  return changed;
}

// True when a field at or after `k` holds more than blanks.
bool has_data_from(const csv::Line& line, std::size_t k) {
  for (; k < line.size(); ++k) {
    if (line.raw(k).find_first_not_of(' ') != std::string_view::npos) return true;
  }
  return false;
}

}  // namespace

void read_point1(std::string_view content, int version, RecordTable<Point>& table,
                 MemberWarnings& warnings) {
  read_numbered_lines(content, table, warnings,
                      [&](const csv::Line& line, Point& point, std::size_t at) {
                        std::size_t k = read_columns(line, 1, version, kColumns, point);
                        point.key = read_text(line, k, kShortTextBytes, at, warnings);
                        point.configured_mode = point.active_mode;
                        bool limited = limit_count(point.rail_count, kPointMaxRails);
                        limited = limit_count(point.position_count, kPointMaxPositions) || limited;
                        if (limited) {
                          warnings.warn(
                              format("'%s'の%zu行目のポイントのレール数または開通位置数が範囲外の"
                                     "ため、0から20の範囲に制限しました。\n",
                                     warnings.member().c_str(), at));
                        }
                      });
}

void read_point2(std::string_view content, int /*version*/, RecordTable<Point>& table,
                 MemberWarnings& warnings) {
  for_each_numbered_line(
      content, table, warnings, [&](const csv::Line& line, int number, std::size_t at) {
        std::size_t k = 1;
        if (table.names_record(number)) {
          Point& point = table[number];
          // Counts were limited to the array sizes when point1.csv was read.
          int rails = std::clamp(point.rail_count, 0, kPointMaxRails);
          int positions = std::clamp(point.position_count, 0, kPointMaxPositions);
          point.rails = {};
          point.open = {};
          point.next = {};
          point.back = {};
          for (int i = 0; i < rails; ++i) {
            point.rails[i] = line.integer(k++);
            for (int s = 0; s < positions; ++s) {
              point.open[i][s] = line.integer(k++);
              point.next[i][s] = line.integer(k++);
              point.back[i][s] = line.integer(k++);
            }
          }
        }
        if (has_data_from(line, k)) {
          warnings.warn(
              format("'%s'の%zu行目にはポイントのレール数と開通位置数を超えるデータがある"
                     "ため、超えた分を読み飛ばしました。\n",
                     warnings.member().c_str(), at));
        }
      });
}

void write_point1(const RecordTable<Point>& table, csv::Writer& out) {
  for (int n = 1; n <= table.extent(); ++n) {
    const Point& point = table[n];
    out.printf("%2d,", n);
    write_columns(out, point, kColumns);
    out.printf("%s,", point.key.c_str());
    out.printf("\n");
  }
}

void write_point2(const RecordTable<Point>& table, csv::Writer& out) {
  for (int n = 1; n <= table.extent(); ++n) {
    const Point& point = table[n];
    int rails = std::clamp(point.rail_count, 0, kPointMaxRails);
    int positions = std::clamp(point.position_count, 0, kPointMaxPositions);
    out.printf("%2d,", n);
    for (int i = 0; i < rails; ++i) {
      out.printf("%3d,", point.rails[i]);
      for (int s = 0; s < positions; ++s) {
        out.printf("%1d,", point.open[i][s]);
        out.printf("%4d,", point.next[i][s]);
        out.printf("%4d,", point.back[i][s]);
      }
    }
    out.printf("\n");
  }
}

}  // namespace vosk::map
