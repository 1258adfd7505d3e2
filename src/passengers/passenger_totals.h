#pragma once
// Passengers per day derived from the hourly profiles: of one pair, of one
// pair with the every-other-station fallback, and of a station.
#include "base/record_table.h"
#include "dia/passenger.h"
#include "map/station.h"

namespace vosk::passengers {

// The integral of the pair's curve over the day: the sum over consecutive
// points, starting from (0, 0), of (c0 + c1) × (t1 − t0) / 7200 in integer
// arithmetic (the counts are per hour, the points half-hour weighted). 0 for
// from = to and for a pair without any non-zero count.
long long pair_total(const dia::PassengerList& list, int from_station, int to_station);

// The share, in thousandths, that `to_station` holds in the from-station's
// record; 0 when the record holds none.
int destination_share(const RecordTable<map::Station>& stations, int from_station, int to_station);

// pair_total, or when the pair has no non-zero count of its own (and `to`
// names a station), the total of (from, 0) times the destination's share
// divided by 1000.
long long pair_total_with_fallback(const dia::PassengerList& list,
                                   const RecordTable<map::Station>& stations, int from_station,
                                   int to_station);

// Everyone leaving and everyone arriving at the station: the fallback totals
// from it to every other station plus those from every other station to it.
long long station_total(const dia::PassengerList& list, const RecordTable<map::Station>& stations,
                        int station);

}  // namespace vosk::passengers
