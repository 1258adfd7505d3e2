// Runs made for duties, first workings and next workings.
#include "dia/workings.h"

#include <gtest/gtest.h>

#include "dia/coupling_relations.h"
#include "dia/working_chains.h"
#include "workings_world.h"

namespace vosk::dia {
namespace {

using route_testing::k10;
using route_testing::WorkingsWorld;
using Events = std::vector<DiaEvent>;

constexpr const char* kDeleteFromWorking =
    "現在設定されている運用以降のダイヤを削除しますか？\n"
    "「いいえ」を選ぶと、臨時のダイヤとして保存されます。";

class Dia_WorkingsTests : public ::testing::Test, protected WorkingsWorld {
 protected:
  // A duty at A whose first working runs A → C.
  int duty_with_run(int& first) {
    int t = add_duty(a, "H");
    first = create_run_at_duty(workings(), dia(), t, k10).number();
    return t;
  }
};

TEST_F(Dia_WorkingsTests, RunAtAPositionIsBuiltAndMeasured) {
  EditResult r = create_run_at(workings(), dia(), a, k10);
  ASSERT_TRUE(r.ok()) << r.text();
  EXPECT_EQ(run(r.number()).events, (Events{{a, k10, kEventStop},
                                            {b, k10 + 330, kEventStop},
                                            {c, k10 + 630, kEventArrival},
                                            {c, k10 + 630, kEventEnd}}));
  EXPECT_EQ(run(r.number()).direction, route_testing::kRight);
}

TEST_F(Dia_WorkingsTests, RunsThatCannotBeCreatedAreRefusedAndLeaveNoSlot) {
  workings();
  EditResult at_end = create_run_at(workings(), dia(), e, k10);
  EXPECT_EQ(at_end.caption(), "操作エラー");
  EXPECT_EQ(at_end.text(), "指定位置からのダイヤを作成できません");
  EXPECT_EQ(create_run_at(workings(), dia(), a, 100801).caption(), "入力データエラー");
  int t = add_duty(e, "H");
  EXPECT_EQ(create_run_at_duty(workings(), dia(), t, k10).text(),
            "現在位置からのダイヤを作成できません");
  for (const Diagram& d : dia().diagrams) EXPECT_FALSE(d.in_use());
}

TEST_F(Dia_WorkingsTests, RunAtTheDutysPositionBecomesItsFirstWorking) {
  int first = 0;
  int t = duty_with_run(first);
  EXPECT_EQ(dia().trains[t].first_diagram, first);
  EXPECT_EQ(dia().units[dia().trains[t].head_unit].first_diagram, first);
  EXPECT_EQ(run(first).run.owning_unit, dia().trains[t].head_unit);
  EXPECT_EQ(prompt.count(), 0u);  // nothing to replace yet
}

TEST_F(Dia_WorkingsTests, ReplacingAFirstWorkingAsksWhatBecomesOfTheOldChain) {
  struct Row {
    Answer answer;
    bool done;
    bool old_kept;
  };
  for (Row row : {Row{Answer::Yes, true, false}, Row{Answer::No, true, true},
                  Row{Answer::Cancel, false, true}}) {
    WorkingsWorld world;
    int t = world.add_duty(world.a, "H");
    const WorkingsContext& ctx = world.workings();
    int old = create_run_at_duty(ctx, world.dia(), t, k10).number();
    int old_next = create_next_working(ctx, world.dia(), old, true).number();
    ASSERT_NE(old_next, 0);
    world.prompt.script({row.answer});
    EditResult r = create_run_at_duty(ctx, world.dia(), t, k10 + 3600);
    EXPECT_EQ(world.prompt.last().caption, "削除確認");
    EXPECT_EQ(world.prompt.last().text, kDeleteFromWorking);
    EXPECT_EQ(r.ok(), row.done);
    EXPECT_EQ(run_in_use(world.dia(), old), row.old_kept);
    EXPECT_EQ(run_in_use(world.dia(), old_next), row.old_kept);
    if (row.done) {
      EXPECT_EQ(world.dia().trains[t].first_diagram, r.number());
    }
    if (row.answer == Answer::No) {
      EXPECT_EQ(world.run(old).run.owning_unit, 0);
    }
  }
}

TEST_F(Dia_WorkingsTests, TemporaryFirstWorkingIsReplacedWithoutAsking) {
  int t = add_duty(a, "H");
  int temp = create_temporary_run(workings(), dia(), t).number();
  ASSERT_TRUE(is_temporary(dia(), temp));
  EXPECT_EQ(dia().trains[t].first_diagram, temp);
  int n = create_run_at_duty(workings(), dia(), t, k10).number();
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_FALSE(run_in_use(dia(), temp));
  EXPECT_EQ(dia().trains[t].first_diagram, n);
}

TEST_F(Dia_WorkingsTests, NextWorkingTurnsBackOnTheTwinRailAfterTheTurnbackTime) {
  int first = 0;
  duty_with_run(first);
  EditResult r = create_next_working(workings(), dia(), first, true);
  ASSERT_TRUE(r.ok()) << r.text();
  const Diagram& next = run(r.number());
  EXPECT_EQ(next.events.front(), (DiaEvent{c_l, k10 + 630 + 120, kEventStop}));
  EXPECT_EQ(last_rail(r.number()), a_l);
  EXPECT_EQ(run(first).next_working, r.number());
  EXPECT_EQ(next.run.owning_unit, run(first).run.owning_unit);
}

TEST_F(Dia_WorkingsTests, NextWorkingContinuesAfterTheStopTime) {
  // A run ending at B continues from there.
  int first = create_run_at(workings(), dia(), a, k10).number();
  run(first).events = {{a, k10, kEventStop}, {b, k10 + 300, kEventArrival}, {b, k10 + 300, 0}};
  EditResult r = create_next_working(workings(), dia(), first, false);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(run(r.number()).events.front(), (DiaEvent{b, k10 + 330, kEventStop}));
  // From C there is no way on.
  int second = r.number();
  EditResult none = create_next_working(workings(), dia(), second, false);
  EXPECT_EQ(none.text(), "次運用のダイヤを作成できません");
  EXPECT_EQ(run(second).next_working, 0);
}

TEST_F(Dia_WorkingsTests, NextWorkingFromAPatternTurnsBackOrIsUndoneWhenThePatternRefuses) {
  int first = create_run_at(workings(), dia(), a, k10).number();
  // Templates running left: one from C, one from B only.
  int from_c = w.add_run_events(
      {{c_l, 28800, kEventStop}, {b_l, 29100, kEventStop}, {a_l, 29400, kEventArrival}},
      route_testing::kLeft);
  int from_b = w.add_run_events({{b_l, 28800, kEventStop}, {a_l, 29100, kEventArrival}},
                                route_testing::kLeft);
  PatternTable patterns;
  patterns.allocate(5);
  patterns.grow_to(1).template_diagram = from_c;
  patterns.grow_to(2).template_diagram = from_b;
  run(from_c).pattern_template = 1;
  run(from_b).pattern_template = 2;

  DiaTables before = dia();
  EditResult refused = create_next_from_pattern(workings(), dia(), first, 2, k10 + 1000, patterns);
  EXPECT_EQ(refused.text(), "始発駅が違います。");
  EXPECT_EQ(dia().diagrams.extent(), before.diagrams.extent());
  EXPECT_EQ(run(first).next_working, 0);

  EditResult r = create_next_from_pattern(workings(), dia(), first, 1, k10 + 1000, patterns);
  ASSERT_TRUE(r.ok()) << r.text();
  EXPECT_EQ(run(first).next_working, r.number());
  EXPECT_EQ(run(r.number()).applied_pattern, 1);
  EXPECT_EQ(run(r.number()).events.front(), (DiaEvent{c_l, k10 + 1000, kEventStop}));
  EXPECT_EQ(last_time(r.number()), k10 + 1600);
}

TEST_F(Dia_WorkingsTests, ExecutedDiaStartsTheNextWorkingNoEarlierThanNowAndKeepsTheOldChain) {
  int first = 0;
  duty_with_run(first);
  int old = create_next_working(workings(), dia(), first, true).number();
  const WorkingsContext& executed = workings(k10 + 3601);
  EditResult r = create_next_working(executed, dia(), first, true);
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(run(r.number()).events.front().time, k10 + 3615);  // rounded up to 15 s
  EXPECT_TRUE(run_in_use(dia(), old));
}

// Two formations coupled: H's runs lead, R's copies run behind them.
class Dia_CoupledWorkingsTests : public Dia_WorkingsTests {
 protected:
  void SetUp() override {
    t = duty_with_run(h1);
    ASSERT_TRUE(add_rear_formation(formations(), dia(), t, "R", 1).ok());
    r1 = dia().units[2].first_diagram;
  }
  int t = 0, h1 = 0, r1 = 0;
};

TEST_F(Dia_CoupledWorkingsTests, CoupledCopiesFollowANewNextWorkingInRunningOrder) {
  ASSERT_EQ(coupling_chain(dia(), h1), (std::vector<int>{h1, r1}));
  // At a turnback the rear of the train leads: H's run becomes the rear.
  EditResult r = create_next_working(workings(), dia(), r1, true);
  ASSERT_TRUE(r.ok());
  int h2 = r.number();
  int r2 = run(r1).next_working;
  EXPECT_EQ(run(h1).next_working, h2);
  EXPECT_EQ(coupling_chain(dia(), h2), (std::vector<int>{r2, h2}));
  EXPECT_EQ(run(r2).events, run(h2).events);
  EXPECT_EQ(run(r2).run.owning_unit, 2);
  EXPECT_TRUE(CouplingRelations(dia()).partners(h1).empty());
}

TEST_F(Dia_CoupledWorkingsTests, RouteChangesOfARunAreTakenByTheRunsCoupledWithIt) {
  std::vector<DiaEvent> shortened = {{a, k10, kEventStop}, {b, k10 + 300, kEventArrival}};
  run(h1).events = {shortened[0], shortened[1], {b, k10 + 300, kEventEnd}};
  route().follow_up->relink(dia(), h1, 0);
  EXPECT_EQ(run(r1).events, run(h1).events);
}

TEST_F(Dia_CoupledWorkingsTests, ChoosingANextWorkingKeepsOnlyTheRearOfItsTrain) {
  // A second coupled duty whose runs start where h1 ends (turning back).
  int t2 = add_duty(c_l, "K");
  int k1 = create_run_at_duty(workings(), dia(), t2, k10 + 900).number();
  ASSERT_TRUE(add_rear_formation(formations(), dia(), t2, "L", 1).ok());
  int l1 = dia().units[4].first_diagram;
  ASSERT_EQ(coupling_chain(dia(), k1), (std::vector<int>{k1, l1}));
  EditResult r = choose_next_working(workings(), dia(), h1, k1);
  ASSERT_TRUE(r.ok()) << r.text();
  EXPECT_EQ(r.number(), l1);                   // k1 ahead of it is gone
  EXPECT_EQ(dia().units[3].first_diagram, 0);  // k1 went (its slot takes a copy)
  EXPECT_EQ(dia().units[4].first_diagram, 0);  // l1 is H's now
  EXPECT_EQ(run(l1).run.owning_unit, 1);
  EXPECT_EQ(run(h1).next_working, l1);
  int copy = run(r1).next_working;
  EXPECT_EQ(coupling_chain(dia(), l1), (std::vector<int>{copy, l1}));
}

TEST_F(Dia_WorkingsTests, ChoosingANextWorkingThatCannotStartThereRestoresTheDia) {
  int first = create_run_at(workings(), dia(), a, k10).number();
  int elsewhere = create_run_at(workings(), dia(), b_l, k10 + 900).number();  // starts at B
  int follower = create_run_at(workings(), dia(), c_l, k10).number();
  run(follower).next_working = elsewhere;
  DiaTables before = dia();
  EditResult r = choose_next_working(workings(), dia(), first, elsewhere);
  EXPECT_EQ(r.caption(), "進路エラー");
  EXPECT_EQ(r.text(), "このダイヤを設定した場合、経路が見つかりません。");
  EXPECT_EQ(dia().diagrams[follower].next_working, elsewhere);
  EXPECT_EQ(dia().diagrams.extent(), before.diagrams.extent());
}

TEST_F(Dia_WorkingsTests, ChoosingARunThatLeadsBackIsRefused) {
  int first = 0;
  duty_with_run(first);
  int second = create_next_working(workings(), dia(), first, true).number();
  EXPECT_FALSE(choose_next_working(workings(), dia(), second, first).ok());
  EXPECT_EQ(run(first).next_working, second);
  EXPECT_EQ(run(second).next_working, 0);
}

TEST_F(Dia_WorkingsTests, EndingAWorkingDeletesTheOldChainOnYes) {
  int first = 0;
  duty_with_run(first);
  int second = create_next_working(workings(), dia(), first, true).number();
  prompt.script({Answer::Yes});
  ASSERT_TRUE(end_working(workings(), dia(), first).ok());
  EXPECT_EQ(run(first).next_working, 0);
  EXPECT_FALSE(run_in_use(dia(), second));
}

TEST_F(Dia_WorkingsTests, ChoosingALaterRunOfTheChainAsFirstWorkingSparesIt) {
  int first = 0;
  int t = duty_with_run(first);
  int second = create_next_working(workings(), dia(), first, true).number();
  // A left run starting where the duty stands cannot start at A's right rail.
  prompt.script({Answer::Yes});
  EditResult r = choose_first_working(workings(), dia(), t, second);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.caption(), "進路エラー");
  EXPECT_TRUE(run_in_use(dia(), first));
  // From C's twin rail it can.
  dia().trains[t].position.current_rail = c_l;
  prompt.script({Answer::Yes});
  ASSERT_TRUE(choose_first_working(workings(), dia(), t, second).ok());
  EXPECT_FALSE(run_in_use(dia(), first));
  EXPECT_TRUE(run_in_use(dia(), second));
  EXPECT_EQ(dia().trains[t].first_diagram, second);
  EXPECT_EQ(run(second).run.owning_unit, dia().trains[t].head_unit);
}

TEST_F(Dia_WorkingsTests, TurningBackBehindAnotherTrainMergesWithItsPreviousWorking) {
  // P reaches C first and turns back as Q; A follows and turns back as N,
  // coupled behind Q.
  int tp = add_duty(a, "P");
  int p = create_run_at_duty(workings(), dia(), tp, k10).number();
  int q = create_next_working(workings(), dia(), p, true).number();
  int ta = add_duty(z, "A");
  dia().trains[ta].position.current_rail = a;
  int first = create_run_at_duty(workings(), dia(), ta, k10 + 60).number();
  int n = create_next_working(workings(), dia(), first, true).number();
  couple_at_rear(dia(), q, n);

  CouplingRelations relations(dia());
  EXPECT_EQ(relations.merge_partner(first), p);
  EXPECT_TRUE(relations.couples_at_end(first));
  EXPECT_TRUE(relations.couples_at_end(p));  // merged into
  // A run that merges at its end gets a new next working alone.
  prompt.script({Answer::No});
  EditResult r = create_next_working(workings(), dia(), first, true);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(run(r.number()).coupled_ahead, 0);
  EXPECT_EQ(run(p).next_working, q);
}

}  // namespace
}  // namespace vosk::dia
