#include "datafiles/dia_editing.h"

#include <gtest/gtest.h>

#include "dia/formations.h"
#include "samples/generator.h"
#include "support/scripted_prompt.h"

namespace vosk::datafiles {
namespace {

class DiaEditingOnSample : public ::testing::Test {
 protected:
  DataSet ds_ = samples::make_sample({.stations = 6, .runs = 12, .seed = 3});
  vosk::testing::ScriptedPrompt prompt_;
};

TEST_F(DiaEditingOnSample, SpeedTypeUsersSeeRunsInUseAndRenumberEveryDiagram) {
  dia::DiagramTable& runs = ds_.dia.diagrams;
  ASSERT_GE(runs.extent(), 3);
  for (dia::Diagram& d : runs) d.speed_type = 1;
  runs[1].speed_type = 3;
  runs[2].speed_type = 2;
  runs[3].speed_type = 2;
  runs[3].direction = 0;  // a free slot does not use its speed type
  EXPECT_EQ(runs_with_speed_type(ds_.dia, 2), std::vector<int>{2});
  const dia::SpeedTypeUsers users = speed_type_users(ds_.dia);
  EXPECT_TRUE(users.in_use(3));
  EXPECT_FALSE(users.in_use(4));
  users.renumber(2);
  EXPECT_EQ(runs[1].speed_type, 2);
  EXPECT_EQ(runs[2].speed_type, 0);
  EXPECT_EQ(runs[3].speed_type, 0);  // free slots follow too
  EXPECT_EQ(runs[4].speed_type, 1);  // below the removed one
}

TEST_F(DiaEditingOnSample, PlacingADutyWhereAnotherStandsIsRefused) {
  ASSERT_GE(ds_.dia.trains.extent(), 2);
  DiaEditing editing(ds_, prompt_);
  const int other = dia::duty_rail(ds_.dia.trains[2]);
  ASSERT_NE(other, 0);
  const dia::EditResult r = dia::place_duty(editing.formations(), ds_.dia, 1, other);
  EXPECT_EQ(r.caption(), "配置エラー");
  EXPECT_EQ(r.text(), "指定された初期位置には、既に列車が存在します。\n");
  EXPECT_NE(dia::duty_rail(ds_.dia.trains[1]), other);
}

}  // namespace
}  // namespace vosk::datafiles
