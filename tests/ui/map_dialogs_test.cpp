// The map property dialogs reached from the panel and the main menu, and the
// panel window's tools, driven as a person would with the sample open.
#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>

#include "base/sjis.h"
#include "editor_fixture.h"
#include "ui/main_menu.h"
#include "ui/panel_widget.h"
#include "ui/point_key_dialog.h"
#include "ui/rail_properties_dialog.h"
#include "ui/station_info_dialog.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using testing::Layer;
using vosk::testing::TempDir;

// The sample open in a shown editor; dialogs run through a hook that shows
// them and hands them to the test instead of running their own loop.
struct OpenSample {
  TempDir home;
  std::filesystem::path file = testing::copy_sample(home, "qvw_data/panel.qvw");
  Editor editor{home, Layer::DataSet, {file.string()}};
  std::function<void(QDialog&)> on_dialog;
  int dialogs = 0;

  OpenSample() {
    editor.window().resize(1000, 640);
    editor.window().show();
    editor.window().first_tick();
    QCoreApplication::processEvents();
    view().run_dialog = [this](QDialog& dialog) {
      ++dialogs;
      dialog.show();
      QCoreApplication::processEvents();
      if (on_dialog) on_dialog(dialog);
      return dialog.result();
    };
  }
  PanelWidget& view() { return *editor.window().view(); }
  panel::TrackPanel& panel() { return *view().panel(); }
  datafiles::DataSet& data() { return editor.data_set().data(); }
  bool edited() { return editor.data_set().state().edited; }
  QPoint pixel(int row, int x, int y) {
    const Point p = panel::item_pixel(data().map, panel().view(), row, x, y, false);
    return {p.x, p.y};
  }
  // Scrolls so that a panel position is inside the window; returns its pixel.
  QPoint bring_into_view(int row, int x, int y) {
    QPoint at = pixel(row, x, y);
    view().scroll_by(at.x() - view().canvas()->width() / 2, at.y() - view().canvas()->height() / 2);
    return pixel(row, x, y);
  }
  std::string last_text() { return editor.prompt.count() ? editor.prompt.last().text : ""; }
};

// Enter in the focused field presses the default button.
void press_enter(QDialog& dialog) {
  QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
  QTest::keyClick(target, Qt::Key_Return);
}

void keep_picture(QWidget& widget, const char* name) {
  // Pictures for a look by eye, only when asked for.
  if (const char* dir = std::getenv("VOSK_SCREENSHOT_DIR"))
    widget.grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
}

TEST(Ui_StationInfoDialogTests, AStationDrawingOpensItsStationAndRefusalsKeepItOpen) {
  OpenSample s;
  const auto& m = s.data().map;
  int drawing = 0;
  for (int n = 1; n <= m.station_draws.extent() && drawing == 0; ++n) {
    const int t = m.station_draws[n].target;
    if (m.targets.names_record(t) && m.targets[t].station != 0 && m.station_draws[n].row != 0)
      drawing = n;
  }
  ASSERT_NE(drawing, 0) << "the sample draws a station";
  const map::StationDraw& d = m.station_draws[drawing];
  const int target = d.target;
  const int station = m.targets[target].station;
  const QPoint at = s.bring_into_view(d.row, (d.left_x + d.right_x) / 2, (d.y1 + d.y2) / 2);

  s.on_dialog = [&](QDialog& shown) {
    auto& dialog = dynamic_cast<StationInfoDialog&>(shown);
    keep_picture(dialog, "station_info_dialog");
    EXPECT_EQ(dialog.target(), target);
    EXPECT_FALSE(dialog.place()->isEnabled());  // opened for this station
    EXPECT_EQ(dialog.name()->text().toStdString(), sjis::to_utf8_lossy(m.stations[station].name));
    EXPECT_GT(dialog.tracks()->count(), 0);
    // Door times out of order: told, the dialog stays, the first time has the focus.
    dialog.door_min()->setValue(30);
    dialog.door_mid()->setValue(20);
    dialog.short_name()->setFocus();
    press_enter(dialog);
    EXPECT_EQ(s.last_text(), "時間の大小関係が不正です。");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.door_min());
    // Corrected and renamed: OK stores it.
    dialog.door_min()->setValue(10);
    dialog.door_max()->setValue(40);
    dialog.name()->setText(QString::fromUtf8("新しい駅"));
    press_enter(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  };
  QTest::mouseClick(s.view().canvas(), Qt::LeftButton, Qt::NoModifier, at);
  ASSERT_EQ(s.dialogs, 1);
  EXPECT_EQ(sjis::to_utf8_lossy(m.stations[station].name), "新しい駅");
  EXPECT_EQ(sjis::to_utf8_lossy(m.targets[target].name), "新しい駅");
  EXPECT_EQ(m.stations[station].door_close_min, 10);
  EXPECT_TRUE(s.edited());

  // From the main menu the place is chosen in the dialog; Esc changes nothing.
  s.on_dialog = [&](QDialog& shown) {
    auto& dialog = dynamic_cast<StationInfoDialog&>(shown);
    EXPECT_TRUE(dialog.place()->isEnabled());
    dialog.place()->setCurrentIndex(dialog.place()->findData(target));
    EXPECT_EQ(dialog.name()->text(), QString::fromUtf8("新しい駅"));
    dialog.name()->setText("x");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
  };
  s.editor.window().run_command(cmd::kStationInfo);
  EXPECT_EQ(s.dialogs, 2);
  EXPECT_EQ(sjis::to_utf8_lossy(m.stations[station].name), "新しい駅");
}

