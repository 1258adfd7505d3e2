// Completing the dia records after their members are read.
#include "dia/dia_load.h"

#include <gtest/gtest.h>

#include "dia_record_fixtures.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using records_testing::fresh_dia;
using records_testing::TableMap;
using testing::ScriptedPrompt;
using testing::sj;

TEST(Dia_LoadTests, FormationsOfMissingSeriesAreAskedAboutOneByOne) {
  DiaTables dia = fresh_dia(4);
  dia.units.grow_to(1) = Unit{.series = 3, .name = sj("甲")};
  dia.units.grow_to(2) = Unit{.series = 5, .name = sj("乙")};
  dia.units.grow_to(3) = Unit{.series = 4, .name = sj("丙")};
  ScriptedPrompt prompt;
  prompt.script({Answer::Yes, Answer::No});
  finish_dia_load(dia, 1220, 3, prompt);
  ASSERT_EQ(prompt.count(), 2u);
  EXPECT_EQ(prompt.asked()[0].caption, "ファイル読み込み警告");
  EXPECT_EQ(prompt.asked()[0].buttons, Buttons::YesNo);
  EXPECT_EQ(prompt.asked()[0].text,
            "編成データが不正です。\n乙編成の形式情報を自動修正します。\nよろしいですか？\n");
  EXPECT_EQ(prompt.asked()[1].text,
            "編成データが不正です。\n丙編成の形式情報を自動修正します。\nよろしいですか？\n");
  EXPECT_EQ(dia.units[1].series, 3);
  EXPECT_EQ(dia.units[2].series, 3);  // Yes: the highest series
  EXPECT_EQ(dia.units[3].series, 4);  // No: left alone
}

TEST(Dia_LoadTests, CurrentFilesKeepTheirFirstDiagramsAndGetOwners) {
  DiaTables dia = fresh_dia(8);
  dia.trains.grow_to(1) = Train{.first_diagram = 1, .head_unit = 1};
  dia.units.grow_to(1) = Unit{.first_diagram = 2, .train = 1, .series = 1};
  dia.diagrams.grow_to(1).direction = 1;
  dia.diagrams.grow_to(2).direction = 1;
  ScriptedPrompt prompt;
  finish_dia_load(dia, 1110, 1, prompt);
  EXPECT_EQ(dia.units[1].first_diagram, 2);  // not rebuilt from the duty
  EXPECT_EQ(dia.diagrams[2].run.owning_unit, 1);
  EXPECT_EQ(dia.diagrams[1].run.owning_unit, 0);
  EXPECT_EQ(prompt.count(), 0u);
}

TEST(Dia_LoadTests, RebuildingFirstDiagramsSurvivesALoopingUnitChain) {
  DiaTables dia = fresh_dia(8);
  dia.trains.grow_to(1) = Train{.first_diagram = 1, .head_unit = 1};
  dia.units.grow_to(1) = Unit{.unit_behind = 2};
  dia.units.grow_to(2) = Unit{.unit_behind = 1};
  dia.diagrams.grow_to(1) = Diagram{.direction = 1, .coupled_behind = 2};
  rebuild_unit_first_diagrams(dia);
  EXPECT_EQ(dia.units[2].first_diagram, 2);
}

TEST(Dia_LoadTests, DutiesStandAtTheirInitialRail) {
  TableMap map;
  map.rails[7] = {.direction = 2, .stop_distance = 120};
  map.rails[8] = {.direction = 1, .stop_distance = 0, .dual = 9};
  map.rails[9] = {.direction = 2, .stop_distance = 80};
  DiaTables dia = fresh_dia(4);
  dia.trains.grow_to(1).initial_rail = 7;
  dia.trains.grow_to(2).initial_rail = 8;
  complete_train_positions(dia, map);
  EXPECT_EQ(dia.trains[1].position, (TrainPosition{7, 2, 120, 120 * 1024}));
  // Without a stopping mark of its own, the twin rail's counts.
  EXPECT_EQ(dia.trains[2].position, (TrainPosition{8, 1, 80, 80 * 1024}));
}

}  // namespace
}  // namespace vosk::dia
