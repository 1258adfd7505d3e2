#pragma once
// RouteButton: a route button of the interlocking panel, and route_button.csv.
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::map {

struct RouteButton {
  int owner = 0;  // RouteLever whose set route ends here, 0 = none
  int flag1 = 0;  // kept as read
  int flag2 = 0;  // kept as read
  int shown = 0;  // 0/1: the button symbol is drawn
  int row = 0;
  int x = 0;
  int y = 0;
};

inline constexpr int kDefaultRouteButtonCapacity = 0;  // [StructSize] RouteButton

// Buttons 1 .. capacity.
void read_route_button(std::string_view content, int version, RecordTable<RouteButton>& table,
                       MemberWarnings& warnings);
// Buttons 1 .. extent; no lines for an empty table.
void write_route_button(const RecordTable<RouteButton>& table, csv::Writer& out);

}  // namespace vosk::map
