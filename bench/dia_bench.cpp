// Whole-dia work on the large generated data set (100 stations, 10,000
// runs): rebuilding every route with the full measurement, checking every
// run, and one connection search between the ends of the main line.
#include <benchmark/benchmark.h>

#include "datafiles/dia_tools.h"
#include "samples/generator.h"
#include "dia/auto_timing.h"
#include "dia/connection_search.h"
#include "dia/coupling_relations.h"
#include "dia/rail_index.h"
#include "dia/route_builder.h"
#include "dia/route_edits.h"
#include "map/target.h"

namespace {

using namespace vosk;

struct LargeDia {
  datafiles::DataSet ds = samples::make_sample({100, 10000, 7});
  dia::MapView view{ds.map.rails, ds.map.prails, ds.map.points, ds.map.targets, ds.map.stations};
  dia::MapTablesRef ref = view.tables();
  dia::TimingLookup timing{ref, ds.classification, datafiles::timing_settings(ds.header)};
  dia::RailIndex index{view};
};

LargeDia& large() {
  static LargeDia set;
  return set;
}

int runs_in_use(const dia::DiaTables& d) {
  int n = 0;
  for (int k = 1; k <= d.diagrams.extent(); ++k) n += d.diagrams[k].direction != 0;
  return n;
}

void BM_RebuildAndMeasureEveryRun(benchmark::State& state) {
  LargeDia& set = large();
  dia::DiaTables& d = set.ds.dia;
  dia::CouplingRelations relations(d);
  dia::StandardRouteFollowUp follow_up(set.view, set.index, set.timing, true, &relations);
  dia::RouteContext ctx{set.view, set.index, set.timing, &follow_up};
  for (auto _ : state) {
    int built = 0;
    for (int n = 1; n <= d.diagrams.extent(); ++n) {
      if (d.diagrams[n].direction == 0) continue;
      built += dia::rebuild_route(ctx, d, n);
      dia::measure_times(d, n, set.timing, relations, false);
    }
    benchmark::DoNotOptimize(built);
  }
  state.counters["runs"] = runs_in_use(d);
}
BENCHMARK(BM_RebuildAndMeasureEveryRun)->Unit(benchmark::kMillisecond);

void BM_CheckEveryRun(benchmark::State& state) {
  const LargeDia& set = large();
  std::size_t reported = 0;
  for (auto _ : state) {
    reported = datafiles::check_every_run(set.ds, true).size();
    benchmark::DoNotOptimize(reported);
  }
  state.counters["runs"] = runs_in_use(set.ds.dia);
  state.counters["runs_reported"] = static_cast<double>(reported);
}
BENCHMARK(BM_CheckEveryRun)->Unit(benchmark::kMillisecond);

struct Quiet : dia::Progress {
  void report(const std::string&) override {}
};

// The end stations of the main line: the targets nearest and farthest
// along the first display target.
std::pair<int, int> line_ends(const RecordTable<map::Target>& targets) {
  std::pair<int, int> ends{0, 0};
  int nearest = 0;
  int farthest = -1;
  for (int t = 1; t <= targets.extent(); ++t) {
    const int at = targets[t].distances[0];
    if (at < 0) continue;
    if (ends.first == 0 || at < nearest) ends.first = t, nearest = at;
    if (at > farthest) ends.second = t, farthest = at;
  }
  return ends;
}

void BM_ConnectionSearchLineEnds(benchmark::State& state) {
  LargeDia& set = large();
  auto [from, to] = line_ends(set.ds.map.targets);
  Quiet quiet;
  std::size_t found = 0;
  for (auto _ : state) {
    found = dia::search_connections(set.ds.dia, set.timing, from, to, quiet).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["journeys"] = static_cast<double>(found);
}
BENCHMARK(BM_ConnectionSearchLineEnds)->Unit(benchmark::kMillisecond);

}  // namespace
