#include "base/csv.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vosk {
namespace {

std::vector<csv::Line> read_all(std::string_view content) {
  csv::Reader reader(content);
  std::vector<csv::Line> lines;
  csv::Line line;
  while (reader.next(line)) lines.push_back(line);
  return lines;
}

TEST(Base_CsvTests, IntegersReadLikeAtoi) {
  EXPECT_EQ(csv::to_int("  7"), 7);
  EXPECT_EQ(csv::to_int(" -12"), -12);  // negative links and gradients survive
  EXPECT_EQ(csv::to_int("+3"), 3);
  EXPECT_EQ(csv::to_int("12x"), 12);
  EXPECT_EQ(csv::to_int("x12"), 0);
  EXPECT_EQ(csv::to_int(""), 0);
  EXPECT_EQ(csv::to_int("- 1"), 0);
  EXPECT_EQ(csv::to_int("3000000000"), 2147483647);
}

TEST(Base_CsvTests, RealsReadLikeAtof) {
  EXPECT_DOUBLE_EQ(csv::to_real("12.500"), 12.5);
  EXPECT_DOUBLE_EQ(csv::to_real("  -0.25,"), -0.25);
  EXPECT_DOUBLE_EQ(csv::to_real("3"), 3.0);
  EXPECT_DOUBLE_EQ(csv::to_real("1e3x"), 1000.0);
  EXPECT_DOUBLE_EQ(csv::to_real("abc"), 0.0);
  EXPECT_DOUBLE_EQ(csv::to_real("--5"), 0.0);
  EXPECT_DOUBLE_EQ(csv::to_real("+-5"), 0.0);
  EXPECT_DOUBLE_EQ(csv::to_real(""), 0.0);
}

TEST(Base_CsvTests, SplitsAtEveryCommaWithATrailingEmptyField) {
  auto lines = read_all("  1,abc,,-4,\n");
  ASSERT_EQ(lines.size(), 1u);
  const csv::Line& l = lines[0];
  ASSERT_EQ(l.size(), 5u);
  EXPECT_EQ(l.integer(0), 1);
  EXPECT_EQ(l.text(1), "abc");
  EXPECT_EQ(l.integer(2), 0);
  EXPECT_EQ(l.integer(3), -4);
  EXPECT_EQ(l.text(4), "");
  // Fields past the end read as zero and empty.
  EXPECT_EQ(l.integer(10), 0);
  EXPECT_EQ(l.text(10), "");
}

TEST(Base_CsvTests, DropsCrBeforeLfButKeepsALoneCr) {
  auto lines = read_all("1,a\r\n2,b\rc\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text(1), "a");
  EXPECT_EQ(lines[1].text(1), "b\rc");
}

TEST(Base_CsvTests, LastLineWithoutLineFeedIsNotRead) {
  auto lines = read_all("1,a\n2,b");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(read_all("").empty());
  EXPECT_TRUE(read_all("no line feed").empty());
}

TEST(Base_CsvTests, EmptyLinesGiveOneEmptyField) {
  auto lines = read_all("\n\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 1u);
  EXPECT_EQ(lines[0].integer(0), 0);
}

TEST(Base_CsvTests, TextsAreCutTo255BytesAtACharacterBoundary) {
  std::string text = "a" + std::string(254, 'x') + testing::sj("駅");  // 257 bytes
  std::string content = "1," + text + ",2\n";  // lines point into it
  auto lines = read_all(content);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text(1).size(), 255u);
  EXPECT_EQ(lines[0].raw(1).size(), 257u);
  EXPECT_EQ(lines[0].integer(2), 2);
}

TEST(Base_CsvTests, LineLongerThanTheBufferIsCutAndFlagged) {
  std::string longline = "1," + std::string(5000, 'x') + ",9\n2,ok\n";
  auto lines = read_all(longline);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].overlong());
  EXPECT_EQ(lines[0].size(), 2u);  // the ",9" lay beyond the buffer
  EXPECT_EQ(lines[0].raw(1).size(), csv::kLineBuffer - 1 - 2);
  EXPECT_FALSE(lines[1].overlong());
  EXPECT_EQ(lines[1].text(1), "ok");
}

TEST(Base_CsvTests, AtMost1024FieldsAreTaken) {
  std::string line;
  for (int i = 0; i < 1030; ++i) line += "1,";
  line += "\n";
  auto lines = read_all(line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), csv::kMaxFields);
  EXPECT_TRUE(lines[0].too_many_fields());

  std::string exact;
  for (int i = 0; i < 1023; ++i) exact += "1,";
  exact += "1\n";
  auto exact_lines = read_all(exact);
  EXPECT_EQ(exact_lines[0].size(), 1024u);
  EXPECT_FALSE(exact_lines[0].too_many_fields());
}

TEST(Base_CsvTests, WriterKeepsFixedWidthFormats) {
  csv::Writer w;
  w.printf("%3d,", 7);
  w.printf("%4d,", -12);
  w.printf("%05d,", 42);
  w.printf("%5.3lf,", 1.5);
  w.printf("%4ld,", 123456L);
  w.printf("%s", "name");
  w.text("\n");
  EXPECT_EQ(w.str(), "  7, -12,00042,1.500,123456,name\n");
  std::string big(1000, 'z');
  w.printf("%s,", big.c_str());
  EXPECT_EQ(w.str().size(), 33u + 1001u);
}

}  // namespace
}  // namespace vosk
