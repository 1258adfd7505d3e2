#include "map/rail.h"

#include "map/member_columns.h"

namespace vosk::map {
namespace {

// Before 1060 rails had no yard of their own and every rail a signal: the
// yard defaults to the stopping place, the signal to 1.
constexpr int kYardAndSignalSince = 1060;

// rail.csv after the record number; the two texts follow.
// clang-format off
constexpr IntColumn<Rail> kColumns[] = {
    {&Rail::station, "%3d,"},
    {&Rail::target, "%3d,"},
    {&Rail::area, "%3d,", kYardAndSignalSince},
    {&Rail::signal, "%2d,", kYardAndSignalSince},
    {&Rail::route_lever, "%3d,", 1130},
    {&Rail::route_button, "%3d,", 1130},
    {&Rail::normal_route_lever, "%3d,", 1130},
    {&Rail::speed_limit, "%3d,"},
    {&Rail::length, "%4d,"},
    {&Rail::l_next, "%4d,"},
    {&Rail::l_back, "%4d,"},
    {&Rail::l_dual, "%4d,"},
    {&Rail::l_pack, "%4d,"},
    {&Rail::stop_distance, "%4d,"},
    {&Rail::gradient, "%2d,", 1150},
    {&Rail::radius, "%4d,", 1150},
    {&Rail::occupant, "%3d,"},
    {&Rail::row, "%2d,"},
    {&Rail::row_pos_x_next, "%4d,"},
    {&Rail::row_pos_x_back, "%4d,"},
    {&Rail::row_pos_y_next, "%4d,"},
    {&Rail::row_pos_y_back, "%4d,"},
};
// clang-format on

// Files older than 1010 have a layout of their own, without target, area,
// signal or row; the third column carries nothing we keep.
constexpr int kOldLayoutBefore = 1010;
// clang-format off
constexpr IntColumn<Rail> kOldColumns[] = {
    {&Rail::station, ""},
    {nullptr, ""},
    {&Rail::speed_limit, ""},
    {&Rail::length, ""},
    {&Rail::l_next, ""},
    {&Rail::l_back, ""},
    {&Rail::l_dual, ""},
    {&Rail::l_pack, ""},
    {&Rail::stop_distance, ""},
    {&Rail::occupant, ""},
    {&Rail::row_pos_x_next, ""},
    {&Rail::row_pos_x_back, ""},
    {&Rail::row_pos_y_next, ""},
    {&Rail::row_pos_y_back, ""},
};
// clang-format on

// Before 1130 the display rows of leftward rails sat two units lower.
constexpr int kRowShiftBefore = 1130;
constexpr int kLeftwardRowShift = 2;

}  // namespace

int rail_direction(const Rail& rail) { return rail.row_pos_x_next >= rail.row_pos_x_back ? 2 : 1; }

void read_rails(std::string_view content, int version, RecordTable<Rail>& table,
                MemberWarnings& warnings) {
  read_numbered_lines(content, table, warnings,
                      [&](const csv::Line& line, Rail& rail, std::size_t at) {
                        std::size_t k = 1;
                        if (version < kOldLayoutBefore) {
                          k = read_columns(line, k, version, kOldColumns, rail);
                        } else {
                          k = read_columns(line, k, version, kColumns, rail);
                        }
                        if (version < kYardAndSignalSince) {
                          rail.area = rail.target;
                          rail.signal = 1;
                        }
                        rail.short_name = read_text(line, k, kShortTextBytes, at, warnings);
                        rail.name = read_text(line, k + 1, kLongTextBytes, at, warnings);
                        rail.direction = rail_direction(rail);
                        if (version < kRowShiftBefore && rail.direction == 1) {
                          rail.row_pos_y_next -= kLeftwardRowShift;
                          rail.row_pos_y_back -= kLeftwardRowShift;
                        }
                      });
}

void write_rails(const RecordTable<Rail>& table, csv::Writer& out) {
  const Rail placeholder{};
  for (int n = 0; n <= table.extent(); ++n) {
    const Rail& rail = n == 0 ? placeholder : table[n];
    out.printf("%3d,", n);
    write_columns(out, rail, kColumns);
    out.printf("%s,", rail.short_name.c_str());
    out.printf("%s\n", rail.name.c_str());
  }
}

}  // namespace vosk::map
