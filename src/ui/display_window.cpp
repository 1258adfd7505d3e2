#include "ui/display_window.h"

#include <QCloseEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "base/format.h"
#include "shell/panel_window_settings.h"

namespace vosk::ui {

DisplayWindow::DisplayWindow(EditorState& state, DocumentController& document, Prompt& prompt,
                             int number, QWidget* parent)
    : QWidget(parent, Qt::Window), number_(number) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromStdString(format("表示ウインドウ %d", number)));
  view_ = new PanelWidget(state, document, prompt, number, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  if (const datafiles::DataSet* data = document.data_set()) {
    datafiles::WindowRect r = panel::window_placement(data->header, number);
    if (!panel::window_section_has(data->header, number, "PosLeft")) {
      // The data set does not place it: where the window was last closed.
      const shell::Rect own =
          shell::read_panel_window_settings(
              ini::Document::load_or_empty(state.start.files.settings_file), number,
              state.shell().default_font, state.start.language.english_start_locale)
              .placement;
      r = {own.left, own.top, own.right, own.bottom};
    }
    move(static_cast<int>(r.left), static_cast<int>(r.top));
    resize(static_cast<int>(std::max(1L, r.right - r.left)),
           static_cast<int>(std::max(1L, r.bottom - r.top)));
  }
}

void DisplayWindow::closeEvent(QCloseEvent* event) {
  view_->write_own_settings();
  QWidget::closeEvent(event);
}

datafiles::DisplaySettings PanelWindowsSource::display_settings() const {
  const datafiles::DataSet* data = document_.data_set();
  return data ? data->header.display : datafiles::DisplaySettings{};
}

std::optional<datafiles::DisplayWindowView> PanelWindowsSource::open_window(int index) const {
  const datafiles::DataSet* data = document_.data_set();
  PanelWidget* widget = panel_of_(index);
  if (!data || !widget || !widget->panel()) return std::nullopt;
  const datafiles::DisplayWindowSection& carried =
      data->header.display_windows[static_cast<std::size_t>(index)];
  if (index == 0 && !carried.open) return std::nullopt;
  const QWidget* window = widget->window();
  std::optional<datafiles::WindowRect> placement;
  if (!window->isMinimized() && !window->isMaximized()) {
    const QPoint at = window->pos();
    placement = datafiles::WindowRect{at.x(), at.y(), at.x() + window->width(),
                                      at.y() + window->height()};
  }
  return panel::window_lines(carried, widget->panel()->view(), placement);
}

}  // namespace vosk::ui
