#include "ui/station_info_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "map/station_edit.h"
#include "map/station_view.h"
#include "ui/map_dialog_support.h"

namespace vosk::ui {

namespace {

// Scale codes 1 .. 3 in list order.
const char* const kScaleTexts[] = {"無人駅", "有人駅", "主要駅"};
const char* const kScaleTextsEnglish[] = {"Unstaffed", "Staffed", "Major"};
// Time display codes 0 .. 3 in list order.
const char* const kTimeDisplayTexts[] = {"上下発時刻", "発着時刻", "下り着時刻", "上り着時刻"};
const char* const kTimeDisplayTextsEnglish[] = {"Departures, both ways",
                                                "Arrivals and departures", "Down arrivals",
                                                "Up arrivals"};

}  // namespace

StationInfoDialog::StationInfoDialog(datafiles::DataSet& data, Prompt& prompt, bool english,
                                     int target, QWidget* owner)
    : QDialog(owner), data_(data), prompt_(prompt) {
  const auto t = [english](const char* ja, const char* en) { return pick(english, ja, en); };
  setWindowTitle(t("駅情報設定", "Station Information"));
  const RecordTable<map::Target>& targets = data.map.targets;

  place_ = choice_list(this, {}, map::stopping_place_choices(targets), target);
  place_->setEnabled(target == 0);
  one_char_ = new QLineEdit(this);
  short_name_ = new QLineEdit(this);
  name_ = new QLineEdit(this);
  scale_ = new QComboBox(this);
  time_display_ = new QComboBox(this);
  for (int i = 0; i < 3; ++i) scale_->addItem(QString::fromUtf8(english ? kScaleTextsEnglish[i] : kScaleTexts[i]));
  for (int i = 0; i < 4; ++i)
    time_display_->addItem(
        QString::fromUtf8(english ? kTimeDisplayTextsEnglish[i] : kTimeDisplayTexts[i]));
  melody_time_ = number_field(this, " s");
  melody_file_ = new QLineEdit(this);
  door_min_ = number_field(this, " s");
  door_mid_ = number_field(this, " s");
  door_max_ = number_field(this, " s");
  show_tracks_ = new QCheckBox(t("番線表示", "Show track numbers"), this);
  tracks_ = new QListWidget(this);
  tracks_->setSelectionMode(QAbstractItemView::NoSelection);
  tracks_->setFocusPolicy(Qt::NoFocus);

  auto* names = new QFormLayout;
  names->addRow(t("駅(&P)", "&Place"), place_);
  names->addRow(t("一文字駅名(&1)", "One-&letter name"), one_char_);
  names->addRow(t("略記駅名(&B)", "&Abbreviated name"), short_name_);
  names->addRow(t("駅名(&N)", "&Name"), name_);
  names->addRow(t("駅規模(&C)", "S&cale"), scale_);
  names->addRow(t("時刻表示(&T)", "&Timetable shows"), time_display_);

  auto* melody = new QGroupBox(t("発車メロディ", "Departure melody"), this);
  auto* melody_form = new QFormLayout(melody);
  melody_form->addRow(t("時間(&M)", "Length (&M)"), melody_time_);
  melody_form->addRow(t("WAVファイル(&W)", "&WAV file"), melody_file_);

  auto* doors = new QGroupBox(t("ドア閉め時間", "Door closing time"), this);
  auto* door_row = new QHBoxLayout(doors);
  door_row->addWidget(new QLabel(t("最小", "Min"), this));
  door_row->addWidget(door_min_);
  door_row->addWidget(new QLabel(t("中間", "Mid"), this));
  door_row->addWidget(door_mid_);
  door_row->addWidget(new QLabel(t("最大", "Max"), this));
  door_row->addWidget(door_max_);

  auto* track_box = new QGroupBox(t("番線", "Tracks"), this);
  auto* track_layout = new QVBoxLayout(track_box);
  track_layout->addWidget(show_tracks_);
  track_layout->addWidget(tracks_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Cancel)->setText(t("キャンセル", "Cancel"));
  ok_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &StationInfoDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &StationInfoDialog::reject);

