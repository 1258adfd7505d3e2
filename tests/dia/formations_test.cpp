// Placing duties and coupling formations onto them.
#include "dia/formations.h"

#include <gtest/gtest.h>

#include "dia/coupling_relations.h"
#include "dia/working_chains.h"
#include "workings_world.h"

namespace vosk::dia {
namespace {

using route_testing::k10;
using route_testing::WorkingsWorld;

class Dia_FormationsTests : public ::testing::Test, protected WorkingsWorld {
 protected:
  Dia_FormationsTests() {
    t = add_duty(a, "H");
    workings();
    h1 = create_run_at_duty(workings(), dia(), t, k10).number();
    h2 = create_next_working(workings(), dia(), h1, true).number();
  }
  int t = 0, h1 = 0, h2 = 0;
};

TEST_F(Dia_FormationsTests, PlacingADutyIsRefusedWhereItCannotStand) {
  struct Row {
    const char* why;
    int rail;
    int series_length;
    bool electri;
    const char* caption;
    std::string text;
  };
  w.rails[b].name = "B1";
  w.prails[w.rails[b].l_pack].electrification = 3;
  int other = add_duty(b, "K");
  const Row rows[] = {
      {"another duty on the twin rail", b_l, 100, false, "配置エラー",
       "指定された初期位置には、既に列車が存在します。\n"},
      {"longer than the rails up to the end of the track", s2, 1100, false, "編成長エラー",
       "指定された形式(EC 5両)は、編成長が長すぎるため、初期位置のレールに入れません。"},
      {"a system the series cannot run on", b, 100, true, "電化方式エラー",
       "ECは、B1(直流 1500[V])に入れません。"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    if (row.electri) dia().trains[other].position.current_rail = e;
    series[1].train_length = row.series_length;
    series[1].electrification[3] = 0;
    FormationContext ctx{workings(), series, row.electri, false};
    EditResult r = place_duty(ctx, dia(), t, row.rail);
    EXPECT_EQ(r.caption(), row.caption);
    EXPECT_EQ(r.text(), row.text);
    EXPECT_EQ(dia().trains[t].initial_rail, a);
  }
}

TEST_F(Dia_FormationsTests, AMovedDutyGetsItsFirstWorkingAgainFromTheNewRail) {
  prompt.script({Answer::Yes});
  EditResult r = place_duty(formations(), dia(), t, b);
  ASSERT_TRUE(r.ok()) << r.text();
  EXPECT_EQ(dia().trains[t].initial_rail, b);
  EXPECT_EQ(dia().trains[t].position.current_rail, b);
  int first = dia().trains[t].first_diagram;
  EXPECT_EQ(run(first).events.front(), (DiaEvent{b, k10, kEventStop}));
  EXPECT_FALSE(run_in_use(dia(), h1));
  EXPECT_FALSE(run_in_use(dia(), h2));
  // Declining the question leaves the duty where it was.
  prompt.script({Answer::Cancel});
  EXPECT_FALSE(place_duty(formations(), dia(), t, a).ok());
  EXPECT_EQ(dia().trains[t].initial_rail, b);
  EXPECT_EQ(dia().trains[t].first_diagram, first);
}

TEST_F(Dia_FormationsTests, ARearFormationGetsACoupledCopyOfTheChain) {
  ASSERT_TRUE(add_rear_formation(formations(), dia(), t, "R", 1).ok());
  const Unit& rear = dia().units[2];
  EXPECT_EQ(rear.unit_ahead, 1);
  EXPECT_EQ(dia().units[1].unit_behind, 2);
  EXPECT_EQ(rear.train, t);
  std::vector<int> copies = working_chain(dia(), rear.first_diagram);
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(run(copies[0]).events, run(h1).events);
  // Behind the first run, ahead of the one after the turnback.
  EXPECT_EQ(coupling_chain(dia(), h1), (std::vector<int>{h1, copies[0]}));
  EXPECT_EQ(coupling_chain(dia(), h2), (std::vector<int>{copies[1], h2}));
  EXPECT_EQ(run(copies[1]).run.owning_unit, 2);
  EXPECT_EQ(series[1].used, 2);
  CouplingRelations relations(dia());
  EXPECT_TRUE(relations.partners(h1).empty());
  EXPECT_TRUE(relations.partners(copies[0]).empty());
}

TEST_F(Dia_FormationsTests, RearFormationsThatDoNotFitAreRefusedAndOthersWarnedAbout) {
  int long_series = add_series("Long", 8, 250);  // 100 + 250 m at A, where 300 m fit
  EditResult r = add_rear_formation(formations(), dia(), t, "R", long_series);
  EXPECT_EQ(r.caption(), "編成長エラー");
  EXPECT_EQ(r.text(), "Long 8両を併結後は、編成長が長すぎるため、初期位置のレールに入れません。");
  EXPECT_EQ(dia().units.extent(), 1);

  int fast = add_series("Fast", 4, 80);
  series[fast].max_speed = 160;
  ASSERT_TRUE(add_rear_formation(formations(), dia(), t, "R", fast).ok());
  EXPECT_EQ(prompt.last().caption, "列車性能確認");
  EXPECT_EQ(prompt.last().text,
            "EC 5両とFast 4両は列車性能が違うため、併結後は低い方が適用されます。");
  EXPECT_EQ(edit_formation(formations(), dia(), 2, "R2", 1).number(), 2);
  EXPECT_EQ(prompt.count(), 1u);  // the same series again: no warning
  edit_formation(formations(), dia(), 1, "H", fast);
  EXPECT_EQ(prompt.last().caption, "列車性能警告");
}

TEST_F(Dia_FormationsTests, RemovingTheRearFormation) {
  EditResult alone = remove_rear_formation(formations(), dia(), t);
  EXPECT_EQ(alone.caption(), "操作エラー");
  EXPECT_EQ(alone.text(), "この編成は併結していないため、これ以上削除できません。");

  for (Answer answer : {Answer::Yes, Answer::No}) {
    ASSERT_TRUE(add_rear_formation(formations(), dia(), t, "R", 1).ok());
    int copy = dia().units[2].first_diagram;
    prompt.script({answer});
    ASSERT_TRUE(remove_rear_formation(formations(), dia(), t).ok());
    EXPECT_EQ(prompt.last().caption, "削除確認");
    EXPECT_EQ(run_in_use(dia(), copy), answer == Answer::No);
    EXPECT_EQ(run(h1).coupled_behind, 0);
    EXPECT_EQ(run(h2).coupled_ahead, 0);
    EXPECT_EQ(dia().units.extent(), 1);
    EXPECT_EQ(dia().units[1].unit_behind, 0);
    if (answer == Answer::No) {
      EXPECT_EQ(run(copy).run.owning_unit, 0);
    }
  }
}

TEST_F(Dia_FormationsTests, DeletingADutyRenumbersTheOnesAfterIt) {
  EditResult last = delete_duty(formations(), dia(), t);
  EXPECT_EQ(last.text(), "これ以上は削除できません。");
  int other = add_duty(c, "K");
  ASSERT_EQ(other, 2);
  prompt.script({Answer::Cancel, Answer::Ok});
  EXPECT_FALSE(delete_duty(formations(), dia(), t).ok());
  EXPECT_EQ(prompt.last().text, "現在のデータ（H編成）を削除します。\nよろしいですか？");
  EXPECT_EQ(prompt.last().buttons, Buttons::OkCancel);
  ASSERT_TRUE(delete_duty(formations(), dia(), t).ok());
  EXPECT_EQ(dia().trains.extent(), 1);
  EXPECT_EQ(dia().units.extent(), 1);
  EXPECT_EQ(dia().trains[1].name, "K");
  EXPECT_EQ(dia().trains[1].head_unit, 1);
  EXPECT_EQ(dia().units[1].train, 1);
  EXPECT_EQ(run(h1).run.owning_unit, 0);  // the runs stay
}

}  // namespace
}  // namespace vosk::dia
