// The first-working buttons of 編成・仕業設定.
#include "base/time_text.h"
#include "datafiles/dia_editing.h"
#include "dia/workings.h"
#include "ui/dialog_support.h"
#include "ui/formation_dialog.h"
#include "ui/run_list_dialog.h"

namespace vosk::ui {

void FormationDialog::create_first_run() {
  const int train = selected_train();
  if (train == 0) return;
  const std::optional<int> time = timetext::parse(start_time_->text().trimmed().toStdString());
  if (!time) {
    refuse_at(prompt_, caption::kInputDataError, "時刻が不正です。再設定して下さい。\n",
              start_time_);
    return;
  }
  datafiles::DiaEditing editing(ds_, prompt_);
  const dia::EditResult r = dia::create_run_at_duty(editing.workings(), ds_.dia, train, *time);
  if (r.status() == dia::EditResult::Status::Refused && r.caption() == caption::kInputDataError) {
    refuse_at(prompt_, r.caption(), r.text(), start_time_);
    return;
  }
  if (settle(r)) refresh(train);
}

void FormationDialog::create_temporary_run() {
  const int train = selected_train();
  if (train == 0) return;
  datafiles::DiaEditing editing(ds_, prompt_);
  if (settle(dia::create_temporary_run(editing.workings(), ds_.dia, train))) refresh(train);
}

void FormationDialog::choose_first_run() {
  const int train = selected_train();
  if (train == 0) return;
  int run = 0;
  if (ask_run) {
    run = ask_run();
  } else {
    RunListDialog list(graph::run_list(ds_, false), RunListDialog::Use::FirstWorking, ui_, this);
    if (list.exec() == QDialog::Accepted && !list.chosen().empty()) run = list.chosen().front();
  }
  if (run == 0) return;
  datafiles::DiaEditing editing(ds_, prompt_);
  if (settle(dia::choose_first_working(editing.workings(), ds_.dia, train, run))) refresh(train);
}

}  // namespace vosk::ui
