#include "panel/panel_view.h"

#include <algorithm>

#include "base/ini.h"
#include "base/sjis.h"

namespace vosk::panel {

int rail_thickness_for(int scale_y) { return std::max(1, mul_div(2, scale_y, 4096)); }

int panel_x_of(const PanelView& v, int px) {
  return v.scale_x > 0 ? mul_div(px - v.offset_x, 4096, v.scale_x) : px - v.offset_x;
}
int panel_y_of(const PanelView& v, int py) {
  return v.scale_y > 0 ? mul_div(py - v.offset_y, 4096, v.scale_y) : py - v.offset_y;
}

Point item_pixel(const datafiles::MapTables& map, const PanelView& v, int row, int x, int y,
                 bool rows_ignored) {
  if (rows_ignored || !map.rows.names_record(row)) return {pixel_x(v, x), pixel_y(v, y)};
  const map::Row& r = map.rows[row];
  return {pixel_x(v, r.panel_x(x)), pixel_y(v, r.panel_y(y))};
}

namespace {

// A section's carried lines as a profile section named "w".
ini::Document section_document(const datafiles::DisplayWindowSection& s) {
  std::string text = "[w]\n";
  for (const std::string& line : s.lines) text += line + "\n";
  return ini::Document::parse(text);
}

bool valid_window(int window) { return window >= 0 && window < datafiles::kDisplayWindowCount; }

// The drawing font of a section's font record (the defaults for missing keys).
Font section_font(const ini::Document& doc) {
  Font font;
  font.point_size = doc.get_int("w", "PointSize", font.point_size);
  font.weight = doc.get_int("w", "Weight", font.weight);
  font.italic = doc.get_int("w", "Italic", 0) != 0;
  std::string face = doc.get_string("w", "FaceName", "");
  if (face.empty()) face = doc.get_string("w", "FaceNameEnglish", "");
  font.face = sjis::to_utf8_lossy(face);
  return font;
}

}  // namespace

PanelView window_view(const datafiles::Header& header, int window) {
  PanelView v;
  v.scale_x = header.display.scale_x;
  v.scale_y = header.display.scale_y;
  if (valid_window(window)) {
    const ini::Document doc =
        section_document(header.display_windows[static_cast<std::size_t>(window)]);
    auto get = [&](const char* key, int fallback) { return doc.get_int("w", key, fallback); };
    v.rail_view = get("RailView", v.rail_view);
    v.inter_view = get("InterView", v.inter_view);
    v.clock_position = get("ClockPosition", v.clock_position);
    v.scale_x = get("ScaleX", v.scale_x);
    v.scale_y = get("ScaleY", v.scale_y);
    v.tool_bar = get("ViewToolBar", 1) != 0;
    v.font = section_font(doc);
    v.offset_x = -kScrollStep * std::max(0, get("ScrollPosX", 0));
    v.offset_y = -kScrollStep * std::max(0, get("ScrollPosY", 0));
  }
  v.scale_x = std::max(kMinScale, v.scale_x);
  v.scale_y = std::max(kMinScale, v.scale_y);
  v.rail_thickness = rail_thickness_for(v.scale_y);
  return v;
}

bool window_section_has(const datafiles::Header& header, int window, const char* key) {
  if (!valid_window(window)) return false;
  const std::string prefix = std::string(key) + "=";
  for (const std::string& line : header.display_windows[static_cast<std::size_t>(window)].lines)
    if (line.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

datafiles::WindowRect window_placement(const datafiles::Header& header, int window) {
  datafiles::WindowRect r = window == 0 ? datafiles::WindowRect{0, 40, 700, 140}
                                        : datafiles::WindowRect{200, 100, 600, 400};
  if (!valid_window(window)) return r;
  const ini::Document doc =
      section_document(header.display_windows[static_cast<std::size_t>(window)]);
  r.left = doc.get_int("w", "PosLeft", static_cast<int>(r.left));
  r.top = doc.get_int("w", "PosTop", static_cast<int>(r.top));
  r.right = doc.get_int("w", "PosRight", static_cast<int>(r.right));
  r.bottom = doc.get_int("w", "PosBottom", static_cast<int>(r.bottom));
  return r;
}

datafiles::DisplayWindowView window_lines(const datafiles::DisplayWindowSection& carried,
                                          const PanelView& view,
                                          std::optional<datafiles::WindowRect> placement) {
  const ini::Document doc = section_document(carried);
  datafiles::DisplayWindowView w;
  auto get = [&](const char* key, int fallback) { return doc.get_int("w", key, fallback); };
  auto flag = [&](const char* key, bool fallback) { return get(key, fallback ? 1 : 0) != 0; };
  w.position = placement;
  w.view_type = get("ViewType", w.view_type);
  w.view_for = get("ViewFor", w.view_for);
  w.smart_view = flag("SmartView", w.smart_view);
  w.track_view = flag("TrackView", w.track_view);
  w.route_view = flag("RouteView", w.route_view);
  w.board_view = flag("BoardView", w.board_view);
  w.flattery_view = flag("FlatteryView", w.flattery_view);
  w.view_image16 = flag("ViewImage16", w.view_image16);
  w.view_tool_bar = view.tool_bar;
  w.flattery_train = get("FlatteryTrain", w.flattery_train);
  datafiles::DisplayFont& f = w.font;
  f.face_name = doc.get_string("w", "FaceName", "");
  if (f.face_name.empty()) f.face_name = doc.get_string("w", "FaceNameEnglish", "");
  f.point_size = get("PointSize", f.point_size);
  f.height = get("Height", f.height);
  f.weight = get("Weight", f.weight);
  f.italic = get("Italic", f.italic);
  f.underline = get("Underline", f.underline);
  f.strike_out = get("StrikeOut", f.strike_out);
  if (view.font != section_font(doc)) {
    // A font chosen in the window: its height follows the point size at
    // 96 pixels per inch, as the font record stores it.
    f.face_name = sjis::from_utf8_lossy(view.font.face);
    f.point_size = view.font.point_size;
    f.height = -mul_div(view.font.point_size, 96, 72);
    f.weight = view.font.weight;
    f.italic = view.font.italic ? 1 : 0;
    f.underline = view.font.underline ? 1 : 0;
    f.strike_out = view.font.strike_out ? 1 : 0;
  }
  // What the window shows now.
  w.rail_view = view.rail_view;
  w.inter_view = view.inter_view;
  w.clock_position = view.clock_position;
  w.scale_x = view.scale_x;
  w.scale_y = view.scale_y;
  w.scroll_pos_x = std::max(0, -view.offset_x) / kScrollStep;
  w.scroll_pos_y = std::max(0, -view.offset_y) / kScrollStep;
  return w;
}

}  // namespace vosk::panel
