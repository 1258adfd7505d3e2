#include "dia/check_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dia/check_text.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using testing::sj;

std::vector<std::string> all(const ReportLines& lines) {
  std::vector<std::string> out;
  for (std::string_view line : lines) out.emplace_back(line);
  return out;
}

TEST(Dia_ReportLinesTests, KeepsEveryLineWithItsBoundariesIncludingEmptyOnes) {
  ReportLines lines;
  EXPECT_TRUE(lines.empty());
  lines.push_back("first");
  lines.push_back("");
  lines.push_back(sj("番線重複"));
  lines.push_back("");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "first");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], sj("番線重複"));
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(all(lines), (std::vector<std::string>{"first", "", sj("番線重複"), ""}));
  lines.clear();
  EXPECT_TRUE(lines.empty());
  lines.push_back("again");
  EXPECT_EQ(all(lines), std::vector<std::string>{"again"});
}

TEST(Dia_ReportLinesTests, MultiLineTextsArriveAsSeparateLines) {
  CollectedReport report;
  report_lines(report, "a\nb\n\nc\n");
  EXPECT_EQ(report.lines(), (std::vector<std::string>{"a", "b", "", "c"}));
}

TEST(Dia_CheckTextTests, FillingReplacesEachHoleInOrderAndReusesTheTarget) {
  const Cp932Template text("%s（%s）と%sで重複");
  EXPECT_EQ(text.fill({"1", "x", sj("駅")}), sj("1（x）と駅で重複"));
  std::string out = "left over from the last line";
  text.fill_into(out, {"22", "", "%s"});
  // An inserted "%s" is not a hole.
  EXPECT_EQ(out, sj("22（）と%sで重複"));
  // Missing arguments leave their holes empty; extra ones are ignored.
  text.fill_into(out, {"9"});
  EXPECT_EQ(out, sj("9（）とで重複"));
  text.fill_into(out, {"1", "2", "3", "4"});
  EXPECT_EQ(out, sj("1（2）と3で重複"));
  EXPECT_EQ(Cp932Template("no holes").fill({"x"}), "no holes");
}

}  // namespace
}  // namespace vosk::dia
