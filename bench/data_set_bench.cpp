// Opening and saving the large generated data set (100 stations, 10,000
// runs): the whole path from packed file bytes to tables and back.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include "base/prompt.h"
#include "datafiles/bundle.h"
#include "datafiles/bundle_writer.h"
#include "datafiles/open_save.h"
#include "datafiles/sample_generator.h"

extern char** environ;

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
  LargeSet() {
    folder = std::filesystem::temp_directory_path() / "vosk-bench";
    std::filesystem::create_directories(folder);
    file = folder / "large.qvw";
    vosk::datafiles::DataSet ds = vosk::datafiles::make_sample({100, 10000, 7});
    SilentPrompt prompt;
    vosk::datafiles::Session session{prompt, folder.string()};
    bundle_bytes = vosk::datafiles::write_bundle(ds).size();
    vosk::datafiles::write_data_set(file, ds, session, {});
  }
};

const LargeSet& large() {
  static LargeSet set;
  return set;
}

void BM_OpenLarge(benchmark::State& state) {
  const LargeSet& set = large();
  SilentPrompt prompt;
  vosk::datafiles::Session session{prompt, set.folder.string()};
  for (auto _ : state) {
    auto ds = vosk::datafiles::read_data_set(set.file, session);
    if (!ds) state.SkipWithError("open failed");
    benchmark::DoNotOptimize(ds);
  }
  state.counters["bundle_MB"] = static_cast<double>(set.bundle_bytes) / 1e6;
}

void BM_SaveLarge(benchmark::State& state) {
  const LargeSet& set = large();
  SilentPrompt prompt;
  vosk::datafiles::Session session{prompt, set.folder.string()};
  auto ds = vosk::datafiles::read_data_set(set.file, session);
  auto target = set.folder / "saved.qvw";
  for (auto _ : state) {
    if (!vosk::datafiles::write_data_set(target, *ds, session, {})) state.SkipWithError("save failed");
  }
}

// Peak memory of one open, measured in a process of its own (vosk-cli info
// opens the file exactly as the editor does), against the unpacked bundle.
void BM_OpenPeakMemory(benchmark::State& state) {
  const LargeSet& set = large();
  long peak_kib = 0;
  for (auto _ : state) {
    pid_t pid = 0;
    std::string file = set.file.string();
    char* argv[] = {const_cast<char*>(VOSK_CLI_PATH), const_cast<char*>("info"), file.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid, VOSK_CLI_PATH, &actions, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start vosk-cli");
      break;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage usage{};
    wait4(pid, &status, 0, &usage);
    peak_kib = usage.ru_maxrss;
  }
  state.counters["peak_MB"] = static_cast<double>(peak_kib) / 1024.0;
  state.counters["peak_x_bundle"] =
      static_cast<double>(peak_kib) * 1024.0 / static_cast<double>(set.bundle_bytes);
}

BENCHMARK(BM_OpenLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
