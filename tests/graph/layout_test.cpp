// Where the train graph puts stations, times and grid lines.
#include <gtest/gtest.h>

#include "graph/time_axis.h"
#include "graph/vertical_layout.h"
#include "graph_fixture.h"

namespace vosk {
namespace {

using graph::GridIntervals;
using testing::GraphLine;
using testing::hm;

TEST(Graph_LayoutTests, StationsArePlacedByDistanceAndTheBottomLineIsPulledUpByOne) {
  GraphLine line;
  graph::LayoutFrame frame{0, 312, 12, 0, 10};
  graph::VerticalLayout v = graph::layout_targets(line.ds.map.targets, line.ds.map.rails, frame);
  EXPECT_EQ(v.rows[1].y, 12);
  EXPECT_EQ(v.rows[2].y, 112);
  EXPECT_EQ(v.rows[3].y, 311);  // computed 312 = bottom
  EXPECT_EQ(v.y_of_rail(GraphLine::rail(2, 1)), 112);
  EXPECT_EQ(v.line_ys, (std::vector<int>{12, 112, 311}));
}

TEST(Graph_LayoutTests, PlacesOffTheDisplayTargetAreHiddenAndTheRestSpreadOut) {
  GraphLine line;
  line.ds.map.targets[2].distances[0] = -1;
  line.ds.map.targets[1].distances[1] = 50;
  line.ds.map.targets[3].distances[1] = 150;
  graph::VerticalLayout first =
      graph::layout_targets(line.ds.map.targets, line.ds.map.rails, {0, 312, 12, 0, 10});
  EXPECT_EQ(first.rows[2].y, 0);
  EXPECT_EQ(first.y_of_rail(GraphLine::rail(2, 2)), 0);
  graph::VerticalLayout second =
      graph::layout_targets(line.ds.map.targets, line.ds.map.rails, {0, 312, 12, 1, 10});
  EXPECT_EQ(second.rows[1].y, 12);  // the smallest distance is the top line
  EXPECT_EQ(second.rows[2].y, 0);
  EXPECT_EQ(second.rows[3].y, 311);
}

TEST(Graph_LayoutTests, TrackRowsTakeRoomAndPushTheFartherStationsDown) {
  GraphLine line;
  map::Target& b = line.ds.map.targets[2];
  b.show_track_numbers = true;
  b.tracks = {{3, 0, "1", ""}, {4, 0, "2", ""}, {0, 0, "3", ""}};
  // Spacing f = 300 × 10 ÷ 1000 = 3; the span grows by 2 rows to 306.
  graph::VerticalLayout v =
      graph::layout_targets(line.ds.map.targets, line.ds.map.rails, {0, 312, 12, 0, 10});
  EXPECT_EQ(v.rows[1].y, 12);
  EXPECT_EQ(v.rows[2].track_ys, (std::vector<int>{110, 112, 115}));
  EXPECT_EQ(v.rows[2].block_top, 110);
  EXPECT_EQ(v.rows[2].block_bottom, 115);
  EXPECT_EQ(v.y_of_rail(3), 110);
  EXPECT_EQ(v.y_of_rail(4), 112);
  EXPECT_EQ(v.rows[3].y, 311);
  EXPECT_EQ(v.line_ys.size(), 5u);
}

TEST(Graph_LayoutTests, OnePlaceAloneSitsAtTheTopInsteadOfDividingByZero) {
  GraphLine line;
  line.ds.map.targets[2].distances[0] = -1;
  line.ds.map.targets[3].distances[0] = -1;
  graph::VerticalLayout v =
      graph::layout_targets(line.ds.map.targets, line.ds.map.rails, {0, 312, 12, 0, 10});
  EXPECT_EQ(v.rows[1].y, 12);
}

TEST(Graph_LayoutTests, TheDayWrapsAtThreeButAnUnsetTimeStaysAtMidnight) {
  EXPECT_EQ(graph::wrap_time(0), 0);
  EXPECT_EQ(graph::wrap_time(hm(2, 59, 59)), hm(26, 59, 59));
  EXPECT_EQ(graph::wrap_time(hm(3, 0)), hm(3, 0));
  graph::TimeAxis axis{100, 1100, hm(24, 0), hm(27, 0)};
  EXPECT_EQ(axis.x(graph::wrap_time(hm(2, 59, 59))), 1099);
  EXPECT_EQ(axis.x(graph::wrap_time(hm(1, 30))), 600);
  EXPECT_EQ(axis.time_at(600), hm(25, 30));
  EXPECT_LT(axis.x(graph::wrap_time(0)), axis.plot_left);
}

TEST(Graph_LayoutTests, AnEmptyTimeRangePutsEveryTimeAtTheLeftEdge) {
  graph::TimeAxis axis{100, 1100, hm(6, 0), hm(6, 0)};
  EXPECT_EQ(axis.x(hm(12, 0)), 100);
}

TEST(Graph_LayoutTests, GridIntervalsFollowTheSpan) {
  struct Row {
    int span;
    GridIntervals expected;
  };
  const Row rows[] = {{60, {600, 60}},      {7200, {600, 60}},    {7201, {1200, 60}},
                      {14400, {1200, 60}},  {14401, {1800, 300}}, {28800, {1800, 300}},
                      {28801, {3600, 600}}, {100800, {3600, 600}}};
  for (const Row& r : rows) EXPECT_EQ(graph::grid_intervals(r.span), r.expected) << r.span;
}

TEST(Graph_LayoutTests, TheControllerMeasuresTheHeaderAndTheNameColumn) {
  GraphLine line;
  line.ds.map.targets[2].short_name = "Bbbb";  // widest: 4 half-width characters
  line.ds.header.dia.dia_title = "T";
  graph::GraphController c(line.ds);
  c.set_plot({0, 0, 1000, 312});
  testing::RecordingSurface s({1000, 312}, 96);
  c.layout(s);
  EXPECT_EQ(c.header_height(), 24);  // "0" and the title
  EXPECT_EQ(c.name_column_width(), 24);
  EXPECT_EQ(c.axis().plot_left, 24);
  EXPECT_EQ(c.vertical().rows[1].y, 24);
  // A stopping section outside stations never widens the column.
  line.ds.map.targets[3].station = 0;
  line.ds.map.targets[3].short_name = "a very long name";
  c.layout(s);
  EXPECT_EQ(c.name_column_width(), 24);
}

}  // namespace
}  // namespace vosk
