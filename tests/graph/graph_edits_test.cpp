// The train graph's edit menu on the model: the run list, deleting runs
// and temporary dias as single undo steps, the ViewSuspense question.
#include "graph/graph_edits.h"

#include <gtest/gtest.h>

#include "dia/dia_operations.h"
#include "graph_fixture.h"
#include "support/scripted_prompt.h"

namespace vosk::graph {
namespace {

using testing::GraphLine;
using testing::hm;
using testing::ScriptedPrompt;

class Graph_EditTests : public ::testing::Test {
 protected:
  void SetUp() override {
    ordinary_ = line_.add_run(1, {{GraphLine::rail(1, 1), hm(6, 0), dia::kEventStop},
                                  {GraphLine::rail(2, 1), hm(6, 5), dia::kEventArrival}});
    temporary_a_ = add_temporary(GraphLine::rail(2, 1));
    night_ = line_.add_run(2,
                           {{GraphLine::rail(3, 2), hm(2, 30), dia::kEventStop},
                            {GraphLine::rail(2, 2), hm(2, 40), dia::kEventArrival}},
                           1, "2001");
    temporary_b_ = add_temporary(GraphLine::rail(3, 2));
  }

  int add_temporary(int rail) {
    const int n = line_.ds.dia.diagrams.extent() + 1;
    dia::init_temporary_diagram(line_.ds.dia.diagrams.grow_to(n), rail, 1);
    return n;
  }
  dia::DiaTables& dia() { return line_.ds.dia; }
  bool in_use(int n) { return dia().diagrams[n].in_use(); }

  GraphLine line_;
  dia::UndoHistory history_;
  GraphEdits edits_{line_.ds, history_};
  ScriptedPrompt prompt_;
  int ordinary_ = 0, temporary_a_ = 0, night_ = 0, temporary_b_ = 0;
};

TEST_F(Graph_EditTests, RunListLeavesOutTemplatesAndFreeSlotsAndWrapsNightTimes) {
  dia().diagrams[ordinary_].pattern_template = 1;
  std::vector<RunRow> rows = run_list(line_.ds, false);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].diagram, temporary_a_);
  EXPECT_EQ(rows[0].start, "");  // a temporary dia has no time
  EXPECT_EQ(rows[1].diagram, night_);
  EXPECT_EQ(rows[1].train_number, "2001");
  EXPECT_EQ(rows[1].time, hm(26, 30));
  EXPECT_EQ(rows[1].start, "26:30:00");

  rows = run_list(line_.ds, true);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].diagram, temporary_b_);
}

TEST_F(Graph_EditTests, TemporaryDiasGoInOneUndoStep) {
  ASSERT_TRUE(edits_.delete_temporary_runs({temporary_a_, temporary_b_}).ok());
  EXPECT_FALSE(in_use(temporary_a_));
  EXPECT_FALSE(in_use(temporary_b_));
  EXPECT_TRUE(in_use(ordinary_));
  ASSERT_EQ(history_.undo_steps(), 1u);
  EXPECT_EQ(history_.undo_name(), kUndoDeleteTemporary);
  ASSERT_TRUE(edits_.undo());
  EXPECT_TRUE(in_use(temporary_a_));
  EXPECT_TRUE(in_use(temporary_b_));
  ASSERT_TRUE(edits_.redo());
  EXPECT_FALSE(in_use(temporary_b_));
}

TEST_F(Graph_EditTests, AnOrdinaryRunAmongTheChosenDeletesNothing) {
  const dia::EditResult r = edits_.delete_temporary_runs({temporary_a_, ordinary_});
  EXPECT_EQ(r.status(), dia::EditResult::Status::Refused);
  EXPECT_TRUE(in_use(temporary_a_));
  EXPECT_TRUE(in_use(ordinary_));
  EXPECT_FALSE(edits_.can_undo());
  EXPECT_EQ(edits_.delete_temporary_runs({}).status(), dia::EditResult::Status::Declined);
}

TEST_F(Graph_EditTests, DeletingARunClearsTheLinksToIt) {
  dia().diagrams[ordinary_].next_working = night_;
  dia().diagrams[temporary_b_].coupled_ahead = night_;
  ASSERT_TRUE(edits_.delete_run(night_).ok());
  EXPECT_FALSE(in_use(night_));
  EXPECT_EQ(dia().diagrams[ordinary_].next_working, 0);
  EXPECT_EQ(dia().diagrams[temporary_b_].coupled_ahead, 0);
  EXPECT_EQ(history_.undo_name(), kUndoDeleteRun);
  ASSERT_TRUE(edits_.undo());
  EXPECT_EQ(dia().diagrams[ordinary_].next_working, night_);
}

TEST_F(Graph_EditTests, ARunOnAWorkingOrNoRunIsNotDeleted) {
  dia().diagrams[ordinary_].run.owning_unit = 1;
  EXPECT_FALSE(edits_.delete_run(ordinary_).ok());
  EXPECT_FALSE(edits_.delete_run(99).ok());
  EXPECT_TRUE(in_use(ordinary_));
  EXPECT_FALSE(edits_.can_undo());
}

TEST_F(Graph_EditTests, NewWorkingAsksToShowUnassignedRunsOnlyWhenHidden) {
  ViewFlags view;
  EXPECT_FALSE(offer_unassigned_runs(view, prompt_));
  EXPECT_EQ(prompt_.count(), 0u);
  view.view_suspense = false;
  prompt_.script({Answer::No, Answer::Yes});
  EXPECT_FALSE(offer_unassigned_runs(view, prompt_));
  EXPECT_FALSE(view.view_suspense);
  EXPECT_TRUE(offer_unassigned_runs(view, prompt_));
  EXPECT_TRUE(view.view_suspense);
  EXPECT_EQ(prompt_.last().caption, kShowUnassignedCaption);
  EXPECT_EQ(prompt_.last().text, kShowUnassignedQuestion);
}

}  // namespace
}  // namespace vosk::graph
