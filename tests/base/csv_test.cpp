#include "base/csv.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <tuple>

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

TEST(Base_CsvTests, IntegersSaturateAtTheIntRangeAtEveryLength) {
  EXPECT_EQ(csv::to_int("999999999"), 999999999);
  EXPECT_EQ(csv::to_int("-999999999"), -999999999);
  EXPECT_EQ(csv::to_int("2147483647"), INT_MAX);
  EXPECT_EQ(csv::to_int("2147483648"), INT_MAX);
  EXPECT_EQ(csv::to_int("-2147483648"), INT_MIN);
  EXPECT_EQ(csv::to_int("-2147483649"), INT_MIN);
  EXPECT_EQ(csv::to_int("99999999999999999999999"), INT_MAX);
  EXPECT_EQ(csv::to_int("  00000000000000042,"), 42);  // leading zeros are no overflow
  EXPECT_EQ(csv::to_int("1234567890x"), 1234567890);
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


// The writer formats integers and texts itself for speed; whatever it
// writes must be what the C library writes for the same format.
TEST(Base_CsvTests, WriterMatchesTheCLibraryForEveryIntegerAndTextForm) {
  const char* int_formats[] = {"%d,", "%1d", "%2d,", "%3d,", "%05d,", "%02d:", "%-4d|",
                               "%0-4d|", "%-04d|", "%6d", "a%%b%d%%"};
  const int values[] = {0, 1, -1, 7, -12, 42, 99, 100, -999, 12345, 1234567, INT_MAX, INT_MIN};
  for (const char* f : int_formats) {
    for (int v : values) {
      csv::Writer w;
      w.printf(f, v);
      char expected[64];
      std::snprintf(expected, sizeof expected, f, v);
      EXPECT_EQ(w.str(), expected) << "format " << f << " value " << v;
    }
  }
  const long longs[] = {0L, -5L, 123456L, LONG_MIN, LONG_MAX};
  for (const char* f : {"%ld,", "%4ld,", "%3ld", "%-6ld|"}) {
    for (long v : longs) {
      csv::Writer w;
      w.printf(f, v);
      char expected[64];
      std::snprintf(expected, sizeof expected, f, v);
      EXPECT_EQ(w.str(), expected) << "format " << f << " value " << v;
    }
  }
  for (const char* f : {"%s,", "%5s|", "%-5s|", "[%s][%s]"}) {
    for (const char* t : {"", "ab", "abcdefg", "\x83\x65"}) {
      csv::Writer w;
      w.printf(f, t, t);
      char expected[64];
      std::snprintf(expected, sizeof expected, f, t, t);
      EXPECT_EQ(w.str(), expected) << "format " << f << " text " << t;
    }
  }
  // Forms the writer leaves to the C library still come out right, also
  // after conversions it had already written itself.
  csv::Writer wide;
  wide.printf("%3d,%70d,%5.2lf,%x|%-66s|", 7, -5, 2.5, 255u, "t");
  char expected[256];
  std::snprintf(expected, sizeof expected, "%3d,%70d,%5.2lf,%x|%-66s|", 7, -5, 2.5, 255u, "t");
  EXPECT_EQ(wide.str(), expected);

  // The direct integer field is the same as its printf form.
  for (int v : values) {
    for (auto [width, zero, f] : {std::tuple{2, false, "%2d"}, std::tuple{5, true, "%05d"},
                                  std::tuple{0, false, "%d"}, std::tuple{3, false, "%3d"},
                                  std::tuple{80, false, "%80d"}}) {
      char field[128];
      char* end = csv::format_integer(field, v, width, false, zero);
      char expected[128];
      std::snprintf(expected, sizeof expected, f, v);
      EXPECT_EQ(std::string(field, end), expected) << f << " " << v;
    }
  }

  // Mixed conversions in one call keep their argument order.
  csv::Writer mixed;
  mixed.printf("%2d,%3d,%05d,%d,%s,%ld,\n", 3, 45, 3600, 2, "x", 9L);
  EXPECT_EQ(mixed.str(), " 3, 45,03600,2,x,9,\n");
}

}  // namespace
}  // namespace vosk
