#include "graph/time_axis.h"

#include <cstdint>

namespace vosk::graph {

int TimeAxis::x(int t) const {
  const int span = end - start;
  if (span <= 0) return plot_left;
  // 64 bits: a printer page several thousand pixels wide times a whole day
  // passes the range of an int.
  const std::int64_t width = right - plot_left;
  return plot_left + static_cast<int>(width * (static_cast<std::int64_t>(t) - start) / span);
}

int TimeAxis::time_at(int px) const {
  const int width = right - plot_left;
  if (width <= 0) return start;
  const std::int64_t span = end - start;
  return start + static_cast<int>((static_cast<std::int64_t>(px) - plot_left) * span / width);
}

GridIntervals grid_intervals(int span) {
  if (span >= 28801) return {3600, 600};
  if (span <= 7200) return {600, 60};
  if (span <= 14400) return {1200, 60};
  return {1800, 300};
}

}  // namespace vosk::graph
