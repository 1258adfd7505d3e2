// The panel's ways into the map property dialogs and its tool bar setting.
#include <gtest/gtest.h>

#include "panel/panel_fixtures.h"
#include "panel/track_panel.h"
#include "support/scripted_prompt.h"

namespace vosk::panel {
namespace {

using testing::add_rail;

class Panel_DialogEntryTests : public ::testing::Test {
 protected:
  Panel_DialogEntryTests() : panel(make(data), shell::builtin_main_window_line_styles()) {}
  static datafiles::DataSet& make(datafiles::DataSet& d) {
    d.map = testing::one_row_map();
    return d;
  }
  // Rail 1 rightward at y 40 from x 0 to 200; rail 2 its leftward twin,
  // drawn one thickness lower; rail 3 far below.
  void add_track() {
    auto& m = data.map;
    add_rail(m, 1, 0, 40, 200, 40);
    add_rail(m, 1, 200, 40, 0, 40);
    add_rail(m, 1, 0, 200, 200, 200);
    for (int r = 1; r <= 3; ++r) m.rails[r].l_next = -99;  // drawn: it has a link
    m.rails[2].label = "down";
  }
  datafiles::DataSet data;
  TrackPanel panel;
};

TEST_F(Panel_DialogEntryTests, ARailIsFoundNearItsDrawnLine) {
  add_track();
  const int t = panel.view().rail_thickness;
  const int middle = (t - 1) / 2;  // of the line's t pixel rows
  // Row 1 starts at x origin 40.
  EXPECT_EQ(panel.rail_at({140, 40 + middle}), 1);
  EXPECT_EQ(panel.rail_at({140, 40 + t + middle}), 2);  // direction 1 is drawn lower
  EXPECT_EQ(panel.rail_at({140, 40 + middle - 4}), 1);  // within reach above
  EXPECT_EQ(panel.rail_at({140, 40 + middle - 5}), 0);
  EXPECT_EQ(panel.rail_at({140, 100}), 0);     // between the tracks
  EXPECT_EQ(panel.rail_at({260, 40}), 0);      // beyond the rail's end
  EXPECT_EQ(panel.rail_at({240, 40 + middle}), 1);  // at its end
  data.map.rails[3].row = 0;                   // not drawn
  EXPECT_EQ(panel.rail_at({140, 200}), 0);
}

TEST_F(Panel_DialogEntryTests, TheRailMenuOpensTheRailDialog) {
  add_track();
  const int t = panel.view().rail_thickness;
  std::vector<MenuEntry> menu = panel.context_menu({140, 40 + t + (t - 1) / 2});
  const std::vector<MenuEntry> expected = {
      {0, "線路 down", false, false},
      {kCmdRailProperties, "線路情報入力(&L)"},
      {kCmdToolBar, "ツールバー表示(&T)", true, true},
      {kCmdNewWindowHere, "新規ウインドウ－位置(&P)"},
  };
  EXPECT_EQ(menu, expected);
  vosk::testing::ScriptedPrompt prompt;
  const PanelResult result = panel.menu_command(kCmdRailProperties, prompt);
  EXPECT_EQ(result.rail_dialog, 2);
  EXPECT_FALSE(result.changed);  // the dialog tells when it changed the map

  // Away from rails the menu has no rail part, and the command does nothing.
  menu = panel.context_menu({140, 120});
  EXPECT_EQ(menu.front(), (MenuEntry{kCmdToolBar, "ツールバー表示(&T)", true, true}));
  EXPECT_EQ(panel.menu_command(kCmdRailProperties, prompt).rail_dialog, 0);
}

TEST_F(Panel_DialogEntryTests, TheToolBarSwitchIsKeptInTheWindowsSection) {
  vosk::testing::ScriptedPrompt prompt;
  panel.context_menu({0, 0});
  EXPECT_FALSE(panel.menu_command(kCmdToolBar, prompt).changed);
  EXPECT_FALSE(panel.view().tool_bar);

  datafiles::DisplayWindowSection section{true, {"ViewToolBar=1", "PointSize=9"}};
  datafiles::DisplayWindowView lines = window_lines(section, panel.view(), std::nullopt);
  EXPECT_FALSE(lines.view_tool_bar);

  // Read back from the section written.
  section.lines = {"ViewToolBar=0"};
  datafiles::Header header;
  header.display_windows[3] = section;
  EXPECT_FALSE(window_view(header, 3).tool_bar);
  EXPECT_TRUE(window_view(header, 4).tool_bar);
}

TEST_F(Panel_DialogEntryTests, AChosenFontReplacesTheCarriedFontRecord) {
  const datafiles::DisplayWindowSection section{
      true, {"FaceName=abc", "PointSize=9", "Height=-13", "Weight=400", "Underline=1"}};
  datafiles::Header header;
  header.display_windows[1] = section;
  PanelView view = window_view(header, 1);

  // Unchanged: the record is written back as it was read.
  datafiles::DisplayWindowView lines = window_lines(section, view, std::nullopt);
  EXPECT_EQ(lines.font.face_name, "abc");
  EXPECT_EQ(lines.font.height, -13);
  EXPECT_EQ(lines.font.underline, 1);

  view.font.point_size = 12;
  view.font.weight = 700;
  lines = window_lines(section, view, std::nullopt);
  EXPECT_EQ(lines.font.face_name, "abc");
  EXPECT_EQ(lines.font.point_size, 12);
  EXPECT_EQ(lines.font.height, -16);  // 12 pt at 96 pixels per inch
  EXPECT_EQ(lines.font.weight, 700);
  EXPECT_EQ(lines.font.underline, 0);
}

}  // namespace
}  // namespace vosk::panel
