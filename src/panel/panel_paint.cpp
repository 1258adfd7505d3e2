// Painting the track panel, layer by layer.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>

#include "base/sjis.h"
#include "base/time_text.h"
#include "panel/panel_labels.h"
#include "panel/track_panel.h"

namespace vosk::panel {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kTrainStock{255, 160, 0};
constexpr Rgb kGrey{128, 128, 128};

// Line style entries of the main window the panel draws with.
enum Entry : int {
  kPointManual = 0,  // 1..6 follow the point modes
  kPointRestoreNormal = 1,
  kPointRestoreReverse = 2,
  kLeverPending = 7,
  kLeverNotPending = 8,
  kLeverManual = 9,
  kLeverRestoreNormal = 10,
  kLeverRestoreReverse = 11,
  kLeverRequest = 12,
  kButtonCandidate = 13,
  kButtonNotCandidate = 14,
  kButtonOwned = 15,
  kButtonFree = 16,
  kJumpText = 17,
  kStationText = 18,
  kStationBack = 19,
};

void solid_pen(Surface& s, Rgb colour) { s.set_pen({PenStyle::Solid, 1, colour}); }

// A square marker centred on p, `half` pixels to each side (one more to the
// right and below, as the platform's rectangles leave those edges out).
void square(Surface& s, Point p, int half, Rgb fill, Rgb outline) {
  solid_pen(s, outline);
  s.set_brush({fill, false});
  s.rectangle({p.x - half, p.y - half, p.x + half + 1, p.y + half + 1});
}

// Text whose box is centred vertically on y.
void text_centred_on(Surface& s, Point p, HAlign h, const std::string& utf8) {
  const Size size = s.measure(utf8);
  s.set_text_align({h, VAlign::Top});
  s.text({p.x, p.y - size.height / 2}, utf8);
}

}  // namespace

void TrackPanel::draw(Surface& s) const {
  Font font = view_.font;
  font.height = font_height_for_points(font.point_size, s.logpixelsy());
  s.set_font(font);
  draw_guides(s);
  s.set_background(false, kBlack);
  draw_point_keys(s);
  draw_jumps(s);
  draw_station_drawings(s);
  draw_rails(s);
  draw_trains(s);
  if (interlocking()) {
    draw_buttons(s);
    draw_levers(s);
  }
  draw_clock(s);
}

void TrackPanel::redraw(Surface& s) const {
  const Size size = s.size();
  s.fill_rect({0, 0, size.width, size.height}, kBlack);
  draw(s);
}

void TrackPanel::paint_whole_map(Surface& s) {
  const PanelView saved = view_;
  view_.window = map_extent();
  view_.offset_x = view_.offset_y = 0;
  redraw(s);
  view_ = saved;
}

void TrackPanel::draw_guides(Surface& s) const {
  if (mode_ == RowMode::Pause) {
    const int x = pixel_x(view_, current_break());
    solid_pen(s, {128, 128, 128});
    s.line({x, 0}, {x, s.size().height});
  } else if (mode_ == RowMode::Position && data_.map.rows.names_record(current_row_)) {
    const map::Row& row = data_.map.rows[current_row_];
    const Point c{pixel_x(view_, row.x_origin), pixel_y(view_, row.y_origin)};
    solid_pen(s, {0, 255, 0});
    s.line({c.x - 10, c.y}, {c.x + 11, c.y});
    s.line({c.x, c.y - 10}, {c.x, c.y + 11});
  }
}

void TrackPanel::draw_point_keys(Surface& s) const {
  const auto& points = data_.map.points;
  const TextAlign below{HAlign::Center, VAlign::Top};
  s.set_text_align(below);
  for (int n = 1; n <= points.extent(); ++n) {
    const map::Point& p = points[n];
    if (p.key.empty()) continue;
    Rgb colour;
    if ((pending_move_point_ != 0 && pending_move_point_ != n) || p.failed != 0) {
      colour = kGrey;
    } else if (interlocking()) {
      colour = kWhite;
    } else if (p.active_mode == map::kPointRestore) {
      colour = style_colour(p.position == p.normal_position ? kPointRestoreNormal
                                                            : kPointRestoreReverse);
    } else if (p.active_mode >= map::kPointRequest && p.active_mode <= map::kPointCombined) {
      colour = style_colour(p.active_mode + 1);
    } else {
      colour = style_colour(kPointManual);
    }
    const Point where = at(p.symbol_row, p.symbol_x, p.symbol_y);
    const std::string key = sjis::to_utf8_lossy(p.key);
    // Dark mode colours (blue, dark green, dark red) vanish on black: they
    // are written on a light plate, like the name plate of a switch.
    if (needs_plate(colour)) {
      const Rect box = text_box(where, below, s.measure(key));
      s.fill_rect({box.left - 1, box.top, box.right + 1, box.bottom}, kPlateColour);
    }
    s.set_text_colour(colour);
    s.text(where, key);
  }
}

