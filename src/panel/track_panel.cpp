#include "panel/track_panel.h"

#include <algorithm>
#include <cstdlib>

#include "base/format.h"
#include "map/signal_set.h"
#include "panel/row_items.h"
#include "panel/row_layout.h"

namespace vosk::panel {

TrackPanel::TrackPanel(datafiles::DataSet& data, std::vector<shell::LineStyle> styles)
    : data_(data), styles_(std::move(styles)) {
  view_.scale_x = std::max(kMinScale, data.header.display.scale_x);
  view_.scale_y = std::max(kMinScale, data.header.display.scale_y);
  view_.rail_thickness = rail_thickness_for(view_.scale_y);
  reset_run_state();
}

Rgb TrackPanel::style_colour(int id) const {
  for (const shell::LineStyle& s : styles_)
    if (s.id == id) return {s.red, s.green, s.blue};
  return {255, 255, 255};
}

// ---- Run-time state ----

void TrackPanel::reset_run_state() {
  const std::size_t n = static_cast<std::size_t>(data_.map.rails.extent()) + 1;
  train_on_rail_.assign(n, 0);
  // Without trains every signal clears, except that on an interlocking panel
  // a start signal stays at stop until its lever has a route set.
  aspect_step_.assign(n, map::kTopSpeedStep);
  if (!interlocking()) return;
  const auto& levers = data_.map.route_levers;
  for (int r = 1; r <= data_.map.rails.extent(); ++r) {
    const int l = data_.map.rails[r].route_lever;
    if (levers.names_record(l) && levers[l].current_route == 0)
      aspect_step_[static_cast<std::size_t>(r)] = 0;
  }
}

void TrackPanel::set_train_on_rail(int rail, int train) {
  if (rail >= 0 && static_cast<std::size_t>(rail) < train_on_rail_.size())
    train_on_rail_[static_cast<std::size_t>(rail)] = train;
}

void TrackPanel::set_aspect_step(int rail, int step) {
  if (rail >= 0 && static_cast<std::size_t>(rail) < aspect_step_.size())
    aspect_step_[static_cast<std::size_t>(rail)] = std::clamp(step, 0, map::kTopSpeedStep);
}

int TrackPanel::train_on_rail(int rail) const {
  if (rail < 0 || static_cast<std::size_t>(rail) >= train_on_rail_.size()) return 0;
  return train_on_rail_[static_cast<std::size_t>(rail)];
}

int TrackPanel::aspect_step(int rail) const {
  if (rail < 0 || static_cast<std::size_t>(rail) >= aspect_step_.size()) return map::kTopSpeedStep;
  return aspect_step_[static_cast<std::size_t>(rail)];
}

// ---- Rows ----

void TrackPanel::auto_row() {
  auto_rows(data_.map, split_width_units(view_.window.width, view_.scale_x), view_.scale_x);
}

void TrackPanel::clear_row() { clear_rows(data_.map); }

void TrackPanel::adjust_span() {
  if (data_.map.rows.extent() >= 1) panel::adjust_span(data_.map, view_.scale_x);
}

void TrackPanel::toggle_row_pause() {
  if (data_.map.rows.extent() < 1) return;
  if (mode_ == RowMode::Pause) {
    mode_ = RowMode::Normal;
    return;
  }
  mode_ = RowMode::Pause;
  current_row_ = 1;
  scroll_to_panel_x(current_break());
}

void TrackPanel::toggle_row_position() {
  if (data_.map.rows.extent() < 1) return;
  if (mode_ == RowMode::Position) {
    mode_ = RowMode::Normal;
    return;
  }
  mode_ = RowMode::Position;
  current_row_ = 1;
}

bool TrackPanel::row_command(RowCommand command, const shell::BusyLock& lock, Prompt& prompt) {
  if (!lock.check(prompt)) return false;
  switch (command) {
    case RowCommand::AutoRow:
      auto_row();
      break;
    case RowCommand::ClearRow:
      clear_row();
      break;
    case RowCommand::AdjustSpan:
      adjust_span();
      break;
    case RowCommand::RowPause:
      toggle_row_pause();
      break;
    case RowCommand::RowPosition:
      toggle_row_position();
      break;
  }
  return true;
}

std::string TrackPanel::status_text() const {
  switch (mode_) {
    case RowMode::Pause:
      return format(
          "%d行目の右端を指定して下さい。左クリックで指定、右クリックで次の行に移動します。",
          current_row_);
    case RowMode::Position:
      return format(
          "%d行目の左端を指定して下さい。左クリックで指定、右クリックで次の行に移動します。",
          current_row_);
    case RowMode::Normal:
      break;
  }
  // The request stays in sight until the click that places the symbol.
  if (pending_move_point_ != 0) return kPointMoveRequest;
  return {};
}

int TrackPanel::current_break() const {
  const auto& rows = data_.map.rows;
  if (current_row_ < rows.extent()) return -rows[current_row_ + 1].x_shift;
  std::optional<RowBounds> b = row_bounds(data_.map, current_row_);
  return b ? b->right : 0;
}

void TrackPanel::scroll_to_panel_x(int x) {
  const int px = pixel_x(view_, x);
  if (px < 100 || px > view_.window.width - 100) view_.offset_x += view_.window.width / 2 - px;
}

bool TrackPanel::row_mode_click(Point p, bool right_button) {
  if (mode_ == RowMode::Normal) return false;
  const int rows = data_.map.rows.extent();
  if (rows < 1) return true;
  if (right_button) {
    current_row_ = current_row_ >= rows ? 1 : current_row_ + 1;
    if (mode_ == RowMode::Pause) scroll_to_panel_x(current_break());
    return true;
  }
  if (mode_ == RowMode::Position) {
    map::Row& row = data_.map.rows[std::clamp(current_row_, 1, rows)];
    row.x_origin = panel_x_of(view_, p.x);
    row.y_origin = panel_y_of(view_, p.y);
    return true;
  }
  // Row pause: the rows are drawn at their own positions, so the click is
  // a row position directly.
  const int x = panel_x_of(view_, p.x);
  std::optional<RowBounds> b = row_bounds(data_.map, current_row_);
  if (!b || x <= b->left || x >= b->right) return true;
  std::optional<int> s = SplitSearch(data_.map, current_row_).nearest(x, b->left, b->right);
  if (!s) return true;
  split_row(data_.map, current_row_, *s);
  current_row_ = std::min(current_row_, data_.map.rows.extent());
  scroll_to_panel_x(*s);
  return true;
}

void TrackPanel::follow(Point at) {
  const int dx = at.x - view_.window.width / 2;
  const int dy = at.y - view_.window.height / 2;
  if (std::abs(dx) > view_.window.width / 5) view_.offset_x -= dx / 20 * 20;
  if (std::abs(dy) > view_.window.height / 5) view_.offset_y -= dy / 20 * 20;
}

void TrackPanel::zoom_x(int steps) {
  view_.scale_x = std::max(kMinScale, view_.scale_x + steps * kZoomStep);
}

void TrackPanel::zoom_y(int steps) {
  view_.scale_y = std::max(kMinScale, view_.scale_y + steps * kZoomStep);
  view_.rail_thickness = rail_thickness_for(view_.scale_y);
}

Point TrackPanel::at(int row, int x, int y) const {
  return item_pixel(data_.map, view_, row, x, y, rows_ignored());
}

bool TrackPanel::symbol_visible(int shown_flag) const {
  return view_.inter_view == 1 || (view_.inter_view == 2 && shown_flag != 0);
}

Size TrackPanel::map_extent() const {
  PanelView origin = view_;
  origin.offset_x = origin.offset_y = 0;
  int right = 0, bottom = 0;
  auto take = [&](int row, int x, int y) {
    Point p = item_pixel(data_.map, origin, row, x, y, rows_ignored());
    right = std::max(right, p.x);
    bottom = std::max(bottom, p.y);
  };
  const datafiles::MapTables& m = data_.map;
  for (int n = 1; n <= m.rails.extent(); ++n) {
    const map::Rail& r = m.rails[n];
    if (r.row == 0) continue;
    take(r.row, r.row_pos_x_next, r.row_pos_y_next);
    take(r.row, r.row_pos_x_back, r.row_pos_y_back);
  }
  for (int n = 1; n <= m.station_draws.extent(); ++n) {
    const map::StationDraw& d = m.station_draws[n];
    take(d.row, std::max(d.left_x, d.right_x), std::max(d.y1, d.y2));
  }
  for (int n = 1; n <= m.points.extent(); ++n)
    take(m.points[n].symbol_row, m.points[n].symbol_x, m.points[n].symbol_y);
  // Room for the labels below and right of the last items.
  auto steps = [](int v) { return (std::max(v, 0) + 40 + 19) / 20 * 20; };
  return {steps(right), steps(bottom)};
}

}  // namespace vosk::panel
