#include "ui/graph_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <optional>

#include "base/sjis.h"
#include "diaedit/run_operations.h"
#include "graph/graph_settings_file.h"
#include "ui/qpainter_surface.h"
#include "ui/window_geometry.h"

namespace vosk::ui {
namespace {

constexpr const char* kPrintDocument = "ダイヤグラム印刷";
constexpr const char* kPrintFailedCaption = "プリント失敗";
constexpr const char* kPrintFailed = "印刷が開始できませんでした。\n";

graph::GraphKey graph_key(int key) {
  switch (key) {
    case Qt::Key_Left:
      return graph::GraphKey::Left;
    case Qt::Key_Right:
      return graph::GraphKey::Right;
    case Qt::Key_Up:
      return graph::GraphKey::Up;
    case Qt::Key_Down:
      return graph::GraphKey::Down;
    case Qt::Key_Tab:
      return graph::GraphKey::Tab;
    case Qt::Key_Escape:
      return graph::GraphKey::Escape;
    default:
      return graph::GraphKey::Other;
  }
}

struct ViewFlagItem {
  const char* text;
  bool graph::ViewFlags::*flag;
};

constexpr ViewFlagItem kViewFlagItems[] = {
    {"計画ダイヤ", &graph::ViewFlags::timelocal_view},
    {"実績ダイヤ", &graph::ViewFlags::timereal_view},
    {"下り列車", &graph::ViewFlags::view_down},
    {"上り列車", &graph::ViewFlags::view_up},
    {"運用指定列車", &graph::ViewFlags::view_active},
    {"運用未指定列車", &graph::ViewFlags::view_suspense},
    {"併結列車", &graph::ViewFlags::view_double},
    {"通過駅描画", &graph::ViewFlags::view_pass},
    {"ダイヤタイトル表示", &graph::ViewFlags::view_title},
    {"列車番号表示", &graph::ViewFlags::view_train_name},
    {"愛称表示", &graph::ViewFlags::view_nickname},
};

// The stop items call the dia edit window's stop operations.
std::optional<diaedit::StopCommand> stop_command_of(int menu_id) {
  switch (menu_id) {
    case graph::kMenuStopStandard:
      return diaedit::StopCommand::StopStandard;
    case graph::kMenuStopLonger:
      return diaedit::StopCommand::StopLonger;
    case graph::kMenuStopShorter:
      return diaedit::StopCommand::StopShorter;
    case graph::kMenuStopDeparture:
      return diaedit::StopCommand::StopAtDeparture;
    case graph::kMenuPass:
      return diaedit::StopCommand::Pass;
    case graph::kMenuTerminate:
      return diaedit::StopCommand::Terminate;
    default:
      return std::nullopt;
  }
}

// The working items, run by the owner (with their dialogs).
std::optional<diaedit::WorkingCommand> working_command_of(int menu_id) {
  switch (menu_id) {
    case graph::kMenuNextSameDirection:
      return diaedit::WorkingCommand::ChooseNextSameDirection;
    case graph::kMenuNextOppositeDirection:
      return diaedit::WorkingCommand::ChooseNextOppositeDirection;
    case graph::kMenuNewNextFromPattern:
      return diaedit::WorkingCommand::NewNextFromPattern;
    case graph::kMenuNewNextSameDirection:
      return diaedit::WorkingCommand::NewNextSameDirection;
    case graph::kMenuNewNextOppositeDirection:
      return diaedit::WorkingCommand::NewNextOppositeDirection;
    case graph::kMenuEndWorking:
      return diaedit::WorkingCommand::EndWorking;
    default:
      return std::nullopt;
  }
}

Point point_of(const QPointF& p) { return Point{static_cast<int>(p.x()), static_cast<int>(p.y())}; }

ini::Document settings_file(const EditorState& state) {
  return ini::Document::load_or_empty(state.start.files.settings_file);
}

}  // namespace

// --- client area ---------------------------------------------------------------

GraphView::GraphView(graph::GraphController& graph, Prompt& prompt, QWidget* parent)
    : PictureView(parent), graph_(graph), prompt_(prompt) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
}

void GraphView::draw(Surface& surface) {
  graph_.set_plot(
      graph::window_plot(surface.size(), margins_, graph_.settings().view.view_toolbar));
  graph_.draw(surface);
  graph_.draw_drag_overlay(surface);  // nothing unless a drag is in progress
  Q_EMIT drawn();
}

void GraphView::mousePressEvent(QMouseEvent* event) {
  const Point at = point_of(event->position());
  if (event->button() == Qt::LeftButton) {
    const graph::PressResult result = graph_.left_press(at);
    if (!result.message.empty()) Q_EMIT message(result.message);
    redraw();
  } else if (event->button() == Qt::RightButton) {
    show_context_menu(event->position().toPoint(), event->globalPosition().toPoint());
  }
}

