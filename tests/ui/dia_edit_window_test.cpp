#include "ui/dia_edit_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <stdexcept>

#include "base/ini.h"
#include "base/time_text.h"
#include "dia/dia_operations.h"
#include "diaedit/run_operations.h"
#include "editor_fixture.h"
#include "ui/dia_edit_dialogs.h"
#include "ui/main_menu.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using vosk::testing::TempDir;

// The sample opened from the command line, the train graph open and the dia
// edit window opened from the main menu with the largest font stored.
class Ui_DiaEditWindowTests : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.write("korv.ini", "[VOSKDiaEditWindow]\r\nfont=5\r\n[Setting]\r\nBackupFile=0\r\n");
    editor_ = testing::open_sample(home_);
    if (!editor_->window().graph_window()) editor_->window().run_command(cmd::kTrainGraphWindow);
    editor_->window().run_command(cmd::kDiaEdit);
    window_ = editor_->window().dia_edit_window();
    if (!window_) throw std::runtime_error("the dia edit window did not open");
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_));
  }

  datafiles::DataSet& data() { return *editor_->data_set().data_set(); }

  // A run without pattern with a stop after its start that can become a pass.
  std::pair<int, std::size_t> editable_stop() {
    const auto& diagrams = data().dia.diagrams;
    for (int n = 1; n <= diagrams.extent(); ++n) {
      const dia::Diagram& d = diagrams[n];
      if (!d.in_use() || d.applied_pattern != 0 || d.pattern_template != 0) continue;
      for (std::size_t i = 1; i < d.event_count(); ++i)
        if (d.events[i].type == dia::kEventStop &&
            diaedit::stop_command_applies(d, i, diaedit::StopCommand::Pass))
          return {n, i};
    }
    throw std::runtime_error("the sample has no run to edit");
  }

  // Selects run n in the train graph as a click there would.
  void select_in_graph(int n) {
    GraphWindow* graph = editor_->window().graph_window();
    graph->graph().select(n);
    graph->view()->redraw();
  }

  void click_cell(diaedit::CellAction action, std::size_t event) {
    for (const diaedit::Cell& c : window_->controller().last_layout().cells) {
      if (c.action != action || c.event != static_cast<int>(event)) continue;
      QTest::mouseClick(window_->view(), Qt::LeftButton, {},
                        QPoint((c.rect.left + c.rect.right) / 2, (c.rect.top + c.rect.bottom) / 2));
      return;
    }
    FAIL() << "no such cell";
  }

  int type_at(int n, std::size_t i) { return data().dia.diagrams[n].events[i].type; }

  TempDir home_;
  std::unique_ptr<Editor> editor_;
  DiaEditWindow* window_ = nullptr;
};

TEST_F(Ui_DiaEditWindowTests, FollowsTheGraphEditsAStopUndoesAndRedoes) {
  MainWindow& main = editor_->window();
  EXPECT_TRUE(main.action(cmd::kDiaEdit)->isChecked());
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("ダイヤ編集ウインドウ"));
  const auto [n, i] = editable_stop();
  select_in_graph(n);
  ASSERT_EQ(window_->controller().diagram(), n);
  EXPECT_TRUE(window_->windowTitle().startsWith(QString::fromUtf8("ダイヤ編集　")));
  window_->view()->resize(700, 900);  // room for the whole run
  QApplication::processEvents();

  click_cell(diaedit::CellAction::Pass, i);
  EXPECT_EQ(type_at(n, i), dia::kEventPass);
  EXPECT_TRUE(editor_->data_set().state().edited);
  EXPECT_TRUE(window_->action(diaedit::kCmdUndo)->isEnabled());

  window_->run_command(diaedit::kCmdUndo);
  EXPECT_EQ(type_at(n, i), dia::kEventStop);
  window_->run_command(diaedit::kCmdRedo);
  EXPECT_EQ(type_at(n, i), dia::kEventPass);
}

