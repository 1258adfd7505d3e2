// The checks run on the map of the large generated data set (100 stations)
// when it opens, followed by the rebuild of its route levers and buttons, as
// switching the interlocking panel on does.
#include <benchmark/benchmark.h>

#include "base/prompt.h"
#include "datafiles/map_checks.h"
#include "map/lever_rebuild.h"
#include "samples/generator.h"

namespace {

class SilentPrompt : public vosk::Prompt {
 public:
  vosk::Answer ask(const std::string&, const std::string&, vosk::Buttons b) override {
    return b == vosk::Buttons::AbortRetryIgnore ? vosk::Answer::Ignore : vosk::Answer::No;
  }
};

void BM_MapChecksAndLeverRebuild(benchmark::State& state) {
  // The map does not depend on the number of runs; a few keep set-up short.
  vosk::datafiles::DataSet ds = vosk::samples::make_sample({100, 200, 7});
  vosk::datafiles::MapTables& m = ds.map;
  vosk::map::InterlockingTables t{m.rails, m.prails, m.route_levers, m.route_buttons};
  SilentPrompt prompt;
  for (auto _ : state) {
    vosk::datafiles::MapCheckOutcome outcome = vosk::datafiles::run_map_checks(ds, prompt);
    benchmark::DoNotOptimize(outcome);
    // The rebuild starts by emptying both tables, so every round does the same work.
    vosk::map::rebuild_levers_and_buttons(t, {.atc = true}, prompt);
    benchmark::DoNotOptimize(m.route_levers.extent());
  }
  state.counters["rails"] = m.rails.extent();
  state.counters["levers"] = m.route_levers.extent();
  state.counters["buttons"] = m.route_buttons.extent();
}
BENCHMARK(BM_MapChecksAndLeverRebuild)->Unit(benchmark::kMillisecond);

}  // namespace