void GraphView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  graph_.drag_to(point_of(event->position()));
  redraw();
}

void GraphView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const bool changed = graph_.left_release(point_of(event->position()), prompt_);
  redraw();
  if (changed) Q_EMIT data_changed();
}

void GraphView::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers m = event->modifiers();
  const graph::KeyModifiers mods{m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier)};
  // Shift+Tab arrives as Backtab; it is the same key to the graph.
  const int key = event->key() == Qt::Key_Backtab ? Qt::Key_Tab : event->key();
  if (!graph_.key(graph_key(key), mods, prompt_)) {
    PictureView::keyPressEvent(event);
    return;
  }
  redraw();
}

void GraphView::wheelEvent(QWheelEvent* event) {
  // Some platforms turn a Shift wheel into a horizontal one.
  const QPoint delta = event->angleDelta();
  const int amount = delta.y() != 0 ? delta.y() : delta.x();
  if (amount == 0) return;
  // Positive angles turn the wheel away from the user.
  graph_.wheel(amount > 0 ? -1 : 1, event->modifiers().testFlag(Qt::ShiftModifier));
  redraw();
  event->accept();
}

void GraphView::resizeEvent(QResizeEvent* event) {
  if (tool_bar_) tool_bar_->setGeometry(0, 0, width(), graph::kToolBarHeight);
  PictureView::resizeEvent(event);
}

void GraphView::show_context_menu(QPoint at, QPoint global) {
  const graph::ContextMenu model = graph_.context_menu({at.x(), at.y()});
  graph_.right_press();
  if (model.items.empty()) {
    redraw();  // the click selected a run instead
    return;
  }
  QMenu menu(this);
  for (const graph::MenuItem& item : model.items) {
    QAction* action = menu.addAction(QString::fromStdString(item.text));
    action->setData(item.id);
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
    // Clearing the selection, the stop items and some working items have
    // their operations here; the rest are shown but not offered yet.
    action->setEnabled(item.enabled && (item.id == graph::kMenuClearSelection ||
                                        item.id == graph::kMenuDeleteRun ||
                                        (stop_command_of(item.id) && model.event >= 0) ||
                                        working_command_of(item.id)));
  }
  const QAction* chosen = menu.exec(global);
  const int id = chosen ? chosen->data().toInt() : 0;
  if (id == graph::kMenuClearSelection) graph_.clear_selection();
  redraw();
  if (const auto command = stop_command_of(id); command && model.event >= 0)
    Q_EMIT stop_item_chosen(model.diagram, model.event, static_cast<int>(*command));
  if (const auto command = working_command_of(id))
    Q_EMIT working_item_chosen(model.diagram, static_cast<int>(*command));
  if (id == graph::kMenuDeleteRun) Q_EMIT delete_run_chosen(model.diagram);
}

// --- window --------------------------------------------------------------------

