#include "stock/performance_tables.h"

#include <gtest/gtest.h>

#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::stock {
namespace {

using vosk::testing::ScriptedPrompt;

TEST(Stock_TableFileTests, AccelerationKeysAreRealsIn1024ths) {
  TableFile t = parse_table_file("12.5,30\n0.1,25\n-1.5,7\n", TableKind::Acceleration);
  EXPECT_EQ(t.rows, (PerformanceTable{{12800, 30}, {102, 25}, {-1536, 7}}));
  EXPECT_EQ(t.line_count, 3);
}

TEST(Stock_TableFileTests, CurveLimitFieldsAreIntegers) {
  TableFile t = parse_table_file("400, 65\r\n12.9,70\r\n", TableKind::CurveLimit);
  EXPECT_EQ(t.rows, (PerformanceTable{{400, 65}, {12, 70}}));
}

TEST(Stock_TableFileTests, RowCountIsTheNumberOfCompleteLines) {
  // The last line has no line end and is not read.
  TableFile t = parse_table_file("10,1\n20,2\n30,3", TableKind::CurveLimit);
  EXPECT_EQ(t.rows.size(), 2u);
  EXPECT_EQ(t.line_count, 2);
}

TEST(Stock_TableFileTests, AZeroRowEndsTheTableButStillCountsAsALine) {
  TableFile t = parse_table_file("10,1\n\n30,3\n", TableKind::CurveLimit);
  EXPECT_EQ(t.rows, (PerformanceTable{{10, 1}}));
  EXPECT_EQ(t.line_count, 3);
  // A zero key with a value is a real row.
  EXPECT_EQ(parse_table_file("0,40\n", TableKind::Acceleration).rows, (PerformanceTable{{0, 40}}));
}

TEST(Stock_TableFileTests, HugeKeysStayInTheIntRange) {
  EXPECT_EQ(to_1024ths(1e12), 2147483647);
  EXPECT_EQ(to_1024ths(-1e12), -2147483647 - 1);
  EXPECT_EQ(to_1024ths(0.0009), 0);
  EXPECT_EQ(to_1024ths(-0.0009), 0);
}

TEST(Stock_TableFileTests, MissingFileIsReportedAsUnreadable) {
  vosk::testing::TempDir dir;
  EXPECT_FALSE(read_table_file(dir / "none.csv", TableKind::Acceleration).has_value());
  auto t = read_table_file(dir.write("a.csv", "12.5,30\r\n"), TableKind::Acceleration);
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->rows, (PerformanceTable{{12800, 30}}));
}

class Stock_TableMemberTests : public ::testing::Test {
 protected:
  Stock_TableMemberTests() {
    reset_series(table);
    table.grow_to(2);
  }
  void read_acceleration(std::string_view content, int version, int series) {
    MemberWarnings warnings(prompt, acceleration_member_name(series));
    read_acceleration_member(content, version, series, table, warnings);
  }
  void read_curve(std::string_view content, int version, int series) {
    MemberWarnings warnings(prompt, curve_limit_member_name(series));
    read_curve_limit_member(content, version, series, table, warnings);
  }
  ScriptedPrompt prompt;
  SeriesTable table;
};

TEST_F(Stock_TableMemberTests, MembersAreNamedBySeriesNumber) {
  EXPECT_EQ(acceleration_member_name(3), "table_acceleration_3.csv");
  EXPECT_EQ(curve_limit_member_name(12), "table_curve_limit_12.csv");
}

TEST_F(Stock_TableMemberTests, MembersRoundTripByteForByte) {
  const std::string acceleration = " 12800, 30,\n 51200,100,\n -1536,  7,\n1234567,1000,\n";
  const std::string curve = " 400, 65,\n12000,  5,\n";
  read_acceleration(acceleration, 1220, 1);
  read_curve(curve, 1220, 1);
  EXPECT_EQ(table[1].acceleration_table[0], (TableRow{12800, 30}));
  EXPECT_EQ(table[1].curve_rows, 2);
  csv::Writer a, c, empty;
  write_acceleration_member(table, 1, a);
  write_curve_limit_member(table, 1, c);
  write_acceleration_member(table, 2, empty);
  EXPECT_EQ(a.str(), acceleration);
  EXPECT_EQ(c.str(), curve);
  EXPECT_EQ(empty.str(), "");  // a series without a table gives an empty member
  EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(Stock_TableMemberTests, AccelerationRowCountStaysAsSeriesCsvGaveIt) {
  table[1].acceleration_rows = 5;
  read_acceleration(" 12800, 30,\n", 1220, 1);
  EXPECT_EQ(table[1].acceleration_rows, 5);
  EXPECT_EQ(table[1].acceleration_table.size(), 1u);
}

TEST_F(Stock_TableMemberTests, MembersBeforeVersion1150AreNotRead) {
  read_acceleration(" 12800, 30,\n", 1140, 1);
  read_curve(" 400, 65,\n", 1140, 1);
  EXPECT_TRUE(table[1].acceleration_table.empty());
  EXPECT_TRUE(table[1].curve_table.empty());
  read_acceleration(" 12800, 30,\n", 1150, 1);
  EXPECT_EQ(table[1].acceleration_table.size(), 1u);
}

TEST_F(Stock_TableMemberTests, SeriesOutsideTheTableAreIgnored) {
  read_acceleration(" 12800, 30,\n", 1220, 3);
  read_acceleration(" 12800, 30,\n", 1220, 0);
  EXPECT_TRUE(table[0].acceleration_table.empty());
  EXPECT_EQ(table.extent(), 2);
  csv::Writer out;
  write_acceleration_member(table, 9, out);
  EXPECT_EQ(out.str(), "");
}

TEST_F(Stock_TableMemberTests, AZeroLineEndsTheTableAndLaterLinesAreReported) {
  read_curve(" 400, 65,\n   0,  0,\n 500, 70,\n", 1220, 2);
  EXPECT_EQ(table[2].curve_table, (PerformanceTable{{400, 65}}));
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, caption::kReadWarning);
  EXPECT_NE(prompt.last().text.find("table_curve_limit_2.csv"), std::string::npos);

  ScriptedPrompt quiet;
  MemberWarnings warnings(quiet, "x");
  read_curve_limit_member(" 400, 65,\n   0,  0,\n", 1220, 2, table, warnings);
  EXPECT_EQ(quiet.count(), 0u);  // a final zero line hides nothing
}

TEST_F(Stock_TableMemberTests, WriterStopsAtAZeroRow) {
  table[1].curve_table = {{400, 65}, {0, 0}, {500, 70}};
  csv::Writer out;
  write_curve_limit_member(table, 1, out);
  EXPECT_EQ(out.str(), " 400, 65,\n");
}

TEST_F(Stock_TableMemberTests, OverlongLinesAreReported) {
  read_acceleration(" 12800, 30," + std::string(5000, ' ') + "\n", 1220, 1);
  EXPECT_EQ(table[1].acceleration_table, (PerformanceTable{{12800, 30}}));
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().text,
            "'table_acceleration_1.csv'の1行目が長すぎるため切り詰めました。\n");
}

}  // namespace
}  // namespace vosk::stock
