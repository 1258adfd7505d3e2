#pragma once
// The train graph window's 編集 menu (元に戻す, やり直し, 新規運用, 選択ダイヤ編集,
// 選択ダイヤ表示, 臨時ダイヤ削除), its 表示対象切替・編集 and the context menu's
// ダイヤ削除: the dialogs they open and the calls into the model. Each edit
// is one step of the dia's undo history, which the dia edit window shares.
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <string>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "dia/undo_history.h"
#include "graph/graph_edits.h"
#include "ui/editor_state.h"
#include "ui/menu_actions.h"

namespace vosk::ui {

class GraphWindow;

enum GraphEditCommand : int {
  kGraphUndo = 300,
  kGraphRedo,
  kGraphNewWorking,
  kGraphEditRun,
  kGraphShowRun,
  kGraphDeleteTemporary,
  kGraphDisplayTargets,
};

// 臨時ダイヤ削除 on a data set: the list of temporary dias, then the chosen
// ones deleted in one undo step. True when the dia changed.
bool run_temporary_dia_deletion(datafiles::DataSet& data, dia::UndoHistory& history,
                                EditorState& state, Prompt& prompt, QWidget* owner);

class GraphEditMenu : public QObject {
  Q_OBJECT

 public:
  GraphEditMenu(GraphWindow& window, datafiles::DataSet& data, EditorState& state, Prompt& prompt);

  void add_edit_menu(QMenuBar& bar);
  void add_display_target_item(QMenu& view);
  QAction* action(int id) const { return actions_.find(id); }

  // The steps go to `shared` (which must outlive the window) from now on.
  void share_history(dia::UndoHistory& shared) { history_ = &shared; }
  dia::UndoHistory& history() { return *history_; }
  // A change the window made itself (a dragged stop); `before` is the dia
  // as it was.
  void record(const dia::DiaTables& before, const std::string& name);

  void undo();
  void redo();
  void new_working();
  // 選択ダイヤ編集 (`edit`) selects the chosen run and centres on it;
  // 選択ダイヤ表示 only centres.
  void choose_run(bool edit);
  void delete_temporary_runs();
  void delete_run(int n);
  void choose_display_target();
  // Scrolls so that run n's reference time is in the middle of the view.
  void centre_on_run(int n);

 Q_SIGNALS:
  // The data set changed (dia or display targets).
  void edited();

 private:
  graph::GraphEdits edits() { return graph::GraphEdits(data_, *history_); }
  void update_enabling();
  void changed();

  GraphWindow& window_;
  datafiles::DataSet& data_;
  EditorState& state_;
  Prompt& prompt_;
  dia::UndoHistory own_history_;
  dia::UndoHistory* history_ = &own_history_;
  MenuActions actions_;
};

}  // namespace vosk::ui
