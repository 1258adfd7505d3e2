#include "panel/track_panel.h"

#include <gtest/gtest.h>

#include "panel/panel_fixtures.h"
#include "panel/row_layout.h"
#include "support/recording_surface.h"
#include "support/scripted_prompt.h"

namespace vosk::panel {
namespace {

using testing::add_line;
using testing::add_rail;

class Panel_TrackPanelTests : public ::testing::Test {
 protected:
  Panel_TrackPanelTests() : panel(make(data), shell::builtin_main_window_line_styles()) {}
  static datafiles::DataSet& make(datafiles::DataSet& d) {
    d.map = testing::one_row_map();
    return d;
  }
  datafiles::DataSet data;
  TrackPanel panel;
};

TEST_F(Panel_TrackPanelTests, RowPauseSplitsAtTheNearestJointToTheClick) {
  add_line(data.map, 0, 1000, 100, 40);
  panel.view().window = {1100, 400};
  panel.toggle_row_pause();
  EXPECT_EQ(panel.status_text(),
            "1行目の右端を指定して下さい。左クリックで指定、右クリックで次の行に移動します。");
  // Rows are drawn at their own positions: pixel 340 is x 340; 300 is nearer
  // than 400.
  ASSERT_TRUE(panel.row_mode_click({340, 10}, false));
  ASSERT_EQ(data.map.rows.extent(), 2);
  EXPECT_EQ(data.map.rows[2].x_shift, -300);
  EXPECT_EQ(data.map.rails[3].row, 1);
  EXPECT_EQ(data.map.rails[4].row, 2);
  EXPECT_EQ(panel.current_break(), 300);

  // Outside the row's bounds nothing happens; a right click moves on.
  panel.row_mode_click({320, 10}, false);
  EXPECT_EQ(data.map.rows.extent(), 2);
  panel.view().offset_x = 200;
  panel.row_mode_click({0, 0}, true);
  EXPECT_EQ(panel.current_row(), 2);
  EXPECT_EQ(panel.current_break(), 1000);  // the last row ends at its right end
  // The break would lie at pixel 1200, off the window: it is scrolled to the
  // middle.
  EXPECT_EQ(panel.view().offset_x, 200 + 550 - 1200);
  panel.row_mode_click({0, 0}, true);
  EXPECT_EQ(panel.current_row(), 1);
}

TEST_F(Panel_TrackPanelTests, RowPositionSetsTheOriginFromTheClickAndExcludesRowPause) {
  add_line(data.map, 0, 300, 100, 40);
  panel.toggle_row_pause();
  panel.toggle_row_position();
  EXPECT_EQ(panel.row_mode(), RowMode::Position);
  panel.view().scale_x = 8192;  // two pixels a unit
  panel.view().offset_x = -20;
  panel.row_mode_click({120, 55}, false);
  EXPECT_EQ(data.map.rows[1].x_origin, 70);
  EXPECT_EQ(data.map.rows[1].y_origin, 55);
  panel.toggle_row_position();
  EXPECT_EQ(panel.row_mode(), RowMode::Normal);
  EXPECT_EQ(panel.status_text(), "");
  EXPECT_FALSE(panel.row_mode_click({1, 1}, false));
}

TEST_F(Panel_TrackPanelTests, AFollowedTrainIsScrolledBackInWholeSteps) {
  panel.view().window = {1000, 500};
  panel.follow({690, 340});  // within a fifth of the centre both ways
  EXPECT_EQ(panel.view().offset_x, 0);
  EXPECT_EQ(panel.view().offset_y, 0);
  panel.follow({1315, 120});
  EXPECT_EQ(panel.view().offset_x, -800);
  EXPECT_EQ(panel.view().offset_y, 120);
}

TEST_F(Panel_TrackPanelTests, ZoomStepsBy64AndNeverBelowTheSmallestScale) {
  panel.zoom_x(1);
  EXPECT_EQ(panel.view().scale_x, 4096 + 64);
  panel.zoom_y(-100);
  EXPECT_EQ(panel.view().scale_y, kMinScale);
  EXPECT_EQ(panel.view().rail_thickness, 1);
}

TEST_F(Panel_TrackPanelTests, AutoRowUsesTheWindowWidthAtTheScale) {
  add_line(data.map, 0, 3000, 100, 40);
  panel.view().window = {1180, 600};  // 1100 units at 1:1
  panel.auto_row();
  EXPECT_EQ(data.map.rows.extent(), 3);
  panel.view().scale_x = 2048;  // the same window holds twice as much
  panel.auto_row();
  EXPECT_EQ(data.map.rows.extent(), 2);
  EXPECT_EQ(data.map.rows[2].x_shift, -2200);
}

// Every row command refuses while another window is busy, naming it, and
// leaves rows and mode as they were; once the lock is free it runs.
TEST_F(Panel_TrackPanelTests, RowCommandsRefuseWhileAnotherWindowHoldsTheBusyLock) {
  struct Row {
    RowCommand command;
    shell::BusyState holder;
    const char* refusal;
  };
  const Row rows[] = {
      {RowCommand::AutoRow, shell::BusyState::DiaEditWindow,
       "ダイヤ編集ウインドウが作業中です。\n"},
      {RowCommand::ClearRow, shell::BusyState::TrainGraphWindow,
       "ダイヤグラムウインドウが作業中です。\n"},
      {RowCommand::AdjustSpan, shell::BusyState::TimetableWindow,
       "時刻表ウインドウが作業中です。\n"},
      {RowCommand::RowPause, shell::BusyState::MainWindow, "メインウインドウが作業中です。\n"},
      {RowCommand::RowPosition, shell::BusyState::UnitWorkingDialog,
       "編成・仕業設定ダイアログが作業中です。\n"},
  };
  add_line(data.map, 0, 3000, 100, 40);
  panel.view().window = {1180, 600};
  panel.auto_row();
  data.map.rows[2].y_origin = 500;  // Adjust Span would move it
  const int row_count = data.map.rows.extent();
  ASSERT_EQ(row_count, 3);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.refusal);
    shell::BusyLock lock;
    lock.lock(row.holder);
    vosk::testing::ScriptedPrompt prompt;
    EXPECT_FALSE(panel.row_command(row.command, lock, prompt));
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().caption, "操作エラー");
    EXPECT_EQ(prompt.last().text, row.refusal);
    EXPECT_EQ(data.map.rows.extent(), row_count);
    EXPECT_EQ(data.map.rows[2].y_origin, 500);
    EXPECT_EQ(panel.row_mode(), RowMode::Normal);
  }

  shell::BusyLock free;
  vosk::testing::ScriptedPrompt prompt;
  EXPECT_TRUE(panel.row_command(RowCommand::RowPause, free, prompt));
  EXPECT_EQ(panel.row_mode(), RowMode::Pause);
  EXPECT_TRUE(panel.row_command(RowCommand::ClearRow, free, prompt));
  EXPECT_EQ(data.map.rows.extent(), 1);
  EXPECT_EQ(prompt.count(), 0u);
}

