#include "ui/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace vosk::ui {

shell::Rect screen_rect() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return shell::Rect{0, 0, 1024, 768};
  const QRect r = screen->virtualGeometry();
  return shell::Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void place_window(QWidget& window, const shell::Rect& stored) {
  const shell::Rect r = shell::keep_on_screen(stored, screen_rect());
  window.move(static_cast<int>(r.left), static_cast<int>(r.top));
  window.resize(static_cast<int>(std::max(1L, r.width())),
                static_cast<int>(std::max(1L, r.height())));
}

shell::Rect placement_of(const QWidget& window) {
  const QPoint at = window.pos();
  return shell::Rect{at.x(), at.y(), at.x() + window.width(), at.y() + window.height()};
}

}  // namespace vosk::ui
