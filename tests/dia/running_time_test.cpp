#include "dia/running_time.h"

#include <gtest/gtest.h>

#include "classification_fixtures.h"
#include "dia/speed_type.h"

namespace vosk::dia {
namespace {

using classification_testing::Warned;
using classification_testing::written;

SpeedTypeTable two_speed_types() {
  SpeedTypeTable table = default_speed_types(120);
  SpeedType second;
  second.name = "b";
  EXPECT_TRUE(add_speed_type(table, second).ok());
  return table;
}

TEST(Dia_RunningTimeTests, SetReplaceRemove) {
  RunningTimeList list;
  ASSERT_TRUE(set_running_time(list, 1, 2, 2, 90));
  ASSERT_TRUE(set_running_time(list, 2, 3, 2, 60));
  ASSERT_TRUE(set_running_time(list, 1, 2, 3, 80));  // another kind: another entry
  ASSERT_EQ(list.size(), 3u);

  ASSERT_TRUE(set_running_time(list, 1, 2, 2, 95));  // replaced in place
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].seconds, 95);

  ASSERT_TRUE(set_running_time(list, 1, 2, 2, 0));  // removed, gap closed
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].from_rail, 2);
  EXPECT_EQ(list[1].kind, 3);
  EXPECT_EQ(find_running_time(list, 1, 2, 2), 0);
  EXPECT_EQ(find_running_time(list, 1, 2, 3), 80);

  ASSERT_TRUE(set_running_time(list, 9, 9, 2, 0) == false);  // a rail to itself
  EXPECT_FALSE(set_running_time(list, 4, 5, 0, 30));         // kind 0 ends the list
  EXPECT_EQ(list.size(), 2u);
  ASSERT_TRUE(set_running_time(list, 7, 8, 2, 0));  // removing what is absent
  EXPECT_EQ(list.size(), 2u);
}

TEST(Dia_RunningTimeTests, KindsOfStopsAreFiledAsArrivals) {
  SpeedTypeTable table = two_speed_types();
  ASSERT_TRUE(set_standard_running_time(table, 2, 5, 6, 1, 120));
  ASSERT_TRUE(set_standard_running_time(table, 2, 5, 6, 7, 130));  // same entry
  ASSERT_TRUE(set_standard_running_time(table, 2, 5, 6, 6, 140));
  EXPECT_EQ(table[2].running_times.size(), 2u);
  EXPECT_EQ(standard_running_time(table, 5, 6, 2, 2), 130);
  EXPECT_EQ(standard_running_time(table, 5, 6, 1, 2), 130);
  EXPECT_EQ(standard_running_time(table, 5, 6, 6, 2), 140);
  EXPECT_EQ(standard_running_time(table, 5, 6, 2, 1), 0);  // other speed type
  EXPECT_EQ(standard_running_time(table, 5, 6, 2, 3), 0);  // no such speed type
  EXPECT_FALSE(set_standard_running_time(table, 3, 5, 6, 2, 10));
}

TEST(Dia_RunningTimeTests, WrittenAsHoursMinutesSeconds) {
  SpeedTypeTable table = two_speed_types();
  set_standard_running_time(table, 1, 12, 15, 2, 90);
  set_standard_running_time(table, 2, 101, 7, 3, 3725);
  set_standard_running_time(table, 2, 1, 2, 2, 10);
  set_standard_running_time(table, 2, 1, 2, 2, 0);
  EXPECT_EQ(written(table, write_require_time),
            " 1, 12, 15, 0,01,30,2,\n"
            " 2,101,  7, 1,02,05,3,\n");
}

TEST(Dia_RunningTimeTests, ReadingAppliesTheSetRule) {
  Warned warned("require_time.csv");
  SpeedTypeTable table = two_speed_types();
  read_require_time(
      " 1, 12, 15, 0,01,30,2,\n"
      " 1,  4,  4, 0,01,00,2,\n"  // a rail to itself: skipped
      " 1, 12, 15, 0,02,00,2,\n"  // replaces the first
      " 2, 20, 21, 0,00,45,3,\n"
      " 2, 20, 21, 0,00,00,3,\n"    // 0 removes it again
      " 2, 30, 31,-1,-30,-15,2,\n"  // negative times survive
      " 3, 12, 15, 0,01,00,2,\n",   // no speed type 3
      1220, table, warned.warnings);
  ASSERT_EQ(table[1].running_times.size(), 1u);
  EXPECT_EQ(table[1].running_times[0].seconds, 120);
  ASSERT_EQ(table[2].running_times.size(), 1u);
  EXPECT_EQ(table[2].running_times[0].seconds, -(3600 + 30 * 60 + 15));
  EXPECT_EQ(written(table, write_require_time),
            " 1, 12, 15, 0,02,00,2,\n"
            " 2, 30, 31,-1,-30,-15,2,\n");
  ASSERT_EQ(warned.prompt.count(), 1u);
  EXPECT_EQ(warned.prompt.last().text,
            "'require_time.csv'の7行目のレコード番号3は範囲外のため読み飛ばしました。\n");
}

TEST(Dia_RunningTimeTests, OlderLayoutHasNoSpeedTypeOrKind) {
  Warned warned;
  SpeedTypeTable table = two_speed_types();
  read_require_time(" 12, 15, 0,01,30,\n 15, 16, 0,00,40,\n", 1060, table, warned.warnings);
  ASSERT_EQ(table[1].running_times.size(), 2u);
  EXPECT_EQ(table[1].running_times[0].kind, 2);
  EXPECT_EQ(table[1].running_times[0].seconds, 90);
  EXPECT_TRUE(table[2].running_times.empty());
  EXPECT_EQ(written(table, write_require_time), " 1, 12, 15, 0,01,30,2,\n 1, 15, 16, 0,00,40,2,\n");
}

TEST(Dia_RunningTimeTests, ReadingReplacesWhatTheListsHeld) {
  Warned warned;
  SpeedTypeTable table = two_speed_types();
  set_standard_running_time(table, 1, 1, 2, 2, 50);
  read_require_time(" 2, 3, 4, 0,00,10,2,\n", 1220, table, warned.warnings);
  EXPECT_TRUE(table[1].running_times.empty());
  EXPECT_EQ(table[2].running_times.size(), 1u);
}

}  // namespace
}  // namespace vosk::dia
