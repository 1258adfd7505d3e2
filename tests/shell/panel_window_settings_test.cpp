#include "shell/panel_window_settings.h"

#include <gtest/gtest.h>

namespace vosk::shell {
namespace {

TEST(Shell_PanelWindowSettingsTests, DefaultsDifferForTheMainWindowsPanel) {
  const FontRecord fallback = default_font_record(false);
  const PanelWindowSettings main = read_panel_window_settings({}, 0, fallback, false);
  EXPECT_EQ(main.placement, (Rect{0, 40, 700, 140}));
  EXPECT_TRUE(main.tool_bar);
  EXPECT_EQ(main.font.face_name, fallback.face_name);
  const PanelWindowSettings other = read_panel_window_settings({}, 7, fallback, false);
  EXPECT_EQ(other.placement, (Rect{200, 100, 600, 400}));
}

TEST(Shell_PanelWindowSettingsTests, WrittenOnCloseAndReadBack) {
  PanelWindowSettings values;
  values.placement = {10, 20, 810, 620};
  values.tool_bar = false;
  values.font = default_font_record(true);
  values.font.point_size = 11;
  ini::Document doc;
  write_panel_window_settings(doc, 3, values, false, false, true);
  EXPECT_EQ(doc.text(),
            "[DisplayWindow03]\nPosLeft=10\nPosTop=20\nPosRight=810\nPosBottom=620\n"
            "ViewToolBar=0\n"
            "[FontDisplayWindow03]\nFaceNameEnglish=MS Gothic\nPointSize=11\nHeight=-12\n"
            "Weight=400\nItalic=0\nUnderline=0\nStrikeOut=0\n");
  const PanelWindowSettings read = read_panel_window_settings(doc, 3, {}, true);
  EXPECT_EQ(read.placement, values.placement);
  EXPECT_FALSE(read.tool_bar);
  EXPECT_EQ(read.font.point_size, 11);

  // Minimised, the placement stays as stored; the rest is written.
  values.placement = {0, 0, 1, 1};
  values.tool_bar = true;
  write_panel_window_settings(doc, 3, values, true, false, true);
  EXPECT_EQ(read_panel_window_settings(doc, 3, {}, true).placement, (Rect{10, 20, 810, 620}));
  EXPECT_TRUE(read_panel_window_settings(doc, 3, {}, true).tool_bar);
}

}  // namespace
}  // namespace vosk::shell
