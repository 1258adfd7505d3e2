#pragma once
// The horizontal axis of the train graph: seconds of the operating day to
// surface x and back, the day wrap of night services and the grid steps.
#include "base/time_text.h"

namespace vosk::graph {

inline constexpr int kLastGraphTime = timetext::kMaxInput;  // 28:00, the right end of the day
inline constexpr int kMinSpan = 60;                         // seconds

// A non-zero time before 3:00 continues the day past 24:00; 0 is "not set"
// and stays where it is.
constexpr int wrap_time(int t) { return timetext::order_key(t); }

struct TimeAxis {
  int plot_left = 0;  // left edge of the plot plus the station name column
  int right = 0;
  int start = 0;  // seconds at plot_left
  int end = 0;    // seconds at right

  // Integer arithmetic, truncating, as the window always did; a range of
  // zero or less puts every time at plot_left.
  int x(int t) const;
  int time_at(int x) const;
  bool visible(int x) const { return x >= plot_left && x <= right; }
};

struct GridIntervals {
  int major = 3600;
  int minor = 600;
  friend bool operator==(const GridIntervals&, const GridIntervals&) = default;
};

// The grid for a visible span: finer steps as the view narrows.
GridIntervals grid_intervals(int span);

}  // namespace vosk::graph
