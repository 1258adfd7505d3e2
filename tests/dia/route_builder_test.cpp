// The route builder: stop modes, points, the retry on a dead-end branch and
// the closing rules.
#include "dia/route_builder.h"

#include <gtest/gtest.h>

#include "route_world.h"

namespace vosk::dia {
namespace {

using route_testing::kRight;
using route_testing::RouteWorld;
using route_testing::TwoStations;

using Events = std::vector<DiaEvent>;

constexpr int t10 = 36000;  // 10:00:00

class Dia_RouteBuilderTests : public ::testing::Test {
 protected:
  RouteWorld w;
  TwoStations line{w};

  StopPlan plan() const { return StopPlan(w.targets.extent(), w.points.extent()); }
};

TEST_F(Dia_RouteBuilderTests, AutomaticStopEndsAsArrivalWithEndEntry) {
  const RouteContext& ctx = w.context();
  int n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, plan()));
  // Default stop time 45 s > 0: B is a stop, closed into the final arrival;
  // its time is unset (0) and stays 0.
  EXPECT_EQ(w.events(n), (Events{{line.a, t10, kEventStop},
                                 {line.m, 0, kEventPointBoth},
                                 {line.b, 0, kEventArrival},
                                 {line.b, 0, kEventEnd}}));
}

TEST_F(Dia_RouteBuilderTests, StartOnADeadEndCannotBeBuilt) {
  const RouteContext& ctx = w.context();
  int n = w.add_run(line.e, t10);  // e is the end of the line
  const Events before = w.events(n);
  EXPECT_FALSE(build_route(ctx, w.dia, n, plan()));
  EXPECT_EQ(w.events(n), before);
}

TEST_F(Dia_RouteBuilderTests, RouteThatMeetsNothingFails) {
  // b → e: e is the end of the line and no station or point lies between.
  const RouteContext& ctx = w.context();
  int n = w.add_run(line.b, t10);
  const Events before = w.events(n);
  EXPECT_FALSE(build_route(ctx, w.dia, n, plan()));
  EXPECT_EQ(w.events(n), before);
}

TEST_F(Dia_RouteBuilderTests, AutomaticModeWithZeroStopTimeIsAPass) {
  int C = w.add_station("C");
  int c = w.add_platform(kRight, C);
  int f = w.add_platform(kRight, w.add_station("F"));
  w.chain({line.e, c, f});
  w.set_stop_seconds(line.B, 0);
  const RouteContext& ctx = w.context();
  int n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, plan()));
  const Events& e = w.events(n);
  ASSERT_EQ(e.size(), 6u);
  EXPECT_EQ(e[2], (DiaEvent{line.b, 0, kEventPass}));
  EXPECT_EQ(e[3], (DiaEvent{c, 0, kEventStop}));  // 45 s by default: a stop
  EXPECT_EQ(e[4], (DiaEvent{f, 0, kEventArrival}));
}

TEST_F(Dia_RouteBuilderTests, FinalStopBecomesArrivalLoweredByTheStopTime) {
  w.set_stop_seconds(line.B, 30);
  const RouteContext& ctx = w.context();
  StopPlan p = plan();
  p.set_stop(line.B, kModeStop, 36030);  // 10:00:30
  int n = w.add_run(line.a, 35000);
  ASSERT_TRUE(build_route(ctx, w.dia, n, p));
  const Events& e = w.events(n);
  EXPECT_EQ(e[e.size() - 2], (DiaEvent{line.b, 36000, kEventArrival}));  // 10:00:00
  EXPECT_EQ(e.back(), (DiaEvent{line.b, 36000, kEventEnd}));
}

TEST_F(Dia_RouteBuilderTests, FinalPassAlsoBecomesTheArrival) {
  const RouteContext& ctx = w.context();
  StopPlan p = plan();
  p.set_stop(line.B, kModePass, 36100);
  int n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, p));
  const Events& e = w.events(n);
  EXPECT_EQ(e[e.size() - 2], (DiaEvent{line.b, 36100 - 45, kEventArrival}));
}

TEST_F(Dia_RouteBuilderTests, FinalArrivalAndDepartureCloseOnTheDeparture) {
  w.set_running_time(line.a, line.b, kEventArrival, 240);
  const RouteContext& ctx = w.context();
  StopPlan p = plan();
  p.set_stop(line.B, kModeArriveDepart, 36600);
  int n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, p));
  // The arrival is timed from the departure at A; the departure becomes the
  // end entry.
  EXPECT_EQ(w.events(n), (Events{{line.a, t10, kEventStop},
                                 {line.m, 0, kEventPointBoth},
                                 {line.b, t10 + 240, kEventArrival},
                                 {line.b, 36600, kEventEnd}}));
}

