#include "ui/speed_types_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <climits>

#include "datafiles/dia_editing.h"
#include "dia/speed_type.h"
#include "ui/dialog_support.h"

namespace vosk::ui {
namespace {

QString list_text(const dia::SpeedTypeTable& table, int n) {
  return QStringLiteral("%1  %2").arg(n, 2).arg(from_cp932(table[n].name));
}

}  // namespace

SpeedTypesDialog::SpeedTypesDialog(datafiles::DataSet& ds, Prompt& prompt, shell::UiLanguage ui,
                                   QWidget* owner)
    : QDialog(owner),
      ds_(ds),
      prompt_(prompt),
      ui_(ui),
      saved_speed_types_(ds.classification.speed_types),
      saved_stop_times_(ds.classification.stop_times) {
  for (const dia::Diagram& d : ds.dia.diagrams) saved_run_speed_types_.push_back(d.speed_type);
  setWindowTitle(pick("速度種別設定", "Speed Types", ui));
  list_ = new QListWidget(this);
  list_->setMinimumWidth(180);
  short_ = new QLineEdit(this);
  name_ = new QLineEdit(this);
  series_ = new QComboBox(this);
  for (int s = 1; s <= ds.series.extent(); ++s) {
    series_->addItem(QStringLiteral("%1  %2").arg(s).arg(from_cp932(ds.series[s].name)), s);
  }
  max_speed_ = new QSpinBox(this);
  max_speed_->setRange(INT_MIN / 2, INT_MAX / 2);  // the check refuses a negative speed
  max_speed_->setSuffix(QStringLiteral(" km/h"));
  max_speed_->setAlignment(Qt::AlignRight);
  users_ = new QListWidget(this);
  users_->setFocusPolicy(Qt::NoFocus);
  add_ = new QPushButton(pick("追加(&A)", "&Add", ui), this);
  delete_ = new QPushButton(pick("削除(&D)", "&Delete", ui), this);
  act_on_click_only({add_, delete_});

  auto* form = new QFormLayout;
  form->addRow(pick("略記速度種別名(&S):", "&Short name:", ui), short_);
  form->addRow(pick("速度種別名(&N):", "&Name:", ui), name_);
  form->addRow(pick("計測用形式(&M):", "&Measuring series:", ui), series_);
  form->addRow(pick("最高速度(&X):", "Ma&x. speed:", ui), max_speed_);
  auto* used = new QGroupBox(pick("この速度種別のダイヤ", "Runs with this speed type", ui), this);
  auto* used_layout = new QVBoxLayout(used);
  used_layout->addWidget(users_);
  auto* edit_buttons = new QHBoxLayout;
  edit_buttons->addWidget(add_);
  edit_buttons->addWidget(delete_);
  edit_buttons->addStretch();
  auto* side = new QVBoxLayout;
  side->addLayout(form);
  side->addWidget(used, 1);
  side->addLayout(edit_buttons);
  auto* top = new QHBoxLayout;
  top->addWidget(list_);
  top->addLayout(side, 1);
  QDialogButtonBox* buttons = ok_cancel_row(this, ui);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);

  refresh_list(1);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (updating_) return;
    if (!store_shown()) {
      const QSignalBlocker block(list_);
      list_->setCurrentRow(shown_ - 1);
      return;
    }
    (void)row;
    show_selected();
  });
  connect(add_, &QPushButton::clicked, this, &SpeedTypesDialog::add_speed_type);
  connect(delete_, &QPushButton::clicked, this, &SpeedTypesDialog::delete_speed_type);
  connect(buttons, &QDialogButtonBox::accepted, this, &SpeedTypesDialog::try_accept);
  list_->setFocus();
}

void SpeedTypesDialog::refresh_list(int select) {
  const dia::SpeedTypeTable& table = ds_.classification.speed_types;
  updating_ = true;
  list_->clear();
  for (int n = 1; n <= table.extent(); ++n) list_->addItem(list_text(table, n));
  list_->setCurrentRow(table.names_record(select) ? select - 1 : table.extent() - 1);
  updating_ = false;
  show_selected();
}

