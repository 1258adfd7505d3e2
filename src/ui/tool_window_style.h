#pragma once
// The compact title bar of the child windows (the ToolWindow setting): the
// tool-window type in place of the normal window type.
#include <QWidget>

namespace vosk::ui {

// Switches a top-level child window's type; a shown window stays shown.
void set_tool_window_style(QWidget& window, bool on);

}  // namespace vosk::ui
