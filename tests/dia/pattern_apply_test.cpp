#include "dia/pattern_apply.h"

#include <gtest/gtest.h>

#include "dia/pattern_choice.h"
#include "dia/stop_edits.h"
#include "support/scripted_prompt.h"
#include "timing_fixtures.h"

namespace vosk::dia {
namespace {

using testing::ScriptedPrompt;
using testing::sj;
using timing_testing::hms;
using timing_testing::TestDia;
using timing_testing::TestMap;

class Dia_PatternApplyTests : public ::testing::Test {
 protected:
  TestMap map;
  TestDia t{map};
  int ta = map.add_station("甲");
  int tb = map.add_station("乙");
  int tc = map.add_station("丙");
  int a = map.add_rail(0, 200, ta, 150);
  int a2 = map.add_rail(0, 200, ta, 150);  // a second platform at 甲
  int ab = map.add_rail(a, 800);
  int b = map.add_rail(ab, 200, tb, 150);
  int bc = map.add_rail(b, 800);
  int c = map.add_rail(bc, 200, tc, 150);

  RouteHooks hooks;
  std::vector<std::pair<int, int>> moves;  // (run, rail) asked of move_start
  bool move_ok = true;
  int relinked = 0;
  ScriptedPrompt prompt;

  int templ = 0;
  int pattern = 1;

  void SetUp() override {
    hooks.move_start = [&](int n, int rail) {
      moves.emplace_back(n, rail);
      if (!move_ok) return false;
      t.dia.diagrams[n].events[0].rail = rail;
      return true;
    };
    hooks.relink = [&](int n) { relinked = n; };
    // The template: 甲 06:00 → 乙 06:05:30 → 丙 06:12.
    templ = t.add_run({{a, hms(6, 0), kEventStop},
                       {b, hms(6, 5, 30), kEventStop},
                       {c, hms(6, 12), kEventArrival}},
                      3, 2);
    Diagram& d = t.dia.diagrams[templ];
    d.pattern_template = pattern;
    d.flag_a = 1;
    d.flag_b = 1;
    d.crew = 2;
    d.destination = tc;
    d.destination_text = sj("丙");
    d.nickname = sj("はやて");
    d.remarks = sj("備考");
    Pattern& p = t.tables.patterns.grow_to(pattern);
    p.template_diagram = templ;
    p.short_name = sj("快");
    p.name = sj("快速 甲→丙");
  }

  int plain_run(int first_rail = 0) {
    int n = t.add_run({{first_rail != 0 ? first_rail : a, hms(8, 0), kEventStop},
                       {b, hms(8, 5), kEventPass},
                       {c, hms(8, 11), kEventArrival}});
    Diagram& d = t.dia.diagrams[n];
    d.car_number = 5;
    d.value_d = 7;
    d.follow_coupled = 0;
    d.flag_c = 0;
    d.nickname = sj("旧");
    return n;
  }

