#include "ui/graph_edit_menu.h"

#include <QKeySequence>
#include <algorithm>

#include "base/time_text.h"
#include "ui/display_target_dialogs.h"
#include "ui/graph_window.h"
#include "ui/run_list_dialog.h"

namespace vosk::ui {

GraphEditMenu::GraphEditMenu(GraphWindow& window, datafiles::DataSet& data, EditorState& state,
                             Prompt& prompt)
    : QObject(&window), window_(window), data_(data), state_(state), prompt_(prompt) {}

void GraphEditMenu::add_edit_menu(QMenuBar& bar) {
  QMenu* menu = bar.addMenu(QString::fromUtf8("編集(&E)"));
  const auto add = [this, menu](int id, const char* text, auto slot) {
    return actions_.add(menu, id, text, this, slot);
  };
  add(kGraphUndo, "元に戻す(&U)", [this] { undo(); })->setShortcut(QKeySequence::Undo);
  add(kGraphRedo, "やり直し(&R)", [this] {
    redo();
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
  menu->addSeparator();
  add(kGraphNewWorking, "新規運用(&N)", [this] { new_working(); });
  add(kGraphEditRun, "選択ダイヤ編集(&E)", [this] { choose_run(true); });
  add(kGraphShowRun, "選択ダイヤ表示(&V)", [this] { choose_run(false); });
  add(kGraphDeleteTemporary, "臨時ダイヤ削除(&D)", [this] { delete_temporary_runs(); });
  connect(menu, &QMenu::aboutToShow, this, &GraphEditMenu::update_enabling);
  update_enabling();
}

void GraphEditMenu::add_display_target_item(QMenu& view) {
  actions_.add(&view, kGraphDisplayTargets, "表示対象切替・編集(&S)", this,
               [this] { choose_display_target(); });
}

void GraphEditMenu::update_enabling() {
  action(kGraphUndo)->setEnabled(history_->can_undo());
  action(kGraphRedo)->setEnabled(history_->can_redo());
}

void GraphEditMenu::changed() {
  window_.data_changed();
  update_enabling();
  Q_EMIT edited();
}

void GraphEditMenu::record(const dia::DiaTables& before, const std::string& name) {
  edits().record(before, name);
  update_enabling();
}

void GraphEditMenu::undo() {
  if (edits().undo()) changed();
}

void GraphEditMenu::redo() {
  if (edits().redo()) changed();
}

void GraphEditMenu::new_working() {
  graph::GraphController& graph = window_.graph();
  int rail = 0, time = 0;
  {
    ModalScope modal(state_);
    if (graph::offer_unassigned_runs(graph.settings().view, prompt_)) {
      window_.update_marks();
      window_.view()->redraw();
    }
    // A whole minute in the middle of the view is where a planner looks.
    const int middle = (graph.start_time() + graph.end_time()) / 2 / 60 * 60;
    NewWorkingDialog dialog(graph::start_rails(data_), std::min(middle, timetext::kMaxInput),
                            prompt_, state_.ui(), &window_);
    if (dialog.exec() != QDialog::Accepted) return;
    rail = dialog.chosen_rail();
    time = dialog.chosen_time();
  }
  const dia::EditResult r = edits().new_working(rail, time, prompt_);
  {
    ModalScope modal(state_);
    if (!r.report(prompt_)) return;
  }
  graph.select(r.number());
  changed();
}

void GraphEditMenu::choose_run(bool edit) {
  std::vector<int> runs;
  {
    ModalScope modal(state_);
    RunListDialog dialog(graph::run_list(data_, false),
                         edit ? RunListDialog::Use::EditRun : RunListDialog::Use::ShowRun,
                         state_.ui(), &window_);
    if (dialog.exec() != QDialog::Accepted) return;
    runs = dialog.chosen();
  }
  if (runs.empty()) return;
  if (edit) window_.graph().select(runs.front());
  centre_on_run(runs.front());
}

void GraphEditMenu::centre_on_run(int n) {
  graph::GraphController& graph = window_.graph();
  const auto& diagrams = data_.dia.diagrams;
  if (!diagrams.names_record(n)) return;
  const int time = graph::run_reference_time(diagrams[n]);
  if (time != 0) {
    graph.scroll(graph::ScrollAction::Track,
                 graph::centred_position(time, graph.scroll_bar().page));
  }
  window_.view()->redraw();
}

bool run_temporary_dia_deletion(datafiles::DataSet& data, dia::UndoHistory& history,
                                EditorState& state, Prompt& prompt, QWidget* owner) {
  ModalScope modal(state);
  RunListDialog dialog(graph::run_list(data, true), RunListDialog::Use::DeleteTemporary, state.ui(),
                       owner);
  if (dialog.exec() != QDialog::Accepted) return false;
  return graph::GraphEdits(data, history).delete_temporary_runs(dialog.chosen()).report(prompt);
}

void GraphEditMenu::delete_temporary_runs() {
  if (run_temporary_dia_deletion(data_, *history_, state_, prompt_, &window_)) changed();
}

void GraphEditMenu::delete_run(int n) {
  const dia::EditResult r = edits().delete_run(n);
  {
    ModalScope modal(state_);
    if (!r.report(prompt_)) return;
  }
  changed();
}

void GraphEditMenu::choose_display_target() {
  graph::GraphController& graph = window_.graph();
  int chosen = 0;
  bool changed_data = false;
  {
    ModalScope modal(state_);
    DisplayTargetListDialog dialog(data_, graph.display_target() + 1, prompt_, state_.ui(),
                                   &window_);
    dialog.exec();
    chosen = dialog.chosen();
    changed_data = dialog.changed();
  }
  // After a deletion the index may lie past the last display target.
  graph.set_display_target(chosen != 0 ? chosen - 1 : graph.display_target());
  if (changed_data) {
    changed();
  } else {
    window_.view()->redraw();
  }
}

}  // namespace vosk::ui
