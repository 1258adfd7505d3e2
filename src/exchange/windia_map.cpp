#include "exchange/windia_map.h"

#include <algorithm>
#include <climits>
#include <map>
#include <tuple>

#include "base/sjis.h"
#include "dia/running_time.h"
#include "dia/speed_type.h"

namespace vosk::exchange {
namespace {

constexpr int kStationSpacing = 2000;
constexpr int kRailLength = 100;
constexpr int kSpeedType = 1;

void reset_map(datafiles::MapTables& map) {
  map = datafiles::MapTables{};
  map.rails.allocate(map::kDefaultRailCapacity);
  map.prails.allocate(map::kDefaultPRailCapacity);
  map.points.allocate(map::kDefaultPointCapacity);
  map.targets.allocate(map::kDefaultTargetCapacity);
  map.stations.allocate(map::kDefaultStationCapacity);
  map.station_draws.allocate(map::kDefaultStationDrawCapacity);
  map.rows.allocate(map::kDefaultRowCapacity);
  map.jumps.allocate(map::kDefaultJumpCapacity);
}

// (from rail, to rail, kind as filed) -> shortest gap seen.
using GapTable = std::map<std::tuple<int, int, int>, int>;

GapTable shortest_gaps(const dia::DiagramTable& diagrams) {
  GapTable gaps;
  for (const dia::Diagram& d : diagrams) {
    if (!d.in_use()) continue;
    const std::size_t count = d.event_count();
    for (std::size_t k = 0; k < count; ++k) {
      const dia::DiaEvent& from = d.events[k];
      if (from.type != dia::kEventStop) continue;
      // The next timed event: an untimed pass holds 0 there.
      std::size_t j = k + 1;
      while (j < count && d.events[j].type == dia::kEventPass && d.events[j].time == 0) ++j;
      if (j == count) continue;
      const dia::DiaEvent& to = d.events[j];
      const int gap = to.time - from.time;
      if (gap <= 0 || to.rail == from.rail) continue;
      const auto key = std::make_tuple(from.rail, to.rail, dia::running_time_kind(to.type));
      auto [it, added] = gaps.emplace(key, gap);
      if (!added) it->second = std::min(it->second, gap);
    }
  }
  return gaps;
}

// Moves the places beyond each one so that the next place its trains reach
// lies as far as their quickest run takes at 60 km/h.
void space_targets(const GapTable& gaps, RecordTable<map::Target>& targets) {
  const int count = targets.extent();
  for (int t = 1; t <= count; ++t) {
    const int from_rail = windia_rail(t, 2);
    const int here = targets[t].distances[0];
    int best = 0, best_target = 0;
    for (auto it = gaps.lower_bound({from_rail, 0, 0});
         it != gaps.end() && std::get<0>(it->first) == from_rail; ++it) {
      const int to_rail = std::get<1>(it->first);
      if (to_rail % 2 != 0) continue;
      const int f = to_rail / 2;
      if (f > count || targets[f].distances[0] <= here) continue;
      if (best_target == 0 || it->second < best) {
        best = it->second;
        best_target = f;
      }
    }
    if (best_target == 0) continue;
    long long shift =
        static_cast<long long>(best) * 1000 / 60 + here - targets[best_target].distances[0];
    // A place between T and F that every train passes without a time
    // would land at or before T: keep the order of the places.
    int nearest = INT_MAX;
    for (int n = 1; n <= count; ++n) {
      if (targets[n].distances[0] > here) nearest = std::min(nearest, targets[n].distances[0]);
    }
    shift = std::max<long long>(shift, static_cast<long long>(here) + 1 - nearest);
    for (int n = 1; n <= count; ++n) {
      if (targets[n].distances[0] <= here) continue;
      for (int& d : targets[n].distances)
        d = static_cast<int>(std::clamp<long long>(d + shift, 0, 2'000'000'000));
    }
  }
}

}  // namespace

void build_windia_map(const std::vector<WindiaStation>& stations, datafiles::MapTables& map) {
  reset_map(map);
  const int count = static_cast<int>(stations.size());
  for (int k = 1; k <= count; ++k) {
    const WindiaStation& in = stations[static_cast<std::size_t>(k - 1)];
    const std::string short_name(sjis::cut(in.name, 20));
    const std::string name(sjis::cut(in.name, 255));
    map::Station& s = map.stations.grow_to(k);
    s.scale = in.scale;
    s.short_name = short_name;
    s.name = name;
    map::Target& t = map.targets.grow_to(k);
    t.station = k;
    t.scale = in.scale;
    t.time_display = in.time_display;
    t.distances.fill(kStationSpacing * k);
    t.short_name = short_name;
    t.name = name;
    for (int direction : {1, 2}) {
      map::Rail& r = map.rails.grow_to(windia_rail(k, direction));
      r.direction = direction;
      r.station = k;
      r.target = k;
      r.length = kRailLength;
      // The rails lead nowhere: they end at a signal, as the open checks
      // want of a rail without a next one.
      r.signal = 1;
      r.short_name = short_name;
      r.name = name;
    }
  }
}

void time_windia_map(datafiles::DataSet& ds) {
  const GapTable gaps = shortest_gaps(ds.dia.diagrams);
  auto& speed_types = ds.classification.speed_types;
  if (speed_types.names_record(kSpeedType)) {
    // A fresh dia has no running times: every shortest gap is new.
    dia::RunningTimeList& list = speed_types[kSpeedType].running_times;
    for (const auto& [key, seconds] : gaps) {
      const auto [from, to, kind] = key;
      list.push_back({from, to, seconds, kind});
    }
  }
  space_targets(gaps, ds.map.targets);
}

}  // namespace vosk::exchange