  auto* left = new QVBoxLayout;
  left->addLayout(names);
  left->addWidget(melody);
  left->addWidget(doors);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 3);
  columns->addWidget(track_box, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(buttons);

  // Tab order follows the reading order; the track list takes no focus.
  setTabOrder(place_, one_char_);
  setTabOrder(one_char_, short_name_);
  setTabOrder(short_name_, name_);
  setTabOrder(name_, scale_);
  setTabOrder(scale_, time_display_);
  setTabOrder(time_display_, melody_time_);
  setTabOrder(melody_time_, melody_file_);
  setTabOrder(melody_file_, door_min_);
  setTabOrder(door_min_, door_mid_);
  setTabOrder(door_mid_, door_max_);
  setTabOrder(door_max_, show_tracks_);

  connect(place_, &QComboBox::currentIndexChanged, this,
          [this] { show_place(chosen_value(*place_)); });
  show_place(chosen_value(*place_));
  ok_->setEnabled(targets.names_record(target_));
  (target == 0 ? static_cast<QWidget*>(place_) : one_char_)->setFocus();
}

void StationInfoDialog::show_place(int target) {
  target_ = target;
  const map::StationInput v =
      map::station_values(target, data_.map.stations, data_.map.targets);
  one_char_->setText(from_cp932(v.one_char_name));
  short_name_->setText(from_cp932(v.short_name));
  name_->setText(from_cp932(v.name));
  scale_->setCurrentIndex(v.scale >= 1 && v.scale <= 3 ? v.scale - 1 : -1);
  time_display_->setCurrentIndex(v.time_display >= 0 && v.time_display <= 3 ? v.time_display
                                                                             : -1);
  melody_time_->setValue(v.melody_time);
  melody_file_->setText(from_cp932(v.melody_file));
  door_min_->setValue(v.door_close_min);
  door_mid_->setValue(v.door_close_mid);
  door_max_->setValue(v.door_close_max);
  show_tracks_->setChecked(v.show_track_numbers);
  tracks_->clear();
  for (const std::string& line : map::station_track_texts(
           target, data_.map.rails, data_.map.targets, data_.header.wdia_mode != 0))
    tracks_->addItem(QString::fromStdString(line));
  // Wide enough for the longest line, so that no track is cut short.
  int widest = 0;
  for (int i = 0; i < tracks_->count(); ++i)
    widest = std::max(widest, tracks_->fontMetrics().horizontalAdvance(tracks_->item(i)->text()));
  tracks_->setMinimumWidth(std::min(widest + 32, 480));
  const bool station = map::station_fields_editable(target, data_.map.targets);
  for (QWidget* w : std::initializer_list<QWidget*>{scale_, melody_time_, melody_file_, door_min_,
                                                    door_mid_, door_max_, show_tracks_})
    w->setEnabled(station);
}

QWidget* StationInfoDialog::field_widget(int field) const {
  switch (field) {
    case map::kStationMelodyTime:
      return melody_time_;
    case map::kStationDoorMin:
      return door_min_;
    case map::kStationDoorMid:
      return door_mid_;
    case map::kStationDoorMax:
      return door_max_;
    default:
      return nullptr;
  }
}

void StationInfoDialog::accept() {
  // Values the lists do not offer (a scale or time display outside the
  // codes read from the file) stay as they were.
  map::StationInput input =
      map::station_values(target_, data_.map.stations, data_.map.targets);
  input.one_char_name = to_cp932(one_char_->text());
  input.short_name = to_cp932(short_name_->text());
  input.name = to_cp932(name_->text());
  if (scale_->currentIndex() >= 0) input.scale = scale_->currentIndex() + 1;
  if (time_display_->currentIndex() >= 0) input.time_display = time_display_->currentIndex();
  input.melody_time = melody_time_->value();
  input.melody_file = to_cp932(melody_file_->text());
  input.door_close_min = door_min_->value();
  input.door_close_mid = door_mid_->value();
  input.door_close_max = door_max_->value();
  input.show_track_numbers = show_tracks_->isChecked();
  if (auto error = map::edit_station(target_, input, data_.header.wdia_mode != 0,
                                     data_.map.stations, data_.map.targets)) {
    tell_error(prompt_, *error);
    if (QWidget* field = field_widget(error->field)) {
      field->setFocus();
      if (auto* spin = qobject_cast<QSpinBox*>(field)) spin->selectAll();
    }
    return;
  }
  QDialog::accept();
}

}  // namespace vosk::ui
