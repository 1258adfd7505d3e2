#pragma once
// Train: a duty (仕業), one set of rolling stock's day.
#include <cstddef>
#include <string>

namespace vosk::dia {

inline constexpr std::size_t kTrainNameBytes = 255;

// Completed at load from the map, never stored.
struct TrainPosition {
  int current_rail = 0;        // the initial rail until a simulation moves the stock
  int direction = 0;           // of the current rail
  int stop_distance = 0;       // m; that of the l_dual rail when the rail has none
  int stop_distance_1024 = 0;  // the same in 1/1024 m, for the track panel

  bool operator==(const TrainPosition&) const = default;
};

struct Train {
  int first_diagram = 0;  // first working of the duty, 0 = none
  int initial_rail = 0;
  int head_unit = 0;  // formation at the head of the coupled chain
  std::string name;   // CP932
  TrainPosition position;
};

}  // namespace vosk::dia
