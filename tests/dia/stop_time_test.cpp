#include "dia/stop_time.h"

#include <gtest/gtest.h>

#include "classification_fixtures.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using classification_testing::Warned;
using classification_testing::written;
using testing::sj;

constexpr int kRail = 12;
constexpr int kTarget = 3;  // the target rail 12 belongs to

StopTimeQuery query(int train_type, int speed_type, int kind = kStopTime) {
  StopTimeQuery q;
  q.rail = kRail;
  q.rail_target = kTarget;
  q.kind = kind;
  q.train_type = train_type;
  q.speed_type = speed_type;
  return q;
}

TEST(Dia_StopTimeTests, TrackEntryForTheTypeComesBeforeStationEntries) {
  StopTimeList list = {
      {kTarget, 0, kStopTime, 40, 3, 0},  // station-level, type 3
      {kTarget, 0, kStopTime, 35, 0, 0},  // station-level, any type
      {0, kRail, kStopTime, 25, 3, 0},    // track-level, type 3
      {0, kRail, kStopTime, 20, 0, 0},    // track-level, any type
  };
  StopTimeDefaults per_type;
  EXPECT_EQ(standard_stop_time(list, per_type, query(3, 0)), 25);
  EXPECT_EQ(standard_stop_time(list, per_type, query(5, 0)), 20);
  // Without the track entries the station entries answer.
  list.resize(2);
  EXPECT_EQ(standard_stop_time(list, per_type, query(3, 0)), 40);
  EXPECT_EQ(standard_stop_time(list, per_type, query(5, 0)), 35);
}

TEST(Dia_StopTimeTests, TheModeDecidesWhichTypeCounts) {
  StopTimeList list = {{0, kRail, kStopTime, 25, 3, 0}, {0, kRail, kStopTime, 15, 0, 2}};
  StopTimeDefaults per_type;
  StopTimeDefaults per_speed;
  per_speed.per_speed_type = true;
  // Per train type, the speed type is ignored, and the other way round.
  EXPECT_EQ(standard_stop_time(list, per_type, query(3, 2)), 25);
  EXPECT_EQ(standard_stop_time(list, per_speed, query(3, 2)), 15);
  EXPECT_EQ(standard_stop_time(list, per_speed, query(3, 1)), 45);  // default
}

TEST(Dia_StopTimeTests, DefaultsByKindAndPassAsZero) {
  StopTimeList empty;
  StopTimeDefaults defaults;
  defaults.standard = 30;
  defaults.reverse = 90;
  EXPECT_EQ(standard_stop_time(empty, defaults, query(1, 1, kStopTime)), 30);
  EXPECT_EQ(standard_stop_time(empty, defaults, query(1, 1, kTurnbackTime)), 90);
  StopTimeList pass = {{kTarget, 0, kStopTime, 0, 0, 0}};
  EXPECT_EQ(standard_stop_time(pass, defaults, query(1, 1)), 0);
  EXPECT_EQ(stop_time_text(0, 30), "通過");
}

TEST(Dia_StopTimeTests, AGivenTargetIsUsedOnlyWithoutARail) {
  StopTimeList list = {{7, 0, kStopTime, 70, 0, 0}, {kTarget, 0, kStopTime, 30, 0, 0}};
  StopTimeDefaults defaults;
  StopTimeQuery by_target;
  by_target.target = 7;
  EXPECT_EQ(standard_stop_time(list, defaults, by_target), 70);
  // With a rail the target becomes the rail's own.
  StopTimeQuery by_rail = query(0, 0);
  by_rail.target = 7;
  EXPECT_EQ(standard_stop_time(list, defaults, by_rail), 30);
}

TEST(Dia_StopTimeTests, TypeIndependentLookup) {
  StopTimeList list = {{0, kRail, kTurnbackTime, 200, 3, 0},
                       {kTarget, 0, kTurnbackTime, 150, 0, 0},
                       {0, kRail, kStopTime, 20, 0, 0}};
  StopTimeDefaults defaults;
  // The typed track entry does not count; the station entry does.
  EXPECT_EQ(plain_stop_time(list, defaults, kRail, kTarget, kTurnbackTime), 150);
  EXPECT_EQ(plain_stop_time(list, defaults, kRail, kTarget, kStopTime), 20);
  EXPECT_EQ(plain_stop_time(list, defaults, 99, 0, kTurnbackTime), 120);
  list.push_back({0, kRail, kTurnbackTime, 180, 0, 0});
  EXPECT_EQ(plain_stop_time(list, defaults, kRail, kTarget, kTurnbackTime), 180);
}

TEST(Dia_StopTimeTests, SetFindAndRemoveEntries) {
  StopTimeList list;
  StopTimeKey station{kTarget, 0, kStopTime, 2, 0};
  StopTimeKey track{kTarget, kRail, kStopTime, 2, 0};
  EXPECT_EQ(find_stop_time(list, station), std::nullopt);
  ASSERT_TRUE(set_stop_time(list, station, 60));
  ASSERT_TRUE(set_stop_time(list, track, 0));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].target, 0);  // a track-level entry keeps no target
  EXPECT_EQ(find_stop_time(list, station), 60);
  EXPECT_EQ(find_stop_time(list, track), 0);

  ASSERT_TRUE(set_stop_time(list, station, 75));
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].seconds, 75);
  ASSERT_TRUE(set_stop_time(list, station, std::nullopt));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].rail, kRail);
  EXPECT_FALSE(set_stop_time(list, StopTimeKey{}, 30));
  EXPECT_EQ(list.size(), 1u);
}

TEST(Dia_StopTimeTests, DialogTexts) {
  EXPECT_EQ(stop_time_text(45, 30), " 45秒");
  EXPECT_EQ(stop_time_text(std::nullopt, 30), "標準（ 30秒）");
  EXPECT_EQ(stop_time_list_line(sj("東京"), "通過", "120秒"), "東京　通過／120秒");
  std::vector<int> choices = stop_time_choices(15);
  ASSERT_EQ(choices.size(), 240u);
  EXPECT_EQ(choices.front(), 15);
  EXPECT_EQ(choices.back(), 3600);
  EXPECT_TRUE(stop_time_choices(0).empty());
  EditResult r = check_stop_time_dialog(0);
  EXPECT_EQ(r.caption(), "操作エラー");
  EXPECT_EQ(r.text(), "駅データがないため編集できません。\n");
  EXPECT_TRUE(check_stop_time_dialog(4).ok());
}

TEST(Dia_StopTimeTests, OlderLayoutsAndEndLines) {
  Warned warned;
  StopTimeList list;
  read_stop_time("  3,  0,0,  30,\n  0,  0,0,   0,\n  0, 12,1, 120,\n", 1100, list,
                 warned.warnings);
  ASSERT_EQ(list.size(), 2u);  // the end line holds nothing
  EXPECT_EQ(list[1].rail, 12);
  EXPECT_EQ(list[1].kind, kTurnbackTime);
  EXPECT_EQ(list[1].seconds, 120);
  EXPECT_EQ(list[1].train_type, 0);
  EXPECT_EQ(written(list, write_stop_time), "  3,  0,0,  30, 0, 0,\n  0, 12,1, 120, 0, 0,\n");

  read_stop_time("  3,  0,0,  30,\n", 40, list, warned.warnings);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(warned.prompt.count(), 0u);
}

}  // namespace
}  // namespace vosk::dia
