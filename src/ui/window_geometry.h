#pragma once
// Stored window rectangles (frame top-left, client size) applied to and read
// from widgets, pulled back onto the screen first.
#include <QWidget>

#include "shell/window_placement.h"

namespace vosk::ui {

shell::Rect screen_rect();
void place_window(QWidget& window, const shell::Rect& stored);
shell::Rect placement_of(const QWidget& window);

}  // namespace vosk::ui
