#pragma once
// Dia edits other windows make, kept as one undo step of the dia edit window
// while it is open (its undo would otherwise put back a dia without them).
#include "datafiles/data_set.h"
#include "ui/dia_edit_window.h"
#include "ui/editor_state.h"

namespace vosk::ui {

// 編成・仕業設定 for duty `train` (run_formation_dialog). True when the dia changed.
bool run_formation_dialog(DiaEditWindow* window, EditorState& state, datafiles::DataSet& ds,
                          Prompt& prompt, int train, QWidget* owner);

}  // namespace vosk::ui
