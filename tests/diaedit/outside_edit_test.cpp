#include <gtest/gtest.h>

#include "dia/dia_snapshot.h"
#include "dia_edit_fixture.h"

namespace vosk::diaedit::testing {
namespace {

// An undo step of the window's own, then a change another window makes.
struct EditedElsewhere : EditWindow {
  EditedElsewhere() {
    const Cell* pass = find(CellAction::Pass, 1);
    EXPECT_NE(pass, nullptr);
    if (pass) click(centre(*pass));
    EXPECT_EQ(controller.history().undo_steps(), 1u);
  }
  void couple_elsewhere() {
    const dia::Unit first = ds.dia.units[1];  // copied before the table grows
    ds.dia.units.grow_to(2) = first;
    ds.dia.units[2].name = "F2";
  }
};

TEST(DiaEdit_OutsideEditTests, AnUnrecordedChangeElsewhereDropsTheUndoSteps) {
  EditedElsewhere w;
  w.couple_elsewhere();
  w.controller.data_changed();
  EXPECT_FALSE(w.controller.history().can_undo());
  EXPECT_FALSE(w.controller.undo());
  EXPECT_EQ(w.ds.dia.units[2].name, "F2");  // not taken back with an old step
}

TEST(DiaEdit_OutsideEditTests, OwnEditsAndViewChangesKeepThem) {
  EditedElsewhere w;
  w.controller.data_changed();
  w.controller.select(w.N);
  w.ds.dia.diagrams[w.R].run.owning_unit = 0;  // run-time values are recomputed elsewhere
  w.controller.data_changed();
  EXPECT_EQ(w.controller.history().undo_steps(), 1u);
}

TEST(DiaEdit_OutsideEditTests, ARecordedChangeElsewhereIsAnUndoStep) {
  EditedElsewhere w;
  const dia::DiaSnapshot before(w.ds.dia);
  w.couple_elsewhere();
  w.controller.record_outside_edit(before.tables(), "編成・仕業設定");
  EXPECT_EQ(w.controller.history().undo_name(), "編成・仕業設定");
  ASSERT_TRUE(w.controller.undo());
  EXPECT_EQ(w.ds.dia.units.extent(), 1);
  EXPECT_EQ(w.types(w.R)[1], dia::kEventPass);  // the earlier step stays
  ASSERT_TRUE(w.controller.undo());
  EXPECT_EQ(w.types(w.R)[1], dia::kEventStop);
  ASSERT_TRUE(w.controller.redo());
  ASSERT_TRUE(w.controller.redo());
  EXPECT_EQ(w.ds.dia.units[2].name, "F2");
}

TEST(DiaEdit_OutsideEditTests, AChangeAnotherWindowRecordedInTheSharedHistoryKeepsTheSteps) {
  dia::UndoHistory shared;
  EditedElsewhere w;
  w.controller.share_history(shared);
  w.controller.data_changed();
  const Cell* stop = w.find(CellAction::Stop, 1);
  ASSERT_NE(stop, nullptr);
  w.click(w.centre(*stop));
  ASSERT_EQ(shared.undo_steps(), 1u);
  // The graph records its own step in the same history, then edits.
  shared.record(w.ds.dia, "グラフ");
  w.couple_elsewhere();
  w.controller.data_changed();
  EXPECT_EQ(shared.undo_steps(), 2u);
  ASSERT_TRUE(w.controller.undo());
  EXPECT_EQ(w.ds.dia.units.extent(), 1);
}

}  // namespace
}  // namespace vosk::diaedit::testing
