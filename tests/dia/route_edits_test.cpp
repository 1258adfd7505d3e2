// Moving a run's start, attaching the next working, extending a run and
// setting a duty's first working.
#include "dia/route_edits.h"

#include <gtest/gtest.h>

#include "base/sjis.h"
#include "route_world.h"

namespace vosk::dia {
namespace {

using route_testing::kLeft;
using route_testing::kRight;
using route_testing::RouteWorld;
using route_testing::TwoStations;

using Events = std::vector<DiaEvent>;

constexpr int t10 = 36000;

// Station A gets a second track a2, reached through a facing point Q at its
// entrance; both tracks lead to s and the main point P:
//
//   w0 → Q ─ y1 → a  ─┐
//          └ y2 → a2 ─┴→ s → P ─ m → b (B) → e
//                              └ x (dead end)
class Dia_RouteEditsTests : public ::testing::Test {
 protected:
  Dia_RouteEditsTests() {
    w0 = w.add_rail(kRight);
    y1 = w.add_rail(kRight);
    y2 = w.add_rail(kRight);
    a2 = w.add_platform(kRight, line.A);
    w.add_facing_point(w0, y1, line.a, y2, a2);
    w.rails[a2].l_next = -line.s;  // joins s without taking its back link
    b_left = w.add_platform(kLeft, line.B, w.rails[line.b].l_pack);  // b's twin
    w0_left = w.add_rail(kLeft, 0, 0, w.rails[w0].l_pack);
    lone_left = w.add_rail(kLeft);
    w.set_running_time(w0, y2, kEventPointBoth, 20);
  }