TEST_F(Ui_DiaEditWindowTests, GraphStopItemsRunThroughTheWindowAsOneUndoStep) {
  const auto [n, i] = editable_stop();
  const int pass = static_cast<int>(diaedit::StopCommand::Pass);
  ASSERT_TRUE(run_stop_item(window_, data(), editor_->prompt, n, static_cast<int>(i), pass));
  EXPECT_EQ(window_->controller().diagram(), n);
  EXPECT_EQ(type_at(n, i), dia::kEventPass);
  EXPECT_EQ(window_->controller().history().undo_steps(), 1u);
  // Without the window the same operation runs on the data set.
  const int stop = static_cast<int>(diaedit::StopCommand::StopStandard);
  ASSERT_TRUE(run_stop_item(nullptr, data(), editor_->prompt, n, static_cast<int>(i), stop));
  EXPECT_EQ(type_at(n, i), dia::kEventStop);
  EXPECT_EQ(window_->controller().history().undo_steps(), 1u);
}

// The graph's 次運用新規 逆方向 on the last run of a working: a new run
// follows it, is selected in the graph and the dia edit window, and the data
// set counts as edited.
TEST_F(Ui_DiaEditWindowTests, GraphWorkingItemCreatesTheNextWorkingAndSelectsIt) {
  const auto& diagrams = data().dia.diagrams;
  int last = 0;
  for (int n = 1; n <= diagrams.extent() && last == 0; ++n)
    if (diagrams[n].in_use() && diagrams[n].run.owning_unit != 0 && diagrams[n].next_working == 0)
      last = n;
  ASSERT_NE(last, 0);
  auto runs_in_use = [&] {
    int count = 0;
    for (int n = 1; n <= diagrams.extent(); ++n) count += diagrams[n].in_use() ? 1 : 0;
    return count;
  };
  const int before = runs_in_use();
  GraphWindow* graph = editor_->window().graph_window();
  Q_EMIT graph->working_item_chosen(
      last, static_cast<int>(diaedit::WorkingCommand::NewNextOppositeDirection));
  const int next = diagrams[last].next_working;
  ASSERT_NE(next, 0) << editor_->prompt.last().text;
  EXPECT_GT(runs_in_use(), before);  // and a coupled copy for each run coupled with it
  EXPECT_EQ(diagrams[next].direction, 3 - diagrams[last].direction);
  EXPECT_EQ(graph->graph().selected(), next);
  EXPECT_EQ(window_->controller().diagram(), next);
  EXPECT_TRUE(editor_->data_set().state().edited);
}

TEST_F(Ui_DiaEditWindowTests, TimeInputStaysOpenOnABadTimeAndTakesAGoodOne) {
  const auto [n, i] = editable_stop();
  select_in_graph(n);
  window_->view()->resize(700, 900);
  QApplication::processEvents();
  const int before = data().dia.diagrams[n].events[i].time;
  const int typed = before + 60 <= dia::kMaxInputTime ? before + 60 : before - 60;
  // The input error box, then 次駅以降の時刻を自動で修正しますか？
  editor_->prompt.script({Answer::Ok, Answer::No});
  bool stayed_open = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TimeInputDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->time_field()->setText("29:00:00");
    dialog->accept();
    stayed_open = dialog->isVisible() && dialog->focusWidget() == dialog->time_field();
    dialog->time_field()->setText(QString::fromStdString(timetext::format(typed, true)));
    dialog->accept();
  });
  click_cell(diaedit::CellAction::TimeInput, i);
  EXPECT_TRUE(stayed_open);
  ASSERT_GE(editor_->prompt.count(), 2u);
  EXPECT_EQ(editor_->prompt.asked()[editor_->prompt.count() - 2].caption, "入力データエラー");
  EXPECT_EQ(data().dia.diagrams[n].events[i].time, typed);
}

TEST_F(Ui_DiaEditWindowTests, FontStepAndPlacementAreStoredOnClose) {
  EXPECT_EQ(window_->controller().font_step(), 5);  // as stored
  window_->run_command(diaedit::kCmdFontStep1 + 2);   // 中
  EXPECT_EQ(window_->controller().font_step(), 3);
  editor_->window().run_command(cmd::kDiaEdit);  // closes it
  EXPECT_EQ(editor_->window().dia_edit_window(), nullptr);
  EXPECT_FALSE(editor_->window().action(cmd::kDiaEdit)->isChecked());
  const ini::Document settings = ini::Document::parse(testing::settings_text(home_));
  EXPECT_EQ(settings.get_int("VOSKDiaEditWindow", "font", 0), 3);
  EXPECT_NE(settings.get_int("VOSKDiaEditWindow", "PosRight", -1), -1);
}

}  // namespace
}  // namespace vosk::ui
