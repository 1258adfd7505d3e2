#include "dia/auto_timing.h"

#include <gtest/gtest.h>

#include "dia/pattern_apply.h"
#include "dia/stop_edits.h"
#include "support/scripted_prompt.h"
#include "timing_fixtures.h"

namespace vosk::dia {
namespace {

using testing::ScriptedPrompt;
using timing_testing::hms;
using timing_testing::TestDia;
using timing_testing::TestMap;

// A — B — C — D, one platform rail each, joined by plain rails.
struct Line {
  TestMap map;
  int a, b, c, d;
  int ta, tb, tc, td;
  Line() {
    ta = map.add_station("甲");
    tb = map.add_station("乙");
    tc = map.add_station("丙");
    td = map.add_station("丁");
    a = map.add_rail(0, 200, ta, 150);
    int ab = map.add_rail(a, 800);
    b = map.add_rail(ab, 200, tb, 150);
    int bc = map.add_rail(b, 800);
    c = map.add_rail(bc, 200, tc, 150);
    int cd = map.add_rail(c, 800);
    d = map.add_rail(cd, 200, td, 150);
  }
};

class Dia_AutoTimingTests : public ::testing::Test {
 protected:
  Line line;
  TestDia t{line.map};

  // A 10:00:00 → B stop → C pass → D, with A→B 300 s, B→C 420 s, B→D 600 s.
  int standard_run() {
    t.set_running_time(line.a, line.b, kEventStop, 300);
    t.set_running_time(line.b, line.c, kEventPass, 420);
    t.set_running_time(line.b, line.d, kEventArrival, 600);
    return t.add_run({{line.a, hms(10, 0), kEventStop},
                      {line.b, 0, kEventStop},
                      {line.c, 0, kEventPass},
                      {line.d, 0, kEventArrival}});
  }
};

TEST_F(Dia_AutoTimingTests, MeasurementAddsRunningAndStopTimesFromTheAnchor) {
  int n = standard_run();
  measure_times(t.dia, n, t.timing(), false);
  EXPECT_EQ(t.time(n, 1), hms(10, 5, 30));   // 10:00:00 + 300 s + 30 s
  EXPECT_EQ(t.time(n, 2), hms(10, 12, 30));  // the pass, 420 s after the stop
  EXPECT_EQ(t.time(n, 3), hms(10, 15, 30));
  EXPECT_EQ(t.time(n, 4), hms(10, 15, 30));  // the end entry repeats the last time
  EXPECT_EQ(t.type(n, 4), kEventEnd);
}

TEST_F(Dia_AutoTimingTests, CorrectionGivesTheSameTimesFromTheEditedEventOn) {
  int n = standard_run();
  correct_times(t.dia, n, 1, t.timing());
  EXPECT_EQ(t.time(n, 1), hms(10, 5, 30));
  EXPECT_EQ(t.time(n, 2), hms(10, 12, 30));
  EXPECT_EQ(t.time(n, 3), hms(10, 15, 30));
  EXPECT_EQ(t.time(n, 4), hms(10, 15, 30));
}

TEST_F(Dia_AutoTimingTests, CorrectionNeverRetimesTheStartAndLeavesEarlierEvents) {
  int n = standard_run();
  t.dia.diagrams[n].events[1].time = hms(9, 0);
  correct_times(t.dia, n, 0, t.timing());
  EXPECT_EQ(t.time(n, 0), hms(10, 0));
  EXPECT_EQ(t.time(n, 1), hms(10, 5, 30));

  t.dia.diagrams[n].events[1].time = hms(11, 0);
  correct_times(t.dia, n, 2, t.timing());
  EXPECT_EQ(t.time(n, 1), hms(11, 0));  // before `first`: kept, and the anchor
  EXPECT_EQ(t.time(n, 2), hms(11, 7));  // 11:00:00 + 420 s
  EXPECT_EQ(t.time(n, 3), hms(11, 10));
}

TEST_F(Dia_AutoTimingTests, AMissingRunningTimeLeavesTheTimeUnsetAndItsFollowersToo) {
  int n = standard_run();
  t.set_running_time(line.b, line.c, kEventPass, 0);  // removes the entry
  measure_times(t.dia, n, t.timing(), false);
  EXPECT_EQ(t.time(n, 1), hms(10, 5, 30));
  EXPECT_EQ(t.time(n, 2), 0);
  EXPECT_EQ(t.time(n, 3), hms(10, 15, 30));  // still timed from the stop at B
  EXPECT_TRUE(times_missing(t.dia, n));

  // An unset anchor makes every later time unset.
  t.set_running_time(line.a, line.b, kEventStop, 0);
  correct_times(t.dia, n, 1, t.timing());
  EXPECT_EQ(t.time(n, 1), 0);
  EXPECT_EQ(t.time(n, 3), 0);
}

TEST_F(Dia_AutoTimingTests, MeasurementRaisesADepartureTooSoonAfterItsArrival) {
  t.set_running_time(line.a, line.b, kEventArrival, 300);
  t.set_running_time(line.b, line.d, kEventArrival, 600);
  int n = t.add_run({{line.a, hms(9, 55), kEventStop},
                     {line.b, 0, kEventArrival},
                     {line.b, hms(10, 0, 10), kEventStop},
                     {line.d, 0, kEventArrival}});
  measure_times(t.dia, n, t.timing(), false);
  EXPECT_EQ(t.time(n, 1), hms(10, 0));
  EXPECT_EQ(t.time(n, 2), hms(10, 0, 30));   // stop time 30 s
  EXPECT_EQ(t.time(n, 3), hms(10, 10, 30));  // the raised departure is the new anchor

  // A departure with enough time after its arrival stays.
  t.dia.diagrams[n].events[2].time = hms(10, 1);
  measure_times(t.dia, n, t.timing(), false);
  EXPECT_EQ(t.time(n, 2), hms(10, 1));
}

TEST_F(Dia_AutoTimingTests, ADepartureAfterAnArrivalAcrossMidnightIsComparedOnTheOperatingDay) {
  t.set_running_time(line.a, line.b, kEventArrival, 300);
  int n = t.add_run({{line.a, hms(23, 54, 50), kEventStop},
                     {line.b, 0, kEventArrival},
                     {line.b, hms(0, 0, 20), kEventStop},
                     {line.d, 0, kEventArrival}});
  measure_times(t.dia, n, t.timing(), false);
  EXPECT_EQ(t.time(n, 1), hms(23, 59, 50));
  EXPECT_EQ(t.time(n, 2), hms(0, 0, 20));  // 30 s after the arrival: kept
}

// A departure that already keeps the 30 s stop after its arrival is never
// lowered, wherever the stop lies on the clock; one too soon is raised.
TEST_F(Dia_AutoTimingTests, ADepartureIsJudgedByItsClockDistanceFromTheArrival) {
  struct Row {
    int arrival, departure, expected;
  };
  const Row rows[] = {
      {hms(2, 59, 50), hms(3, 1), hms(3, 1)},         // across 03:00: 70 s kept
      {hms(3, 59, 50), hms(4, 1), hms(4, 1)},         // the same an hour later
      {hms(2, 59, 50), hms(3, 0), hms(3, 0, 20)},     // 10 s across 03:00: raised
      {hms(23, 59, 50), hms(0, 0, 10), hms(24, 0, 20)},  // across midnight: raised
      {hms(10, 0), hms(9, 59), hms(10, 0, 30)},       // before its arrival: raised
      {hms(10, 0), 0, hms(10, 0, 30)},                // unset: set
  };
  for (const Row& row : rows) {
    t.set_running_time(line.a, line.b, kEventArrival, 300);
    int n = t.add_run({{line.a, row.arrival - 300, kEventStop},
                       {line.b, 0, kEventArrival},
                       {line.b, row.departure, kEventStop},
                       {line.d, 0, kEventArrival}});
    measure_times(t.dia, n, t.timing(), false);
    EXPECT_EQ(t.time(n, 1), row.arrival);
    EXPECT_EQ(t.time(n, 2), row.expected) << "arrival " << row.arrival;
  }
}

TEST_F(Dia_AutoTimingTests, CorrectionStopsAtAFixedDepartureAfterAnArrival) {
  t.set_running_time(line.a, line.b, kEventArrival, 300);
  t.set_running_time(line.b, line.c, kEventPass, 400);
  int n = t.add_run({{line.a, hms(9, 55), kEventStop},
                     {line.b, 0, kEventArrival},
                     {line.b, hms(10, 2), kEventStop},
                     {line.c, hms(11, 0), kEventPass},
                     {line.d, 0, kEventArrival}});
  correct_times(t.dia, n, 1, t.timing());
  EXPECT_EQ(t.time(n, 1), hms(10, 0));
  EXPECT_EQ(t.time(n, 3), hms(11, 0));  // the arrival ended the correction

  correct_times(t.dia, n, 3, t.timing());
  EXPECT_EQ(t.time(n, 3), hms(10, 8, 40));  // from the fixed departure at 10:02
}

TEST_F(Dia_AutoTimingTests, StopPassFlagTurnsStopsWithoutStopTimeIntoPassesAndBack) {
  t.set_running_time(line.a, line.b, kEventPass, 300);
  t.set_running_time(line.a, line.b, kEventStop, 300);
  t.set_running_time(line.a, line.c, kEventPass, 700);
  t.set_running_time(line.a, line.c, kEventStop, 700);
  t.set_running_time(line.b, line.c, kEventStop, 400);
  t.set_running_time(line.c, line.d, kEventArrival, 500);
  // No stop at B for this type; every other rail has the default 30 s.
  set_stop_time(t.tables.stop_times, {line.tb, 0, kStopTime, 1, 0}, 0);
  int n = t.add_run({{line.a, hms(10, 0), kEventStop},
                     {line.b, 0, kEventStop},
                     {line.c, 0, kEventPass},
                     {line.d, 0, kEventArrival}});
  measure_times(t.dia, n, t.timing(), true);
  EXPECT_EQ(t.type(n, 1), kEventPass);
  EXPECT_EQ(t.time(n, 1), hms(10, 5));
  EXPECT_EQ(t.type(n, 2), kEventStop);
  EXPECT_EQ(t.time(n, 2), hms(10, 12, 10));  // 700 s + 30 s from A
  EXPECT_EQ(t.time(n, 3), hms(10, 20, 30));
}

TEST_F(Dia_AutoTimingTests, WithoutTheFlagAStopWithoutStopTimeKeepsTheTypeIndependentOne) {
  t.set_running_time(line.a, line.b, kEventStop, 300);
  set_stop_time(t.tables.stop_times, {line.tb, 0, kStopTime, 1, 0}, 0);
  set_stop_time(t.tables.stop_times, {line.tb, 0, kStopTime, 0, 0}, 45);
  int n = t.add_run(
      {{line.a, hms(10, 0), kEventStop}, {line.b, 0, kEventStop}, {line.d, 0, kEventArrival}});
  measure_times(t.dia, n, t.timing(), false);
  EXPECT_EQ(t.type(n, 1), kEventStop);
  EXPECT_EQ(t.time(n, 1), hms(10, 5, 45));
}

TEST_F(Dia_AutoTimingTests, AFinalArrivalCouplingOntoAStandingRunUsesKindSix) {
  // Unit 1 runs A (arriving at D) then N; unit 2 runs P (arriving at D
  // first) then C; N runs coupled behind C, so A merges with P.
  t.set_running_time(line.a, line.d, kEventArrival, 900);
  t.set_running_time(line.a, line.d, 6, 1000);
  int a = t.add_run({{line.a, hms(10, 0), kEventStop}, {line.d, 0, kEventArrival}});
  int next = t.add_run({{line.d, hms(11, 0), kEventStop}, {line.d, hms(11, 0), kEventArrival}});
  int p = t.add_run({{line.a, hms(9, 0), kEventStop}, {line.d, hms(9, 20), kEventArrival}});
  int c = t.add_run({{line.d, hms(11, 0), kEventStop}, {line.d, hms(11, 0), kEventArrival}});
  t.dia.diagrams[next].coupled_ahead = c;
  t.dia.diagrams[c].coupled_behind = next;
  int s = t.add_series(100);
  t.add_unit(s, {a, next});
  t.add_unit(s, {p, c});
  CouplingRelations relations(t.dia);
  ASSERT_EQ(relations.merge_partner(a), p);
  ASSERT_TRUE(relations.couples_at_end(a));
  ASSERT_TRUE(relations.couples_at_end(p));  // merged into by a

  measure_times(t.dia, a, t.timing(), false);
  EXPECT_EQ(t.time(a, 1), hms(10, 16, 40));  // 1000 s: P stands there since 09:20

  // P arrives after A would: the plain arrival time applies.
  t.dia.diagrams[p].events[1].time = hms(12, 0);
  t.dia.diagrams[p].events[2].time = hms(12, 0);
  correct_times(t.dia, a, 1, t.timing());
  EXPECT_EQ(t.time(a, 1), hms(10, 15));
}

TEST_F(Dia_AutoTimingTests, AfterTheSettingsDialogTheFlagFollowsTheTypeThatKeysStopTimes) {
  t.set_running_time(line.a, line.b, kEventPass, 280);
  t.set_running_time(line.a, line.b, kEventStop, 300);
  set_stop_time(t.tables.stop_times, {line.tb, 0, kStopTime, 2, 0}, 0);  // type 2 passes B
  set_stop_time(t.tables.stop_times, {line.tb, 0, kStopTime, 0, 2}, 0);  // speed type 2 too
  auto fresh = [&](int train_type, int speed_type) {
    return t.add_run(
        {{line.a, hms(10, 0), kEventStop}, {line.b, 0, kEventStop}, {line.d, 0, kEventArrival}},
        train_type, speed_type);
  };
  // Train type changed from 1 to 2 with the box checked: B becomes a pass.
  int n = fresh(2, 1);
  EXPECT_TRUE(measure_after_settings_dialog(t.dia, n, t.timing(), 1, 1, true));
  EXPECT_EQ(t.type(n, 1), kEventPass);
  EXPECT_EQ(t.time(n, 1), hms(10, 4, 40));
  // Unchecked, or the type unchanged: measured without the flag.
  int m = fresh(2, 1);
  EXPECT_TRUE(measure_after_settings_dialog(t.dia, m, t.timing(), 1, 1, false));
  EXPECT_EQ(t.type(m, 1), kEventStop);
  EXPECT_EQ(t.time(m, 1), hms(10, 5, 30));  // the type-independent default
  int k = fresh(2, 1);
  EXPECT_TRUE(measure_after_settings_dialog(t.dia, k, t.timing(), 2, 5, true));
  EXPECT_EQ(t.type(k, 1), kEventStop);
  // Kept per speed type, only a changed speed type sets stops and passes.
  t.settings.stop.per_speed_type = true;
  int s = fresh(1, 2);
  EXPECT_TRUE(measure_after_settings_dialog(t.dia, s, t.timing(), 1, 1, true));
  EXPECT_EQ(t.type(s, 1), kEventPass);
  // A run with an applied pattern is not measured.
  int p = fresh(2, 1);
  t.dia.diagrams[p].applied_pattern = 1;
  EXPECT_FALSE(measure_after_settings_dialog(t.dia, p, t.timing(), 1, 1, true));
  EXPECT_EQ(t.time(p, 1), 0);
}

TEST_F(Dia_AutoTimingTests, RoundingToTheTimeUnit) {
  EXPECT_EQ(round_down_to_unit(hms(10, 0, 7), 15), hms(10, 0, 0));
  EXPECT_EQ(round_up_to_unit(hms(10, 0, 7), 15), hms(10, 0, 15));
  EXPECT_EQ(round_down_to_unit(hms(10, 0, 15), 15), hms(10, 0, 15));
  EXPECT_EQ(round_up_to_unit(hms(10, 0, 15), 15), hms(10, 0, 15));
  EXPECT_EQ(round_down_to_unit(hms(10, 0, 7), 0), hms(10, 0, 7));  // a broken unit
}

TEST_F(Dia_AutoTimingTests, ArrivalTimeIsDepartureMinusStopTimeOrFromTheRunningTimeInWinDiaMode) {
  t.set_running_time(line.a, line.b, kEventStop, 290);
  int n = t.add_run({{line.a, hms(10, 0), kEventStop},
                     {line.b, hms(10, 5, 30), kEventStop},
                     {line.c, 0, kEventStop},
                     {line.d, hms(10, 20), kEventArrival},
                     {line.d, hms(10, 21), kEventStop}});
  const Diagram& d = t.dia.diagrams[n];
  EXPECT_EQ(arrival_time(d, 1, t.timing()), hms(10, 5));
  EXPECT_EQ(arrival_time(d, 2, t.timing()), 0);            // unset stays unset
  EXPECT_EQ(arrival_time(d, 3, t.timing()), hms(10, 20));  // an arrival is its time
  EXPECT_EQ(arrival_time(d, 4, t.timing()), hms(10, 20));  // a departure after its arrival

  t.settings.wdia_mode = true;
  EXPECT_EQ(arrival_time(d, 1, t.timing()), hms(10, 4, 50));
  // No earlier departure has a running time to C: departure − stop time.
  t.dia.diagrams[n].events[2].time = hms(10, 12);
  EXPECT_EQ(arrival_time(d, 2, t.timing()), hms(10, 11, 30));
}

TEST_F(Dia_AutoTimingTests, AutoMeasureCommandAsksOnlyWhenTimesAreMissing) {
  int n = standard_run();
  measure_times(t.dia, n, t.timing(), false);
  ScriptedPrompt prompt;
  EXPECT_EQ(auto_measure_command(t.dia, n, t.timing(), prompt).status(),
            EditResult::Status::Declined);
  EXPECT_EQ(prompt.count(), 0u);

  t.dia.diagrams[n].events[2].time = 0;
  prompt.script({Answer::No});
  EXPECT_EQ(auto_measure_command(t.dia, n, t.timing(), prompt).status(),
            EditResult::Status::Declined);
  EXPECT_EQ(t.time(n, 2), 0);
  EXPECT_EQ(prompt.last().caption, "自動計測確認");
  EXPECT_EQ(prompt.last().text, "時刻が未設定の部分があります。自動計測を行いますか？\n");
  EXPECT_EQ(prompt.last().buttons, Buttons::YesNo);

  prompt.script({Answer::Yes});
  EXPECT_TRUE(auto_measure_command(t.dia, n, t.timing(), prompt).ok());
  EXPECT_EQ(t.time(n, 2), hms(10, 12, 30));
}

TEST_F(Dia_AutoTimingTests, AutoMeasureOfATemplateMarksThePatternUsers) {
  int n = standard_run();
  t.dia.diagrams[n].pattern_template = 4;
  t.dia.diagrams[n].events[2].time = 0;
  int user = t.add_run({{line.a, hms(11, 0), kEventStop}, {line.d, 0, kEventArrival}});
  t.dia.diagrams[user].applied_pattern = 4;
  int other = t.add_run({{line.a, hms(11, 0), kEventStop}, {line.d, 0, kEventArrival}});
  t.dia.diagrams[other].applied_pattern = 3;
  ScriptedPrompt prompt;
  prompt.script({Answer::Yes});
  ASSERT_TRUE(auto_measure_command(t.dia, n, t.timing(), prompt).ok());
  EXPECT_EQ(t.dia.diagrams[user].pattern_changed, 1);
  EXPECT_EQ(t.dia.diagrams[other].pattern_changed, 0);
}

TEST_F(Dia_AutoTimingTests, MeasureAllCountsTheRunsItChanged) {
  int n = standard_run();
  int timed = t.add_run({{line.a, hms(12, 0), kEventStop},
                         {line.b, hms(12, 5, 30), kEventStop},
                         {line.d, hms(12, 15, 30), kEventArrival}});
  int templ = t.add_run(
      {{line.a, hms(8, 0), kEventStop}, {line.b, 0, kEventStop}, {line.d, 0, kEventArrival}});
  t.dia.diagrams[templ].pattern_template = 2;
  int user = t.add_run({{line.a, hms(13, 0), kEventStop}, {line.d, 0, kEventArrival}});
  t.dia.diagrams[user].applied_pattern = 2;
  t.dia.diagrams[user].events[1].time = 1;  // will change as well
  EXPECT_EQ(measure_all(t.dia, t.timing()), 3);
  EXPECT_EQ(t.time(n, 1), hms(10, 5, 30));
  EXPECT_EQ(t.time(timed, 1), hms(12, 5, 30));
  EXPECT_EQ(t.time(templ, 1), hms(8, 5, 30));
  EXPECT_EQ(t.dia.diagrams[user].pattern_changed, 1);
  EXPECT_EQ(measure_all(t.dia, t.timing()), 0);  // measuring again changes nothing
}

TEST_F(Dia_AutoTimingTests, TheCorrectionSwitchAsksOnceAndToggles) {
  int n = standard_run();
  AutoCorrectionSwitch sw;
  EXPECT_TRUE(sw.corrects_after_stop_edit(false));
  EXPECT_FALSE(sw.corrects_after_stop_edit(true));

  ScriptedPrompt prompt;
  prompt.script({Answer::Yes});
  EXPECT_TRUE(sw.before_time_edit(prompt));
  EXPECT_EQ(prompt.last().caption, "時刻自動設定確認");
  EXPECT_EQ(prompt.last().text, "次駅以降の時刻を自動で修正しますか？\n");
  EXPECT_TRUE(sw.before_time_edit(prompt));  // no second question
  EXPECT_EQ(prompt.count(), 1u);
  EXPECT_TRUE(sw.corrects_after_stop_edit(true));

  sw.toggle(t.dia, n, t.timing());
  EXPECT_FALSE(sw.on());
  EXPECT_EQ(t.time(n, 1), 0);  // switching off measures nothing
  sw.toggle(t.dia, n, t.timing());
  EXPECT_TRUE(sw.on());
  EXPECT_EQ(t.time(n, 1), hms(10, 5, 30));

  sw.reset();
  prompt.script({Answer::No});
  EXPECT_FALSE(sw.before_time_edit(prompt));
  EXPECT_EQ(prompt.count(), 2u);
}

TEST_F(Dia_AutoTimingTests, ADiagramWithoutEventsIsAcceptedByEveryTimingOperation) {
  int n = standard_run();
  t.dia.diagrams[n].events.clear();
  ScriptedPrompt prompt;
  correct_times(t.dia, n, 0, t.timing());
  correct_times(t.dia, n, 5, t.timing());
  measure_times(t.dia, n, t.timing(), true);
  EXPECT_EQ(measure_all(t.dia, t.timing()), 0);
  EXPECT_EQ(auto_measure_command(t.dia, n, t.timing(), prompt).status(),
            EditResult::Status::Declined);
  EXPECT_EQ(arrival_time(t.dia.diagrams[n], 0, t.timing()), 0);
  RouteHooks hooks;
  for (StopEdit edit : {StopEdit::Stop, StopEdit::ArrivalDeparture, StopEdit::StopNoPassengers,
                        StopEdit::Pass, StopEdit::Terminal}) {
    EXPECT_EQ(apply_stop_edit(t.dia, n, 0, edit, t.timing(), hooks, true).status(),
              EditResult::Status::Declined);
  }
  EXPECT_EQ(shift_departure(t.dia, n, 0, 1, t.timing(), t.tables.patterns, hooks, prompt).status(),
            EditResult::Status::Declined);
  EXPECT_TRUE(t.dia.diagrams[n].events.empty());
  EXPECT_EQ(prompt.count(), 0u);
}

}  // namespace
}  // namespace vosk::dia
