// Members of older data versions read into the right fields and written back
// in the current layout.
#include <gtest/gtest.h>

#include "dia/dia_load.h"
#include "dia/dia_members.h"
#include "dia_record_fixtures.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using records_testing::fresh_dia;
using records_testing::read_into;
using records_testing::written;
using testing::ScriptedPrompt;
using testing::sj;

struct DiagramLayoutCase {
  int version;
  const char* line;     // as that version wrote it
  const char* current;  // the same diagram in the current layout
};

class Dia_DiagramLayoutTests : public ::testing::TestWithParam<DiagramLayoutCase> {};

TEST_P(Dia_DiagramLayoutTests, ReadsIntoTheRightFieldsAndWritesTheCurrentLayout) {
  const DiagramLayoutCase& c = GetParam();
  DiaTables dia = fresh_dia(8);
  ScriptedPrompt prompt;
  read_into(read_diagram, c.line, c.version, dia, prompt);
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(written(write_diagram, dia), c.current);
  // Read back as the current version, the rewritten line is stable.
  DiaTables back = fresh_dia(8);
  std::string current = c.current;
  read_into(read_diagram, current, 1220, back, prompt);
  EXPECT_EQ(written(write_diagram, back), current);
}

// Columns appear with their versions: destination .. running order and
// follow_coupled 1130, crew and type meaning 1010, pattern columns 1020,
// speed type 1070, couplings 1110, flag_c 1120, value_d, car number and
// nickname 1140. Absent columns take 0 except pattern_changed, speed_type,
// flag_c and follow_coupled, which take 1.
INSTANTIATE_TEST_SUITE_P(
    Versions, Dia_DiagramLayoutTests,
    ::testing::Values(
        // Crew held something else (9) and the type was one lower.
        DiagramLayoutCase{1000, "  5,2,  4,9, 3,101M,X,R,\n",
                          "  5,2, 0,0,0,  0,  4,1, 4, 0, 0,1, 1,1,1,  0,  0,  0,  0,101M,X,,R,\n"},
        DiagramLayoutCase{1010, "  5,2,  4,2, 3,101M,X,R,\n",
                          "  5,2, 0,0,0,  0,  4,2, 3, 0, 0,1, 1,1,1,  0,  0,  0,  0,101M,X,,R,\n"},
        DiagramLayoutCase{1020, "  5,2,  4,2, 3, 6, 7,0,101M,X,R,\n",
                          "  5,2, 0,0,0,  0,  4,2, 3, 6, 7,0, 1,1,1,  0,  0,  0,  0,101M,X,,R,\n"},
        DiagramLayoutCase{1070, "  5,2,  4,2, 3, 6, 7,0, 4,101M,X,R,\n",
                          "  5,2, 0,0,0,  0,  4,2, 3, 6, 7,0, 4,1,1,  0,  0,  0,  0,101M,X,,R,\n"},
        DiagramLayoutCase{1110, "  5,2,  4,2, 3, 6, 7,0, 4,  8,  9,101M,X,R,\n",
                          "  5,2, 0,0,0,  0,  4,2, 3, 6, 7,0, 4,1,1,  8,  9,  0,  0,101M,X,,R,\n"},
        DiagramLayoutCase{1120, "  5,2,  4,2, 3, 6, 7,0, 4,0,  8,  9,101M,X,R,\n",
                          "  5,2, 0,0,0,  0,  4,2, 3, 6, 7,0, 4,0,1,  8,  9,  0,  0,101M,X,,R,\n"},
        DiagramLayoutCase{1130, "  5,2,-3,1,1, 11,  4,2, 3, 6, 7,0, 4,0,0,  8,  9,101M,X,R,\n",
                          "  5,2,-3,1,1, 11,  4,2, 3, 6, 7,0, 4,0,0,  8,  9,  0,  0,101M,X,,R,\n"},
        DiagramLayoutCase{
            1140, "  5,2,-3,1,1, 11,  4,2, 3, 6, 7,0, 4,0,0,  8,  9, 12, 13,101M,X,N,R,\n",
            "  5,2,-3,1,1, 11,  4,2, 3, 6, 7,0, 4,0,0,  8,  9, 12, 13,101M,X,N,R,\n"}),
    [](const ::testing::TestParamInfo<DiagramLayoutCase>& info) {
      return "Version" + std::to_string(info.param.version);
    });

TEST(Dia_OldLayoutTests, EventsBefore1140StoreHoursMinutesAndSeconds) {
  DiaTables dia = fresh_dia(4);
  ScriptedPrompt prompt;
  read_into(read_diagram, "  1,1,  0,1, 1,A,,,\n", 1000, dia, prompt);
  read_into(read_d_event,
            " 1,  7,101, 6, 0, 5,1,\n 1,  7,102,27,59,59,2,\n 1,  0,102,27,59,59,0,\n", 1000, dia,
            prompt);
  EXPECT_EQ(prompt.count(), 0u);
  ASSERT_EQ(dia.diagrams[1].events.size(), 3u);
  EXPECT_EQ(dia.diagrams[1].events[0], (DiaEvent{101, 21605, kEventStop}));
  EXPECT_EQ(dia.diagrams[1].events[1], (DiaEvent{102, 100799, kEventArrival}));
  EXPECT_EQ(written(write_d_event, dia), " 1,101,21605,1,\n 1,102,100799,2,\n 1,102,100799,0,\n");
}

