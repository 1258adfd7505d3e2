#pragma once
// The simple map an imported WinDIA dia runs on, and the distances of its
// stopping places worked out from the trains' running times.
#include <string>
#include <vector>

#include "datafiles/data_set.h"

namespace vosk::exchange {

struct WindiaStation {
  std::string name;  // CP932
  int scale = 0;
  int time_display = 0;
};

// Rail of station k (1-based) in a direction: 2k − 1 for direction 1, 2k
// for direction 2.
constexpr int windia_rail(int station, int direction) {
  return direction == 1 ? 2 * station - 1 : 2 * station;
}

// Fills the map tables: per station a Station, a Target on every display
// target at 2000 × k, and its two rails of length 100.
void build_windia_map(const std::vector<WindiaStation>& stations, datafiles::MapTables& map);

// Learns the standard running times of speed type 1 from the diagrams (the
// shortest gap from a stop's departure to the next timed event, per pair of
// rails and kind), then spaces the stopping places by them.
void time_windia_map(datafiles::DataSet& ds);

}  // namespace vosk::exchange
