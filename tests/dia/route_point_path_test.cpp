// The point path search between two rails through points only.
#include "dia/point_path.h"

#include <gtest/gtest.h>

#include "route_world.h"

namespace vosk::dia {
namespace {

using route_testing::kRight;
using route_testing::RouteWorld;
using route_testing::TwoStations;

using Events = std::vector<DiaEvent>;

class Dia_RoutePointPathTests : public ::testing::Test {
 protected:
  RouteWorld w;
  TwoStations line{w};
};

TEST_F(Dia_RoutePointPathTests, TriesBranchesInRailNumberOrder) {
  // Behind the siding x lies station C: the search must leave m (the lower
  // number, which reaches B) and take x, whatever the point's position.
  int c = w.add_platform(kRight, w.add_station("C"));
  w.link(line.x, c);
  w.points[line.P].next[1][0] = c;
  w.points[line.P].next[1][1] = c;
  w.context();
  EXPECT_EQ(find_point_path(w.view(), w.index(), line.s, c),
            (Events{{line.x, 0, kEventPointBoth}, {c, 0, kEventEnd}}));
  EXPECT_EQ(find_point_path(w.view(), w.index(), line.s, line.b),
            (Events{{line.m, 0, kEventPointBoth}, {line.b, 0, kEventEnd}}));
  // From the platform before s.
  EXPECT_EQ(find_point_path(w.view(), w.index(), line.a, c),
            (Events{{line.x, 0, kEventPointBoth}, {c, 0, kEventEnd}}));
}

TEST_F(Dia_RoutePointPathTests, GoalOnABranchEndsTheSearchThere) {
  w.context();
  EXPECT_EQ(find_point_path(w.view(), w.index(), line.a, line.x),
            (Events{{line.x, 0, kEventPointBoth}, {line.x, 0, kEventEnd}}));
  // The goal right after the start, without any point.
  EXPECT_EQ(find_point_path(w.view(), w.index(), line.a, line.s), (Events{{line.s, 0, kEventEnd}}));
}

TEST_F(Dia_RoutePointPathTests, PathMayNotPassAStation) {
  int f = w.add_rail(kRight);
  w.link(line.e, f);
  w.context();
  // a → … → b (station B) → e → f: B lies in the way.
  EXPECT_FALSE(find_point_path(w.view(), w.index(), line.a, f));
  EXPECT_FALSE(find_point_path(w.view(), w.index(), line.a, line.e));
}

TEST_F(Dia_RoutePointPathTests, EndOfLineAndUnknownRailsFail) {
  w.context();
  EXPECT_FALSE(find_point_path(w.view(), w.index(), line.e, line.a));
  EXPECT_FALSE(find_point_path(w.view(), w.index(), 0, line.b));
  EXPECT_FALSE(find_point_path(w.view(), w.index(), line.a, 999));
}

TEST_F(Dia_RoutePointPathTests, TrailingPointIsRecordedAsTypeFive) {
  RouteWorld v;
  int g = v.add_rail(kRight);
  int h = v.add_rail(kRight);
  int k = v.add_rail(kRight);
  int c = v.add_platform(kRight, v.add_station("C"));
  v.add_point({{k, {c, c}, {g, h}}}, 1);  // k comes from h now
  v.rails[g].l_next = -k;
  v.context();
  EXPECT_EQ(find_point_path(v.view(), v.index(), g, c),
            (Events{{k, 0, kEventPoint}, {c, 0, kEventEnd}}));
}

TEST_F(Dia_RoutePointPathTests, LoopWithoutTheGoalEnds) {
  // A circle of plain rails and one point whose other branch is dead.
  RouteWorld v;
  int r1 = v.add_rail(kRight);
  int r2 = v.add_rail(kRight);
  int b1 = v.add_rail(kRight);
  int b2 = v.add_rail(kRight);
  int goal = v.add_rail(kRight);  // not linked anywhere
  v.add_facing_point(r2, b1, r1, b2, 0);
  v.link(r1, r2);
  v.context();
  EXPECT_FALSE(find_point_path(v.view(), v.index(), r1, goal));
}

}  // namespace
}  // namespace vosk::dia
