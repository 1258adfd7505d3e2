// Pack and unpack throughput against a plain copy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>

#include "datafiles/bundle.h"

namespace {

// Bundle text shaped like a real data set: numeric CSV lines with fixed-width
// fields, a few Japanese names, member header lines.
const std::string& bundle_text() {
  static const std::string text = [] {
    std::mt19937 rng(7);
    std::string out;
    const char* names[] = {"\x93\x8c\x8b\x9e", "\x91\xe5\x8d\xe3", "Central", "\x89\xa1\x95\x6c"};
    int member = 0;
    char line[256];
    while (out.size() < (64u << 20)) {
      if (out.size() / (1u << 20) >= static_cast<unsigned>(member)) {
        std::snprintf(line, sizeof line, "#member_%d.csv\n", member++);
        out += line;
      }
      int n = static_cast<int>(rng() % 4000);
      std::snprintf(line, sizeof line, "%4d,%3d,%3d,%2d,%4d,%4d,%4d,%4d,%4d,%2d,%4d,%s\n", n,
                    static_cast<int>(rng() % 200), static_cast<int>(rng() % 100) - 50,
                    static_cast<int>(rng() % 10), static_cast<int>(rng() % 2000),
                    static_cast<int>(rng() % 4000), -static_cast<int>(rng() % 4000),
                    static_cast<int>(rng() % 4000), static_cast<int>(rng() % 4000),
                    static_cast<int>(rng() % 30) - 15, static_cast<int>(rng() % 9000),
                    names[rng() % 4]);
      out += line;
    }
    return out;
  }();
  return text;
}

void BM_Memcpy(benchmark::State& state) {
  const std::string& text = bundle_text();
  std::string copy(text.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), text.data(), text.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_Pack(benchmark::State& state) {
  const std::string& text = bundle_text();
  for (auto _ : state) {
    std::string packed = vosk::bundle::pack(text);
    benchmark::DoNotOptimize(packed.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_Unpack(benchmark::State& state) {
  const std::string& text = bundle_text();
  const std::string packed = vosk::bundle::pack(text);
  for (auto _ : state) {
    auto unpacked = vosk::bundle::unpack(packed);
    benchmark::DoNotOptimize(unpacked.text.data());
  }
  // Throughput counts bundle text, the unpacked size.
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Unpack)->Unit(benchmark::kMillisecond);

}  // namespace