  EditResult apply(int n, int p, int start) {
    return apply_pattern(t.dia, n, p, start, t.tables.patterns, map.ref(), hooks, prompt);
  }
};

TEST_F(Dia_PatternApplyTests, ApplyingStampsTheTemplateAtTheNewStartTime) {
  int n = plain_run();
  ASSERT_TRUE(apply(n, pattern, hms(9, 30)).ok());
  EXPECT_EQ(t.events(n), (std::vector<DiaEvent>{{a, hms(9, 30), kEventStop},
                                                {b, hms(9, 35, 30), kEventStop},
                                                {c, hms(9, 42), kEventArrival},
                                                {c, hms(9, 42), kEventEnd}}));
  const Diagram& d = t.dia.diagrams[n];
  EXPECT_EQ(d.applied_pattern, pattern);
  EXPECT_EQ(d.pattern_changed, 0);
  EXPECT_EQ(d.flag_a, 1);
  EXPECT_EQ(d.speed_type, 2);
  EXPECT_EQ(d.train_type, 3);
  EXPECT_EQ(d.crew, 2);
  EXPECT_EQ(d.nickname, sj("はやて"));
  EXPECT_EQ(d.remarks, sj("備考"));
  EXPECT_EQ(d.car_number, 0);
  EXPECT_EQ(d.value_d, 0);
  EXPECT_EQ(d.flag_c, 1);
  EXPECT_EQ(d.follow_coupled, 1);
  // The automatic destination follows the new route.
  EXPECT_EQ(d.destination, tc);
  EXPECT_EQ(d.destination_text, sj("丙"));
  EXPECT_EQ(relinked, n);
  EXPECT_TRUE(moves.empty());
  EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(Dia_PatternApplyTests, ReapplyingTheSamePatternKeepsTheRunsOwnInformation) {
  int n = plain_run();
  Diagram& d = t.dia.diagrams[n];
  d.applied_pattern = pattern;
  d.destination = -5;
  d.destination_text = sj("自由");
  ASSERT_TRUE(apply(n, pattern, hms(9, 30)).ok());
  EXPECT_EQ(d.speed_type, 2);  // taken every time
  EXPECT_EQ(d.flag_b, 1);
  EXPECT_EQ(d.train_type, 1);  // kept
  EXPECT_EQ(d.nickname, sj("旧"));
  EXPECT_EQ(d.car_number, 5);
  EXPECT_EQ(d.destination, -5);  // no automatic destination either
  EXPECT_EQ(d.destination_text, sj("自由"));
  EXPECT_EQ(t.time(n, 2), hms(9, 42));
}

TEST_F(Dia_PatternApplyTests, ReapplyingAChangedPatternAsksFirst) {
  int n = plain_run();
  t.dia.diagrams[n].applied_pattern = pattern;
  t.dia.diagrams[n].pattern_changed = 1;
  std::vector<DiaEvent> before = t.events(n);
  prompt.script({Answer::No});
  EXPECT_EQ(apply(n, pattern, hms(9, 30)).status(), EditResult::Status::Declined);
  EXPECT_EQ(t.events(n), before);
  EXPECT_EQ(prompt.last().caption, "ダイヤパターン適用確認");
  EXPECT_EQ(prompt.last().text,
            "このダイヤに指定されていた、ダイヤパターンは変更させています。\n"
            "変更後のパターンを再適用します。\nよろしいですか？\n");
  EXPECT_EQ(prompt.last().buttons, Buttons::YesNo);

  prompt.script({Answer::Yes});
  ASSERT_TRUE(apply(n, pattern, hms(9, 30)).ok());
  EXPECT_EQ(t.dia.diagrams[n].pattern_changed, 0);
  EXPECT_EQ(t.time(n, 0), hms(9, 30));
}

TEST_F(Dia_PatternApplyTests, RefusalsNameTheReasonAndChangeNothing) {
  int other_way = plain_run();
  t.dia.diagrams[other_way].direction = 1;
  // The template stops at 乙 too, but only arrives at 丙.
  int elsewhere = t.add_run({{c, hms(8, 0), kEventStop}, {c, hms(8, 6), kEventArrival}});
  int arriving = t.add_run({{a, 0, kEventArrival}});  // a temporary dia: type 2 first
  for (int n : {other_way, elsewhere, arriving}) {
    std::vector<DiaEvent> before = t.events(n);
    EditResult r = apply(n, pattern, hms(9, 30));
    EXPECT_EQ(r.status(), EditResult::Status::Refused);
    if (n == other_way) {
      EXPECT_EQ(r.caption(), "方向エラー");
      EXPECT_EQ(r.text(), "エラー");
    } else {
      EXPECT_EQ(r.caption(), "エラー");
      EXPECT_EQ(r.text(), "始発駅が違います。");
    }
    EXPECT_EQ(t.events(n), before);
    EXPECT_EQ(t.dia.diagrams[n].applied_pattern, 0);
  }
  // A pattern without a usable template cannot start anywhere.
  t.tables.patterns.grow_to(2).template_diagram = 40;
  EXPECT_EQ(apply(plain_run(), 2, hms(9, 30)).text(), "始発駅が違います。");
}

TEST_F(Dia_PatternApplyTests, TheStartMovesBackToTheRunsOwnPlatform) {
  int n = plain_run(a2);
  ASSERT_TRUE(apply(n, pattern, hms(9, 30)).ok());
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0], std::make_pair(n, a2));
  EXPECT_EQ(t.dia.diagrams[n].events[0].rail, a2);