class Dia_RouteModesTests : public Dia_RouteBuilderTests {
 protected:
  Dia_RouteModesTests() {
    C = w.add_station("C");
    D = w.add_station("D");
    c = w.add_platform(kRight, C);
    d = w.add_platform(kRight, D);
    f = w.add_rail(kRight);
    w.chain({line.e, c, d, f});
  }
  int C = 0, D = 0, c = 0, d = 0, f = 0;
};

TEST_F(Dia_RouteModesTests, EachModeEmitsItsEvents) {
  w.set_running_time(line.a, c, kEventArrival, 600);
  w.set_running_time(line.a, d, kEventArrival, 700);  // D's anchor is C's departure, not A
  const RouteContext& ctx = w.context();
  for (int mode : {kModeStop, kModePass, kModeStopNoSearch}) {
    StopPlan p = plan();
    p.set_stop(line.B, mode, 36300);
    int n = w.add_run(line.a, t10);
    ASSERT_TRUE(build_route(ctx, w.dia, n, p));
    int expected = mode == kModeStop   ? kEventStop
                   : mode == kModePass ? kEventPass
                                       : kEventStopNoSearch;
    EXPECT_EQ(w.events(n)[2], (DiaEvent{line.b, 36300, expected})) << "mode " << mode;
  }

  StopPlan p = plan();
  p.set_stop(line.B, kModePass, 36300);
  p.set_stop(C, kModeArriveDepart, 36700);
  p.set_stop(D, kModeArriveDepartNoSearch, 37000);
  int n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, p));
  EXPECT_EQ(w.events(n), (Events{{line.a, t10, kEventStop},
                                 {line.m, 0, kEventPointBoth},
                                 {line.b, 36300, kEventPass},
                                 {c, t10 + 600, kEventArrival},
                                 {c, 36700, kEventStop},
                                 {d, 0, kEventArrival},  // C's departure is the anchor: no time
                                 {d, 37000, kEventEnd}}));
}

TEST_F(Dia_RouteModesTests, ArrivalWithoutAnyEarlierDepartureIsUnset) {
  w.set_running_time(line.a, c, kEventArrival, 600);
  const RouteContext& ctx = w.context();
  StopPlan p = plan();
  p.set_stop(line.B, kModePass, 0);
  p.set_stop(C, kModeArriveDepart, 36700);
  int n = w.add_run(line.a, t10);
  w.dia.diagrams[n].events[0].type = kEventPass;  // a start that is no departure
  ASSERT_TRUE(build_route(ctx, w.dia, n, p));
  EXPECT_EQ(w.events(n)[3], (DiaEvent{c, 0, kEventArrival}));
}

TEST_F(Dia_RouteModesTests, TerminalEndsTheRouteBeforeTheEndOfTheLine) {
  const RouteContext& ctx = w.context();
  StopPlan p = plan();
  p.set_stop(C, kModeTerminal, 36900);
  int n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, p));
  const Events& e = w.events(n);
  ASSERT_EQ(e.size(), 5u);
  EXPECT_EQ(e[3], (DiaEvent{c, 36900, kEventArrival}));
  EXPECT_EQ(e[4], (DiaEvent{c, 36900, kEventEnd}));
}

TEST_F(Dia_RouteModesTests, UnknownModeCountsAsAutomatic) {
  const RouteContext& ctx = w.context();
  StopPlan p = plan();
  p.set_stop(C, 5, 36900);
  int n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, p));
  EXPECT_EQ(w.events(n)[3], (DiaEvent{c, 36900, kEventStop}));
}

TEST_F(Dia_RouteBuilderTests, ChosenBranchAndPointSettingAreFollowed) {
  // Behind the siding x lies station C; the point stands on the main line.
  int C = w.add_station("C");
  int c = w.add_platform(kRight, C);
  w.link(line.x, c);
  w.points[line.P].next[1][0] = c;
  w.points[line.P].next[1][1] = c;
  const RouteContext& ctx = w.context();
  StopPlan p = plan();
  p.set_point(line.P, line.x, 7);
  int n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, p));
  EXPECT_EQ(w.events(n), (Events{{line.a, t10, kEventStop},
                                 {line.x, 7, kEventPointBoth},
                                 {c, 0, kEventArrival},
                                 {c, 0, kEventEnd}}));

  // A chosen branch that does not follow the approaching rail is ignored.
  p.set_point(line.P, line.e, 7);
  n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, p));
  EXPECT_EQ(w.events(n)[1], (DiaEvent{line.m, 7, kEventPointBoth}));
}

