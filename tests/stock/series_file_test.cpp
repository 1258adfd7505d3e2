#include "stock/series_file.h"

#include <gtest/gtest.h>

#include "stock/file_time.h"
#include "stock_fixtures.h"
#include "support/scripted_prompt.h"

namespace vosk::stock {
namespace {

using testing::series_file;
using testing::sj;
using testing::StockPlace;
using vosk::testing::ScriptedPrompt;

class Stock_SeriesFileTests : public ::testing::Test {
 protected:
  std::optional<Series> read(std::string_view bytes, MapSeriesSettings map = {}) {
    auto file = place.write_series("s.ini", bytes);
    return read_series_file(file, place.folders, map, prompt);
  }
  StockPlace place;
  ScriptedPrompt prompt;
};

TEST_F(Stock_SeriesFileTests, ReadsAFileWithJapaneseKeys) {
  auto s = read(series_file("２０５系", "205",
                            "NONELEC=0\r\nDC1500V=1\r\nAC20000V=1\r\n"
                            "折返し時間最小値=20\r\n併合時間中間値=90\r\n分割時間最大値=100\r\n"
                            "走行特性=1\r\n列車質量=320\r\nモータ個数=16\r\n"
                            "慣性係数=0.1\r\n走行抵抗係数Ｃ=0.03\r\n曲線抵抗係数=700\r\n"
                            "走行音速度=80\r\n画像=205.bmp\r\n画像16=205s.bmp\r\n"
                            "ドア開=o.wav\r\nドア閉=c.wav\r\nＡＴＣ=a.wav\r\n"
                            "ポイント=p.wav\r\n走行音=r.wav\r\nＢＶＥ=b.wav\r\n"));
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(s->version, 1220);
  EXPECT_EQ(s->name, sj("２０５系"));
  EXPECT_EQ(s->short_name, "205");
  EXPECT_EQ(s->cars, 4);
  EXPECT_EQ(s->train_length, 80);
  EXPECT_EQ(s->door_count, 16);
  EXPECT_EQ(s->door_width, 1300);
  EXPECT_EQ(s->capacity, 600);
  EXPECT_EQ(s->max_load, 250);
  EXPECT_EQ(s->max_speed, 110);
  EXPECT_EQ(s->gauge, 1067);
  EXPECT_EQ(s->electrification, (std::array<int, 6>{0, 0, 0, 1, 1, 0}));
  EXPECT_EQ(s->turnback_time, (std::array<int, 3>{20, 60, 75}));
  EXPECT_EQ(s->coupling_time, (std::array<int, 3>{40, 90, 80}));
  EXPECT_EQ(s->splitting_time, (std::array<int, 3>{40, 60, 100}));
  EXPECT_EQ(s->characteristics, 1);
  EXPECT_EQ(s->train_mass, 320);
  EXPECT_EQ(s->motors, 16);
  EXPECT_DOUBLE_EQ(s->inertia, 0.1);
  EXPECT_DOUBLE_EQ(s->running_resistance[0], 1.32);  // defaults for the missing ones
  EXPECT_DOUBLE_EQ(s->running_resistance[1], 0.0164);
  EXPECT_DOUBLE_EQ(s->running_resistance[2], 0.03);
  EXPECT_DOUBLE_EQ(s->running_resistance[3], 0.0078);
  EXPECT_DOUBLE_EQ(s->curve_resistance, 700.0);
  EXPECT_EQ(s->running_sound_speed, 80);
  EXPECT_EQ(s->picture, "205.bmp");
  EXPECT_EQ(s->icon, "205s.bmp");
  EXPECT_EQ(s->sounds, (std::array<std::string, kSoundCount>{"o.wav", "c.wav", "a.wav", "p.wav",
                                                             "r.wav", "b.wav"}));
  EXPECT_EQ(s->owned, 0);
  EXPECT_EQ(s->file_time, file_time_of(place.folders.series / "s.ini").value());
  EXPECT_NE(s->file_time.year, 0);
}

TEST_F(Stock_SeriesFileTests, AccelerationsBecome1024ths) {
  auto s = read(series_file("a", "a"));
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->acceleration, 2560);  // 250 × 1024 / 100
  EXPECT_EQ(s->service_brake, (std::array<int, 3>{1024, 2048, 3072}));
  EXPECT_EQ(s->atc_brake, 4608);
  EXPECT_EQ(s->emergency_brake, 5120);
  EXPECT_EQ(per100_to_1024(333), 3409);  // 3409.92 truncated
  EXPECT_EQ(per100_to_1024(2147483647), 2147483647);
}

TEST_F(Stock_SeriesFileTests, MissingKeysTakeTheirDefaults) {
  auto s = read(series_file("a", "a"));
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->turnback_time, (std::array<int, 3>{30, 60, 75}));
  EXPECT_EQ(s->coupling_time, (std::array<int, 3>{40, 60, 80}));
  EXPECT_EQ(s->splitting_time, (std::array<int, 3>{40, 60, 80}));
  EXPECT_EQ(s->electrification, (std::array<int, 6>{}));
  EXPECT_EQ(s->characteristics, 0);
  EXPECT_DOUBLE_EQ(s->inertia, 0.09);
  EXPECT_DOUBLE_EQ(s->curve_resistance, 800.0);
  EXPECT_EQ(s->running_sound_speed, 90);
  EXPECT_EQ(s->picture, "");
  EXPECT_TRUE(s->acceleration_table.empty());
  EXPECT_EQ(s->acceleration_rows, 0);
}