  // When no path leads there the run is restored.
  int m = plain_run(a2);
  std::vector<DiaEvent> before = t.events(m);
  move_ok = false;
  relinked = 0;
  EditResult r = apply(m, pattern, hms(9, 30));
  EXPECT_EQ(r.caption(), "エラー");
  EXPECT_EQ(r.text(), "進路設定エラー");
  EXPECT_EQ(t.events(m), before);
  EXPECT_EQ(t.dia.diagrams[m].applied_pattern, 0);
  EXPECT_EQ(t.dia.diagrams[m].car_number, 5);
  EXPECT_EQ(relinked, 0);
}

TEST_F(Dia_PatternApplyTests, RemovingThePatternOnlyClearsTheMark) {
  int n = plain_run();
  ASSERT_TRUE(apply(n, pattern, hms(9, 30)).ok());
  std::vector<DiaEvent> applied = t.events(n);
  ASSERT_TRUE(apply(n, 0, 0).ok());
  EXPECT_EQ(t.dia.diagrams[n].applied_pattern, 0);
  EXPECT_EQ(t.events(n), applied);
}

TEST_F(Dia_PatternApplyTests, TimesShiftOnTheOperatingDayAndUnsetTimesStayUnset) {
  Diagram& d = t.dia.diagrams[templ];
  d.events[0].time = hms(23, 50);
  d.events[1].time = 0;
  d.events[2].time = hms(0, 10);  // after midnight
  d.events[3].time = hms(0, 10);
  int n = plain_run();
  ASSERT_TRUE(apply(n, pattern, hms(22, 0)).ok());
  EXPECT_EQ(t.time(n, 0), hms(22, 0));
  EXPECT_EQ(t.time(n, 1), 0);
  EXPECT_EQ(t.time(n, 2), hms(22, 20));
  EXPECT_EQ(t.time(n, 3), hms(22, 20));
}

TEST_F(Dia_PatternApplyTests, ARunWithoutEventsTakesTheTemplatesRoute) {
  int n = plain_run();
  t.dia.diagrams[n].events.clear();
  ASSERT_TRUE(apply(n, pattern, hms(7, 0)).ok());
  EXPECT_EQ(t.dia.diagrams[n].event_count(), 3u);
  EXPECT_EQ(t.time(n, 0), hms(7, 0));
  EXPECT_TRUE(moves.empty());

  // A template without events offers no start.
  t.dia.diagrams[templ].events.clear();
  EXPECT_EQ(apply(plain_run(), pattern, hms(7, 0)).text(), "始発駅が違います。");
  PatternDialogSetup setup = pattern_setup_for_run(t.dia, t.tables.patterns, t.timing(), n);
  EXPECT_EQ(setup.choices.size(), 1u);
}

TEST_F(Dia_PatternApplyTests, MarksReachOnlyTheUsersOfAnEditedTemplate) {
  int user = plain_run();
  t.dia.diagrams[user].applied_pattern = pattern;
  int other = plain_run();
  t.dia.diagrams[other].applied_pattern = 2;
  mark_pattern_users(t.dia, user);  // not a template: nothing
  EXPECT_EQ(t.dia.diagrams[user].pattern_changed, 0);
  mark_pattern_users(t.dia, templ);
  EXPECT_EQ(t.dia.diagrams[user].pattern_changed, 1);
  EXPECT_EQ(t.dia.diagrams[other].pattern_changed, 0);
}

TEST_F(Dia_PatternApplyTests, ShiftingARunWithAPatternReappliesItAtTheNewFirstTime) {
  int n = plain_run();
  ASSERT_TRUE(apply(n, pattern, hms(9, 30)).ok());
  ASSERT_TRUE(shift_departure(t.dia, n, 0, +1, t.timing(), t.tables.patterns, hooks, prompt).ok());
  EXPECT_EQ(t.time(n, 0), hms(9, 30, 15));
  EXPECT_EQ(t.time(n, 1), hms(9, 35, 45));
  EXPECT_EQ(t.time(n, 2), hms(9, 42, 15));

  // When the pattern cannot be applied, the shift is undone.
  t.dia.diagrams[templ].direction = 1;
  EditResult r = shift_departure(t.dia, n, 0, +1, t.timing(), t.tables.patterns, hooks, prompt);
  EXPECT_EQ(r.caption(), "方向エラー");
  EXPECT_EQ(t.time(n, 0), hms(9, 30, 15));
}

class Dia_PatternChoiceTests : public Dia_PatternApplyTests {
 protected:
  EditResult button(PatternTimeButton b, int entered, int p = 1) {
    return pattern_button_time(t.tables.patterns, p, b, entered);
  }
};

TEST_F(Dia_PatternChoiceTests, AutomaticTimeIsTheFirstIntervalStepNotBeforeTheEntry) {
  Pattern& p = t.tables.patterns[pattern];
  p.base_time = hms(6, 0);
  p.interval = 900;
  EditResult r = button(PatternTimeButton::Automatic, hms(7, 5));
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.number(), hms(7, 15));
  EXPECT_EQ(button(PatternTimeButton::Automatic, hms(7, 15)).number(), hms(7, 15));
  EXPECT_EQ(button(PatternTimeButton::Automatic, hms(5, 1)).number(), hms(5, 15));
  EXPECT_EQ(button(PatternTimeButton::Automatic, 0).number(), 0);
  p.base_time = hms(6, 7);  // steps off the hour
  EXPECT_EQ(button(PatternTimeButton::Automatic, hms(7, 5)).number(), hms(7, 7));
  EXPECT_EQ(button(PatternTimeButton::Next, hms(7, 5)).number(), hms(7, 20));
  EXPECT_EQ(button(PatternTimeButton::Previous, hms(7, 5)).number(), hms(6, 50));
}

