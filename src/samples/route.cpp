#include "samples/route.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>
#include <deque>

#include "dia/running_time.h"
#include "dia/speed_type.h"

namespace vosk::samples {
namespace {

struct Waypoint {
  int rail = 0;
  bool stop = true;  // false: the run passes the station
};

// Rails a train on a rail may run onto: its next rail, and every rail whose
// preceding rail it is (the branches behind a facing point, whose links are
// negative while the point is set elsewhere).
class RailGraph {
 public:
  RailGraph(const SampleLine& line, const RecordTable<map::Rail>& rails)
      : line_(line),
        rails_(rails),
        behind_(static_cast<std::size_t>(rails.extent()) + 1),
        seen_(behind_.size(), 0),
        parent_(behind_.size(), 0) {
    for (int r = 1; r <= rails.extent(); ++r) {
      int b = std::abs(rails[r].l_back);
      if (rails.names_record(b)) behind_[static_cast<std::size_t>(b)].push_back(r);
    }
  }

  // The shortest run of rails from `from` to `to`, both included, that
  // crosses no other stopping rail and keeps to the proper main track.
  std::vector<int> path(int from, int to) {
    ++stamp_;
    std::deque<int> queue{from};
    seen_[static_cast<std::size_t>(from)] = stamp_;
    while (!queue.empty()) {
      int r = queue.front();
      queue.pop_front();
      if (r == to) break;
      if (r != from && rails_[r].stop_distance != 0) continue;
      auto visit = [&](int n) {
        if (!rails_.names_record(n) || seen_[static_cast<std::size_t>(n)] == stamp_) return;
        if (line_.against_traffic(n)) return;
        seen_[static_cast<std::size_t>(n)] = stamp_;
        parent_[static_cast<std::size_t>(n)] = r;
        queue.push_back(n);
      };
      visit(std::abs(rails_[r].l_next));
      for (int n : behind_[static_cast<std::size_t>(r)]) visit(n);
    }
    assert(seen_[static_cast<std::size_t>(to)] == stamp_);
    std::vector<int> rails{to};
    while (rails.back() != from) rails.push_back(parent_[static_cast<std::size_t>(rails.back())]);
    std::reverse(rails.begin(), rails.end());
    return rails;
  }

