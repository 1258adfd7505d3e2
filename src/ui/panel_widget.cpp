#include "ui/panel_widget.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "base/format.h"
#include "base/sjis.h"
#include "datafiles/document_state.h"
#include "datafiles/table_loader.h"
#include "shell/panel_window_settings.h"
#include "ui/font_convert.h"
#include "ui/fonts.h"
#include "ui/point_key_dialog.h"
#include "ui/qpainter_surface.h"
#include "ui/rail_properties_dialog.h"
#include "ui/station_info_dialog.h"
#include "ui/window_geometry.h"

namespace vosk::ui {
namespace {

// One scroll step of the panel, in pixels.
using panel::kScrollStep;

// What is open, written while the panel has nothing to draw.
void draw_account(Surface& surface, const EditorState& state, const DocumentController& document) {
  const bool english = state.english();
  surface.set_font(drawing_font(state.start.shell.default_font));
  surface.set_text_colour({0, 0, 0});
  surface.set_background(false, {255, 255, 255});
  surface.set_text_align({HAlign::Left, VAlign::Top});
  const int step = surface.measure("0").height + 4;
  int y = 8;
  const datafiles::DocumentState& doc = document.state();
  if (!doc.data_loaded) {
    surface.text({8, y}, english ? "No data set open." : "データセットは開かれていません。");
    y += step;
  } else {
    surface.text({8, y}, format(english ? "Open: %s" : "開いているデータセット：%s",
                                doc.file_title.c_str()));
    y += step;
    if (!doc.dia_path.empty()) surface.text({8, y}, doc.dia_path.string()), y += step;
    if (!doc.executed_path.empty()) surface.text({8, y}, doc.executed_path.string()), y += step;
    for (const std::string& line : document.summary()) surface.text({8, y}, line), y += step;
  }
  if (!document.available()) {
    surface.text({8, y}, english ? "This build cannot open or save data sets yet."
                                 : "この版ではまだデータセットを開くことも保存することもできません。");
  }
}

// Keys that leave the point-key buffer as it is.
bool ignored_by_key_buffer(int key) {
  switch (key) {
    case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Shift: case Qt::Key_Control:
    case Qt::Key_Alt: case Qt::Key_Meta: case Qt::Key_Pause: case Qt::Key_Insert:
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
      return true;
    default:
      return key >= Qt::Key_F1 && key <= Qt::Key_F12;
  }
}

// The character a key adds to the point-key buffer (CP932), 0 for none.
// With Ctrl held the text is a control code, so letters and digits come
// from the key itself.
char typed_character(int key, const QString& text, bool ctrl) {
  if (ctrl && ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)))
    return static_cast<char>(key);
  if (text.isEmpty()) return 0;
  const std::string bytes = sjis::from_utf8_lossy(text.toStdString());
  if (bytes.size() != 1 || static_cast<unsigned char>(bytes[0]) < 0x20) return 0;
  return bytes[0];
}

}  // namespace

// --- the picture ---------------------------------------------------------------

PanelCanvas::PanelCanvas(PanelWidget& owner) : PictureView(&owner), owner_(owner) {
  setFocusPolicy(Qt::StrongFocus);
}

Rgb PanelCanvas::background() const {
  return owner_.panel_ ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
}

void PanelCanvas::draw(Surface& surface) {
  if (owner_.panel_) {
    owner_.panel_->redraw(surface);
  } else {
    draw_account(surface, owner_.state_, owner_.document_);
  }
}

void PanelCanvas::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    owner_.left_click(at, event->modifiers().testFlag(Qt::ControlModifier));
  } else if (event->button() == Qt::RightButton) {
    owner_.right_click(at, event->globalPosition().toPoint());
  }
}

void PanelCanvas::wheelEvent(QWheelEvent* event) {
  const QPoint notches = event->angleDelta() / 120;
  // Shift turns the wheel sideways, as a horizontal wheel does.
  if (event->modifiers().testFlag(Qt::ShiftModifier) || notches.y() == 0) {
    owner_.scroll_by(-(notches.y() + notches.x()) * 3 * kScrollStep, 0);
  } else {
    owner_.scroll_by(0, -notches.y() * 3 * kScrollStep);
  }
  event->accept();
}

void PanelCanvas::keyPressEvent(QKeyEvent* event) {
  if (!owner_.key(event->key(), event->text(), event->modifiers())) PictureView::keyPressEvent(event);
}

