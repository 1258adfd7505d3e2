#include "ui/undoable_edits.h"

#include "dia/dia_snapshot.h"
#include "ui/formation_dialog.h"

namespace vosk::ui {

bool run_formation_dialog(DiaEditWindow* window, dia::UndoHistory& history, EditorState& state,
                          datafiles::DataSet& ds, Prompt& prompt, int train, QWidget* owner) {
  const dia::DiaSnapshot before(ds.dia);
  const bool changed = run_formation_dialog(state, ds, prompt, train, owner);
  if (!changed) return false;
  if (window)
    window->record_outside_edit(before.tables(), "編成・仕業設定");
  else
    history.record(before.tables(), "編成・仕業設定");
  return true;
}

}  // namespace vosk::ui
