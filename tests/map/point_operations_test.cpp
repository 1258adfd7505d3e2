#include "map/point_operations.h"

#include <gtest/gtest.h>

namespace vosk::map {
namespace {

// Point 1 joins rail 5 (PRail 1) and rail 9 (PRail 2) in three positions:
//   position 0: rail 5 open, 4 -> 5 -> 6; rail 9 closed
//   position 1: rail 5 closed;           rail 9 open, -3 <- 9 -> -8 (one-way)
//   position 2: rail 5 open, 4 -> 5 -> 8; rail 9 open, 7 -> 9 -> 3
struct PointFixture {
  RecordTable<Rail> rails;
  RecordTable<PRail> prails;
  RecordTable<Point> points;

  PointFixture() {
    rails.allocate(20);
    rails.grow_to(12);
    rails[5].l_pack = 1;
    rails[9].l_pack = 2;
    prails.allocate(10);
    prails.grow_to(3);
    prails[3].rail_a = 7;
    points.allocate(10);
    Point& p = points.grow_to(1);
    p.rail_count = 2;
    p.position_count = 3;
    p.rails[0] = 5;
    p.rails[1] = 9;
    set(0, 0, 1, 6, 4);
    set(1, 0, 0, 0, 0);
    set(0, 1, 0, 0, 0);
    set(1, 1, 1, -8, -3);
    set(0, 2, 1, 8, 4);
    set(1, 2, 1, 3, 7);
  }
  void set(int i, int s, int open, int next, int back) {
    points[1].open[i][s] = open;
    points[1].next[i][s] = next;
    points[1].back[i][s] = back;
  }
  Point& point() { return points[1]; }
};

TEST(Map_PointPositionTests, SettingAPositionLinksAndMirrorsPositiveLinks) {
  PointFixture f;
  f.rails[3].l_back = 11;
  f.rails[8].l_back = 12;
  ASSERT_TRUE(set_point_position(f.point(), 2, f.rails, f.prails));
  EXPECT_EQ(f.point().position, 2);
  EXPECT_EQ(f.prails[1].open, 1);
  EXPECT_EQ(f.prails[2].open, 1);
  EXPECT_EQ(f.rails[5].l_next, 8);
  EXPECT_EQ(f.rails[5].l_back, 4);
  EXPECT_EQ(f.rails[8].l_back, 5);
  EXPECT_EQ(f.rails[4].l_next, 5);
  EXPECT_EQ(f.rails[9].l_next, 3);
  EXPECT_EQ(f.rails[3].l_back, 9);
  EXPECT_EQ(f.rails[7].l_next, 9);

  ASSERT_TRUE(set_point_position(f.point(), 1, f.rails, f.prails));
  EXPECT_EQ(f.prails[1].open, 0);
  EXPECT_EQ(f.rails[5].l_next, 0);
  EXPECT_EQ(f.rails[9].l_next, -8);
  EXPECT_EQ(f.rails[9].l_back, -3);
  // Negative links are not mirrored: rails 8 and 3 keep what they had.
  EXPECT_EQ(f.rails[8].l_back, 5);
  EXPECT_EQ(f.rails[3].l_back, 9);
}

TEST(Map_PointPositionTests, PositionsThePointDoesNotHaveChangeNothing) {
  PointFixture f;
  f.point().position = 0;
  EXPECT_FALSE(set_point_position(f.point(), 3, f.rails, f.prails));
  EXPECT_FALSE(set_point_position(f.point(), -1, f.rails, f.prails));
  EXPECT_FALSE(set_point_position(f.point(), 20, f.rails, f.prails));
  EXPECT_EQ(f.point().position, 0);
  EXPECT_EQ(f.rails[5].l_next, 0);
}

TEST(Map_PointPositionTests, NumbersOutsideTheTablesArePassedOver) {
  PointFixture f;
  f.point().rails[1] = 4000;    // no such rail
  f.rails[5].l_pack = 900;      // no such PRail
  f.set(0, 2, 1, 4000, -4000);  // links to no such rail
  ASSERT_TRUE(set_point_position(f.point(), 2, f.rails, f.prails));
  EXPECT_EQ(f.rails[5].l_next, 4000);
  EXPECT_EQ(f.rails[5].l_back, -4000);
  EXPECT_EQ(f.rails.extent(), 12);
  EXPECT_EQ(f.prails.extent(), 3);
}

TEST(Map_PointPositionTests, CountsChangedAfterLoadAreStillBounded) {
  PointFixture f;
  f.point().rail_count = 500;
  f.point().position_count = 500;
  EXPECT_FALSE(set_point_position(f.point(), 25, f.rails, f.prails));
  EXPECT_TRUE(set_point_position(f.point(), 19, f.rails, f.prails));
  EXPECT_EQ(set_point_for_rail(f.point(), 77, 1, f.rails, f.prails), PointMove::NotFound);
}

TEST(Map_PointSearchTests, RailOpenInTheCurrentPositionChangesNothing) {
  PointFixture f;
  f.point().position = 0;
  f.rails[5].l_next = 99;  // would be overwritten by a position change
  EXPECT_EQ(set_point_for_rail(f.point(), 5, 1, f.rails, f.prails), PointMove::AlreadyOpen);
  EXPECT_EQ(f.point().position, 0);
  EXPECT_EQ(f.rails[5].l_next, 99);
}

TEST(Map_PointSearchTests, SearchesInTheStepDirectionWithWrapAround) {
  PointFixture f;
  f.point().position = 0;
  // Rail 9 is open in 1 and 2: forward finds 1, backward wraps to 2.
  EXPECT_EQ(set_point_for_rail(f.point(), 9, 1, f.rails, f.prails), PointMove::Moved);
  EXPECT_EQ(f.point().position, 1);
  EXPECT_EQ(f.rails[9].l_next, -8);
  f.point().position = 0;
  EXPECT_EQ(set_point_for_rail(f.point(), 9, -1, f.rails, f.prails), PointMove::Moved);
  EXPECT_EQ(f.point().position, 2);
  // From 1, rail 5 forward is 2; backward wraps past 0 ... 0 is first.
  f.point().position = 1;
  EXPECT_EQ(set_point_for_rail(f.point(), 5, -1, f.rails, f.prails), PointMove::Moved);
  EXPECT_EQ(f.point().position, 0);
  f.point().position = 2;
  EXPECT_EQ(set_point_for_rail(f.point(), 9, 1, f.rails, f.prails), PointMove::AlreadyOpen);
  // From 2, forward wraps to 0 for rail 5... rail 5 is open in 2 already.
  f.set(0, 2, 0, 0, 0);
  EXPECT_EQ(set_point_for_rail(f.point(), 5, 1, f.rails, f.prails), PointMove::Moved);
  EXPECT_EQ(f.point().position, 0);
}

TEST(Map_PointSearchTests, ARailOpenNowhereFailsWithoutChange) {
  PointFixture f;
  f.point().position = 1;
  f.rails[5].l_next = 99;
  EXPECT_EQ(set_point_for_rail(f.point(), 7, 1, f.rails, f.prails), PointMove::NotFound);
  EXPECT_EQ(set_point_for_rail(f.point(), 7, -1, f.rails, f.prails), PointMove::NotFound);
  EXPECT_EQ(f.point().position, 1);
  EXPECT_EQ(f.rails[5].l_next, 99);
  EXPECT_EQ(f.prails[1].open, 0);
}

TEST(Map_PointSearchTests, AStoredPositionOutsideTheCountTriesEveryPosition) {
  PointFixture f;
  f.point().position = 7;
  EXPECT_EQ(set_point_for_rail(f.point(), 5, 1, f.rails, f.prails), PointMove::Moved);
  EXPECT_EQ(f.point().position, 2);  // tried 1, 2: rail 5 closed in 1
  f.point().position = 7;
  f.set(0, 2, 0, 0, 0);
  EXPECT_EQ(set_point_for_rail(f.point(), 5, 1, f.rails, f.prails), PointMove::Moved);
  EXPECT_EQ(f.point().position, 0);  // ... and 0 last
}

TEST(Map_PointSearchTests, APointWithoutPositionsFindsNothing) {
  PointFixture f;
  f.point().position_count = 0;
  EXPECT_EQ(set_point_for_rail(f.point(), 5, 1, f.rails, f.prails), PointMove::NotFound);
  EXPECT_FALSE(step_point(f.point(), 1, f.rails, f.prails));
}

TEST(Map_PointSearchTests, SteppingWithoutARailWrapsBothWays) {
  PointFixture f;
  f.point().position = 2;
  ASSERT_TRUE(step_point(f.point(), 1, f.rails, f.prails));
  EXPECT_EQ(f.point().position, 0);
  EXPECT_EQ(f.rails[5].l_next, 6);
  ASSERT_TRUE(step_point(f.point(), -1, f.rails, f.prails));
  EXPECT_EQ(f.point().position, 2);
  ASSERT_TRUE(step_point(f.point(), -1, f.rails, f.prails));
  EXPECT_EQ(f.point().position, 1);
}

TEST(Map_PointTracksTests, EveryPRailOfAPointRailGetsThePointNumber) {
  PointFixture f;
  f.prails[3].point = 9;  // stale: cleared
  f.points.grow_to(2).rail_count = 1;
  f.points[2].rails[0] = 3000;  // no such rail
  assign_prail_points(f.points, f.rails, f.prails);
  EXPECT_EQ(f.prails[1].point, 1);
  EXPECT_EQ(f.prails[2].point, 1);
  EXPECT_EQ(f.prails[3].point, 0);
}

}  // namespace
}  // namespace vosk::map
