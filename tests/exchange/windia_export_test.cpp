// Writing WinDIA files, and files that survive being read back.
#include <gtest/gtest.h>

#include <set>

#include "samples/generator.h"
#include "windia_fixture.h"

namespace vosk::exchange {
namespace {

using testing::cp;
using testing::small_windia_file;
using testing::windia_lines;

constexpr int hm(int h, int m) { return h * 3600 + m * 60; }

class Exchange_ExportTests : public ::testing::Test {
 protected:
  std::vector<std::string> exported(const WindiaExportOptions& options = {}) {
    return windia_lines(export_windia(ds, options));
  }
  // The train lines of a section ("下り" or "上り"), up to its empty line.
  std::vector<std::string> section(const std::vector<std::string>& lines, const char* name) {
    std::vector<std::string> out;
    auto it = std::find(lines.begin(), lines.end(), cp(std::string("[") + name + "]"));
    if (it == lines.end()) return {"<missing>"};
    for (++it; it != lines.end() && !it->empty(); ++it) out.push_back(*it);
    return out;
  }

  datafiles::DataSet ds = import_windia(small_windia_file()).data;
};

TEST_F(Exchange_ExportTests, WritesTheSectionsInOrder) {
  const auto lines = exported();
  ASSERT_GE(lines.size(), 22u);
  const std::vector<std::string> head{"[WinDIA]", cp("テスト"), "", cp("[駅]"),  "p,A",
                                      ",B",       "p,C",        "", cp("[線種]")};
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 9), head);
  EXPECT_EQ(lines[9].rfind("LINES=84,66,", 0), 0u) << lines[9];
  EXPECT_EQ(lines[9].substr(lines[9].size() - 14), ",0,0,0,0,0,0,0");
  EXPECT_EQ(std::count(lines[9].begin(), lines[9].end(), ','), 23);
  EXPECT_EQ(lines[10], cp("Train00=普通,普"));
  EXPECT_EQ(lines[26], "Train16=" + ds.classification.train_types[17].name + "," +
                           ds.classification.train_types[17].short_name);
  EXPECT_EQ(lines[27], "");
  EXPECT_EQ(section(lines, "下り"), std::vector<std::string>{"0,101,,0,600,700/710,800/"});
  EXPECT_EQ(section(lines, "上り"), std::vector<std::string>{"1,202,nick,3,930/,-,900"});
  EXPECT_EQ(lines.back(), "");
}

TEST_F(Exchange_ExportTests, EmptyTitleWritesTheMapName) {
  ds.header.dia.dia_title.clear();
  ds.header.map.map_name = cp("路線図");
  EXPECT_EQ(exported()[1], cp("路線図"));
}

TEST_F(Exchange_ExportTests, DirectionOneIsDownWithoutRightDown) {
  ds.header.map.right_down = 0;
  const auto lines = exported();
  EXPECT_EQ(lines[4], "p,C");
  EXPECT_EQ(lines[6], "p,A");
  EXPECT_EQ(section(lines, "下り"), std::vector<std::string>{"1,202,nick,3,900,-,930/"});
  EXPECT_EQ(section(lines, "上り"), std::vector<std::string>{"0,101,,0,800/,700/710,600"});
}

TEST_F(Exchange_ExportTests, DayTimesWrapButArrivalsKeep2400) {
  auto& events = ds.dia.diagrams[1].events;
  events[0].time = hm(25, 10);
  events[1].time = hm(24, 0);
  events[2].time = hm(26, 5);
  events[3].time = hm(26, 30);
  EXPECT_EQ(section(exported(), "下り"), std::vector<std::string>{"0,101,,0,110,2400/205,230/"});
}

TEST_F(Exchange_ExportTests, PassesAndFillers) {
  ds = import_windia(cp("[駅]\n,A\n,B\n,C\n,D\n,E\n\n[下り]\n"
                        "0,1,,0,,600,605?,,700\n"
                        "0,2,,0,600,,,,\n"))
           .data;
  // Only one stop: train 2 is left out.
  EXPECT_EQ(section(exported(), "下り"), std::vector<std::string>{"0,1,,0,,600,-,-,700"});
  WindiaExportOptions pass;
  pass.view_pass = true;
  EXPECT_EQ(section(exported(pass), "下り"), std::vector<std::string>{"0,1,,0,,600,605?,-,700"});
}

