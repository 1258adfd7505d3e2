#include "stock/series_operations.h"

#include <gtest/gtest.h>

#include "stock/file_time.h"
#include "stock/series_pictures.h"
#include "stock_fixtures.h"
#include "support/scripted_prompt.h"

namespace vosk::stock {
namespace {

using testing::series_file;
using testing::shift_time;
using testing::sj;
using testing::StockPlace;
using vosk::testing::ScriptedPrompt;

class Stock_SeriesOperationsTests : public ::testing::Test {
 protected:
  Stock_SeriesOperationsTests() { reset_series(table); }
  int introduce(const std::filesystem::path& file, int sets) {
    return introduce_series(table, file, sets, place.folders, {}, prompt);
  }
  StockPlace place;
  ScriptedPrompt prompt;
  SeriesTable table;
};

TEST_F(Stock_SeriesOperationsTests, IntroducingTheSameFileTwiceAddsToTheOwnedCount) {
  auto file = place.write_series("a.ini", series_file("a", "a"));
  EXPECT_EQ(introduce(file, 2), 1);
  EXPECT_EQ(table[1].owned, 2);
  EXPECT_EQ(table[1].acceleration, 2560);
  EXPECT_EQ(introduce(file, 3), 1);
  EXPECT_EQ(table.extent(), 1);
  EXPECT_EQ(table[1].owned, 5);
  EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(Stock_SeriesOperationsTests, AChangedFileIsIntroducedAsANewRecord) {
  auto file = place.write_series("a.ini", series_file("a", "a"));
  ASSERT_EQ(introduce(file, 1), 1);
  shift_time(file, 10);
  EXPECT_EQ(introduce(file, 1), 2);
  EXPECT_EQ(table[1].owned, 1);
  EXPECT_EQ(table[2].owned, 1);
}

TEST_F(Stock_SeriesOperationsTests, AFullTableRefusesANewSeriesButStillAddsSets) {
  auto known = place.write_series("a.ini", series_file("a", "a"));
  ASSERT_EQ(introduce(known, 1), 1);
  table.grow_to(kSeriesCapacity);
  auto fresh = place.write_series("b.ini", series_file("b", "b"));
  EXPECT_EQ(introduce(fresh, 1), 0);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, caption::kOperationError);
  EXPECT_EQ(prompt.last().text, "これ以上は追加できません。");
  EXPECT_EQ(table.extent(), kSeriesCapacity);
  EXPECT_EQ(introduce(known, 1), 1);
  EXPECT_EQ(table[1].owned, 2);
}

TEST_F(Stock_SeriesOperationsTests, AFileThatFailsItsChecksChangesNothing) {
  auto bad = place.write_series("bad.ini", sj("[形式情報]\r\n形式名=x\r\n"));
  EXPECT_EQ(introduce(bad, 1), 0);
  EXPECT_EQ(table.extent(), 0);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, caption::kDataError);
  auto good = place.write_series("a.ini", series_file("a", "a"));
  EXPECT_EQ(introduce(good, 0), 0);  // no sets, no change
  EXPECT_EQ(table.extent(), 0);
}

TEST_F(Stock_SeriesOperationsTests, MissingPicturesAreReportedAfterIntroducing) {
  place.write(place.folders.image16, "icon.bmp", "BM\x36\x00");
  place.write(place.folders.image, "fake.bmp", "GIF89a");
  auto file =
      place.write_series("a.ini", series_file("a", "a", "画像=none.bmp\r\n画像16=icon.bmp\r\n"));
  EXPECT_EQ(introduce(file, 1), 1);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "形式写真エラー");
  EXPECT_EQ(
      prompt.last().text,
      "形式写真が見つかりません。\n表示させるには、別途用意してインポートする必要があります。");

  auto second =
      place.write_series("b.ini", series_file("b", "b", "画像=fake.bmp\r\n画像16=none.bmp\r\n"));
  EXPECT_EQ(introduce(second, 1), 2);
  ASSERT_EQ(prompt.count(), 3u);
  EXPECT_EQ(prompt.asked()[1].caption, "形式写真エラー");
  EXPECT_EQ(prompt.asked()[2].caption, "形式アイコンエラー");
  EXPECT_EQ(
      prompt.asked()[2].text,
      "形式アイコンが見つかりません。\n表示させるには、別途用意してインポートする必要があります。");
}

