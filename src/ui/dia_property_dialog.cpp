#include "ui/dia_property_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "datafiles/dia_settings_edit.h"
#include "ui/dialog_support.h"

namespace vosk::ui {
namespace {

QSpinBox* time_part(QWidget* owner, int low, int high, int value) {
  auto* box = new QSpinBox(owner);
  box->setRange(low, high);
  box->setValue(value);
  box->setAlignment(Qt::AlignRight);
  return box;
}

}  // namespace

DiaPropertyDialog::DiaPropertyDialog(datafiles::DataSet& ds, Prompt& prompt,
                                     shell::UiLanguage ui, QWidget* owner)
    : QDialog(owner), ds_(ds), prompt_(prompt) {
  setWindowTitle(pick("ダイヤプロパティ", "Dia Property", ui));
  const datafiles::DiaPropertyValues v = datafiles::dia_property_of(ds.header);
  title_ = new QLineEdit(from_cp932(v.title), this);
  comment_ = new QLineEdit(from_cp932(v.comment), this);
  title_->setMinimumWidth(320);
  // The check refuses what lies past 28:00:00; hours beyond it can be typed.
  hour_ = time_part(this, 0, 99, v.start_time / 3600);
  minute_ = time_part(this, 0, 59, v.start_time / 60 % 60);
  second_ = time_part(this, 0, 59, v.start_time % 60);
  auto* start = new QHBoxLayout;
  start->addWidget(hour_);
  start->addWidget(new QLabel(pick("時", "h", ui), this));
  start->addWidget(minute_);
  start->addWidget(new QLabel(pick("分", "m", ui), this));
  start->addWidget(second_);
  start->addWidget(new QLabel(pick("秒", "s", ui), this));
  start->addStretch();

  base_target_ = new QComboBox(this);
  base_target_->addItem(pick("指定なし", "None", ui), 0);
  for (int t = 1; t <= ds.map.targets.extent(); ++t) {
    base_target_->addItem(QStringLiteral("%1  %2").arg(t).arg(from_cp932(ds.map.targets[t].name)),
                          t);
  }
  const int at = base_target_->findData(v.base_target);
  if (at >= 0) {
    base_target_->setCurrentIndex(at);
  } else {
    // A number the map does not have: shown as it is, refused on OK.
    base_target_->addItem(QString::number(v.base_target), v.base_target);
    base_target_->setCurrentIndex(base_target_->count() - 1);
  }

  auto* form = new QFormLayout;
  form->addRow(pick("ダイヤ名称(&T):", "Dia &title:", ui), title_);
  form->addRow(pick("コメント(&C):", "&Comment:", ui), comment_);
  form->addRow(pick("開始時刻(&S):", "&Start time:", ui), start);
  form->addRow(pick("基準駅(&B):", "&Base target:", ui), base_target_);
  QDialogButtonBox* buttons = ok_cancel_row(this, ui);
  connect(buttons, &QDialogButtonBox::accepted, this, &DiaPropertyDialog::try_accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  title_->setFocus();
}

void DiaPropertyDialog::try_accept() {
  datafiles::DiaPropertyValues v;
  v.title = to_cp932(title_->text());
  v.comment = to_cp932(comment_->text());
  v.start_time = hour_->value() * 3600 + minute_->value() * 60 + second_->value();
  v.base_target = base_target_->currentData().toInt();
  const auto edit = datafiles::apply_dia_property(ds_.header, v, ds_.map.targets.extent());
  if (edit.refusal) {
    QWidget* field = nullptr;
    switch (edit.refusal->field) {
      case datafiles::PropertyField::Title:
        field = title_;
        break;
      case datafiles::PropertyField::Comment:
        field = comment_;
        break;
      case datafiles::PropertyField::StartTime:
        field = hour_;
        break;
      case datafiles::PropertyField::BaseTarget:
        field = base_target_;
        break;
    }
    refuse_at(prompt_, edit.refusal->caption, edit.refusal->text, field);
    return;
  }
  changed_ = edit.changed;
  accept();
}

}  // namespace vosk::ui
