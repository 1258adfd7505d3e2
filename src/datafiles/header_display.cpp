#include "datafiles/header_display.h"

#include "base/format.h"
#include "datafiles/header_format.h"

namespace vosk::datafiles {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

// Section and key names compare ignoring ASCII case, as profile lookups do.
// The names compared here are ASCII, so a double-byte character never matches.
bool same_ascii_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Name of a "[name]" line, nullopt for any other line.
std::optional<std::string_view> section_name(std::string_view line) {
  std::string_view t = trim(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  std::size_t close = t.find(']');
  return trim(close == std::string_view::npos ? t.substr(1) : t.substr(1, close - 1));
}

bool is_open_key_line(std::string_view line) {
  std::size_t eq = line.find('=');
  return eq != std::string_view::npos && same_ascii_name(trim(line.substr(0, eq)), "Open");
}

// The window a section header names, or -1.
int window_of_section(std::string_view name) {
  for (int i = 0; i < kDisplayWindowCount; ++i)
    if (same_ascii_name(name, display_window_section_name(i))) return i;
  return -1;
}

}  // namespace

std::string display_window_section_name(int index) { return format("DisplayWindow%02d", index); }

DisplaySettings read_display_settings(const ini::Document& doc) {
  DisplaySettings defaults;
  DisplaySettings s;
  s.font_size_mode =
      doc.get_int(header_section::kDisplay, "font_size_mode", defaults.font_size_mode);
  s.scale_x = doc.get_int(header_section::kDisplay, "scale_x", defaults.scale_x);
  s.scale_y = doc.get_int(header_section::kDisplay, "scale_y", defaults.scale_y);
  return s;
}

DisplayWindowSections read_display_windows(std::string_view header_text, const ini::Document& doc) {
  DisplayWindowSections windows;
  for (int i = 0; i < kDisplayWindowCount; ++i)
    windows[static_cast<std::size_t>(i)].open =
        doc.get_int(display_window_section_name(i), "Open", 0) != 0;

  // Collect the lines of each open window's first section, byte for byte.
  std::array<bool, kDisplayWindowCount> seen{};
  DisplayWindowSection* current = nullptr;
  std::size_t start = 0;
  while (start < header_text.size()) {
    std::size_t end = header_text.find('\n', start);
    if (end == std::string_view::npos) end = header_text.size();
    std::string_view line = header_text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    if (auto name = section_name(line)) {
      current = nullptr;
      int i = window_of_section(*name);
      if (i >= 0 && !seen[static_cast<std::size_t>(i)]) {
        seen[static_cast<std::size_t>(i)] = true;
        DisplayWindowSection& w = windows[static_cast<std::size_t>(i)];
        if (w.open) current = &w;
      }
      continue;
    }
    // A line starting with '#' (possible only in a header file read on its
    // own) would begin a new member once written into a bundle.
    if (current && !trim(line).empty() && !is_open_key_line(line) && line.front() != '#')
      current->lines.emplace_back(line);
  }
  return windows;
}

void write_display_window_lines(csv::Writer& out, const DisplayWindowView& v,
                                bool english_start_locale) {
  if (v.position) {
    out.printf("PosLeft=%ld\n", v.position->left);
    out.printf("PosTop=%ld\n", v.position->top);
    out.printf("PosRight=%ld\n", v.position->right);
    out.printf("PosBottom=%ld\n", v.position->bottom);
  }
  out.printf("ViewType=%d\n", v.view_type);
  out.printf("ViewFor=%d\n", v.view_for);
  out.text(v.smart_view ? "SmartView=1\n" : "SmartView=0\n");
  out.text(v.track_view ? "TrackView=1\n" : "TrackView=0\n");
  out.printf("RailView=%d\n", v.rail_view);
  out.text(v.route_view ? "RouteView=1\n" : "RouteView=0\n");
  out.text(v.board_view ? "BoardView=1\n" : "BoardView=0\n");
  out.text(v.flattery_view ? "FlatteryView=1\n" : "FlatteryView=0\n");
  out.printf("InterView=%d\n", v.inter_view);
  out.text(v.view_image16 ? "ViewImage16=1\n" : "ViewImage16=0\n");
  out.printf("ClockPosition=%d\n", v.clock_position);
  out.text(v.view_tool_bar ? "ViewToolBar=1\n" : "ViewToolBar=0\n");
  if (english_start_locale)
    out.printf("FaceNameEnglish=%s\n", value_text(v.font.face_name).c_str());
  else
    out.printf("FaceName=%s\n", value_text(v.font.face_name).c_str());
  out.printf("PointSize=%d\n", v.font.point_size);
  out.printf("Height=%d\n", v.font.height);
  out.printf("Weight=%d\n", v.font.weight);
  out.printf("Italic=%d\n", v.font.italic);
  out.printf("Underline=%d\n", v.font.underline);
  out.printf("StrikeOut=%d\n", v.font.strike_out);
  out.printf("ScaleX=%d\n", v.scale_x);
  out.printf("ScaleY=%d\n", v.scale_y);
  out.printf("ScrollPosX=%d\n", v.scroll_pos_x);
  out.printf("ScrollPosY=%d\n", v.scroll_pos_y);
  out.printf("FlatteryTrain=%d\n", v.flattery_train);
}

}  // namespace vosk::datafiles