TEST_F(Stock_SeriesFileTests, IntegersFollowTheProfileRulesRealsTheirOwnParser) {
  auto s = read(series_file("a", "a",
                            "走行音速度 = 85km\r\n"    // profile rules trim and stop
                            "走行抵抗係数Ａ =2.5\r\n"  // own parser: key has a blank
                            "走行抵抗係数Ｂ=\r\n"));   // own parser: empty reads 0
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->running_sound_speed, 85);
  EXPECT_DOUBLE_EQ(s->running_resistance[0], 1.32);
  EXPECT_DOUBLE_EQ(s->running_resistance[1], 0.0);
}

TEST_F(Stock_SeriesFileTests, TextsAreCutToTheirFields) {
  auto s = read(series_file(std::string(300, 'n'), "あいうえおかきくけこさ"));
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->name, std::string(255, 'n'));
  EXPECT_EQ(s->short_name, sj("あいうえおかきくけこ"));
}

// The keys that the checks need, in check order, and their messages.
const char* const kCheckMessages[] = {
    "両数が正しく設定されていません。",
    "編成長が正しく設定されていません。",
    "ドア総数が正しく設定されていません。",
    "ドア幅が正しく設定されていません。",
    "定員が正しく設定されていません。",
    "最大乗車率が正しく設定されていません。",
    "最高速度が正しく設定されていません。",
    "軌間が正しく設定されていません。",
    "加速度が正しく設定されていません。",
    "常用ブレーキ１段が正しく設定されていません。",
    "常用ブレーキ２段が正しく設定されていません。",
    "常用ブレーキ３段が正しく設定されていません。",
    "ＡＴＣブレーキが正しく設定されていません。",
    "非常ブレーキが正しく設定されていません。",
};

TEST_F(Stock_SeriesFileTests, ChecksFailInOrderWithTheirMessages) {
  static_assert(std::size(kCheckMessages) == std::size(testing::kValidKeys));
  for (std::size_t present = 0; present < std::size(kCheckMessages); ++present) {
    std::string text = "[形式情報]\r\n";
    for (std::size_t k = 0; k < std::size(testing::kValidKeys); ++k)
      if (k != present) text += std::string(testing::kValidKeys[k]) + "\r\n";
    // Every key but one: that one's message. Every key before it only: the same.
    ScriptedPrompt p;
    auto file = place.write_series("c.ini", sj(text));
    EXPECT_FALSE(read_series_file(file, place.folders, {}, p).has_value());
    ASSERT_EQ(p.count(), 1u);
    EXPECT_EQ(p.last().caption, caption::kDataError);
    EXPECT_EQ(p.last().text, kCheckMessages[present]) << "without key " << present;

    std::string prefix = "[形式情報]\r\n";
    for (std::size_t k = 0; k < present; ++k)
      prefix += std::string(testing::kValidKeys[k]) + "\r\n";
    ScriptedPrompt q;
    file = place.write_series("c.ini", sj(prefix));
    EXPECT_FALSE(read_series_file(file, place.folders, {}, q).has_value());
    ASSERT_EQ(q.count(), 1u);
    EXPECT_EQ(q.last().text, kCheckMessages[present]) << "with keys before " << present;
  }
}

TEST_F(Stock_SeriesFileTests, UnusableIntegerValuesFailLikeMissingOnes) {
  auto with = [](std::string_view cars_line) {
    std::string text = "[形式情報]\r\n" + std::string(cars_line) + "\r\n";
    for (std::size_t k = 1; k < std::size(testing::kValidKeys); ++k)
      text += std::string(testing::kValidKeys[k]) + "\r\n";
    return sj(text);
  };
  EXPECT_FALSE(read(with("両数=abc")).has_value());
  EXPECT_FALSE(read(with("両数=")).has_value());
  EXPECT_TRUE(read(with("両数=4両")).has_value());
  EXPECT_TRUE(read(with("両数=-4")).has_value());  // only zero is refused
  for (const auto& asked : prompt.asked()) EXPECT_EQ(asked.text, kCheckMessages[0]);
  EXPECT_EQ(prompt.count(), 2u);
}

