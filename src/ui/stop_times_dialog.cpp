#include "ui/stop_times_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "base/format.h"
#include "dia/stop_time.h"
#include "ui/dialog_support.h"

namespace vosk::ui {
namespace {

constexpr int kStandard = -1;  // chooser data: no entry ("標準")

}  // namespace

StopTimesDialog::StopTimesDialog(datafiles::DataSet& ds, Prompt& prompt, shell::UiLanguage ui,
                                 QWidget* owner)
    : QDialog(owner),
      ds_(ds),
      copy_(ds.classification.stop_times),
      choices_(dia::stop_time_choices(ds.header.dia.unit)) {
  (void)prompt;
  setWindowTitle(pick("標準停車時間設定", "Standard Stop Times", ui));
  station_mode_ = new QRadioButton(pick("駅別指定モード", "Per station", ui), this);
  track_mode_ = new QRadioButton(pick("駅内番線別指定モード", "Per track in the station", ui), this);
  station_mode_->setChecked(true);
  const bool per_speed = ds.header.dia.stop_time_velocity == 1;
  train_type_ = new QComboBox(this);
  speed_type_ = new QComboBox(this);
  if (per_speed) {
    train_type_->addItem(pick("列車種別指定不可", "No train types (kept per speed type)", ui), 0);
    train_type_->setEnabled(false);
    speed_type_->addItem(pick("速度種別無指定", "Any speed type", ui), 0);
    const dia::SpeedTypeTable& st = ds.classification.speed_types;
    for (int n = 1; n <= st.extent(); ++n) speed_type_->addItem(from_cp932(st[n].name), n);
  } else {
    train_type_->addItem(pick("列車種別無指定", "Any train type", ui), 0);
    const dia::TrainTypeTable& tt = ds.classification.train_types;
    for (int n = 1; n <= tt.extent(); ++n) train_type_->addItem(from_cp932(tt[n].name), n);
    speed_type_->addItem(pick("速度種別指定不可", "No speed types (kept per train type)", ui), 0);
    speed_type_->setEnabled(false);
  }
  places_ = new QListWidget(this);
  places_->setMinimumSize(360, 260);
  stop_ = new QComboBox(this);
  turnback_ = new QComboBox(this);
  stop_->addItem(pick("標準", "Standard", ui), kStandard);
  stop_->addItem(pick("通過", "Pass", ui), 0);
  turnback_->addItem(pick("標準", "Standard", ui), kStandard);
  for (int s : choices_) {
    const QString text = QString::fromStdString(format("%ld秒", static_cast<long>(s)));
    stop_->addItem(text, s);
    turnback_->addItem(text, s);
  }

  auto* modes = new QHBoxLayout;
  modes->addWidget(station_mode_);
  modes->addWidget(track_mode_);
  modes->addStretch();
  auto* types = new QFormLayout;
  types->addRow(pick("列車種別(&T):", "&Train type:", ui), train_type_);
  types->addRow(pick("速度種別(&V):", "Speed type (&V):", ui), speed_type_);
  auto* values = new QFormLayout;
  values->addRow(pick("停車時間(&S):", "&Stop time:", ui), stop_);
  values->addRow(pick("折返時間(&R):", "Tu&rnback time:", ui), turnback_);
  QDialogButtonBox* buttons = ok_cancel_row(this, ui);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(modes);
  layout->addLayout(types);
  layout->addWidget(places_, 1);
  layout->addLayout(values);
  layout->addWidget(buttons);

  rebuild_places();
  connect(station_mode_, &QRadioButton::toggled, this, [this] { rebuild_places(); });
  connect(train_type_, &QComboBox::currentIndexChanged, this, [this] { rebuild_places(); });
  connect(speed_type_, &QComboBox::currentIndexChanged, this, [this] { rebuild_places(); });
  connect(places_, &QListWidget::currentRowChanged, this, [this] { show_selected(); });
  connect(stop_, &QComboBox::currentIndexChanged, this,
          [this] { store(dia::kStopTime, stop_); });
  connect(turnback_, &QComboBox::currentIndexChanged, this,
          [this] { store(dia::kTurnbackTime, turnback_); });
  connect(buttons, &QDialogButtonBox::accepted, this, &StopTimesDialog::try_accept);
  places_->setFocus();
}

dia::StopTimeKey StopTimesDialog::key_of(const Place& place, int kind) const {
  dia::StopTimeKey key;
  key.target = place.target;
  key.rail = place.rail;
  key.kind = kind;
  key.train_type = train_type_->currentData().toInt();
  key.speed_type = speed_type_->currentData().toInt();
  return key;
}

QString StopTimesDialog::line_of(const Place& place) const {
  const std::string stop = dia::stop_time_text(dia::find_stop_time(copy_, key_of(place, 0)),
                                               ds_.header.dia.standard);
  const std::string turnback = dia::stop_time_text(dia::find_stop_time(copy_, key_of(place, 1)),
                                                   ds_.header.dia.reverse);
  return QString::fromStdString(dia::stop_time_list_line(place.name, stop, turnback));
}

void StopTimesDialog::rebuild_places() {
  const int row = places_->currentRow();
  updating_ = true;
  shown_places_.clear();
  places_->clear();
  if (station_mode_->isChecked()) {
    for (int t = 1; t <= ds_.map.targets.extent(); ++t) {
      shown_places_.push_back({t, 0, ds_.map.targets[t].name});
    }
  } else {
    // The tracks of the stopping places: rails that belong to a target.
    for (int r = 1; r <= ds_.map.rails.extent(); ++r) {
      const map::Rail& rail = ds_.map.rails[r];
      if (rail.target == 0 || !ds_.map.targets.names_record(rail.target)) continue;
      shown_places_.push_back({0, r, ds_.map.targets[rail.target].name + " " + rail.name});
    }
  }
  for (const Place& p : shown_places_) places_->addItem(line_of(p));
  const int count = static_cast<int>(shown_places_.size());
  places_->setCurrentRow(count == 0 ? -1 : (row >= 0 && row < count ? row : 0));
  updating_ = false;
  show_selected();
}

void StopTimesDialog::show_selected() {
  const int row = places_->currentRow();
  const bool any = row >= 0 && row < static_cast<int>(shown_places_.size());
  stop_->setEnabled(any);
  turnback_->setEnabled(any);
  if (!any) return;
  updating_ = true;
  const Place& place = shown_places_[static_cast<std::size_t>(row)];
  const auto pick_value = [](QComboBox* chooser, std::optional<int> seconds) {
    int at = chooser->findData(seconds.value_or(kStandard));
    if (at < 0) {
      // A value off the unit's steps (or a turnback of 0) is shown as it is.
      chooser->addItem(QString::fromStdString(format("%ld秒", static_cast<long>(*seconds))),
                       *seconds);
      at = chooser->count() - 1;
    }
    chooser->setCurrentIndex(at);
  };
  pick_value(stop_, dia::find_stop_time(copy_, key_of(place, 0)));
  pick_value(turnback_, dia::find_stop_time(copy_, key_of(place, 1)));
  updating_ = false;
}

void StopTimesDialog::store(int kind, const QComboBox* chooser) {
  const int row = places_->currentRow();
  if (updating_ || row < 0 || row >= static_cast<int>(shown_places_.size())) return;
  const Place& place = shown_places_[static_cast<std::size_t>(row)];
  const int value = chooser->currentData().toInt();
  const std::optional<int> seconds = value == kStandard ? std::nullopt : std::optional<int>(value);
  if (dia::find_stop_time(copy_, key_of(place, kind)) == seconds) return;
  dia::set_stop_time(copy_, key_of(place, kind), seconds);
  changed_ = true;
  places_->item(row)->setText(line_of(place));
}

void StopTimesDialog::try_accept() {
  if (changed_) ds_.classification.stop_times = copy_;
  accept();
}

bool run_stop_times_dialog(datafiles::DataSet& ds, Prompt& prompt, shell::UiLanguage ui,
                           QWidget* owner) {
  if (!dia::check_stop_time_dialog(ds.map.rails.extent()).report(prompt)) return false;
  StopTimesDialog dialog(ds, prompt, ui, owner);
  return dialog.exec() == QDialog::Accepted && dialog.changed();
}

}  // namespace vosk::ui
