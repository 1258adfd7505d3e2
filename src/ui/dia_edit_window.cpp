#include "ui/dia_edit_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "base/ini.h"
#include "base/sjis.h"
#include "shell/close_sequence.h"
#include "datafiles/table_loader.h"
#include "shell/font_record.h"
#include "ui/dia_edit_dialogs.h"
#include "ui/next_working_dialog.h"
#include "ui/pattern_dialogs.h"
#include "ui/run_settings_dialog.h"
#include "ui/window_geometry.h"

namespace vosk::ui {
namespace {

diaedit::EditKey edit_key(int key) {
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return diaedit::EditKey::Tab;
    case Qt::Key_Left:
      return diaedit::EditKey::Left;
    case Qt::Key_Right:
      return diaedit::EditKey::Right;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
      return diaedit::EditKey::Up;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
      return diaedit::EditKey::Down;
    case Qt::Key_Escape:
      return diaedit::EditKey::Escape;
    default:
      return diaedit::EditKey::Other;
  }
}

// The window's edits run under the busy lock (as the dia edit window), so
// that other windows refuse file commands while a dialog or box is up. An
// operation started while another window holds it runs inside that hold.
template <class Operation>
void locked(EditorState& state, Operation&& operation) {
  if (state.busy.held()) {
    operation();
    return;
  }
  shell::BusyScope scope(state.busy, shell::BusyState::DiaEditWindow);
  operation();
}

}  // namespace

// --- client area ---------------------------------------------------------------

DiaEditView::DiaEditView(diaedit::DiaEditController& controller, QWidget* parent)
    : PictureView(parent), controller_(controller) {
  setFocusPolicy(Qt::StrongFocus);
}

void DiaEditView::draw(Surface& surface) { controller_.draw(surface); }

void DiaEditView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  Q_EMIT clicked(event->position().toPoint(), event->button() == Qt::RightButton);
}

void DiaEditView::keyPressEvent(QKeyEvent* event) {
  if (edit_key(event->key()) == diaedit::EditKey::Other) {
    PictureView::keyPressEvent(event);  // on to the owner's key handling
    return;
  }
  Q_EMIT key(event->key(), event->modifiers().testFlag(Qt::ShiftModifier));
}

void DiaEditView::wheelEvent(QWheelEvent* event) {
  const int amount = event->angleDelta().y();
  if (amount == 0) return;
  Q_EMIT wheeled(amount > 0 ? -1 : 1);  // away from the user scrolls up
  event->accept();
}

// --- window --------------------------------------------------------------------

