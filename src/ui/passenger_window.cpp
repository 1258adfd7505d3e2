#include "ui/passenger_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/font_record.h"
#include "ui/tool_window_style.h"
#include "ui/window_geometry.h"

namespace vosk::ui {
namespace {

using passengers::Outcome;
using passengers::PassengerCommand;
using passengers::PassengerKey;

constexpr const char* kTitleJapanese = "乗客数編集ウインドウ";
constexpr const char* kTitleEnglish = "Passenger Edit Window";
constexpr const char* kDialogTitle = "発駅着駅選択";

// The plot below the header band stays usable whatever the stored rectangle.
constexpr int kMinimumClientHeight = passengers::kHeaderHeight + 200;
constexpr int kMinimumClientWidth = 640;

PassengerKey passenger_key(int key) {
  switch (key) {
    case Qt::Key_F2:
      return PassengerKey::F2;
    case Qt::Key_F5:
      return PassengerKey::F5;
    case Qt::Key_F6:
      return PassengerKey::F6;
    case Qt::Key_F7:
      return PassengerKey::F7;
    case Qt::Key_F8:
      return PassengerKey::F8;
    case Qt::Key_Left:
      return PassengerKey::Left;
    case Qt::Key_Right:
      return PassengerKey::Right;
    case Qt::Key_Up:
      return PassengerKey::Up;
    case Qt::Key_Down:
      return PassengerKey::Down;
    default:
      return PassengerKey::Other;
  }
}

// Message boxes of the window hold the busy lock for it while they are up.
class LockedPrompt : public Prompt {
 public:
  LockedPrompt(EditorState& state, Prompt& prompt) : state_(state), prompt_(prompt) {}
  Answer ask(const std::string& caption, const std::string& text, Buttons buttons) override {
    shell::BusyScope busy(state_.busy, shell::BusyState::CrossSectionWindow);
    return prompt_.ask(caption, text, buttons);
  }