TEST_F(Exchange_ExportTests, RemarksFollowAContinuation) {
  ds.dia.diagrams[1].remarks = cp("備考, その他");
  EXPECT_EQ(section(exported(), "下り"),
            (std::vector<std::string>{"0,101,,0,600,700/710,800/,\\", cp("\t%備考, その他")}));
  const datafiles::DataSet back = import_windia(export_windia(ds, {})).data;
  EXPECT_EQ(back.dia.diagrams[1].remarks, cp("備考, その他"));
  EXPECT_EQ(back.dia.diagrams[1].event_count(), 4u);
}

TEST_F(Exchange_ExportTests, CommasInTextsDoNotShiftTheFields) {
  ds.dia.diagrams[1].nickname = "a,b";
  ds.map.targets[2].name = "B,2";
  const datafiles::DataSet back = import_windia(export_windia(ds, {})).data;
  EXPECT_EQ(back.dia.diagrams[1].nickname, cp("a，b"));
  EXPECT_EQ(back.map.targets[2].name, cp("B，2"));
  EXPECT_EQ(back.dia.diagrams[1].events, ds.dia.diagrams[1].events);
}

TEST_F(Exchange_ExportTests, OnlySeventeenTypesAreWritten) {
  for (int i = 0; i < 5; ++i) dia::add_train_type(ds.classification.train_types);
  ASSERT_EQ(ds.classification.train_types.extent(), 22);
  const auto lines = exported();
  EXPECT_EQ(std::count(lines[9].begin(), lines[9].end(), ','), 23);
  EXPECT_EQ(lines[26].rfind("Train16=", 0), 0u);
  EXPECT_EQ(lines[27], "");
}

TEST_F(Exchange_ExportTests, FewerTypesWriteZeroCodes) {
  ds.classification.train_types.shrink_to(2);
  const auto lines = exported();
  EXPECT_EQ(lines[9], "LINES=84,66,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
  EXPECT_EQ(lines[12], "");
}

TEST_F(Exchange_ExportTests, DisplayTargetChoosesTheStations) {
  ds.map.targets[2].distances[1] = -1;
  WindiaExportOptions second;
  second.display_target = 1;
  const auto lines = exported(second);
  EXPECT_EQ(lines[5], "p,C");
  EXPECT_EQ(section(lines, "下り"), std::vector<std::string>{"0,101,,0,600,800/"});
}

TEST(Exchange_RoundTripTests, SampleIsStableAfterTheFirstPass) {
  datafiles::DataSet sample = samples::make_sample({});
  const std::string first = export_windia(sample, {});
  datafiles::DataSet once = import_windia(first).data;
  const std::string second = export_windia(once, {});
  datafiles::DataSet twice = import_windia(second).data;
  EXPECT_EQ(export_windia(twice, {}), second);
  EXPECT_EQ(windia_lines(first).size(), windia_lines(second).size());
  EXPECT_GT(once.dia.diagrams.extent(), 100);

  // Colours survive only as the palette, styles as solid or dotted.
  const std::set<std::uint8_t> channel{0, 128, 192, 255};
  for (int t = 1; t <= once.classification.train_types.extent(); ++t) {
    const dia::TrainType& type = once.classification.train_types[t];
    EXPECT_TRUE(channel.count(type.red) && channel.count(type.green) && channel.count(type.blue));
    EXPECT_EQ(type.line_width, 250);
    const int expected_style = t <= sample.classification.train_types.extent() &&
                                       sample.classification.train_types[t].passenger_service == 0
                                   ? dia::kDotted
                                   : dia::kSolid;
    EXPECT_EQ(type.line_style, expected_style) << t;
  }
}

}  // namespace
}  // namespace vosk::exchange
