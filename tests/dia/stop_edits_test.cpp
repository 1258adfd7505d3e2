#include "dia/stop_edits.h"

#include <gtest/gtest.h>

#include "dia/auto_timing.h"
#include "support/scripted_prompt.h"
#include "timing_fixtures.h"

namespace vosk::dia {
namespace {

using testing::ScriptedPrompt;
using testing::sj;
using timing_testing::hms;
using timing_testing::TestDia;
using timing_testing::TestMap;

class Dia_StopEditTests : public ::testing::Test {
 protected:
  TestMap map;
  TestDia t{map};
  int ta = map.add_station("甲");
  int tb = map.add_station("乙");
  int tc = map.add_station("丙");
  int a = map.add_rail(0, 200, ta, 150);
  int ab = map.add_rail(a, 800);
  int b = map.add_rail(ab, 200, tb, 150);
  int bc = map.add_rail(b, 800);
  int c = map.add_rail(bc, 200, tc, 150);

  RouteHooks hooks;
  int extended = 0;
  int relinked = 0;

  void SetUp() override {
    t.set_running_time(a, b, kEventStop, 300);
    t.set_running_time(a, b, kEventPass, 280);
    t.set_running_time(a, c, kEventArrival, 700);
    t.set_running_time(b, c, kEventArrival, 400);
    hooks.extend = [&](int n) {
      extended = n;
      return EditResult::done(n);
    };
    hooks.relink = [&](int n) { relinked = n; };
  }

  // A 10:00 → B at `b_time` with `b_type` → C arrival.
  int run(int b_type, int b_time) {
    return t.add_run(
        {{a, hms(10, 0), kEventStop}, {b, b_time, b_type}, {c, hms(10, 11, 40), kEventArrival}});
  }

  EditResult edit(int n, std::size_t i, StopEdit e, bool correct = true) {
    return apply_stop_edit(t.dia, n, i, e, t.timing(), hooks, correct);
  }

