// The timing edits and pattern application driven through the real route
// operations (route_hooks).
#include "dia/route_hooks.h"

#include <gtest/gtest.h>

#include "dia/pattern_apply.h"
#include "dia/stop_edits.h"
#include "route_world.h"
#include "support/scripted_prompt.h"

namespace vosk::dia {
namespace {

using route_testing::kRight;
using route_testing::RouteWorld;
using route_testing::TwoStations;
using testing::ScriptedPrompt;

using Events = std::vector<DiaEvent>;

constexpr int t10 = 36000;

// Records what the route operations ask their follow-up to relink.
class RelinkRecorder : public RouteFollowUp {
 public:
  void relink(DiaTables&, int n, int next_working) override {
    run = n;
    next = next_working;
  }
  int run = 0;
  int next = 0;
};

// Station A has a second track a2, reached through a facing point Q:
//
//   w0 → Q ─ y1 → a  ─┐
//          └ y2 → a2 ─┴→ s → P ─ m → b (B) → e
//                              └ x (dead end)
class Dia_TimingRouteHooksTests : public ::testing::Test {
 protected:
  Dia_TimingRouteHooksTests() {
    w0 = w.add_rail(kRight);
    y1 = w.add_rail(kRight);
    y2 = w.add_rail(kRight);
    a2 = w.add_platform(kRight, line.A);
    w.add_facing_point(w0, y1, line.a, y2, a2);
    w.rails[a2].l_next = -line.s;
  }

  // The template of pattern 1: A 06:00 → B 06:05.
  int add_pattern() {
    int t = w.add_run_events({{line.a, 6 * 3600, kEventStop},
                              {line.m, 0, kEventPointBoth},
                              {line.b, 6 * 3600 + 300, kEventArrival}});
    w.dia.diagrams[t].pattern_template = 1;
    w.tables.patterns.allocate(99);
    w.tables.patterns.grow_to(1).template_diagram = t;
    return t;
  }

  RouteWorld w;
  TwoStations line{w};
  int w0 = 0, y1 = 0, y2 = 0, a2 = 0;
  ScriptedPrompt prompt;
};

TEST_F(Dia_TimingRouteHooksTests, APatternStampedOnARunFromTheOtherTrackKeepsThatStart) {
  add_pattern();
  int r = w.add_run_events({{a2, t10, kEventStop}, {line.b, t10 + 400, kEventArrival}});
  RelinkRecorder follow_up;
  const RouteContext& ctx = w.context(&follow_up);
  RouteHooks hooks = route_hooks(ctx, w.dia);
  ASSERT_TRUE(
      apply_pattern(w.dia, r, 1, t10, w.tables.patterns, ctx.map.tables(), hooks, prompt).ok());
  const Events& e = w.events(r);
  ASSERT_GE(e.size(), 3u);
  EXPECT_EQ(e.front(), (DiaEvent{a2, t10, kEventStop}));
  EXPECT_EQ(e[e.size() - 2], (DiaEvent{line.b, t10 + 300, kEventArrival}));
  EXPECT_EQ(e.back(), (DiaEvent{line.b, t10 + 300, kEventEnd}));
  EXPECT_EQ(follow_up.run, r);

  // Without a way from a2 the run stays as it was.
  int q = w.add_run_events({{a2, t10, kEventStop}, {line.b, t10 + 400, kEventArrival}});
  w.rails[a2].l_next = 0;
  const Events before = w.events(q);
  EditResult result =
      apply_pattern(w.dia, q, 1, t10, w.tables.patterns, ctx.map.tables(), hooks, prompt);
  EXPECT_EQ(result.text(), "進路設定エラー");
  EXPECT_EQ(w.events(q), before);
}

TEST_F(Dia_TimingRouteHooksTests, StopAtTheEndAsksTheRouteToExtendTheRun) {
  int n = w.add_run_events({{line.a, t10, kEventStop},
                            {line.m, 0, kEventPointBoth},
                            {line.b, t10 + 300, kEventArrival}});
  const RouteContext& ctx = w.context();
  const Events before = w.events(n);
  EditResult result =
      apply_stop_edit(w.dia, n, 3, StopEdit::Stop, ctx.timing, route_hooks(ctx, w.dia), true);
  EXPECT_EQ(result.caption(), "経路エラー");  // the line ends behind B
  EXPECT_EQ(w.events(n), before);
}

TEST_F(Dia_TimingRouteHooksTests, TerminalRelinksTheNextWorkingOfTheStopPlan) {
  int n = w.add_run_events({{line.a, t10, kEventStop},
                            {line.m, 0, kEventPointBoth},
                            {line.b, t10 + 300, kEventArrival}});
  int next =
      w.add_run_events({{line.b, t10 + 900, kEventStop}, {line.e, t10 + 960, kEventArrival}});
  w.dia.diagrams[n].next_working = next;
  RelinkRecorder follow_up;
  const RouteContext& ctx = w.context(&follow_up);
  ASSERT_TRUE(apply_stop_edit(w.dia, n, 0, StopEdit::StopNoPassengers, ctx.timing,
                              route_hooks(ctx, w.dia), true)
                  .ok());
  EXPECT_EQ(follow_up.run, 0);  // only a new end relinks
  int m = w.add_run_events({{line.a, t10, kEventStop},
                            {line.b, t10 + 300, kEventStop},
                            {line.e, t10 + 400, kEventArrival}});
  w.dia.diagrams[m].next_working = next;
  ASSERT_TRUE(
      apply_stop_edit(w.dia, m, 1, StopEdit::Terminal, ctx.timing, route_hooks(ctx, w.dia), false)
          .ok());
  EXPECT_EQ(follow_up.run, m);
  EXPECT_EQ(follow_up.next, next);
}

}  // namespace
}  // namespace vosk::dia