TEST(Ui_StationInfoDialogTests, EnglishTexts) {
  OpenSample s;
  StationInfoDialog dialog(s.data(), s.editor.prompt, true, 0, nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Station Information");
  EXPECT_EQ(dialog.scale()->itemText(2), "Major");
}

// A rail of a stopping place with a twin, drawn in a row.
int stopping_rail(const datafiles::MapTables& m) {
  for (int r = 1; r <= m.rails.extent(); ++r) {
    const map::Rail& rail = m.rails[r];
    if (rail.row != 0 && rail.target != 0 && rail.l_dual != 0 && rail.stop_distance != 0 &&
        rail.direction == 2)
      return r;
  }
  return 0;
}

TEST(Ui_RailPropertiesDialogTests, TheRailMenuEditsBothSidesAndTheirDetails) {
  OpenSample s;
  auto& m = s.data().map;
  const int rail = stopping_rail(m);
  ASSERT_NE(rail, 0) << "the sample has a platform track used both ways";
  const int twin = std::abs(m.rails[rail].l_dual);
  const map::Rail& r = m.rails[rail];
  const QPoint at = s.bring_into_view(r.row, (r.row_pos_x_next + r.row_pos_x_back) / 2,
                                      (r.row_pos_y_next + r.row_pos_y_back) / 2);
  ASSERT_EQ(s.panel().rail_at({at.x(), at.y()}), rail);
  const int details = m.details.extent();

  s.view().show_menu = [](const std::vector<panel::MenuEntry>&, QPoint) {
    return int{panel::kCmdRailProperties};
  };
  s.on_dialog = [&](QDialog& shown) {
    auto& dialog = dynamic_cast<RailPropertiesDialog&>(shown);
    keep_picture(dialog, "rail_properties_dialog");
    EXPECT_TRUE(dialog.leftward().box->isEnabled());
    EXPECT_TRUE(dialog.rightward().box->isEnabled());
    EXPECT_TRUE(dialog.rightward().stop_distance->isVisible());
    // A section length of 0 is refused with the focus on the length.
    const int length = dialog.length()->value();
    dialog.length()->setValue(0);
    press_enter(dialog);
    EXPECT_EQ(s.last_text(), "区間距離は、正の値でなければなりません。\n");
    EXPECT_EQ(dialog.focusWidget(), dialog.length());
    dialog.length()->setValue(length);

    // Details of the rightward rail: one beyond the length is refused, a good
    // one is listed; replace without a selection is refused.
    dialog.detail_side()->setCurrentIndex(1);
    const int listed = dialog.detail_list()->count();
    dialog.detail_start()->setValue(0);
    dialog.detail_end()->setValue(length + 1);
    QTest::mouseClick(dialog.add_button(), Qt::LeftButton);
    EXPECT_EQ(s.last_text(), "終了位置は、区間長より小さくしてください。\n");
    EXPECT_EQ(dialog.focusWidget(), dialog.detail_end());
    dialog.detail_end()->setValue(length / 2);
    dialog.detail_limit_on()->setChecked(true);
    dialog.detail_limit()->setValue(35);
    QTest::mouseClick(dialog.add_button(), Qt::LeftButton);
    ASSERT_EQ(dialog.detail_list()->count(), listed + 1);
    EXPECT_EQ(dialog.detail_list()->item(listed)->text().toStdString(),
              "0m-" + std::to_string(length / 2) + "m: 35km/h 0‰ 0m");
    dialog.detail_list()->setCurrentRow(-1);
    QTest::mouseClick(dialog.replace_button(), Qt::LeftButton);
    EXPECT_EQ(s.last_text(), "置換する項目が選択されていません。\n");

    dialog.leftward().name->setText(QString::fromUtf8("下り本線"));
    dialog.speed_limit_on()->setChecked(true);
    dialog.speed_limit()->setValue(70);
    press_enter(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  };
  QTest::mouseClick(s.view().canvas(), Qt::RightButton, Qt::NoModifier, at);
  ASSERT_EQ(s.dialogs, 1);
  EXPECT_EQ(sjis::to_utf8_lossy(m.rails[twin].name), "下り本線");
  EXPECT_EQ(m.rails[rail].speed_limit, 70);
  EXPECT_EQ(m.rails[twin].speed_limit, 70);
  ASSERT_EQ(m.details.extent(), details + 1);
  EXPECT_EQ(m.details[details + 1].rail, rail);
  EXPECT_EQ(m.details[details + 1].speed_limit, 35);
  // The label follows the new name.
  EXPECT_EQ(sjis::to_utf8_lossy(m.rails[twin].label).rfind("下り本線", 0), 0u);
  EXPECT_TRUE(s.edited());

  // Cancel leaves the details and the rails as they were.
  s.on_dialog = [&](QDialog& shown) {
    auto& dialog = dynamic_cast<RailPropertiesDialog&>(shown);
    dialog.detail_side()->setCurrentIndex(1);
    dialog.detail_list()->setCurrentRow(0);
    QTest::mouseClick(dialog.delete_button(), Qt::LeftButton);
    dialog.speed_limit()->setValue(20);
    dialog.reject();
  };
  QTest::mouseClick(s.view().canvas(), Qt::RightButton, Qt::NoModifier, at);
  EXPECT_EQ(m.details.extent(), details + 1);
  EXPECT_EQ(m.rails[rail].speed_limit, 70);
}

TEST(Ui_PointKeyDialogTests, ThePointMenuSetsAKeyThatNoOtherKeyBegins) {
  OpenSample s;
  auto& m = s.data().map;
  int point = 0, other = 0;
  for (int n = 1; n <= m.points.extent(); ++n) {
    if (m.points[n].key.empty()) continue;
    (point == 0 ? point : other) = n;
    if (other) break;
  }
  ASSERT_NE(other, 0) << "the sample has two points with keys";
  const map::Point& p = m.points[point];
  const QPoint at = s.bring_into_view(p.symbol_row, p.symbol_x, p.symbol_y) + QPoint(0, 4);
  ASSERT_EQ(s.panel().hit({at.x(), at.y()}).kind, panel::PanelHit::PointSymbol);
  const std::string other_key = m.points[other].key;

  s.view().show_menu = [](const std::vector<panel::MenuEntry>&, QPoint) {
    return int{panel::kCmdPointKey};
  };
  s.on_dialog = [&](QDialog& shown) {
    auto& dialog = dynamic_cast<PointKeyDialog&>(shown);
    keep_picture(dialog, "point_key_dialog");
    dialog.key()->setText(QString::fromStdString(sjis::to_utf8_lossy(other_key)));
    press_enter(dialog);
    EXPECT_EQ(s.editor.prompt.last().caption, "ポイントキー設定エラー");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.key());
    dialog.key()->setText("ZQ9");
    press_enter(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  };
  QTest::mouseClick(s.view().canvas(), Qt::RightButton, Qt::NoModifier, at);
  ASSERT_EQ(s.dialogs, 1);
  EXPECT_EQ(m.points[point].key, "ZQ9");
  EXPECT_TRUE(s.edited());

  // 位置修正: the request shows above the panel until the click places it.
  s.view().show_menu = [](const std::vector<panel::MenuEntry>&, QPoint) {
    return int{panel::kCmdPointMove};
  };
  QTest::mouseClick(s.view().canvas(), Qt::RightButton, Qt::NoModifier, at);
  EXPECT_TRUE(s.view().status_line()->isVisible());
  EXPECT_EQ(s.view().status_line()->text(),
            QString::fromUtf8("ポイント記号の表示位置を、クリックして下さい。"));
  const int x = m.points[point].symbol_x;
  QTest::mouseClick(s.view().canvas(), Qt::LeftButton, Qt::NoModifier, at + QPoint(30, 0));
  EXPECT_EQ(m.points[point].symbol_x, x + 30);  // at the window's scale of 1
  EXPECT_FALSE(s.view().status_line()->isVisible());
}

TEST(Ui_PanelToolBarTests, RowToolsZoomAndTheToolBarSwitch) {
  OpenSample s;
  PanelToolBar& tools = *s.view().tool_bar();
  EXPECT_TRUE(tools.isVisible());
  keep_picture(s.editor.window(), "panel_with_tools");

  tools.action(PanelTool::AutoRow)->trigger();
  EXPECT_GT(s.data().map.rows.extent(), 1);  // the sample is wider than the window
  EXPECT_TRUE(s.edited());
  tools.action(PanelTool::ClearRow)->trigger();
  EXPECT_EQ(s.data().map.rows.extent(), 1);

  // While another window is busy the row tools only say so.
  const std::size_t boxes = s.editor.prompt.count();
  s.editor.state().busy.lock(shell::BusyState::TimetableWindow);
  tools.action(PanelTool::AutoRow)->trigger();
  tools.action(PanelTool::RowPause)->trigger();
  s.editor.state().busy.unlock();
  EXPECT_EQ(s.data().map.rows.extent(), 1);
  EXPECT_FALSE(tools.action(PanelTool::RowPause)->isChecked());
  ASSERT_EQ(s.editor.prompt.count(), boxes + 2);
  EXPECT_EQ(s.editor.prompt.last().text, "時刻表ウインドウが作業中です。\n");

  const int scale = s.panel().view().scale_x;
  tools.action(PanelTool::WiderX)->trigger();
  EXPECT_EQ(s.panel().view().scale_x, scale + panel::kZoomStep);
  tools.action(PanelTool::ShorterY)->trigger();

  // Row Pause asks for the row's end above the panel; a right click moves on.
  tools.action(PanelTool::RowPause)->trigger();
  EXPECT_TRUE(tools.action(PanelTool::RowPause)->isChecked());
  EXPECT_TRUE(s.view().status_line()->isVisible());
  EXPECT_TRUE(s.view().status_line()->text().startsWith(QString::fromUtf8("1行目の右端")));
  QTest::mouseClick(s.view().canvas(), Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
  EXPECT_EQ(s.panel().current_row(), 1);  // one row: it wraps to itself
  tools.action(PanelTool::RowPosition)->trigger();
  EXPECT_FALSE(tools.action(PanelTool::RowPause)->isChecked());
  tools.action(PanelTool::RowPosition)->trigger();
  EXPECT_FALSE(s.view().status_line()->isVisible());

  // The View menu runs the same on the main window's panel, with its marks.
  s.editor.window().run_command(cmd::kAutoRow);
  EXPECT_GT(s.data().map.rows.extent(), 1);
  s.editor.window().run_command(cmd::kRowPause);
  EXPECT_EQ(s.panel().row_mode(), panel::RowMode::Pause);
  EXPECT_TRUE(s.editor.window().action(cmd::kRowPause)->isChecked());
  EXPECT_TRUE(tools.action(PanelTool::RowPause)->isChecked());
  tools.action(PanelTool::RowPause)->trigger();
  EXPECT_FALSE(s.editor.window().action(cmd::kRowPause)->isChecked());

  // The context menu's switch hides the tools.
  s.view().show_menu = [](const std::vector<panel::MenuEntry>&, QPoint) {
    return int{panel::kCmdToolBar};
  };
  QTest::mouseClick(s.view().canvas(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_FALSE(tools.isVisible());
  EXPECT_FALSE(s.panel().view().tool_bar);
}

}  // namespace
}  // namespace vosk::ui