  // Makes run n couple at its end: its next working runs behind another
  // formation's run, whose previous working is `partner`.
  void couple_at_end(int n) {
    int next = t.add_run({{c, hms(12, 0), kEventStop}, {c, hms(12, 0), kEventArrival}});
    int partner = t.add_run({{a, hms(9, 0), kEventStop}, {c, hms(9, 30), kEventArrival}});
    int front = t.add_run({{c, hms(12, 0), kEventStop}, {c, hms(12, 0), kEventArrival}});
    t.dia.diagrams[next].coupled_ahead = front;
    t.dia.diagrams[front].coupled_behind = next;
    int s = t.add_series(100);
    t.add_unit(s, {n, next});
    t.add_unit(s, {partner, front}, "B");
  }
};

TEST_F(Dia_StopEditTests, PassBecomesAStopAndTheRunIsRetimedFromIt) {
  int n = run(kEventPass, hms(10, 4, 40));
  ASSERT_TRUE(edit(n, 1, StopEdit::Stop).ok());
  EXPECT_EQ(t.type(n, 1), kEventStop);
  EXPECT_EQ(t.time(n, 1), hms(10, 5, 30));   // 300 s + 30 s
  EXPECT_EQ(t.time(n, 2), hms(10, 12, 10));  // from the new anchor: 400 s
  EXPECT_EQ(t.time(n, 3), hms(10, 12, 10));
}

TEST_F(Dia_StopEditTests, WithoutCorrectionOnlyTheTypeChanges) {
  int n = run(kEventPass, hms(10, 4, 40));
  ASSERT_TRUE(edit(n, 1, StopEdit::Stop, false).ok());
  EXPECT_EQ(t.type(n, 1), kEventStop);
  EXPECT_EQ(t.time(n, 1), hms(10, 4, 40));
  EXPECT_EQ(t.time(n, 2), hms(10, 11, 40));
}

TEST_F(Dia_StopEditTests, StopBecomesAPassTimedFromTheEarlierAnchor) {
  int n = run(kEventStop, hms(10, 5, 30));
  ASSERT_TRUE(edit(n, 1, StopEdit::Pass).ok());
  EXPECT_EQ(t.type(n, 1), kEventPass);
  EXPECT_EQ(t.time(n, 1), hms(10, 4, 40));
  EXPECT_EQ(t.time(n, 2), hms(10, 11, 40));  // 700 s from A
}

TEST_F(Dia_StopEditTests, ArrivalAndDepartureSplitsTheStop) {
  int n = run(kEventStop, hms(10, 6));
  ASSERT_TRUE(edit(n, 1, StopEdit::ArrivalDeparture, false).ok());
  ASSERT_EQ(t.dia.diagrams[n].event_count(), 4u);
  EXPECT_EQ(t.dia.diagrams[n].events[1], (DiaEvent{b, hms(10, 5, 30), kEventArrival}));
  EXPECT_EQ(t.dia.diagrams[n].events[2], (DiaEvent{b, hms(10, 6), kEventStop}));

  // With the correction the arrival follows the running time and the run
  // goes on from the kept departure.
  int m = run(kEventStop, hms(10, 6));
  t.set_running_time(a, b, kEventArrival, 290);
  ASSERT_TRUE(edit(m, 1, StopEdit::ArrivalDeparture).ok());
  EXPECT_EQ(t.time(m, 1), hms(10, 4, 50));
  EXPECT_EQ(t.time(m, 2), hms(10, 6));
  EXPECT_EQ(t.time(m, 3), hms(10, 12, 40));
}

TEST_F(Dia_StopEditTests, StopWithoutPassengerUseMarksTheDeparture) {
  int n = run(kEventPass, hms(10, 4, 40));
  ASSERT_TRUE(edit(n, 1, StopEdit::StopNoPassengers, false).ok());
  EXPECT_EQ(t.type(n, 1), kEventStopNoSearch);

  int m = t.add_run({{a, hms(10, 0), kEventStop},
                     {b, hms(10, 5), kEventArrival},
                     {b, hms(10, 6), kEventStop},
                     {c, hms(10, 12, 40), kEventArrival}});
  ASSERT_TRUE(edit(m, 1, StopEdit::StopNoPassengers, false).ok());  // on the arrival
  EXPECT_EQ(t.type(m, 1), kEventArrival);
  EXPECT_EQ(t.type(m, 2), kEventStopNoSearch);
}

TEST_F(Dia_StopEditTests, StopOrPassOnAPairDropsItsArrival) {
  for (StopEdit e : {StopEdit::Stop, StopEdit::Pass}) {
    int n = t.add_run({{a, hms(10, 0), kEventStop},
                       {b, hms(10, 5), kEventArrival},
                       {b, hms(10, 6), kEventStopNoSearch},
                       {c, hms(10, 12, 40), kEventArrival}});
    ASSERT_TRUE(edit(n, 2, e, false).ok());
    ASSERT_EQ(t.dia.diagrams[n].event_count(), 3u);
    EXPECT_EQ(t.dia.diagrams[n].events[1],
              (DiaEvent{b, hms(10, 6), e == StopEdit::Stop ? kEventStop : kEventPass}));
  }
}

TEST_F(Dia_StopEditTests, TerminalTurnsAFinalStopIntoAnArrivalAndEndsTheRun) {
  // A final stop given as departure 10:00:30 with a stop time of 30 s.
  int n = t.add_run(
      {{a, hms(9, 55), kEventStop}, {b, hms(10, 0, 30), kEventStop}, {c, 0, kEventArrival}});
  ASSERT_TRUE(edit(n, 1, StopEdit::Terminal, false).ok());
  const Diagram& d = t.dia.diagrams[n];
  ASSERT_EQ(d.events.size(), 3u);
  EXPECT_EQ(d.events[1], (DiaEvent{b, hms(10, 0), kEventArrival}));
  EXPECT_EQ(d.events[2], (DiaEvent{b, hms(10, 0), kEventEnd}));
  EXPECT_EQ(relinked, n);
  EXPECT_EQ(d.destination, tb);
  EXPECT_EQ(d.destination_text, sj("乙"));

  // The correction times the new arrival from the anchor.
  int m = t.add_run(
      {{a, hms(9, 55), kEventStop}, {b, hms(10, 0, 30), kEventStop}, {c, 0, kEventArrival}});
  t.set_running_time(a, b, kEventArrival, 290);
  ASSERT_TRUE(edit(m, 1, StopEdit::Terminal).ok());
  EXPECT_EQ(t.time(m, 1), hms(9, 59, 50));
  EXPECT_EQ(t.time(m, 2), hms(9, 59, 50));
}

// A departure 20 s after midnight with a 30 s stop: the derived arrival lies
// before midnight, at the end of the operating day, never at -10 (unset-like).
TEST_F(Dia_StopEditTests, ArrivalsDerivedFromADepartureJustAfterMidnightWrap) {
  int n = t.add_run(
      {{a, hms(23, 55), kEventStop}, {b, hms(0, 0, 20), kEventStop}, {c, 0, kEventArrival}});
  ASSERT_TRUE(edit(n, 1, StopEdit::ArrivalDeparture, false).ok());
  EXPECT_EQ(t.time(n, 1), hms(23, 59, 50));
  EXPECT_EQ(t.time(n, 2), hms(0, 0, 20));

  int m = t.add_run(
      {{a, hms(23, 55), kEventStop}, {b, hms(0, 0, 20), kEventStop}, {c, 0, kEventArrival}});
  ASSERT_TRUE(edit(m, 1, StopEdit::Terminal, false).ok());
  EXPECT_EQ(t.time(m, 1), hms(23, 59, 50));

  // Exactly midnight stays a time, not the unset 0.
  int k = t.add_run(
      {{a, hms(23, 55), kEventStop}, {b, hms(0, 0, 30), kEventStop}, {c, 0, kEventArrival}});
  ASSERT_TRUE(edit(k, 1, StopEdit::Terminal, false).ok());
  EXPECT_EQ(t.time(k, 1), hms(24, 0));
}

TEST_F(Dia_StopEditTests, TerminalOnAPairKeepsItsArrival) {
  int n = t.add_run({{a, hms(10, 0), kEventStop},
                     {b, hms(10, 5), kEventArrival},
                     {b, hms(10, 6), kEventStop},
                     {c, hms(10, 12, 40), kEventArrival}});
  ASSERT_TRUE(edit(n, 2, StopEdit::Terminal, false).ok());
  EXPECT_EQ(t.events(n), (std::vector<DiaEvent>{{a, hms(10, 0), kEventStop},
                                                {b, hms(10, 5), kEventArrival},
                                                {b, hms(10, 5), kEventEnd}}));
}

TEST_F(Dia_StopEditTests, StopAtTheEndExtendsTheRun) {
  int n = run(kEventStop, hms(10, 5, 30));
  ASSERT_TRUE(edit(n, 3, StopEdit::Stop).ok());  // the end entry
  EXPECT_EQ(extended, n);
  extended = 0;
  ASSERT_TRUE(edit(n, 2, StopEdit::Stop).ok());  // the final arrival
  EXPECT_EQ(extended, n);

  hooks.extend = [](int) {
    return EditResult::refused("経路エラー", "これ以上の経路が見つかりません。");
  };
  EditResult r = edit(n, 3, StopEdit::Stop);
  EXPECT_EQ(r.caption(), "経路エラー");
  EXPECT_EQ(r.text(), "これ以上の経路が見つかりません。");
}

TEST_F(Dia_StopEditTests, RunsCouplingAtTheirEndCannotBeExtendedOrEndedEarlier) {
  int n = run(kEventStop, hms(10, 5, 30));
  couple_at_end(n);
  std::vector<DiaEvent> before = t.events(n);

  EditResult r = edit(n, 3, StopEdit::Stop);
  EXPECT_EQ(r.status(), EditResult::Status::Refused);
  EXPECT_EQ(r.caption(), "併結エラー");
  EXPECT_EQ(r.text(), "延長した場合に、併結できません。");
  EXPECT_EQ(extended, 0);

  r = edit(n, 1, StopEdit::Terminal);
  EXPECT_EQ(r.caption(), "併結エラー");
  EXPECT_EQ(r.text(), "終着にした場合に、併結できません。");
  EXPECT_EQ(t.events(n), before);

  EXPECT_TRUE(edit(n, 1, StopEdit::Pass).ok());  // inside the run: allowed
}

TEST_F(Dia_StopEditTests, EditsThatDoNotApplyChangeNothing) {
  int n = t.add_run({{a, hms(10, 0), kEventStop},
                     {ab, 1, kEventPoint},
                     {b, hms(10, 5, 30), kEventStop},
                     {c, hms(10, 12, 10), kEventArrival}});
  std::vector<DiaEvent> before = t.events(n);
  auto declined = [&](std::size_t i, StopEdit e) {
    return edit(n, i, e).status() == EditResult::Status::Declined;
  };
  EXPECT_TRUE(declined(1, StopEdit::Stop));  // a point
  EXPECT_TRUE(declined(0, StopEdit::Pass));  // the start
  EXPECT_TRUE(declined(0, StopEdit::Terminal));
  for (StopEdit e : {StopEdit::ArrivalDeparture, StopEdit::StopNoPassengers, StopEdit::Pass}) {
    EXPECT_TRUE(declined(3, e));
    EXPECT_TRUE(declined(4, e));
  }
  EXPECT_TRUE(edit(n, 3, StopEdit::Terminal).ok());  // already the terminal
  EXPECT_EQ(t.events(n), before);
  EXPECT_EQ(extended, 0);
}

TEST_F(Dia_StopEditTests, AnEditOfATemplateMarksItsUsers) {
  int n = run(kEventPass, hms(10, 4, 40));
  t.dia.diagrams[n].pattern_template = 2;
  int user = run(kEventStop, hms(10, 5, 30));
  t.dia.diagrams[user].applied_pattern = 2;
  ASSERT_TRUE(edit(n, 1, StopEdit::Stop).ok());
  EXPECT_EQ(t.dia.diagrams[user].pattern_changed, 1);
}

TEST_F(Dia_StopEditTests, ShiftingMovesADepartureByOneUnitRoundedDown) {
  ScriptedPrompt prompt;
  int n = run(kEventStop, hms(10, 5, 37));
  ASSERT_TRUE(shift_departure(t.dia, n, 1, +1, t.timing(), t.tables.patterns, hooks, prompt).ok());
  EXPECT_EQ(t.time(n, 1), hms(10, 5, 45));   // 10:05:52 rounded down
  EXPECT_EQ(t.time(n, 2), hms(10, 12, 25));  // corrected from the next event
  ASSERT_TRUE(shift_departure(t.dia, n, 1, -1, t.timing(), t.tables.patterns, hooks, prompt).ok());
  EXPECT_EQ(t.time(n, 1), hms(10, 5, 30));

  // On an arrival the departure that follows it moves.
  int m = t.add_run({{a, hms(10, 0), kEventStop},
                     {b, hms(10, 5), kEventArrival},
                     {b, hms(10, 6), kEventStop},
                     {c, hms(10, 12, 40), kEventArrival}});
  ASSERT_TRUE(shift_departure(t.dia, m, 1, +1, t.timing(), t.tables.patterns, hooks, prompt).ok());
  EXPECT_EQ(t.time(m, 1), hms(10, 5));
  EXPECT_EQ(t.time(m, 2), hms(10, 6, 15));
  EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(Dia_StopEditTests, ShiftingRefusesTimesOutsideTheDayAndNonDepartures) {
  ScriptedPrompt prompt;
  int n = t.add_run({{a, 10, kEventStop}, {b, hms(28, 0), kEventStop}, {c, 0, kEventArrival}});
  EditResult r = shift_departure(t.dia, n, 0, -1, t.timing(), t.tables.patterns, hooks, prompt);
  EXPECT_EQ(r.caption(), "入力データエラー");
  EXPECT_EQ(r.text(), "時刻が不正です。再設定して下さい。\n");
  r = shift_departure(t.dia, n, 1, +1, t.timing(), t.tables.patterns, hooks, prompt);
  EXPECT_EQ(r.status(), EditResult::Status::Refused);
  EXPECT_EQ(t.time(n, 0), 10);
  EXPECT_EQ(t.time(n, 1), hms(28, 0));
  r = shift_departure(t.dia, n, 2, +1, t.timing(), t.tables.patterns, hooks, prompt);
  EXPECT_EQ(r.status(), EditResult::Status::Declined);
}

}  // namespace
}  // namespace vosk::dia
