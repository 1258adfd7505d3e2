#include "dia/route_builder.h"

#include <algorithm>

#include "base/time_text.h"

namespace vosk::dia {
namespace {

constexpr bool is_point_event(int type) { return type == kEventPointBoth || type == kEventPoint; }
constexpr bool is_departure_event(int type) {
  return type == kEventStop || type == kEventStopNoSearch;
}

// A route under construction: the events and, for each, the rail the walk
// came from (the retry on a point's other branches needs it).
struct Route {
  std::vector<DiaEvent> events;
  std::vector<int> approach;

  void push(int rail, int time, int type, int from) {
    events.push_back({rail, time, type});
    approach.push_back(from);
  }
  void pop() {
    events.pop_back();
    approach.pop_back();
  }
  int last_type() const { return events.back().type; }
};

class Walker {
 public:
  Walker(const RouteContext& ctx, const Diagram& run, const StopPlan& plan, std::size_t limit)
      : ctx_(ctx), run_(run), plan_(plan), limit_(limit) {}

  // Appends the events of the rails after `s` until the line ends, the run
  // terminates, or the walk is too long to be anything but a loop.
  void walk(Route& route, int s) const {
    const MapView& map = ctx_.map;
    int steps = 0;
    for (int d = map.next_rail(s); d != 0; s = d, d = map.next_rail(d)) {
      if (++steps > ctx_.index.step_limit() || route.events.size() >= limit_) return;
      if (int t = map.stopping_target(d); t != 0) {
        if (emit_station(route, s, d, t)) return;
      } else if (int p = map.point_of(d); p != 0) {
        int setting = plan_.point_setting(p);
        if (ctx_.index.lists_both_ways(p, s)) {
          int branch = plan_.branch(p);
          if (branch != 0 && branch != d && map.back_rail(branch) == s) d = branch;
          route.push(d, setting, kEventPointBoth, s);
        } else {
          route.push(d, setting, kEventPoint, s);
        }
      }
    }
  }

  // The last event is a point event on a branch that led nowhere: the
  // point's other branches (the rails with the same preceding rail, in
  // cyclic rail-number order after it) are tried once each. The first route
  // that does not end on a point event wins.
  std::optional<Route> retry_branches(const Route& route, std::size_t fixed) const {
    std::size_t k = route.events.size() - 1;
    if (k < fixed) return std::nullopt;
    const DiaEvent dead_end = route.events[k];
    int from = route.approach[k];
    std::vector<int> branches = current_followers(ctx_.map, ctx_.index, from);
    auto after = std::upper_bound(branches.begin(), branches.end(), dead_end.rail);
    std::rotate(branches.begin(), after, branches.end());
    for (int j : branches) {
      if (j == dead_end.rail) continue;
      Route alt;
      alt.events.assign(route.events.begin(), route.events.begin() + static_cast<long>(k));
      alt.approach.assign(route.approach.begin(), route.approach.begin() + static_cast<long>(k));
      alt.push(j, dead_end.time, dead_end.type, from);
      walk(alt, j);
      if (!is_point_event(alt.last_type())) return alt;
    }
    return std::nullopt;
  }

 private:
  // Events of station stopping rail d of target t by the plan's mode; true
  // when the run terminates here.
  bool emit_station(Route& route, int s, int d, int t) const {
    int time = plan_.time(t);
    switch (plan_.mode(t)) {
      case kModeStop:
        route.push(d, time, kEventStop, s);
        return false;
      case kModePass:
        route.push(d, time, kEventPass, s);
        return false;
      case kModeStopNoSearch:
        route.push(d, time, kEventStopNoSearch, s);
        return false;
      case kModeArriveDepart:
      case kModeArriveDepartNoSearch: {
        route.push(d, arrival_from_anchor(route, d), kEventArrival, s);
        int type = plan_.mode(t) == kModeArriveDepart ? kEventStop : kEventStopNoSearch;
        route.push(d, time, type, s);
        return false;
      }
      case kModeTerminal:
        route.push(d, time, kEventArrival, s);
        return true;
      default: {  // automatic, and any mode the plan does not know
        int stop = ctx_.timing.stop_time(d, run_.train_type, run_.speed_type);
        route.push(d, time, stop > 0 ? kEventStop : kEventPass, s);
        return false;
      }
    }
  }

