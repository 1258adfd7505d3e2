#pragma once
// The train graph's sections of the settings file: one per window mode
// ("VOSKDiaGramWindowEdit" ...) with its font ("Font" + section) and line
// style sections (section + "Line%02d"), and the three page-setting
// sections of display, copy and print.
#include <string>

#include "base/ini.h"
#include "base/surface.h"
#include "graph/graph_settings.h"

namespace vosk::graph {

// "VOSK" + "DiaGramWindowPlay" / "Edit" / "Print" / "Pos".
std::string mode_section(GraphMode mode);
// "DiaGramCopyFigureDisply", "DiaGramCopyFigureClip", "DiaGramCopyFigurePrint".
const char* page_section(PageUse use);

// The window rectangle a mode opens with when the file has none.
Rect default_window_rect(GraphMode mode);

struct GraphModeSettings {
  GraphSettings graph;
  Rect window;
};

// Every missing key keeps the mode's default; flags are on when non-zero.
GraphModeSettings load_graph_settings(const ini::Document& settings, GraphMode mode,
                                      bool english_start_locale);
// Flags as "1"/"0", integers as decimal; the rectangle only when the window
// is neither minimised nor maximised (`write_window`).
void save_graph_settings(ini::Document& settings, GraphMode mode, const GraphModeSettings& values,
                         bool write_window, bool english_start_locale);

PageSettings load_page_settings(const ini::Document& settings, PageUse use);
void save_page_settings(ini::Document& settings, PageUse use, const PageSettings& values);

}  // namespace vosk::graph
