// 次運用選択 and 次運用新規 パターン適用 from the train graph's context menu,
// with the dia edit window open: the dialog's choice links the run, both
// windows select the result and the dia edit window can undo it.
#include "ui/next_working_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <stdexcept>

#include "dia/working_chains.h"
#include "diaedit/run_operations.h"
#include "editor_fixture.h"
#include "ui/dia_edit_dialogs.h"
#include "ui/dia_edit_window.h"
#include "ui/main_menu.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using testing::Layer;
using vosk::testing::TempDir;

class Ui_NextWorkingChoiceTests : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.write("korv.ini", "[Setting]\r\nBackupFile=0\r\n");
    const auto file = testing::copy_sample(home_, "qvw_data/sample.qvw");
    editor_ =
        std::make_unique<Editor>(home_, Layer::DataSet, std::vector<std::string>{file.string()});
    editor_->window().first_tick();
    if (!editor_->window().graph_window()) editor_->window().run_command(cmd::kTrainGraphWindow);
    editor_->window().run_command(cmd::kDiaEdit);
    window_ = editor_->window().dia_edit_window();
    graph_ = editor_->window().graph_window();
    if (!window_ || !graph_) throw std::runtime_error("the windows did not open");
  }

  datafiles::DataSet& data() { return *editor_->data_set().data_set(); }
  const dia::Diagram& run(int n) { return data().dia.diagrams[n]; }

  // A run of a formation, running alone, at the end of its working.
  std::vector<int> working_ends() {
    std::vector<int> out;
    const auto& diagrams = data().dia.diagrams;
    for (int n = 1; n <= diagrams.extent(); ++n) {
      const dia::Diagram& d = diagrams[n];
      if (d.in_use() && d.pattern_template == 0 && d.run.owning_unit != 0 &&
          d.next_working == 0 && dia::coupling_chain(data().dia, n).size() == 1)
        out.push_back(n);
    }
    return out;
  }

  // As a click in the graph selects it: the windows follow once it is drawn.
  void select_in_graph(int n) {
    graph_->graph().select(n);
    graph_->view()->redraw();
    QApplication::processEvents();
  }

  std::string last_message() const {
    return editor_->prompt.count() > 0 ? editor_->prompt.last().text : std::string();
  }

  TempDir home_;
  std::unique_ptr<Editor> editor_;
  DiaEditWindow* window_ = nullptr;
  GraphWindow* graph_ = nullptr;
};

TEST_F(Ui_NextWorkingChoiceTests, ACandidatePickedInTheGraphFollowsTheRun) {
  int n = 0, candidate = 0;
  auto command = diaedit::WorkingCommand::ChooseNextOppositeDirection;
  for (int end : working_ends()) {
    for (auto [c, direction] :
         {std::pair{diaedit::WorkingCommand::ChooseNextOppositeDirection,
                    dia::NextDirection::Opposite},
          {diaedit::WorkingCommand::ChooseNextSameDirection, dia::NextDirection::Same}}) {
      const auto rows = diaedit::candidate_rows(data(), end, direction);
      if (n == 0 && !rows.empty()) {
        n = end;
        candidate = rows.back().run;
        command = c;
      }
    }
  }
  ASSERT_NE(n, 0) << "the sample has no run to choose a next working for";
  select_in_graph(n);
  bool offered = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<NextWorkingDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTreeWidget* list = dialog->runs();
    for (int k = 0; k < list->topLevelItemCount(); ++k) {
      QTreeWidgetItem* item = list->topLevelItem(k);
      if (item->data(0, Qt::UserRole).toInt() != candidate) continue;
      offered = true;
      list->setCurrentItem(item);
    }
    if (const char* folder = std::getenv("VOSK_DIALOG_SHOTS"))
      dialog->grab().save(QString::fromLocal8Bit(folder) + "/next_working_choice.png");
    dialog->accept();
    if (dialog->isVisible()) dialog->reject();  // refused: the dialog stays open
  });
  Q_EMIT graph_->working_item_chosen(n, static_cast<int>(command));
  EXPECT_TRUE(offered);
  EXPECT_EQ(run(n).next_working, candidate) << last_message();
  EXPECT_EQ(graph_->graph().selected(), candidate);
  EXPECT_EQ(window_->controller().diagram(), candidate);
  EXPECT_TRUE(editor_->data_set().state().edited);
  ASSERT_EQ(window_->controller().history().undo_steps(), 1u);
  window_->run_command(diaedit::kCmdUndo);
  EXPECT_EQ(run(n).next_working, 0);
}

TEST_F(Ui_NextWorkingChoiceTests, ANextWorkingFromAPatternIsMadeFromTheGraph) {
  // A run of a formation, running alone, that ends where a pattern starts.
  const auto& diagrams = data().dia.diagrams;
  const auto& rails = data().map.rails;
  auto target_of = [&](int rail) { return rails.names_record(rail) ? rails[rail].target : -1; };
  std::vector<int> pattern_starts;
  for (const dia::Pattern& p : data().classification.patterns) {
    if (diagrams.names_record(p.template_diagram) && !diagrams[p.template_diagram].events.empty())
      pattern_starts.push_back(target_of(diagrams[p.template_diagram].events.front().rail));
  }
  int n = 0;
  for (int r = 1; r <= diagrams.extent() && n == 0; ++r) {
    const dia::Diagram& d = diagrams[r];
    if (!d.in_use() || d.pattern_template != 0 || d.run.owning_unit == 0 ||
        d.event_count() == 0 || dia::coupling_chain(data().dia, r).size() != 1)
      continue;
    const int end = target_of(d.events[d.event_count() - 1].rail);
    if (std::find(pattern_starts.begin(), pattern_starts.end(), end) != pattern_starts.end()) n = r;
  }
  ASSERT_NE(n, 0) << "no run of the sample ends where a pattern starts";
  const int old_next = run(n).next_working;
  if (old_next != 0) editor_->prompt.script({Answer::No});  // the old next working stays
  select_in_graph(n);
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<PatternChoiceDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    ASSERT_GT(dialog->patterns()->count(), 1);  // "パターンなし" and the pattern
    if (dialog->patterns()->currentRow() == 0) dialog->patterns()->setCurrentRow(1);
    dialog->accept();
    if (dialog->isVisible()) dialog->reject();  // refused: the dialog stays open
  });
  Q_EMIT graph_->working_item_chosen(
      n, static_cast<int>(diaedit::WorkingCommand::NewNextFromPattern));
  const int next = run(n).next_working;
  ASSERT_NE(next, old_next) << last_message();
  EXPECT_NE(run(next).applied_pattern, 0);
  EXPECT_EQ(graph_->graph().selected(), next);
  EXPECT_EQ(window_->controller().diagram(), next);
  EXPECT_EQ(window_->controller().history().undo_steps(), 1u);
}

}  // namespace
}  // namespace vosk::ui
