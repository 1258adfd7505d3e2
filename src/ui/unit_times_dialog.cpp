#include "ui/unit_times_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <climits>

#include "datafiles/dia_settings_edit.h"
#include "ui/dialog_support.h"

namespace vosk::ui {
namespace {

// Any entry is taken; the core's check says what is out of range.
QSpinBox* seconds_box(QWidget* owner, int value, shell::UiLanguage ui) {
  auto* box = new QSpinBox(owner);
  box->setRange(INT_MIN / 2, INT_MAX / 2);
  box->setValue(value);
  box->setSuffix(pick(" 秒", " s", ui));
  box->setAlignment(Qt::AlignRight);
  return box;
}

}  // namespace

UnitTimesDialog::UnitTimesDialog(datafiles::Header& header, Prompt& prompt,
                                 shell::UiLanguage ui, QWidget* owner)
    : QDialog(owner), header_(header), prompt_(prompt) {
  setWindowTitle(pick("単位・標準時間設定", "Unit and Standard Times", ui));
  const datafiles::TimeSettingsValues v = datafiles::time_settings_of(header);
  unit_ = seconds_box(this, v.unit, ui);
  standard_ = seconds_box(this, v.standard, ui);
  reverse_ = seconds_box(this, v.reverse, ui);

  auto* times = new QFormLayout;
  times->addRow(pick("時間単位(&U):", "Time &unit:", ui), unit_);
  times->addRow(pick("標準停車時間(&S):", "Standard &stop time:", ui), standard_);
  times->addRow(pick("標準折返時間(&R):", "Standard &turnback time:", ui), reverse_);

  auto* keyed = new QGroupBox(pick("標準停車時間の指定", "Standard stop times are kept", ui), this);
  per_train_type_ = new QRadioButton(pick("列車種別ごと(&T)", "per &train type", ui), keyed);
  per_speed_type_ = new QRadioButton(pick("速度種別ごと(&V)", "per speed type (&V)", ui), keyed);
  (v.per_speed_type ? per_speed_type_ : per_train_type_)->setChecked(true);
  auto* keyed_layout = new QVBoxLayout(keyed);
  keyed_layout->addWidget(per_train_type_);
  keyed_layout->addWidget(per_speed_type_);

  QDialogButtonBox* buttons = ok_cancel_row(this, ui);
  connect(buttons, &QDialogButtonBox::accepted, this, &UnitTimesDialog::try_accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(times);
  layout->addWidget(keyed);
  layout->addWidget(buttons);
  unit_->setFocus();
}

void UnitTimesDialog::try_accept() {
  datafiles::TimeSettingsValues v;
  v.unit = unit_->value();
  v.standard = standard_->value();
  v.reverse = reverse_->value();
  v.per_speed_type = per_speed_type_->isChecked();
  const auto edit = datafiles::apply_time_settings(header_, v);
  if (edit.refusal) {
    QWidget* field = nullptr;
    switch (edit.refusal->field) {
      case datafiles::TimeField::Unit:
        field = unit_;
        break;
      case datafiles::TimeField::Standard:
        field = standard_;
        break;
      case datafiles::TimeField::Reverse:
        field = reverse_;
        break;
    }
    refuse_at(prompt_, edit.refusal->caption, edit.refusal->text, field);
    return;
  }
  changed_ = edit.changed;
  accept();
}

}  // namespace vosk::ui
