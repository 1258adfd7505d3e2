#include "passengers/passenger_totals.h"

#include <map>
#include <utility>

namespace vosk::passengers {
namespace {

// The integral so far, the last point taken, and whether any count of the
// pair is non-zero.
struct PairSum {
  long long total = 0;
  bool any_count = false;
  long long t0 = 0, c0 = 0;

  void add(const dia::PassengerFlow& e) {
    if (e.count != 0) any_count = true;
    total += (c0 + e.count) * (e.time - t0) / 7200;
    t0 = e.time;
    c0 = e.count;
  }
};

PairSum sum_pair(const dia::PassengerList& list, int from, int to) {
  PairSum sum;
  for (const dia::PassengerFlow& e : list) {
    if (e.from_station == from && e.to_station == to) sum.add(e);
  }
  return sum;
}

long long fallback_total(const PairSum& own, const PairSum* every_other, int share) {
  if (own.any_count) return own.total;
  if (!every_other || !every_other->any_count) return 0;
  return every_other->total * share / 1000;
}

}  // namespace

long long pair_total(const dia::PassengerList& list, int from_station, int to_station) {
  if (from_station == to_station) return 0;
  PairSum sum = sum_pair(list, from_station, to_station);
  return sum.any_count ? sum.total : 0;
}

int destination_share(const RecordTable<map::Station>& stations, int from_station, int to_station) {
  if (!stations.names_record(from_station) || to_station < 0) return 0;
  const std::vector<int>& shares = stations[from_station].destination_share;
  const auto at = static_cast<std::size_t>(to_station);
  return at < shares.size() ? shares[at] : 0;
}

long long pair_total_with_fallback(const dia::PassengerList& list,
                                   const RecordTable<map::Station>& stations, int from_station,
                                   int to_station) {
  if (from_station == to_station) return 0;
  PairSum own = sum_pair(list, from_station, to_station);
  if (to_station == 0) return own.any_count ? own.total : 0;
  PairSum every_other = sum_pair(list, from_station, 0);
  return fallback_total(own, &every_other, destination_share(stations, from_station, to_station));
}

long long station_total(const dia::PassengerList& list, const RecordTable<map::Station>& stations,
                        int station) {
  // One pass over the list: the pairs at the station and every (from, 0).
  std::map<std::pair<int, int>, PairSum> sums;
  for (const dia::PassengerFlow& e : list) {
    if (e.from_station == station || e.to_station == station || e.to_station == 0)
      sums[{e.from_station, e.to_station}].add(e);
  }
  const PairSum none;
  auto find = [&](int from, int to) -> const PairSum* {
    auto it = sums.find({from, to});
    return it == sums.end() ? nullptr : &it->second;
  };
  long long total = 0;
  for (int other = 1; other <= stations.extent(); ++other) {
    if (other == station) continue;
    const PairSum* out = find(station, other);
    total += fallback_total(out ? *out : none, find(station, 0),
                            destination_share(stations, station, other));
    const PairSum* in = find(other, station);
    total += fallback_total(in ? *in : none, find(other, 0),
                            destination_share(stations, other, station));
  }
  return total;
}

}  // namespace vosk::passengers
