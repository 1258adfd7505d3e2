// WinDIA text timetables on the large generated data set (100 stations,
// 10,000 runs): writing it, and reading a file of that size back.
// Goals: export under 500 ms, import under 1 s.
#include <benchmark/benchmark.h>

#include "exchange/windia_export.h"
#include "exchange/windia_import.h"
#include "samples/generator.h"

namespace {

using namespace vosk;

datafiles::DataSet& large_set() {
  static datafiles::DataSet ds = samples::make_sample({100, 10000, 7});
  return ds;
}

void BM_WindiaExport(benchmark::State& state) {
  datafiles::DataSet& ds = large_set();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = exchange::export_windia(ds, {});
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WindiaExport)->Unit(benchmark::kMillisecond);

void BM_WindiaImport(benchmark::State& state) {
  const std::string text = exchange::export_windia(large_set(), {});
  int runs = 0;
  for (auto _ : state) {
    exchange::WindiaImport in = exchange::import_windia(text);
    runs = in.data.dia.diagrams.extent();
    benchmark::DoNotOptimize(runs);
  }
  state.counters["runs"] = runs;
}
BENCHMARK(BM_WindiaImport)->Unit(benchmark::kMillisecond);

}  // namespace
