// The undo history of dia edits.
#include "dia/undo_history.h"

#include <gtest/gtest.h>

#include "dia/dia_members.h"
#include "dia/dia_operations.h"
#include "dia_record_fixtures.h"

namespace vosk::dia {
namespace {

using records_testing::every_member;
using records_testing::fresh_dia;

// Edit k: a new run, and the previous run renamed.
void edit(DiaTables& dia, int k) {
  int n = allocate_diagram(dia);
  init_ordinary_diagram(dia.diagrams[n], k + 1, 36000 + k, 1 + k % 2);
  if (n > 1) dia.diagrams[n - 1].train_number = "E" + std::to_string(k);
}

TEST(Dia_UndoHistoryTests, HundredEditsAreUndoneAndRedoneStepByStep) {
  DiaTables dia = fresh_dia(4);
  UndoHistory history;
  std::vector<std::string> states{every_member(dia)};
  for (int k = 1; k <= 100; ++k) {
    history.record(dia, "edit " + std::to_string(k));
    edit(dia, k);
    states.push_back(every_member(dia));
  }
  EXPECT_FALSE(history.can_redo());
  for (int k = 100; k >= 1; --k) {
    ASSERT_TRUE(history.can_undo()) << k;
    EXPECT_EQ(history.undo_name(), "edit " + std::to_string(k));
    ASSERT_TRUE(history.undo(dia));
    ASSERT_EQ(every_member(dia), states[static_cast<std::size_t>(k - 1)]) << k;
  }
  EXPECT_FALSE(history.undo(dia));
  for (int k = 1; k <= 100; ++k) {
    EXPECT_EQ(history.redo_name(), "edit " + std::to_string(k));
    ASSERT_TRUE(history.redo(dia));
    ASSERT_EQ(every_member(dia), states[static_cast<std::size_t>(k)]) << k;
  }
  EXPECT_FALSE(history.redo(dia));
  EXPECT_EQ(history.undo_steps(), 100u);
}

TEST(Dia_UndoHistoryTests, TheOldestStepGoesAndANewEditForgetsRedo) {
  DiaTables dia = fresh_dia(4);
  UndoHistory history(3);
  for (int k = 1; k <= 4; ++k) {
    history.record(dia, "edit " + std::to_string(k));
    edit(dia, k);
  }
  EXPECT_EQ(history.undo_steps(), 3u);
  history.undo(dia);
  history.undo(dia);
  EXPECT_EQ(history.redo_steps(), 2u);
  history.record(dia, "other");
  EXPECT_FALSE(history.can_redo());
  EXPECT_EQ(history.redo_name(), "");
  EXPECT_EQ(history.undo_name(), "other");
  history.clear();
  EXPECT_FALSE(history.can_undo());
  EXPECT_EQ(history.held_bytes(), 0u);
}

TEST(Dia_UndoHistoryTests, ShortMemoryKeepsFewerSteps) {
  DiaTables dia = fresh_dia(4);
  edit(dia, 1);
  std::size_t step = approximate_bytes(dia);
  // Room for two steps of this size.
  UndoHistory history(
      100, [&](std::size_t held, std::size_t more) { return held + more <= 2 * step + step / 2; });
  for (int k = 0; k < 5; ++k) history.record(dia, "same");
  EXPECT_EQ(history.undo_steps(), 2u);
  UndoHistory none(100, [](std::size_t, std::size_t) { return false; });
  none.record(dia, "too big");
  EXPECT_FALSE(none.can_undo());
}

}  // namespace
}  // namespace vosk::dia
