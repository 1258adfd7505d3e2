#include "base/surface.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "base/recording_surface.h"

namespace vosk {
namespace {

TEST(Base_SurfaceTests, MulDivRoundsHalfAwayFromZeroLikeThePlatform) {
  EXPECT_EQ(mul_div(1, 1, 2), 1);     // 0.5 -> 1
  EXPECT_EQ(mul_div(-1, 1, 2), -1);   // -0.5 -> -1
  EXPECT_EQ(mul_div(1, 1, 3), 0);     // 0.33 -> 0
  EXPECT_EQ(mul_div(2, 1, 3), 1);     // 0.67 -> 1
  EXPECT_EQ(mul_div(5, 1, -2), -3);   // -2.5 -> -3
  EXPECT_EQ(mul_div(-5, 1, -2), 3);
  EXPECT_EQ(mul_div(7, 3, 0), -1);    // division by zero
  // The product needs 64 bits; the quotient fits.
  EXPECT_EQ(mul_div(2000000000, 3, 4), 1500000000);
  EXPECT_EQ(mul_div(2000000000, 2000000000, 1), -1);  // overflow
}

TEST(Base_SurfaceTests, LineWidthInThousandthsOfAPointToPixels) {
  // The default line widths of the settings (250, 500, 1000) at 96 dpi.
  EXPECT_EQ(points_to_pixels(250, 96), 0);   // 0.33 px
  EXPECT_EQ(points_to_pixels(500, 96), 1);   // 0.67 px rounds up
  EXPECT_EQ(points_to_pixels(1000, 96), 1);  // 1.33 px
  EXPECT_EQ(points_to_pixels(1500, 96), 2);  // exactly 2
  EXPECT_EQ(points_to_pixels(375, 96), 1);   // exactly 0.5 rounds up
  // A 600 dpi printer makes the thin lines visible.
  EXPECT_EQ(points_to_pixels(250, 600), 2);
  EXPECT_EQ(points_to_pixels(0, 96), 0);
}

TEST(Base_SurfaceTests, FontHeightForPointSize) {
  EXPECT_EQ(font_height_for_points(9, 96), -12);
  EXPECT_EQ(font_height_for_points(10, 96), -13);  // 13.33
  EXPECT_EQ(font_height_for_points(9, 600), -75);
}

TEST(Base_SurfaceTests, PenStylesFromFileValues) {
  EXPECT_EQ(pen_style_from_int(0), PenStyle::Solid);
  EXPECT_EQ(pen_style_from_int(1), PenStyle::Dash);
  EXPECT_EQ(pen_style_from_int(2), PenStyle::Dot);
  EXPECT_EQ(pen_style_from_int(3), PenStyle::DashDot);
  EXPECT_EQ(pen_style_from_int(4), PenStyle::DashDotDot);
  EXPECT_EQ(pen_style_from_int(5), PenStyle::Null);
  EXPECT_EQ(pen_style_from_int(-1), PenStyle::Solid);
  EXPECT_EQ(pen_style_from_int(6), PenStyle::Solid);
}

TEST(Base_SurfaceTests, TextAlignFlags) {
  EXPECT_EQ(text_align_from_flags(0), (TextAlign{HAlign::Left, VAlign::Top}));
  EXPECT_EQ(text_align_from_flags(2), (TextAlign{HAlign::Right, VAlign::Top}));
  EXPECT_EQ(text_align_from_flags(6), (TextAlign{HAlign::Center, VAlign::Top}));
  EXPECT_EQ(text_align_from_flags(6 | 8), (TextAlign{HAlign::Center, VAlign::Bottom}));
  EXPECT_EQ(text_align_from_flags(24), (TextAlign{HAlign::Left, VAlign::Baseline}));
  EXPECT_EQ(text_align_from_flags(2 | 24 | 1), (TextAlign{HAlign::Right, VAlign::Baseline}));
}

TEST(Base_SurfaceTests, ThickLineIsAGridOfOnePixelStrokes) {
  RecordingSurface s;
  draw_thick_line(s, {10, 20}, {50, 20}, PenStyle::Dot, {0, 0, 255}, 2);
  auto lines = s.ops_of(OpKind::Line);
  ASSERT_EQ(lines.size(), 5u);  // once, then 2 x 2 shifted copies
  std::set<std::pair<int, int>> shifts;
  for (const auto& op : lines) {
    EXPECT_EQ(op.pen, (Pen{PenStyle::Dot, 1, {0, 0, 255}}));  // style kept, width 1
    EXPECT_EQ(op.to.x - op.from.x, 40);
    EXPECT_EQ(op.to.y, op.from.y);
    shifts.insert({op.from.x - 10, op.from.y - 20});
  }
  EXPECT_EQ(shifts, (std::set<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
  EXPECT_EQ(lines[0].from, (Point{10, 20}));
}

TEST(Base_SurfaceTests, ZeroOrNegativeThicknessLeavesTheSingleStroke) {
  RecordingSurface s;
  draw_thick_line(s, {0, 0}, {5, 5}, PenStyle::Solid, {}, 0);
  EXPECT_EQ(s.ops_of(OpKind::Line).size(), 1u);
  s.clear();
  draw_thick_line(s, {0, 0}, {5, 5}, PenStyle::Solid, {}, -1);
  EXPECT_EQ(s.ops_of(OpKind::Line).size(), 1u);
}

TEST(Base_SurfaceTests, StyledLineConvertsTheWidthForTheSurface) {
  RecordingSurface screen({100, 100}, 96);
  draw_styled_line(screen, {0, 0}, {10, 0}, PenStyle::Solid, {}, 250);  // 0 px
  EXPECT_EQ(screen.ops_of(OpKind::Line).size(), 1u);
  draw_styled_line(screen, {0, 0}, {10, 0}, PenStyle::Solid, {}, 1000);  // 1 px
  EXPECT_EQ(screen.ops_of(OpKind::Line).size(), 1u + 2u);

  RecordingSurface printer({100, 100}, 600);
  draw_styled_line(printer, {0, 0}, {10, 0}, PenStyle::Dash, {}, 500);  // 4 px
  EXPECT_EQ(printer.ops_of(OpKind::Line).size(), 1u + 16u);
}

TEST(Base_SurfaceTests, RecordingSurfaceKeepsStateWithEachOperation) {
  RecordingSurface s;
  s.set_font(Font{"IPAGothic", -12, 9, 700, false, false, false, 900});
  s.set_text_colour({255, 0, 0});
  s.set_text_align({HAlign::Center, VAlign::Bottom});
  s.set_background(false, {});
  s.text({5, 6}, "abc");
  s.set_text_colour({0, 0, 0});
  s.text({7, 8}, "駅");
  ASSERT_EQ(s.texts(), (std::vector<std::string>{"abc", "駅"}));
  const auto first = s.ops_of(OpKind::Text)[0];
  EXPECT_EQ(first.colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(first.font.escapement, 900);
  EXPECT_FALSE(first.opaque);
  EXPECT_EQ(s.ops_of(OpKind::Text)[1].colour, (Rgb{0, 0, 0}));
  // Fake metrics: half the height per ASCII character, full height otherwise.
  EXPECT_EQ(s.measure("abc"), (Size{18, 12}));
  EXPECT_EQ(s.measure("駅a"), (Size{18, 12}));
}

}  // namespace
}  // namespace vosk
