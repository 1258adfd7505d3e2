// Whole-dia numbering on the large generated data set (100 stations, 10,000
// runs): the running order with serial train numbers, and the automatic
// destination of every run.
#include <benchmark/benchmark.h>

#include "base/prompt.h"
#include "datafiles/dia_tools.h"
#include "datafiles/map_lookup.h"
#include "dia/numbering.h"
#include "samples/generator.h"

namespace {

using namespace vosk;

struct LargeDia {
  datafiles::DataSet ds = samples::make_sample({100, 10000, 7});
  dia::MapTablesRef ref{ds.map.rails, ds.map.prails, ds.map.targets, ds.map.stations};
  dia::TimingLookup timing{ref, ds.classification, datafiles::timing_settings(ds.header)};
};

LargeDia& large() {
  static LargeDia set;
  return set;
}

struct Yes : Prompt {
  Answer ask(const std::string&, const std::string&, Buttons) override { return Answer::Yes; }
};

int runs_in_use(const dia::DiaTables& d) {
  int n = 0;
  for (const dia::Diagram& r : d.diagrams) n += r.in_use();
  return n;
}

void BM_RunningOrderAndSerialNumbers(benchmark::State& state) {
  LargeDia& set = large();
  Yes yes;
  bool right_down = set.ds.header.map.right_down != 0;
  for (auto _ : state) {
    std::optional<int> changed = dia::number_serially(
        set.ds.dia, set.timing, set.ds.header.dia.base_target, right_down, yes);
    benchmark::DoNotOptimize(changed);
  }
  state.counters["runs"] = runs_in_use(set.ds.dia);
}
BENCHMARK(BM_RunningOrderAndSerialNumbers)->Unit(benchmark::kMillisecond);

void BM_DestinationsOfEveryRun(benchmark::State& state) {
  LargeDia& set = large();
  Yes yes;
  datafiles::TablesMapLookup map(set.ds.map);
  for (auto _ : state) {
    std::optional<int> changed = dia::set_all_destinations(set.ds.dia, map, yes);
    benchmark::DoNotOptimize(changed);
  }
  state.counters["runs"] = runs_in_use(set.ds.dia);
}
BENCHMARK(BM_DestinationsOfEveryRun)->Unit(benchmark::kMillisecond);

}  // namespace
