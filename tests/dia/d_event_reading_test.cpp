// d_event.csv: which diagrams keep their slot, and how event lists are filled.
#include <gtest/gtest.h>

#include "dia/dia_members.h"
#include "dia/dia_operations.h"
#include "dia_record_fixtures.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using records_testing::fresh_dia;
using records_testing::read_into;
using records_testing::written;
using testing::ScriptedPrompt;

std::string diagram_line(int n) {
  char buf[128];
  std::snprintf(buf, sizeof buf,
                "%3d,1, 0,0,0,  0,  0,1, 1, 0, 0,1, 1,1,1,  0,  0,  0,  0,N%d,,,,\n", n, n);
  return buf;
}

DiaTables with_diagrams(std::initializer_list<int> numbers, ScriptedPrompt& prompt) {
  DiaTables dia = fresh_dia(16);
  std::string content;
  for (int n : numbers) content += diagram_line(n);
  read_into(read_diagram, content, 1220, dia, prompt);
  return dia;
}

TEST(Dia_EventReadingTests, ADiagramWithoutEventsBelowOneWithEventsIsFreed) {
  ScriptedPrompt prompt;
  DiaTables dia = with_diagrams({1, 2, 3, 5, 6}, prompt);
  // 2 has no events and lies below 3, which has; 5 and 6 lie above every
  // diagram with events and keep their slot, without events.
  read_into(read_d_event, " 1, 10,21600,1,\n 1, 10,21600,0,\n 3, 11,21700,2,\n 3, 11,21700,0,\n",
            1220, dia, prompt);
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_TRUE(dia.diagrams[1].in_use());
  EXPECT_FALSE(dia.diagrams[2].in_use());
  EXPECT_TRUE(dia.diagrams[3].in_use());
  EXPECT_TRUE(dia.diagrams[5].in_use());
  EXPECT_TRUE(dia.diagrams[6].in_use());
  EXPECT_TRUE(dia.diagrams[5].events.empty());

  // Written back as read: the kept diagrams without events stay in
  // diagram.csv and have no line in d_event.csv.
  EXPECT_EQ(written(write_diagram, dia),
            diagram_line(1) + diagram_line(3) + diagram_line(5) + diagram_line(6));
  EXPECT_EQ(written(write_d_event, dia),
            " 1, 10,21600,1,\n 1, 10,21600,0,\n 3, 11,21700,2,\n 3, 11,21700,0,\n");
}

TEST(Dia_EventReadingTests, AnEventFileWithoutEventsFreesNothing) {
  ScriptedPrompt prompt;
  DiaTables dia = with_diagrams({1, 4}, prompt);
  read_into(read_d_event, "", 1220, dia, prompt);
  EXPECT_TRUE(dia.diagrams[1].in_use());
  EXPECT_TRUE(dia.diagrams[4].in_use());
  // A dia that has diagrams, none with events, writes no filler line.
  EXPECT_EQ(written(write_d_event, dia), "");
  // The diagrams are treated as runs with no route yet.
  EXPECT_FALSE(is_temporary(dia, 1));
  EXPECT_FALSE(times_missing(dia, 1));
  EXPECT_EQ(dia.diagrams[1].event_count(), 0u);
}

TEST(Dia_EventReadingTests, ATemporaryDiaRoundTrips) {
  ScriptedPrompt prompt;
  DiaTables dia = with_diagrams({2}, prompt);
  const char* events = " 2, 55,00000,2,\n 2, 55,00000,0,\n";
  read_into(read_d_event, events, 1220, dia, prompt);
  EXPECT_TRUE(is_temporary(dia, 2));
  EXPECT_EQ(written(write_d_event, dia), events);

  // Made by the model, it writes the same lines.
  DiaTables made = fresh_dia(16);
  int n = allocate_diagram(made);
  init_temporary_diagram(made.diagrams[n], 55, 1);
  EXPECT_TRUE(is_temporary(made, n));
  EXPECT_EQ(written(write_d_event, made), " 1, 55,00000,2,\n 1, 55,00000,0,\n");
  EXPECT_EQ(made.diagrams[n].train_type, 0);
  EXPECT_EQ(made.diagrams[n].destination, 0);
  EXPECT_EQ(made.diagrams[n].destination_text, temporary_destination());
}

TEST(Dia_EventReadingTests, AListWithoutItsEndEntryGetsOneRepeatingTheLastEvent) {
  ScriptedPrompt prompt;
  DiaTables dia = with_diagrams({1, 2}, prompt);
  read_into(read_d_event, " 1, 10,21600,1,\n 1, 12,21900,2,\n 2, 20,22000,1,\n 2, 20,22000,0,\n",
            1220, dia, prompt);
  ASSERT_EQ(dia.diagrams[1].events.size(), 3u);
  EXPECT_EQ(dia.diagrams[1].events[2], (DiaEvent{12, 21900, kEventEnd}));
  EXPECT_EQ(dia.diagrams[2].events.size(), 2u);
}

TEST(Dia_EventReadingTests, ListsGrowPastTheirInitialRoom) {
  ScriptedPrompt prompt;
  DiaTables dia = with_diagrams({1}, prompt);
  dia.event_capacity = 3;
  std::string content;
  for (int k = 0; k < 40; ++k) content += " 1," + std::to_string(100 + k) + ",21600,3,\n";
  content += " 1,139,21600,0,\n";
  read_into(read_d_event, content, 1220, dia, prompt);
  EXPECT_EQ(dia.diagrams[1].events.size(), 41u);
  EXPECT_EQ(prompt.count(), 0u);
}

TEST(Dia_EventReadingTests, EventsOfUnknownOrOutOfRangeDiagramsAreSkippedWithOneWarning) {
  ScriptedPrompt prompt;
  DiaTables dia = with_diagrams({1}, prompt);
  read_into(read_d_event,
            " 1, 10,21600,1,\n 1, 10,21600,0,\n"
            "-3, 10,21600,1,\n"   // below range
            "17, 10,21600,1,\n"   // above the table size
            " 9, 10,21600,1,\n",  // not in diagram.csv
            1220, dia, prompt, "d_event.csv");
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_NE(prompt.last().text.find("d_event.csv"), std::string::npos);
  EXPECT_NE(prompt.last().text.find("-3"), std::string::npos);
  EXPECT_EQ(dia.diagrams[1].events.size(), 2u);
  // The skipped lines free nothing: 1 lies below none of them.
  EXPECT_TRUE(dia.diagrams[1].in_use());
  EXPECT_EQ(written(write_d_event, dia), " 1, 10,21600,1,\n 1, 10,21600,0,\n");
}

TEST(Dia_EventReadingTests, AnUnknownDiagramWarnsEvenAlone) {
  ScriptedPrompt prompt;
  DiaTables dia = with_diagrams({1}, prompt);
  read_into(read_d_event, " 9, 10,21600,1,\n", 1220, dia, prompt, "d_event.csv");
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_TRUE(dia.diagrams[1].in_use());
}

}  // namespace
}  // namespace vosk::dia
