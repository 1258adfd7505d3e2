// Switching a point on a run's route.
#include "dia/point_switch.h"

#include <gtest/gtest.h>

#include "dia/route_builder.h"
#include "dia/workings_follow_up.h"
#include "route_world.h"

namespace vosk::dia {
namespace {

using route_testing::kRight;
using route_testing::RouteWorld;
using route_testing::TwoStations;

constexpr int t10 = 36000;

// The siding x of the two-station line leads to a second platform b2 of B.
class Dia_PointSwitchTests : public ::testing::Test {
 protected:
  Dia_PointSwitchTests() {
    b2 = w.add_platform(kRight, line.B);
    w.link(line.x, b2);
    n = w.add_run(line.a, t10);
    ctx_ = &w.context();
  }
  void SetUp() override { ASSERT_TRUE(rebuild_route(*ctx_, w.dia, n)); }
  int last_rail(int run) const {
    const Diagram& d = w.dia.diagrams[run];
    return d.events[d.event_count() - 1].rail;
  }

  RouteWorld w;
  TwoStations line{w};
  int b2 = 0, n = 0;
  const RouteContext* ctx_ = nullptr;
};

TEST_F(Dia_PointSwitchTests, TheOtherBranchIsTakenAndTheRouteBuiltOn) {
  ASSERT_EQ(w.events(n)[1].rail, line.m);
  ASSERT_TRUE(switch_point(*ctx_, w.dia, n, 1).ok());
  EXPECT_EQ(w.events(n)[1].rail, line.x);
  EXPECT_EQ(last_rail(n), b2);
  // Cyclic order: switching again comes back to the main line.
  ASSERT_TRUE(switch_point(*ctx_, w.dia, n, 1).ok());
  EXPECT_EQ(last_rail(n), line.b);
  EXPECT_EQ(switch_point(*ctx_, w.dia, n, 0).status(), EditResult::Status::Declined);
}

TEST_F(Dia_PointSwitchTests, RefusalsLeaveTheRunAsItWas) {
  const std::vector<DiaEvent> before = w.events(n);
  w.dia.diagrams[n].applied_pattern = 1;
  EditResult pattern = switch_point(*ctx_, w.dia, n, 1);
  EXPECT_EQ(pattern.caption(), "操作エラー");
  EXPECT_EQ(pattern.text(), "ダイヤパターンが適用されているダイヤのポイントの変更はできません。");
  w.dia.diagrams[n].applied_pattern = 0;

  w.rails[line.x].l_next = 0;  // the siding is a dead end again
  EditResult dead_end = switch_point(*ctx_, w.dia, n, 1);
  EXPECT_EQ(dead_end.caption(), "ポイントエラー");
  EXPECT_EQ(dead_end.text(), "ポイントを切り替えた場合に、経路が見つかりません。");
  EXPECT_EQ(w.events(n), before);
}

TEST_F(Dia_PointSwitchTests, ARunThatMergesAtItsEndMustKeepItsLastRail) {
  // n's next working is coupled behind q, the next working of p: n merges
  // with p at B.
  int p = w.add_run_events({{line.a, t10 - 600, kEventStop}, {line.b, t10 - 300, kEventArrival}});
  int q = w.add_run_events({{line.b, t10 + 600, kEventStop}, {line.e, t10 + 700, kEventArrival}});
  int next =
      w.add_run_events({{line.b, t10 + 600, kEventStop}, {line.e, t10 + 700, kEventArrival}});
  allocate_unit(w.dia, 2);
  w.dia.units[1].first_diagram = n;
  w.dia.units[2].first_diagram = p;
  w.dia.diagrams[n].next_working = next;
  w.dia.diagrams[p].next_working = q;
  w.dia.diagrams[q].coupled_behind = next;
  w.dia.diagrams[next].coupled_ahead = q;
  recompute_owners(w.dia);
  const std::vector<DiaEvent> before = w.events(n);
  EditResult r = switch_point(*ctx_, w.dia, n, 1);
  EXPECT_EQ(r.caption(), "併結エラー");
  EXPECT_EQ(r.text(), "ポイントを切り替えた場合に、併結できません。");
  EXPECT_EQ(w.events(n), before);
}

TEST_F(Dia_PointSwitchTests, RunsCoupledWithTheSwitchedRunTakeTheNewRoute) {
  WorkingsRouteFollowUp follow_up(w.view(), w.index(), w.timing(), false);
  RouteContext ctx{w.view(), w.index(), w.timing(), &follow_up};
  int rear = w.add_run_events(w.events(n));
  w.dia.diagrams[rear].events.pop_back();  // add_run_events adds the end entry again
  w.dia.diagrams[n].coupled_behind = rear;
  w.dia.diagrams[rear].coupled_ahead = n;
  ASSERT_TRUE(switch_point(ctx, w.dia, n, 1).ok());
  EXPECT_EQ(w.events(rear), w.events(n));
  EXPECT_EQ(last_rail(rear), b2);
}

}  // namespace
}  // namespace vosk::dia
