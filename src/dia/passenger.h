#pragma once
// Passenger flows between two stations over the day and their member
// passenger.csv. The entries of one (from, to) pair form a piecewise-linear
// profile of passengers per hour, from time 0 to 28:00:00.
#include <string_view>
#include <vector>

#include "base/csv.h"
#include "base/load_warnings.h"

namespace vosk::dia {

struct PassengerFlow {
  int from_station = 0;  // never 0 here: 0 ends the list in the file's model
  int to_station = 0;    // 0 = every station without a profile of its own
  int time = 0;          // seconds
  int count = 0;         // passengers per hour at `time`
};

// Ordered by (from, to, time); the terminating entry is not held.
using PassengerList = std::vector<PassengerFlow>;

// Sets the count at (from, to, time): replaces the entry at that time, or
// inserts one before the first entry of the pair with a later time (after the
// pair's last entry when none is later). A pair without entries first gets
// its two ends, (from, to, 0, 0) and (from, to, 100800, 0). False, with no
// change, for from-station 0 or a time outside 0 .. 100800.
bool set_passenger_count(PassengerList& list, int from_station, int to_station, int time,
                         int count);

// Multiplies every count of the pair by `factor`, truncating toward zero.
void scale_passenger_pair(PassengerList& list, int from_station, int to_station, double factor);

void read_passenger(std::string_view content, int version, PassengerList& list,
                    MemberWarnings& warnings);
void write_passenger(const PassengerList& list, csv::Writer& out);

}  // namespace vosk::dia
