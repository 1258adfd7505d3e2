// Route building with timing over a whole dia, and one connection search
// between the two ends of the line: 10,000 runs on a 100-station map.
#include <benchmark/benchmark.h>

#include <optional>
#include <random>
#include <string>

#include "dia/auto_timing.h"
#include "dia/classification.h"
#include "dia/connection_search.h"
#include "dia/dia_operations.h"
#include "dia/route_builder.h"
#include "dia/route_edits.h"
#include "map/point_operations.h"

namespace {

using namespace vosk;
using namespace vosk::dia;

constexpr int kStations = 100;
constexpr int kRuns = 10000;

// A double-track line: per station and direction an approach rail, a facing
// point onto the platform or a dead-end siding, the platform and a rail on.
struct World {
  RecordTable<map::Rail> rails;
  RecordTable<map::PRail> prails;
  RecordTable<map::Point> points;
  RecordTable<map::Target> targets;
  RecordTable<map::Station> stations;
  ClassificationTables tables = new_classification_tables(120);
  TimingSettings settings;
  DiaTables dia;
  std::vector<int> platform[3];  // by direction, by station index along the line
  std::optional<MapView> view;
  std::optional<MapTablesRef> ref;
  std::optional<TimingLookup> timing;
  std::optional<RailIndex> index;

  int rail(int direction, int target = 0) {
    int r = rails.extent() + 1;
    map::Rail& x = rails.grow_to(r);
    x.direction = direction;
    x.target = target;
    x.station = target;
    x.stop_distance = target != 0 ? 100 : 0;
    int p = prails.extent() + 1;
    prails.grow_to(p).rail_a = r;
    x.l_pack = p;
    return r;
  }
  void link(int a, int b) {
    rails[a].l_next = b;
    rails[b].l_back = a;
  }

  World() {
    rails.allocate(4095);
    prails.allocate(2047);
    points.allocate(255);
    targets.allocate(255);
    stations.allocate(127);
    allocate_dia_tables(dia, {kRuns + 16, 10, 10, 0, 0, 0, 0, 0});
    for (int k = 1; k <= kStations; ++k) {
      stations.grow_to(k).name = "S" + std::to_string(k);
      map::Target& t = targets.grow_to(k);
      t.station = k;
      t.name = stations[k].name;
    }
    tables.speed_types.grow_to(2) = tables.speed_types[1];
    for (int direction : {1, 2}) {
      int prev = 0;
      for (int i = 0; i < kStations; ++i) {
        int station = direction == 2 ? i + 1 : kStations - i;
        int approach = rail(direction);
        int main = rail(direction);
        int siding = rail(direction);
        int stop = rail(direction, station);
        int on = rail(direction);
        if (prev != 0) link(prev, approach);
        link(main, stop);
        link(stop, on);
        int p = points.extent() + 1;
        map::Point& point = points.grow_to(p);
        point.rail_count = 2;
        point.position_count = 2;
        point.rails[0] = main;
        point.rails[1] = siding;
        for (int s = 0; s < 2; ++s) {
          point.open[0][s] = point.open[1][s] = 1;
          point.next[0][s] = stop;
          point.back[0][s] = s == 0 ? approach : -approach;
          point.back[1][s] = s == 1 ? approach : -approach;
        }
        platform[direction].push_back(stop);
        prev = on;
      }
    }
    map::assign_prail_points(points, rails, prails);
    for (int p = 1; p <= points.extent(); ++p) map::set_point_position(points[p], 0, rails, prails);
    // Running times: slow (1) and fast (2) speed types, per section and to
    // the point on the way.
    for (int direction : {1, 2}) {
      for (int i = 0; i + 1 < kStations; ++i) {
        int from = platform[direction][static_cast<std::size_t>(i)];
        int to = platform[direction][static_cast<std::size_t>(i + 1)];
        int point_rail = std::abs(rails[to].l_back);
        for (int speed : {1, 2}) {
          int seconds = speed == 1 ? 180 : 120;
          set_standard_running_time(tables.speed_types, speed, from, to, kEventArrival, seconds);
          set_standard_running_time(tables.speed_types, speed, from, point_rail, kEventPointBoth,
                                    seconds - 10);
        }
      }
    }
    dia.event_capacity = points.extent() + 2 * targets.extent() + 1;
    view.emplace(rails, prails, points, targets, stations);
    ref.emplace(view->tables());
    timing.emplace(*ref, tables, settings);
    index.emplace(*view);

    std::mt19937 rng(11);
    RouteContext ctx{*view, *index, *timing, nullptr};
    for (int r = 0; r < kRuns; ++r) {
      int direction = 1 + static_cast<int>(rng() % 2);
      // A third of the runs cover the whole line.
      bool whole = rng() % 3 == 0;
      int start = whole ? 0 : static_cast<int>(rng() % 90);
      int length = whole ? kStations : 10 + static_cast<int>(rng() % 90);
      int end = std::min(kStations - 1, start + length);
      int time = 5 * 3600 + static_cast<int>(rng() % (18 * 3600));
      int n = allocate_diagram(dia);
      init_ordinary_diagram(dia.diagrams[n], platform[direction][static_cast<std::size_t>(start)],
                            time, direction);
      dia.diagrams[n].speed_type = 1 + static_cast<int>(rng() % 2);
      StopPlan plan(targets.extent(), points.extent());
      int terminal = platform[direction][static_cast<std::size_t>(end)];
      plan.set_stop(rails[terminal].target, kModeTerminal, 0);
      build_route(ctx, dia, n, plan);
      measure_times(dia, n, *timing, false);
    }
  }
};

World& world() {
  static World w;
  return w;
}

void BM_RebuildAllRoutesWithTiming(benchmark::State& state) {
  World& w = world();
  CouplingRelations relations(w.dia);
  StandardRouteFollowUp follow_up(*w.view, *w.index, *w.timing, true, &relations);
  RouteContext ctx{*w.view, *w.index, *w.timing, &follow_up};
  for (auto _ : state) {
    int built = 0;
    for (int n = 1; n <= w.dia.diagrams.extent(); ++n) built += rebuild_route(ctx, w.dia, n);
    benchmark::DoNotOptimize(built);
  }
  state.counters["runs"] = kRuns;
}
BENCHMARK(BM_RebuildAllRoutesWithTiming)->Unit(benchmark::kMillisecond);

struct Quiet : Progress {
  void report(const std::string&) override {}
};

void BM_ConnectionSearchEndToEnd(benchmark::State& state) {
  World& w = world();
  Quiet quiet;
  std::size_t found = 0;
  for (auto _ : state) {
    found = search_connections(w.dia, *w.timing, 1, kStations, quiet).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["journeys"] = static_cast<double>(found);
}
BENCHMARK(BM_ConnectionSearchEndToEnd)->Unit(benchmark::kMillisecond);

}  // namespace
