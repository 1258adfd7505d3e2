#include "ui/rail_properties_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "base/sjis.h"
#include "map/detail_edit.h"
#include "map/electrification.h"
#include "map/property_choices.h"
#include "map/rail_pair_view.h"
#include "ui/map_dialog_support.h"

namespace vosk::ui {

namespace {

void focus(QWidget* field) {
  if (!field) return;
  field->setFocus();
  if (auto* spin = qobject_cast<QSpinBox*>(field)) spin->selectAll();
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

}  // namespace

RailPropertiesDialog::RailPropertiesDialog(datafiles::DataSet& data, Prompt& prompt,
                                           bool english, int rail, QWidget* owner)
    : QDialog(owner),
      data_(data),
      prompt_(prompt),
      rail_(rail),
      pair_(map::rail_pair_of(data.map.rails, rail)),
      details_(data.map.details) {
  const auto t = [english](const char* ja, const char* en) { return pick(english, ja, en); };
  const datafiles::MapTables& m = data.map;
  setWindowTitle(t("線路情報入力", "Rail Properties"));
  const map::RailPairInput v = map::rail_pair_values(rail, m.rails, m.prails, m.points);
  const map::RailPairFields shown = map::rail_pair_fields(rail, m.rails, m.prails, m.points);
  const std::vector<map::Choice> places = map::stopping_place_choices(m.targets);

  // The track.
  target_ = choice_list(this, t("（駅外）", "(outside stations)"), places, v.target);
  area_ = choice_list(this, t("（駅外）", "(outside stations)"), places, v.area);
  electrification_ = new QComboBox(this);
  for (std::string_view label : map::kElectrificationLabels)
    electrification_->addItem(QString::fromUtf8(label.data(), static_cast<int>(label.size())));
  electrification_->setCurrentIndex(
      v.electrification >= 0 && v.electrification < map::kElectrificationCount ? v.electrification
                                                                               : -1);
  single_track_ = new QCheckBox(t("単線区間指定", "Single track"), this);
  single_track_->setChecked(v.single_track);
  length_ = number_field(this, " m");
  length_->setValue(v.length);
  limit_on_ = new QCheckBox(t("制限速度", "Speed limit"), this);
  limit_on_->setChecked(v.speed_limit_on);
  limit_ = number_field(this, " km/h");
  limit_->setValue(v.speed_limit);
  limit_->setEnabled(v.speed_limit_on);
  connect(limit_on_, &QCheckBox::toggled, limit_, &QWidget::setEnabled);
  gradient_ = number_field(this, " ‰");
  gradient_->setValue(v.gradient);
  radius_ = number_field(this, " m");
  radius_->setValue(v.radius);
  point_key_ = new QLineEdit(from_cp932(v.point_key), this);
  // Shown greyed when the track lies on no point.
  point_key_->setEnabled(shown.point_key);

  auto* track = new QGroupBox(t("線路", "Track"), this);
  auto* track_form = new QFormLayout(track);
  track_form->addRow(t("駅(&S)", "&Stopping place"), target_);
  track_form->addRow(t("駅構内(&Y)", "Station &yard"), area_);
  track_form->addRow(t("電化(&E)", "&Electrification"), electrification_);
  track_form->addRow(QString(), single_track_);
  track_form->addRow(t("区間距離(&L)", "Section &length"), length_);
  auto* limit_row = new QHBoxLayout;
  limit_row->addWidget(limit_on_);
  limit_row->addWidget(limit_, 1);
  track_form->addRow(limit_row);
  track_form->addRow(t("勾配(&G)", "&Gradient"), gradient_);
  track_form->addRow(t("曲線半径(&R)", "Curve &radius"), radius_);
  track_form->addRow(t("ポイントキー(&K)", "Point &key"), point_key_);

  // Both directions; a side without a rail is shown empty and disabled.
  left_ = make_side(t("←方向", "Leftward (←)"), pair_.leftward, v.leftward,
                    shown.stop_distances, english);
  right_ = make_side(t("→方向", "Rightward (→)"), pair_.rightward, v.rightward,
                     shown.stop_distances, english);
  // Choosing a stopping place for a rail outside one asks for its stop
  // distances too.
  connect(target_, &QComboBox::currentIndexChanged, this, [this, shown] {
    const bool stop_shown = shown.stop_distances || chosen_value(*target_) != 0;
    for (Side* side : {&left_, &right_}) {
      side->stop_distance->setVisible(stop_shown);
      if (QWidget* label = side->form->labelForField(side->stop_distance))
        label->setVisible(stop_shown);
    }
  });
  auto* sides = new QHBoxLayout;
  sides->addWidget(left_.box);
  sides->addWidget(right_.box);

  // The details of one side.
  detail_side_ = new QComboBox(this);
  detail_side_->addItem(t("←方向の詳細設定", "Leftward details"));
  detail_side_->addItem(t("→方向の詳細設定", "Rightward details"));
  detail_side_->setCurrentIndex(pair_.leftward != 0 ? 0 : 1);
  detail_side_->setEnabled(pair_.leftward != 0 && pair_.rightward != 0);
  detail_list_ = new QListWidget(this);
  d_start_ = number_field(this, " m");
  d_end_ = number_field(this, " m");
  d_limit_on_ = new QCheckBox(t("制限速度", "Speed limit"), this);
  d_limit_ = number_field(this, " km/h");
  d_limit_->setEnabled(false);
  connect(d_limit_on_, &QCheckBox::toggled, d_limit_, &QWidget::setEnabled);
  d_gradient_ = number_field(this, " ‰");
  d_radius_ = number_field(this, " m");
  add_ = new QPushButton(t("追加(&A)", "&Add"), this);
  replace_ = new QPushButton(t("置換(&P)", "Re&place"), this);
  delete_ = new QPushButton(t("削除(&D)", "&Delete"), this);
  for (QPushButton* b : {add_, replace_, delete_}) b->setAutoDefault(false);

  auto* detail_box = new QGroupBox(t("詳細設定", "Details"), this);
  auto* detail_grid = new QGridLayout(detail_box);
  detail_grid->addWidget(detail_side_, 0, 0, 1, 2);
  detail_grid->addWidget(detail_list_, 1, 0, 6, 1);
  auto* detail_form = new QFormLayout;
  detail_form->addRow(t("開始位置", "Start"), d_start_);
  detail_form->addRow(t("終了位置", "End"), d_end_);
  auto* d_limit_row = new QHBoxLayout;
  d_limit_row->addWidget(d_limit_on_);
  d_limit_row->addWidget(d_limit_, 1);
  detail_form->addRow(d_limit_row);
  detail_form->addRow(t("勾配", "Gradient"), d_gradient_);
  detail_form->addRow(t("曲線半径", "Curve radius"), d_radius_);
  detail_grid->addLayout(detail_form, 1, 1);
  auto* detail_buttons = new QHBoxLayout;
  detail_buttons->addWidget(add_);
  detail_buttons->addWidget(replace_);
  detail_buttons->addWidget(delete_);
  detail_grid->addLayout(detail_buttons, 2, 1);
  detail_grid->setColumnStretch(0, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Cancel)->setText(t("キャンセル", "Cancel"));
  ok_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &RailPropertiesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &RailPropertiesDialog::reject);

