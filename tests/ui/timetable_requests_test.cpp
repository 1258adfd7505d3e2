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
using testing::Layer;
using timetable::RowKind;
using vosk::testing::TempDir;

class Ui_TimetableRequestsTests : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.write("korv.ini", "[Setting]\r\nBackupFile=0\r\n");
    const auto file = testing::copy_sample(home_, "qvw_data/sample.qvw");
    editor_ =
        std::make_unique<Editor>(home_, Layer::DataSet, std::vector<std::string>{file.string()});
    editor_->window().first_tick();
    if (!editor_->window().timetable_window()) editor_->window().run_command(cmd::kTimetableWindow);
    window_ = editor_->window().timetable_window();
    if (!window_) throw std::runtime_error("the timetable window did not open");
    window_->resize(900, 900);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_));
    window_->view()->redraw();
  }

  datafiles::DataSet& data() { return *editor_->data_set().data_set(); }
  timetable::TimetableController& timetable() { return window_->timetable(); }

  struct Found {
    QPoint at;
    timetable::Selection cell;
    int event = -1;
  };

  // The first table cell of a run (read by selecting it in the controller)
  // that `wanted` accepts; the selection is cleared again.
  std::optional<Found> find_cell(const std::function<bool(const Found&)>& wanted) {
    for (int y = 1; y < window_->view()->height(); y += 4)
      for (int x = 1; x < window_->view()->width(); x += 4) {
        const auto hit = timetable().hit_test({x, y});
        if (!hit || hit->run == 0 || hit->kind != timetable::SlotKind::Row) continue;
        timetable().clear_selection();
        if (timetable().click({x, y}).kind != timetable::ClickResult::Selected) continue;
        Found f{QPoint(x, y), timetable().selection(), -1};
        f.event = timetable().cell_event(f.cell.run, f.cell.target, f.cell.row);
        timetable().clear_selection();
        if (wanted(f)) return f;
      }
    return std::nullopt;
  }

  std::optional<QPoint> find_slot(bool station_lane, timetable::SlotKind kind) const {
    const auto& c = window_->timetable();
    for (int y = 1; y < window_->view()->height(); y += 3)
      for (int x = 1; x < window_->view()->width(); x += 3) {
        const auto hit = c.hit_test({x, y});
        if (hit && hit->slot >= 0 && hit->kind == kind && (hit->run == 0) == station_lane)
          return QPoint(x, y);
      }
    return std::nullopt;
  }

  const dia::DiaEvent& event_of(const Found& f) {
    return data().dia.diagrams[f.cell.run].events[static_cast<std::size_t>(f.event)];
  }

  TempDir home_;
  std::unique_ptr<Editor> editor_;
  TimetableWindow* window_ = nullptr;
};

TEST_F(Ui_TimetableRequestsTests, AStationRowOpensItsStationDialogAndTheTablesFollowIt) {
  const std::optional<QPoint> at = find_slot(true, timetable::SlotKind::Row);
  ASSERT_TRUE(at);
  const int target = timetable().click({at->x(), at->y()}).target;
  ASSERT_GT(target, 0);
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
  EXPECT_TRUE(editor_->data_set().state().edited);
  EXPECT_EQ(timetable().tables().down.rows.size(), rows + 1);  // its track row "番"
}

TEST_F(Ui_TimetableRequestsTests, EnterTypesTheCellsTimeAsOneUndoStepOfTheDiaEditWindow) {
  editor_->window().run_command(cmd::kDiaEdit);
  DiaEditWindow* edit = editor_->window().dia_edit_window();
  ASSERT_NE(edit, nullptr);
  const std::optional<Found> cell = find_cell([&](const Found& f) {
    return f.cell.row == RowKind::Departure && f.event > 0 && event_of(f).type == dia::kEventStop &&
           data().dia.diagrams[f.cell.run].applied_pattern == 0;
  });
  ASSERT_TRUE(cell);
  const int typed = event_of(*cell).time + 60;
  editor_->prompt.script({Answer::No});  // 次駅以降の時刻を自動で修正しますか？
  QTest::mouseClick(window_->view(), Qt::LeftButton, {}, cell->at);
  ASSERT_EQ(timetable().selection().run, cell->cell.run);
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TimeInputDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->time_field()->setText(QString::fromStdString(timetext::format(typed, true)));
    dialog->accept();
  });
  QTest::keyClick(window_->view(), Qt::Key_Return);
  EXPECT_EQ(event_of(*cell).time, typed);
  EXPECT_EQ(edit->controller().diagram(), cell->cell.run);
  EXPECT_EQ(edit->controller().history().undo_steps(), 1u);
  EXPECT_TRUE(editor_->data_set().state().edited);
  EXPECT_FALSE(editor_->state().busy.held());
}

TEST_F(Ui_TimetableRequestsTests, ASecondClickOnATrackCellMovesTheStopToAnotherTrack) {
  // Every station shows its tracks; a stop behind a point can change track.
  for (int t = 1; t <= data().map.targets.extent(); ++t)
    data().map.targets[t].show_track_numbers = data().map.targets[t].tracks.size() > 1;
  window_->data_changed();
  window_->view()->redraw();
  std::optional<int> old_rail;
  const std::optional<Found> cell = find_cell([&](const Found& f) {
    if (f.cell.row != RowKind::Track || f.event <= 0 || event_of(f).type != dia::kEventStop ||
        data().dia.diagrams[f.cell.run].applied_pattern != 0)
      return false;
    const auto& events = data().dia.diagrams[f.cell.run].events;
    for (std::size_t j = static_cast<std::size_t>(f.event); j-- > 0;)
      if (events[j].type == dia::kEventPoint || events[j].type == dia::kEventPointBoth) return true;
    return false;
  });
  ASSERT_TRUE(cell) << "the sample has no stop behind a point";
  old_rail = event_of(*cell).rail;
  const int run = cell->cell.run;
  QTest::mouseClick(window_->view(), Qt::LeftButton, {}, cell->at);  // selects
  ASSERT_EQ(timetable().selection().row, RowKind::Track);
  EXPECT_FALSE(editor_->data_set().state().edited);
  QTest::mouseClick(window_->view(), Qt::LeftButton, {}, cell->at);  // changes the track
  ASSERT_TRUE(editor_->data_set().state().edited)
      << (editor_->prompt.count() ? editor_->prompt.last().text : "nothing told");
  int new_rail = 0;
  for (const dia::DiaEvent& e : data().dia.diagrams[run].events)
    if (e.type == dia::kEventStop && e.rail > 0 &&
        data().map.rails[e.rail].target == cell->cell.target) {
      new_rail = e.rail;
      break;
    }
  EXPECT_NE(new_rail, 0);
  EXPECT_NE(new_rail, *old_rail);
}

TEST_F(Ui_TimetableRequestsTests, ARunsHeaderOpensTheDiaEditWindowOnItsInformation) {
  ASSERT_EQ(editor_->window().dia_edit_window(), nullptr);
  const std::optional<QPoint> header = find_slot(false, timetable::SlotKind::TrainNumber);
  ASSERT_TRUE(header);
  // Whatever the information operation shows is closed again.
  QTimer::singleShot(0, [] {
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
