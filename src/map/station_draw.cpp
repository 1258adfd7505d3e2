#include "map/station_draw.h"

#include "map/column_member.h"

namespace vosk::map {
namespace {

// station_draw.csv after the record number; the line ends without a comma.
constexpr IntColumn<StationDraw> kColumns[] = {
    {&StationDraw::target, "%2d,"},  {&StationDraw::row, "%1d,"}, {&StationDraw::left_x, "%4d,"},
    {&StationDraw::right_x, "%4d,"}, {&StationDraw::y1, "%4d,"},  {&StationDraw::y2, "%4d"},
};

}  // namespace

void read_station_draw(std::string_view content, int version, RecordTable<StationDraw>& table,
                       MemberWarnings& warnings) {
  read_column_member(content, version, table, warnings, kColumns);
}

void write_station_draw(const RecordTable<StationDraw>& table, csv::Writer& out) {
  write_column_member(table, 0, "%2d,", kColumns, out);
}

int station_draw_at(const RecordTable<StationDraw>& table, int x, int y) {
  for (int n = 1; n <= table.extent(); ++n) {
    if (table[n].rect.contains(x, y)) return n;
  }
  return 0;
}

}  // namespace vosk::map
