#include "samples/stabling.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace vosk::samples {

void stable_along_the_line(std::vector<Trip>& trips,
                           const std::vector<std::vector<TripStop>>& stops) {
  struct Stay {
    int trip;
    int position;  // in the trip's stops
    int departure;
  };
  std::unordered_map<int, std::vector<Stay>> by_track;
  for (std::size_t i = 0; i < trips.size(); ++i) {
    for (std::size_t p = 0; p < stops[i].size(); ++p) {
      const TripStop& s = stops[i][p];
      by_track[s.track].push_back({static_cast<int>(i), static_cast<int>(p), s.departure});
    }
  }
  std::vector<int> cut(trips.size(), -1);  // the position a trip now ends at
  std::unordered_set<int> taken;
  auto free_for = [&](int f, const TripStop& stop) {
    if (taken.count(stop.track) != 0) return false;
    for (const Stay& s : by_track[stop.track]) {
      if (s.trip == f) continue;
      const int c = cut[static_cast<std::size_t>(s.trip)];
      if (c >= 0 && s.position > c) continue;  // that trip no longer runs this far
      if (s.departure >= stop.arrival) return false;
    }
    return true;
  };

  std::map<std::pair<int, bool>, std::vector<int>> last_trips;  // by service and direction
  for (std::size_t i = 0; i < trips.size(); ++i) {
    const Trip& t = trips[i];
    if (t.next < 0 && !stops[i].empty()) {
      last_trips[{static_cast<int>(t.service), t.down}].push_back(static_cast<int>(i));
    }
  }
  // Spread over the line first: the latest near the origin, the earliest
  // far. Where other services keep using the far platforms, the group is
  // packed near the origin instead, each trip one stop before the next
  // earlier one.
  auto stable_group = [&](const std::vector<int>& group, bool spread) {
    const int count = static_cast<int>(group.size());
    bool all = true;
    for (int i = 0; i < count; ++i) {
      const int f = group[static_cast<std::size_t>(i)];
      const std::vector<TripStop>& along = stops[static_cast<std::size_t>(f)];
      const int m = static_cast<int>(along.size());
      const int target = std::min(m - 1, spread ? (i + 1) * m / (count + 1) : i);
      int chosen = -1;
      for (int p = target; p < m && chosen < 0; ++p) {
        if (free_for(f, along[static_cast<std::size_t>(p)])) chosen = p;
      }
      for (int p = target - 1; p >= 0 && chosen < 0; --p) {
        if (free_for(f, along[static_cast<std::size_t>(p)])) chosen = p;
      }
      if (chosen < 0) {
        all = false;
        continue;
      }
      cut[static_cast<std::size_t>(f)] = chosen;
      taken.insert(along[static_cast<std::size_t>(chosen)].track);
    }
    return all;
  };
  auto undo = [&](const std::vector<int>& group) {
    for (int f : group) {
      int& c = cut[static_cast<std::size_t>(f)];
      if (c >= 0) taken.erase(stops[static_cast<std::size_t>(f)][static_cast<std::size_t>(c)].track);
      c = -1;
    }
  };
  for (auto& [key, group] : last_trips) {
    std::sort(group.begin(), group.end(), [&](int a, int b) {
      return trips[static_cast<std::size_t>(a)].depart > trips[static_cast<std::size_t>(b)].depart;
    });
    if (!stable_group(group, true)) {
      undo(group);
      stable_group(group, false);
    }
    for (int f : group) {
      const int c = cut[static_cast<std::size_t>(f)];
      if (c < 0) continue;
      const TripStop& at = stops[static_cast<std::size_t>(f)][static_cast<std::size_t>(c)];
      Trip& trip = trips[static_cast<std::size_t>(f)];
      trip.last_stop = at.event;
      trip.arrive = at.arrival;
    }
  }
}

}  // namespace vosk::samples