TEST_F(Stock_SeriesOperationsTests, OpeningReportsOnlyTheFirstMissingPicture) {
  place.write(place.folders.image, "ok.bmp", "BM");
  table.grow_to(1).picture = "ok.bmp";
  table.grow_to(2).name = sj("二番");
  table[2].icon = "none.bmp";
  table.grow_to(3).picture = "none.bmp";
  EXPECT_TRUE(report_first_missing_picture(table, place.folders, prompt));
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "形式アイコンエラー");
  EXPECT_EQ(prompt.last().text,
            "二番の形式アイコンが見つかりません。\n表示させるには、別途用意してインポートする必要が"
            "あります。");
  table[2].icon.clear();
  EXPECT_TRUE(report_first_missing_picture(table, place.folders, prompt));
  EXPECT_EQ(prompt.last().caption, "形式写真エラー");
  table[3].picture.clear();
  EXPECT_FALSE(report_first_missing_picture(table, place.folders, prompt));
}

class Stock_DisposeTests : public ::testing::Test {
 protected:
  Stock_DisposeTests() {
    reset_series(table);
    table.grow_to(2);
    table[1].owned = 3;
    table[2].owned = 0;
  }
  bool dispose(int n, int sets, std::vector<SpeedTypeRef> speed_types = {}) {
    return dispose_series(table, n, sets, speed_types, prompt);
  }
  ScriptedPrompt prompt;
  SeriesTable table;
};

TEST_F(Stock_DisposeTests, DisposesOfSomeOrAllSets) {
  EXPECT_TRUE(dispose(1, 2));
  EXPECT_EQ(table[1].owned, 1);
  EXPECT_TRUE(dispose(1, 1, {{2, sj("急行")}}));
  EXPECT_EQ(table[1].owned, 0);
  EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(Stock_DisposeTests, ASeriesNotOwnedIsRefused) {
  EXPECT_FALSE(dispose(2, 1));
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, caption::kOperationError);
  EXPECT_EQ(prompt.last().text, "この形式は所有されていません。");
}

TEST_F(Stock_DisposeTests, SetsInUseCannotBeDisposedOf) {
  table[1].used = 3;
  EXPECT_FALSE(dispose(1, 1));
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "処分不可能データ");
  EXPECT_EQ(prompt.last().text, "この形式は列車に使用されているため、処分できません。");
  // Two of three in use: one may go, two may not.
  table[1].used = 2;
  EXPECT_FALSE(dispose(1, 2));
  EXPECT_EQ(table[1].owned, 3);
  EXPECT_TRUE(dispose(1, 1));
  EXPECT_EQ(table[1].owned, 2);
}

TEST_F(Stock_DisposeTests, TheLastSetOfAMeasuringSeriesStays) {
  std::vector<SpeedTypeRef> speed_types{{2, sj("普通")}, {1, sj("快速")}};
  EXPECT_TRUE(dispose(1, 2, speed_types));  // not all of them: allowed
  EXPECT_FALSE(dispose(1, 1, speed_types));
  EXPECT_EQ(table[1].owned, 1);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "処分不可能データ");
  EXPECT_EQ(prompt.last().text,
            "この形式は速度種別快速の計測用形式データに指定されているため、処分できません。\n");
}

TEST_F(Stock_DisposeTests, CountsOutsideTheOwnedRangeChangeNothing) {
  EXPECT_FALSE(dispose(1, 0));
  EXPECT_FALSE(dispose(1, 4));
  EXPECT_FALSE(dispose(3, 1));
  EXPECT_EQ(table[1].owned, 3);
}

TEST_F(Stock_DisposeTests, UsedCountsComeFromTheUnits) {
  table[1].used = 7;
  const int units[] = {1, 2, 2, 0, 9, -1};
  set_used_counts(table, units);
  EXPECT_EQ(table[1].used, 1);
  EXPECT_EQ(table[2].used, 2);
  EXPECT_EQ(table[0].used, 0);
}

