#pragma once
// Dia edits other windows make, kept as one undo step of the dia edit window
// while it is open (its undo would otherwise put back a dia without them).
#include "datafiles/data_set.h"
#include "dia/undo_history.h"
#include "ui/dia_edit_window.h"
#include "ui/editor_state.h"

namespace vosk::ui {

// 編成・仕業設定 for duty `train` (run_formation_dialog), one step of the dia
// edit window while it is open, else of `history`. True when the dia changed.
bool run_formation_dialog(DiaEditWindow* window, dia::UndoHistory& history, EditorState& state,
                          datafiles::DataSet& ds, Prompt& prompt, int train, QWidget* owner);

}  // namespace vosk::ui
