#include "ui/timetable_requests.h"

#include <memory>

#include "diaedit/dia_edit_menu.h"
#include "ui/dia_edit_dialogs.h"

namespace vosk::ui {
namespace {

// The dia edit window's controller on run n, or a new one in `own`.
diaedit::DiaEditController* controller_for(DiaEditWindow* window, datafiles::DataSet& data,
                                           EditorState& state, dia::UndoHistory& history, int n,
                                           std::unique_ptr<diaedit::DiaEditController>& own) {
  if (window) {
    window->select(n);
    diaedit::DiaEditController& c = window->controller();
    return c.diagram() == n ? &c : nullptr;
  }
  own = std::make_unique<diaedit::DiaEditController>(data, state.english());
  own->share_history(history);
  own->set_extention(state.settings().extention);
  own->select(n);
  return own->diagram() == n ? own.get() : nullptr;
}

}  // namespace

bool input_time_from_timetable(DiaEditWindow* window, datafiles::DataSet& data, EditorState& state,
                               dia::UndoHistory& history, Prompt& prompt, int n, int event,
                               QWidget* parent) {
  if (event < 0 || !state.busy.check(prompt)) return false;
  std::unique_ptr<diaedit::DiaEditController> own;
  diaedit::DiaEditController* controller = controller_for(window, data, state, history, n, own);
  if (!controller) return false;
  ModalScope modal(state);
  TimeInputDialog dialog(*controller, static_cast<std::size_t>(event), prompt, state.english(),
                         parent);
  return dialog.exec() == QDialog::Accepted;
}

bool change_track_from_timetable(DiaEditWindow* window, datafiles::DataSet& data,
                                 EditorState& state, dia::UndoHistory& history, Prompt& prompt,
                                 int n, int event) {
  if (event < 0 || !state.busy.check(prompt)) return false;
  std::unique_ptr<diaedit::DiaEditController> own;
  diaedit::DiaEditController* controller = controller_for(window, data, state, history, n, own);
  if (!controller) return false;
  ModalScope modal(state);
  return controller->change_track(static_cast<std::size_t>(event), prompt).report(prompt);
}

void show_run_information(DiaEditWindow& window, int n) {
  window.select(n);
  if (window.controller().diagram() == n) window.run_command(diaedit::kCmdInfo);
}

}  // namespace vosk::ui
