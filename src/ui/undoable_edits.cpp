#include "ui/undoable_edits.h"

#include "dia/dia_snapshot.h"
#include "diaedit/run_operations.h"
#include "ui/formation_dialog.h"

namespace vosk::ui {

int run_working_item(DiaEditWindow* window, datafiles::DataSet& data, Prompt& prompt, int n,
                     int command) {
  if (!window) return run_working_item(data, prompt, n, command);
  const dia::DiaSnapshot before(data.dia);
  const int chosen = run_working_item(data, prompt, n, command);
  if (chosen != 0) {
    const bool ends = command == static_cast<int>(diaedit::WorkingCommand::EndWorking);
    window->record_outside_edit(before.tables(), ends ? "次運用なし" : "次運用新規");
  }
  return chosen;
}

bool run_formation_dialog(DiaEditWindow* window, EditorState& state, datafiles::DataSet& ds,
                          Prompt& prompt, int train, QWidget* owner) {
  if (!window) return run_formation_dialog(state, ds, prompt, train, owner);
  const dia::DiaSnapshot before(ds.dia);
  const bool changed = run_formation_dialog(state, ds, prompt, train, owner);
  if (changed) window->record_outside_edit(before.tables(), "編成・仕業設定");
  return changed;
}

}  // namespace vosk::ui
