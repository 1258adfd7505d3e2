#pragma once
// 表示対象切替・編集, the list of display targets with 選択, 終了, 編集, コピー
// and 削除, and 表示対象設定, the edit dialog of one display target: its name,
// the two flags and which stopping places it shows where. Copy and delete
// change the data set at once; the edit dialog stores on OK.
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <functional>

#include "base/prompt.h"
#include "datafiles/display_target_edits.h"
#include "shell/language.h"

namespace vosk::ui {

class DisplayTargetEditDialog : public QDialog {
  Q_OBJECT

 public:
  DisplayTargetEditDialog(datafiles::DataSet& ds, int n, Prompt& prompt, shell::UiLanguage ui,
                          QWidget* owner);

  QLineEdit* name() const { return name_; }
  QCheckBox* cross_section() const { return flag_; }
  QCheckBox* protection() const { return protected_; }
  QListWidget* shown() const { return shown_; }
  QListWidget* hidden() const { return hidden_; }
  QPushButton* show_button() const { return show_; }
  QPushButton* hide_button() const { return hide_; }
  QSpinBox* position() const { return position_; }
  const datafiles::DisplayTargetEditor& editor() const { return editor_; }
  void try_accept();

 private:
  void fill_lists();
  void update_enabling();
  void move(QListWidget* from, bool onto_display_target);
  void position_changed(int metres);
  int single_shown() const;  // the one selected shown place, 0 = none or several

  datafiles::DataSet& ds_;
  datafiles::DisplayTargetEditor editor_;
  Prompt& prompt_;
  bool updating_ = false;
  QLineEdit* name_;
  QCheckBox* flag_;
  QCheckBox* protected_;
  QListWidget* shown_;
  QListWidget* hidden_;
  QPushButton* show_;
  QPushButton* hide_;
  QSpinBox* position_;
};

class DisplayTargetListDialog : public QDialog {
  Q_OBJECT

 public:
  // `current` is the display target (1-based) selected at first. For the
  // passenger cross-section window only display targets with its flag can
  // be chosen.
  DisplayTargetListDialog(datafiles::DataSet& ds, int current, Prompt& prompt, shell::UiLanguage ui,
                          QWidget* owner, bool cross_section_only = false);

  QListWidget* list() const { return list_; }
  QPushButton* select_button() const { return select_; }
  QPushButton* edit_button() const { return edit_; }
  QPushButton* copy_button() const { return copy_; }
  QPushButton* delete_button() const { return delete_; }
  QPushButton* close_button() const { return close_; }

  // The display target chosen with 選択 (1-based), 0 when none was.
  int chosen() const { return chosen_; }
  // The display target selected in the list (1-based): after a deletion the
  // one that took its place.
  int current() const { return list_->currentRow() + 1; }
  // 編集, コピー or 削除 changed the data set.
  bool changed() const { return changed_; }

  void choose();
  void edit_selected();
  void copy_selected();
  void delete_selected();

 private:
  void refresh(int select);
  void update_enabling();

  datafiles::DataSet& ds_;
  Prompt& prompt_;
  shell::UiLanguage ui_;
  bool cross_section_only_;
  int chosen_ = 0;
  bool changed_ = false;
  QListWidget* list_;
  QPushButton* select_;
  QPushButton* close_;
  QPushButton* edit_;
  QPushButton* copy_;
  QPushButton* delete_;
};

}  // namespace vosk::ui
