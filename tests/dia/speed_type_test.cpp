#include "dia/speed_type.h"

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

SpeedType values(const char* name, int max_speed) {
  SpeedType s;
  s.measuring_series = 1;
  s.max_speed = max_speed;
  s.short_name = sj(name);
  s.name = sj(name);
  return s;
}

// Speed types 1 標準, 2 速度B, 3 速度C, each with a running time.
SpeedTypeTable three_speed_types() {
  SpeedTypeTable table = default_speed_types(120);
  EXPECT_TRUE(add_speed_type(table, values("速度B", 100)).ok());
  EXPECT_TRUE(add_speed_type(table, values("速度C", 80)).ok());
  for (int n = 1; n <= 3; ++n) set_standard_running_time(table, n, 10, 20, 2, 60 * n);
  return table;
}

// Diagrams' speed types, as the dia records would hold them.
struct Diagrams {
  std::vector<int> speed_types;
  SpeedTypeUsers users() {
    return {[this](int n) {
              for (int s : speed_types) {
                if (s == n) return true;
              }
              return false;
            },
            [this](int removed) {
              for (int& s : speed_types) s = renumbered_after_removal(s, removed);
            }};
  }
};

TEST(Dia_SpeedTypeTests, NewDiaHasStandard) {
  SpeedTypeTable table = default_speed_types(110);
  ASSERT_EQ(table.extent(), 1);
  EXPECT_EQ(table[1].short_name, sj("標準"));
  EXPECT_EQ(table[1].name, sj("標準"));
  EXPECT_EQ(table[1].measuring_series, 1);
  EXPECT_EQ(table[1].max_speed, 110);
}

TEST(Dia_SpeedTypeTests, AddAndEditMessages) {
  SpeedTypeTable table = default_speed_types(120);
  EditResult negative = add_speed_type(table, values("x", -1));
  EXPECT_EQ(negative.caption(), "データエラー");
  EXPECT_EQ(negative.text(), "最高速度は正の値しか指定できません。");
  EXPECT_EQ(table.extent(), 1);

  EditResult added = add_speed_type(table, values("x", 0));
  ASSERT_TRUE(added.ok());
  EXPECT_EQ(added.number(), 2);
  while (table.extent() < kMaxSpeedTypes) ASSERT_TRUE(add_speed_type(table, values("y", 90)).ok());
  EditResult full = add_speed_type(table, values("z", 90));
  EXPECT_EQ(full.caption(), "操作エラー");
  EXPECT_EQ(full.text(), "これ以上は追加できません。");
  EXPECT_EQ(table.extent(), 49);

  EditResult bad_edit = edit_speed_type(table, 2, values("z", -5));
  EXPECT_EQ(bad_edit.text(), "最高速度は正の値しか指定できません。");
  EXPECT_EQ(table[2].max_speed, 0);
  ASSERT_TRUE(edit_speed_type(table, 2, values("z", 95)).ok());
  EXPECT_EQ(table[2].max_speed, 95);
  EXPECT_EQ(table[2].name, sj("z"));
}

TEST(Dia_SpeedTypeTests, DialogNeedsSeries) {
  EditResult r = check_speed_type_dialog(0);
  EXPECT_EQ(r.caption(), "データエラー");
  EXPECT_EQ(r.text(),
            "形式データが存在しないため操作できません。\n先に、形式の導入を行ってください。\n");
  EXPECT_TRUE(check_speed_type_dialog(1).ok());
}

TEST(Dia_SpeedTypeTests, DeleteRefusals) {
  SpeedTypeTable only = default_speed_types(120);
  StopTimeList stops;
  ScriptedPrompt prompt;
  Diagrams diagrams;
  EditResult last = delete_speed_type(only, stops, 1, prompt, diagrams.users());
  EXPECT_EQ(last.caption(), "操作エラー");
  EXPECT_EQ(last.text(), "これ以上は削除できません。");

  SpeedTypeTable table = three_speed_types();
  diagrams.speed_types = {1, 2};
  EditResult used = delete_speed_type(table, stops, 2, prompt, diagrams.users());
  EXPECT_EQ(used.caption(), "操作エラー");
  EXPECT_EQ(used.text(), "この速度種別を適用しているダイヤがあるため、削除できません。");
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(table.extent(), 3);
}

