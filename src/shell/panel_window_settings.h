#pragma once
// A track panel window's own settings in korv.ini: section
// "DisplayWindow%02d" (the window's number) with its placement and
// ViewToolBar, and its font record in "Font" + that section's name. The data
// set's display-window sections say the same per data set and win where
// they have a value; these are what a window starts from otherwise.
#include <string>

#include "base/ini.h"
#include "shell/font_record.h"
#include "shell/window_placement.h"

namespace vosk::shell {

struct PanelWindowSettings {
  Rect placement;
  bool tool_bar = true;
  FontRecord font;
};

// "DisplayWindow%02d" and "FontDisplayWindow%02d".
std::string panel_window_section(int window);
std::string panel_window_font_section(int window);

// Window 0 (the main window's panel) and the others differ in placement only.
Rect panel_window_default_placement(int window);

// Missing keys take the defaults; the font falls back to `default_font`.
PanelWindowSettings read_panel_window_settings(const ini::Document& settings, int window,
                                               const FontRecord& default_font,
                                               bool english_start_locale);

// When a panel window closes: the placement unless minimised or maximised,
// ViewToolBar "1"/"0", and the font record.
void write_panel_window_settings(ini::Document& settings, int window,
                                 const PanelWindowSettings& values, bool minimised,
                                 bool maximised, bool english_start_locale);

}  // namespace vosk::shell
