#include "ui/warning_settings_dialog.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <climits>

namespace vosk::ui {

namespace t = shell::warning_dialog_text;

namespace {
QString u8(const char* text) { return QString::fromUtf8(text); }
}  // namespace

WarningSettingsDialog::WarningSettingsDialog(EditorState& state, Prompt& prompt,
                                             FileChooser& files, std::function<void()> show_popups,
                                             std::function<void()> close_popups, QWidget* owner)
    : QDialog(owner),
      state_(state),
      prompt_(prompt),
      files_(files),
      show_popups_(std::move(show_popups)),
      close_popups_(std::move(close_popups)),
      model_(state.warnings, 1) {
  setWindowTitle(u8(t::kCaption));
  events_ = new QListWidget(this);
  for (int e = 1; e < shell::kWarningEventCount; ++e) events_->addItem(u8(shell::warning_label(e)));
  types_ = new QComboBox(this);
  for (const char* text : shell::warning_type_texts()) types_->addItem(u8(text));
  delay_ = new QSpinBox(this);
  delay_->setRange(INT_MIN, INT_MAX);  // a negative entry is refused on storing
  wav_ = new QLineEdit(this);
  browse_ = new QPushButton(u8(t::kBrowse), this);
  test_ = new QPushButton(u8(t::kTest), this);
  clear_ = new QPushButton(u8(t::kClearPopups), this);
  save_ = new QPushButton(u8(t::kSave), this);
  temporary_ = new QPushButton(u8(t::kTemporary), this);

  auto* fields = new QGridLayout;
  fields->addWidget(types_, 0, 0, 1, 3);
  fields->addWidget(new QLabel(u8(t::kDelayLabel), this), 1, 0);
  fields->addWidget(delay_, 1, 1);
  fields->addWidget(new QLabel(u8(t::kDelayUnit), this), 1, 2);
  fields->addWidget(new QLabel(u8(t::kWavLabel), this), 2, 0, 1, 3);
  fields->addWidget(wav_, 3, 0, 1, 2);
  fields->addWidget(browse_, 3, 2);
  fields->addWidget(test_, 4, 0, 1, 3);
  fields->addWidget(clear_, 5, 0, 1, 3);

  auto* top = new QHBoxLayout;
  top->addWidget(events_);
  top->addLayout(fields);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(new QLabel(u8(t::kTemporaryNote), this));
  buttons->addStretch();
  buttons->addWidget(save_);
  buttons->addWidget(temporary_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);

  events_->setCurrentRow(0);
  show_fields();
  connect(events_, &QListWidget::currentRowChanged, this, &WarningSettingsDialog::on_event_chosen);
  connect(types_, &QComboBox::currentIndexChanged, this, &WarningSettingsDialog::on_type_chosen);
  connect(browse_, &QPushButton::clicked, this, &WarningSettingsDialog::browse);
  connect(test_, &QPushButton::clicked, this, &WarningSettingsDialog::test);
  connect(clear_, &QPushButton::clicked, this, &WarningSettingsDialog::clear_popups);
  connect(save_, &QPushButton::clicked, this, &WarningSettingsDialog::save);
  connect(temporary_, &QPushButton::clicked, this, &WarningSettingsDialog::keep_temporarily);
}

void WarningSettingsDialog::collect() {
  shell::WarningSetting& edit = model_.edit();
  // A type outside 0-7 read from the file shows no selection and stays.
  if (types_->currentIndex() >= 0) edit.type = types_->currentIndex();
  edit.delay = delay_->value();
  edit.wav_file = QFile::encodeName(wav_->text()).toStdString();
}

void WarningSettingsDialog::show_fields() {
  updating_ = true;
  const shell::WarningSetting& edit = model_.edit();
  types_->setCurrentIndex(shell::type_list_row(edit.type).value_or(-1));
  delay_->setValue(edit.delay);
  wav_->setText(QFile::decodeName(QByteArray::fromStdString(edit.wav_file)));
  const shell::WarningFieldStates states = model_.field_states();
  delay_->setReadOnly(!states.delay_editable);
  wav_->setReadOnly(!states.wav_editable);
  updating_ = false;
}

void WarningSettingsDialog::on_event_chosen(int row) {
  if (updating_ || row < 0) return;
  collect();
  if (!model_.select(row + 1, prompt_)) {
    const QSignalBlocker block(events_);
    events_->setCurrentRow(model_.selected() - 1);
    return;
  }
  show_fields();
}

void WarningSettingsDialog::on_type_chosen(int row) {
  if (updating_ || row < 0) return;
  collect();
  show_fields();  // the field states follow the type
}

void WarningSettingsDialog::browse() {
  collect();
  FileDialogRequest request;
  request.filter = u8(t::kWavFilter);
  request.default_suffix = u8(t::kWavDefaultExtension);
  request.initial_name = QFile::decodeName(
      QByteArray::fromStdString(model_.browse_initial_name(state_.start.files.sound_folder)));
  if (auto chosen = files_.open_file(this, request)) {
    model_.choose_wav(*chosen);
    show_fields();
  }
}

void WarningSettingsDialog::test() {
  collect();
  if (model_.test(state_.popups, state_.clock_time) && show_popups_) show_popups_();
}

void WarningSettingsDialog::clear_popups() {
  collect();
  if (model_.clear_all_popups(prompt_)) show_fields();
}

void WarningSettingsDialog::save() {
  collect();
  bool stored = false;
  update_settings_file(state_.start.files, [&](ini::Document& doc) {
    stored = model_.save(prompt_, doc);
    return stored;
  });
  if (!stored) return;  // the data error was told; the dialog stays
  if (close_popups_) close_popups_();
  accept();
}

void WarningSettingsDialog::keep_temporarily() {
  collect();
  if (model_.keep_temporarily(prompt_)) accept();
}

}  // namespace vosk::ui