 private:
  EditorState& state_;
  Prompt& prompt_;
};

}  // namespace

// --- client area ---------------------------------------------------------------

PassengerView::PassengerView(passengers::PassengerController& passengers, EditorState& state,
                             Prompt& prompt, QWidget* parent)
    : PictureView(parent), passengers_(passengers), state_(state), prompt_(prompt) {
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(kMinimumClientWidth, kMinimumClientHeight);
  for (const passengers::HeaderButton& b : passengers::PassengerController::buttons()) {
    auto* button = new QPushButton(QString::fromUtf8(b.text), this);
    button->setGeometry(b.rect.left, b.rect.top, b.rect.width(), b.rect.height());
    button->setFocusPolicy(Qt::NoFocus);  // the keys stay with the view
    const PassengerCommand command = b.command;
    connect(button, &QPushButton::clicked, this,
            [this, command] { Q_EMIT this->command(command); });
    buttons_.push_back(button);
  }
}

void PassengerView::draw(Surface& surface) {
  passengers_.set_font(shell::drawing_font(state_.shell().default_font));
  passengers_.draw(surface);
}

void PassengerView::mousePressEvent(QMouseEvent* event) {
  const Point at{static_cast<int>(event->position().x()), static_cast<int>(event->position().y())};
  passengers_.set_client_size({width(), height()});
  bool changed = false;
  if (event->button() == Qt::LeftButton) changed = passengers_.left_click(at);
  if (event->button() == Qt::RightButton) changed = passengers_.right_click(at);
  if (changed) Q_EMIT data_changed();
}

void PassengerView::keyPressEvent(QKeyEvent* event) {
  const PassengerKey key = passenger_key(event->key());
  if (key == PassengerKey::Other) {
    Q_EMIT unused_key(event);
    return;
  }
  switch (key) {
    case PassengerKey::F2:
      Q_EMIT command(PassengerCommand::NextFrom);
      return;
    case PassengerKey::F5:
      Q_EMIT command(PassengerCommand::PerHourUp);
      return;
    case PassengerKey::F6:
      Q_EMIT command(PassengerCommand::PerHourDown);
      return;
    case PassengerKey::F7:
      Q_EMIT command(PassengerCommand::PerTrainUp);
      return;
    case PassengerKey::F8:
      Q_EMIT command(PassengerCommand::PerTrainDown);
      return;
    case PassengerKey::Left:
      Q_EMIT command(PassengerCommand::Earlier);
      return;
    case PassengerKey::Right:
      Q_EMIT command(PassengerCommand::Later);
      return;
    case PassengerKey::Up:
      Q_EMIT command(PassengerCommand::FewerPerPixel);
      return;
    case PassengerKey::Down:
      Q_EMIT command(PassengerCommand::MorePerPixel);
      return;
    case PassengerKey::Other:
      return;
  }
}

// --- 発駅着駅選択 ----------------------------------------------------------------

StationPairDialog::StationPairDialog(const passengers::PassengerController& passengers,
                                     QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(kDialogTitle));
  from_ = new QComboBox(this);
  to_ = new QComboBox(this);
  to_->addItem(QString::fromStdString(passengers.station_name(0)), 0);
  for (int n = 1; n <= passengers.station_count(); ++n) {
    const QString name = QString::fromStdString(passengers.station_name(n));
    from_->addItem(name, n);
    to_->addItem(name, n);
  }
  auto* form = new QFormLayout;
  form->addRow(QString::fromUtf8("発駅"), from_);
  form->addRow(QString::fromUtf8("着駅"), to_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  connect(from_, &QComboBox::currentIndexChanged, this, [this] { update_ok(); });
  connect(to_, &QComboBox::currentIndexChanged, this, [this] { update_ok(); });
  choose(passengers.from_station(), passengers.to_station());
}

int StationPairDialog::from() const { return from_->currentData().toInt(); }
int StationPairDialog::to() const { return to_->currentData().toInt(); }

void StationPairDialog::choose(int from, int to) {
  from_->setCurrentIndex(from_->findData(from));
  to_->setCurrentIndex(to_->findData(to));
  update_ok();
}

void StationPairDialog::update_ok() { ok_->setEnabled(from() != 0 && from() != to()); }

// --- window ----------------------------------------------------------------------

PassengerWindow::PassengerWindow(datafiles::DataSet& data, EditorState& state, Prompt& prompt,
                                 QWidget* key_target, QWidget* owner)
    : QWidget(owner, Qt::Window),
      state_(state),
      prompt_(prompt),
      locked_prompt_(std::make_unique<LockedPrompt>(state, prompt)),
      passengers_(std::make_unique<passengers::PassengerController>(data)),
      key_target_(key_target) {
  setWindowTitle(QString::fromUtf8(state.english() ? kTitleEnglish : kTitleJapanese));
  set_tool_window_style(*this, state.settings().tool_window);
  setAcceptDrops(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* bar = new QMenuBar(this);
  layout->setMenuBar(bar);
  // The menu texts are the window's own; only the menu titles are ours.
  QMenu* view_menu = bar->addMenu(QString::fromUtf8(state.english() ? "&View" : "表示(&V)"));
  QMenu* edit_menu = bar->addMenu(QString::fromUtf8(state.english() ? "&Edit" : "編集(&E)"));
  for (const passengers::MenuEntry& item : passengers::PassengerController::menu()) {
    const bool edit =
        item.command == PassengerCommand::Copy || item.command == PassengerCommand::Paste;
    QAction* action = (edit ? edit_menu : view_menu)->addAction(QString::fromUtf8(item.text));
    const PassengerCommand command = item.command;
    connect(action, &QAction::triggered, this, [this, command] { run(command); });
    actions_[command] = action;
  }
  view_ = new PassengerView(*passengers_, state, *locked_prompt_, this);
  layout->addWidget(view_);
  connect(view_, &PassengerView::command, this, &PassengerWindow::run);
  connect(view_, &PassengerView::data_changed, this, [this] {
    view_->redraw();
    Q_EMIT edited();
  });
  connect(view_, &PassengerView::unused_key, this, [this](QKeyEvent* event) {
    if (key_target_) QCoreApplication::sendEvent(key_target_, event);
  });
  place_window(*this,
               shell::read_placement(ini::Document::load_or_empty(state.start.files.settings_file),
                                     kPassengerWindowSection, kPassengerWindowDefault));
}

PassengerWindow::~PassengerWindow() = default;

QAction* PassengerWindow::action(PassengerCommand command) const {
  auto it = actions_.find(command);
  return it == actions_.end() ? nullptr : it->second;
}

void PassengerWindow::run(PassengerCommand command) {
  if (command == PassengerCommand::ChooseStations) {
    choose_stations();
    return;
  }
  switch (passengers_->run(command, *locked_prompt_)) {
    case Outcome::NotHandled:
      return;
    case Outcome::Redraw:
      view_->redraw();
      return;
    case Outcome::DataChanged:
      view_->redraw();
      Q_EMIT edited();
      return;
  }
}

void PassengerWindow::choose_stations() {
  StationPairDialog dialog(*passengers_, this);
  int result;
  {
    shell::BusyScope busy(state_.busy, shell::BusyState::CrossSectionWindow);
    result = dialog.exec();
  }
  if (result != QDialog::Accepted) return;
  if (passengers_->choose_stations(dialog.from(), dialog.to())) view_->redraw();
}

void PassengerWindow::data_changed() {
  passengers_->data_changed();
  view_->redraw();
}

void PassengerWindow::write_settings() {
  const shell::Rect rect = placement_of(*this);
  const bool minimised = isMinimized();
  const bool maximised = isMaximized();
  update_settings_file(state_.start.files, [&](ini::Document& doc) {
    return shell::write_placement(doc, kPassengerWindowSection, rect, minimised, maximised);
  });
}

void PassengerWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Q_EMIT close_requested();
}

void PassengerWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData() && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void PassengerWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  if (paths.empty()) return;
  event->acceptProposedAction();
  // After the drop is over, so the message boxes do not hold up its source.
  QMetaObject::invokeMethod(
      this, [this, paths = std::move(paths)] { Q_EMIT files_dropped(paths); },
      Qt::QueuedConnection);
}

}  // namespace vosk::ui