  auto* top = new QHBoxLayout;
  top->addWidget(track);
  top->addLayout(sides, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(detail_box);
  layout->addWidget(buttons);

  QWidget* order[] = {target_,          area_,           electrification_,  single_track_,
                      length_,          limit_on_,       limit_,            gradient_,
                      radius_,          point_key_,      left_.short_name,  left_.name,
                      left_.stop_distance, left_.signal, right_.short_name, right_.name,
                      right_.stop_distance, right_.signal, detail_side_,    detail_list_,
                      d_start_,         d_end_,          d_limit_on_,       d_limit_,
                      d_gradient_,      d_radius_,       add_,              replace_,
                      delete_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(detail_side_, &QComboBox::currentIndexChanged, this, [this] { show_details(); });
  connect(detail_list_, &QListWidget::currentRowChanged, this,
          [this](int row) { show_detail(row); });
  connect(add_, &QPushButton::clicked, this, &RailPropertiesDialog::add_detail);
  connect(replace_, &QPushButton::clicked, this, &RailPropertiesDialog::replace_detail);
  connect(delete_, &QPushButton::clicked, this, &RailPropertiesDialog::delete_detail);
  show_details();
  target_->setFocus();
}

RailPropertiesDialog::Side RailPropertiesDialog::make_side(const QString& title, int rail,
                                                           const map::RailSideInput& values,
                                                           bool stop_shown, bool english) {
  const auto t = [english](const char* ja, const char* en) { return pick(english, ja, en); };
  Side side;
  side.box = new QGroupBox(title, this);
  side.short_name = new QLineEdit(from_cp932(values.short_name), side.box);
  side.name = new QLineEdit(from_cp932(values.name), side.box);
  side.stop_distance = number_field(side.box, " m");
  side.stop_distance->setValue(values.stop_distance);
  side.signal = choice_list(side.box, t("（なし）", "(none)"),
                            map::signal_choices(data_.map.signals), values.signal);
  auto* form = new QFormLayout(side.box);
  side.form = form;
  form->addRow(t("略記名称", "Abbreviated name"), side.short_name);
  form->addRow(t("名称", "Name"), side.name);
  form->addRow(t("停止目標距離", "Stop mark at"), side.stop_distance);
  form->addRow(t("信号", "Signal"), side.signal);
  // Stop distances belong to rails already in a stopping place.
  side.stop_distance->setVisible(stop_shown);
  if (QWidget* label = form->labelForField(side.stop_distance)) label->setVisible(stop_shown);
  side.box->setEnabled(rail != 0);
  return side;
}

map::RailSideInput RailPropertiesDialog::side_input(const Side& side) const {
  map::RailSideInput input;
  input.short_name = to_cp932(side.short_name->text());
  input.name = to_cp932(side.name->text());
  input.stop_distance = side.stop_distance->value();
  input.signal = chosen_value(*side.signal);
  return input;
}

QWidget* RailPropertiesDialog::field_widget(int field) const {
  switch (field) {
    case map::kRailSpeedLimit:
      return limit_;
    case map::kRailLength:
      return length_;
    case map::kRailLeftwardStop:
      return left_.stop_distance;
    case map::kRailRightwardStop:
      return right_.stop_distance;
    case map::kRailPointKey:
      return point_key_;
    default:
      return nullptr;
  }
}

void RailPropertiesDialog::refuse(const map::EditError& error, QWidget* field) {
  tell_error(prompt_, error);
  focus(field);
}

void RailPropertiesDialog::accept() {
  const datafiles::MapTables& m = data_.map;
  map::RailPairInput input = map::rail_pair_values(rail_, m.rails, m.prails, m.points);
  input.target = chosen_value(*target_);
  input.area = chosen_value(*area_);
  if (electrification_->currentIndex() >= 0) input.electrification = electrification_->currentIndex();
  input.single_track = single_track_->isChecked();
  input.length = length_->value();
  input.speed_limit_on = limit_on_->isChecked();
  input.speed_limit = limit_->value();
  input.gradient = gradient_->value();
  input.radius = radius_->value();
  input.point_key = to_cp932(point_key_->text());
  input.leftward = side_input(left_);
  input.rightward = side_input(right_);
  datafiles::MapTables& tables = data_.map;
  const map::EditResult result = map::edit_rail_pair(rail_, input, tables.rails, tables.prails,
                                                     tables.points, tables.targets, prompt_);
  switch (result.status) {
    case map::EditResult::Status::Applied:
      tables.details = details_;
      QDialog::accept();
      return;
    case map::EditResult::Status::Refused:
      refuse(result.error, field_widget(result.error.field));
      return;
    case map::EditResult::Status::Declined:
      focus(gradient_);
      return;
  }
}

// --- details -------------------------------------------------------------------

int RailPropertiesDialog::detail_rail() const {
  return detail_side_->currentIndex() == 0 ? pair_.leftward : pair_.rightward;
}

void RailPropertiesDialog::show_details() {
  shown_details_ = detail_rail() != 0 ? map::details_of_rail(details_, detail_rail())
                                      : std::vector<int>{};
  detail_list_->clear();
  for (int n : shown_details_)
    detail_list_->addItem(QString::fromStdString(map::detail_list_text(details_[n])));
  for (QWidget* w : std::initializer_list<QWidget*>{add_, replace_, delete_})
    w->setEnabled(detail_rail() != 0);
}

void RailPropertiesDialog::show_detail(int row) {
  if (row < 0 || row >= static_cast<int>(shown_details_.size())) return;
  const map::Detail& d = details_[shown_details_[static_cast<std::size_t>(row)]];
  d_start_->setValue(d.start);
  d_end_->setValue(d.end);
  d_limit_on_->setChecked(d.speed_limit != 0);
  d_limit_->setValue(d.speed_limit);
  d_gradient_->setValue(d.gradient);
  d_radius_->setValue(d.radius);
}

namespace {

map::DetailInput detail_input(const QSpinBox& start, const QSpinBox& end, const QCheckBox& on,
                              const QSpinBox& limit, const QSpinBox& gradient,
                              const QSpinBox& radius) {
  map::DetailInput input;
  input.start = start.value();
  input.end = end.value();
  input.limit_on = on.isChecked();
  input.speed_limit = limit.value();
  input.gradient = gradient.value();
  input.radius = radius.value();
  return input;
}

}  // namespace

void RailPropertiesDialog::add_detail() {
  // Details are checked against the length the dialog shows now.
  const map::DetailInput input =
      detail_input(*d_start_, *d_end_, *d_limit_on_, *d_limit_, *d_gradient_, *d_radius_);
  if (auto error = map::add_detail(details_, detail_rail(), length_->value(), input)) {
    refuse(*error, error->field == map::kDetailEnd ? d_end_ : d_start_);
    return;
  }
  show_details();
  detail_list_->setCurrentRow(detail_list_->count() - 1);
}

void RailPropertiesDialog::replace_detail() {
  const int row = detail_list_->currentRow();
  const int selected =
      row >= 0 && row < static_cast<int>(shown_details_.size()) ? shown_details_[static_cast<std::size_t>(row)] : 0;
  const map::DetailInput input =
      detail_input(*d_start_, *d_end_, *d_limit_on_, *d_limit_, *d_gradient_, *d_radius_);
  if (auto error = map::replace_detail(details_, selected, length_->value(), input)) {
    refuse(*error, error->field == map::kDetailEnd ? d_end_
                   : error->field == map::kDetailStart ? static_cast<QWidget*>(d_start_)
                                                       : detail_list_);
    return;
  }
  show_details();
  detail_list_->setCurrentRow(row);
}

void RailPropertiesDialog::delete_detail() {
  const int row = detail_list_->currentRow();
  const int selected =
      row >= 0 && row < static_cast<int>(shown_details_.size()) ? shown_details_[static_cast<std::size_t>(row)] : 0;
  if (auto error = map::delete_detail(details_, selected)) {
    refuse(*error, detail_list_);
    return;
  }
  show_details();
  detail_list_->setCurrentRow(std::min(row, detail_list_->count() - 1));
}

}  // namespace vosk::ui
