// The stop plan: its automatic defaults and loading it from a diagram.
#include "dia/stop_plan.h"

#include <gtest/gtest.h>

#include "route_world.h"

namespace vosk::dia {
namespace {

using route_testing::kRight;
using route_testing::RouteWorld;
using route_testing::TwoStations;

TEST(Dia_StopPlanTests, NewPlanIsAutomaticEverywhereAndGrowsWhenSet) {
  StopPlan plan(3, 2);
  for (int t = -1; t <= 10; ++t) {
    EXPECT_EQ(plan.mode(t), kModeAutomatic);
    EXPECT_EQ(plan.time(t), 0);
  }
  EXPECT_EQ(plan.branch(2), 0);
  EXPECT_EQ(plan.next_working, 0);

  plan.set_stop(9, kModeTerminal, 36000);  // beyond the initial size
  plan.set_point(7, 41, 5);
  plan.set_stop(0, kModeStop, 1);  // record 0 is never a stopping place
  plan.set_stop(-2, kModeStop, 1);
  EXPECT_EQ(plan.mode(9), kModeTerminal);
  EXPECT_EQ(plan.time(9), 36000);
  EXPECT_EQ(plan.branch(7), 41);
  EXPECT_EQ(plan.point_setting(7), 5);
  EXPECT_EQ(plan.mode(0), kModeAutomatic);
  EXPECT_EQ(plan.mode(-2), kModeAutomatic);
}

class Dia_StopPlanLoadTests : public ::testing::Test {
 protected:
  Dia_StopPlanLoadTests() {
    C = w.add_station("C");
    D = w.add_station("D");
    E = w.add_station("E");
    c = w.add_platform(kRight, C);
    d = w.add_platform(kRight, D);
    ee = w.add_platform(kRight, E);
    w.context();
  }
  RouteWorld w;
  TwoStations line{w};
  int C = 0, D = 0, E = 0, c = 0, d = 0, ee = 0;
};

TEST_F(Dia_StopPlanLoadTests, EveryEventTypeGivesItsMode) {
  int n = w.add_run_events({{line.a, 36000, kEventStop},
                            {line.m, 17, kEventPointBoth},
                            {line.b, 36300, kEventArrival},
                            {line.b, 36400, kEventStop},
                            {c, 36500, kEventPass},
                            {d, 36600, kEventArrival},
                            {d, 36700, kEventStopNoSearch},
                            {ee, 36800, kEventStopNoSearch},
                            {line.e, 36900, kEventArrival}});
  w.dia.diagrams[n].next_working = 4;
  StopPlan plan = load_stop_plan(w.dia.diagrams[n], w.view());

  EXPECT_EQ(plan.mode(line.A), kModeStop);
  EXPECT_EQ(plan.time(line.A), 36000);
  EXPECT_EQ(plan.mode(line.B), kModeArriveDepart);
  EXPECT_EQ(plan.time(line.B), 36400);  // the departure's time
  EXPECT_EQ(plan.mode(C), kModePass);
  EXPECT_EQ(plan.time(C), 36500);
  EXPECT_EQ(plan.mode(D), kModeArriveDepartNoSearch);
  EXPECT_EQ(plan.time(D), 36700);
  EXPECT_EQ(plan.mode(E), kModeStopNoSearch);
  EXPECT_EQ(plan.branch(line.P), line.m);
  EXPECT_EQ(plan.point_setting(line.P), 17);
  EXPECT_EQ(plan.next_working, 4);
}

TEST_F(Dia_StopPlanLoadTests, OnlyTheFinalArrivalIsATerminal) {
  // An arrival followed by a departure on another rail is no terminal and
  // gives no mode of its own; the final one does.
  int n = w.add_run_events({{line.a, 36000, kEventStop},
                            {c, 36100, kEventArrival},
                            {d, 36200, kEventStop},
                            {line.b, 36300, kEventArrival}});
  StopPlan plan = load_stop_plan(w.dia.diagrams[n], w.view());
  EXPECT_EQ(plan.mode(C), kModeAutomatic);
  EXPECT_EQ(plan.mode(D), kModeStop);  // not after an arrival on its own rail
  EXPECT_EQ(plan.mode(line.B), kModeTerminal);
  EXPECT_EQ(plan.time(line.B), 36300);
}

TEST_F(Dia_StopPlanLoadTests, DiagramWithoutEventsGivesAnAutomaticPlan) {
  int n = w.add_run(line.a, 36000);
  w.dia.diagrams[n].events.clear();  // kept as read: a run with no route yet
  w.dia.diagrams[n].next_working = 2;
  StopPlan plan = load_stop_plan(w.dia.diagrams[n], w.view());
  EXPECT_EQ(plan.mode(line.A), kModeAutomatic);
  EXPECT_EQ(plan.branch(line.P), 0);
  EXPECT_EQ(plan.next_working, 2);
}

TEST_F(Dia_StopPlanLoadTests, PointEventOnARailOfNoPointIsIgnored) {
  int n = w.add_run_events({{line.a, 36000, kEventStop},
                            {line.s, 9, kEventPoint},  // s belongs to no point
                            {line.b, 36300, kEventArrival}});
  StopPlan plan = load_stop_plan(w.dia.diagrams[n], w.view());
  EXPECT_EQ(plan.branch(line.P), 0);
  EXPECT_EQ(plan.point_setting(line.P), 0);
}

}  // namespace
}  // namespace vosk::dia
