#pragma once
// StationDraw: one station drawing of the track panel, and station_draw.csv.
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::map {

// A rectangle in window pixels; right and bottom are outside it.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

struct StationDraw {
  int target = 0;  // Target shown; a click inside opens its station dialog
  int row = 0;     // display row
  int left_x = 0;  // row units
  int right_x = 0;
  int y1 = 0;
  int y2 = 0;
  PixelRect rect;  // run time: where the panel last drew it, not stored
};

inline constexpr int kDefaultStationDrawCapacity = 255;  // [StructSize] StationDraw

// Records 1 .. capacity; the placeholder line of record 0 is skipped.
void read_station_draw(std::string_view content, int version, RecordTable<StationDraw>& table,
                       MemberWarnings& warnings);
// Records 0 .. extent, record 0 included.
void write_station_draw(const RecordTable<StationDraw>& table, csv::Writer& out);

// The first station drawing (1 .. extent) whose drawn rectangle holds the
// pixel, 0 when none does.
int station_draw_at(const RecordTable<StationDraw>& table, int x, int y);

}  // namespace vosk::map
