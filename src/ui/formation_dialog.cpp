#include "ui/formation_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "base/time_text.h"
#include "datafiles/dia_editing.h"
#include "datafiles/series_edits.h"
#include "datafiles/table_loader.h"
#include "dia/formations.h"
#include "ui/dialog_support.h"
#include "ui/series_list_dialog.h"

namespace vosk::ui {

FormationDialog::FormationDialog(datafiles::DataSet& ds, const stock::StockFolders& folders,
                                 Prompt& prompt, shell::UiLanguage ui, int train, QWidget* owner)
    : QDialog(owner), ds_(ds), folders_(folders), prompt_(prompt), ui_(ui) {
  setWindowTitle(pick("編成・仕業設定", "Formations and Duties", ui));
  ask_values = [this, ui](const FormationValues& initial) {
    return ask_formation(ds_.series, initial, ui, this);
  };
  duties_ = new QListWidget(this);
  duties_->setMinimumWidth(160);
  formations_ = new QListWidget(this);
  formations_->setMinimumSize(280, 140);
  rail_ = new QComboBox(this);
  // The rails a duty can stand on: those with a stopping mark.
  for (int r = 1; r <= ds.map.rails.extent(); ++r) {
    const map::Rail& rail = ds.map.rails[r];
    if (rail.stop_distance == 0) continue;
    QString place = from_cp932(rail.name);
    if (ds.map.targets.names_record(rail.target)) {
      place = from_cp932(ds.map.targets[rail.target].name) + QStringLiteral("  ") + place;
    }
    rail_->addItem(place, r);
  }
  apply_ = new QPushButton(pick("編集適用(&P)", "A&pply", ui), this);
  add_ = new QPushButton(pick("最後尾編成追加(&A)", "&Add rear formation", ui), this);
  remove_ = new QPushButton(pick("最後尾編成削除(&R)", "&Remove rear formation", ui), this);
  edit_ = new QPushButton(pick("情報編集(&E)", "&Edit formation", ui), this);
  delete_ = new QPushButton(pick("仕業削除(&D)", "&Delete duty", ui), this);
  series_button_ = new QPushButton(pick("形式一覧(&S)...", "&Series list...", ui), this);
  start_time_ = new QLineEdit(QStringLiteral("6:00:00"), this);
  start_time_->setFixedWidth(
      start_time_->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + 24);
  first_run_ = new QPushButton(pick("現在位置から作成(&N)", "&New from position", ui), this);
  temporary_ = new QPushButton(pick("臨時運用(&T)", "&Temporary", ui), this);
  choose_run_ = new QPushButton(pick("ダイヤ選択(&H)...", "C&hoose run...", ui), this);
  act_on_click_only(
      {apply_, add_, remove_, edit_, delete_, series_button_, first_run_, temporary_, choose_run_});

  auto* place_row = new QHBoxLayout;
  auto* rail_label = new QLabel(pick("初期位置(&I):", "&Initial position:", ui), this);
  rail_label->setBuddy(rail_);
  place_row->addWidget(rail_label);
  place_row->addWidget(rail_, 1);
  place_row->addWidget(apply_);
  auto* formation_buttons = new QHBoxLayout;
  formation_buttons->addWidget(add_);
  formation_buttons->addWidget(remove_);
  formation_buttons->addWidget(edit_);
  formation_buttons->addStretch();
  auto* coupled = new QGroupBox(pick("編成（先頭から）", "Formations (head first)", ui), this);
  auto* coupled_layout = new QVBoxLayout(coupled);
  coupled_layout->addWidget(formations_);
  coupled_layout->addLayout(formation_buttons);
  auto* side = new QVBoxLayout;
  side->addLayout(place_row);
  side->addWidget(coupled, 1);
  auto* runs = new QGroupBox(pick("初期ダイヤ", "First working", ui), this);
  auto* runs_row = new QHBoxLayout(runs);
  auto* time_label = new QLabel(pick("発車時刻(&M):", "Start ti&me:", ui), runs);
  time_label->setBuddy(start_time_);
  runs_row->addWidget(time_label);
  runs_row->addWidget(start_time_);
  runs_row->addWidget(first_run_);
  runs_row->addWidget(temporary_);
  runs_row->addWidget(choose_run_);
  runs_row->addStretch();
  side->addWidget(runs);
  auto* duty_buttons = new QHBoxLayout;
  duty_buttons->addWidget(delete_);
  duty_buttons->addStretch();
  duty_buttons->addWidget(series_button_);
  side->addLayout(duty_buttons);
  auto* top = new QHBoxLayout;
  top->addWidget(duties_);
  top->addLayout(side, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(close_row(this, ui));

  refresh(train);
  connect(duties_, &QListWidget::currentRowChanged, this, [this] {
    if (!updating_) show_duty();
  });
  connect(apply_, &QPushButton::clicked, this, &FormationDialog::place);
  connect(add_, &QPushButton::clicked, this, &FormationDialog::add_rear);
  connect(remove_, &QPushButton::clicked, this, &FormationDialog::remove_rear);
  connect(edit_, &QPushButton::clicked, this, &FormationDialog::edit_selected);
  connect(delete_, &QPushButton::clicked, this, &FormationDialog::delete_selected);
  connect(series_button_, &QPushButton::clicked, this, &FormationDialog::open_series_list);
  connect(first_run_, &QPushButton::clicked, this, &FormationDialog::create_first_run);
  connect(temporary_, &QPushButton::clicked, this, &FormationDialog::create_temporary_run);
  connect(choose_run_, &QPushButton::clicked, this, &FormationDialog::choose_first_run);
  connect(formations_, &QListWidget::itemDoubleClicked, this, &FormationDialog::edit_selected);
  duties_->setFocus();
}

int FormationDialog::selected_train() const {
  const int n = duties_->currentRow() + 1;
  return ds_.dia.trains.names_record(n) ? n : 0;
}

int FormationDialog::selected_unit() const {
  const int row = formations_->currentRow();
  return row >= 0 && row < static_cast<int>(unit_rows_.size())
             ? unit_rows_[static_cast<std::size_t>(row)]
             : 0;
}

void FormationDialog::refresh(int train) {
  updating_ = true;
  duties_->clear();
  for (int t = 1; t <= ds_.dia.trains.extent(); ++t) {
    const dia::Train& duty = ds_.dia.trains[t];
    QString name = from_cp932(duty.name);
    if (ds_.dia.units.names_record(duty.head_unit)) {
      name = from_cp932(ds_.dia.units[duty.head_unit].name) + QString::fromUtf8("編成");
    }
    duties_->addItem(QStringLiteral("%1  %2").arg(t, 3).arg(name));
  }
  const int extent = ds_.dia.trains.extent();
  duties_->setCurrentRow(extent == 0 ? -1 : std::clamp(train, 1, extent) - 1);
  updating_ = false;
  show_duty();
}

void FormationDialog::show_duty() {
  const int train = selected_train();
  formations_->clear();
  unit_rows_.clear();
  for (QWidget* w :
       std::initializer_list<QWidget*>{rail_, apply_, add_, remove_, edit_, delete_, start_time_,
                                       first_run_, temporary_, choose_run_})
    w->setEnabled(train != 0);
  if (train == 0) return;
  const dia::Train& duty = ds_.dia.trains[train];
  int u = duty.head_unit;
  for (int steps = ds_.dia.units.extent(); ds_.dia.units.names_record(u) && steps-- > 0;
       u = ds_.dia.units[u].unit_behind) {
    const dia::Unit& unit = ds_.dia.units[u];
    QString series;
    if (ds_.series.names_record(unit.series)) {
      series = QStringLiteral("%1 %2").arg(from_cp932(ds_.series[unit.series].name))
                   .arg(ds_.series[unit.series].cars) + QString::fromUtf8("両");
    }
    formations_->addItem(from_cp932(unit.name) + QString::fromUtf8("編成  ") + series);
    unit_rows_.push_back(u);
  }
  formations_->setCurrentRow(unit_rows_.empty() ? -1 : 0);
  int at = rail_->findData(duty.initial_rail);
  if (at < 0 && duty.initial_rail != 0) {
    rail_->addItem(QString::number(duty.initial_rail), duty.initial_rail);
    at = rail_->count() - 1;
  }
  rail_->setCurrentIndex(at);
  // A new first working starts when the present one does.
  const auto& diagrams = ds_.dia.diagrams;
  if (diagrams.names_record(duty.first_diagram) && diagrams[duty.first_diagram].event_count() > 0)
    start_time_->setText(QString::fromStdString(
        timetext::format(diagrams[duty.first_diagram].events[0].time, true)));
}

bool FormationDialog::settle(const dia::EditResult& result) {
  if (!result.report(prompt_)) return false;
  changed_ = true;
  return true;
}

void FormationDialog::place() {
  const int train = selected_train();
  if (train == 0 || rail_->currentIndex() < 0) return;
  if (rail_->currentData().toInt() == ds_.dia.trains[train].initial_rail) return;  // unchanged
  datafiles::DiaEditing editing(ds_, prompt_);
  if (!settle(dia::place_duty(editing.formations(), ds_.dia, train, rail_->currentData().toInt()))) {
    rail_->setFocus();
    return;
  }
  refresh(train);
}

void FormationDialog::add_rear() {
  const int train = selected_train();
  if (train == 0) return;
  FormationValues initial;
  if (!unit_rows_.empty()) initial.series = ds_.dia.units[unit_rows_.back()].series;
  const std::optional<FormationValues> values = ask_values(initial);
  if (!values) return;
  datafiles::DiaEditing editing(ds_, prompt_);
  if (settle(dia::add_rear_formation(editing.formations(), ds_.dia, train, values->name,
                                     values->series))) {
    refresh(train);
  }
}

void FormationDialog::remove_rear() {
  const int train = selected_train();
  if (train == 0) return;
  datafiles::DiaEditing editing(ds_, prompt_);
  if (settle(dia::remove_rear_formation(editing.formations(), ds_.dia, train))) refresh(train);
}

void FormationDialog::edit_selected() {
  const int train = selected_train();
  const int unit = selected_unit();
  if (train == 0 || unit == 0) return;
  const std::optional<FormationValues> values =
      ask_values({ds_.dia.units[unit].name, ds_.dia.units[unit].series});
  if (!values) return;
  datafiles::DiaEditing editing(ds_, prompt_);
  if (settle(dia::edit_formation(editing.formations(), ds_.dia, unit, values->name,
                                 values->series))) {
    refresh(train);
  }
}

void FormationDialog::delete_selected() {
  const int train = selected_train();
  if (train == 0) return;
  datafiles::DiaEditing editing(ds_, prompt_);
  if (settle(dia::delete_duty(editing.formations(), ds_.dia, train))) refresh(train);
}

void FormationDialog::open_series_list() {
  if (run_series_list(ds_, folders_, prompt_, ui_, this)) {
    changed_ = true;
    refresh(selected_train());  // series names and car counts may have changed
  }
}

bool run_formation_dialog(datafiles::DataSet& ds, const stock::StockFolders& folders,
                          shell::BusyLock& busy, Prompt& prompt, shell::UiLanguage ui, int train,
                          QWidget* owner) {
  if (!busy.check(prompt)) return false;
  shell::BusyScope scope(busy, shell::BusyState::UnitWorkingDialog);
  FormationDialog dialog(ds, folders, prompt, ui, train, owner);
  dialog.exec();
  return dialog.changed();
}

bool run_formation_dialog(EditorState& state, datafiles::DataSet& ds, Prompt& prompt, int train,
                          QWidget* owner) {
  const bool changed = run_formation_dialog(
      ds, datafiles::stock_folders(state.start.folders, state.start.files.folder), state.busy,
      prompt, state.ui(), train, owner);
  if (changed) datafiles::rebuild_derived_data(ds, state.english());
  return changed;
}

}  // namespace vosk::ui
