#include "ui/display_window.h"

#include <QVBoxLayout>
#include <algorithm>

#include "base/format.h"

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
    const datafiles::WindowRect r = panel::window_placement(data->header, number);
    move(static_cast<int>(r.left), static_cast<int>(r.top));
    resize(static_cast<int>(std::max(1L, r.right - r.left)),
           static_cast<int>(std::max(1L, r.bottom - r.top)));
  }
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