TEST_F(Stock_SeriesOperationsTests, ReloadReadsTheFileAgainKeepingTheOwnedCount) {
  auto file = place.write_series("a.ini", series_file("a", "a"));
  ASSERT_EQ(introduce(file, 4), 1);
  table[1].used = 2;
  place.write_series("a.ini", series_file("a", "a", "曲線抵抗係数=650\r\n"));
  shift_time(file, 10);
  ReloadOutcome outcome = reload_series(table, 1, place.folders, {}, prompt);
  EXPECT_EQ(outcome.result, ReloadResult::Reread);
  EXPECT_DOUBLE_EQ(table[1].curve_resistance, 650.0);
  EXPECT_EQ(table[1].owned, 4);
  EXPECT_EQ(table[1].used, 2);
  EXPECT_EQ(table[1].file_time, file_time_of(file).value());
}

TEST_F(Stock_SeriesOperationsTests, ReloadWithoutAFileSaysSo) {
  table.grow_to(1).name = "x";
  EXPECT_EQ(reload_series(table, 1, place.folders, {}, prompt).result, ReloadResult::NotFound);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "形式情報更新");
  EXPECT_EQ(prompt.last().text, "再読込可能な形式情報ファイルは見つかりませんでした。\n");
  EXPECT_EQ(reload_series(table, 5, place.folders, {}, prompt).result, ReloadResult::NotFound);
  EXPECT_EQ(prompt.count(), 1u);
}

TEST_F(Stock_SeriesOperationsTests, ReloadMergesIntoARecordThatMatchesExactly) {
  auto file = place.write_series("a.ini", series_file("a", "a"));
  ASSERT_EQ(introduce(file, 2), 1);
  shift_time(file, 10);
  ASSERT_EQ(introduce(file, 3), 2);
  table[1].used = 1;
  table[2].used = 2;
  ReloadOutcome outcome = reload_series(table, 1, place.folders, {}, prompt);
  EXPECT_EQ(outcome.result, ReloadResult::Merged);
  EXPECT_EQ(outcome.merged_into, 2);
  EXPECT_EQ(table[2].owned, 5);
  EXPECT_EQ(table[2].used, 3);
  EXPECT_EQ(table[1].owned, 0);
  EXPECT_EQ(table[1].used, 0);
  // The record that matches itself is read again instead.
  EXPECT_EQ(reload_series(table, 2, place.folders, {}, prompt).result, ReloadResult::Reread);
  EXPECT_EQ(table[2].owned, 5);
}

TEST_F(Stock_SeriesOperationsTests, AReloadThatFailsItsChecksKeepsTheRecord) {
  auto file = place.write_series("a.ini", series_file("a", "a"));
  ASSERT_EQ(introduce(file, 1), 1);
  Series before = table[1];
  place.write_series("a.ini", series_file("a", "a", "走行特性=1\r\n"));
  EXPECT_EQ(reload_series(table, 1, place.folders, {}, prompt).result, ReloadResult::Failed);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().text, "列車質量が正しく設定されていません。");
  EXPECT_EQ(table[1].characteristics, before.characteristics);
  EXPECT_EQ(table[1].file_time, before.file_time);
}

TEST_F(Stock_SeriesOperationsTests, OldRecordsTakeOperatingFieldsFromTheirFile) {
  place.write_series("a.ini", series_file("a", "a", "DC1500V=1\r\n折返し時間最小値=20\r\n"));
  Series old;
  old.version = 1100;
  old.short_name = "a";
  old.name = "a";
  old.cars = 4;
  old.gauge = 9;
  old.max_speed = 95;
  table.grow_to(1) = old;
  table.grow_to(2) = old;
  table[2].version = 1110;  // new enough
  table.grow_to(3) = old;
  table[3].cars = 2;  // no file
  EXPECT_EQ(upgrade_old_series(table, place.folders), 1);
  EXPECT_EQ(table[1].version, 1220);
  EXPECT_EQ(table[1].electrification, (std::array<int, 6>{0, 0, 0, 1, 0, 0}));
  EXPECT_EQ(table[1].gauge, 1067);
  EXPECT_EQ(table[1].turnback_time, (std::array<int, 3>{20, 60, 75}));
  EXPECT_EQ(table[1].coupling_time, (std::array<int, 3>{40, 60, 80}));
  EXPECT_EQ(table[1].max_speed, 95);  // other fields stay
  EXPECT_EQ(table[2].gauge, 9);
  EXPECT_EQ(table[3].version, 1100);
  EXPECT_EQ(table[3].gauge, 9);
}

}  // namespace
}  // namespace vosk::stock
