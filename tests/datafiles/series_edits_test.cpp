#include "datafiles/series_edits.h"

#include <gtest/gtest.h>

#include "stock/series_list.h"
#include "stock/stock_fixtures.h"
#include "support/scripted_prompt.h"

namespace vosk::datafiles {
namespace {

using stock::testing::series_file;
using stock::testing::shift_time;
using stock::testing::StockPlace;

class SeriesEdits : public ::testing::Test {
 protected:
  SeriesEdits() { file_ = place_.write_series("e233.ini", series_file("E233系", "E233")); }

  // A formation of series n on a duty of its own.
  void add_unit(int series) { ds_.dia.units.grow_to(ds_.dia.units.extent() + 1).series = series; }

  StockPlace place_;
  std::filesystem::path file_;
  DataSet ds_;
  vosk::testing::ScriptedPrompt prompt_;
};

TEST_F(SeriesEdits, TheListShowsTheFileAndTheDiasOwnership) {
  ASSERT_EQ(introduce_series(ds_, file_, 2, place_.folders, prompt_), 1);
  add_unit(1);
  place_.write_series("other.ini", series_file("209系", "209"));
  count_series_use(ds_);
  const stock::SeriesList list = stock::list_series(ds_.series, place_.folders);
  ASSERT_FALSE(list.error);
  ASSERT_EQ(list.entries.size(), 2u);
  const stock::SeriesListEntry& e233 = list.entries[0];  // name order
  EXPECT_EQ(e233.title, "E233系");
  EXPECT_EQ(e233.ownership, "2編成  使用：1／所有：2");
  EXPECT_EQ(e233.lines.at(0), "形式：E233系");
  EXPECT_EQ(e233.lines.at(4), "両数：4両");
  EXPECT_EQ(e233.lines.at(8), "加速度：2.50km/h/s");
  EXPECT_EQ(e233.lines.back(), "走行特性シミュレート：非対応");
  EXPECT_EQ(list.entries[1].record, 0);
  EXPECT_EQ(list.entries[1].ownership, "未導入");
}

TEST_F(SeriesEdits, AFolderWithoutSeriesOrNoFolderGivesItsMessage) {
  std::filesystem::remove(file_);
  EXPECT_EQ(stock::list_series(ds_.series, place_.folders).error, "形式データが見つかりませんでした。");
  stock::StockFolders gone = place_.folders;
  gone.series /= "missing";
  const auto error = stock::list_series(ds_.series, gone).error;
  ASSERT_TRUE(error);
  EXPECT_EQ(error->rfind("形式データのフォルダ\n", 0), 0u);
}

TEST_F(SeriesEdits, DisposalOfAFileNotIntroducedOrOfTooManySetsIsRefused) {
  EXPECT_FALSE(dispose_series(ds_, 0, 1, prompt_));
  EXPECT_EQ(prompt_.last().text, "この形式は所有されていません。");
  ASSERT_EQ(introduce_series(ds_, file_, 2, place_.folders, prompt_), 1);
  EXPECT_FALSE(dispose_series(ds_, 1, 3, prompt_));
  EXPECT_EQ(prompt_.last().caption, "操作エラー");
  EXPECT_EQ(ds_.series[1].owned, 2);
  EXPECT_TRUE(dispose_series(ds_, 1, 2, prompt_));
  EXPECT_EQ(ds_.series[1].owned, 0);
}

TEST_F(SeriesEdits, DisposalCountsTheUnitsThatUseTheSeries) {
  ASSERT_EQ(introduce_series(ds_, file_, 1, place_.folders, prompt_), 1);
  add_unit(1);  // the used count is not current until the edit counts it
  EXPECT_FALSE(dispose_series(ds_, 1, 1, prompt_));
  EXPECT_EQ(prompt_.last().caption, "処分不可能データ");
}

TEST_F(SeriesEdits, AMergingReloadMovesUnitsAndMeasuringSeries) {
  ASSERT_EQ(introduce_series(ds_, file_, 1, place_.folders, prompt_), 1);
  shift_time(file_, 10);  // record 1 no longer matches exactly
  ASSERT_EQ(introduce_series(ds_, file_, 1, place_.folders, prompt_), 2);
  add_unit(1);
  add_unit(2);
  ds_.classification.speed_types.grow_to(1).measuring_series = 1;

  const stock::ReloadOutcome outcome = reload_series(ds_, 1, place_.folders, prompt_);
  ASSERT_EQ(outcome.result, stock::ReloadResult::Merged);
  EXPECT_EQ(outcome.merged_into, 2);
  EXPECT_EQ(ds_.dia.units[1].series, 2);
  EXPECT_EQ(ds_.classification.speed_types[1].measuring_series, 2);
  EXPECT_EQ(ds_.series[2].owned, 2);
  EXPECT_EQ(ds_.series[2].used, 2);
  EXPECT_EQ(ds_.series[1].used, 0);
}

}  // namespace
}  // namespace vosk::datafiles
