// Running order, automatic train numbers and destinations.
#include "dia/numbering.h"

#include <gtest/gtest.h>

#include "workings_world.h"

namespace vosk::dia {
namespace {

using route_testing::k10;
using route_testing::kLeft;
using route_testing::kRight;
using route_testing::WorkingsWorld;

// Direction 2 (right) is down unless RightDown is set.
constexpr bool kRightIsDown = false;

class Dia_NumberingTests : public ::testing::Test, protected WorkingsWorld {
 protected:
  int right_run(int at_a, int at_c) {
    return w.add_run_events({{a, at_a, kEventStop}, {c, at_c, kEventArrival}}, kRight);
  }
  int left_run(int at_c, int at_a) {
    return w.add_run_events({{c_l, at_c, kEventStop}, {a_l, at_a, kEventArrival}}, kLeft);
  }
  // A formation `name` working the runs in order.
  void formation(const std::string& name, std::initializer_list<int> runs) {
    int t = add_duty(a, name);
    int u = dia().trains[t].head_unit;
    const int* prev = nullptr;
    for (const int& r : runs) {
      if (prev == nullptr)
        dia().units[u].first_diagram = r;
      else
        run(*prev).next_working = r;
      prev = &r;
    }
    recompute_owners(dia());
  }
  std::string number(int n) { return run(n).train_number; }
  const TimingLookup& timing() {
    w.context();
    return w.timing();
  }
};

TEST_F(Dia_NumberingTests, ByFormationTheCounterRisesToTheDirectionsParity) {
  int d1 = right_run(k10, k10 + 600), u1 = left_run(k10 + 900, k10 + 1500),
      d2 = right_run(k10 + 1800, k10 + 2400);
  int x1 = right_run(k10, k10 + 600), x2 = right_run(k10 + 900, k10 + 1500);
  int u0 = left_run(k10, k10 + 600);
  formation("A", {d1, u1, d2});
  formation("B", {x1, x2});
  formation("U", {u0});
  prompt.script({Answer::Yes});
  EXPECT_EQ(number_by_formation(dia(), kRightIsDown, prompt), 6);
  EXPECT_EQ(prompt.last().caption, "列車番号自動設定確認");
  EXPECT_EQ((std::vector<std::string>{number(d1), number(u1), number(d2)}),
            (std::vector<std::string>{"A01", "A02", "A03"}));
  EXPECT_EQ(number(x1), "B01");
  EXPECT_EQ(number(x2), "B01");
  EXPECT_EQ(number(u0), "U00");  // 0 is already even
  // With RightDown the parities swap; No changes nothing.
  prompt.script({Answer::Yes, Answer::No});
  number_by_formation(dia(), true, prompt);
  EXPECT_EQ(number(d1), "A00");
  EXPECT_EQ(number(u0), "U01");
  EXPECT_EQ(number_by_formation(dia(), kRightIsDown, prompt), std::nullopt);
  EXPECT_EQ(number(d1), "A00");
}

TEST_F(Dia_NumberingTests, LongFormationNamesGiveWayToTheCounter) {
  int d1 = right_run(k10, k10 + 600);
  formation("ABCDEFGHIJKLMNOPQRSTU", {d1});  // 21 bytes
  prompt.script({Answer::Yes});
  number_by_formation(dia(), kRightIsDown, prompt);
  EXPECT_EQ(number(d1), "ABCDEFGHIJKLMNOPQR01");
}

TEST_F(Dia_NumberingTests, SerialNumbersFollowTheRunningOrderOddDownEvenUp) {
  // Down runs at 23:00, 01:00 (after midnight) and 10:00; up runs at 10:30
  // and 09:30; a template and a run of no known direction.
  int late = right_run(82800, 83400), night = right_run(3600, 4200),
      day = right_run(k10, k10 + 600);
  int up_late = left_run(k10 + 1800, k10 + 2400), up_early = left_run(k10 - 1800, k10 - 1200);
  int tmpl = right_run(k10 + 60, k10 + 660);
  run(tmpl).pattern_template = 1;
  run(tmpl).train_number = "T";
  int odd = right_run(k10, k10 + 600);
  run(odd).direction = 3;
  prompt.script({Answer::Yes});
  ASSERT_TRUE(number_serially(dia(), timing(), 0, kRightIsDown, prompt).has_value());
  EXPECT_EQ(number(day), "1");
  EXPECT_EQ(number(late), "3");
  EXPECT_EQ(number(night), "5");
  EXPECT_EQ(number(up_early), "2");
  EXPECT_EQ(number(up_late), "4");
  EXPECT_EQ(number(tmpl), "T");
  EXPECT_EQ(number(odd), "0");
}

TEST_F(Dia_NumberingTests, RunningOrderTakesLaterTargetsForRunsMissingEarlierOnes) {
  // r3 is not at the base target B: it goes in by its time at C, before the
  // first ordered run that is at C later.
  int r1 = w.add_run_events({{b, k10, kEventStop}, {c, k10 + 600, kEventArrival}});
  int r2 = w.add_run_events({{b, k10 + 300, kEventStop}, {c, k10 + 1200, kEventArrival}});
  int r3 = w.add_run_events({{c, k10 + 900, kEventStop}});
  int timeless = w.add_run_events({{b, 0, kEventStop}, {c, 0, kEventArrival}});
  compute_running_order(dia(), timing(), B);
  EXPECT_EQ(run(r1).running_order, 1);
  EXPECT_EQ(run(r3).running_order, 2);
  EXPECT_EQ(run(r2).running_order, 3);
  EXPECT_EQ(run(timeless).running_order, 0);
  // The departure at B and the arrival at C plus C's stop time.
  EXPECT_EQ(run(r1).run.average_dwell, (k10 + k10 + 600 + 30) / 2);
}

TEST_F(Dia_NumberingTests, DestinationsAreSetForEveryRunAndCounted) {
  w.stations[C].name = "Ccity";
  int n1 = right_run(k10, k10 + 600);
  int n2 = right_run(k10 + 60, k10 + 660);
  run(n2).destination = C;
  run(n2).destination_text = "Ccity";
  w.context();
  MapTablesRef ref = w.view().tables();
  MapTablesLookup lookup(ref);
  prompt.script({Answer::Yes});
  EXPECT_EQ(set_all_destinations(dia(), lookup, prompt), 1);
  EXPECT_EQ(prompt.last().caption, "行先表示自動設定確認");
  EXPECT_EQ(prompt.last().text, "全てのダイヤの行先表示を自動設定します。\nよろしいですか？");
  EXPECT_EQ(run(n1).destination, C);
  EXPECT_EQ(run(n1).destination_text, "Ccity");
}

}  // namespace
}  // namespace vosk::dia