void PanelCanvas::resizeEvent(QResizeEvent* event) {
  owner_.sync_view_size();
  owner_.update_scroll_bars();
  PictureView::resizeEvent(event);
}

// --- the panel window's client area --------------------------------------------

PanelWidget::PanelWidget(EditorState& state, DocumentController& document, Prompt& prompt,
                         int window, QWidget* parent)
    : QWidget(parent), state_(state), document_(document), prompt_(prompt), window_(window) {
  canvas_ = new PanelCanvas(*this);
  hbar_ = new QScrollBar(Qt::Horizontal, this);
  vbar_ = new QScrollBar(Qt::Vertical, this);
  for (QScrollBar* bar : {hbar_, vbar_}) {
    bar->setSingleStep(kScrollStep);
    connect(bar, &QScrollBar::valueChanged, this, [this] {
      if (updating_bars_) return;
      take_scroll_position();
      redraw();
    });
  }
  tools_ = new PanelToolBar(state.english(), this);
  connect(tools_, &PanelToolBar::chosen, this, &PanelWidget::run_tool);
  status_ = new QLabel(this);
  status_->setContentsMargins(4, 2, 4, 2);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  grid->addWidget(tools_, 0, 0, 1, 2);
  grid->addWidget(status_, 1, 0, 1, 2);
  grid->addWidget(canvas_, 2, 0);
  grid->addWidget(vbar_, 2, 1);
  grid->addWidget(hbar_, 3, 0);
  show_menu = [this](const std::vector<panel::MenuEntry>& entries, QPoint global) {
    return run_panel_menu(this, entries, global);
  };
  run_dialog = [](QDialog& dialog) { return dialog.exec(); };
  reload();
}

PanelWidget::~PanelWidget() = default;

void PanelWidget::reload() {
  datafiles::DataSet* data = document_.data_set();
  panel_.reset();
  if (data) {
    panel_ = std::make_unique<panel::TrackPanel>(*data, state_.shell().line_styles);
    panel_->view() = panel::window_view(data->header, window_);
    // What the data set's section does not say comes from korv.ini.
    const shell::PanelWindowSettings own = shell::read_panel_window_settings(
        ini::Document::load_or_empty(state_.start.files.settings_file), window_,
        state_.shell().default_font, state_.start.language.english_start_locale);
    const datafiles::Header& h = data->header;
    if (!panel::window_section_has(h, window_, "ViewToolBar")) panel_->view().tool_bar = own.tool_bar;
    if (!panel::window_section_has(h, window_, "FaceName") &&
        !panel::window_section_has(h, window_, "FaceNameEnglish") &&
        !panel::window_section_has(h, window_, "PointSize"))
      panel_->view().font = shell::drawing_font(own.font);
    sync_view_size();
  }
  update_scroll_bars();
  redraw();
}

void PanelWidget::redraw() {
  show_tools();
  if (panel_) update_scroll_bars();
  canvas_->redraw();
}

void PanelWidget::show_tools() {
  tools_->setVisible(panel_ && panel_->view().tool_bar);
  const std::string status = panel_ ? panel_->status_text() : std::string();
  status_->setText(QString::fromStdString(status));
  status_->setVisible(!status.empty());
  if (panel_) tools_->show_mode(panel_->row_mode());
}

void PanelWidget::sync_view_size() {
  if (panel_) panel_->view().window = Size{canvas_->width(), canvas_->height()};
}

// Ranges in pixels: the map's extent less the window; the panel's offset is
// minus the scroll position.
void PanelWidget::update_scroll_bars() {
  updating_bars_ = true;
  const bool shown = panel_ != nullptr;
  hbar_->setVisible(shown);
  vbar_->setVisible(shown);
  if (shown) {
    panel::PanelView& v = panel_->view();
    const Size extent = panel_->map_extent();
    const int max_x = std::max(0, extent.width - v.window.width);
    const int max_y = std::max(0, extent.height - v.window.height);
    hbar_->setRange(0, std::max(max_x, -v.offset_x));
    vbar_->setRange(0, std::max(max_y, -v.offset_y));
    hbar_->setPageStep(std::max(kScrollStep, v.window.width));
    vbar_->setPageStep(std::max(kScrollStep, v.window.height));
    hbar_->setValue(-v.offset_x);
    vbar_->setValue(-v.offset_y);
  }
  updating_bars_ = false;
}

