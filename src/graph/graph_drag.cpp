// Drags in the train graph: a run's fixed time along the time axis, and a
// place down the display target in display-target mode.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "dia/auto_timing.h"
#include "graph/diagram_path.h"
#include "graph/graph_controller.h"
#include "graph/run_timing.h"

namespace vosk::graph {
namespace {

bool is_departure(int type) { return type == dia::kEventStop || type == dia::kEventStopNoSearch; }

// A dragged time stays inside the times a user may enter; 0 would read as
// "not set".
constexpr int kFirstDraggedTime = 1;

}  // namespace

bool GraphController::begin_stop_drag(Point at) {
  const auto& diagrams = data_.dia.diagrams;
  if (!diagrams.names_record(selected_) || mode_ == GraphMode::DisplayTarget) return false;
  const dia::Diagram& d = diagrams[selected_];
  if (d.applied_pattern != 0 && !pattern_shift_) return false;
  // The grabbable times: the run's start, and departures after their own
  // arrival; the others follow from them.
  int best = -1, best_gap = INT_MAX;
  for (std::size_t i = 0; i < d.events.size() && d.events[i].type != dia::kEventEnd; ++i) {
    const dia::DiaEvent& e = d.events[i];
    const bool fixed =
        i == 0 || (is_departure(e.type) && d.events[i - 1].type == dia::kEventArrival &&
                   d.events[i - 1].rail == e.rail);
    if (!fixed) continue;
    const int y = vertical_.target_y_of_rail(data_.map.rails, e.rail);
    if (y == 0 || std::abs(y - at.y) >= best_gap) continue;
    best_gap = std::abs(y - at.y);
    best = static_cast<int>(i);
  }
  if (best < 0) return false;
  int top = INT_MAX, bottom = 0;
  for (const TargetRow& row : vertical_.rows) {
    if (row.y == 0) continue;
    top = std::min(top, row.y);
    bottom = std::max(bottom, row.y);
  }
  stop_drag_.emplace(StopDrag{selected_, static_cast<std::size_t>(best),
                              d.events[static_cast<std::size_t>(best)].time, at, top, bottom,
                              dia::DiaSnapshot(data_.dia)});
  return true;
}

bool GraphController::inside_drag_area(Point at) const {
  const TimeAxis ax = axis();
  return at.x >= ax.plot_left && at.x <= ax.right && at.y >= stop_drag_->band_top &&
         at.y <= stop_drag_->band_bottom;
}

void GraphController::cancel_stop_drag() {
  std::move(stop_drag_->undo).restore_into(data_.dia);
  stop_drag_.reset();
}

void GraphController::move_stop_drag(Point at) {
  if (!inside_drag_area(at)) {
    cancel_stop_drag();
    return;
  }
  const TimeAxis ax = axis();
  int delta = ax.time_at(at.x) - ax.time_at(stop_drag_->press.x);
  const int unit = data_.header.dia.unit;
  if (unit > 0) delta = unit * (delta / unit);  // toward zero
  const int n = stop_drag_->diagram;
  dia::Diagram& d = data_.dia.diagrams[n];
  const int time = stop_drag_->begin_time + delta;
  if (time < kFirstDraggedTime || time > kLastGraphTime) return;
  if (d.applied_pattern != 0) {
    // The pattern is stamped again at the shifted start.
    const int start = stop_drag_->undo.tables().diagrams[n].events.front().time + delta;
    pattern_shift_(n, start);
    return;
  }
  d.events[stop_drag_->event].time = time;
  const RunTiming timing(data_);
  dia::correct_times(data_.dia, n, stop_drag_->event + 1, timing.lookup);
}

void GraphController::drag_to(Point at) {
  if (stop_drag_) {
    move_stop_drag(at);
  } else if (dragging_) {
    drag_y_ = at.y;
  }
}

bool GraphController::left_release(Point at, Prompt& prompt) {
  if (!stop_drag_) return release_target_drag(at, prompt);
  if (!inside_drag_area(at)) {
    cancel_stop_drag();
    return false;
  }
  undo_.emplace(std::move(stop_drag_->undo));
  stop_drag_.reset();
  return true;
}

std::optional<dia::DiaSnapshot> GraphController::take_undo_snapshot() {
  std::optional<dia::DiaSnapshot> out = std::move(undo_);
  undo_.reset();
  return out;
}

void GraphController::draw_drag_overlay(Surface& surface) {
  if (!stop_drag_) {
    draw_target_drag(surface);
    return;
  }
  const dia::Diagram& d = data_.dia.diagrams[stop_drag_->diagram];
  const auto& types = data_.classification.train_types;
  Rgb colour;
  if (types.contains(d.train_type))
    colour = {types[d.train_type].red, types[d.train_type].green, types[d.train_type].blue};
  const RunTiming timing(data_);
  const TimeAxis ax = axis();
  // Through the station lines, not the track rows, and only stops and
  // arrivals: the line the run will take once dropped.
  const PathContext ctx{ax, vertical_, data_.map.rails, timing.lookup, false, true};
  surface.set_pen(Pen{PenStyle::DashDot, 1, colour});
  SurfaceSink sink(surface);
  trace_diagram(ctx, d, {0, 0}, sink);
}

bool GraphController::release_target_drag(Point at, Prompt& prompt) {
  if (mode_ != GraphMode::DisplayTarget || !dragging_) return false;
  dragging_ = false;
  auto& targets = data_.map.targets;
  if (!targets.names_record(selected_target_) || display_target_ >= map::kDisplayTargetCount)
    return false;
  const auto column = static_cast<std::size_t>(display_target_);
  int min = INT_MAX, max = 0;
  for (int n = 1; n <= targets.extent(); ++n) {
    const int d = targets[n].distances[column];
    if (d < 0) continue;
    min = std::min(min, d);
    max = std::max(max, d);
  }
  if (min == INT_MAX) return false;
  // Pixels per distance unit, in floating point: a line longer than the
  // plot is tall would make it 0 in integers.
  const int height = plot_.bottom - plot_.top - header_height_;
  double distance = min;
  if (max > min && height > 0)
    distance += std::trunc((at.y - plot_.top - header_height_) /
                           (static_cast<double>(height) / (max - min)));
  int stored = static_cast<int>(std::clamp(distance, -1.0, 1e9));
  if (stored < 0) {
    stored = 0;
    prompt.tell("範囲エラー", "これより上には設定できません。");
  }
  targets[selected_target_].distances[column] = stored;
  dirty_ = true;
  return true;
}

void GraphController::draw_target_drag(Surface& surface) {
  if (!dragging_ || mode_ != GraphMode::DisplayTarget || selected_target_ == 0) return;
  const bool main = data_.map.targets[selected_target_].scale == 3;
  styled_line(surface, main ? kMainStationSelected : kOrdinaryStationSelected,
              {plot_.left, drag_y_}, {plot_.right, drag_y_});
}

}  // namespace vosk::graph
