#pragma once
// The warning settings dialog ("警告設定"): widgets over the shell's
// WarningDialog, which holds the selection, the edits, their checks and the
// commands.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <functional>
#include <string>

#include "base/prompt.h"
#include "shell/warning_dialog.h"
#include "ui/editor_state.h"
#include "ui/file_dialogs.h"

namespace vosk::ui {

class WarningSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // `show_popups` opens or refreshes the popup warning window (after a
  // test); `close_popups` closes it (after saving).
  WarningSettingsDialog(EditorState& state, Prompt& prompt, FileChooser& files,
                        std::function<void()> show_popups, std::function<void()> close_popups,
                        QWidget* owner);

  QListWidget* events() const { return events_; }
  QComboBox* types() const { return types_; }
  QSpinBox* delay() const { return delay_; }
  QLineEdit* wav_file() const { return wav_; }
  QPushButton* save_button() const { return save_; }
  QPushButton* temporary_button() const { return temporary_; }
  QPushButton* browse_button() const { return browse_; }
  QPushButton* test_button() const { return test_; }
  QPushButton* clear_button() const { return clear_; }

 private:
  void collect();      // widgets -> edited fields
  void show_fields();  // edited fields -> widgets
  void on_event_chosen(int row);
  void on_type_chosen(int row);
  void browse();
  void test();
  void clear_popups();
  void save();
  void keep_temporarily();

  EditorState& state_;
  Prompt& prompt_;
  FileChooser& files_;
  std::function<void()> show_popups_;
  std::function<void()> close_popups_;
  shell::WarningDialog model_;
  bool updating_ = false;

  QListWidget* events_;
  QComboBox* types_;
  QSpinBox* delay_;
  QLineEdit* wav_;
  QPushButton* browse_;
  QPushButton* test_;
  QPushButton* clear_;
  QPushButton* save_;
  QPushButton* temporary_;
};

}  // namespace vosk::ui
