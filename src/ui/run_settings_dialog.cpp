#include "ui/run_settings_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "base/ini.h"
#include "base/sjis.h"
#include "ui/dialog_support.h"

namespace vosk::ui {
namespace {

using diaedit::RunSettingsField;

// Record names of a classification table, 1-based, as combo entries whose
// data is the record number.
template <class Table>
void fill_names(QComboBox* box, const Table& table, int current) {
  for (int n = 1; n <= table.extent(); ++n) {
    box->addItem(QStringLiteral("%1  %2").arg(n, 2).arg(from_cp932(table[n].name)), n);
  }
  const int at = box->findData(current);
  if (at >= 0) {
    box->setCurrentIndex(at);
  } else {
    // A value the tables do not hold (a temporary dia has no train type):
    // shown as it is, so that OK without a choice keeps it.
    box->insertItem(0, QStringLiteral("(%1)").arg(current), current);
    box->setCurrentIndex(0);
  }
}

}  // namespace

RunSettingsDialog::RunSettingsDialog(diaedit::DiaEditController& controller, Prompt& prompt,
                                     shell::UiLanguage ui, bool change_stop_pass, QWidget* parent)
    : QDialog(parent), controller_(controller), prompt_(prompt) {
  setWindowTitle(pick("ダイヤ設定", "Dia Settings", ui));
  const auto& data = controller.data();
  const int n = controller.diagram();
  if (data.dia.diagrams.names_record(n)) start_ = diaedit::run_settings_of(data.dia.diagrams[n]);
  destinations_ = diaedit::destination_choices(data);

  number_ = new QLineEdit(from_cp932(start_.train_number));
  type_ = new QComboBox;
  fill_names(type_, data.classification.train_types, start_.train_type);
  speed_ = new QComboBox;
  fill_names(speed_, data.classification.speed_types, start_.speed_type);

  destination_ = new QComboBox;
  destination_->addItem(pick("（自由入力）", "(free text)", ui), 0);
  for (const diaedit::DestinationChoice& c : destinations_)
    destination_->addItem(QString::fromStdString(c.label), c.target);
  const int at = start_.destination > 0 ? destination_->findData(start_.destination) : 0;
  destination_->setCurrentIndex(at >= 0 ? at : 0);
  destination_text_ = new QLineEdit(from_cp932(start_.destination_text));
  // Choosing a station writes its name as the text shown on the train.
  connect(destination_, &QComboBox::activated, this, [this](int index) {
    if (index <= 0 || index > static_cast<int>(destinations_.size())) return;
    destination_text_->setText(from_cp932(destinations_[index - 1].text));
  });

  crew_ = new QComboBox;
  crew_->addItem(pick("ワンマン", "One-man", ui), 0);
  for (int k = 1; k <= diaedit::kMaxCrew; ++k)
    crew_->addItem(pick("車掌%1人", "%1 conductor(s)", ui).arg(k), k);
  crew_->setCurrentIndex(std::max(0, crew_->findData(start_.crew)));

  nickname_ = new QLineEdit(from_cp932(start_.nickname));
  car_number_ = new QSpinBox;
  car_number_->setRange(0, diaedit::kMaxCarNumber);
  car_number_->setSpecialValueText(pick("なし", "none", ui));
  car_number_->setSuffix(pick("号", "", ui));
  car_number_->setValue(start_.car_number);
  remarks_ = new QLineEdit(from_cp932(start_.remarks));
  remarks_->setMinimumWidth(number_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 28);

  follow_ =
      new QCheckBox(pick("併結列車一括指定(&F)", "Same information for coupled runs (&F)", ui));
  follow_->setChecked(start_.follow_coupled);
  stop_pass_ = new QCheckBox(
      pick("種別変更時停通自動設定(&S)", "Set stops and passes when the type changes (&S)", ui));
  stop_pass_->setChecked(change_stop_pass);

  auto* form = new QFormLayout;
  form->addRow(pick("列車番号(&N)：", "Train &number:", ui), number_);
  form->addRow(pick("列車種別(&T)：", "Train &type:", ui), type_);
  form->addRow(pick("速度種別(&V)：", "Speed t&ype:", ui), speed_);
  form->addRow(pick("行先(&D)：", "&Destination:", ui), destination_);
  form->addRow(pick("行先表示(&X)：", "Destination te&xt:", ui), destination_text_);
  form->addRow(pick("乗務員(&C)：", "&Crew:", ui), crew_);
  auto* nick_row = new QHBoxLayout;
  nick_row->addWidget(nickname_, 1);
  nick_row->addWidget(car_number_);
  auto* nick_label = new QLabel(pick("愛称(&A)：", "Nickn&ame:", ui));
  nick_label->setBuddy(nickname_);
  form->addRow(nick_label, nick_row);
  form->addRow(pick("備考(&R)：", "&Remarks:", ui), remarks_);

  auto* buttons = ok_cancel_row(this, ui);
  connect(buttons, &QDialogButtonBox::accepted, this, &RunSettingsDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(follow_);
  layout->addWidget(stop_pass_);
  layout->addWidget(buttons);
  number_->selectAll();
  number_->setFocus();
}

diaedit::RunSettings RunSettingsDialog::collect() const {
  diaedit::RunSettings v = start_;
  v.train_number = to_cp932(number_->text());
  v.train_type = type_->currentData().toInt();
  v.speed_type = speed_->currentData().toInt();
  const int target = destination_->currentData().toInt();
  v.destination = target > 0 ? target : (start_.destination > 0 ? 0 : start_.destination);
  v.destination_text = to_cp932(destination_text_->text());
  v.crew = crew_->currentData().toInt();
  v.nickname = to_cp932(nickname_->text());
  v.car_number = car_number_->value();
  v.remarks = to_cp932(remarks_->text());
  v.follow_coupled = follow_->isChecked();
  return v;
}

QWidget* RunSettingsDialog::field(RunSettingsField f) const {
  switch (f) {
    case RunSettingsField::TrainNumber:
      return number_;
    case RunSettingsField::TrainType:
      return type_;
    case RunSettingsField::SpeedType:
      return speed_;
    case RunSettingsField::Destination:
      return destination_;
    case RunSettingsField::DestinationText:
      return destination_text_;
    case RunSettingsField::Crew:
      return crew_;
    case RunSettingsField::Nickname:
      return nickname_;
    case RunSettingsField::CarNumber:
      return car_number_;
    case RunSettingsField::Remarks:
      return remarks_;
    case RunSettingsField::None:
      break;
  }
  return nullptr;
}

void RunSettingsDialog::accept() {
  RunSettingsField in_error = RunSettingsField::None;
  const dia::EditResult r =
      controller_.set_run_settings(collect(), stop_pass_->isChecked(), prompt_, &in_error);
  finish_edit(*this, r, prompt_, field(in_error));
}

bool run_settings_dialog(diaedit::DiaEditController& controller, EditorState& state, Prompt& prompt,
                         QWidget* parent) {
  const ini::Document file = ini::Document::load_or_empty(state.start.files.settings_file);
  const bool stop_pass = file.get_int(kRunSettingsSection, kChangeStopPassKey, 0) != 0;
  RunSettingsDialog dialog(controller, prompt, state.ui(), stop_pass, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  const bool now = dialog.change_stop_pass()->isChecked();
  if (now != stop_pass) {
    update_settings_file(state.start.files, [now](ini::Document& doc) {
      doc.set_int(kRunSettingsSection, kChangeStopPassKey, now ? 1 : 0);
      return true;
    });
  }
  return true;
}

}  // namespace vosk::ui
