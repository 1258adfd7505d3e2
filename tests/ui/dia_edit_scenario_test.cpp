// A planner's session with the sample: a new working after the last run of
// a formation, its stops and times set in the dia edit window, a formation
// coupled at the rear, undo and redo, save, and the saved file opened again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <stdexcept>

#include "base/time_text.h"
#include "dia/dia_operations.h"
#include "diaedit/run_operations.h"
#include "editor_fixture.h"
#include "ui/dia_edit_dialogs.h"
#include "ui/dia_edit_window.h"
#include "ui/formation_dialog.h"
#include "ui/main_menu.h"
#include "ui/pattern_dialogs.h"
#include "ui/run_settings_dialog.h"
#include "ui/undoable_edits.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using vosk::testing::TempDir;

class Ui_DiaEditScenarioTests : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.write("korv.ini", "[Setting]\r\nBackupFile=0\r\n");
    editor_ = testing::open_sample(home_, &file_);
    if (!editor_->window().graph_window()) editor_->window().run_command(cmd::kTrainGraphWindow);
    editor_->window().run_command(cmd::kDiaEdit);
    window_ = editor_->window().dia_edit_window();
    if (!window_) throw std::runtime_error("the dia edit window did not open");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    window_->resize(720, 1000);  // room for a whole run
    QApplication::processEvents();
  }

  datafiles::DataSet& data() { return *editor_->data_set().data_set(); }
  const dia::Diagram& run(int n) { return data().dia.diagrams[n]; }
  GraphWindow& graph() { return *editor_->window().graph_window(); }

  // Selects run n in the train graph as a click on its line would.
  void select_in_graph(int n) {
    graph().graph().select(n);
    graph().view()->redraw();
  }

  // An intermediate event of run n that a click makes a pass (or, when it
  // passes, a stop), with the cell to click; -1 when it has none.
  std::pair<int, diaedit::CellAction> changeable_event(int n) {
    QApplication::processEvents();
    // 着 first: the stop keeps its running times, so the run can be measured.
    for (diaedit::CellAction a : {diaedit::CellAction::ArrivalDeparture, diaedit::CellAction::Stop,
                                  diaedit::CellAction::Pass})
      for (int i = 1; i + 1 < static_cast<int>(run(n).event_count()); ++i)
        if (has_cell(a, i)) return {i, a};
    return {-1, diaedit::CellAction::Pass};
  }

  // The graph's 次運用新規 (164 同方向, else 165 逆方向) on the last run of a formation's
  // working, taken back with the dia edit window's undo until the new run
  // is timed and has a stop or pass to change; the new run.
  int new_next_working() {
    const auto& diagrams = data().dia.diagrams;
    for (int n = 1; n <= diagrams.extent(); ++n) {
      const dia::Diagram& d = diagrams[n];
      if (!d.in_use() || d.run.owning_unit == 0 || d.next_working != 0 || d.coupled_ahead != 0 ||
          d.coupled_behind != 0 || d.pattern_template != 0)
        continue;
      select_in_graph(n);
      for (auto command : {diaedit::WorkingCommand::NewNextSameDirection,
                           diaedit::WorkingCommand::NewNextOppositeDirection}) {
        Q_EMIT graph().view()->working_item_chosen(n, static_cast<int>(command));
        const int next = run(n).next_working;
        if (next == 0) continue;
        EXPECT_EQ(window_->controller().diagram(), next);
        // 情報: the new run takes the number, types and speed of its predecessor
        // and is timed with them.
        set_information(next, "9901", run(n).train_type, run(n).speed_type);
        const dia::Diagram& r = run(next);
        if (r.events[r.event_count() - 1].time != 0 && changeable_event(next).first > 0) {
          last_ = n;
          return next;
        }
        window_->run_command(diaedit::kCmdUndo);
        window_->run_command(diaedit::kCmdUndo);
        EXPECT_EQ(run(n).next_working, 0);
        select_in_graph(n);
      }
    }
    throw std::runtime_error("no working of the sample can be continued");
  }

  // The dia settings dialog of the edited run n, filled in and confirmed.
  void set_information(int n, const char* number, int train_type, int speed_type) {
    ASSERT_EQ(window_->controller().diagram(), n);
    bool shown = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<RunSettingsDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      shown = true;
      dialog->train_number()->setText(QString::fromLatin1(number));
      dialog->train_type()->setCurrentIndex(dialog->train_type()->findData(train_type));
      dialog->speed_type()->setCurrentIndex(dialog->speed_type()->findData(speed_type));
      dialog->accept();
    });
    window_->run_command(diaedit::kCmdInfo);
    ASSERT_TRUE(shown);
    EXPECT_EQ(run(n).train_number, number);
    EXPECT_EQ(window_->controller().history().undo_name(), "ダイヤ情報");
  }

  void click_cell(diaedit::CellAction action, int event) {
    QApplication::processEvents();
    for (const diaedit::Cell& c : window_->controller().last_layout().cells) {
      if (c.action != action || c.event != event) continue;
      QTest::mouseClick(window_->view(), Qt::LeftButton, {},
                        QPoint((c.rect.left + c.rect.right) / 2, (c.rect.top + c.rect.bottom) / 2));
      return;
    }
    FAIL() << "no such cell on event " << event;
  }

  bool has_cell(diaedit::CellAction action, int event) {
    for (const diaedit::Cell& c : window_->controller().last_layout().cells)
      if (c.action == action && c.event == event) return true;
    return false;
  }

  int units_in_use() {
    int count = 0;
    for (const dia::Unit& u : data().dia.units) count += u.train != 0 ? 1 : 0;
    return count;
  }

  TempDir home_;
  std::filesystem::path file_;
  std::unique_ptr<Editor> editor_;
  DiaEditWindow* window_ = nullptr;
  int last_ = 0;
};

