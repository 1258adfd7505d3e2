#include "stock/series_matching.h"

#include <gtest/gtest.h>

#include "stock/equal_performance.h"
#include "stock_fixtures.h"
#include "support/scripted_prompt.h"

namespace vosk::stock {
namespace {

using testing::series_file;
using testing::shift_time;
using testing::sj;
using testing::StockPlace;
using vosk::testing::ScriptedPrompt;

class Stock_SeriesMatchingTests : public ::testing::Test {
 protected:
  Series read(const std::filesystem::path& file) {
    ScriptedPrompt prompt;
    auto s = read_series_file(file, place.folders, {}, prompt);
    EXPECT_TRUE(s.has_value());
    return s.value_or(Series{});
  }
  bool match(const Series& s, const std::filesystem::path& file, Match m) {
    return matches(s, read_identity(file), place.folders, m);
  }
  StockPlace place;
};

TEST_F(Stock_SeriesMatchingTests, ShortNameNameAndCarsMustAgree) {
  auto file = place.write_series("a.ini", series_file("形式Ａ", "Ａ"));
  Series s = read(file);
  EXPECT_TRUE(match(s, file, Match::IgnoringTime));
  EXPECT_TRUE(match(s, file, Match::Exact));

  Series other_name = s;
  other_name.name = sj("形式Ｂ");
  Series other_short = s;
  other_short.short_name = sj("Ｂ");
  Series other_cars = s;
  other_cars.cars = 6;
  for (const Series* changed : {&other_name, &other_short, &other_cars}) {
    EXPECT_FALSE(match(*changed, file, Match::IgnoringTime));
    EXPECT_FALSE(match(*changed, file, Match::Exact));
  }
  // Performance values do not take part.
  Series faster = s;
  faster.max_speed = 200;
  EXPECT_TRUE(match(faster, file, Match::Exact));
}

TEST_F(Stock_SeriesMatchingTests, ExactMatchNeedsTheSameFileTimeToTheSecond) {
  auto file = place.write_series("a.ini", series_file("a", "a"));
  Series s = read(file);
  shift_time(file, 1);
  EXPECT_TRUE(match(s, file, Match::IgnoringTime));
  EXPECT_FALSE(match(s, file, Match::Exact));
  shift_time(file, -1);
  EXPECT_TRUE(match(s, file, Match::Exact));

  s.file_time.year -= 1;
  EXPECT_FALSE(match(s, file, Match::Exact));
  // A file that cannot be examined never matches exactly.
  SeriesFileIdentity gone = read_identity(file);
  gone.time.reset();
  EXPECT_FALSE(matches(read(file), gone, place.folders, Match::Exact));
}

TEST_F(Stock_SeriesMatchingTests, ExactMatchOfRunningCharacteristicsComparesTheTables) {
  place.write(place.folders.acceleration, "acc.csv", "12.5,30\r\n");
  auto file =
      place.write_series("a.ini", series_file("a", "a",
                                              "走行特性=1\r\n列車質量=300\r\nモータ個数=8\r\n"
                                              "加速度テーブル=acc.csv\r\n"));
  Series s = read(file);
  EXPECT_TRUE(match(s, file, Match::Exact));
  place.write(place.folders.acceleration, "acc.csv", "12.5,31\r\n");
  EXPECT_FALSE(match(s, file, Match::Exact));
  EXPECT_TRUE(match(s, file, Match::IgnoringTime));

  // Without running characteristics the tables are not compared.
  s.characteristics = 0;
  EXPECT_TRUE(match(s, file, Match::Exact));
}

TEST_F(Stock_SeriesMatchingTests, FindsTheFirstMatchingFileInNameOrder) {
  auto b = place.write_series("b.ini", series_file("a", "a"));
  Series s = read(b);
  place.write_series("c.ini", series_file("a", "a"));
  place.write_series("0.ini", series_file("other", "o"));
  std::filesystem::create_directories(place.folders.series / "a_folder.ini");
  EXPECT_EQ(find_series_file(s, place.folders, Match::IgnoringTime), b);

  auto a = place.write_series("a.ini", series_file("a", "a"));
  EXPECT_EQ(find_series_file(s, place.folders, Match::IgnoringTime), a);
  // With other times on a.ini and c.ini only b.ini matches exactly.
  shift_time(a, 5);
  shift_time(place.folders.series / "c.ini", 5);
  EXPECT_EQ(find_series_file(s, place.folders, Match::Exact), b);

  s.name = "none";
  EXPECT_TRUE(find_series_file(s, place.folders, Match::IgnoringTime).empty());
  StockFolders missing = place.folders;
  missing.series = place.dir / "no_such_folder";
  EXPECT_TRUE(find_series_file(read(b), missing, Match::IgnoringTime).empty());
}

TEST_F(Stock_SeriesMatchingTests, FindsTheFirstMatchingRecord) {
  auto file = place.write_series("a.ini", series_file("a", "a"));
  Series s = read(file);
  SeriesTable table;
  reset_series(table);
  table.grow_to(1).name = "x";
  table.grow_to(2) = s;
  table[2].file_time.second = (s.file_time.second + 1) % 60;
  table.grow_to(3) = s;
  SeriesFileIdentity id = read_identity(file);
  EXPECT_EQ(find_series_record(table, id, place.folders, Match::IgnoringTime), 2);
  EXPECT_EQ(find_series_record(table, id, place.folders, Match::Exact), 3);
  table[3].cars = 8;
  EXPECT_EQ(find_series_record(table, id, place.folders, Match::Exact), 0);
  // Record 0 is never a match.
  SeriesTable only_zero;
  reset_series(only_zero);
  only_zero[0] = s;
  EXPECT_EQ(find_series_record(only_zero, id, place.folders, Match::IgnoringTime), 0);
}

Series performance_base() {
  Series s;
  s.door_width = 1300;
  s.max_load = 250;
  s.max_speed = 110;
  s.electrification = {0, 0, 0, 1, 0, 0};
  s.gauge = 1067;
  s.acceleration = 2560;
  s.service_brake = {1024, 2048, 3072};
  s.atc_brake = 4608;
  s.emergency_brake = 5120;
  s.characteristics = 1;
  s.acceleration_rows = 3;
  s.curve_rows = 2;
  s.train_mass = 300;
  s.motors = 8;
  s.inertia = 0.09;
  s.running_resistance = {1.32, 0.0164, 0.028, 0.0078};
  s.curve_resistance = 800.0;
  return s;
}

TEST(Stock_EqualPerformanceTests, ComparesThePerformanceFields) {
  const Series base = performance_base();
  Series same = base;
  same.name = "other";
  same.cars = 10;
  same.capacity = 999;
  same.turnback_time = {1, 2, 3};
  EXPECT_TRUE(equal_performance(base, same, true));

  using Change = void (*)(Series&);
  const Change always[] = {
      [](Series& s) { s.door_width += 1; },       [](Series& s) { s.max_load += 1; },
      [](Series& s) { s.max_speed += 1; },        [](Series& s) { s.electrification[5] = 1; },
      [](Series& s) { s.gauge = 1435; },          [](Series& s) { s.acceleration += 1; },
      [](Series& s) { s.service_brake[2] += 1; }, [](Series& s) { s.atc_brake += 1; },
      [](Series& s) { s.emergency_brake += 1; },
  };
  for (Change change : always) {
    Series b = base;
    change(b);
    EXPECT_FALSE(equal_performance(base, b, false));
    EXPECT_FALSE(equal_performance(base, b, true));
  }
  const Change with_characteristics[] = {
      [](Series& s) { s.characteristics = 0; },
      [](Series& s) { s.acceleration_rows += 1; },
      [](Series& s) { s.curve_rows += 1; },
      [](Series& s) { s.train_mass += 1; },
      [](Series& s) { s.motors += 1; },
      [](Series& s) { s.inertia += 0.001; },
      [](Series& s) { s.running_resistance[3] += 0.0001; },
      [](Series& s) { s.curve_resistance += 0.1; },
  };
  for (Change change : with_characteristics) {
    Series b = base;
    change(b);
    EXPECT_TRUE(equal_performance(base, b, false));
    EXPECT_FALSE(equal_performance(base, b, true));
  }
}

}  // namespace
}  // namespace vosk::stock
