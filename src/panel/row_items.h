#pragma once
// The items that live in display rows, visited through their row fields.
#include "datafiles/data_set.h"

namespace vosk::panel {

// Items with two x ends (rails, station drawings): f(row, end1, end2). For a
// rail end1 is the next end and end2 the back end.
template <class Map, class F>
void for_each_span_item(Map& map, F&& f) {
  for (int n = 1; n <= map.rails.extent(); ++n) {
    auto& r = map.rails[n];
    f(r.row, r.row_pos_x_next, r.row_pos_x_back);
  }
  for (int n = 1; n <= map.station_draws.extent(); ++n) {
    auto& d = map.station_draws[n];
    f(d.row, d.left_x, d.right_x);
  }
}

// Items drawn at one x (point symbols, jump ends, lever and end-button
// symbols, buttons): f(row, x).
template <class Map, class F>
void for_each_spot_item(Map& map, F&& f) {
  for (int n = 1; n <= map.points.extent(); ++n) {
    auto& p = map.points[n];
    f(p.symbol_row, p.symbol_x);
  }
  for (int n = 1; n <= map.jumps.extent(); ++n) {
    auto& j = map.jumps[n];
    f(j.row1, j.x1);
    f(j.row2, j.x2);
  }
  for (int n = 1; n <= map.route_levers.extent(); ++n) {
    auto& l = map.route_levers[n];
    f(l.lever_row, l.lever_x);
    f(l.button_row, l.button_x);
  }
  for (int n = 1; n <= map.route_buttons.extent(); ++n) {
    auto& b = map.route_buttons[n];
    f(b.row, b.x);
  }
}

// Every row field of every item: f(row).
template <class Map, class F>
void for_each_row_field(Map& map, F&& f) {
  for_each_span_item(map, [&](auto& row, int, int) { f(row); });
  for_each_spot_item(map, [&](auto& row, int) { f(row); });
}

}  // namespace vosk::panel