TEST(Dia_SpeedTypeTests, DeleteMovesSpeedTypesStopTimesAndDiagramsDown) {
  SpeedTypeTable table = three_speed_types();
  StopTimeList stops = {
      {3, 0, 0, 30, 0, 0}, {3, 0, 0, 40, 0, 2}, {0, 9, 1, 50, 0, 3}, {4, 0, 0, 60, 0, 1}};
  Diagrams diagrams{{1, 3, 3}};
  ScriptedPrompt prompt;
  prompt.script({Answer::No, Answer::Yes});

  EditResult no = delete_speed_type(table, stops, 2, prompt, diagrams.users());
  EXPECT_EQ(no.status(), EditResult::Status::Declined);
  EXPECT_EQ(prompt.last().caption, "操作確認");
  EXPECT_EQ(prompt.last().text, "現在のデータ(速度B)を削除します。\nよろしいですか？");
  EXPECT_EQ(table.extent(), 3);
  EXPECT_EQ(stops.size(), 4u);

  ASSERT_TRUE(delete_speed_type(table, stops, 2, prompt, diagrams.users()).ok());
  ASSERT_EQ(table.extent(), 2);
  EXPECT_EQ(table[2].name, sj("速度C"));
  ASSERT_EQ(table[2].running_times.size(), 1u);
  EXPECT_EQ(table[2].running_times[0].seconds, 180);  // speed type 3's list came along
  EXPECT_EQ(diagrams.speed_types, (std::vector<int>{1, 2, 2}));
  ASSERT_EQ(stops.size(), 3u);
  EXPECT_EQ(stops[0].speed_type, 0);
  EXPECT_EQ(stops[1].speed_type, 2);  // was 3
  EXPECT_EQ(stops[1].seconds, 50);
  EXPECT_EQ(stops[2].speed_type, 1);
  EXPECT_EQ(written(table, write_require_time),
            " 1, 10, 20, 0,01,00,2,\n"
            " 2, 10, 20, 0,03,00,2,\n");
}

TEST(Dia_SpeedTypeTests, UserLine) {
  EXPECT_EQ(speed_type_user_line("101M", sj("快速"), sj("東京")), "101M 快速 東京");
}

TEST(Dia_SpeedTypeTests, OldDataMakesOneSpeedTypePerSeries) {
  std::vector<SeriesSpeedSource> series = {{sj("Ｅ２３１系近郊形電車改"), 10, 120},
                                           {sj("ＥＦ６５"), 1, 110}};
  Warned warned;
  SpeedTypeTable table;
  read_velocity("", 1060, table, warned.warnings);
  EXPECT_EQ(table.extent(), 0);
  speed_types_from_series(series, table);
  ASSERT_EQ(table.extent(), 2);
  EXPECT_EQ(table[1].measuring_series, 1);
  EXPECT_EQ(table[1].max_speed, 120);
  EXPECT_EQ(table[1].short_name, sj("Ｅ２３１系近郊形電車"));  // cut to 20 bytes
  EXPECT_EQ(table[1].name, sj("Ｅ２３１系近郊形電車改 10両"));
  EXPECT_EQ(table[2].measuring_series, 2);
  EXPECT_EQ(table[2].name, sj("ＥＦ６５ 1両"));

  std::vector<SeriesSpeedSource> many(60, {"s", 2, 90});
  speed_types_from_series(many, table);
  EXPECT_EQ(table.extent(), kMaxSpeedTypes);
}

TEST(Dia_SpeedTypeTests, OutOfRangeNumbersAreWarnedOnce) {
  Warned warned("velocity.csv");
  SpeedTypeTable table;
  read_velocity("50, 1,100,a,b\n 1, 1,100,c,d\n-3, 1,100,e,f\n", 1220, table, warned.warnings);
  EXPECT_EQ(table.extent(), 1);
  EXPECT_EQ(table[1].name, "d");
  ASSERT_EQ(warned.prompt.count(), 1u);
  EXPECT_EQ(warned.prompt.last().text,
            "'velocity.csv'の1行目のレコード番号50は範囲外のため読み飛ばしました。\n");
}

}  // namespace
}  // namespace vosk::dia
