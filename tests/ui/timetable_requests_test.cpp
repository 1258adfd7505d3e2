// What the timetable window asks of other windows, answered on the sample:
// the station dialog of a station row, the time input of a cell (Enter),
// the track change of a stop (a second click on its track cell) and the
// information operation of a run's header.
#include "ui/timetable_requests.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <stdexcept>

#include "base/time_text.h"
#include "editor_fixture.h"
#include "ui/dia_edit_dialogs.h"
#include "ui/main_menu.h"
#include "ui/station_info_dialog.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using timetable::RowKind;

class Ui_TimetableRequestsTests : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.write("korv.ini", "[Setting]\r\nBackupFile=0\r\n");
    editor_ = testing::open_sample(home_);
    if (!editor_->window().timetable_window()) editor_->window().run_command(cmd::kTimetableWindow);
    window_ = editor_->window().timetable_window();
    if (!window_) throw std::runtime_error("the timetable window did not open");
    window_->resize(900, 900);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_));
    window_->view()->redraw();
  }

  datafiles::DataSet& data() { return *editor_->data_set().data_set(); }
  timetable::TimetableController& timetable() { return window_->timetable(); }

  // The first point of the view whose hit `wanted` accepts.
  std::optional<QPoint> find(const std::function<bool(const timetable::TableHit&, Point)>& wanted) {
    for (int y = 1; y < window_->view()->height(); y += 4)
      for (int x = 1; x < window_->view()->width(); x += 4)
        if (const auto hit = timetable().hit_test({x, y});
            hit && hit->slot >= 0 && wanted(*hit, {x, y}))
          return QPoint(x, y);
    return std::nullopt;
  }

  // A table cell of a run whose row and event `wanted` accepts (read by
  // selecting it in the controller; the selection is cleared again).
  std::optional<QPoint> find_cell(
      RowKind row, const std::function<bool(const dia::Diagram&, std::size_t)>& wanted) {
    return find([&](const timetable::TableHit& hit, Point at) {
      if (hit.run == 0 || hit.kind != timetable::SlotKind::Row) return false;
      timetable().clear_selection();
      timetable().click(at);
      const timetable::Selection s = timetable().selection();
      timetable().clear_selection();
      const int e = timetable().cell_event(s.run, s.target, s.row);
      const dia::Diagram& d = data().dia.diagrams[s.run];
      return s.row == row && e > 0 && d.applied_pattern == 0 &&
             wanted(d, static_cast<std::size_t>(e));
    });
  }

  bool edited() { return editor_->data_set().state().edited; }

  vosk::testing::TempDir home_;
  std::unique_ptr<Editor> editor_;
  TimetableWindow* window_ = nullptr;
};

TEST_F(Ui_TimetableRequestsTests, AStationRowOpensItsStationDialogAndTheTablesFollowIt) {
  const auto at = find([](const timetable::TableHit& hit, Point) {
    return hit.run == 0 && hit.kind == timetable::SlotKind::Row;
  });
  ASSERT_TRUE(at);
  const int target = timetable().click({at->x(), at->y()}).target;
  ASSERT_FALSE(data().map.targets[target].show_track_numbers);
  const std::size_t rows = timetable().tables().down.rows.size();
  int shown = 0;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<StationInfoDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    shown = dialog->target();
    dialog->show_track_numbers()->setChecked(true);
    dialog->accept();
  });
  QTest::mouseClick(window_->view(), Qt::LeftButton, {}, *at);
  EXPECT_EQ(shown, target);
  EXPECT_TRUE(data().map.targets[target].show_track_numbers);
  EXPECT_TRUE(edited());
  EXPECT_EQ(timetable().tables().down.rows.size(), rows + 1);  // its track row "番"
}

