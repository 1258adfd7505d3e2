#include "shell/line_styles.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vosk::shell {
namespace {

using testing::sj;

TEST(Shell_LineStylesTests, BuiltinTableOrderAndValues) {
  auto styles = builtin_main_window_line_styles();
  ASSERT_EQ(styles.size(), 22u);
  std::vector<int> ids;
  for (const auto& s : styles) ids.push_back(s.id);
  EXPECT_EQ(ids, (std::vector<int>{17, 18, 19, 20, 21, 0,  1,  2,  3,  4,  5,
                                   6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16}));
  const LineStyle& boarded = styles[3];
  EXPECT_EQ(boarded.for_line, 1);
  EXPECT_EQ(boarded.pen_style, 2);
  EXPECT_EQ(boarded.point_width, 250);
  EXPECT_EQ(boarded.item_name, sj("列番強調表示－乗車列車"));
  // Fullwidth hyphen-minus in CP932 is 0x81 0x7C.
  EXPECT_EQ(styles[1].item_name, "\x89\x77\x95\x60\x89\xE6\x81\x7C\x95\xB6\x8E\x9A\x90\x46");
  const LineStyle& last = styles[21];
  EXPECT_EQ(last.id, 16);
  EXPECT_EQ(last.item_name, sj("着点ボタン－進路構成－なし"));
  EXPECT_EQ((std::array<int, 3>{last.red, last.green, last.blue}),
            (std::array<int, 3>{255, 255, 0}));
  EXPECT_EQ((std::array<int, 3>{styles[10].red, styles[10].green, styles[10].blue}),
            (std::array<int, 3>{0, 128, 0}));  // id 5, sequence control
}

TEST(Shell_LineStylesTests, SaveWritesOneSectionPerEntryInTableOrder) {
  auto styles = builtin_main_window_line_styles();
  ini::Document doc;
  save_line_styles(doc, kMainWindowLinePrefix, styles);
  std::string text = doc.text();
  EXPECT_EQ(text.substr(0, text.find("[MainWindowLine18]")),
            "[MainWindowLine17]\nForLine=0\nnPenStyle=0\nnPointWidth=250\nColorRValue=255\n"
            "ColorGValue=255\nColorBValue=255\nItemName=" +
                sj("ジャンプ文字") + "\n");
  EXPECT_LT(text.find("[MainWindowLine21]"), text.find("[MainWindowLine00]"));
  EXPECT_LT(text.find("[MainWindowLine09]"), text.find("[MainWindowLine10]"));
  EXPECT_EQ(line_style_section("TimeTableWindow", 3), "TimeTableWindowLine03");
}

TEST(Shell_LineStylesTests, LoadKeepsBuiltinValuesForMissingKeys) {
  auto doc = ini::Document::parse(
      "[MainWindowLine05]\nnPenStyle=1\nColorGValue=300\n"
      "ItemName=" +
      sj("独自") +
      "\n"
      "[mainwindowline20]\nColorRValue=-1\n");
  auto styles = builtin_main_window_line_styles();
  load_line_styles(doc, kMainWindowLinePrefix, styles);
  const LineStyle& five = styles[10];
  ASSERT_EQ(five.id, 5);
  EXPECT_EQ(five.pen_style, 1);
  EXPECT_EQ(five.point_width, 250);
  EXPECT_EQ(five.red, 0);
  EXPECT_EQ(five.green, 300 & 0xFF);  // the low byte, as RGB() keeps it
  EXPECT_EQ(five.item_name, sj("独自"));
  EXPECT_EQ(styles[3].red, 255);  // section names ignore case; -1 keeps 0xFF
}

TEST(Shell_LineStylesTests, RoundTripThroughAFile) {
  testing::TempDir dir;
  auto styles = builtin_main_window_line_styles();
  styles[0].item_name = std::string(300, 'x');  // longer than the field
  styles[7].blue = 17;
  ini::Document doc;
  save_line_styles(doc, "MainWindow", styles);
  ASSERT_TRUE(doc.save(dir / "korv.ini"));
  auto loaded = builtin_main_window_line_styles();
  load_line_styles(ini::Document::load_or_empty(dir / "korv.ini"), "MainWindow", loaded);
  EXPECT_EQ(loaded[0].item_name, std::string(255, 'x'));
  EXPECT_EQ(loaded[7].blue, 17);
  EXPECT_EQ(loaded[21].item_name, styles[21].item_name);
}

}  // namespace
}  // namespace vosk::shell
