// The dia edit window's 次運用選択 and coupling commands on the edit line.
#include <gtest/gtest.h>

#include "dia/working_coupling.h"
#include "dia_edit_fixture.h"

namespace vosk::diaedit::testing {
namespace {

// R ends at C at 10:11 and goes on as N at 11:00; M also leaves C, at 11:30.
struct ChoiceWindow : EditWindow {
  int M = add_run({{rail(3, 2), hms(11, 30), 1}, {rail(1, 2), hms(11, 40), 2}}, "M");
  ChoiceWindow() { relayout(); }
};

TEST(DiaEditNextWorkingChoice, TheChosenRunFollowsAsOneUndoStepAndIsEdited) {
  ChoiceWindow w;
  const Outcome o = w.controller.command(kCmdChooseNextOpposite, w.prompt);
  ASSERT_EQ(o.request, Outcome::Request::NextCandidates);
  EXPECT_EQ(o.command, kCmdChooseNextOpposite);
  const std::vector<CandidateRow> rows = w.controller.next_candidates(o.command);
  ASSERT_EQ(rows.size(), 1u);  // N follows already
  EXPECT_EQ(rows[0].run, w.M);
  EXPECT_EQ(rows[0].train_number, "M");
  EXPECT_EQ(rows[0].from + rows[0].departure, "C211:30:00");

  w.prompt.script({Answer::Yes});  // N and what follows it go
  const dia::EditResult r = w.controller.choose_candidate(o.command, w.M, w.prompt);
  ASSERT_TRUE(r.ok()) << r.text();
  EXPECT_EQ(w.prompt.last().caption, "削除確認");
  EXPECT_EQ(w.ds.dia.diagrams[w.R].next_working, w.M);
  EXPECT_FALSE(w.ds.dia.diagrams[w.N].in_use());
  EXPECT_EQ(w.controller.diagram(), w.M);
  EXPECT_EQ(w.controller.history().undo_steps(), 1u);
  ASSERT_TRUE(w.controller.undo());
  EXPECT_EQ(w.ds.dia.diagrams[w.R].next_working, w.N);
}

TEST(DiaEditCouplingCommands, WithTheExtendedFunctionsTheyRunOrRefuseWithTheirMessage) {
  ChoiceWindow w;
  w.controller.set_extention(true);
  EXPECT_EQ(w.controller.command(kCmdCoupleNext, w.prompt).request,
            Outcome::Request::NextCandidates);
  EXPECT_EQ(w.prompt.count(), 0u);
  const struct {
    int command;
    const char* text;
  } refusals[] = {{kCmdSplitNext, dia::kNextWorkingNotCoupled},
                  {kCmdCouplingOrder, dia::kNotCoupledForOrder}};
  for (const auto& row : refusals) {
    const Outcome o = w.controller.command(row.command, w.prompt);
    EXPECT_FALSE(o.changed);
    EXPECT_EQ(w.prompt.last().text, row.text);
  }
  EXPECT_EQ(w.controller.history().undo_steps(), 0u);

  // Coupled onto M, R's formation runs behind M after C; split again.
  w.prompt.script({Answer::No});  // N stays, on no formation
  const dia::EditResult r = w.controller.choose_candidate(kCmdCoupleNext, w.M, w.prompt);
  ASSERT_TRUE(r.ok()) << r.text();
  const int copy = w.ds.dia.diagrams[w.R].next_working;
  EXPECT_EQ(w.ds.dia.diagrams[w.M].coupled_behind, copy);
  EXPECT_EQ(w.controller.diagram(), copy);
  EXPECT_TRUE(w.controller.command(kCmdCouplingOrder, w.prompt).changed);
  w.controller.select(w.R);
  EXPECT_TRUE(w.controller.command(kCmdSplitNext, w.prompt).changed);
  EXPECT_EQ(w.controller.history().undo_steps(), 3u);
}

}  // namespace
}  // namespace vosk::diaedit::testing