TEST_F(Ui_TimetableRequestsTests, EnterTypesTheCellsTimeAsOneUndoStepOfTheDiaEditWindow) {
  editor_->window().run_command(cmd::kDiaEdit);
  DiaEditWindow* edit = editor_->window().dia_edit_window();
  ASSERT_NE(edit, nullptr);
  const auto at = find_cell(RowKind::Departure, [](const dia::Diagram& d, std::size_t e) {
    return d.events[e].type == dia::kEventStop;
  });
  ASSERT_TRUE(at);
  QTest::mouseClick(window_->view(), Qt::LeftButton, {}, *at);
  const timetable::Selection cell = timetable().selection();
  const auto time_now = [&] {
    const int e = timetable().cell_event(cell.run, cell.target, cell.row);
    return data().dia.diagrams[cell.run].events[static_cast<std::size_t>(e)].time;
  };
  const int typed = time_now() + 60;
  editor_->prompt.script({Answer::No});  // 次駅以降の時刻を自動で修正しますか？
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TimeInputDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->time_field()->setText(QString::fromStdString(timetext::format(typed, true)));
    dialog->accept();
  });
  QTest::keyClick(window_->view(), Qt::Key_Return);
  EXPECT_EQ(time_now(), typed);
  EXPECT_EQ(edit->controller().diagram(), cell.run);
  EXPECT_EQ(edit->controller().history().undo_steps(), 1u);
  EXPECT_TRUE(edited());
  EXPECT_FALSE(editor_->state().busy.held());
}

TEST_F(Ui_TimetableRequestsTests, ASecondClickOnATrackCellMovesTheStopToAnotherTrack) {
  for (int t = 1; t <= data().map.targets.extent(); ++t)
    data().map.targets[t].show_track_numbers = data().map.targets[t].tracks.size() > 1;
  window_->data_changed();
  window_->view()->redraw();
  const auto behind_a_point = [](const dia::Diagram& d, std::size_t e) {
    if (d.events[e].type != dia::kEventStop) return false;
    while (e-- > 0)
      if (d.events[e].type == dia::kEventPoint || d.events[e].type == dia::kEventPointBoth)
        return true;
    return false;
  };
  const auto at = find_cell(RowKind::Track, behind_a_point);
  ASSERT_TRUE(at) << "the sample has no stop behind a point";
  QTest::mouseClick(window_->view(), Qt::LeftButton, {}, *at);  // selects
  const timetable::Selection cell = timetable().selection();
  const auto rail_now = [&] {
    const int e = timetable().cell_event(cell.run, cell.target, cell.row);
    return data().dia.diagrams[cell.run].events[static_cast<std::size_t>(e)].rail;
  };
  const int before = rail_now();
  EXPECT_FALSE(edited());
  QTest::mouseClick(window_->view(), Qt::LeftButton, {}, *at);  // changes the track
  ASSERT_TRUE(edited()) << (editor_->prompt.count() ? editor_->prompt.last().text : "");
  EXPECT_NE(rail_now(), before);
  EXPECT_EQ(data().map.rails[rail_now()].target, cell.target);
  // With the dia edit window closed the change is still an undo step.
  ASSERT_EQ(editor_->window().dia_edit_window(), nullptr);
  dia::UndoHistory& history = editor_->window().dia_history();
  ASSERT_EQ(history.undo_steps(), 1u);
  ASSERT_TRUE(history.undo(data().dia));
  EXPECT_EQ(rail_now(), before);
}

TEST_F(Ui_TimetableRequestsTests, ARunsHeaderOpensTheDiaEditWindowOnItsInformation) {
  ASSERT_EQ(editor_->window().dia_edit_window(), nullptr);
  const auto header = find([](const timetable::TableHit& hit, Point) {
    return hit.run != 0 && hit.kind == timetable::SlotKind::TrainNumber;
  });
  ASSERT_TRUE(header);
  QTimer::singleShot(0, [] {  // whatever the information operation shows
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  QTest::mouseClick(window_->view(), Qt::LeftButton, {}, *header);
  const int run = timetable().selection().run;
  ASSERT_GT(run, 0);
  DiaEditWindow* edit = editor_->window().dia_edit_window();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->controller().diagram(), run);
  EXPECT_FALSE(editor_->state().busy.held());
}

}  // namespace
}  // namespace vosk::ui
