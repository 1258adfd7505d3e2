#include "panel/row_layout.h"

#include <gtest/gtest.h>

#include "panel/panel_fixtures.h"

namespace vosk::panel {
namespace {

using testing::add_line;
using testing::add_rail;
using testing::one_row_map;

TEST(Panel_RowLayoutTests, AutoRowKeepsADrawingNarrowerThanTheWindowInOneRow) {
  datafiles::MapTables m = one_row_map();
  add_line(m, 0, 600, 100, 50);
  m.rows[1].x_origin = 7;
  m.rows[1].y_origin = 30;
  auto_rows(m, split_width_units(1280, kUnitScale), kUnitScale);
  ASSERT_EQ(m.rows.extent(), 1);
  EXPECT_EQ(m.rows[1].x_origin, kAutoRowXOrigin);
  EXPECT_EQ(m.rows[1].panel_y(50), 0);  // the row's top rail touches the top edge
  for (int n = 1; n <= m.rails.extent(); ++n) EXPECT_EQ(m.rails[n].row, 1);
}

TEST(Panel_RowLayoutTests, AutoRowFoldsALongLineIntoRowsThatStartAtTheirOrigin) {
  datafiles::MapTables m = one_row_map();
  add_line(m, 0, 3000, 100, 50);
  const int station = m.station_draws.extent() + 1;
  map::StationDraw& d = m.station_draws.grow_to(station);
  d.row = 1;
  d.left_x = 1090;  // covers the joint at 1100
  d.right_x = 1150;
  d.y1 = 20;
  d.y2 = 80;
  auto_rows(m, 1100, kUnitScale);
  // Joints below 1100 and then 1000 units on: 1000 (1100 lies in the
  // station), 2000, and the rest.
  ASSERT_EQ(m.rows.extent(), 3);
  EXPECT_EQ(m.rows[2].x_shift, -1000);
  EXPECT_EQ(m.rows[3].x_shift, -2000);
  EXPECT_EQ(m.rails[10].row, 1);  // 900 .. 1000
  EXPECT_EQ(m.rails[11].row, 2);  // 1000 .. 1100
  EXPECT_EQ(m.station_draws[station].row, 2);
  // Each row's first item starts at the x origin, and the rows stack.
  EXPECT_EQ(m.rows[2].panel_x(1000), kAutoRowXOrigin);
  EXPECT_EQ(m.rows[2].panel_y(20), m.rows[1].panel_y(50));
  EXPECT_EQ(m.rows[3].panel_y(50), m.rows[2].panel_y(80));
}

TEST(Panel_RowLayoutTests, SplitsNeverCutARailAndWidenPastOneLongerThanTheWindow) {
  datafiles::MapTables m = one_row_map();
  add_rail(m, 1, 0, 10, 300, 10);
  add_rail(m, 1, 300, 10, 2500, 10);  // far wider than the window
  add_rail(m, 1, 2500, 10, 2600, 10);
  add_rail(m, 1, 2600, 10, 2700, 10);
  auto_rows(m, 1000, kUnitScale);
  ASSERT_EQ(m.rows.extent(), 3);
  EXPECT_EQ(m.rows[2].x_shift, -300);
  EXPECT_EQ(m.rows[3].x_shift, -2500);
  EXPECT_EQ(m.rails[2].row, 2);
  EXPECT_EQ(m.rails[4].row, 3);
}

TEST(Panel_RowLayoutTests, ClearRowThenAdjustSpanLeavesOneRowAtItsOrigin) {
  datafiles::MapTables m = one_row_map();
  add_line(m, 0, 3000, 100, 50);
  auto_rows(m, 1100, kUnitScale);
  ASSERT_GT(m.rows.extent(), 1);
  m.rows[1].x_origin = 12;
  m.rows[1].x_shift = 0;
  m.rows[1].y_origin = 200;
  clear_rows(m);
  adjust_span(m, kUnitScale);
  ASSERT_EQ(m.rows.extent(), 1);
  EXPECT_EQ(m.rows[1].x_origin, 12);
  EXPECT_EQ(m.rows[1].x_shift, 0);
  EXPECT_EQ(m.rows[1].panel_y(50), 0);
  for (int n = 1; n <= m.rails.extent(); ++n) EXPECT_EQ(m.rails[n].row, 1);
}

TEST(Panel_RowLayoutTests, AdjustSpanFillsEmptyColumnsFromTheirNeighbours) {
  datafiles::MapTables m = one_row_map();
  m.rows[1].x_origin = 0;
  const map::Row first = m.rows[1];  // copied before the table grows
  m.rows.grow_to(2) = first;
  add_rail(m, 1, 0, 50, 100, 50);
  add_rail(m, 1, 500, 200, 600, 200);  // deep, far right
  add_rail(m, 2, 300, 10, 350, 10);    // between the two, above neither
  add_rail(m, 2, 700, 30, 800, 30);
  adjust_span(m, kUnitScale);
  EXPECT_EQ(m.rows[1].y_origin, -50);
  // Row 1 counts as its deeper neighbour (200, y origin -50) over the gap,
  // and past its right end as its last rail.
  EXPECT_EQ(m.rows[2].panel_y(10), 150);
  // At half scale the columns halve; the gaps stay in map units.
  m.rows[2].y_origin = 0;
  adjust_span(m, kUnitScale / 2);
  EXPECT_EQ(m.rows[2].panel_y(10), 150);
}

TEST(Panel_RowLayoutTests, ClearRowLeavesItemsOutsideTheRowsAlone) {
  datafiles::MapTables m = one_row_map();
  m.rows.grow_to(2);
  add_rail(m, 2, 0, 10, 100, 10);
  add_rail(m, 0, 0, 10, 100, 10);
  map::Point& p = m.points.grow_to(1);
  p.symbol_row = 0;  // absolute panel position
  clear_rows(m);
  EXPECT_EQ(m.rows.extent(), 1);
  EXPECT_EQ(m.rails[1].row, 1);
  EXPECT_EQ(m.rails[2].row, 0);
  EXPECT_EQ(m.points[1].symbol_row, 0);
}

TEST(Panel_RowLayoutTests, RowCommandsDoNothingWithoutRows) {
  datafiles::MapTables m = one_row_map();
  m.rows.shrink_to(0);
  add_line(m, 0, 3000, 100, 50);
  auto_rows(m, 1000, kUnitScale);
  clear_rows(m);
  EXPECT_EQ(m.rows.extent(), 0);
  EXPECT_EQ(m.rails[15].row, 1);
}

struct SplitCase {
  int next_x, back_x, from_row, to_row;
};

TEST(Panel_RowLayoutTests, SplitMovesEachRailByItsEnds) {
  // Split row 1 at 100.
  const SplitCase cases[] = {
      {50, 0, 1, 1},    {100, 50, 1, 1},  // back end left of the split
      {50, 100, 1, 1},                    // next end left, back end on it
      {100, 200, 1, 2}, {200, 100, 1, 2}, {200, 150, 2, 2},
      {100, 100, 1, 1}, {100, 100, 2, 2},  // zero length on the split: stays
      {150, 50, 1, 1},                     // across, back end left
      {50, 150, 2, 2},                     // across, back end right: stays
      {20, 10, 2, 1},   {20, 10, 3, 3},    // row 3 is not touched
  };
  for (const SplitCase& c : cases) {
    datafiles::MapTables m = one_row_map();
    m.rows.grow_to(3);
    add_rail(m, c.from_row, c.back_x, 0, c.next_x, 0);
    add_rail(m, 1, -10, 0, 0, 0);    // keeps row 1 from emptying
    add_rail(m, 3, 500, 0, 600, 0);  // keeps row 3
    split_row(m, 1, 100);
    EXPECT_EQ(m.rails[1].row, c.to_row)
        << c.next_x << "," << c.back_x << " from row " << c.from_row;
    EXPECT_EQ(m.rows[2].x_shift, -100);
  }
}

TEST(Panel_RowLayoutTests, SplitMovesSymbolsAndCreatesTheNextRowAsACopy) {
  datafiles::MapTables m = one_row_map();
  m.rows[1].y_origin = 77;
  add_rail(m, 1, 0, 0, 100, 0);
  add_rail(m, 1, 100, 0, 200, 0);
  m.points.grow_to(1) = map::Point{};
  m.points[1].symbol_row = 1;
  m.points[1].symbol_x = 100;  // on the split: right side
  map::Jump& j = m.jumps.grow_to(1);
  j.row1 = j.row2 = 1;
  j.x1 = 99;
  j.x2 = 150;
  map::RouteLever& l = m.route_levers.grow_to(1);
  l.lever_row = l.button_row = 1;
  l.lever_x = 20;
  l.button_x = 180;
  split_row(m, 1, 100);
  ASSERT_EQ(m.rows.extent(), 2);
  EXPECT_EQ(m.rows[2].y_origin, 77);
  EXPECT_EQ(m.rows[2].x_shift, -100);
  EXPECT_EQ(m.points[1].symbol_row, 2);
  EXPECT_EQ(m.jumps[1].row1, 1);
  EXPECT_EQ(m.jumps[1].row2, 2);
  EXPECT_EQ(m.route_levers[1].lever_row, 1);
  EXPECT_EQ(m.route_levers[1].button_row, 2);
}

TEST(Panel_RowLayoutTests, ASplitThatEmptiesTheFirstRowRemovesIt) {
  datafiles::MapTables m = one_row_map();
  m.rows.grow_to(2).y_origin = 300;
  add_rail(m, 1, 100, 0, 200, 0);
  add_rail(m, 2, 300, 0, 400, 0);
  split_row(m, 1, 50);  // everything lies right of 50
  ASSERT_EQ(m.rows.extent(), 1);
  EXPECT_EQ(m.rails[1].row, 1);
  EXPECT_EQ(m.rails[2].row, 1);
  EXPECT_EQ(m.rows[1].x_shift, -50);
}

TEST(Panel_RowLayoutTests, SearchSkipsJointsInsideRailsAndStations) {
  datafiles::MapTables m = one_row_map();
  add_line(m, 0, 500, 100, 0);
  add_rail(m, 1, 50, 10, 150, 10);  // a loop alongside: 100 lies inside it
  map::StationDraw& d = m.station_draws.grow_to(1);
  d.row = 1;
  d.left_x = 320;  // the corners in either order
  d.right_x = 280;
  const SplitSearch s(m, 1);
  EXPECT_EQ(s.positions(), (std::vector<int>{0, 200, 400, 500}));
  EXPECT_EQ(s.below(0, 400), 200);
  EXPECT_EQ(s.below(200, 400), 200);  // nothing between: the left bound
  EXPECT_EQ(s.above(200, 1000), 400);
  EXPECT_EQ(s.nearest(300, 0, 500), 400);  // 200 and 400 equally far: the upper
  EXPECT_EQ(s.nearest(250, 0, 500), 200);
  EXPECT_EQ(s.nearest(450, 400, 500), std::nullopt);
}

}  // namespace
}  // namespace vosk::panel
