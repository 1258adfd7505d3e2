#pragma once
// The candidate list of 次運用選択 同方向 / 逆方向 and 次運用併結: one row per
// run that may follow the edited run, with its train number, type,
// destination, formation and first and last stop. OK (or a double click)
// takes the row through the controller; a refusal is shown and the dialog
// stays open. Accepted means the dia changed.
#include <QDialog>

#include "base/prompt.h"
#include "diaedit/dia_edit_controller.h"

class QTreeWidget;

namespace vosk::ui {

class NextWorkingDialog : public QDialog {
  Q_OBJECT

 public:
  // `command`: kCmdChooseNextSame, kCmdChooseNextOpposite or kCmdCoupleNext.
  NextWorkingDialog(diaedit::DiaEditController& controller, int command, Prompt& prompt,
                    bool english, QWidget* parent);
  QTreeWidget* runs() const { return list_; }

 public Q_SLOTS:
  void accept() override;

 private:
  diaedit::DiaEditController& controller_;
  int command_;
  Prompt& prompt_;
  QTreeWidget* list_;
};

// The dialogs a working command of the controller asks for (the candidate
// list, the pattern choice for a new next working). True when the dia changed.
bool run_working_dialog(diaedit::DiaEditController& controller, const diaedit::Outcome& outcome,
                        Prompt& prompt, bool english, QWidget* parent);

}  // namespace vosk::ui
