#include "dia/display_target.h"

#include <gtest/gtest.h>

#include <vector>

#include "classification_fixtures.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using classification_testing::Warned;
using classification_testing::written;
using testing::ScriptedPrompt;
using testing::sj;

// Membership columns of three targets, held as the map would: one distance
// per display target, -1 = not on it.
struct Columns {
  std::vector<std::vector<int>> targets{std::vector<int>(kMaxDisplayTargets, -1),
                                        std::vector<int>(kMaxDisplayTargets, -1),
                                        std::vector<int>(kMaxDisplayTargets, -1)};
  MembershipColumns hooks() {
    return {[this](int from, int to) {
              for (auto& t : targets) t[to - 1] = t[from - 1];
            },
            [this](int removed, int old_count) {
              for (auto& t : targets) {
                for (int k = removed; k < old_count; ++k) t[k - 1] = t[k];
                t[old_count - 1] = -1;
              }
            }};
  }
};

DisplayTargetTable three_targets() {
  DisplayTargetTable table = default_display_targets();
  table.grow_to(2).name = sj("東海道");
  table.grow_to(3).name = sj("山手");
  return table;
}

TEST(Dia_DisplayTargetTests, NewDiaHasOneProtectedAllStations) {
  DisplayTargetTable table = default_display_targets();
  ASSERT_EQ(table.extent(), 1);
  EXPECT_EQ(table[1].name, sj("全駅"));
  EXPECT_EQ(table[1].is_protected, 1);
}

TEST(Dia_DisplayTargetTests, CopyTakesNameFlagsAndColumn) {
  DisplayTargetTable table = three_targets();
  table[2].flag = 1;
  table[2].is_protected = 1;
  Columns columns;
  columns.targets[0][1] = 12;
  columns.targets[2][1] = 40;
  EditResult r = copy_display_target(table, 2, columns.hooks());
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.number(), 4);
  EXPECT_EQ(table[4].name, sj("東海道（コピー）"));
  EXPECT_EQ(table[4].flag, 0);
  EXPECT_EQ(table[4].is_protected, 0);
  EXPECT_EQ(columns.targets[0][3], 12);
  EXPECT_EQ(columns.targets[1][3], -1);
  EXPECT_EQ(columns.targets[2][3], 40);
}

TEST(Dia_DisplayTargetTests, CopyIsRefusedAtTen) {
  DisplayTargetTable table = three_targets();
  Columns columns;
  while (table.extent() < kMaxDisplayTargets) {
    ASSERT_TRUE(copy_display_target(table, 1, columns.hooks()).ok());
  }
  EditResult r = copy_display_target(table, 1, columns.hooks());
  EXPECT_EQ(r.status(), EditResult::Status::Refused);
  EXPECT_EQ(r.caption(), "サイズエラー");
  EXPECT_EQ(r.text(), "これ以上増やせません。\n");
  EXPECT_EQ(table.extent(), 10);
}

TEST(Dia_DisplayTargetTests, ProtectedTargetIsNotDeleted) {
  DisplayTargetTable table = three_targets();
  ScriptedPrompt prompt;
  Columns columns;
  EditResult r = delete_display_target(table, 1, prompt, columns.hooks());
  EXPECT_EQ(r.caption(), "保護エラー");
  EXPECT_EQ(r.text(), "この表示対象は保護されているため、削除できません。\n");
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(table.extent(), 3);
}

TEST(Dia_DisplayTargetTests, DeleteAsksThenMovesTargetsAndColumnsDown) {
  DisplayTargetTable table = three_targets();
  Columns columns;
  columns.targets[0] = {1, 2, 3, -1, -1, -1, -1, -1, -1, -1};
  ScriptedPrompt prompt;
  prompt.script({Answer::No, Answer::Yes});

  EditResult declined = delete_display_target(table, 2, prompt, columns.hooks());
  EXPECT_EQ(declined.status(), EditResult::Status::Declined);
  EXPECT_EQ(table.extent(), 3);
  EXPECT_EQ(columns.targets[0][1], 2);

  EditResult r = delete_display_target(table, 2, prompt, columns.hooks());
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(prompt.last().caption, "削除確認");
  EXPECT_EQ(prompt.last().text, "現在の表示対象「東海道」を削除します。よろしいですか？\n");
  EXPECT_EQ(prompt.last().buttons, Buttons::YesNo);
  ASSERT_EQ(table.extent(), 2);
  EXPECT_EQ(table[2].name, sj("山手"));
  EXPECT_EQ(r.number(), 2);  // the one that moved into its place
  EXPECT_EQ(columns.targets[0], (std::vector<int>{1, 3, -1, -1, -1, -1, -1, -1, -1, -1}));
}

TEST(Dia_DisplayTargetTests, DeletingTheLastSelectsTheFirst) {
  DisplayTargetTable table = three_targets();
  ScriptedPrompt prompt;
  prompt.script({Answer::Yes});
  Columns columns;
  EditResult r = delete_display_target(table, 3, prompt, columns.hooks());
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.number(), 1);
}

TEST(Dia_DisplayTargetTests, TheOnlyDisplayTargetStays) {
  // An unprotected single display target from a file: deleting it would
  // leave the windows nothing to show.
  DisplayTargetTable table;
  table.allocate(kMaxDisplayTargets);
  table.grow_to(1).name = "x";
  ScriptedPrompt prompt;
  Columns columns;
  EditResult r = delete_display_target(table, 1, prompt, columns.hooks());
  EXPECT_EQ(r.status(), EditResult::Status::Refused);
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(table.extent(), 1);
}

TEST(Dia_DisplayTargetTests, OlderLayoutAndOutOfRangeNumbers) {
  Warned warned("d_mode.csv");
  DisplayTargetTable table;
  // Before 1020 there is no protected column: taken as protected.
  read_d_mode(" 1,1," + sj("全駅") + "\n 2,0,b\n", 1010, table, warned.warnings);
  EXPECT_EQ(table[1].flag, 1);
  EXPECT_EQ(table[1].is_protected, 1);
  EXPECT_EQ(table[1].name, sj("全駅"));
  EXPECT_EQ(written(table, write_d_mode), " 1,1,1," + sj("全駅") + "\n 2,0,1,b\n");

  read_d_mode(" 1,0,1,a\n11,0,0,x\n 0,0,0,y\n 2,0,0,b\n", 1220, table, warned.warnings);
  EXPECT_EQ(table.extent(), 2);
  EXPECT_EQ(table[2].name, "b");
  ASSERT_EQ(warned.prompt.count(), 1u);
  EXPECT_EQ(warned.prompt.last().text,
            "'d_mode.csv'の2行目のレコード番号11は範囲外のため読み飛ばしました。\n");
}

}  // namespace
}  // namespace vosk::dia