TEST_F(Panel_TrackPanelTests, HitsLeversButtonsPointsAndStations) {
  data.header.map.use_interlocking = 1;
  const int a = add_rail(data.map, 1, 0, 40, 100, 40);
  map::RouteLever& l = data.map.route_levers.grow_to(1);
  l = {1, 0, 0, 0, 2, 1, 1, 20, 20, 1, 1, 60, 20};
  data.map.rails[a].route_lever = 1;
  map::RouteButton& b = data.map.route_buttons.grow_to(1);
  b = {0, 0, 0, 1, 1, 90, 20};
  data.map.rails[a].route_button = 1;
  map::Point& p = data.map.points.grow_to(1);
  p.key = "12";
  p.symbol_row = 1;
  p.symbol_x = 50;
  p.symbol_y = 60;
  data.map.station_draws.grow_to(1) = {0, 1, 0, 200, 100, 140, {}};
  panel.view().inter_view = 1;

  struct Case {
    Point at;
    PanelHit::Kind kind;
    int record;
  };
  const Case cases[] = {
      {{60, 20}, PanelHit::Lever, 1},           {{60, 9}, PanelHit::Lever, 1},  // bar
      {{104, 24}, PanelHit::LeverButton, 1},    {{130, 16}, PanelHit::Button, 1},
      {{92, 66}, PanelHit::PointSymbol, 1},     {{90, 58}, PanelHit::PointSymbol, 1},
      {{45, 120}, PanelHit::StationDrawing, 1}, {{60, 90}, PanelHit::None, 0},
      {{240, 140}, PanelHit::None, 0},  // right and bottom edges are outside
  };
  for (const Case& c : cases) {
    PanelHit h = panel.hit(c.at);
    EXPECT_EQ(h.kind, c.kind) << c.at.x << "," << c.at.y;
    EXPECT_EQ(h.record, c.record) << c.at.x << "," << c.at.y;
  }
  EXPECT_EQ(panel.hit({60, 20}).rail, a);

  // Symbols that are not drawn cannot be hit.
  panel.view().inter_view = 2;
  data.map.route_levers[1].lever_shown = 0;
  EXPECT_EQ(panel.hit({60, 20}).kind, PanelHit::None);
  data.header.map.use_interlocking = 0;
  EXPECT_EQ(panel.hit({130, 16}).kind, PanelHit::None);
}

TEST_F(Panel_TrackPanelTests, MapExtentCoversEveryItemInWholeScrollSteps) {
  add_rail(data.map, 1, 0, 40, 1000, 75);
  data.map.rows[1].y_origin = 10;
  const Size s = panel.map_extent();
  EXPECT_EQ(s.width, 1080);  // 1040 + 40, rounded up to 20
  EXPECT_EQ(s.height, 140);  // 85 + 40 -> 140
}

TEST_F(Panel_TrackPanelTests, ThePictureCopyPaintsTheWholeMapOnBlackAndKeepsTheView) {
  add_rail(data.map, 1, 0, 40, 1000, 40);
  data.map.rails[1].l_next = 1;
  panel.view().window = {300, 200};
  panel.view().offset_x = -500;
  vosk::testing::RecordingSurface s(panel.map_extent());
  panel.paint_whole_map(s);
  ASSERT_FALSE(s.ops().empty());
  EXPECT_EQ(s.ops()[0].kind, OpKind::FillRect);
  EXPECT_EQ(s.ops()[0].rect, (Rect{0, 0, 1080, 80}));
  EXPECT_EQ(s.ops()[0].colour, (Rgb{0, 0, 0}));
  EXPECT_EQ(s.ops_of(OpKind::Line).front().from, (Point{1040, 40}));  // from offset 0
  EXPECT_EQ(panel.view().offset_x, -500);
  EXPECT_EQ(panel.view().window, (Size{300, 200}));
}

}  // namespace
}  // namespace vosk::panel
