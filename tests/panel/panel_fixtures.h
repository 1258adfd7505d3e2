#pragma once
// Small hand-made maps for the track panel tests.
#include "datafiles/data_set.h"

namespace vosk::panel::testing {

// A map with one row (origin 40, 0) and room for anything added.
inline datafiles::MapTables one_row_map() {
  datafiles::MapTables m;
  m.rails.allocate(100);
  m.prails.allocate(100);
  m.points.allocate(10);
  m.rows.allocate(63);
  m.station_draws.allocate(10);
  m.jumps.allocate(10);
  m.route_levers.allocate(10);
  m.route_buttons.allocate(10);
  m.targets.allocate(10);
  m.stations.allocate(10);
  m.rows.grow_to(1).x_origin = 40;
  return m;
}

// Appends a rail in `row` from its back end (bx, by) to its next end
// (nx, ny) on a track of its own; returns its number.
inline int add_rail(datafiles::MapTables& m, int row, int bx, int by, int nx, int ny) {
  const int n = m.rails.extent() + 1;
  map::Rail& r = m.rails.grow_to(n);
  r.row = row;
  r.row_pos_x_back = bx;
  r.row_pos_y_back = by;
  r.row_pos_x_next = nx;
  r.row_pos_y_next = ny;
  r.direction = map::rail_direction(r);
  const int p = m.prails.extent() + 1;
  map::PRail& pr = m.prails.grow_to(p);
  pr.rail_a = n;
  pr.open = 1;
  r.l_pack = p;
  return n;
}

// Rails of direction 2 end to end along y, from x0 in steps of `step`.
inline void add_line(datafiles::MapTables& m, int x0, int x1, int step, int y) {
  int prev = 0;
  for (int x = x0; x < x1; x += step) {
    int n = add_rail(m, 1, x, y, x + step, y);
    if (prev) {
      m.rails[prev].l_next = n;
      m.rails[n].l_back = prev;
    }
    prev = n;
  }
}

}  // namespace vosk::panel::testing
