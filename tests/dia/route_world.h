#pragma once
// A small map and dia for the route tests: stations with their stopping
// places, rails linked by hand, points with position tables, and the
// context the route operations take, built once the layout is complete.
#include <optional>
#include <string>
#include <vector>

#include "base/record_table.h"
#include "dia/classification.h"
#include "dia/dia_operations.h"
#include "dia/dia_tables.h"
#include "dia/map_view.h"
#include "dia/rail_index.h"
#include "dia/route_context.h"
#include "dia/timing_lookup.h"
#include "map/point_operations.h"

namespace vosk::dia::route_testing {

constexpr int kRight = 2;  // running direction of the main line in the tests
constexpr int kLeft = 1;

// One rail of a point: its links and usability in each position.
struct PointRail {
  int rail = 0;
  std::vector<int> next;  // per position
  std::vector<int> back;  // per position
};

class RouteWorld {
 public:
  RecordTable<map::Rail> rails;
  RecordTable<map::PRail> prails;
  RecordTable<map::Point> points;
  RecordTable<map::Target> targets;
  RecordTable<map::Station> stations;
  ClassificationTables tables = new_classification_tables(120);
  TimingSettings settings;
  DiaTables dia;

  RouteWorld() {
    rails.allocate(200);
    prails.allocate(200);
    points.allocate(20);
    targets.allocate(20);
    stations.allocate(20);
    allocate_dia_tables(dia, {100, 10, 10, 0, 0, 0, 0, 0});
    dia.event_capacity = 20;
  }

  // A station with its stopping place; returns the target number.
  int add_station(const std::string& name) {
    int s = stations.extent() + 1;
    stations.grow_to(s).name = name;
    int t = targets.extent() + 1;
    map::Target& target = targets.grow_to(t);
    target.station = s;
    target.name = name;
    return t;
  }

  // A rail on a new track, or as the second rail of `track`.
  int add_rail(int direction, int target = 0, int stop_distance = 0, int track = 0) {
    int r = rails.extent() + 1;
    map::Rail& rail = rails.grow_to(r);
    rail.direction = direction;
    rail.target = target;
    rail.station = target != 0 ? targets[target].station : 0;
    rail.stop_distance = stop_distance;
    rail.length = 200;
    if (track == 0) {
      track = prails.extent() + 1;
      prails.grow_to(track).rail_a = r;
    } else {
      prails[track].rail_b = r;
      int other = prails[track].rail_a;
      rails[other].l_dual = r;
      rail.l_dual = other;
    }
    rail.l_pack = track;
    return r;
  }
  // A station stopping rail of `target`.
  int add_platform(int direction, int target, int track = 0) {
    return add_rail(direction, target, 100, track);
  }

  // a → b in the running direction.
  void link(int a, int b) {
    rails[a].l_next = b;
    rails[b].l_back = a;
  }
  void chain(std::initializer_list<int> rail_list) {
    const int* prev = nullptr;
    for (const int& r : rail_list) {
      if (prev != nullptr) link(*prev, r);
      prev = &r;
    }
  }

  // A point over the given rails, set to `position`.
  int add_point(const std::vector<PointRail>& point_rails, int position = 0) {
    int p = points.extent() + 1;
    map::Point& point = points.grow_to(p);
    point.rail_count = static_cast<int>(point_rails.size());
    point.position_count = static_cast<int>(point_rails.front().next.size());
    for (std::size_t i = 0; i < point_rails.size(); ++i) {
      point.rails[i] = point_rails[i].rail;
      for (std::size_t s = 0; s < point_rails[i].next.size(); ++s) {
        point.open[i][s] = 1;
        point.next[i][s] = point_rails[i].next[s];
        point.back[i][s] = point_rails[i].back[s];
      }
    }
    map::assign_prail_points(points, rails, prails);
    map::set_point_position(points[p], position, rails, prails);
    return p;
  }
  // A facing point behind `approach` with two branches: position 0 opens
  // `first`, position 1 `second`. `first_next` and `second_next` are the
  // rails after the branches (0 = dead end).
  int add_facing_point(int approach, int first, int first_next, int second, int second_next,
                       int position = 0) {
    int p = add_point({{first, {first_next, first_next}, {approach, -approach}},
                       {second, {second_next, second_next}, {-approach, approach}}},
                      position);
    if (first_next != 0) rails[first_next].l_back = first;
    if (second_next != 0) rails[second_next].l_back = second;
    return p;
  }

  void set_running_time(int from, int to, int kind, int seconds, int speed_type = 1) {
    set_standard_running_time(tables.speed_types, speed_type, from, to, kind, seconds);
  }
  void set_stop_seconds(int target, int seconds) {
    set_stop_time(tables.stop_times, StopTimeKey{target, 0, kStopTime, 0, 0}, seconds);
  }

  // A new ordinary run starting with a stop at `rail` at `time`.
  int add_run(int rail, int time, int direction = kRight) {
    int n = allocate_diagram(dia);
    init_ordinary_diagram(dia.diagrams[n], rail, time, direction);
    return n;
  }
  // A run with the given events (end entry added).
  int add_run_events(std::vector<DiaEvent> events, int direction = kRight) {
    int n = add_run(events.front().rail, events.front().time, direction);
    DiaEvent end = events.back();
    end.type = kEventEnd;
    events.push_back(end);
    dia.diagrams[n].events = std::move(events);
    return n;
  }
  const std::vector<DiaEvent>& events(int n) const { return dia.diagrams[n].events; }

  // Call once the layout and the tables are complete (again after changes).
  const RouteContext& context(RouteFollowUp* follow_up = nullptr) {
    view_.emplace(rails, prails, points, targets, stations);
    ref_.emplace(view_->tables());
    timing_.emplace(*ref_, tables, settings);
    index_.emplace(*view_);
    ctx_.emplace(*view_, *index_, *timing_, follow_up);
    return *ctx_;
  }
  const MapView& view() const { return *view_; }
  const RailIndex& index() const { return *index_; }
  const TimingLookup& timing() const { return *timing_; }

 private:
  std::optional<MapView> view_;
  std::optional<MapTablesRef> ref_;
  std::optional<TimingLookup> timing_;
  std::optional<RailIndex> index_;
  std::optional<RouteContext> ctx_;
};

// Two stations on a line with a facing point between them:
//
//   A (a) → s → P ─ main m → B (b) → e (end of line)
//                 └ siding x → (dead end, or on to `siding_next`)
struct TwoStations {
  int A = 0, B = 0;                              // targets
  int a = 0, s = 0, m = 0, x = 0, b = 0, e = 0;  // rails
  int P = 0;                                     // point

  explicit TwoStations(RouteWorld& w, int position = 0) {
    A = w.add_station("A");
    B = w.add_station("B");
    a = w.add_platform(kRight, A);
    s = w.add_rail(kRight);
    m = w.add_rail(kRight);
    x = w.add_rail(kRight);
    b = w.add_platform(kRight, B);
    e = w.add_rail(kRight);
    w.chain({a, s});
    w.chain({b, e});
    P = w.add_facing_point(s, m, b, x, 0, position);
  }
};

}  // namespace vosk::dia::route_testing