DiaEditWindow::DiaEditWindow(datafiles::DataSet& data, EditorState& state, Prompt& prompt,
                             QWidget* owner)
    : QWidget(owner, Qt::Window), data_(data), state_(state), prompt_(prompt) {
  controller_ = std::make_unique<diaedit::DiaEditController>(data, state.english());
  controller_->set_base_font(shell::drawing_font(state.shell().default_font));
  controller_->set_extention(state.settings().extention);
  bar_ = new QMenuBar(this);
  view_ = new DiaEditView(*controller_, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(bar_);
  layout->addWidget(view_, 1);

  const ini::Document file = ini::Document::load_or_empty(state.start.files.settings_file);
  controller_->set_font_step(
      file.get_int(shell::kDiaEditWindowSection, kDiaEditFontKey, diaedit::kDefaultFontStep));
  place_window(*this, shell::read_placement(file, shell::kDiaEditWindowSection,
                                            kDiaEditWindowDefault));
  connect(view_, &DiaEditView::clicked, this, &DiaEditWindow::on_click);
  connect(view_, &DiaEditView::key, this, &DiaEditWindow::on_key);
  connect(view_, &DiaEditView::wheeled, this, [this](int steps) {
    controller_->wheel(steps);
    view_->redraw();
  });
  refresh();
  view_->setFocus();
}

DiaEditWindow::~DiaEditWindow() = default;

QAction* DiaEditWindow::action(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void DiaEditWindow::select(int n) {
  if (n == controller_->diagram()) return;
  controller_->select(n);
  report_checks();
  refresh();
}

void DiaEditWindow::data_changed() {
  controller_->data_changed();
  report_checks();
  refresh();
}

void DiaEditWindow::data_reloaded() {
  controller_->reset_for_new_data();
  refresh();
}

void DiaEditWindow::report_checks() {
  if (controller_->diagram() == 0) return;
  state_.messages.clear();
  for (const std::string& line : controller_->check_selection(state_.settings().use_duplicate))
    state_.messages.add(line);
}

void DiaEditWindow::refresh() {
  view_->redraw();
  setWindowTitle(QString::fromStdString(controller_->caption()));
  rebuild_menu();
}

void DiaEditWindow::rebuild_menu() {
  bar_->clear();
  actions_.clear();
  for (const diaedit::DiaEditMenu& model : controller_->menus()) {
    QMenu* menu = bar_->addMenu(QString::fromStdString(model.title));
    for (const diaedit::DiaEditMenuItem& item : model.items) {
      if (item.id == diaedit::kCmdSeparator) {
        menu->addSeparator();
        continue;
      }
      // The text after a tab names the key; Ctrl keys become the action's
      // shortcut, the others reach the client area as keys.
      const QString text = QString::fromStdString(item.text);
      QAction* action = menu->addAction(text);
      const QString key = text.section(QLatin1Char('\t'), 1);
      if (key.startsWith(QLatin1String("Ctrl+"))) action->setShortcut(QKeySequence(key));
      action->setEnabled(item.enabled);
      action->setCheckable(item.checkable);
      action->setChecked(item.checked);
      const int id = item.id;
      // The menu is rebuilt by the command; run it once the menu is closed.
      connect(action, &QAction::triggered, this,
              [this, id] { QMetaObject::invokeMethod(this, [this, id] { run_command(id); },
                                                     Qt::QueuedConnection); });
      actions_[id] = action;
    }
  }
}

void DiaEditWindow::run_command(int id) {
  if (QAction* a = action(id); a && !a->isEnabled()) return;
  controller_->set_extention(state_.settings().extention);  // the main menu may have switched it
  locked(state_, [&] {
    const diaedit::Outcome outcome = controller_->command(id, prompt_);
    // An undo may take back a formation: the series counts follow it.
    if (outcome.changed && (id == diaedit::kCmdUndo || id == diaedit::kCmdRedo))
      datafiles::rebuild_derived_data(data_, state_.english());
    follow(outcome);
  });
}

void DiaEditWindow::record_outside_edit(const dia::DiaTables& before, const std::string& name) {
  controller_->record_outside_edit(before, name);
  refresh();
}

bool DiaEditWindow::run_stop_command(int n, std::size_t event, diaedit::StopCommand command) {
  select(n);
  if (controller_->diagram() != n) return false;
  dia::EditResult result = dia::EditResult::declined();
  locked(state_, [&] {
    result = controller_->stop_command(event, command, prompt_);
    result.report(prompt_);
  });
  refresh();
  return result.ok();
}

bool run_stop_item(DiaEditWindow* window, datafiles::DataSet& data, Prompt& prompt, int n,
                   int event, int command) {
  if (event < 0) return false;
  const auto c = static_cast<diaedit::StopCommand>(command);
  const auto at = static_cast<std::size_t>(event);
  if (window) return window->run_stop_command(n, at, c);
  diaedit::EditTools tools(data, !data.executed_stack.has_value());
  const dia::EditResult result =
      diaedit::run_stop_command(tools, n, at, c, !data.executed_stack.has_value(), prompt);
  result.report(prompt);
  return result.ok();
}

namespace {

int dia_edit_command_of(diaedit::WorkingCommand command) {
  using diaedit::WorkingCommand;
  switch (command) {
    case WorkingCommand::NewNextSameDirection:
      return diaedit::kCmdNewNextSame;
    case WorkingCommand::NewNextOppositeDirection:
      return diaedit::kCmdNewNextOpposite;
    case WorkingCommand::EndWorking:
      return diaedit::kCmdEndWorking;
    case WorkingCommand::ChooseNextSameDirection:
      return diaedit::kCmdChooseNextSame;
    case WorkingCommand::ChooseNextOppositeDirection:
      return diaedit::kCmdChooseNextOpposite;
    case WorkingCommand::NewNextFromPattern:
      return diaedit::kCmdNewNextPattern;
  }
  return 0;
}

}  // namespace

int run_working_item(DiaEditWindow* window, datafiles::DataSet& data, EditorState& state,
                     Prompt& prompt, int n, int command, QWidget* parent) {
  const int id = dia_edit_command_of(static_cast<diaedit::WorkingCommand>(command));
  if (id == 0) return 0;
  if (window) return window->run_working_command(n, id);
  // The same operations and dialogs over the data set, with no undo step
  // kept: there is no window to undo in.
  diaedit::DiaEditController controller(data, state.english());
  controller.set_extention(state.settings().extention);
  controller.select(n);
  if (controller.diagram() != n) return 0;
  const diaedit::Outcome outcome = controller.command(id, prompt);
  const bool changed =
      outcome.changed || run_working_dialog(controller, outcome, prompt, state.english(), parent);
  return changed ? controller.diagram() : 0;
}

int DiaEditWindow::run_working_command(int n, int id) {
  select(n);
  if (controller_->diagram() != n) return 0;
  controller_->set_extention(state_.settings().extention);
  bool changed = false;
  locked(state_, [&] { changed = follow(controller_->command(id, prompt_)); });
  return changed ? controller_->diagram() : 0;
}

void DiaEditWindow::on_click(QPoint at, bool right_button) {
  locked(state_, [&] { follow(controller_->click({at.x(), at.y()}, right_button, prompt_)); });
}

void DiaEditWindow::on_key(int qt_key, bool shift) {
  locked(state_, [&] { follow(controller_->key(edit_key(qt_key), shift, prompt_)); });
}

bool DiaEditWindow::follow(const diaedit::Outcome& outcome) {
  using Request = diaedit::Outcome::Request;
  bool changed = outcome.changed;
  switch (outcome.request) {
    case Request::None:
      break;
    case Request::TimeInput:
      changed = TimeInputDialog(*controller_, static_cast<std::size_t>(outcome.event), prompt_,
                                state_.english(), this)
                    .exec() == QDialog::Accepted;
      break;
    case Request::EventDetail:
      changed = EventDetailDialog(*controller_, static_cast<std::size_t>(outcome.event), prompt_,
                                  state_.english(), this)
                    .exec() == QDialog::Accepted;
      break;
    case Request::PatternChoice:
    case Request::NextFromPattern:
      changed = PatternChoiceDialog(*controller_, outcome.request == Request::NextFromPattern,
                                    prompt_, state_.english(), this)
                    .exec() == QDialog::Accepted;
      break;
    case Request::NextCandidates:
      changed = run_working_dialog(*controller_, outcome, prompt_, state_.english(), this);
      break;
    case Request::RaiseMain:
      Q_EMIT raise_main_requested();
      break;
    case Request::RunSettings:
      changed = run_settings_dialog(*controller_, state_, prompt_, this);
      break;
    case Request::PatternInfo:
      // Patterns are saved with the data set: a stored change marks it edited.
      changed = PatternInfoDialog(*controller_, outcome.pattern, prompt_, state_.ui(), this)
                    .exec() == QDialog::Accepted;
      break;
    case Request::PatternManage: {
      const int before = controller_->diagram();
      PatternManageDialog dialog(*controller_, prompt_, state_.ui(), this);
      dialog.exec();
      changed = dialog.changed();
      if (controller_->diagram() != before && !changed) report_checks();
      break;
    }
  }
  if (outcome.selection_changed && !changed) report_checks();  // edits report via data_changed
  refresh();
  if (changed) Q_EMIT edited();
  return changed;
}

void DiaEditWindow::write_settings() {
  const shell::Rect rect = placement_of(*this);
  const bool minimised = isMinimized();
  const bool maximised = isMaximized();
  const int step = controller_->font_step();
  update_settings_file(state_.start.files, [&](ini::Document& doc) {
    shell::write_placement(doc, shell::kDiaEditWindowSection, rect, minimised, maximised);
    doc.set_int(shell::kDiaEditWindowSection, kDiaEditFontKey, step);
    return true;
  });
}

void DiaEditWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const bool too_tall = height() >= diaedit::kTooTallPixels;
  if (too_tall && !warned_too_tall_) {
    warned_too_tall_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          prompt_.tell(state_.english() ? "Diaedit Window" : "ダイヤ編集ウインドウ",
                       diaedit::kTooTallText);
        },
        Qt::QueuedConnection);
  }
  if (!too_tall) warned_too_tall_ = false;
}

void DiaEditWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Q_EMIT close_requested();
}

}  // namespace vosk::ui