TEST_F(Dia_RouteBuilderTests, PointMovedAfterTheIndexWasBuiltIsFollowed) {
  // Station C behind the siding; the index is built with the point on the
  // main line, then the panel moves it.
  int c = w.add_platform(kRight, w.add_station("C"));
  w.link(line.x, c);
  w.points[line.P].next[1][0] = c;
  w.points[line.P].next[1][1] = c;
  const RouteContext& ctx = w.context();
  ASSERT_TRUE(map::set_point_position(w.points[line.P], 1, w.rails, w.prails));
  int n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, StopPlan()));
  EXPECT_EQ(w.events(n)[1], (DiaEvent{line.x, 0, kEventPointBoth}));
  EXPECT_EQ(w.events(n)[2].rail, c);
  // Both branches stay known to the index whatever the position.
  EXPECT_EQ(current_followers(w.view(), w.index(), line.s), (std::vector<int>{line.m, line.x}));
  std::span<const int> possible = w.index().possible_followers(line.s);
  EXPECT_EQ(std::vector<int>(possible.begin(), possible.end()), (std::vector<int>{line.m, line.x}));
  EXPECT_TRUE(w.index().possible_followers(999).empty());
  EXPECT_TRUE(w.index().lists_both_ways(line.P, line.s));
  EXPECT_FALSE(w.index().lists_both_ways(line.P, line.m));
}

TEST_F(Dia_RouteBuilderTests, TrailingPointGivesTypeFive) {
  // Point Q joins rails g and h into k; a run from g meets Q at k from a side
  // the route table names only one way.
  int g = w.add_rail(kRight);
  int h = w.add_rail(kRight);
  int k = w.add_rail(kRight);
  int C = w.add_station("C");
  int c = w.add_platform(kRight, C);
  w.link(k, c);
  int Q = w.add_point({{k, {c, c}, {g, h}}});
  w.rails[g].l_next = k;
  w.rails[h].l_next = -k;
  int start = w.add_platform(kRight, w.add_station("S"));
  w.link(start, g);
  const RouteContext& ctx = w.context();
  StopPlan p = plan();
  p.set_point(Q, 0, 3);
  int n = w.add_run(start, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, p));
  EXPECT_EQ(w.events(n)[1], (DiaEvent{k, 3, kEventPoint}));
}

TEST_F(Dia_RouteBuilderTests, DeadEndBranchIsRetriedOnTheOtherBranch) {
  // The point stands on the dead-end siding.
  RouteWorld w2;
  TwoStations line2(w2, 1);
  const RouteContext& ctx = w2.context();
  int n = w2.add_run(line2.a, t10);
  ASSERT_TRUE(build_route(ctx, w2.dia, n, StopPlan()));
  EXPECT_EQ(w2.events(n), (Events{{line2.a, t10, kEventStop},
                                  {line2.m, 0, kEventPointBoth},
                                  {line2.b, 0, kEventArrival},
                                  {line2.b, 0, kEventEnd}}));

  // The same when the siding is the chosen branch.
  StopPlan p;
  p.set_point(line.P, line.x, 0);
  const RouteContext& ctx1 = w.context();
  n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx1, w.dia, n, p));
  EXPECT_EQ(w.events(n)[1], (DiaEvent{line.m, 0, kEventPointBoth}));
}

TEST_F(Dia_RouteBuilderTests, RouteIsCutBackToTheLastStationWhenEveryBranchIsDead) {
  // After B a second facing point R whose two branches both end nowhere.
  int y1 = w.add_rail(kRight);
  int y2 = w.add_rail(kRight);
  w.add_facing_point(line.e, y1, 0, y2, 0);
  const RouteContext& ctx = w.context();
  StopPlan p = plan();
  p.set_stop(line.B, kModeStop, 36300);
  int n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, p));
  EXPECT_EQ(w.events(n), (Events{{line.a, t10, kEventStop},
                                 {line.m, 0, kEventPointBoth},
                                 {line.b, 36300 - 45, kEventArrival},
                                 {line.b, 36300 - 45, kEventEnd}}));
}

