#include "dia/pattern.h"

#include <gtest/gtest.h>

#include <map>

#include "classification_fixtures.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using classification_testing::Warned;
using classification_testing::written;
using testing::ScriptedPrompt;
using testing::sj;

PatternOrigin origin(bool with_formation) {
  PatternOrigin o;
  o.first_time = 6 * 3600 + 15 * 60;
  o.train_type_name = sj("快速");
  o.destination_text = sj("東京");
  o.start_target_name = sj("品川");
  o.has_formation = with_formation;
  o.series_name = sj("Ｅ２３１");
  return o;
}

PatternTable patterns_with_chain() {
  // 1 -> 3 -> 2 as next patterns.
  PatternTable table;
  table.allocate(kMaxPatterns);
  for (int n = 1; n <= 3; ++n) {
    Pattern& p = table.grow_to(n);
    p.template_diagram = 10 + n;
    p.short_name = "p" + std::to_string(n);
    p.name = sj("パターン") + std::to_string(n);
  }
  table[1].next_pattern = 3;
  table[3].next_pattern = 2;
  return table;
}

TEST(Dia_PatternTests, CreateNamesThePatternAndLetsTheCallerCopyTheTemplate) {
  PatternTable table;
  table.allocate(kMaxPatterns);
  int asked_for = 0;
  EditResult r = create_pattern(table, origin(true), [&](int pattern) {
    asked_for = pattern;
    return 42;
  });
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.number(), 1);
  EXPECT_EQ(asked_for, 1);
  const Pattern& p = table[1];
  EXPECT_EQ(p.template_diagram, 42);
  EXPECT_EQ(p.next_pattern, 0);
  EXPECT_EQ(p.interval, 0);
  EXPECT_EQ(p.base_time, 22500);
  EXPECT_EQ(p.short_name, sj("快速 東京"));
  EXPECT_EQ(p.name, sj("快速 品川→東京 Ｅ２３１"));

  ASSERT_TRUE(create_pattern(table, origin(false), [](int) { return 43; }).ok());
  EXPECT_EQ(table[2].name, sj("快速 品川→東京"));
}

TEST(Dia_PatternTests, ShortNameIsCutToItsField) {
  PatternTable table;
  table.allocate(kMaxPatterns);
  PatternOrigin o = origin(false);
  o.destination_text = sj("新大阪新大阪新大阪");
  ASSERT_TRUE(create_pattern(table, o, [](int) { return 1; }).ok());
  EXPECT_EQ(table[1].short_name, sj("快速 新大阪新大阪新"));  // 19 bytes: no half character
  EXPECT_LE(table[1].short_name.size(), 20u);
}

TEST(Dia_PatternTests, CreateIsRefusedAt99WithoutCopying) {
  PatternTable table;
  table.allocate(kMaxPatterns);
  table.grow_to(kMaxPatterns);
  bool copied = false;
  EditResult r = create_pattern(table, origin(true), [&](int) {
    copied = true;
    return 1;
  });
  EXPECT_EQ(r.caption(), "ダイヤパターンエラー");
  EXPECT_EQ(r.text(), "ダイヤパターンはこれ以上増やせません。");
  EXPECT_FALSE(copied);
  EXPECT_EQ(table.extent(), kMaxPatterns);
}

TEST(Dia_PatternTests, EditValidatesTimes) {
  PatternTable table = patterns_with_chain();
  Pattern values = table[2];
  values.interval = 600;
  values.base_time = 100800;
  ASSERT_TRUE(edit_pattern(table, 2, values).ok());
  EXPECT_EQ(table[2].base_time, 100800);
  EXPECT_EQ(table[2].template_diagram, 12);

  for (auto [interval, base] : {std::pair{-1, 0}, std::pair{0, 100801}}) {
    Pattern bad = table[2];
    bad.interval = interval;
    bad.base_time = base;
    EditResult r = edit_pattern(table, 2, bad);
    EXPECT_EQ(r.caption(), "入力データエラー");
    EXPECT_EQ(r.text(), "時刻が不正です。再設定して下さい。\n");
  }
  EXPECT_EQ(table[2].interval, 600);
}

TEST(Dia_PatternTests, DeleteRenumbersPatternsAndDiagrams) {
  PatternTable table = patterns_with_chain();
  // Diagram references: template of each pattern and applied patterns.
  std::map<int, int> applied = {{20, 1}, {21, 2}, {22, 3}};
  ScriptedPrompt prompt;
  prompt.script({Answer::Yes});
  EditResult r = delete_pattern(table, 2, prompt, [&](int removed) {
    for (auto& [diagram, pattern] : applied) pattern = renumbered_after_removal(pattern, removed);
  });
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(prompt.last().caption, "削除確認");
  EXPECT_EQ(prompt.last().text, "ダイヤパターン：<p2> パターン2を削除します。よろしいですか？");
  ASSERT_EQ(table.extent(), 2);
  EXPECT_EQ(table[2].short_name, "p3");
  EXPECT_EQ(table[1].next_pattern, 2);  // was 3
  EXPECT_EQ(table[2].next_pattern, 0);  // pointed at the deleted one
  EXPECT_EQ(applied, (std::map<int, int>{{20, 1}, {21, 0}, {22, 2}}));
  EXPECT_EQ(written(table, write_d_pattern), " 1, 11, 2,  0,  0,p1," + sj("パターン1") + ",\n" +
                                                 " 2, 13, 0,  0,  0,p3," + sj("パターン3") + ",\n");
}

TEST(Dia_PatternTests, DeclinedDeleteChangesNothing) {
  PatternTable table = patterns_with_chain();
  ScriptedPrompt prompt;
  prompt.script({Answer::No});
  bool renumbered = false;
  EditResult r = delete_pattern(table, 1, prompt, [&](int) { renumbered = true; });
  EXPECT_EQ(r.status(), EditResult::Status::Declined);
  EXPECT_FALSE(renumbered);
  EXPECT_EQ(table.extent(), 3);
  EXPECT_EQ(table[1].next_pattern, 3);
}

TEST(Dia_PatternTests, RenumberingRule) {
  EXPECT_EQ(renumbered_after_removal(0, 2), 0);
  EXPECT_EQ(renumbered_after_removal(1, 2), 1);
  EXPECT_EQ(renumbered_after_removal(2, 2), 0);
  EXPECT_EQ(renumbered_after_removal(3, 2), 2);
}

TEST(Dia_PatternTests, OutOfRangeNumbersAreWarnedOnce) {
  Warned warned("d_pattern.csv");
  PatternTable table;
  read_d_pattern("100,  1, 0,  0,  0,a,b,\n 0,  1, 0,  0,  0,a,b,\n 1,  5, 0,  0,  0,c,d,\n", 1220,
                 table, warned.warnings);
  EXPECT_EQ(table.extent(), 1);
  EXPECT_EQ(table[1].template_diagram, 5);
  ASSERT_EQ(warned.prompt.count(), 1u);
  EXPECT_EQ(warned.prompt.last().text,
            "'d_pattern.csv'の1行目のレコード番号100は範囲外のため読み飛ばしました。\n");
}

}  // namespace
}  // namespace vosk::dia