void TrackPanel::draw_jumps(Surface& s) const {
  const auto& jumps = data_.map.jumps;
  s.set_text_colour(style_colour(kJumpText));
  for (int n = 1; n <= jumps.extent(); ++n) {
    const map::Jump& j = jumps[n];
    if (j.label.empty()) continue;
    const std::string label = sjis::to_utf8_lossy(j.label);
    text_centred_on(s, at(j.row1, j.x1, j.y1), HAlign::Left, label);
    text_centred_on(s, at(j.row2, j.x2, j.y2), HAlign::Right, label);
  }
}

std::vector<TrackPanel::StationDrawing> TrackPanel::station_drawings() const {
  const auto& m = data_.map;
  std::vector<StationDrawing> out;
  for (int n = 1; n <= m.station_draws.extent(); ++n) {
    const map::StationDraw& d = m.station_draws[n];
    const Point a = at(d.row, d.left_x, d.y1);
    const Point b = at(d.row, d.right_x, d.y2);
    StationDrawing drawing;
    drawing.rect = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    if (m.targets.names_record(d.target)) {
      const map::Target& t = m.targets[d.target];
      drawing.name = sjis::to_utf8_lossy(
          m.stations.names_record(t.station) ? m.stations[t.station].short_name : t.short_name);
    }
    out.push_back(std::move(drawing));
  }
  return out;
}

