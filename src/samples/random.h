#pragma once
// The sample generator's source of variety: a small counter-based generator
// (splitmix64) whose sequence is the same on every platform and library, so a
// seed always gives the same data set.
#include <cstdint>
#include <utility>
#include <vector>

namespace vosk::samples {

class SampleRandom {
 public:
  explicit SampleRandom(unsigned seed) : state_(0x9E3779B97F4A7C15ull * (seed + 1ull)) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A value in lo .. hi (both included); lo when hi < lo.
  int between(int lo, int hi) {
    if (hi <= lo) return lo;
    return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
  }

  // True in `percent` of 100 draws.
  bool chance(int percent) { return between(0, 99) < percent; }

  template <class T>
  void shuffle(std::vector<T>& items) {
    for (std::size_t i = items.size(); i > 1; --i) {
      std::size_t j = static_cast<std::size_t>(next() % i);
      std::swap(items[i - 1], items[j]);
    }
  }

 private:
  std::uint64_t state_;
};

}  // namespace vosk::samples
