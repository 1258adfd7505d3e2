// Opening and saving the large generated data set (100 stations, 10,000
// runs): the whole path from packed file bytes to tables and back. The same
// is measured on a stress set of 10,000 whole journeys over the 100
// stations, ten times the bytes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <malloc.h>

#include <cstdlib>
#include <cstring>

#include "base/prompt.h"
#include "datafiles/bundle.h"
#include "datafiles/bundle_writer.h"
#include "datafiles/open_save.h"
#include "samples/generator.h"

namespace {

class SilentPrompt : public vosk::Prompt {
 public:
  vosk::Answer ask(const std::string&, const std::string&, vosk::Buttons b) override {
    return b == vosk::Buttons::AbortRetryIgnore ? vosk::Answer::Ignore : vosk::Answer::No;
  }
};

struct LargeSet {
  std::filesystem::path folder;
  std::filesystem::path file;
  std::size_t bundle_bytes = 0;
  explicit LargeSet(bool whole_journeys) {
    folder = std::filesystem::temp_directory_path() / "vosk-bench";
    std::filesystem::create_directories(folder);
    file = folder / (whole_journeys ? "stress.qvw" : "large.qvw");
    vosk::datafiles::DataSet ds =
        vosk::samples::make_sample({100, 10000, 7, whole_journeys});
    SilentPrompt prompt;
    vosk::datafiles::Session session{prompt, folder.string()};
    bundle_bytes = vosk::datafiles::write_bundle(ds).size();
    vosk::datafiles::write_data_set(file, ds, session, {});
  }
};

const LargeSet& large() {
  static LargeSet set(false);
  return set;
}

const LargeSet& stress() {
  static LargeSet set(true);
  return set;
}

void BM_Open(benchmark::State& state, const LargeSet& (*data_set)()) {
  const LargeSet& set = data_set();
  SilentPrompt prompt;
  vosk::datafiles::Session session{prompt, set.folder.string()};
  for (auto _ : state) {
    auto ds = vosk::datafiles::read_data_set(set.file, session);
    if (!ds) state.SkipWithError("open failed");
    benchmark::DoNotOptimize(ds);
  }
  state.counters["bundle_MB"] = static_cast<double>(set.bundle_bytes) / 1e6;
}

void BM_Save(benchmark::State& state, const LargeSet& (*data_set)()) {
  const LargeSet& set = data_set();
  SilentPrompt prompt;
  vosk::datafiles::Session session{prompt, set.folder.string()};
  auto ds = vosk::datafiles::read_data_set(set.file, session);
  auto target = set.folder / "saved.qvw";
  for (auto _ : state) {
    if (!vosk::datafiles::write_data_set(target, *ds, session, {})) state.SkipWithError("save failed");
  }
}

// A "VmXXX:" value of /proc/self/status in KiB.
long status_kib(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::strlen(key));
  }
  return -1;
}

// Peak memory of one open against the unpacked bundle: the growth of the
// resident set's high-water mark over what the process held before. The
// mark is reset first (clear_refs 5), and freed memory is given back, so
// the earlier benchmarks do not count.
void BM_OpenPeakMemory(benchmark::State& state, const LargeSet& (*data_set)()) {
  const LargeSet& set = data_set();
  SilentPrompt prompt;
  vosk::datafiles::Session session{prompt, set.folder.string()};
  long growth_kib = 0;
  for (auto _ : state) {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    long before = status_kib("VmRSS:");
    {
      auto ds = vosk::datafiles::read_data_set(set.file, session);
      if (!ds) state.SkipWithError("open failed");
      benchmark::DoNotOptimize(ds);
    }
    growth_kib = status_kib("VmHWM:") - before;
  }
  state.counters["peak_MB"] = static_cast<double>(growth_kib) / 1024.0;
  state.counters["peak_x_bundle"] =
      static_cast<double>(growth_kib) * 1024.0 / static_cast<double>(set.bundle_bytes);
}

BENCHMARK_CAPTURE(BM_Open, Large, large)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Save, Large, large)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenPeakMemory, Large, large)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_Open, Stress, stress)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Save, Stress, stress)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenPeakMemory, Stress, stress)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
