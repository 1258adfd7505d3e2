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

PanelView window_view(const datafiles::Header& header, int window) {
  PanelView v;
  v.scale_x = header.display.scale_x;
  v.scale_y = header.display.scale_y;
  if (window >= 0 && window < datafiles::kDisplayWindowCount) {
    const datafiles::DisplayWindowSection& s =
        header.display_windows[static_cast<std::size_t>(window)];
    std::string text = "[w]\n";
    for (const std::string& line : s.lines) text += line + "\n";
    const ini::Document doc = ini::Document::parse(text);
    auto get = [&](const char* key, int fallback) { return doc.get_int("w", key, fallback); };
    v.rail_view = get("RailView", v.rail_view);
    v.inter_view = get("InterView", v.inter_view);
    v.clock_position = get("ClockPosition", v.clock_position);
    v.scale_x = get("ScaleX", v.scale_x);
    v.scale_y = get("ScaleY", v.scale_y);
    v.font.point_size = get("PointSize", v.font.point_size);
    v.font.weight = get("Weight", v.font.weight);
    v.font.italic = get("Italic", 0) != 0;
    std::string face = doc.get_string("w", "FaceName", "");
    if (face.empty()) face = doc.get_string("w", "FaceNameEnglish", "");
    v.font.face = sjis::to_utf8_lossy(face);
  }
  v.scale_x = std::max(kMinScale, v.scale_x);
  v.scale_y = std::max(kMinScale, v.scale_y);
  v.rail_thickness = rail_thickness_for(v.scale_y);
  return v;
}

}  // namespace vosk::panel
