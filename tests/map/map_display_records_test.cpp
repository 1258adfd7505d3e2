#include <gtest/gtest.h>

#include <climits>

#include "map/jump.h"
#include "map/map_display_support.h"
#include "map/row.h"
#include "map/station_draw.h"
#include "support/temp_dir.h"

namespace vosk::map {
namespace {

using testing::sj;

// ---- station_draw.csv ------------------------------------------------------

const std::string kStationDraws =
    " 0, 0,0,   0,   0,   0,   0\n"
    " 1, 3,1,  10,  50, 100, 120\n"
    " 2,12,2,1200,1350,  -4,  20\n";

TEST(Map_StationDrawTests, Version1220RoundTripsByteIdentical) {
  RecordTable<StationDraw> table;
  table.allocate(kDefaultStationDrawCapacity);
  MemberLoad load;
  EXPECT_EQ(load.read(read_station_draw, kStationDraws, 1220, table), 0u);
  ASSERT_EQ(table.extent(), 2);
  const StationDraw& d = table[2];
  EXPECT_EQ(d.target, 12);
  EXPECT_EQ(d.row, 2);
  EXPECT_EQ(d.left_x, 1200);
  EXPECT_EQ(d.right_x, 1350);
  EXPECT_EQ(d.y1, -4);
  EXPECT_EQ(d.y2, 20);
  EXPECT_EQ(written(write_station_draw, table), kStationDraws);
}

TEST(Map_StationDrawTests, RecordZeroIsIgnoredAndGapsAreWrittenAsEmptyRecords) {
  RecordTable<StationDraw> table;
  table.allocate(kDefaultStationDrawCapacity);
  MemberLoad load;
  EXPECT_EQ(load.read(read_station_draw,
                      " 3, 7,1,  10,  20,  30,  40\n"
                      " 0, 9,9,   9,   9,   9,   9\n"
                      " 1, 5,1,   1,   2,   3,   4\n",
                      1220, table),
            0u);
  EXPECT_EQ(table.extent(), 3);
  EXPECT_EQ(table[0].target, 0);  // the placeholder line was not stored
  EXPECT_EQ(written(write_station_draw, table),
            " 0, 0,0,   0,   0,   0,   0\n"
            " 1, 5,1,   1,   2,   3,   4\n"
            " 2, 0,0,   0,   0,   0,   0\n"
            " 3, 7,1,  10,  20,  30,  40\n");
}

TEST(Map_StationDrawTests, NumbersBeyondTheCapacityAreWarnedOnceAndSkipped) {
  RecordTable<StationDraw> table;
  table.allocate(2);
  MemberLoad load;
  EXPECT_EQ(load.read(read_station_draw,
                      " 1, 1,1,   1,   1,   1,   1\n"
                      " 3, 3,1,   3,   3,   3,   3\n"
                      "-1, 4,1,   4,   4,   4,   4\n"
                      " 2, 2,1,   2,   2,   2,   2\n",
                      1220, table),
            1u);
  EXPECT_EQ(load.last_text(),
            "'member.csv'の2行目のレコード番号3は範囲外のため読み飛ばしました。\n");
  EXPECT_EQ(table.extent(), 2);
  EXPECT_EQ(table.capacity(), 2);
  EXPECT_EQ(table[2].target, 2);
}

TEST(Map_StationDrawTests, AnOverlongLineIsWarnedAndReadAsFarAsTheBuffer) {
  RecordTable<StationDraw> table;
  table.allocate(kDefaultStationDrawCapacity);
  MemberLoad load;
  const std::string line = " 1, 3,1,  10,  50, 100, 120" + std::string(5000, ' ') + "\n";
  EXPECT_EQ(load.read(read_station_draw, line, 1220, table), 1u);
  EXPECT_EQ(load.last_text(), "'member.csv'の1行目が長すぎるため切り詰めました。\n");
  EXPECT_EQ(table[1].y2, 120);
}

TEST(Map_StationDrawTests, HitTestUsesTheDrawnRectangles) {
  RecordTable<StationDraw> table;
  table.allocate(4);
  table.grow_to(1).rect = {10, 10, 50, 30};
  table.grow_to(2).rect = {40, 0, 80, 20};
  EXPECT_EQ(station_draw_at(table, 10, 10), 1);
  EXPECT_EQ(station_draw_at(table, 45, 15), 1);  // overlap: the lower number wins
  EXPECT_EQ(station_draw_at(table, 60, 5), 2);
  EXPECT_EQ(station_draw_at(table, 50, 25), 0);  // right and bottom edges are outside
  EXPECT_EQ(station_draw_at(table, 80, 19), 0);
  EXPECT_EQ(station_draw_at(table, 5, 5), 0);
}

// ---- row.csv -------------------------------------------------------------

const std::string kRows =
    " 0, 40, 10,    0,    0\n"
    " 1, 40, 80, -640,    0\n"
    " 2, 40,150,-1280,   -3\n";

TEST(Map_RowTests, Version1220RoundTripsIncludingRecordZero) {
  RecordTable<Row> table;
  table.allocate(kDefaultRowCapacity);
  MemberLoad load;
  EXPECT_EQ(load.read(read_row, kRows, 1220, table), 0u);
  ASSERT_EQ(table.extent(), 2);
  EXPECT_EQ(table[0].x_origin, 40);  // row 0 is a row, not a placeholder
  EXPECT_EQ(table[0].y_origin, 10);
  EXPECT_EQ(table[2].x_shift, -1280);
  EXPECT_EQ(table[2].y_shift, -3);
  EXPECT_EQ(written(write_row, table), kRows);
}

TEST(Map_RowTests, DataOlderThan1010HasNoRows) {
  RecordTable<Row> table;
  table.allocate(kDefaultRowCapacity);
  MemberLoad load;
  EXPECT_EQ(load.read(read_row, kRows, 1009, table), 0u);
  EXPECT_EQ(table.extent(), 0);
  EXPECT_EQ(table[0].x_origin, 0);
  EXPECT_EQ(load.read(read_row, kRows, 1010, table), 0u);
  EXPECT_EQ(table.extent(), 2);
}

TEST(Map_RowTests, BlankLinesAndOutOfRangeNumbersLeaveRowsAlone) {
  RecordTable<Row> table;
  table.allocate(1);
  MemberLoad load;
  EXPECT_EQ(load.read(read_row, " 0, 40, 10,    0,    0\n\n 2, 40, 80, -640,    0\n", 1220, table),
            1u);
  EXPECT_EQ(table.extent(), 0);
  EXPECT_EQ(table[0].x_origin, 40);
}

TEST(Map_RowTests, ItemsAreDrawnAtOriginPlusShiftPlusPosition) {
  const Row row{40, 80, -640, 5};
  EXPECT_EQ(row.panel_x(700), 100);
  EXPECT_EQ(row.panel_y(-10), 75);
  const Row far{INT_MAX, INT_MIN, INT_MAX, INT_MIN};
  EXPECT_EQ(far.panel_x(1), INT_MAX);
  EXPECT_EQ(far.panel_y(-1), INT_MIN);
}

// ---- jump.csv ------------------------------------------------------------

TEST(Map_JumpTests, Version1220RoundTripsWithJapaneseLabels) {
  const std::string content =
      " 0, 0,0,0,   0,   0,   0,   0,,\n"
      " 1, 5,1,2, 300,  40,  20,  40," +
      sj("Ａ線へ") +
      ",\n"
      " 2,-1,2,1,1180,  60,   0,  60,B,\n";
  RecordTable<Jump> table;
  table.allocate(kDefaultJumpCapacity);
  MemberLoad load;
  EXPECT_EQ(load.read(read_jump, content, 1220, table), 0u);
  ASSERT_EQ(table.extent(), 2);
  const Jump& j = table[1];
  EXPECT_EQ(j.reference, 5);
  EXPECT_EQ(j.row1, 1);
  EXPECT_EQ(j.row2, 2);
  EXPECT_EQ(j.x1, 300);
  EXPECT_EQ(j.y1, 40);
  EXPECT_EQ(j.x2, 20);
  EXPECT_EQ(j.y2, 40);
  EXPECT_EQ(j.label, sj("Ａ線へ"));
  EXPECT_EQ(table[2].reference, -1);
  EXPECT_EQ(written(write_jump, table), content);
}

TEST(Map_JumpTests, DataOlderThan1110HasNoJumps) {
  RecordTable<Jump> table;
  table.allocate(kDefaultJumpCapacity);
  MemberLoad load;
  load.read(read_jump, " 1, 5,1,2, 300,  40,  20,  40,A,\n", 1109, table);
  EXPECT_EQ(table.extent(), 0);
  EXPECT_EQ(written(write_jump, table), " 0, 0,0,0,   0,   0,   0,   0,,\n");
}

TEST(Map_JumpTests, ALongLabelIsCutAtACharacterBoundaryAndWarned) {
  // "A" and ten double-byte characters: 21 bytes, one more than the field
  // keeps; cutting at 20 bytes would split the last character.
  const std::string label = "A" + sj("あいうえおかきくけこ");
  RecordTable<Jump> table;
  table.allocate(kDefaultJumpCapacity);
  MemberLoad load;
  EXPECT_EQ(load.read(read_jump, " 1, 0,1,1,   0,   0,   0,   0," + label + ",\n", 1220, table),
            1u);
  EXPECT_EQ(load.last_text(), "'member.csv'の1行目の文字列が長すぎるため切り詰めました。\n");
  EXPECT_EQ(table[1].label, "A" + sj("あいうえおかきくけ"));
  EXPECT_EQ(table[1].label.size(), 19u);
}

}  // namespace
}  // namespace vosk::map