void SpeedTypesDialog::show_selected() {
  const dia::SpeedTypeTable& table = ds_.classification.speed_types;
  shown_ = list_->currentRow() + 1;
  users_->clear();
  if (!table.names_record(shown_)) return;
  const dia::SpeedType& s = table[shown_];
  short_->setText(from_cp932(s.short_name));
  name_->setText(from_cp932(s.name));
  int at = series_->findData(s.measuring_series);
  if (at < 0 && s.measuring_series != 0) {
    // A series number the table lacks stays as it is until changed.
    series_->addItem(QString::number(s.measuring_series), s.measuring_series);
    at = series_->count() - 1;
  }
  series_->setCurrentIndex(at);
  max_speed_->setValue(s.max_speed);
  for (int d : datafiles::runs_with_speed_type(ds_.dia, shown_)) {
    const dia::Diagram& run = ds_.dia.diagrams[d];
    const std::string type = std::string(
        dia::train_type_label(ds_.classification.train_types, run.train_type, 3));
    users_->addItem(QString::fromStdString(
        dia::speed_type_user_line(run.train_number, type, run.destination_text)));
  }
}

bool SpeedTypesDialog::store_shown() {
  dia::SpeedTypeTable& table = ds_.classification.speed_types;
  if (!table.names_record(shown_)) return true;
  dia::SpeedType v;
  v.short_name = to_cp932(short_->text());
  v.name = to_cp932(name_->text());
  v.measuring_series = series_->currentIndex() >= 0 ? series_->currentData().toInt()
                                                    : table[shown_].measuring_series;
  v.max_speed = max_speed_->value();
  const dia::SpeedType& s = table[shown_];
  if (v.short_name == s.short_name && v.name == s.name &&
      v.measuring_series == s.measuring_series && v.max_speed == s.max_speed) {
    return true;
  }
  const dia::EditResult r = dia::edit_speed_type(table, shown_, v);
  if (!r.ok()) {
    refuse_at(prompt_, r.caption(), r.text(), max_speed_);
    return false;
  }
  changed_ = true;
  if (QListWidgetItem* item = list_->item(shown_ - 1)) item->setText(list_text(table, shown_));
  return true;
}

void SpeedTypesDialog::add_speed_type() {
  if (!store_shown()) return;
  dia::SpeedType v;
  v.short_name = to_cp932(pick("新規", "New", ui_));
  v.name = v.short_name;
  v.measuring_series = series_->count() > 0 ? series_->itemData(0).toInt() : 0;
  v.max_speed = ds_.header.map.max_speed;
  const dia::EditResult r = dia::add_speed_type(ds_.classification.speed_types, v);
  if (!r.report(prompt_)) return;
  changed_ = true;
  refresh_list(r.number());
  name_->setFocus();
  name_->selectAll();
}

void SpeedTypesDialog::delete_speed_type() {
  if (!store_shown()) return;
  const dia::EditResult r =
      dia::delete_speed_type(ds_.classification.speed_types, ds_.classification.stop_times, shown_,
                             prompt_, datafiles::speed_type_users(ds_.dia));
  if (!r.report(prompt_)) return;
  changed_ = true;
  refresh_list(r.number());
}

void SpeedTypesDialog::try_accept() {
  if (!store_shown()) return;
  accept();
}

void SpeedTypesDialog::reject() {
  if (changed_) {
    ds_.classification.speed_types = saved_speed_types_;
    ds_.classification.stop_times = saved_stop_times_;
    std::size_t i = 0;
    for (dia::Diagram& d : ds_.dia.diagrams) {
      if (i < saved_run_speed_types_.size()) d.speed_type = saved_run_speed_types_[i++];
    }
    changed_ = false;
  }
  QDialog::reject();
}

bool run_speed_types_dialog(datafiles::DataSet& ds, Prompt& prompt, shell::UiLanguage ui,
                            QWidget* owner) {
  if (!dia::check_speed_type_dialog(ds.series.extent()).report(prompt)) return false;
  SpeedTypesDialog dialog(ds, prompt, ui, owner);
  return dialog.exec() == QDialog::Accepted && dialog.changed();
}

}  // namespace vosk::ui
