#include <gtest/gtest.h>

#include "dia_edit_fixture.h"
#include "diaedit/run_operations.h"

namespace vosk::diaedit {
namespace {

using testing::EditLine;

bool live_run(const datafiles::DataSet& ds, int n) {
  return ds.dia.diagrams.names_record(n) && ds.dia.diagrams[n].in_use();
}

// The graph's 次運用なし on R, whose working goes on to N: the deletion
// question decides whether N goes with the link.
TEST(DiaEditWorkingCommands, EndingTheWorkingAsksWhetherTheRestGoes) {
  for (const Answer answer : {Answer::Yes, Answer::No}) {
    EditLine line;
    vosk::testing::ScriptedPrompt prompt;
    prompt.script({answer});
    EditTools tools(line.ds);
    const dia::EditResult r =
        run_working_command(tools, line.R, WorkingCommand::EndWorking, prompt);
    ASSERT_TRUE(r.ok()) << static_cast<int>(answer);
    EXPECT_EQ(line.ds.dia.diagrams[line.R].next_working, 0);
    EXPECT_EQ(prompt.count(), 1u);
    EXPECT_EQ(live_run(line.ds, line.N), answer == Answer::No);
    EXPECT_TRUE(live_run(line.ds, line.P));
  }
}

TEST(DiaEditWorkingCommands, ARunThatIsNotThereIsLeftAlone) {
  EditLine line;
  vosk::testing::ScriptedPrompt prompt;
  EditTools tools(line.ds);
  const int missing = line.ds.dia.diagrams.extent() + 1;
  for (const WorkingCommand c : {WorkingCommand::NewNextSameDirection,
                                 WorkingCommand::NewNextOppositeDirection,
                                 WorkingCommand::EndWorking}) {
    EXPECT_FALSE(run_working_command(tools, missing, c, prompt).ok());
  }
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(line.ds.dia.diagrams[line.R].next_working, line.N);
}

}  // namespace
}  // namespace vosk::diaedit
