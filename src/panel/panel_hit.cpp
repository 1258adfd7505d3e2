// What lies under a pixel of the track panel.
#include <algorithm>

#include "base/sjis.h"
#include "panel/track_panel.h"

namespace vosk::panel {
namespace {

bool within(Point p, Point centre, int left, int top, int right, int bottom) {
  return p.x >= centre.x - left && p.x <= centre.x + right && p.y >= centre.y - top &&
         p.y <= centre.y + bottom;
}

// Squared distance in pixels from p to the segment a-b.
double distance_squared(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double px = p.x - a.x, py = p.y - a.y;
  const double length = dx * dx + dy * dy;
  const double along = length > 0 ? std::clamp((px * dx + py * dy) / length, 0.0, 1.0) : 0.0;
  const double ex = px - along * dx, ey = py - along * dy;
  return ex * ex + ey * ey;
}

// How far from its line a click still names a rail, in pixels.
constexpr int kRailReach = 4;

}  // namespace

int TrackPanel::rail_at(Point p) const {
  const auto& rails = data_.map.rails;
  const int t = std::max(1, view_.rail_thickness);
  int nearest = 0;
  double best = kRailReach * kRailReach + 0.5;
  for (int n = 1; n <= rails.extent(); ++n) {
    const map::Rail& r = rails[n];
    if (r.row == 0 || (r.l_next == 0 && r.l_back == 0)) continue;
    // The middle of the line as the paint draws it.
    const int y_shift = (r.direction == 1 ? t : 0) + (t - 1) / 2;
    Point a = at(r.row, r.row_pos_x_next, r.row_pos_y_next);
    Point b = at(r.row, r.row_pos_x_back, r.row_pos_y_back);
    a.y += y_shift;
    b.y += y_shift;
    const double d = distance_squared(p, a, b);
    if (d < best) best = d, nearest = n;
  }
  return nearest;
}

PanelHit TrackPanel::hit(Point p) const {
  const datafiles::MapTables& m = data_.map;
  if (interlocking() && view_.inter_view != 0) {
    // The lever: its pivot square and the bar above it, whichever way it
    // is thrown.
    for (int n = 1; n <= m.rails.extent(); ++n) {
      const int l = m.rails[n].route_lever;
      if (!m.route_levers.names_record(l)) continue;
      const map::RouteLever& lever = m.route_levers[l];
      if (symbol_visible(lever.lever_shown) &&
          within(p, at(lever.lever_row, lever.lever_x, lever.lever_y), 11, 13, 11, 5))
        return {PanelHit::Lever, l, n};
    }
    for (int n = 1; n <= m.rails.extent(); ++n) {
      const int l = m.rails[n].route_lever;
      if (!m.route_levers.names_record(l)) continue;
      const map::RouteLever& lever = m.route_levers[l];
      if (symbol_visible(lever.button_shown) &&
          within(p, at(lever.button_row, lever.button_x, lever.button_y), 5, 5, 5, 5))
        return {PanelHit::LeverButton, l, n};
    }
    for (int n = 1; n <= m.rails.extent(); ++n) {
      const int b = m.rails[n].route_button;
      if (!m.route_buttons.names_record(b)) continue;
      const map::RouteButton& button = m.route_buttons[b];
      if (symbol_visible(button.shown) && within(p, at(button.row, button.x, button.y), 4, 4, 4, 4))
        return {PanelHit::Button, b, n};
    }
  }
  // A point symbol is its key, drawn centred below the position.
  Font font = view_.font;
  font.height = font_height_for_points(font.point_size, 96);
  for (int n = 1; n <= m.points.extent(); ++n) {
    const map::Point& pt = m.points[n];
    if (pt.key.empty()) continue;
    const Size size = approximate_text_size(font, 96, sjis::to_utf8_lossy(pt.key));
    const int half = std::max(6, size.width / 2);
    if (within(p, at(pt.symbol_row, pt.symbol_x, pt.symbol_y), half, 2, half, size.height))
      return {PanelHit::PointSymbol, n, 0};
  }
  for (int n = 1; n <= m.station_draws.extent(); ++n) {
    const map::StationDraw& d = m.station_draws[n];
    const Point a = at(d.row, d.left_x, d.y1);
    const Point b = at(d.row, d.right_x, d.y2);
    if (p.x >= std::min(a.x, b.x) && p.x < std::max(a.x, b.x) && p.y >= std::min(a.y, b.y) &&
        p.y < std::max(a.y, b.y))
      return {PanelHit::StationDrawing, n, 0};
  }
  return {};
}

}  // namespace vosk::panel
