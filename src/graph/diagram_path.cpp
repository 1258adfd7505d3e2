#include "graph/diagram_path.h"

#include <algorithm>

namespace vosk::graph {
namespace {

bool is_stop(int type) { return type == dia::kEventStop || type == dia::kEventStopNoSearch; }

bool is_stop_or_arrival(int type) { return is_stop(type) || type == dia::kEventArrival; }

class Tracer {
 public:
  Tracer(const PathContext& ctx, const dia::Diagram& d, Point offset, PathSink& sink)
      : ctx_(ctx), d_(d), offset_(offset), sink_(sink) {}

  bool run() {
    const auto& events = d_.events;
    std::size_t i = 0;
    while (i < events.size() && events[i].type != dia::kEventEnd &&
           !(is_stop_or_arrival(events[i].type) && place(events[i].rail))) {
      ++i;
    }
    if (i >= events.size() || events[i].type == dia::kEventEnd) return false;
    first(events[i]);
    for (++i; i < events.size() && events[i].type != dia::kEventEnd; ++i) {
      if (prev_x_ > ctx_.axis.right) break;
      const dia::DiaEvent& e = events[i];
      if (is_stop(e.type)) {
        const bool own_arrival =
            events[i - 1].type == dia::kEventArrival && events[i - 1].rail == e.rail;
        stop(e, own_arrival);
      } else if (e.type == dia::kEventArrival) {
        arrival(e);
      } else if (e.type == dia::kEventPass && ctx_.view_pass && e.time != 0) {
        pass(e);
      }
    }
    return true;
  }

 private:
  // Sets the y values of the event's place; false when it is not shown.
  bool place(int rail) {
    const int target_y = ctx_.layout.target_y_of_rail(ctx_.rails, rail);
    if (target_y == 0) return false;
    y_ = ctx_.target_lines_only ? target_y : ctx_.layout.y_of_rail(rail);
    const TargetRow* row = ctx_.layout.row(ctx_.rails[rail].target);
    const int top = ctx_.target_lines_only ? target_y : row->block_top;
    const int bottom = ctx_.target_lines_only ? target_y : row->block_bottom;
    // Direction 1 comes in at the block's bottom edge and leaves at its top.
    entry_ = d_.direction == 1 ? bottom : top;
    exit_ = d_.direction == 1 ? top : bottom;
    return true;
  }

  int x_of(int t) const { return ctx_.axis.x(t); }
  bool shown_x(int x) const { return x >= ctx_.axis.plot_left; }

  void move(int x, int y) { sink_.move_to({x + offset_.x, y + offset_.y}); }
  void line(int x, int y) { sink_.line_to({x + offset_.x, y + offset_.y}); }

  void first(const dia::DiaEvent& e) {
    const int x = x_of(wrap_time(e.time));
    if (e.type == dia::kEventArrival) {
      move(x, entry_);
      line(x, y_);
    } else {
      move(x, y_);
      line(x, exit_);
    }
    prev_x_ = x;
  }

  void stop(const dia::DiaEvent& e, bool own_arrival) {
    if (!place(e.rail)) return;
    const int departure = wrap_time(e.time);
    if (!own_arrival) {
      const int ax = x_of(departure - ctx_.timing.stop_time(e.rail, d_.train_type, d_.speed_type));
      if (shown_x(ax)) {
        line(ax, entry_);
        line(ax, y_);
      } else {
        move(ax, y_);
      }
    }
    const int x = x_of(departure);
    if (shown_x(x)) {
      line(x, y_);
      line(x, exit_);
    } else {
      move(x, exit_);
    }
    prev_x_ = x;
  }

  void arrival(const dia::DiaEvent& e) {
    if (!place(e.rail)) return;
    const int x = x_of(wrap_time(e.time));
    if (shown_x(x)) {
      line(x, entry_);
      line(x, y_);
    } else {
      move(x, y_);
    }
    prev_x_ = x;
  }

  void pass(const dia::DiaEvent& e) {
    if (!place(e.rail)) return;
    const int x = x_of(wrap_time(e.time));
    if (shown_x(x)) {
      line(x, entry_);
      line(x, y_);
      line(x, exit_);
    } else {
      move(x, exit_);
    }
    prev_x_ = x;
  }

  const PathContext& ctx_;
  const dia::Diagram& d_;
  Point offset_;
  PathSink& sink_;
  int y_ = 0, entry_ = 0, exit_ = 0;
  int prev_x_ = 0;
};

}  // namespace

bool trace_diagram(const PathContext& ctx, const dia::Diagram& d, Point offset, PathSink& sink) {
  return Tracer(ctx, d, offset, sink).run();
}

TimeBounds diagram_time_bounds(const dia::Diagram& d) {
  TimeBounds b;
  for (const dia::DiaEvent& e : d.events) {
    if (e.type == dia::kEventEnd) break;
    if (!is_stop_or_arrival(e.type) && e.type != dia::kEventPass) continue;
    const int t = wrap_time(e.time);
    if (!b.any) {
      b.first = b.last = t;
      b.any = true;
    } else {
      b.first = std::min(b.first, t);
      b.last = std::max(b.last, t);
    }
  }
  return b;
}

}  // namespace vosk::graph
