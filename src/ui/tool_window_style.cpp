#include "ui/tool_window_style.h"

namespace vosk::ui {

void set_tool_window_style(QWidget& window, bool on) {
  const Qt::WindowFlags type = on ? Qt::Tool : Qt::Window;
  if ((window.windowFlags() & Qt::WindowType_Mask) == type) return;
  const bool visible = window.isVisible();
  // Qt::Tool includes the Qt::Window bit, so the type is replaced whole;
  // changing the flags hides the window.
  window.setWindowFlags((window.windowFlags() & ~Qt::WindowType_Mask) | type);
  if (visible) window.show();
}

}  // namespace vosk::ui
