#include "ui/panel_widget.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "base/sjis.h"
#include "editor_fixture.h"
#include "support/recording_surface.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using testing::Layer;
using vosk::testing::TempDir;

constexpr QRgb kBlack = 0xFF000000;

// The sample opened from the command line in a shown editor.
struct OpenSample {
  TempDir home;
  std::filesystem::path file = testing::copy_sample(home, "qvw_data/panel.qvw");
  Editor editor{home, Layer::DataSet, {file.string()}};

  OpenSample() {
    editor.window().resize(900, 600);
    editor.window().show();
    editor.window().first_tick();
    QCoreApplication::processEvents();
  }
  PanelWidget& view() { return *editor.window().view(); }
  panel::TrackPanel& panel() { return *view().panel(); }
  datafiles::DataSet& data() { return editor.data_set().data(); }
  // The window pixel of an item, as the panel places it.
  QPoint pixel(int row, int x, int y) {
    const Point p = panel::item_pixel(data().map, panel().view(), row, x, y, false);
    return {p.x, p.y};
  }
  // A route lever of its own on the first drawn rail, above its back end,
  // shown on an interlocking panel; 0 when no rail is drawn.
  int show_a_lever() {
    data().header.map.use_interlocking = 1;
    panel().view().inter_view = 1;
    datafiles::MapTables& m = data().map;
    for (int r = 1; r <= m.rails.extent(); ++r) {
      map::Rail& rail = m.rails[r];
      if (rail.row == 0 || (rail.l_next == 0 && rail.l_back == 0)) continue;
      const int n = m.route_levers.extent() + 1;
      map::RouteLever& lever = m.route_levers.grow_to(n);
      lever.direction = rail.direction;
      lever.lever_shown = 1;
      lever.lever_row = rail.row;
      lever.lever_x = std::min(rail.row_pos_x_back, rail.row_pos_x_next) + 20;
      lever.lever_y = rail.row_pos_y_back - 20;
      rail.route_lever = n;
      return r;
    }
    return 0;
  }
  map::RouteLever& lever_of(int rail) {
    return data().map.route_levers[data().map.rails[rail].route_lever];
  }
  QPoint lever_pixel(int rail) {
    const map::RouteLever& l = lever_of(rail);
    return pixel(l.lever_row, l.lever_x, l.lever_y);
  }
  std::string newest_message() { return sjis::to_utf8_lossy(editor.state().messages.line_back(0)); }
};

TEST(Ui_PanelWidgetTests, TheClientAreaShowsTheOpenDataSetsPanel) {
  TempDir home;
  Editor empty(home, Layer::DataSet);
  EXPECT_EQ(empty.window().view()->panel(), nullptr);
  EXPECT_FALSE(empty.window().view()->horizontal_bar()->isVisibleTo(empty.window().view()));

  OpenSample s;
  ASSERT_NE(s.view().panel(), nullptr);
  // Rails, stations and keys on black, nothing of the account text.
  const QImage picture = s.view().canvas()->picture();
  EXPECT_EQ(picture.size(), s.view().canvas()->size());
  EXPECT_EQ(picture.pixel(picture.width() - 1, picture.height() - 1), kBlack);
  EXPECT_GT(testing::ink_pixels(picture, kBlack), 2000);
  vosk::testing::RecordingSurface recorded;
  s.view().canvas()->draw(recorded);
  for (const std::string& text : recorded.texts())
    EXPECT_EQ(text.find("データセット"), std::string::npos) << text;
  // The panel knows its window's size, and the scroll bars cover the map.
  EXPECT_EQ(s.panel().view().window.width, s.view().canvas()->width());
  EXPECT_EQ(s.view().horizontal_bar()->maximum(),
            std::max(0, s.panel().map_extent().width - s.view().canvas()->width()));
}