  // The time automatic timing gives an arrival at rail d after the events so
  // far: the nearest earlier departure plus the standard running time, or 0
  // (unset) when either is missing.
  int arrival_from_anchor(const Route& route, int d) const {
    for (auto it = route.events.rbegin(); it != route.events.rend(); ++it) {
      if (!is_departure_event(it->type)) continue;
      int running = ctx_.timing.running_time(it->rail, d, kEventArrival, run_.speed_type);
      return (it->time != 0 && running != 0) ? it->time + running : 0;
    }
    return 0;
  }

  const RouteContext& ctx_;
  const Diagram& run_;
  const StopPlan& plan_;
  std::size_t limit_;
};

// Closes the list: a final stop or pass becomes the arrival (the end entry
// when an arrival already precedes it), then the end entry repeats the last
// rail and time.
void close_route(const RouteContext& ctx, const Diagram& run, std::vector<DiaEvent>& events) {
  DiaEvent& last = events.back();
  bool stop_or_pass =
      last.type == kEventStop || last.type == kEventPass || last.type == kEventStopNoSearch;
  if (stop_or_pass) {
    if (events.size() >= 2 && events[events.size() - 2].type == kEventArrival) {
      last.type = kEventEnd;
      return;
    }
    last.type = kEventArrival;
    if (last.time != 0) {
      last.time =
          timetext::earlier_by(last.time, ctx.timing.stop_time(last.rail, run.train_type, run.speed_type));
    }
  }
  DiaEvent end = last;
  end.type = kEventEnd;
  events.push_back(end);
}

}  // namespace

std::optional<std::vector<DiaEvent>> continue_route(const RouteContext& ctx, const Diagram& run,
                                                    const StopPlan& plan,
                                                    std::vector<DiaEvent> prefix) {
  if (prefix.empty()) return std::nullopt;
  const std::size_t fixed = prefix.size();
  const int start = prefix.back().rail;
  if (ctx.map.next_rail(start) == 0) return std::nullopt;

  Walker walker(ctx, run, plan, fixed + static_cast<std::size_t>(ctx.index.event_room()));
  Route route;
  route.events = std::move(prefix);
  route.approach.assign(fixed, 0);
  walker.walk(route, start);
  if (route.events.size() == fixed) return std::nullopt;

  if (is_point_event(route.last_type())) {
    if (std::optional<Route> retried = walker.retry_branches(route, fixed)) {
      route = std::move(*retried);
    } else {
      while (route.events.size() > fixed && is_point_event(route.last_type())) route.pop();
      if (route.events.size() == fixed) return std::nullopt;
    }
  }
  close_route(ctx, run, route.events);
  return std::move(route.events);
}

bool build_route(const RouteContext& ctx, DiaTables& dia, int n, const StopPlan& plan) {
  if (!dia.diagrams.names_record(n)) return false;
  Diagram& run = dia.diagrams[n];
  if (!run.in_use() || run.events.empty()) return false;
  std::optional<std::vector<DiaEvent>> events = continue_route(ctx, run, plan, {run.events[0]});
  if (!events) return false;
  run.events = std::move(*events);
  if (ctx.follow_up != nullptr) {
    ctx.follow_up->relink(dia, n, plan.next_working);
    ctx.follow_up->retime(dia, n, 0);
  }
  return true;
}

bool rebuild_route(const RouteContext& ctx, DiaTables& dia, int n) {
  if (!dia.diagrams.names_record(n)) return false;
  return build_route(ctx, dia, n, load_stop_plan(dia.diagrams[n], ctx.map));
}

}  // namespace vosk::dia