void PanelWidget::take_scroll_position() {
  if (!panel_) return;
  panel_->view().offset_x = -hbar_->value();
  panel_->view().offset_y = -vbar_->value();
}

void PanelWidget::scroll_by(int dx, int dy) {
  if (!panel_) return;
  updating_bars_ = true;
  hbar_->setValue(hbar_->value() + dx);
  vbar_->setValue(vbar_->value() + dy);
  updating_bars_ = false;
  take_scroll_position();
  redraw();
}

// --- input ---------------------------------------------------------------------

void PanelWidget::handle(const panel::PanelResult& result) {
  for (const std::string& message : result.messages) {
    state_.messages.add(sjis::from_utf8_lossy(message));
    QApplication::beep();
  }
  if (result.raise_window >= 0) Q_EMIT raise_window(result.raise_window);
  // A dialog that changes the data set redraws every window itself.
  if (result.open_station_target != 0) open_station_dialog(result.open_station_target);
  if (result.point_key_dialog != 0) open_point_key_dialog(result.point_key_dialog);
  if (result.rail_dialog != 0) open_rail_dialog(result.rail_dialog);
  if (result.changed) {
    // Every window redraws, this one with them.
    document_.mark_edited();
    Q_EMIT model_changed();
  } else {
    redraw();
  }
}

void PanelWidget::left_click(QPoint at, bool ctrl) {
  if (!panel_) return;
  handle(panel_->left_click({at.x(), at.y()}, ctrl, state_.busy, prompt_));
}

void PanelWidget::right_click(QPoint at, QPoint global) {
  if (!panel_) return;
  if (panel_->row_mode() != panel::RowMode::Normal) {
    // In the row modes a right click moves on to the next row.
    panel_->row_mode_click({at.x(), at.y()}, true);
    redraw();
    return;
  }
  const std::vector<panel::MenuEntry> entries = panel_->context_menu({at.x(), at.y()});
  const int chosen = show_menu(entries, global);
  if (chosen != 0) menu_command(chosen);
}

void PanelWidget::menu_command(int id) {
  if (!panel_) return;
  handle(panel_->menu_command(id, prompt_));
}

bool PanelWidget::key(int qt_key, const QString& text, Qt::KeyboardModifiers modifiers) {
  if (!panel_) return false;
  const bool shift = modifiers.testFlag(Qt::ShiftModifier);
  const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
  if (qt_key == Qt::Key_F2) {
    copy_picture();
    return true;
  }
  const bool arrow = qt_key == Qt::Key_Left || qt_key == Qt::Key_Right ||
                     qt_key == Qt::Key_Up || qt_key == Qt::Key_Down;
  if (arrow && shift) {
    if (qt_key == Qt::Key_Right || qt_key == Qt::Key_Left)
      panel_->zoom_x(qt_key == Qt::Key_Right ? 1 : -1);
    else
      panel_->zoom_y(qt_key == Qt::Key_Down ? 1 : -1);
    redraw();
    return true;
  }
  if (arrow) {
    scroll_by(qt_key == Qt::Key_Right ? kScrollStep : qt_key == Qt::Key_Left ? -kScrollStep : 0,
              qt_key == Qt::Key_Down ? kScrollStep : qt_key == Qt::Key_Up ? -kScrollStep : 0);
    return true;
  }
  if (ignored_by_key_buffer(qt_key)) return false;
  panel::PointKeyBuffer& buffer = panel_->key_buffer();
  const std::string before = buffer.text();
  if (qt_key == Qt::Key_Backspace || qt_key == Qt::Key_Delete) {
    buffer.remove_last();
  } else if (qt_key == Qt::Key_Return || qt_key == Qt::Key_Enter || qt_key == Qt::Key_Escape ||
             qt_key == Qt::Key_Space) {
    buffer.clear();
  } else if (const char c = typed_character(qt_key, text, ctrl)) {
    // The dia edit window does not exist in this build.
    handle(panel_->key_typed(c, ctrl, shift, false));
  } else {
    return false;
  }
  if (buffer.text() != before) Q_EMIT key_buffer_changed();
  return true;
}