namespace {
Point centre_of(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
}  // namespace

std::vector<Rect> TrackPanel::station_name_boxes(Surface& s) const {
  std::vector<Rect> boxes;
  for (const StationDrawing& d : station_drawings()) {
    if (d.name.empty()) continue;
    const Size size = s.measure(d.name);
    const Point c = centre_of(d.rect);
    boxes.push_back(text_box({c.x, c.y - size.height / 2}, {HAlign::Center, VAlign::Top}, size));
  }
  return boxes;
}

void TrackPanel::draw_station_drawings(Surface& s) const {
  const Rgb back = style_colour(kStationBack);
  solid_pen(s, back);
  s.set_brush({back, false});
  s.set_text_colour(style_colour(kStationText));
  for (const StationDrawing& d : station_drawings()) {
    s.rectangle(d.rect);
    if (!d.name.empty()) text_centred_on(s, centre_of(d.rect), HAlign::Center, d.name);
  }
}

void TrackPanel::draw_rails(Surface& s) const {
  const auto& rails = data_.map.rails;
  const int t = std::max(1, view_.rail_thickness);
  for (int n = 1; n <= rails.extent(); ++n) {
    const map::Rail& r = rails[n];
    if (r.row == 0 || (r.l_next == 0 && r.l_back == 0)) continue;
    // Direction 1 lies one thickness below direction 2, so that the two
    // rails of a track show as two lines.
    const int lower = r.direction == 1 ? t : 0;
    Point a = at(r.row, r.row_pos_x_next, r.row_pos_y_next);
    Point b = at(r.row, r.row_pos_x_back, r.row_pos_y_back);
    a.y += lower;
    b.y += lower;
    solid_pen(s, rail_colour(n));
    for (int i = 0; i < t; ++i) s.line({a.x, a.y + i}, {b.x, b.y + i});
    // The joints between track circuits.
    solid_pen(s, kWhite);
    s.line({a.x, a.y - 1}, {a.x, a.y + t});
    s.line({b.x, b.y - 1}, {b.x, b.y + t});
  }
}

// The stock on each rail as a bar over the middle half of the rail, and
// beside it the number of each duty's first run (the duty's name without
// one), joined by blanks when several duties stand on one rail. The label
// goes above the bar unless that would cover a station's name.
void TrackPanel::draw_trains(Surface& s) const {
  const auto& rails = data_.map.rails;
  const auto& dia = data_.dia;
  std::map<int, std::string> labels;  // by rail
  for (int n = 1; n <= dia.trains.extent(); ++n) {
    const dia::Train& train = dia.trains[n];
    const int rail = train.position.current_rail;
    if (!rails.names_record(rail)) continue;
    const map::Rail& r = rails[rail];
    if (r.row == 0 || (r.l_next == 0 && r.l_back == 0)) continue;
    const bool numbered = dia.diagrams.names_record(train.first_diagram) &&
                          !dia.diagrams[train.first_diagram].train_number.empty();
    std::string& label = labels[rail];
    if (!label.empty()) label += ' ';
    label += numbered ? dia.diagrams[train.first_diagram].train_number : train.name;
  }
  const int t = std::max(1, view_.rail_thickness);
  // Labels keep clear of the station names, and of each other where they can.
  const std::vector<Rect> names = station_name_boxes(s);
  std::vector<Rect> taken = names;
  for (const auto& [rail, label] : labels) {
    const map::Rail& r = rails[rail];
    const int lower = r.direction == 1 ? t : 0;
    const Point a = at(r.row, r.row_pos_x_next, r.row_pos_y_next);
    const Point b = at(r.row, r.row_pos_x_back, r.row_pos_y_back);
    const int quarter = std::max(2, std::abs(a.x - b.x) / 4);
    const Point mid{(a.x + b.x) / 2, (a.y + b.y) / 2 + lower + t / 2};
    const Rect bar{mid.x - quarter, mid.y - 3, mid.x + quarter + 1, mid.y + 4};
    solid_pen(s, kBlack);
    s.set_brush({kTrainStock, false});
    s.rectangle(bar);
    const std::string text = sjis::to_utf8_lossy(label);
    const Size size = s.measure(text);
    Rect box = train_label_box(bar, size, taken);
    if (std::any_of(taken.begin(), taken.end(), [&](const Rect& o) { return overlaps(box, o); }))
      box = train_label_box(bar, size, names);
    taken.push_back(box);
    s.set_text_colour(kWhite);
    s.set_text_align({HAlign::Left, VAlign::Top});
    s.text({box.left, box.top}, text);
  }
}

void TrackPanel::draw_buttons(Surface& s) const {
  const auto& m = data_.map;
  if (view_.inter_view == 0) return;
  const int pending_direction =
      m.rails.names_record(pending_start_) ? m.rails[pending_start_].direction : 0;
  for (int n = 1; n <= m.rails.extent(); ++n) {
    const int b = m.rails[n].route_button;
    if (!m.route_buttons.names_record(b)) continue;
    const map::RouteButton& button = m.route_buttons[b];
    if (!symbol_visible(button.shown)) continue;
    int entry;
    if (pending_start_ != 0)
      entry = button.owner == 0 && m.rails[n].direction == pending_direction ? kButtonCandidate
                                                                             : kButtonNotCandidate;
    else
      entry = button.owner != 0 ? kButtonOwned : kButtonFree;
    square(s, at(button.row, button.x, button.y), 4, style_colour(entry), kBlack);
  }
}

void TrackPanel::draw_levers(Surface& s) const {
  const auto& m = data_.map;
  if (view_.inter_view == 0) return;
  for (int n = 1; n <= m.rails.extent(); ++n) {
    const int l = m.rails[n].route_lever;
    if (m.route_levers.names_record(l)) draw_lever(s, n, l);
  }
}

void TrackPanel::draw_lever(Surface& s, int rail, int lever) const {
  const map::RouteLever& l = data_.map.route_levers[lever];
  if (symbol_visible(l.lever_shown)) {
    int entry;
    if (pending_start_ != 0)
      entry = pending_start_ == rail ? kLeverPending : kLeverNotPending;
    else if (l.mode == map::kLeverRestore)
      entry = l.normal_route == l.current_route ? kLeverRestoreNormal : kLeverRestoreReverse;
    else if (l.mode == map::kLeverRequest)
      entry = kLeverRequest;
    else
      entry = kLeverManual;
    const Rgb colour = style_colour(entry);
    const Point p = at(l.lever_row, l.lever_x, l.lever_y);
    // Upright at rest; thrown a quarter right angle towards the route's
    // direction while a route is set or the lever is being thrown.
    double a = 0;
    if (l.current_route != 0 || pending_start_ == rail)
      a = l.direction == 1 ? std::numbers::pi / 4 : -std::numbers::pi / 4;
    const double c = 2 * std::cos(a), sn = 2 * std::sin(a);
    const double mx = -12 * std::sin(a), my = -12 * std::cos(a);
    auto pt = [](double x, double y) {
      return Point{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
    };
    const Point bar[4] = {pt(p.x + c, p.y - sn), pt(p.x - c, p.y + sn),
                          pt(p.x - c + mx, p.y + sn + my), pt(p.x + c + mx, p.y - sn + my)};
    solid_pen(s, colour);
    s.set_brush({colour, false});
    s.polygon(bar);
    square(s, p, 4, colour, kBlack);
  }
  if (symbol_visible(l.button_shown)) {
    const Point p = at(l.button_row, l.button_x, l.button_y);
    square(s, p, 5, aspect_colour(rail, false), kWhite);
    // The arrow: a stem from the square's edge in the route's running
    // direction (direction 1 runs leftward) and a bar across its tip.
    const int side = l.direction == 1 ? -1 : 1;
    const int edge = p.x + side * 5, tip = p.x + side * 10;
    solid_pen(s, kWhite);
    s.line({edge, p.y}, {tip, p.y});
    s.line({tip, p.y - 5}, {tip, p.y + 6});
  }
}

void TrackPanel::draw_clock(Surface& s) const {
  if (!clock_ || view_.clock_position < 1 || view_.clock_position > 4) return;
  const std::string text = timetext::format(*clock_, true);
  const bool right = view_.clock_position == 2 || view_.clock_position == 4;
  const bool bottom = view_.clock_position >= 3;
  const Size size = s.size();
  s.set_background(true, kWhite);
  s.set_text_colour(kBlack);
  s.set_text_align({right ? HAlign::Right : HAlign::Left, bottom ? VAlign::Bottom : VAlign::Top});
  s.text({right ? size.width - 1 : 1, bottom ? size.height - 1 : 1}, text);
  s.set_background(false, kBlack);
}

}  // namespace vosk::panel