  RouteWorld w;
  TwoStations line{w};
  int w0 = 0, y1 = 0, y2 = 0, a2 = 0, b_left = 0, w0_left = 0, lone_left = 0;
};

TEST_F(Dia_RouteEditsTests, MovingTheStartReplacesThePointsBeforeTheFirstStop) {
  const RouteContext& ctx = w.context();
  int n = w.add_run_events({{line.a, t10, kEventStop},
                            {line.m, 5, kEventPointBoth},
                            {line.b, t10 + 300, kEventArrival}});
  ASSERT_TRUE(move_run_start(ctx, w.dia, n, line.s));
  EXPECT_EQ(w.events(n), (Events{{line.s, t10, kEventStop},
                                 {line.m, 0, kEventPointBoth},  // no running time from s
                                 {line.b, t10 + 300, kEventArrival},
                                 {line.b, t10 + 300, kEventEnd}}));
}

TEST_F(Dia_RouteEditsTests, MovedStartIsTimedFromTheNewStartRail) {
  const RouteContext& ctx = w.context();
  // From w0 every way to B crosses one of A's platforms: no path.
  int n = w.add_run_events({{line.s, t10, kEventStop},
                            {line.m, 0, kEventPointBoth},
                            {line.b, t10 + 300, kEventArrival}});
  const Events before = w.events(n);
  EXPECT_FALSE(move_run_start(ctx, w.dia, n, w0));
  EXPECT_EQ(w.events(n), before);

  // A run whose first stop is A's second track: from w0 through Q's branch.
  int r = w.add_run_events({{y2, t10, kEventStop}, {a2, t10 + 60, kEventArrival}});
  ASSERT_TRUE(move_run_start(ctx, w.dia, r, w0));
  EXPECT_EQ(w.events(r), (Events{{w0, t10, kEventStop},
                                 {y2, t10 + 20, kEventPointBoth},
                                 {a2, t10 + 60, kEventArrival},
                                 {a2, t10 + 60, kEventEnd}}));
}

TEST_F(Dia_RouteEditsTests, StartRailOfTheOtherDirectionGivesWayToItsTwin) {
  const RouteContext& ctx = w.context();
  int r = w.add_run_events({{y2, t10, kEventStop}, {a2, t10 + 60, kEventArrival}});
  EXPECT_FALSE(move_run_start(ctx, w.dia, r, lone_left));  // no twin
  ASSERT_TRUE(move_run_start(ctx, w.dia, r, w0_left));
  EXPECT_EQ(w.events(r)[0], (DiaEvent{w0, t10, kEventStop}));
}

TEST_F(Dia_RouteEditsTests, RunsWithoutAStopAfterTheStartCannotMove) {
  const RouteContext& ctx = w.context();
  int temporary = w.add_run(line.a, 0);
  init_temporary_diagram(w.dia.diagrams[temporary], line.a, kRight);
  EXPECT_FALSE(move_run_start(ctx, w.dia, temporary, line.s));
  int empty = w.add_run(line.a, t10);
  w.dia.diagrams[empty].events.clear();
  EXPECT_FALSE(move_run_start(ctx, w.dia, empty, line.s));
  EXPECT_TRUE(w.events(empty).empty());
  EXPECT_FALSE(move_run_start(ctx, w.dia, 77, line.s));
}

TEST_F(Dia_RouteEditsTests, NextWorkingOnTheSameTrackIsLinkedAsItStands) {
  const RouteContext& ctx = w.context();
  int first = w.add_run_events({{line.a, t10, kEventStop}, {line.b, t10 + 300, kEventArrival}});
  int next = w.add_run_events({{b_left, t10 + 600, kEventStop}, {b_left, 0, kEventArrival}}, kLeft);
  w.dia.units.grow_to(1) = Unit{.first_diagram = first, .train = 0, .series = 1, .name = "U"};
  const Events before = w.events(next);
  ASSERT_TRUE(attach_next_working(ctx, w.dia, first, next));
  EXPECT_EQ(w.dia.diagrams[first].next_working, next);
  EXPECT_EQ(w.events(next), before);
  EXPECT_EQ(w.dia.diagrams[next].run.owning_unit, 1);  // owners recomputed
}

TEST_F(Dia_RouteEditsTests, NextWorkingOnAnotherTrackOfThePlaceIsMovedThere) {
  const RouteContext& ctx = w.context();
  int first = w.add_run_events({{y1, t10, kEventStop}, {line.a, t10 + 60, kEventArrival}});
  int next = w.add_run_events({{a2, t10 + 600, kEventStop},
                               {line.m, 0, kEventPointBoth},
                               {line.b, t10 + 900, kEventArrival}});
  ASSERT_TRUE(attach_next_working(ctx, w.dia, first, next));
  EXPECT_EQ(w.events(next), (Events{{line.a, t10 + 600, kEventStop},
                                    {line.m, 0, kEventPointBoth},
                                    {line.b, t10 + 900, kEventArrival},
                                    {line.b, t10 + 900, kEventEnd}}));
  EXPECT_EQ(w.dia.diagrams[first].next_working, next);
}

TEST_F(Dia_RouteEditsTests, NextWorkingElsewhereIsNotLinked) {
  const RouteContext& ctx = w.context();
  int first = w.add_run_events({{line.a, t10, kEventStop}, {line.b, t10 + 300, kEventArrival}});
  int next = w.add_run_events({{line.a, t10 + 600, kEventStop}, {line.b, 0, kEventArrival}});
  const Events before = w.events(next);
  EXPECT_FALSE(attach_next_working(ctx, w.dia, first, next));
  EXPECT_EQ(w.dia.diagrams[first].next_working, 0);
  EXPECT_EQ(w.events(next), before);
  EXPECT_FALSE(attach_next_working(ctx, w.dia, first, first));
  EXPECT_FALSE(attach_next_working(ctx, w.dia, first, 55));
  // A diagram without events (no route yet) on either side.
  int empty = w.add_run(line.b, t10);
  w.dia.diagrams[empty].events.clear();
  EXPECT_FALSE(attach_next_working(ctx, w.dia, first, empty));
  EXPECT_FALSE(attach_next_working(ctx, w.dia, empty, next));
  EXPECT_EQ(w.dia.diagrams[first].next_working, 0);
}

TEST_F(Dia_RouteEditsTests, NextWorkingThatCannotBeMovedKeepsItsStart) {
  const RouteContext& ctx = w.context();
  // Ends on a2; the next run stands on a, A's other track, which no point
  // path from a2 reaches.
  int first = w.add_run_events({{y2, t10, kEventStop}, {a2, t10 + 60, kEventArrival}});
  int next = w.add_run_events({{line.a, t10 + 600, kEventStop}, {line.a, 0, kEventArrival}});
  const Events before = w.events(next);
  EXPECT_FALSE(attach_next_working(ctx, w.dia, first, next));
  EXPECT_EQ(w.events(next), before);
  EXPECT_EQ(w.dia.diagrams[first].next_working, 0);
}

class Dia_RouteExtendTests : public ::testing::Test {
 protected:
  Dia_RouteExtendTests() {
    C = w.add_station("C");
    c = w.add_platform(kRight, C);
    f = w.add_rail(kRight);
    w.chain({line.e, c, f});
    w.set_running_time(line.b, c, kEventArrival, 120);
  }
  RouteWorld w;
  TwoStations line{w};
  int C = 0, c = 0, f = 0;
};

TEST_F(Dia_RouteExtendTests, EndBecomesAStopAndTheRouteContinues) {
  w.context();
  StandardRouteFollowUp follow_up(w.view(), w.index(), w.timing(), true);
  const RouteContext& ctx = w.context(&follow_up);
  int n = w.add_run_events({{line.a, t10, kEventStop},
                            {line.m, 0, kEventPointBoth},
                            {line.b, t10 + 300, kEventArrival}});
  // The next working stands at B: once the run ends at C the link is gone.
  int next = w.add_run_events({{line.b, t10 + 900, kEventStop}, {line.b, 0, kEventArrival}});
  w.dia.diagrams[n].next_working = next;

  EditResult result = extend_run(ctx, w.dia, n);
  ASSERT_TRUE(result.ok()) << result.text();
  EXPECT_EQ(w.events(n), (Events{{line.a, t10, kEventStop},
                                 {line.m, 0, kEventPointBoth},
                                 {line.b, t10 + 300, kEventArrival},
                                 {line.b, t10 + 345, kEventStop},  // + 45 s default
                                 {c, t10 + 465, kEventArrival},    // re-timed: 345 + 120
                                 {c, t10 + 465, kEventEnd}}));
  EXPECT_EQ(w.dia.diagrams[n].next_working, 0);
  EXPECT_EQ(w.dia.diagrams[n].destination, C);
  EXPECT_EQ(w.dia.diagrams[n].destination_text, "C");
}

TEST_F(Dia_RouteExtendTests, StopTimeComesFromTheTypeIndependentLookup) {
  w.set_stop_seconds(line.B, 60);
  set_stop_time(w.tables.stop_times, StopTimeKey{line.B, 0, kStopTime, 1, 0}, 300);  // type 1 only
  const RouteContext& ctx = w.context();
  int n = w.add_run_events({{line.a, t10, kEventStop}, {line.b, t10 + 300, kEventArrival}});
  ASSERT_TRUE(extend_run(ctx, w.dia, n).ok());
  EXPECT_EQ(w.events(n)[2], (DiaEvent{line.b, t10 + 360, kEventStop}));
}

TEST_F(Dia_RouteExtendTests, ExecutedDiaStartsNoEarlierThanTheSimulatedTime) {
  const RouteContext& ctx = w.context();
  int n = w.add_run_events({{line.a, t10, kEventStop}, {line.b, t10 + 300, kEventArrival}});
  ASSERT_TRUE(extend_run(ctx, w.dia, n, t10 + 1000).ok());
  EXPECT_EQ(w.events(n)[2], (DiaEvent{line.b, t10 + 1000, kEventStop}));
  // An earlier simulated time does not pull it back; 01:00 lies after 23:00.
  int late = w.add_run_events({{line.a, 82800, kEventStop}, {line.b, 82800, kEventArrival}});
  ASSERT_TRUE(extend_run(ctx, w.dia, late, 3600).ok());
  EXPECT_EQ(w.events(late)[2], (DiaEvent{line.b, 3600, kEventStop}));
  int early = w.add_run_events({{line.a, t10, kEventStop}, {line.b, t10, kEventArrival}});
  ASSERT_TRUE(extend_run(ctx, w.dia, early, t10 - 600).ok());
  EXPECT_EQ(w.events(early)[2], (DiaEvent{line.b, t10 + 45, kEventStop}));
}

TEST_F(Dia_RouteExtendTests, NoFurtherRouteKeepsTheOldEnd) {
  const RouteContext& ctx = w.context();
  int n = w.add_run_events({{line.a, t10, kEventStop}, {c, t10 + 300, kEventArrival}});
  const Events before = w.events(n);
  EditResult result = extend_run(ctx, w.dia, n);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.caption(), "経路エラー");
  EXPECT_EQ(result.text(), "これ以上の経路が見つかりません。");
  EXPECT_EQ(w.events(n), before);