TEST_F(Dia_RouteBuilderTests, RouteOfOnlyDeadPointsFails) {
  // From the siding's approach with nothing but a dead end behind every branch.
  RouteWorld w2;
  int s = w2.add_platform(kRight, w2.add_station("S"));
  int y1 = w2.add_rail(kRight);
  int y2 = w2.add_rail(kRight);
  w2.add_facing_point(s, y1, 0, y2, 0);
  const RouteContext& ctx = w2.context();
  int n = w2.add_run(s, t10);
  const Events before = w2.events(n);
  EXPECT_FALSE(build_route(ctx, w2.dia, n, StopPlan()));
  EXPECT_EQ(w2.events(n), before);
}

TEST_F(Dia_RouteBuilderTests, LoopLineEndsWithinTheEventRoom) {
  // A circle: a → s → P(m) → b → e → a ...
  w.link(line.e, line.a);
  const RouteContext& ctx = w.context();
  int n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, StopPlan()));
  const Events& e = w.events(n);
  EXPECT_LE(e.size(), static_cast<std::size_t>(1 + w.index().event_room() + 1));
  EXPECT_EQ(e.back().type, kEventEnd);
  EXPECT_EQ(e[e.size() - 2].type, kEventArrival);
}

TEST_F(Dia_RouteBuilderTests, DiagramWithoutEventsIsARunWithNoRouteYet) {
  const RouteContext& ctx = w.context();
  int n = w.add_run(line.a, t10);
  w.dia.diagrams[n].events.clear();
  EXPECT_FALSE(build_route(ctx, w.dia, n, StopPlan()));
  EXPECT_FALSE(rebuild_route(ctx, w.dia, n));
  EXPECT_TRUE(w.events(n).empty());
  EXPECT_FALSE(rebuild_route(ctx, w.dia, 99));  // no such run
  EXPECT_FALSE(rebuild_route(ctx, w.dia, -1));
}

TEST_F(Dia_RouteBuilderTests, RebuildReproducesTheRouteFromItsOwnPlan) {
  w.set_running_time(line.a, line.b, kEventArrival, 240);
  const RouteContext& ctx = w.context();
  int n = w.add_run_events({{line.a, t10, kEventStop},
                            {line.m, 4, kEventPointBoth},
                            {line.b, t10 + 240, kEventArrival},
                            {line.b, t10 + 300, kEventStop}},
                           kRight);
  // As stored, a final stop after an arrival; rebuilt, it closes the run.
  ASSERT_TRUE(rebuild_route(ctx, w.dia, n));
  EXPECT_EQ(w.events(n), (Events{{line.a, t10, kEventStop},
                                 {line.m, 4, kEventPointBoth},
                                 {line.b, t10 + 240, kEventArrival},
                                 {line.b, t10 + 300, kEventEnd}}));
}

struct RecordingFollowUp : RouteFollowUp {
  std::vector<std::string> calls;
  void relink(DiaTables&, int n, int next) override {
    calls.push_back("relink " + std::to_string(n) + " " + std::to_string(next));
  }
  void retime(DiaTables&, int n, std::size_t first) override {
    calls.push_back("retime " + std::to_string(n) + " " + std::to_string(first));
  }
};

TEST_F(Dia_RouteBuilderTests, SuccessRelinksThenRetimesAndFailureCallsNothing) {
  RecordingFollowUp follow_up;
  const RouteContext& ctx = w.context(&follow_up);
  int n = w.add_run(line.a, t10);
  StopPlan p = plan();
  p.next_working = 5;
  ASSERT_TRUE(build_route(ctx, w.dia, n, p));
  EXPECT_EQ(follow_up.calls, (std::vector<std::string>{"relink 1 5", "retime 1 0"}));

  follow_up.calls.clear();
  int dead = w.add_run(line.e, t10);
  EXPECT_FALSE(build_route(ctx, w.dia, dead, p));
  EXPECT_TRUE(follow_up.calls.empty());
}

TEST_F(Dia_RouteBuilderTests, LinksThatNameNoRailEndTheLine) {
  w.rails[line.e].l_next = 999;      // beyond the table
  w.rails[line.b].l_next = -line.e;  // negative links name rails too
  const RouteContext& ctx = w.context();
  int n = w.add_run(line.a, t10);
  ASSERT_TRUE(build_route(ctx, w.dia, n, StopPlan()));
  EXPECT_EQ(w.events(n).back(), (DiaEvent{line.b, 0, kEventEnd}));
  EXPECT_EQ(w.view().next_rail(line.e), 0);
  EXPECT_EQ(w.view().next_rail(line.b), line.e);
}

}  // namespace
}  // namespace vosk::dia
