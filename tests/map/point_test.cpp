#include "map/point.h"

#include <gtest/gtest.h>

#include "support/scripted_prompt.h"
#include "track_records_support.h"

namespace vosk::map {
namespace {

using track_test::read_into;
using track_test::written;

// Point 1: three rails, two positions; point 2: two rails, no positions;
// point 3: no rails.
const std::string kPoint1 =
    " 1, 1, 2, 3,2, 0,3, 150, 40,AB,\n"
    " 2, 0, 0, 2,0, 0,1,  12,  5,C,\n"
    " 3, 0, 0, 0,5, 0,0,   0,  0,,\n";
const std::string kPoint2 =
    " 1,  5,1,   6,   4,0,   0,   0,  7,0,   0,   0,1,   8,   4,  9,1,  -3,   0,1,   3,   0,\n"
    " 2, 11, 12,\n"
    " 3,\n";

struct LoadedPoints {
  testing::ScriptedPrompt prompt;
  RecordTable<Point> points;

  LoadedPoints(const std::string& p1, const std::string& p2, int version = 1220,
               int capacity = kDefaultPointCapacity) {
    read_into(&read_point1, p1, version, points, prompt, capacity);
    MemberWarnings warnings(prompt, "point2.csv");
    read_point2(p2, version, points, warnings);
  }
};

TEST(Map_PointTests, CurrentLayoutReadsBothMembersAndWritesThemBack) {
  LoadedPoints loaded(kPoint1, kPoint2);
  EXPECT_EQ(loaded.prompt.count(), 0u);
  const RecordTable<Point>& points = loaded.points;
  ASSERT_EQ(points.extent(), 3);
  const Point& p = points[1];
  EXPECT_EQ(p.position, 1);
  EXPECT_EQ(p.position_count, 2);
  EXPECT_EQ(p.rail_count, 3);
  EXPECT_EQ(p.active_mode, kPointRequest);
  EXPECT_EQ(p.configured_mode, kPointRequest);
  EXPECT_EQ(p.normal_position, 0);
  EXPECT_EQ(p.symbol_row, 3);
  EXPECT_EQ(p.symbol_x, 150);
  EXPECT_EQ(p.symbol_y, 40);
  EXPECT_EQ(p.key, "AB");
  EXPECT_EQ(p.failed, 0);
  EXPECT_EQ(p.rails[0], 5);
  EXPECT_EQ(p.rails[1], 7);
  EXPECT_EQ(p.rails[2], 9);
  EXPECT_EQ(p.open[0][0], 1);
  EXPECT_EQ(p.next[0][0], 6);
  EXPECT_EQ(p.back[0][0], 4);
  EXPECT_EQ(p.open[1][1], 1);
  EXPECT_EQ(p.next[1][1], 8);
  EXPECT_EQ(p.next[2][0], -3);
  EXPECT_EQ(p.next[2][1], 3);
  EXPECT_EQ(points[2].rails[0], 11);
  EXPECT_EQ(points[2].rails[1], 12);

  EXPECT_EQ(written(&write_point1, points), kPoint1);
  EXPECT_EQ(written(&write_point2, points), kPoint2);
}

TEST(Map_PointTests, OlderPoint1Layouts) {
  {
    // Before 1010: no symbol row.
    LoadedPoints loaded(" 1, 1, 2, 3,2, 0, 150, 40,AB,\n", "", 1009);
    EXPECT_EQ(loaded.points[1].symbol_row, 0);
    EXPECT_EQ(loaded.points[1].symbol_x, 150);
    EXPECT_EQ(written(&write_point1, loaded.points), " 1, 1, 2, 3,2, 0,0, 150, 40,AB,\n");
  }
  {
    // Before 41: no active mode and normal position either.
    LoadedPoints loaded(" 1, 1, 2, 3, 150, 40,AB,\n", "", 40);
    EXPECT_EQ(loaded.points[1].active_mode, 0);
    EXPECT_EQ(loaded.points[1].symbol_y, 40);
    EXPECT_EQ(loaded.points[1].key, "AB");
    EXPECT_EQ(written(&write_point1, loaded.points), " 1, 1, 2, 3,0, 0,0, 150, 40,AB,\n");
  }
}

TEST(Map_PointTests, RecordZeroIsNeitherReadNorWritten) {
  LoadedPoints loaded(" 0, 1, 2, 3,2, 0,3, 150, 40,Z,\n 2, 0, 0, 0,0, 0,0,   0,  0,Y,\n",
                      " 0,  5,\n");
  EXPECT_EQ(loaded.points.extent(), 2);
  EXPECT_EQ(loaded.points[0].key, "");
  EXPECT_EQ(loaded.prompt.count(), 0u);
  EXPECT_EQ(written(&write_point1, loaded.points),
            " 1, 0, 0, 0,0, 0,0,   0,  0,,\n 2, 0, 0, 0,0, 0,0,   0,  0,Y,\n");
  EXPECT_EQ(written(&write_point2, loaded.points), " 1,\n 2,\n");
}

TEST(Map_PointTests, CountsAboveTheArraysAreLimitedAndWarned) {
  // 25 rails and 30 positions claimed; point2 holds far more than 20 x 20.
  std::string p2 = " 1,";
  for (int i = 0; i < 25; ++i) {
    p2 += "  1,";
    for (int s = 0; s < 30; ++s) p2 += "1,   2,   3,";
  }
  p2 += "\n";
  LoadedPoints loaded(" 1, 0,30,25,0, 0,0,   0,  0,K,\n", p2);
  const Point& p = loaded.points[1];
  EXPECT_EQ(p.rail_count, kPointMaxRails);
  EXPECT_EQ(p.position_count, kPointMaxPositions);
  EXPECT_EQ(loaded.prompt.count(), 2u);  // once per member
  // What fits the line buffer was read into the arrays.
  EXPECT_EQ(p.rails[0], 1);
  EXPECT_EQ(p.back[0][19], 3);
}

TEST(Map_PointTests, NegativeCountsReadAsZero) {
  LoadedPoints loaded(" 1, 0,-1,-3,0, 0,0,   0,  0,K,\n", " 1,\n");
  EXPECT_EQ(loaded.points[1].rail_count, 0);
  EXPECT_EQ(loaded.points[1].position_count, 0);
  EXPECT_EQ(loaded.prompt.count(), 1u);
}

TEST(Map_PointTests, Point2DataBeyondTheCountsIsWarnedNotStored) {
  // Point 1 says one rail and one position; the line has two rails.
  LoadedPoints loaded(" 1, 0, 1, 1,0, 0,0,   0,  0,K,\n", " 1,  5,1,   6,   4,  7,1,   8,   9,\n");
  EXPECT_EQ(loaded.points[1].rails[0], 5);
  EXPECT_EQ(loaded.points[1].rails[1], 0);
  EXPECT_EQ(loaded.prompt.count(), 1u);
  EXPECT_EQ(written(&write_point2, loaded.points), " 1,  5,1,   6,   4,\n");
}

TEST(Map_PointTests, Point2ForAPointPoint1DoesNotHave) {
  LoadedPoints loaded(" 1, 0, 0, 0,0, 0,0,   0,  0,K,\n", " 4,  5,\n 300,  5,\n", 1220, 255);
  EXPECT_EQ(loaded.points.extent(), 1);
  // One warning for the member: the rail of point 4 cannot be kept.
  EXPECT_EQ(loaded.prompt.count(), 1u);
}

TEST(Map_PointTests, ShortPoint2LineLeavesTheRestZero) {
  LoadedPoints loaded(" 1, 0, 2, 2,0, 0,0,   0,  0,K,\n", " 1,  5,1,\n");
  const Point& p = loaded.points[1];
  EXPECT_EQ(p.rails[0], 5);
  EXPECT_EQ(p.open[0][0], 1);
  EXPECT_EQ(p.next[0][0], 0);
  EXPECT_EQ(p.rails[1], 0);
  EXPECT_EQ(loaded.prompt.count(), 0u);
}

TEST(Map_PointTests, OverlongKeyIsCut) {
  LoadedPoints loaded(" 1, 0, 0, 0,0, 0,0,   0,  0,ABCDEFGHIJKLMNOPQRSTUV,\n", "");
  EXPECT_EQ(loaded.points[1].key, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(loaded.prompt.count(), 1u);
}

}  // namespace
}  // namespace vosk::map
