// Damaged lines of the dia record members: warned once per member, and what
// can be kept is kept.
#include <gtest/gtest.h>

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

TEST(Dia_MemberWarningTests, OutOfRangeDiagramNumbersAreSkippedWithOneWarning) {
  DiaTables dia = fresh_dia(4);
  ScriptedPrompt prompt;
  read_into(read_diagram,
            "  5,1, 0,0,0,  0,  0,1, 1, 0, 0,1, 1,1,1,  0,  0,  0,  0,A,,,,\n"
            " -1,1, 0,0,0,  0,  0,1, 1, 0, 0,1, 1,1,1,  0,  0,  0,  0,B,,,,\n"
            "  4,1, 0,0,0,  0,  0,1, 1, 0, 0,1, 1,1,1,  0,  0,  0,  0,C,,,,\n",
            1220, dia, prompt, "diagram.csv");
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, caption::kReadWarning);
  EXPECT_NE(prompt.last().text.find("diagram.csv"), std::string::npos);
  EXPECT_EQ(dia.diagrams.extent(), 4);
  EXPECT_EQ(dia.diagrams[4].train_number, "C");
}

TEST(Dia_MemberWarningTests, DutyTablesGrowToAnyNumberButRefuseNegativeOnes) {
  DiaTables dia = fresh_dia(2);
  ScriptedPrompt prompt;
  read_into(read_train, " 7,  0,  3,  1,far,\n-2,  0,  0,  0,neg,\n", 1220, dia, prompt);
  read_into(read_unit, " 9,  0,  7,  0,  0,  1,u,\n", 1220, dia, prompt);
  EXPECT_EQ(prompt.count(), 1u);  // the negative train
  EXPECT_EQ(dia.trains.extent(), 7);
  EXPECT_EQ(dia.trains.capacity(), 7);
  EXPECT_EQ(dia.trains[7].name, "far");
  EXPECT_EQ(dia.units.extent(), 9);
  EXPECT_EQ(dia.units[9].train, 7);
  // The gaps are written as empty records.
  EXPECT_EQ(written(write_train, dia).substr(0, 34), " 0,  0,  0,  0,,\n 1,  0,  0,  0,,\n");
}

TEST(Dia_MemberWarningTests, OverLongTextsAreCutAtACharacterBoundary) {
  DiaTables dia = fresh_dia(4);
  ScriptedPrompt prompt;
  // 21 bytes of train number, 21 of destination (the tenth character is cut
  // whole), 64 of nickname.
  std::string number(21, '9');
  std::string destination = "x" + sj("あいうえおかきくけこ");
  std::string nickname(64, 'n');
  read_into(read_diagram,
            "  1,1, 0,0,0,  0,  0,1, 1, 0, 0,1, 1,1,1,  0,  0,  0,  0," + number + "," +
                destination + "," + nickname + ",r,\n",
            1220, dia, prompt);
  EXPECT_EQ(prompt.count(), 1u);
  const Diagram& d = dia.diagrams[1];
  EXPECT_EQ(d.train_number, std::string(20, '9'));
  EXPECT_EQ(d.destination_text, "x" + sj("あいうえおかきくけ"));
  EXPECT_EQ(d.nickname, std::string(63, 'n'));
  EXPECT_EQ(d.remarks, "r");

  DiaTables units = fresh_dia(4);
  ScriptedPrompt unit_prompt;
  read_into(read_unit, " 1,  0,  1,  0,  0,  1," + std::string(30, 'u') + ",\n", 1220, units,
            unit_prompt);
  EXPECT_EQ(units.units[1].name, std::string(23, 'u'));
  EXPECT_EQ(unit_prompt.count(), 1u);
}

TEST(Dia_MemberWarningTests, AnOverLongLineIsReportedAndItsRecordKept) {
  DiaTables dia = fresh_dia(4);
  ScriptedPrompt prompt;
  std::string remarks(5000, 'r');
  read_into(read_diagram,
            "  1,1, 0,0,0,  0,  0,1, 1, 0, 0,1, 1,1,1,  0,  0,  0,  0,A,,," + remarks + ",\n", 1220,
            dia, prompt);
  EXPECT_EQ(prompt.count(), 1u);
  EXPECT_EQ(dia.diagrams[1].train_number, "A");
  EXPECT_EQ(dia.diagrams[1].remarks, std::string(255, 'r'));
}

TEST(Dia_MemberWarningTests, AccidentTextsAreCutTo255Bytes) {
  DiaTables dia = fresh_dia(1);
  ScriptedPrompt prompt;
  read_into(read_accident_rail, "0,0,0,0,0,0,0,0,0,0," + std::string(300, 't') + ",,,,,\n", 1220,
            dia, prompt);
  EXPECT_EQ(prompt.count(), 1u);
  EXPECT_EQ(dia.accidents.rail[1].texts[0], std::string(255, 't'));
}

}  // namespace
}  // namespace vosk::dia
