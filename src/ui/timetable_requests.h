#pragma once
// The timetable window's edits of a run, answered with the dia edit
// window's operations: through that window's controller when it is open,
// else through a controller made for the one edit; either way each edit is
// a step of the editor's undo `history`. Both take the busy lock for their dialog or box and
// show refusals on `prompt`; true when the dia changed.
#include <QWidget>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "dia/undo_history.h"
#include "ui/dia_edit_window.h"
#include "ui/editor_state.h"

namespace vosk::ui {

// Enter on a cell: the time input dialog for event `event` of run n.
bool input_time_from_timetable(DiaEditWindow* window, datafiles::DataSet& data, EditorState& state,
                               dia::UndoHistory& history, Prompt& prompt, int n, int event,
                               QWidget* parent);

// A second click on the selected track cell: 番線変更 of stop `event` of run n.
bool change_track_from_timetable(DiaEditWindow* window, datafiles::DataSet& data,
                                 EditorState& state, dia::UndoHistory& history, Prompt& prompt,
                                 int n, int event);

// A click in a run's header: the dia edit window edits run n and runs its
// 情報 command.
void show_run_information(DiaEditWindow& window, int n);

}  // namespace vosk::ui