 private:
  const SampleLine& line_;
  const RecordTable<map::Rail>& rails_;
  std::vector<std::vector<int>> behind_;
  std::vector<int> seen_;
  std::vector<int> parent_;
  int stamp_ = 0;
};

int track_rail(int segment, bool down) {
  return down ? TrackBuilder::rail_a(segment) : TrackBuilder::rail_b(segment);
}

// The platforms a run uses between its first and last, in running order.
std::vector<Waypoint> waypoints(const SampleLine& line, Service service, bool down, int from,
                                int to) {
  const bool local = service != Service::Rapid;
  auto main_stop = [&](const StationPlan& st) {
    int seg = st.role == StationRole::Loop && local ? (down ? st.down_loop : st.up_loop)
                                                    : (down ? st.down : st.up);
    bool stops = local || st.role != StationRole::Simple;
    return Waypoint{track_rail(seg, down), stops};
  };
  auto branch_stop = [&](const StationPlan& st) {
    return Waypoint{track_rail(down ? st.down : st.up, down), true};
  };
  // Rightward order first.
  std::vector<Waypoint> between;
  const int last_main = static_cast<int>(line.main.size()) - 1;
  const int last_branch = static_cast<int>(line.branch.size()) - 1;
  if (service == Service::Local || service == Service::Rapid) {
    for (int k = 1; k < last_main; ++k)
      between.push_back(main_stop(line.main[static_cast<std::size_t>(k)]));
  }
  if (service == Service::Through) {
    for (int k = 1; k < line.junction; ++k)
      between.push_back(main_stop(line.main[static_cast<std::size_t>(k)]));
    between.push_back(
        {track_rail(line.main[static_cast<std::size_t>(line.junction)].bay, down), true});
  }
  if (service == Service::Through || service == Service::Shuttle) {
    for (int m = 0; m < last_branch; ++m)
      between.push_back(branch_stop(line.branch[static_cast<std::size_t>(m)]));
  }
  if (!down) std::reverse(between.begin(), between.end());
  std::vector<Waypoint> all{{track_rail(from, down), true}};
  all.insert(all.end(), between.begin(), between.end());
  all.push_back({track_rail(to, down), true});
  return all;
}

// The rails of a route and the index of each waypoint in it.
struct RailPath {
  std::vector<int> rails;
  std::vector<std::size_t> waypoint_at;
  std::vector<int> start;  // metres from the first rail's back end to each rail's back end
};

RailPath follow(RailGraph& graph, const RecordTable<map::Rail>& rails,
                const std::vector<Waypoint>& stops) {
  RailPath p;
  p.rails.push_back(stops.front().rail);
  p.waypoint_at.push_back(0);
  for (std::size_t k = 1; k < stops.size(); ++k) {
    std::vector<int> leg = graph.path(p.rails.back(), stops[k].rail);
    p.rails.insert(p.rails.end(), leg.begin() + 1, leg.end());
    p.waypoint_at.push_back(p.rails.size() - 1);
  }
  int at = 0;
  for (int r : p.rails) {
    p.start.push_back(at);
    at += rails[r].length;
  }
  return p;
}

// Where a run stands at a rail's stopping mark, in metres along the path.
int mark(const RailPath& p, const RecordTable<map::Rail>& rails, std::size_t index) {
  return p.start[index] + rails[p.rails[index]].stop_distance;
}

// Running from a stop to the next stop: full acceleration, cruising at the
// top speed, braking with the second service step.
class Leg {
 public:
  Leg(double metres, double top, double accel, double brake) : a_(accel), b_(brake) {
    double peak = std::sqrt(2.0 * metres * accel * brake / (accel + brake));
    v_ = std::min(top, peak);
    d1_ = v_ * v_ / (2.0 * a_);
    d3_ = v_ * v_ / (2.0 * b_);
    d2_ = std::max(0.0, metres - d1_ - d3_);
    total_ = v_ / a_ + d2_ / v_ + v_ / b_;
    metres_ = metres;
  }
  double total() const { return total_; }
  // Seconds until the run reaches `x` metres.
  double time_at(double x) const {
    if (x <= d1_) return std::sqrt(2.0 * x / a_);
    if (x <= d1_ + d2_) return v_ / a_ + (x - d1_) / v_;
    return total_ - std::sqrt(2.0 * std::max(0.0, metres_ - x) / b_);
  }