TEST_F(Stock_SeriesFileTests, NonZeroButTooSmallAccelerationsAreRefused) {
  const char* kTooSmall =
      "加速度・減速度の中に小さ過ぎるものがあります。\n"
      "単位km/h/sを１００倍して整数で設定して下さい。";
  for (const char* line : {"加速度=9", "常用ブレーキ２段=-100", "非常ブレーキ=9"}) {
    ScriptedPrompt p;
    // The first of two keys wins, so the tested value goes first.
    std::string text = "[形式情報]\r\n" + std::string(line) + "\r\n";
    for (std::string_view key : testing::kValidKeys) text += std::string(key) + "\r\n";
    auto file = place.write_series("t.ini", sj(text));
    EXPECT_FALSE(read_series_file(file, place.folders, {}, p).has_value()) << line;
    ASSERT_EQ(p.count(), 1u);
    EXPECT_EQ(p.last().text, kTooSmall) << line;
  }
  std::string ten = "[形式情報]\r\n加速度=10\r\n";
  for (std::string_view key : testing::kValidKeys) ten += std::string(key) + "\r\n";
  EXPECT_TRUE(read(sj(ten)).has_value());
}

TEST_F(Stock_SeriesFileTests, AtcBrakeNeedsAMarginOverTheSignalSetting) {
  // ATC brake 450 → 4608; 4608 − 98 = 4510. HandleATC 440 → 4505 passes, 441 → 4515 fails.
  EXPECT_TRUE(read(series_file("a", "a"), {1042, 440}).has_value());
  EXPECT_FALSE(read(series_file("a", "a"), {1042, 441}).has_value());
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, caption::kDataError);
  EXPECT_EQ(prompt.last().text,
            "この形式の減速度（4.50[km/h/s]）は信号設定に対して余裕が足りません。\n"
            "信号設定を変更してから形式読み込みを行って下さい。");
  // Maps of signal version 1041 and below are not checked.
  EXPECT_TRUE(read(series_file("a", "a"), {1041, 441}).has_value());
}

TEST_F(Stock_SeriesFileTests, RunningCharacteristicsNeedMassThenMotors) {
  EXPECT_FALSE(read(series_file("a", "a", "走行特性=1\r\n")).has_value());
  EXPECT_FALSE(read(series_file("a", "a", "走行特性=1\r\n列車質量=300\r\n")).has_value());
  EXPECT_TRUE(
      read(series_file("a", "a", "走行特性=1\r\n列車質量=300\r\nモータ個数=8\r\n")).has_value());
  // Only the value 1 asks for them.
  EXPECT_TRUE(read(series_file("a", "a", "走行特性=2\r\n")).has_value());
  ASSERT_EQ(prompt.count(), 2u);
  EXPECT_EQ(prompt.asked()[0].text, "列車質量が正しく設定されていません。");
  EXPECT_EQ(prompt.asked()[1].text, "モータ個数が正しく設定されていません。");
}

TEST_F(Stock_SeriesFileTests, TablesAreLoadedFromTheTableFolders) {
  place.write(place.folders.acceleration, "acc.csv", "12.5,30\r\n25,20\r\n\r\n");
  place.write(place.folders.curve_limit, sj("曲線.csv"), "400,65\r\n");
  auto s = read(series_file("a", "a", "加速度テーブル=acc.csv\r\n曲線制限テーブル=曲線.csv\r\n"));
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->acceleration_table, (PerformanceTable{{12800, 30}, {25600, 20}}));
  EXPECT_EQ(s->acceleration_rows, 3);  // complete lines, the empty one included
  EXPECT_EQ(s->curve_table, (PerformanceTable{{400, 65}}));
  EXPECT_EQ(s->curve_rows, 1);
}

TEST_F(Stock_SeriesFileTests, MissingTableFileIsReportedAndTheSeriesStillRead) {
  auto s = read(series_file("a", "a", "曲線制限テーブル=none.csv\r\n"));
  ASSERT_TRUE(s.has_value());
  EXPECT_TRUE(s->curve_table.empty());
  EXPECT_EQ(s->curve_rows, 0);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, caption::kReadError);
  std::string expected = "読み込みファイル'" + (place.folders.curve_limit / "none.csv").string() +
                         "'は開けませんでした。\n";
  EXPECT_EQ(prompt.last().text, expected);
}

TEST_F(Stock_SeriesFileTests, AFileThatCannotBeReadFailsTheFirstCheck) {
  EXPECT_FALSE(
      read_series_file(place.folders.series / "gone.ini", place.folders, {}, prompt).has_value());
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().text, kCheckMessages[0]);
}

}  // namespace
}  // namespace vosk::stock
