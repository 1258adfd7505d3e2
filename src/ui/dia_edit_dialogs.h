#pragma once
// The run-level dialogs of the dia edit window: time input (入力), event
// detail (基) and pattern choice (切替 / 適用, and a next working from a
// pattern). Each collects its values, calls the controller's operation,
// shows the operation's message and stays open on a refusal with the field
// in error focused. Accepted means the dia changed.
#include <QDialog>
#include <cstddef>

#include "base/prompt.h"
#include "diaedit/dia_edit_controller.h"

class QButtonGroup;
class QLineEdit;
class QListWidget;

namespace vosk::ui {

class TimeInputDialog : public QDialog {
  Q_OBJECT

 public:
  TimeInputDialog(diaedit::DiaEditController& controller, std::size_t event, Prompt& prompt,
                  bool english, QWidget* parent);
  QLineEdit* time_field() const { return time_; }

 public Q_SLOTS:
  void accept() override;

 private:
  diaedit::DiaEditController& controller_;
  std::size_t event_;
  Prompt& prompt_;
  QLineEdit* time_;
};

class EventDetailDialog : public QDialog {
  Q_OBJECT

 public:
  EventDetailDialog(diaedit::DiaEditController& controller, std::size_t event, Prompt& prompt,
                    bool english, QWidget* parent);
  // Button ids: kNoChange, else a diaedit::StopCommand value. (Qt gives
  // negative ids to buttons added without one, so "no change" is positive.)
  static constexpr int kNoChange = 100;
  QButtonGroup* choices() const { return choices_; }

 public Q_SLOTS:
  void accept() override;

 private:
  diaedit::DiaEditController& controller_;
  std::size_t event_;
  Prompt& prompt_;
  QButtonGroup* choices_;
};

class PatternChoiceDialog : public QDialog {
  Q_OBJECT

 public:
  PatternChoiceDialog(diaedit::DiaEditController& controller, bool next_working, Prompt& prompt,
                      bool english, QWidget* parent);
  QListWidget* patterns() const { return list_; }
  QLineEdit* time_field() const { return time_; }
  // 時刻自動, 次, 前.
  void press(dia::PatternTimeButton button);

 public Q_SLOTS:
  void accept() override;

 private:
  int chosen_pattern() const;
  // The typed time, or nullopt after telling the input error.
  std::optional<int> entered_time();

  diaedit::DiaEditController& controller_;
  bool next_working_;
  Prompt& prompt_;
  dia::PatternDialogSetup setup_;
  QListWidget* list_;
  QLineEdit* time_;
};

}  // namespace vosk::ui
