#pragma once
// ダイヤプロパティ: the dia's title and comment, its start time and the base
// target the running order starts from. OK stores them in the header.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "shell/language.h"

namespace vosk::ui {

class DiaPropertyDialog : public QDialog {
  Q_OBJECT

 public:
  DiaPropertyDialog(datafiles::DataSet& ds, Prompt& prompt, shell::UiLanguage ui, QWidget* owner);

  QLineEdit* title() const { return title_; }
  QLineEdit* comment() const { return comment_; }
  QSpinBox* hour() const { return hour_; }
  QComboBox* base_target() const { return base_target_; }
  bool changed() const { return changed_; }
  void try_accept();

 private:
  datafiles::DataSet& ds_;
  Prompt& prompt_;
  bool changed_ = false;
  QLineEdit* title_;
  QLineEdit* comment_;
  QSpinBox* hour_;
  QSpinBox* minute_;
  QSpinBox* second_;
  QComboBox* base_target_;
};

}  // namespace vosk::ui