  int empty = w.add_run(line.a, t10);
  w.dia.diagrams[empty].events.clear();  // no route yet
  EXPECT_EQ(extend_run(ctx, w.dia, empty).caption(), "経路エラー");
  EXPECT_TRUE(w.events(empty).empty());
  EXPECT_FALSE(extend_run(ctx, w.dia, 88).ok());
}

TEST_F(Dia_RouteExtendTests, UnsetEndTimeStaysUnset) {
  const RouteContext& ctx = w.context();
  int n = w.add_run_events({{line.a, t10, kEventStop}, {line.b, 0, kEventArrival}});
  ASSERT_TRUE(extend_run(ctx, w.dia, n).ok());
  EXPECT_EQ(w.events(n)[2], (DiaEvent{line.b, 0, kEventStop}));
}

class Dia_RouteFirstWorkingTests : public Dia_RouteEditsTests {
 protected:
  Dia_RouteFirstWorkingTests() {
    Train& duty = w.dia.trains.grow_to(1);
    duty.initial_rail = line.s;
    duty.position.current_rail = line.s;
    duty.head_unit = 1;
    w.dia.units.grow_to(1) = Unit{.first_diagram = 0, .train = 1, .series = 1, .name = "U"};
  }
};

TEST_F(Dia_RouteFirstWorkingTests, StartMovesToTheDutysRail) {
  const RouteContext& ctx = w.context();
  int n = w.add_run_events({{line.a, t10, kEventStop},
                            {line.m, 0, kEventPointBoth},
                            {line.b, t10 + 300, kEventArrival}});
  ASSERT_TRUE(set_first_working(ctx, w.dia, 1, n).ok());
  EXPECT_EQ(w.events(n)[0], (DiaEvent{line.s, t10, kEventStop}));
  EXPECT_EQ(w.dia.trains[1].first_diagram, n);
  EXPECT_EQ(w.dia.units[1].first_diagram, n);
  EXPECT_EQ(w.dia.diagrams[n].run.owning_unit, 1);
}

TEST_F(Dia_RouteFirstWorkingTests, NoRouteFromTheDutysRailChangesNothing) {
  w.dia.trains[1].position.current_rail = w0;
  const RouteContext& ctx = w.context();
  int n = w.add_run_events({{line.a, t10, kEventStop},
                            {line.m, 0, kEventPointBoth},
                            {line.b, t10 + 300, kEventArrival}});
  const Events before = w.events(n);
  EditResult result = set_first_working(ctx, w.dia, 1, n);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.caption(), "進路エラー");
  EXPECT_EQ(result.text(), "このダイヤを設定した場合、経路が見つかりません。");
  EXPECT_EQ(w.events(n), before);
  EXPECT_EQ(w.dia.trains[1].first_diagram, 0);
  EXPECT_EQ(w.dia.units[1].first_diagram, 0);
}

TEST_F(Dia_RouteFirstWorkingTests, RunAlreadyThereOrWithoutRouteIsSetAsItStands) {
  const RouteContext& ctx = w.context();
  int n = w.add_run_events({{line.s, t10, kEventStop}, {line.b, t10 + 300, kEventArrival}});
  const Events before = w.events(n);
  ASSERT_TRUE(set_first_working(ctx, w.dia, 1, n).ok());
  EXPECT_EQ(w.events(n), before);

  int empty = w.add_run(line.a, t10);
  w.dia.diagrams[empty].events.clear();
  ASSERT_TRUE(set_first_working(ctx, w.dia, 1, empty).ok());
  EXPECT_EQ(w.dia.trains[1].first_diagram, empty);
  EXPECT_FALSE(set_first_working(ctx, w.dia, 9, n).ok());  // no such duty
}

}  // namespace
}  // namespace vosk::dia
