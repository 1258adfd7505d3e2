#pragma once
// Line style entries: the drawing attributes a window keeps in korv.ini, one
// section per entry named "<prefix>Line%02d" after the entry id.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/ini.h"

namespace vosk::shell {

struct LineStyle {
  int id = 0;
  int for_line = 0;     // ForLine
  int pen_style = 0;    // nPenStyle: Windows pen style (0 solid, 1 dash, 2 dot, ...)
  int point_width = 0;  // nPointWidth, 1/1000 point
  std::uint8_t red = 0, green = 0, blue = 0;
  std::string item_name;  // ItemName, CP932, at most 255 bytes
};

inline constexpr std::size_t kItemNameMaxBytes = 255;
inline constexpr const char* kMainWindowLinePrefix = "MainWindow";

// The 22 built-in entries of the main window, in table order (ids 17-21,
// then 0-16); the track panel draws with them.
std::vector<LineStyle> builtin_main_window_line_styles();

// Section name of an entry: prefix + "Line%02d".
std::string line_style_section(std::string_view prefix, int id);

// Reads each entry's section, keeping the entry's value for a missing key.
// A colour channel keeps the low 8 bits of the stored int, as the Windows
// RGB() macro does.
void load_line_styles(const ini::Document& settings, std::string_view prefix,
                      std::vector<LineStyle>& styles);

// Writes every entry in order: ForLine, nPenStyle, nPointWidth, ColorRValue,
// ColorGValue, ColorBValue ("%d" each), ItemName.
void save_line_styles(ini::Document& settings, std::string_view prefix,
                      const std::vector<LineStyle>& styles);

}  // namespace vosk::shell
