// 次運用選択 from the train graph's context menu, with the dia edit window
// open: the dialog's choice links the run, both windows select it and the
// dia edit window can undo it.
#include "ui/next_working_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QTreeWidget>
#include <stdexcept>

#include "dia/working_chains.h"
#include "diaedit/run_operations.h"
#include "editor_fixture.h"
#include "ui/dia_edit_window.h"
#include "ui/main_menu.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using vosk::testing::TempDir;

class Ui_NextWorkingChoiceTests : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.write("korv.ini", "[Setting]\r\nBackupFile=0\r\n");
    editor_ = testing::open_sample(home_);
    if (!editor_->window().graph_window()) editor_->window().run_command(cmd::kTrainGraphWindow);
    editor_->window().run_command(cmd::kDiaEdit);
    window_ = editor_->window().dia_edit_window();
    graph_ = editor_->window().graph_window();
    if (!window_ || !graph_) throw std::runtime_error("the windows did not open");
  }

  datafiles::DataSet& data() { return *editor_->data_set().data_set(); }
  const dia::Diagram& run(int n) { return data().dia.diagrams[n]; }

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
  // The first run of a formation, running alone at the end of its working,
  // that another run can follow.
  int n = 0, candidate = 0;
  auto command = diaedit::WorkingCommand::ChooseNextOppositeDirection;
  const auto& diagrams = data().dia.diagrams;
  for (int end = 1; end <= diagrams.extent() && n == 0; ++end) {
    const dia::Diagram& d = diagrams[end];
    if (!d.in_use() || d.run.owning_unit == 0 || d.next_working != 0 ||
        dia::coupling_chain(data().dia, end).size() != 1)
      continue;
    for (auto [c, direction] :
         {std::pair{diaedit::WorkingCommand::ChooseNextOppositeDirection,
                    dia::NextDirection::Opposite},
          {diaedit::WorkingCommand::ChooseNextSameDirection, dia::NextDirection::Same}}) {
      const auto rows = diaedit::candidate_rows(data(), end, direction);
      if (n != 0 || rows.empty()) continue;
      n = end;
      candidate = rows.back().run;
      command = c;
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

}  // namespace
}  // namespace vosk::ui