TEST(Ui_PanelWidgetTests, ScrollBarsWheelAndShiftArrowsMoveAndZoomTheView) {
  OpenSample s;
  QScrollBar& bar = *s.view().horizontal_bar();
  ASSERT_GT(bar.maximum(), 40) << "the sample is wider than the window";
  const QImage before = s.view().canvas()->picture();
  bar.setValue(40);
  EXPECT_EQ(s.panel().view().offset_x, -40);
  EXPECT_NE(s.view().canvas()->picture(), before);  // redrawn at the new scroll
  QTest::keyClick(s.view().canvas(), Qt::Key_Right);
  EXPECT_EQ(s.panel().view().offset_x, -60);
  EXPECT_EQ(bar.value(), 60);
  // Scrolling stops at the ends of the ranges.
  s.view().scroll_by(-1000, -1000);
  EXPECT_EQ(s.panel().view().offset_x, 0);
  EXPECT_EQ(s.panel().view().offset_y, 0);

  const int scale_x = s.panel().view().scale_x, scale_y = s.panel().view().scale_y;
  QTest::keyClick(s.view().canvas(), Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(s.view().canvas(), Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(s.panel().view().scale_x, scale_x + panel::kZoomStep);
  EXPECT_EQ(s.panel().view().scale_y, scale_y - panel::kZoomStep);
  EXPECT_EQ(s.panel().view().offset_x, 0);  // zooming does not scroll
}

TEST(Ui_PanelWidgetTests, ClicksOnALeverReachTheController) {
  OpenSample s;
  const int rail = s.show_a_lever();
  ASSERT_NE(rail, 0);
  s.view().redraw();
  const QPoint at = s.lever_pixel(rail);
  ASSERT_TRUE(s.view().canvas()->rect().contains(at)) << at.x() << "," << at.y();
  ASSERT_EQ(s.panel().hit({at.x(), at.y()}).kind, panel::PanelHit::Lever);

  // Ctrl+click: the lever's control mode advances, told in the message
  // window; the data set is edited and the title says so.
  const int mode = s.lever_of(rail).mode;
  QTest::mouseClick(s.view().canvas(), Qt::LeftButton, Qt::ControlModifier, at);
  EXPECT_EQ(s.lever_of(rail).mode, mode == 0 ? 1 : mode == 1 ? 2 : 0);
  EXPECT_NE(s.newest_message().find("制御に設定されました。"), std::string::npos);
  EXPECT_TRUE(s.editor.data_set().state().edited);
  EXPECT_TRUE(s.editor.window().windowTitle().endsWith(QString::fromUtf8("（更新）")));

  // A plain click on a lever without a route makes it the pending start; a
  // second click on it lets it go again.
  s.lever_of(rail).current_route = 0;
  QTest::mouseClick(s.view().canvas(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(s.panel().pending_start(), rail);
  QTest::mouseClick(s.view().canvas(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(s.panel().pending_start(), 0);

  // While another window holds the busy lock the click is refused with a box.
  const std::size_t boxes = s.editor.prompt.count();
  s.editor.state().busy.lock(shell::BusyState::DiaEditWindow);
  QTest::mouseClick(s.view().canvas(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(s.panel().pending_start(), 0);
  ASSERT_EQ(s.editor.prompt.count(), boxes + 1);
  EXPECT_EQ(s.editor.prompt.last().caption, "操作エラー");
  s.editor.state().busy.unlock();
}

TEST(Ui_PanelWidgetTests, TheContextMenuIsBuiltFromTheControllersEntries) {
  OpenSample s;
  const int rail = s.show_a_lever();
  ASSERT_NE(rail, 0);
  s.view().redraw();
  std::vector<panel::MenuEntry> shown;
  int choose = 0;
  s.view().show_menu = [&](const std::vector<panel::MenuEntry>& entries, QPoint) {
    shown = entries;
    return choose;
  };
  const QPoint at = s.lever_pixel(rail);
  const int was_shown = s.lever_of(rail).lever_shown;
  QTest::mouseClick(s.view().canvas(), Qt::RightButton, Qt::NoModifier, at);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front().id, 0);  // the lever's caption
  EXPECT_EQ(shown.back().text, "新規ウインドウ－位置(&P)");
  EXPECT_EQ(s.lever_of(rail).lever_shown, was_shown);  // nothing chosen, nothing done
  EXPECT_FALSE(s.editor.data_set().state().edited);

  choose = panel::kCmdLeverShown;
  QTest::mouseClick(s.view().canvas(), Qt::RightButton, Qt::NoModifier, at);
  EXPECT_EQ(s.lever_of(rail).lever_shown, was_shown ? 0 : 1);
  EXPECT_TRUE(s.editor.data_set().state().edited);
}

TEST(Ui_PanelWidgetTests, TypedPointKeysShowInTheTitleAndOperateThePoint) {
  OpenSample s;
  int point = 0;
  for (int n = 1; n <= s.data().map.points.extent() && point == 0; ++n) {
    const map::Point& p = s.data().map.points[n];
    if (p.key.size() >= 2 && p.position_count == 2) point = n;
  }
  ASSERT_NE(point, 0) << "the sample has a two-way point with a key";
  map::Point& p = s.data().map.points[point];
  for (int i = 0; i < p.rail_count; ++i) {  // nothing locks it
    map::Rail& r = s.data().map.rails[p.rails[static_cast<std::size_t>(i)]];
    r.occupant = 0;
    if (s.data().map.prails.names_record(r.l_pack)) s.data().map.prails[r.l_pack].lever = 0;
  }
  // Typed keys operate points only outside the interlocking mode the sample
  // comes in.
  s.data().header.map.use_interlocking = 0;
  const std::string key = p.key;
  const int position = p.position;
  QTest::keyClicks(s.view().canvas(), QString::fromStdString(key.substr(0, key.size() - 1)));
  EXPECT_EQ(s.editor.window().windowTitle(),
            QString::fromUtf8("入力ポイントキー：") + QString::fromStdString(key.substr(0, key.size() - 1)));
  QTest::keyClick(s.view().canvas(), Qt::Key_Backspace);
  QTest::keyClicks(s.view().canvas(), QString::fromStdString(key));
  EXPECT_EQ(s.data().map.points[point].position, (position + 1) % 2);
  EXPECT_TRUE(s.panel().key_buffer().text().empty());
  EXPECT_FALSE(s.editor.window().windowTitle().contains(QString::fromUtf8("入力ポイントキー")));
  // Esc empties a half-typed key.
  QTest::keyClick(s.view().canvas(), Qt::Key_Slash);
  EXPECT_FALSE(s.panel().key_buffer().text().empty());
  QTest::keyClick(s.view().canvas(), Qt::Key_Escape);
  EXPECT_TRUE(s.panel().key_buffer().text().empty());
}

TEST(Ui_PanelWidgetTests, F2CopiesTheWholeMapToTheClipboard) {
  OpenSample s;
  QGuiApplication::clipboard()->clear();
  s.view().scroll_by(60, 0);
  QTest::keyClick(s.view().canvas(), Qt::Key_F2);
  const QImage copied = QGuiApplication::clipboard()->image();
  ASSERT_FALSE(copied.isNull());
  const Size extent = s.panel().map_extent();
  EXPECT_EQ(copied.size(), QSize(extent.width, extent.height));
  EXPECT_GT(copied.width(), s.view().canvas()->width());  // more than the visible part
  EXPECT_GT(testing::ink_pixels(copied.convertToFormat(QImage::Format_RGB32), kBlack), 2000);
  // The view is left as it was.
  EXPECT_EQ(s.panel().view().offset_x, -60);
  EXPECT_EQ(s.panel().view().window.width, s.view().canvas()->width());
}

TEST(Ui_PanelWidgetTests, ReopeningGivesAFreshPanel) {
  OpenSample s;
  const int rail = s.show_a_lever();
  ASSERT_NE(rail, 0);
  s.lever_of(rail).current_route = 0;
  s.view().redraw();
  QTest::mouseClick(s.view().canvas(), Qt::LeftButton, Qt::NoModifier, s.lever_pixel(rail));
  ASSERT_EQ(s.panel().pending_start(), rail);
  s.editor.data_set().open(s.file.string());
  s.view().reload();
  ASSERT_NE(s.view().panel(), nullptr);
  EXPECT_EQ(s.panel().pending_start(), 0);
  EXPECT_EQ(s.panel().view().offset_x, 0);
}

}  // namespace
}  // namespace vosk::ui
