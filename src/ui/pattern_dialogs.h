#pragma once
// The dia pattern dialogs of the dia edit window: a pattern's information
// (names, next working's pattern, interval and base time) and the list of
// all patterns (管理) with information, template editing and deletion.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "base/prompt.h"
#include "diaedit/dia_edit_controller.h"
#include "shell/language.h"

namespace vosk::ui {

// ダイヤパターン情報. Accepted when the values were stored.
class PatternInfoDialog : public QDialog {
  Q_OBJECT

 public:
  PatternInfoDialog(diaedit::DiaEditController& controller, int pattern, Prompt& prompt,
                    shell::UiLanguage ui, QWidget* parent);

  QLineEdit* short_name() const { return short_; }
  QLineEdit* name() const { return name_; }
  QComboBox* next_pattern() const { return next_; }
  QLineEdit* interval() const { return interval_; }
  QLineEdit* base_time() const { return base_; }

 public Q_SLOTS:
  void accept() override;

 private:
  diaedit::DiaEditController& controller_;
  int pattern_;
  Prompt& prompt_;
  QLineEdit* short_;
  QLineEdit* name_;
  QComboBox* next_;
  QLineEdit* interval_;
  QLineEdit* base_;
};

// ダイヤパターン管理: the edits apply at once; changed() tells whether the data
// set changed, and a template chosen for editing closes the list.
class PatternManageDialog : public QDialog {
  Q_OBJECT

 public:
  PatternManageDialog(diaedit::DiaEditController& controller, Prompt& prompt, shell::UiLanguage ui,
                      QWidget* parent);

  QListWidget* patterns() const { return list_; }
  QPushButton* edit_button() const { return edit_; }
  QPushButton* delete_button() const { return delete_; }
  bool changed() const { return changed_; }

  void show_info();
  void edit_template();
  void delete_selected();

 private:
  int selected() const;
  void refresh(int select);

  diaedit::DiaEditController& controller_;
  Prompt& prompt_;
  shell::UiLanguage ui_;
  bool changed_ = false;
  QListWidget* list_;
  QPushButton* info_;
  QPushButton* edit_;
  QPushButton* delete_;
};

}  // namespace vosk::ui