TEST_F(Ui_DiaEditScenarioTests, ANewWorkingIsStoppedTimedCoupledUndoneRedoneAndSaved) {
  auto& prompt = editor_->prompt;
  prompt.answer_rest(Answer::Yes);

  // 1. The new working follows the last run and is the one edited.
  const int next = new_next_working();
  ASSERT_EQ(window_->controller().diagram(), next);
  EXPECT_EQ(graph().graph().selected(), next);
  EXPECT_EQ(window_->controller().history().undo_steps(), 2u);  // 次運用新規, ダイヤ情報
  QApplication::processEvents();

  // 2. Its stops: an intermediate stop gets its own arrival (着), or a
  // pass becomes a stop.
  const auto [at, action] = changeable_event(next);
  ASSERT_GE(at, 1);
  const auto i = static_cast<std::size_t>(at);
  click_cell(action, at);
  const int kind = action == diaedit::CellAction::Pass               ? dia::kEventPass
                   : action == diaedit::CellAction::ArrivalDeparture ? dia::kEventArrival
                                                                     : dia::kEventStop;
  ASSERT_EQ(run(next).events[i].type, kind);

  // 3. Re-timing: the last event's time is cleared through 入力 (unless the
  // change left it unset), then Tab measures the run again (自動計測確認: Yes).
  const std::size_t end = run(next).event_count() - 1;
  if (run(next).events[end].time != 0) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TimeInputDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->time_field()->setText("0:00:00");
      dialog->accept();
    });
    prompt.script({Answer::No});  // 次駅以降の時刻を自動で修正しますか？
    click_cell(diaedit::CellAction::TimeInput, static_cast<int>(end));
    ASSERT_EQ(run(next).events[end].time, 0);
  }
  QTest::keyClick(window_->view(), Qt::Key_Tab);
  EXPECT_EQ(prompt.last().caption, "自動計測確認");
  const int measured_end = run(next).events[end].time;
  EXPECT_GT(measured_end, run(next).events[i].time);
  EXPECT_EQ(window_->controller().history().undo_name(), "自動計測");
  if (const char* folder = std::getenv("VOSK_DIALOG_SHOTS"))
    window_->grab().save(QString::fromLocal8Bit(folder) + "/dia_edit_window.png");

  // 4. A formation coupled at the rear of the run's duty in 編成・仕業設定.
  const int duty = data().dia.units[run(next).run.owning_unit].train;
  const int units_before = units_in_use();
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<FormationDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    // The shortest series, so that the longer train still fits its rail.
    dialog->ask_values = [this](const FormationValues& initial) {
      FormationValues v = initial;
      v.name = "Z";
      const auto& series = data().series;
      for (int s = 1; s <= series.extent(); ++s)
        if (series[s].cars > 0 &&
            (!series.names_record(v.series) || series[s].cars < series[v.series].cars))
          v.series = s;
      return std::optional<FormationValues>(v);
    };
    dialog->add_rear();
    dialog->reject();
  });
  ASSERT_TRUE(
      run_formation_dialog(window_, editor_->window().dia_history(), editor_->state(), data(),
                           prompt, duty, &editor_->window()))
      << prompt.last().text;
  ASSERT_EQ(units_in_use(), units_before + 1) << prompt.last().text;
  const int copy =
      run(next).coupled_behind != 0 ? run(next).coupled_behind : run(next).coupled_ahead;
  ASSERT_NE(copy, 0);
  EXPECT_EQ(run(copy).events[i].type, kind);
  EXPECT_EQ(window_->controller().history().undo_name(), "編成・仕業設定");

  // 5. Undo takes the coupling back, redo brings it again.
  window_->run_command(diaedit::kCmdUndo);
  EXPECT_EQ(units_in_use(), units_before);
  EXPECT_EQ(run(next).coupled_behind + run(next).coupled_ahead, 0);
  EXPECT_EQ(run(next).events[end].time, measured_end);  // the timing stays
  window_->run_command(diaedit::kCmdRedo);
  EXPECT_EQ(units_in_use(), units_before + 1);
  EXPECT_NE(run(next).coupled_behind + run(next).coupled_ahead, 0);

  // 6. Saved and opened again: the new working, its stop, its times and the
  // coupled formation are in the file.
  editor_->window().run_command(cmd::kSaveDia);
  EXPECT_FALSE(editor_->data_set().state().edited);
  const datafiles::DataSet saved = testing::read_back(file_, home_.path().string());
  ASSERT_TRUE(saved.dia.diagrams.names_record(next));
  const dia::Diagram& back = saved.dia.diagrams[next];
  EXPECT_EQ(saved.dia.diagrams[last_].next_working, next);
  EXPECT_EQ(back.events[i].type, kind);
  EXPECT_EQ(back.events[end].time, measured_end);
  EXPECT_EQ(back.coupled_behind + back.coupled_ahead, copy);
  int saved_units = 0;
  for (const dia::Unit& u : saved.dia.units) saved_units += u.train != 0 ? 1 : 0;
  EXPECT_EQ(saved_units, units_before + 1);
}

// Patterns are saved with the data set: registering one and changing its
// information both leave the data set edited.
TEST_F(Ui_DiaEditScenarioTests, PatternItemsMarkTheDataSetEdited) {
  int n = 0;
  for (int k = 1; k <= data().dia.diagrams.extent() && n == 0; ++k)
    if (run(k).in_use() && run(k).pattern_template == 0 && run(k).applied_pattern == 0 &&
        run(k).event_count() > 1)
      n = k;
  ASSERT_NE(n, 0);
  select_in_graph(n);
  window_->run_command(diaedit::kCmdPatternRegister);
  const int p = run(n).applied_pattern;
  ASSERT_EQ(p, data().classification.patterns.extent());
  EXPECT_TRUE(editor_->data_set().state().edited);
  editor_->window().run_command(cmd::kSaveDia);
  ASSERT_FALSE(editor_->data_set().state().edited);

  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<PatternInfoDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->interval()->setText(QStringLiteral("0:20:00"));
    dialog->accept();
  });
  window_->run_command(diaedit::kCmdPatternInfo);
  EXPECT_EQ(data().classification.patterns[p].interval, 1200);
  EXPECT_TRUE(editor_->data_set().state().edited);
}

}  // namespace
}  // namespace vosk::ui
