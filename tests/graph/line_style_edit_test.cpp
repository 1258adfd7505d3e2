// The line style dialog's edits of copied entries, its width list and the
// preview it draws.
#include <gtest/gtest.h>

#include "graph/graph_settings.h"
#include "graph/line_style_edit.h"
#include "support/recording_surface.h"

namespace vosk {
namespace {

using testing::OpKind;
using testing::RecordingSurface;

shell::LineStyle fill_entry() {
  shell::LineStyle fill;
  fill.id = 0;
  fill.for_line = 0;
  fill.red = 192, fill.green = 192, fill.blue = 192;
  return fill;
}

TEST(Graph_LineStyleEditTests, WidthsAreOfferedInPointsWithTwoDecimals) {
  struct Row {
    int width;
    const char* label;
    int row;
  };
  const Row rows[] = {{100, "0.10", 0},   {250, "0.25", 1},  {1750, "1.75", 7},
                      {5000, "5.00", 11}, {600, "0.60", -1}, {0, "0.00", -1}};
  for (const Row& r : rows) {
    EXPECT_EQ(graph::line_width_label(r.width), r.label);
    EXPECT_EQ(graph::line_width_row(r.width), r.row) << r.width;
  }
  EXPECT_EQ(graph::line_width_choices().size(), 12u);
}

TEST(Graph_LineStyleEditTests, EditsStayInTheCopyUntilCommitted) {
  std::vector<shell::LineStyle> stored = graph::default_graph_line_styles();
  const std::vector<shell::LineStyle> before = stored;
  graph::LineStyleEdit edit(stored);
  edit.set_pen_style(graph::kMajorTimeLine, 3);
  edit.set_point_width(graph::kMajorTimeLine, 2000);
  edit.set_colour(graph::kMinorTimeLine, {1, 2, 3});
  EXPECT_EQ(stored[0].pen_style, before[0].pen_style);  // nothing stored yet

  ASSERT_TRUE(edit.commit(stored));
  EXPECT_EQ(stored[0].pen_style, 3);
  EXPECT_EQ(stored[0].point_width, 2000);
  EXPECT_EQ(stored[1].red, 1);
  EXPECT_EQ(stored[1].blue, 3);
  EXPECT_EQ(stored[1].pen_style, 2);  // untouched fields stay
  EXPECT_EQ(stored[1].item_name, before[1].item_name);
  EXPECT_FALSE(edit.commit(stored));  // the same again changes nothing
}

TEST(Graph_LineStyleEditTests, ChoicesOutsideTheListsAndFillEntriesKeepTheirValues) {
  std::vector<shell::LineStyle> entries = graph::default_graph_line_styles();
  entries.push_back(fill_entry());
  graph::LineStyleEdit edit(entries);
  edit.set_pen_style(0, 4);  // dash-dot-dot is not offered
  edit.set_pen_style(0, -1);
  edit.set_point_width(0, 600);  // not in the list
  edit.set_pen_style(8, 1);      // a fill has no line
  edit.set_point_width(8, 1000);
  edit.set_colour(8, {10, 20, 30});
  edit.set_colour(9, {1, 1, 1});  // no such entry
  EXPECT_EQ(edit.entry(0)->pen_style, 0);
  EXPECT_EQ(edit.entry(0)->point_width, 500);
  EXPECT_EQ(edit.entry(8)->pen_style, 0);
  EXPECT_EQ(edit.entry(8)->point_width, 0);
  EXPECT_EQ(edit.entry(8)->green, 20);
  EXPECT_EQ(edit.entry(9), nullptr);
  EXPECT_EQ(edit.entry(-1), nullptr);
}

TEST(Graph_LineStyleEditTests, ThePreviewDrawsALineAcrossAWhiteBoxOrFillsIt) {
  shell::LineStyle line = graph::default_graph_line_styles()[graph::kMainStationSelected];
  line.point_width = 2000;  // 3 pixels at 96 dpi
  RecordingSurface surface({100, 40}, 96);
  const Rect box{0, 0, 100, 40};
  graph::draw_line_style_preview(surface, line, box);
  const auto fills = surface.ops_of(OpKind::FillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].rect, box);
  EXPECT_EQ(fills[0].colour, (Rgb{255, 255, 255}));
  const auto lines = surface.ops_of(OpKind::Line);
  ASSERT_EQ(lines.size(), 10u);  // once, then 3 × 3 shifted
  EXPECT_EQ(lines[0].from, (Point{0, 19}));
  EXPECT_EQ(lines[0].to, (Point{98, 19}));
  EXPECT_EQ(lines[0].pen.colour, (Rgb{0, 0, 255}));
  for (const auto& op : lines) {
    EXPECT_LE(op.to.x, 100);  // the thickest stroke stays inside the box
    EXPECT_LT(op.from.y, 40);
  }

  surface.clear();
  graph::draw_line_style_preview(surface, fill_entry(), box);
  ASSERT_EQ(surface.ops().size(), 1u);
  EXPECT_EQ(surface.ops()[0].colour, (Rgb{192, 192, 192}));
}

}  // namespace
}  // namespace vosk
