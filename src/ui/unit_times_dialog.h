#pragma once
// 単位・標準時間設定: the time unit, the default standard stop and turnback
// times, and whether standard stop times are kept per speed type or per
// train type. OK stores them in the header's dia settings.
#include <QCheckBox>
#include <QDialog>
#include <QRadioButton>
#include <QSpinBox>

#include "base/prompt.h"
#include "datafiles/header_model.h"
#include "shell/language.h"

namespace vosk::ui {

class UnitTimesDialog : public QDialog {
  Q_OBJECT

 public:
  UnitTimesDialog(datafiles::Header& header, Prompt& prompt, shell::UiLanguage ui,
                  QWidget* owner);

  QSpinBox* unit() const { return unit_; }
  QSpinBox* standard() const { return standard_; }
  QSpinBox* reverse() const { return reverse_; }
  QRadioButton* per_speed_type() const { return per_speed_type_; }
  // The header took new values (after OK).
  bool changed() const { return changed_; }
  // OK: checks and stores; stays open on a refusal.
  void try_accept();

 private:
  datafiles::Header& header_;
  Prompt& prompt_;
  bool changed_ = false;
  QSpinBox* unit_;
  QSpinBox* standard_;
  QSpinBox* reverse_;
  QRadioButton* per_train_type_;
  QRadioButton* per_speed_type_;
};

}  // namespace vosk::ui