 private:
  double a_, b_, v_ = 0, d1_ = 0, d2_ = 0, d3_ = 0, total_ = 0, metres_ = 0;
};

int ceil_to(double seconds, int step) {
  return static_cast<int>(std::ceil(seconds / step - 1e-9)) * step;
}
int round_to(double seconds, int step) {
  return static_cast<int>(std::floor(seconds / step + 0.5)) * step;
}

// The position of `point` that joins `rail` to the rails before and after it
// on the route (0: no such rail).
int point_setting(const map::Point& point, int rail, int before, int after) {
  for (int pos = 0; pos < point.position_count; ++pos) {
    bool fits = true;
    for (int i = 0; i < point.rail_count; ++i) {
      if (point.rails[static_cast<std::size_t>(i)] != rail) continue;
      const auto si = static_cast<std::size_t>(i);
      const auto sp = static_cast<std::size_t>(pos);
      if (before != 0 && point.back[si][sp] != before) fits = false;
      if (after != 0 && point.next[si][sp] != after) fits = false;
    }
    if (fits) return pos;
  }
  return point.position;
}

// The point's route table lists the approaching rail both ways: the run
// faces the point and takes one of its branches.
bool lists_both_ways(const map::Point& point, int rail) {
  bool plus = false;
  bool minus = false;
  for (int i = 0; i < point.rail_count; ++i) {
    for (int pos = 0; pos < point.position_count; ++pos) {
      for (int v : {point.next[static_cast<std::size_t>(i)][static_cast<std::size_t>(pos)],
                    point.back[static_cast<std::size_t>(i)][static_cast<std::size_t>(pos)]}) {
        plus |= v == rail;
        minus |= v == -rail;
      }
    }
  }
  return plus && minus;
}

constexpr int kTimeStep = 15;  // the dia's time unit

}  // namespace

ServiceInfo service_info(Service service) {
  switch (service) {
    case Service::Local:
      return {1, 1, 1};
    case Service::Rapid:
      return {2, 2, 2};
    case Service::Shuttle:
    case Service::Through:
      return {1, 3, 3};
  }
  return {};
}

std::vector<int> station_distances(const SampleLine& line, const MapTables& map) {
  RailGraph graph(line, map.rails);
  std::vector<int> distances(static_cast<std::size_t>(line.station_count()) + 1, 0);
  auto measure = [&](Service service, int from, int to,
                     const std::vector<const StationPlan*>& along) {
    std::vector<Waypoint> stops = waypoints(line, service, true, from, to);
    RailPath p = follow(graph, map.rails, stops);
    const int origin = mark(p, map.rails, 0);
    for (std::size_t k = 0; k < along.size(); ++k) {
      distances[static_cast<std::size_t>(along[k]->number)] =
          mark(p, map.rails, p.waypoint_at[k]) - origin;
    }
  };
  std::vector<const StationPlan*> main_line;
  for (const StationPlan& st : line.main) main_line.push_back(&st);
  measure(Service::Rapid, line.main.front().terminal[0], line.main.back().terminal[0], main_line);
  std::vector<const StationPlan*> branch{&line.main[static_cast<std::size_t>(line.junction)]};
  for (const StationPlan& st : line.branch) branch.push_back(&st);
  // The junction keeps its main-line distance; the branch counts from its bay.
  const int junction_distance = distances[static_cast<std::size_t>(branch[0]->number)];
  measure(Service::Shuttle, line.main[static_cast<std::size_t>(line.junction)].bay,
          line.branch.back().terminal[0], branch);
  distances[static_cast<std::size_t>(branch[0]->number)] = junction_distance;
  return distances;
}

RoutePlanner::RoutePlanner(const SampleLine& line, const MapTables& map,
                           const stock::SeriesTable& series, const dia::StopTimeList& stop_times,
                           const dia::StopTimeDefaults& defaults, dia::SpeedTypeTable& speed_types)
    : line_(line),
      map_(map),
      series_(series),
      stop_times_(stop_times),
      defaults_(defaults),
      speed_types_(speed_types) {}

const RouteTemplate& RoutePlanner::route(Service service, bool down, int from, int to) {
  auto key = std::make_tuple(static_cast<int>(service), down, from, to);
  auto it = cache_.find(key);
  if (it == cache_.end()) it = cache_.emplace(key, plan(service, down, from, to)).first;
  return it->second;
}

int RoutePlanner::stop_time(int rail, Service service) const {
  const ServiceInfo info = service_info(service);
  dia::StopTimeQuery q;
  q.rail = rail;
  q.rail_target = map_.rails[rail].target;
  q.kind = dia::kStopTime;
  q.train_type = info.train_type;
  q.speed_type = info.speed_type;
  return dia::standard_stop_time(stop_times_, defaults_, q);
}

RouteTemplate RoutePlanner::plan(Service service, bool down, int from, int to) {
  const auto& rails = map_.rails;
  const ServiceInfo info = service_info(service);
  const stock::Series& stock = series_[info.series];
  const double top =
      std::min(stock.max_speed, speed_types_[info.speed_type].max_speed) / 3.6;  // m/s
  const double accel = stock.acceleration / 1024.0 / 3.6;                        // m/s²
  const double brake = stock.service_brake[1] / 1024.0 / 3.6;

  RailGraph graph(line_, rails);
  const std::vector<Waypoint> stops = waypoints(line_, service, down, from, to);
  const RailPath path = follow(graph, rails, stops);

  // Times of the waypoints: a departure for stops, the passing time for
  // passes, the arrival for the last.
  std::vector<int> times(stops.size(), 0);
  std::vector<int> arrivals(stops.size(), 0);  // at stops; passes keep their time
  std::size_t last_stop = 0;
  int departure = 0;
  for (std::size_t k = 1; k < stops.size(); ++k) {
    if (!stops[k].stop) continue;
    const int from_mark = mark(path, rails, path.waypoint_at[last_stop]);
    const Leg leg(mark(path, rails, path.waypoint_at[k]) - from_mark, top, accel, brake);
    const int arrival = departure + ceil_to(leg.total() + 10.0, kTimeStep);
    const int from_rail = stops[last_stop].rail;
    int previous = departure;
    for (std::size_t p = last_stop + 1; p < k; ++p) {
      double x = mark(path, rails, path.waypoint_at[p]) - from_mark;
      int t = departure + round_to(leg.time_at(x) + 5.0, kTimeStep);
      times[p] = previous = std::clamp(t, previous, arrival);
      arrivals[p] = times[p];
      dia::set_standard_running_time(speed_types_, info.speed_type, from_rail, stops[p].rail,
                                     dia::kEventPass, times[p] - departure);
    }
    const bool final = k + 1 == stops.size();
    dia::set_standard_running_time(speed_types_, info.speed_type, from_rail, stops[k].rail,
                                   final ? dia::kEventArrival : dia::kEventStop,
                                   arrival - departure);
    arrivals[k] = arrival;
    if (final) {
      times[k] = arrival;
    } else {
      departure = arrival + stop_time(stops[k].rail, service);
      times[k] = departure;
    }
    last_stop = k;
  }

  RouteTemplate route;
  std::size_t next_stop = 0;
  for (std::size_t i = 0; i < path.rails.size(); ++i) {
    const int r = path.rails[i];
    if (next_stop < stops.size() && path.waypoint_at[next_stop] == i) {
      int type = !stops[next_stop].stop          ? dia::kEventPass
                 : next_stop + 1 == stops.size() ? dia::kEventArrival
                                                 : dia::kEventStop;
      route.events.push_back({r, times[next_stop], type});
      route.arrivals.push_back(arrivals[next_stop]);
      ++next_stop;
      continue;
    }
    const int point_number = map_.prails[rails[r].l_pack].point;
    if (point_number == 0) continue;
    const map::Point& point = map_.points[point_number];
    const int before = path.rails[i - 1];
    const int after = i + 1 < path.rails.size() ? path.rails[i + 1] : 0;
    const int type = lists_both_ways(point, before) ? dia::kEventPointBoth : dia::kEventPoint;
    route.events.push_back({r, point_setting(point, r, before, after), type});
    route.arrivals.push_back(route.events.back().time);
  }
  route.duration = times.back();
  route.events.push_back({route.events.back().rail, route.duration, dia::kEventEnd});
  route.arrivals.push_back(route.duration);
  return route;
}

const RouteTemplate& RoutePlanner::section(Service service, bool down, int from, int to,
                                           std::size_t first, std::size_t last) {
  auto key = std::make_tuple(static_cast<int>(service), down, from, to, first, last);
  auto it = sections_.find(key);
  if (it == sections_.end()) {
    it = sections_.emplace(key, cut(service, route(service, down, from, to), first, last)).first;
  }
  return it->second;
}

RouteTemplate RoutePlanner::cut(Service service, const RouteTemplate& whole, std::size_t first,
                                std::size_t last) {
  const auto begin = static_cast<std::ptrdiff_t>(first);
  const auto end = static_cast<std::ptrdiff_t>(last) + 1;
  RouteTemplate part;
  part.events.assign(whole.events.begin() + begin, whole.events.begin() + end);
  part.arrivals.assign(whole.arrivals.begin() + begin, whole.arrivals.begin() + end);
  dia::DiaEvent& final = part.events.back();
  if (final.type != dia::kEventArrival) {
    // A stop becomes the run's final arrival.
    final.type = dia::kEventArrival;
    final.time = part.arrivals.back();
    const dia::DiaEvent* from = &part.events.front();
    for (const dia::DiaEvent& e : part.events) {
      if (&e != &final && e.type == dia::kEventStop) from = &e;
    }
    dia::set_standard_running_time(speed_types_, service_info(service).speed_type, from->rail,
                                   final.rail, dia::kEventArrival, final.time - from->time);
  }
  const dia::DiaEvent end_entry{final.rail, final.time, dia::kEventEnd};
  part.duration = end_entry.time;
  part.events.push_back(end_entry);  // `final` is gone from here on
  part.arrivals.push_back(end_entry.time);
  return part;
}

}  // namespace vosk::samples
