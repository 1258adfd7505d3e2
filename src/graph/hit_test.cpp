// The hit test and the mouse presses of the train graph.
#include "graph/hit_test.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "base/sjis.h"
#include "graph/diagram_filter.h"
#include "graph/graph_controller.h"

namespace vosk::graph {

int distance_to_point(Point click, Point p) {
  const double dx = click.x - p.x, dy = click.y - p.y;
  return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

int distance_to_run(Point click, Point upper, Point lower) {
  const double a = click.x, b = click.y;
  const double f = upper.x, m = upper.y, g = lower.x, o = lower.y;
  if (f != g && o != m) {
    const double num = std::fabs((a - f) / (f - g) + (b - m) / (o - m));
    const double den = std::sqrt(1.0 / ((f - g) * (f - g)) + 1.0 / ((o - m) * (o - m)));
    return static_cast<int>(num / den);
  }
  // Distance to the segment.
  const double vx = g - f, vy = o - m;
  const double len2 = vx * vx + vy * vy;
  if (len2 == 0) return distance_to_point(click, upper);
  const double t = std::clamp(((a - f) * vx + (b - m) * vy) / len2, 0.0, 1.0);
  const double px = f + t * vx - a, py = m + t * vy - b;
  return static_cast<int>(std::sqrt(px * px + py * py));
}

int GraphController::hit_test(Point click) const {
  // The station line nearest above the click.
  int d = 0;
  for (int y : vertical_.line_ys) {
    if (y < click.y) d = y;
  }
  const TimeAxis ax = axis();
  const auto& diagrams = data_.dia.diagrams;
  const bool rd = right_down();
  int best = 0, best_distance = INT_MAX;
  for (int n = 1; n <= diagrams.extent(); ++n) {
    const dia::Diagram& dg = diagrams[n];
    if (!shows_diagram(dg, settings_.view, rd)) continue;
    // The run's nearest point at or above that line and its nearest point
    // below it: the stretch of the run that crosses the click's height.
    bool have_upper = false, have_lower = false;
    Point upper, lower;
    for (const dia::DiaEvent& e : dg.events) {
      if (e.type == dia::kEventEnd) break;
      if (e.type != dia::kEventStop && e.type != dia::kEventArrival &&
          e.type != dia::kEventStopNoSearch)
        continue;
      if (e.time == 0) continue;
      const int y = vertical_.y_of_rail(e.rail);
      if (y == 0) continue;
      if (y <= d) {
        if (!have_upper || y > upper.y) {
          upper = {ax.x(wrap_time(e.time)), y};
          have_upper = true;
        }
      } else if (!have_lower || y < lower.y) {
        lower = {ax.x(wrap_time(e.time)), y};
        have_lower = true;
      }
    }
    int distance;
    if (have_upper && have_lower) {
      distance = distance_to_run(click, upper, lower);
    } else if (have_upper || have_lower) {
      distance = distance_to_point(click, have_upper ? upper : lower);
    } else {
      continue;
    }
    if (n == selected_) distance -= 20;
    if (distance < best_distance) {
      best_distance = distance;
      best = n;
    }
  }
  return best;
}

int GraphController::nearest_target(int y) const {
  int nearest = 0, nearest_gap = INT_MAX;
  for (int n = 1; n < static_cast<int>(vertical_.rows.size()); ++n) {
    const TargetRow& row = vertical_.rows[static_cast<std::size_t>(n)];
    if (row.y == 0) continue;
    const int gap = std::abs(row.y - y);
    if (gap < nearest_gap) {
      nearest_gap = gap;
      nearest = n;
    }
  }
  return nearest;
}

PressResult GraphController::left_press(Point at) {
  PressResult result;
  if (mode_ == GraphMode::DisplayTarget) {
    selected_target_ = nearest_target(at.y);
    if (selected_target_ == 0) return result;
    dragging_ = true;
    drag_y_ = at.y;
    result.kind = PressResult::TargetPicked;
    result.target = selected_target_;
    return result;
  }
  if (at.x < name_column_) {
    const int nearest = nearest_target(at.y);
    if (nearest == 0) return result;
    map::Target& t = data_.map.targets[nearest];
    t.show_track_numbers = !t.show_track_numbers;
    dirty_ = true;
    result.kind = PressResult::TracksToggled;
    result.target = nearest;
    return result;
  }
  const int hit = hit_test(at);
  if (hit == 0) return result;
  if (hit == selected_ && begin_stop_drag(at)) {
    result.kind = PressResult::DragStarted;
    result.diagram = hit;
    return result;
  }
  selected_ = hit;
  result.kind = PressResult::Selected;
  result.diagram = hit;
  result.message =
      sjis::to_utf8_lossy(data_.dia.diagrams[hit].train_number) + "のダイヤを編集できます。";
  return result;
}

void GraphController::right_press() {
  if (mode_ == GraphMode::DisplayTarget) {
    selected_target_ = 0;
    dragging_ = false;
  }
}

}  // namespace vosk::graph