TEST_F(Dia_PatternChoiceTests, ButtonsRefuseBadTimesAndPatternsWithoutInterval) {
  EditResult r = button(PatternTimeButton::Next, hms(7, 5));
  EXPECT_EQ(r.caption(), "自動設定不可");
  EXPECT_EQ(r.text(), "このダイヤパターンは、発駅時刻自動指定がされていません。\n");
  EXPECT_EQ(button(PatternTimeButton::Automatic, hms(7, 5), 0).caption(), "自動設定不可");

  t.tables.patterns[pattern].interval = 600;
  for (int entered : {-1, 100801}) {
    r = button(PatternTimeButton::Automatic, entered);
    EXPECT_EQ(r.caption(), "入力データエラー");
    EXPECT_EQ(r.text(), "時刻が不正です。再設定して下さい。\n");
  }
  EXPECT_EQ(button(PatternTimeButton::Next, 100800).caption(), "入力データエラー");
  EXPECT_EQ(button(PatternTimeButton::Previous, 300).caption(), "入力データエラー");
  EXPECT_EQ(button(PatternTimeButton::Next, 100200).number(), 100800);
}

TEST_F(Dia_PatternChoiceTests, TheRunsDialogOffersPatternsStartingWhereItStartsInItsDirection) {
  int other_start = t.add_run({{b, hms(6, 0), kEventStop}, {c, hms(6, 6), kEventArrival}});
  t.dia.diagrams[other_start].pattern_template = 2;
  Pattern& p2 = t.tables.patterns.grow_to(2);
  p2.template_diagram = other_start;
  int other_way = t.add_run({{a2, hms(6, 0), kEventStop}, {a, hms(6, 1), kEventArrival}});
  t.dia.diagrams[other_way].direction = 1;
  t.tables.patterns.grow_to(3).template_diagram = other_way;
  t.tables.patterns.grow_to(4).template_diagram = 0;  // no template

  int n = plain_run(a2);
  t.dia.diagrams[n].applied_pattern = pattern;
  PatternDialogSetup setup = pattern_setup_for_run(t.dia, t.tables.patterns, t.timing(), n);
  ASSERT_EQ(setup.choices.size(), 2u);
  EXPECT_EQ(setup.choices[0].pattern, 0);
  EXPECT_EQ(setup.choices[0].label, "パターンなし");
  EXPECT_EQ(setup.choices[1].pattern, pattern);
  EXPECT_EQ(setup.choices[1].label, "<快> 快速 甲→丙");
  EXPECT_EQ(setup.preselected, pattern);
  EXPECT_EQ(setup.start_time, hms(8, 0));
  EXPECT_TRUE(setup.heading.empty());
}

TEST_F(Dia_PatternChoiceTests, TheNextWorkingDialogStartsAfterTheTurnback) {
  // Pattern 2 starts at 丙, where the run ends; pattern 1 is its next.
  int back = t.add_run({{c, hms(7, 0), kEventStop}, {b, hms(7, 6), kEventArrival}});
  t.dia.diagrams[back].pattern_template = 2;
  Pattern& p2 = t.tables.patterns.grow_to(2);
  p2.template_diagram = back;
  p2.short_name = "R";
  p2.name = "return";
  t.tables.patterns[pattern].next_pattern = 2;
  t.settings.stop.reverse = 300;

  int n = plain_run();
  t.dia.diagrams[n].applied_pattern = pattern;
  PatternDialogSetup setup =
      pattern_setup_for_next_working(t.dia, t.tables.patterns, t.timing(), n);
  ASSERT_EQ(setup.choices.size(), 2u);
  EXPECT_EQ(setup.choices[1].pattern, 2);
  EXPECT_EQ(setup.preselected, 2);
  EXPECT_EQ(setup.heading, "丙　発車時刻");
  EXPECT_EQ(setup.start_time, hms(8, 16));  // 08:11 + 300 s

  p2.base_time = hms(7, 0);
  p2.interval = 1200;
  setup = pattern_setup_for_next_working(t.dia, t.tables.patterns, t.timing(), n);
  EXPECT_EQ(setup.start_time, hms(8, 20));
}

}  // namespace
}  // namespace vosk::dia
