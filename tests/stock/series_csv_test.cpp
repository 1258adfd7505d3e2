#include "stock/series_csv.h"

#include <gtest/gtest.h>

#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::stock {
namespace {

using vosk::testing::ScriptedPrompt;
using vosk::testing::sj;

// Version-1220 lines as the formats give them: record 0 the empty
// placeholder, record 1 with running characteristics, record 2 with values
// wider than their columns.
const std::string kRecord0 =
    " 0,   0, 0,  0, 0,   0,   0,  0,  0,0,0,0,0,0,0,   0, 0, 0, 0, 0, 0, 0, 0, 0, 0,"
    "   0,   0,   0,   0,   0,   0,0,   0,  0,  0,0.000,0.000,0.0000,0.0000,0.0000,  0.0,"
    " 0,   0, 0, 0, 0, 0, 0,  0,,,,\n";
const std::string kRecord1 =
    " 1,1220, 4, 80,16,1300, 600,250,110,0,0,0,1,0,0,1067,30,60,75,40,60,80,40,60,80,"
    "2560,1024,2048,3072,4608,5120,1,  12,350,  8,0.090,1.320,0.0164,0.0280,0.0078,800.0,"
    " 2,2023, 4, 5, 6, 7, 8, 90,テスト,テスト形式,test.bmp,test16.bmp\n";
const std::string kRecord2 =
    " 2,1100,10,200,40,1300,1500,180,130,1,1,0,1,0,0,1435,120,180,240,40,60,80,40,60,80,"
    "1843, 768,1536,2304,3584,4608,0,   0,  0,  0,0.090,1.320,0.0164,0.0280,0.0078,800.0,"
    "12,1999,12,31,23,59,59,100,E231,E231系,,\n";

struct Loaded {
  ScriptedPrompt prompt;
  SeriesTable table;
};

void load(Loaded& out, const std::string& content, int version) {
  MemberWarnings warnings(out.prompt, "series.csv");
  read_series(content, version, out.table, warnings);
}

std::string written(const SeriesTable& table) {
  csv::Writer out;
  write_series(table, out);
  return out.take();
}

TEST(Stock_SeriesCsvTests, Version1220RoundTripsByteForByte) {
  std::string content = sj(kRecord0 + kRecord1 + kRecord2);
  Loaded loaded;
  load(loaded, content, 1220);
  EXPECT_EQ(loaded.prompt.count(), 0u);
  EXPECT_EQ(loaded.table.extent(), 2);
  EXPECT_EQ(loaded.table.capacity(), kSeriesCapacity);
  EXPECT_EQ(written(loaded.table), content);
}

TEST(Stock_SeriesCsvTests, ColumnsLandInTheirFields) {
  Loaded loaded;
  load(loaded, sj(kRecord0 + kRecord1 + kRecord2), 1220);
  const Series& s = loaded.table[1];
  EXPECT_EQ(s.version, 1220);
  EXPECT_EQ(s.cars, 4);
  EXPECT_EQ(s.train_length, 80);
  EXPECT_EQ(s.door_count, 16);
  EXPECT_EQ(s.door_width, 1300);
  EXPECT_EQ(s.capacity, 600);
  EXPECT_EQ(s.max_load, 250);
  EXPECT_EQ(s.max_speed, 110);
  EXPECT_EQ(s.electrification, (std::array<int, 6>{0, 0, 0, 1, 0, 0}));
  EXPECT_EQ(s.gauge, 1067);
  EXPECT_EQ(s.turnback_time, (std::array<int, 3>{30, 60, 75}));
  EXPECT_EQ(s.coupling_time, (std::array<int, 3>{40, 60, 80}));
  EXPECT_EQ(s.splitting_time, (std::array<int, 3>{40, 60, 80}));
  EXPECT_EQ(s.acceleration, 2560);
  EXPECT_EQ(s.service_brake, (std::array<int, 3>{1024, 2048, 3072}));
  EXPECT_EQ(s.atc_brake, 4608);
  EXPECT_EQ(s.emergency_brake, 5120);
  EXPECT_EQ(s.characteristics, 1);
  EXPECT_EQ(s.acceleration_rows, 12);
  EXPECT_EQ(s.train_mass, 350);
  EXPECT_EQ(s.motors, 8);
  EXPECT_DOUBLE_EQ(s.inertia, 0.09);
  EXPECT_DOUBLE_EQ(s.running_resistance[0], 1.32);
  EXPECT_DOUBLE_EQ(s.running_resistance[1], 0.0164);
  EXPECT_DOUBLE_EQ(s.running_resistance[2], 0.028);
  EXPECT_DOUBLE_EQ(s.running_resistance[3], 0.0078);
  EXPECT_DOUBLE_EQ(s.curve_resistance, 800.0);
  EXPECT_EQ(s.owned, 2);
  EXPECT_EQ(s.file_time, (FileTime{2023, 4, 5, 6, 7, 8}));
  EXPECT_EQ(s.running_sound_speed, 90);
  EXPECT_EQ(s.short_name, sj("テスト"));
  EXPECT_EQ(s.name, sj("テスト形式"));
  EXPECT_EQ(s.picture, "test.bmp");
  EXPECT_EQ(s.icon, "test16.bmp");
  EXPECT_EQ(loaded.table[2].turnback_time, (std::array<int, 3>{120, 180, 240}));
  EXPECT_EQ(loaded.table[2].owned, 12);
  EXPECT_EQ(loaded.table[2].icon, "");
}

TEST(Stock_SeriesCsvTests, GapsAreWrittenAsEmptyRecordsAndRecordZeroIsAlwaysWritten) {
  Loaded loaded;
  load(loaded, sj(" 2" + kRecord2.substr(2)), 1220);
  EXPECT_EQ(loaded.table.extent(), 2);
  std::string expected_gap = " 1" + kRecord0.substr(2);
  EXPECT_EQ(written(loaded.table), sj(kRecord0 + expected_gap + kRecord2));

  SeriesTable empty;
  reset_series(empty);
  EXPECT_EQ(written(empty), kRecord0);
}

TEST(Stock_SeriesCsvTests, AccelerationIsWrittenInItsOwnColumn) {
  SeriesTable table;
  reset_series(table);
  table.grow_to(1).acceleration = 2560;
  table[1].service_brake = {7, 12345, 0};
  std::string line = written(table).substr(kRecord0.size());
  // Columns 26..29: acceleration and the first service brakes, "%4ld,".
  std::size_t pos = 0;
  for (int comma = 0; comma < 25; ++comma) pos = line.find(',', pos) + 1;
  EXPECT_EQ(line.substr(pos, 20), "2560,   7,12345,   0");
}

// Data version 1100: no running-characteristics columns (43 fields).
const std::string kOldRecord =
    " 1,1000, 4, 80,16,1300, 600,250,110,0,0,0,1,0,0,1067,30,60,75,40,60,80,40,60,80,"
    "2560,1024,2048,3072,4608,5120, 2,2001, 2, 3, 4, 5, 6, 90,旧,旧形式,old.bmp,old16.bmp\n";

TEST(Stock_SeriesCsvTests, OldLayoutReadsIntoTheRightFieldsAndWarnsOnce) {
  Loaded loaded;
  load(loaded, sj(kRecord0 + kOldRecord + " 2" + kOldRecord.substr(2)), 1100);
  ASSERT_EQ(loaded.prompt.count(), 1u);
  EXPECT_EQ(loaded.prompt.last().caption, caption::kReadWarning);
  EXPECT_NE(loaded.prompt.last().text.find("データバージョン1100"), std::string::npos);

  const Series& s = loaded.table[1];
  EXPECT_EQ(s.version, 1000);
  EXPECT_EQ(s.gauge, 1067);
  EXPECT_EQ(s.acceleration, 2560);
  EXPECT_EQ(s.emergency_brake, 5120);
  EXPECT_EQ(s.characteristics, 0);
  EXPECT_EQ(s.acceleration_rows, 0);
  EXPECT_EQ(s.owned, 2);
  EXPECT_EQ(s.file_time, (FileTime{2001, 2, 3, 4, 5, 6}));
  EXPECT_EQ(s.running_sound_speed, 90);
  EXPECT_EQ(s.short_name, sj("旧"));
  EXPECT_EQ(s.name, sj("旧形式"));
  EXPECT_EQ(s.picture, "old.bmp");
  EXPECT_EQ(s.icon, "old16.bmp");
  EXPECT_DOUBLE_EQ(s.inertia, 0.09);
  EXPECT_DOUBLE_EQ(s.curve_resistance, 800.0);
  EXPECT_EQ(loaded.table[2].name, sj("旧形式"));

  // Written back in the current layout with the defaults filled in.
  std::string lines = written(loaded.table);
  std::string expected =
      " 1,1000, 4, 80,16,1300, 600,250,110,0,0,0,1,0,0,1067,30,60,75,40,60,80,40,60,80,"
      "2560,1024,2048,3072,4608,5120,0,   0,  0,  0,0.090,1.320,0.0164,0.0280,0.0078,800.0,"
      " 2,2001, 2, 3, 4, 5, 6, 90,旧,旧形式,old.bmp,old16.bmp\n";
  EXPECT_EQ(lines.substr(kRecord0.size(), sj(expected).size()), sj(expected));
}

TEST(Stock_SeriesCsvTests, OldVersionLineWithTheCurrentColumnsKeepsThem) {
  Loaded loaded;
  load(loaded, sj(kRecord1), 1140);
  EXPECT_EQ(loaded.table[1].characteristics, 1);
  EXPECT_EQ(loaded.table[1].train_mass, 350);
  EXPECT_EQ(loaded.table[1].owned, 2);
  EXPECT_EQ(loaded.table[1].name, sj("テスト形式"));
}

TEST(Stock_SeriesCsvTests, ShortOrEmptyOldContentNeverReadsPastTheLine) {
  Loaded loaded;
  load(loaded, " 3,1000, 4\n\n", 900);
  EXPECT_EQ(loaded.table.extent(), 3);
  EXPECT_EQ(loaded.table[3].cars, 4);
  EXPECT_EQ(loaded.table[3].name, "");
  EXPECT_EQ(loaded.prompt.count(), 1u);

  Loaded empty;
  load(empty, "", 900);
  EXPECT_EQ(empty.prompt.count(), 0u);  // nothing read, nothing to warn about
  EXPECT_EQ(empty.table.extent(), 0);
}

TEST(Stock_SeriesCsvTests, RecordsOutsideTheTableAreSkippedWithOneWarning) {
  Loaded loaded;
  load(loaded, sj("128" + kRecord1.substr(2) + "-1" + kRecord1.substr(2) + kRecord2), 1220);
  EXPECT_EQ(loaded.table.extent(), 2);
  EXPECT_EQ(loaded.table[2].cars, 10);
  ASSERT_EQ(loaded.prompt.count(), 1u);
  EXPECT_EQ(loaded.prompt.last().text,
            "'series.csv'の1行目のレコード番号128は範囲外のため読み飛ばしました。\n");

  Loaded last;
  load(last, sj("127" + kRecord1.substr(2)), 1220);
  EXPECT_EQ(last.table.extent(), 127);
  EXPECT_EQ(last.prompt.count(), 0u);
}

TEST(Stock_SeriesCsvTests, OverlongTextsAreCutAtACharacterBoundary) {
  // "A" and ten double-byte characters: 21 bytes for a 20-byte field.
  std::string line = kRecord1;
  line.replace(line.find("テスト,"), std::string("テスト").size(), "Aあいうえおかきくけこ");
  Loaded loaded;
  load(loaded, sj(line), 1220);
  EXPECT_EQ(loaded.table[1].short_name, sj("Aあいうえおかきくけ"));
  ASSERT_EQ(loaded.prompt.count(), 1u);
  EXPECT_EQ(loaded.prompt.last().text,
            "'series.csv'の1行目の文字列が長すぎるため切り詰めました。\n");

  std::string long_name = kRecord1;
  long_name.replace(long_name.find("テスト形式"), std::string("テスト形式").size(),
                    std::string(300, 'x'));
  Loaded named;
  load(named, sj(long_name), 1220);
  EXPECT_EQ(named.table[1].name, std::string(255, 'x'));
  EXPECT_EQ(named.table[1].picture, "test.bmp");
}

TEST(Stock_SeriesCsvTests, OverlongLinesAreCutAndReported) {
  std::string line = kRecord1;
  line.replace(line.find("test16.bmp"), 10, std::string(5000, 'y'));
  Loaded loaded;
  load(loaded, sj(line + kRecord2), 1220);
  ASSERT_GE(loaded.prompt.count(), 1u);
  EXPECT_EQ(loaded.prompt.asked()[0].text, "'series.csv'の1行目が長すぎるため切り詰めました。\n");
  EXPECT_EQ(loaded.table[1].icon, std::string(255, 'y'));
  EXPECT_EQ(loaded.table[2].cars, 10);  // the next line is read normally
}

TEST(Stock_SeriesCsvTests, ReadingReplacesThePreviousTable) {
  Loaded loaded;
  load(loaded, sj(kRecord1 + kRecord2), 1220);
  load(loaded, sj(kRecord1), 1220);
  EXPECT_EQ(loaded.table.extent(), 1);
}

}  // namespace
}  // namespace vosk::stock
