// The timetable window asks for operations that belong to other windows:
// the station dialog of the track panel and the dia edit window's time
// input, track change and information. They are answered here, where those
// windows are known.
#include "ui/main_window.h"
#include "ui/panel_widget.h"
#include "ui/timetable_requests.h"

namespace vosk::ui {

void MainWindow::answer_timetable_requests() {
  TimetableWindow* window = timetable_window_;
  const auto edited = [this] {
    document_->mark_edited();
    after_document_change();
  };
  connect(window, &TimetableWindow::station_dialog_requested, this, [this](int target) {
    if (!state_.busy.check(*prompt_) || !view_->open_station_dialog(target)) return;
    after_document_change();  // names, rows and tracks of the tables follow the station
  });
  connect(window, &TimetableWindow::time_input_requested, this, [this, edited](int run, int event) {
    datafiles::DataSet* data = document_->data_set();
    if (data && input_time_from_timetable(dia_edit_window_, *data, state_, dia_history_, *prompt_,
                                          run, event, timetable_window_))
      edited();
  });
  connect(window, &TimetableWindow::track_change_requested, this,
          [this, edited](int run, int event) {
            datafiles::DataSet* data = document_->data_set();
            if (data && change_track_from_timetable(dia_edit_window_, *data, state_, dia_history_,
                                                    *prompt_, run, event))
              edited();
          });
  // The information operation is the dia edit window's; it opens for it.
  connect(window, &TimetableWindow::information_requested, this, [this](int run) {
    if (!state_.busy.check(*prompt_)) return;
    open_dia_edit_window();
    if (dia_edit_window_) show_run_information(*dia_edit_window_, run);
  });
}

}  // namespace vosk::ui