TEST(Dia_OldLayoutTests, DutiesBefore1070EachGetTheirOnlyFormation) {
  DiaTables dia = fresh_dia(4);
  ScriptedPrompt prompt;
  read_into(read_train, " 1,  3, 12,  4," + sj("仕業") + ",\n 2,  0, 15,  2,B,\n", 1060, dia,
            prompt);
  // A unit.csv handed over anyway is not read: the formations come from train.csv.
  read_into(read_unit, " 1,  0,  0,  0,  0,  0,bogus,\n", 1060, dia, prompt);
  EXPECT_EQ(prompt.count(), 0u);

  ASSERT_EQ(dia.units.extent(), 2);
  EXPECT_EQ(dia.trains[1].head_unit, 1);
  EXPECT_EQ(dia.trains[2].head_unit, 2);
  const Unit& u = dia.units[1];
  EXPECT_EQ(u.first_diagram, 0);
  EXPECT_EQ(u.train, 1);
  EXPECT_EQ(u.unit_ahead, 0);
  EXPECT_EQ(u.unit_behind, 0);
  EXPECT_EQ(u.series, 4);
  EXPECT_EQ(u.name, sj("仕業"));
  EXPECT_EQ(written(write_train, dia),
            " 0,  0,  0,  0,,\n 1,  3, 12,  1," + sj("仕業") + ",\n 2,  0, 15,  2,B,\n");
  EXPECT_EQ(written(write_unit, dia), " 0,  0,  0,  0,  0,  0,,\n 1,  0,  1,  0,  0,  4," +
                                          sj("仕業") + ",\n 2,  0,  2,  0,  0,  2,B,\n");
}

TEST(Dia_OldLayoutTests, DutiesBefore35RunSeriesOne) {
  DiaTables dia = fresh_dia(4);
  ScriptedPrompt prompt;
  read_into(read_train, " 1,  3, 12,  4,A,\n", 34, dia, prompt);
  EXPECT_EQ(dia.units[1].series, 1);
  DiaTables at35 = fresh_dia(4);
  read_into(read_train, " 1,  3, 12,  4,A,\n", 35, at35, prompt);
  EXPECT_EQ(at35.units[1].series, 4);
}

TEST(Dia_OldLayoutTests, ADutyNameTooLongForItsFormationIsCutAtACharacter) {
  DiaTables dia = fresh_dia(4);
  ScriptedPrompt prompt;
  // 11 double-byte characters and one more: 23 bytes end inside the 12th.
  std::string name = sj("あいうえおかきくけこさし");
  read_into(read_train, " 1,  0,  1,  1," + name + ",\n", 1000, dia, prompt);
  EXPECT_EQ(dia.trains[1].name, name);
  EXPECT_EQ(dia.units[1].name, sj("あいうえおかきくけこさ"));
  EXPECT_EQ(prompt.count(), 1u);
}

TEST(Dia_OldLayoutTests, UnitsBefore1110HaveNoFirstDiagramUntilRebuiltFromTheDuties) {
  DiaTables dia = fresh_dia(8);
  ScriptedPrompt prompt;
  read_into(read_train, " 1,  2,  5,  1,T,\n", 1100, dia, prompt);
  read_into(read_unit, " 1,  1,  0,  2,  3,A,\n 2,  1,  1,  0,  3,B,\n", 1100, dia, prompt);
  EXPECT_EQ(dia.units[1].first_diagram, 0);
  EXPECT_EQ(dia.units[1].train, 1);
  EXPECT_EQ(dia.units[1].unit_behind, 2);
  EXPECT_EQ(dia.units[2].unit_ahead, 1);
  EXPECT_EQ(dia.units[2].series, 3);
  EXPECT_EQ(dia.units[2].name, "B");
  // Run 2 is the duty's first run; run 4 runs coupled behind it.
  read_into(read_diagram, "  2,1,  6,1, 1,A,,,\n  4,1,  0,1, 1,A,,,\n  6,2,  0,1, 1,A,,,\n", 1000,
            dia, prompt);
  dia.diagrams[2].coupled_behind = 4;
  finish_dia_load(dia, 1100, 3, prompt);
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(dia.units[1].first_diagram, 2);
  EXPECT_EQ(dia.units[2].first_diagram, 4);
  EXPECT_EQ(dia.diagrams[6].run.owning_unit, 1);
  EXPECT_EQ(dia.diagrams[4].run.owning_unit, 2);
  EXPECT_EQ(written(write_unit, dia),
            " 0,  0,  0,  0,  0,  0,,\n 1,  2,  1,  0,  2,  3,A,\n 2,  4,  1,  1,  0,  3,B,\n");
}

}  // namespace
}  // namespace vosk::dia
