#include "shell/panel_window_settings.h"

#include "base/format.h"

namespace vosk::shell {

std::string panel_window_section(int window) { return format("DisplayWindow%02d", window); }

std::string panel_window_font_section(int window) { return "Font" + panel_window_section(window); }

Rect panel_window_default_placement(int window) {
  return window == 0 ? Rect{0, 40, 700, 140} : Rect{200, 100, 600, 400};
}

PanelWindowSettings read_panel_window_settings(const ini::Document& settings, int window,
                                               const FontRecord& default_font,
                                               bool english_start_locale) {
  const std::string section = panel_window_section(window);
  PanelWindowSettings values;
  values.placement = read_placement(settings, section, panel_window_default_placement(window));
  values.tool_bar = settings.get_int(section, "ViewToolBar", 1) != 0;
  values.font = load_font_record(settings, panel_window_font_section(window), default_font,
                                 english_start_locale);
  return values;
}

void write_panel_window_settings(ini::Document& settings, int window,
                                 const PanelWindowSettings& values, bool minimised,
                                 bool maximised, bool english_start_locale) {
  const std::string section = panel_window_section(window);
  write_placement(settings, section, values.placement, minimised, maximised);
  settings.set_flag(section, "ViewToolBar", values.tool_bar);
  save_font_record(settings, panel_window_font_section(window), values.font,
                   english_start_locale);
}

}  // namespace vosk::shell
