#pragma once
// 列車種別設定: the train types in a list, the selected one's names, passenger
// service, train-graph line and colour beside it, and 追加 for a new type.
// The dialog edits a copy; OK stores it in the dia.
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "base/prompt.h"
#include "dia/train_type.h"
#include "shell/language.h"

namespace vosk::ui {

class TrainTypesDialog : public QDialog {
  Q_OBJECT

 public:
  TrainTypesDialog(dia::TrainTypeTable& table, Prompt& prompt, shell::UiLanguage ui,
                   QWidget* owner);

  QListWidget* types() const { return list_; }
  QLineEdit* letter_name() const { return letter_; }
  QLineEdit* short_name() const { return short_; }
  QLineEdit* name() const { return name_; }
  QCheckBox* passenger_service() const { return passengers_; }
  QComboBox* line_style() const { return style_; }
  QComboBox* line_width() const { return width_; }
  QPushButton* add_button() const { return add_; }
  // The colour the colour button chose (tests set it directly).
  void set_colour(const QColor& colour);
  bool changed() const { return changed_; }
  void add_type();
  void try_accept();

 private:
  void collect();  // fields -> the copy's selected type
  void show_selected();
  void refresh_list();
  void choose_colour();
  int selected() const { return list_->currentRow() + 1; }

  dia::TrainTypeTable& table_;
  dia::TrainTypeTable copy_;
  Prompt& prompt_;
  bool changed_ = false;
  bool updating_ = false;
  int shown_ = 0;  // the type the fields show
  QColor colour_;
  QListWidget* list_;
  QLineEdit* letter_;
  QLineEdit* short_;
  QLineEdit* name_;
  QCheckBox* passengers_;
  QComboBox* style_;
  QComboBox* width_;
  QPushButton* colour_button_;
  QPushButton* add_;
};

}  // namespace vosk::ui