GraphWindow::GraphWindow(datafiles::DataSet& data, EditorState& state, Prompt& prompt,
                         QWidget* owner)
    : QWidget(owner, Qt::Window), data_(data), state_(state), prompt_(prompt) {
  graph_ = std::make_unique<graph::GraphController>(
      data,
      graph::default_graph_settings(graph::GraphMode::Edit,
                                    state.start.language.english_start_locale),
      state.english());
  auto* bar = new QMenuBar(this);
  view_ = new GraphView(*graph_, prompt_, this);
  scroll_ = new QScrollBar(Qt::Horizontal, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(bar);
  layout->addWidget(view_, 1);
  layout->addWidget(scroll_);
  edit_menu_ = new GraphEditMenu(*this, data, state_, prompt_);
  build_menu(*bar);
  build_tool_bar();

  connect(view_, &GraphView::drawn, this, [this] {
    sync_scroll_bar();
    setWindowTitle(QString::fromStdString(graph_->caption()));
    if (graph_->selected() != reported_selection_) {
      reported_selection_ = graph_->selected();
      Q_EMIT selection_changed(reported_selection_);
    }
  });
  connect(view_, &GraphView::data_changed, this, [this] {
    if (const auto before = graph_->take_undo_snapshot())
      edit_menu_->record(before->tables(), graph::kUndoMoveStop);
    Q_EMIT edited();
  });
  connect(view_, &GraphView::delete_run_chosen, edit_menu_, &GraphEditMenu::delete_run);
  connect(edit_menu_, &GraphEditMenu::edited, this, &GraphWindow::edited);
  connect(view_, &GraphView::stop_item_chosen, this, &GraphWindow::stop_item_chosen);
  connect(view_, &GraphView::working_item_chosen, this, &GraphWindow::working_item_chosen);
  connect(view_, &GraphView::message, this,
          [this](const std::string& text) { state_.messages.add(sjis::from_utf8_lossy(text)); });
  connect(scroll_, &QScrollBar::actionTriggered, this, &GraphWindow::scroll_action);
  read_mode_settings(true);
  update_marks();
  view_->setFocus();
}

GraphWindow::~GraphWindow() = default;

QAction* GraphWindow::action(int id) const {
  return actions_.find(id);
}

void GraphWindow::build_menu(QMenuBar& bar) {
  const auto add = [this](QMenu* menu, int id, const char* text, auto slot) {
    return actions_.add(menu, id, text, this, slot);
  };
  build_file_menu(*bar.addMenu(QString::fromUtf8("ファイル(&F)")));
  edit_menu_->add_edit_menu(bar);
  QMenu* view = bar.addMenu(QString::fromUtf8("表示(&V)"));
  add(view, kGraphNext, "次(&N)", [this] {
    graph_->next_display_target();
    view_->redraw();
  });
  add(view, kGraphPrevious, "前(&B)", [this] {
    graph_->previous_display_target();
    view_->redraw();
  });
  edit_menu_->add_display_target_item(*view);
  build_settings_items(*view);
  QMenu* shown = bar.addMenu(QString::fromUtf8("表示内容(&C)"));
  int id = kGraphViewFlagFirst;
  for (const ViewFlagItem& item : kViewFlagItems) {
    const auto flag = item.flag;
    add(shown, id++, item.text, [this, flag] { toggle_view_flag(flag); })->setCheckable(true);
  }
  QMenu* mode = bar.addMenu(QString::fromUtf8("モード(&M)"));
  const struct {
    int id;
    const char* text;
    graph::GraphMode mode;
  } modes[] = {
      {kGraphModeOperation, "運行用モード", graph::GraphMode::Operation},
      {kGraphModeEdit, "編集用モード", graph::GraphMode::Edit},
      {kGraphModePrint, "印刷用モード", graph::GraphMode::Print},
      {kGraphModeDisplayTarget, "表示対象モード", graph::GraphMode::DisplayTarget},
  };
  for (const auto& m : modes) {
    const graph::GraphMode target = m.mode;
    add(mode, m.id, m.text, [this, target] { switch_mode(target); })->setCheckable(true);
  }
  action(kGraphModeOperation)->setEnabled(false);  // never entered in this program
}

void GraphWindow::update_marks() {
  const graph::GraphMode mode = graph_->mode();
  action(kGraphModeEdit)->setChecked(mode == graph::GraphMode::Edit);
  action(kGraphModePrint)->setChecked(mode == graph::GraphMode::Print);
  action(kGraphModeDisplayTarget)->setChecked(mode == graph::GraphMode::DisplayTarget);
  update_settings_marks();
  int id = kGraphViewFlagFirst;
  for (const ViewFlagItem& item : kViewFlagItems)
    action(id++)->setChecked(graph_->settings().view.*item.flag);
}

void GraphWindow::toggle_view_flag(bool graph::ViewFlags::*flag) {
  graph::ViewFlags& view = graph_->settings().view;
  if (flag == &graph::ViewFlags::view_down || flag == &graph::ViewFlags::view_up) {
    graph_->toggle_direction_shown(flag == &graph::ViewFlags::view_down);
  } else {
    view.*flag = !(view.*flag);
  }
  graph_->mark_dirty();  // the title moves the stations
  update_marks();
  view_->redraw();
}

void GraphWindow::read_mode_settings(bool move_window) {
  const ini::Document file = settings_file(state_);
  const graph::GraphModeSettings mode =
      graph::load_graph_settings(file, graph_->mode(), state_.start.language.english_start_locale);
  const graph::PageSettings display = graph::load_page_settings(file, graph::PageUse::Display);
  graph_->settings() = mode.graph;
  graph_->set_time_range(display.time_left, display.time_left + mode.graph.time_scale);
  view_->set_margins(display);
  graph_->mark_dirty();
  if (move_window) {
    place_window(*this, shell::Rect{mode.window.left, mode.window.top, mode.window.right,
                                    mode.window.bottom});
  }
  show_tool_bar();
  view_->redraw();
}

void GraphWindow::write_settings() {
  const shell::Rect at = placement_of(*this);
  graph::GraphModeSettings values;
  values.graph = graph_->settings();
  values.graph.time_scale = graph_->end_time() - graph_->start_time();
  values.window = Rect{static_cast<int>(at.left), static_cast<int>(at.top),
                       static_cast<int>(at.right), static_cast<int>(at.bottom)};
  const bool write_window = !isMinimized() && !isMaximized();
  const graph::GraphMode mode = graph_->mode();
  const bool english = state_.start.language.english_start_locale;
  update_settings_file(state_.start.files, [&](ini::Document& doc) {
    graph::save_graph_settings(doc, mode, values, write_window, english);
    return true;
  });
}

void GraphWindow::switch_mode(graph::GraphMode mode) {
  if (mode == graph_->mode()) {
    view_->redraw();
    return;
  }
  write_settings();
  graph_->set_mode(mode);
  read_mode_settings(true);
  update_marks();
}

void GraphWindow::data_changed() {
  const auto& diagrams = graph_->data().dia.diagrams;
  const int selected = graph_->selected();
  if (selected != 0 && (!diagrams.names_record(selected) || !diagrams[selected].in_use()))
    graph_->clear_selection();
  // A deleted display target may have been the one shown: the first takes over.
  if (graph_->display_target() >= graph_->data().classification.display_targets.extent())
    graph_->set_display_target(graph_->display_target());
  graph_->mark_dirty();
  view_->redraw();
}

void GraphWindow::sync_scroll_bar() {
  const graph::ScrollBar bar = graph_->scroll_bar();
  const QSignalBlocker block(scroll_);
  scroll_->setRange(bar.min, std::max(bar.min, bar.max + 1 - bar.page));
  scroll_->setPageStep(std::max(1, bar.page));
  scroll_->setSingleStep(std::max(1, bar.page * 5 / 60));
  scroll_->setValue(bar.position);
}

void GraphWindow::scroll_action(int action) {
  using A = QAbstractSlider::SliderAction;
  switch (static_cast<A>(action)) {
    case A::SliderSingleStepAdd:
      graph_->scroll(graph::ScrollAction::LineRight);
      break;
    case A::SliderSingleStepSub:
      graph_->scroll(graph::ScrollAction::LineLeft);
      break;
    case A::SliderPageStepAdd:
      graph_->scroll(graph::ScrollAction::PageRight);
      break;
    case A::SliderPageStepSub:
      graph_->scroll(graph::ScrollAction::PageLeft);
      break;
    case A::SliderToMinimum:
      graph_->scroll(graph::ScrollAction::Top);
      break;
    case A::SliderToMaximum:
      graph_->scroll(graph::ScrollAction::Bottom);
      break;
    case A::SliderMove:
      graph_->scroll(graph::ScrollAction::Track, scroll_->sliderPosition());
      break;
    default:
      return;
  }
  // The bar applies this position when the action is over.
  scroll_->setSliderPosition(graph_->scroll_bar().position);
  view_->redraw();
}

void GraphWindow::draw_page(Surface& surface, const Rect& plot, graph::PageRange range,
                            const graph::DrawPage& page) {
  const Rect saved_plot = graph_->plot();
  const int saved_start = graph_->start_time();
  const int saved_end = graph_->end_time();
  graph_->set_plot(plot);
  graph_->set_time_range(range.start, range.end);
  graph_->mark_dirty();
  graph_->draw(surface, page);
  graph_->set_plot(saved_plot);
  graph_->set_time_range(saved_start, saved_end);
  graph_->mark_dirty();
}

bool GraphWindow::print_on(QPrinter& printer) {
  const graph::PageSettings print =
      graph::load_page_settings(settings_file(state_), graph::PageUse::Print);
  printer.setDocName(QString::fromUtf8(kPrintDocument));
  printer.setFullPage(true);  // the margins are measured from the paper's edge
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  QPainterSurface surface(painter);
  const Size paper{printer.width(), printer.height()};
  const Rect plot = graph::print_plot(paper, printer.logicalDpiX(), printer.logicalDpiY(), print);
  const auto pages = graph::split_pages(graph_->start_time(), graph_->end_time(), print.page_size);
  const int count = static_cast<int>(pages.size());
  for (int i = 0; i < count; ++i) {
    if (i > 0) printer.newPage();
    draw_page(surface, plot, pages[static_cast<std::size_t>(i)], {i, count, true});
  }
  painter.end();
  view_->redraw();
  return true;
}

void GraphWindow::print() {
  if (graph_->mode() != graph::GraphMode::Print) return;
  {
    ModalScope modal(state_);
    QPrintDialog dialog(&printer_, this);
    if (dialog.exec() != QDialog::Accepted) return;
  }
  if (!print_on(printer_)) {
    ModalScope modal(state_);
    prompt_.tell(kPrintFailedCaption, kPrintFailed);
  }
}

void GraphWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Q_EMIT close_requested();
}

}  // namespace vosk::ui