void PanelWidget::run_tool(PanelTool tool) {
  if (!panel_) return;
  bool rows_changed = false;
  auto row_command = [&](panel::RowCommand command) {
    return panel_->row_command(command, state_.busy, prompt_);
  };
  switch (tool) {
    case PanelTool::AutoRow:
      rows_changed = row_command(panel::RowCommand::AutoRow);
      break;
    case PanelTool::ClearRow:
      rows_changed = row_command(panel::RowCommand::ClearRow);
      break;
    case PanelTool::AdjustSpan:
      rows_changed = row_command(panel::RowCommand::AdjustSpan);
      break;
    case PanelTool::RowPause:
      row_command(panel::RowCommand::RowPause);
      break;
    case PanelTool::RowPosition:
      row_command(panel::RowCommand::RowPosition);
      break;
    case PanelTool::WiderX:
      panel_->zoom_x(1);
      break;
    case PanelTool::NarrowerX:
      panel_->zoom_x(-1);
      break;
    case PanelTool::TallerY:
      panel_->zoom_y(1);
      break;
    case PanelTool::ShorterY:
      panel_->zoom_y(-1);
      break;
    case PanelTool::Font:
      if (std::optional<Font> font = choose_font(this, panel_->view().font, 96))
        panel_->view().font = *font;
      break;
  }
  if (rows_changed) {
    document_.mark_edited();
    Q_EMIT model_changed();
  } else {
    redraw();
  }
  canvas_->setFocus(Qt::OtherFocusReason);
}

void PanelWidget::write_own_settings() {
  if (!panel_) return;
  const QWidget& shown = *window();
  shell::PanelWindowSettings values;
  values.placement = placement_of(shown);
  values.tool_bar = panel_->view().tool_bar;
  values.font = font_record_from(panel_->view().font, state_.shell().default_font);
  const bool english_start = state_.start.language.english_start_locale;
  update_settings_file(state_.start.files, [&](ini::Document& doc) {
    shell::write_panel_window_settings(doc, window_, values, shown.isMinimized(),
                                       shown.isMaximized(), english_start);
    return true;
  });
}

// --- map property dialogs ------------------------------------------------------

bool PanelWidget::run_map_dialog(QDialog& dialog, bool rebuild_derived) {
  if (run_dialog(dialog) != QDialog::Accepted) return false;
  datafiles::DataSet* data = document_.data_set();
  // Labels and track lists follow the rails' new names and stopping marks.
  if (rebuild_derived && data) datafiles::rebuild_derived_data(*data, state_.english());
  document_.mark_edited();
  Q_EMIT model_changed();
  return true;
}

bool PanelWidget::open_station_dialog(int target) {
  datafiles::DataSet* data = document_.data_set();
  if (!data) return false;
  ModalScope modal(state_);
  StationInfoDialog dialog(*data, prompt_, state_.english(), target, this);
  return run_map_dialog(dialog, true);
}

bool PanelWidget::open_rail_dialog(int rail) {
  datafiles::DataSet* data = document_.data_set();
  if (!data || !data->map.rails.names_record(rail)) return false;
  ModalScope modal(state_);
  RailPropertiesDialog dialog(*data, prompt_, state_.english(), rail, this);
  return run_map_dialog(dialog, true);
}

bool PanelWidget::open_point_key_dialog(int point) {
  datafiles::DataSet* data = document_.data_set();
  if (!data || !data->map.points.names_record(point)) return false;
  ModalScope modal(state_);
  PointKeyDialog dialog(*data, prompt_, state_.english(), point, this);
  return run_map_dialog(dialog, false);
}

// --- picture copy --------------------------------------------------------------

QImage PanelWidget::whole_map_picture() {
  if (!panel_) return {};
  const Size extent = panel_->map_extent();
  QImage image(std::max(1, extent.width), std::max(1, extent.height), QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  QPainterSurface surface(painter);
  panel_->paint_whole_map(surface);
  return image;
}

void PanelWidget::copy_picture() {
  const QImage image = whole_map_picture();
  if (!image.isNull()) QApplication::clipboard()->setImage(image);
}

int run_panel_menu(QWidget* parent, const std::vector<panel::MenuEntry>& entries, QPoint global) {
  QMenu menu(parent);
  for (const panel::MenuEntry& entry : entries) {
    if (entry.id == 0) {
      QAction* caption = menu.addAction(QString::fromStdString(entry.text));
      caption->setEnabled(false);
      continue;
    }
    QAction* action = menu.addAction(QString::fromStdString(entry.text));
    action->setData(entry.id);
    action->setEnabled(entry.enabled);
    action->setCheckable(entry.checked);
    action->setChecked(entry.checked);
  }
  const QAction* chosen = menu.exec(global);
  return chosen ? chosen->data().toInt() : 0;
}

}  // namespace vosk::ui
