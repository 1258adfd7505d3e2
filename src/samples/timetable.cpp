#include "samples/timetable.h"

#include <algorithm>
#include <climits>
#include <tuple>

namespace vosk::samples {
namespace {

constexpr int kTimeStep = 15;

int round_up(int value, int step) { return (value + step - 1) / step * step; }

std::pair<Terminal, Terminal> ends_of(Service s, bool down) {
  Terminal west = s == Service::Shuttle ? kBay : kWest;
  Terminal east = s == Service::Local || s == Service::Rapid ? kEast : kBranchEnd;
  return down ? std::make_pair(west, east) : std::make_pair(east, west);
}

// A set's round trip: out, layover, back, layover, a whole number of
// intervals long, so that every set keeps to the same times.
struct Circulation {
  int interval = 0;
  int west_layover = 0;
  int east_layover = 0;
  int sets = 0;
};

Circulation circulate(const ServiceShape& s, int interval) {
  const int base = s.down_duration + s.up_duration + s.west_turnback + s.east_turnback;
  const int cycle = round_up(std::max(base, 1), interval);
  const int slack = cycle - base;
  // Half the slack to each end, but a layover as long as the interval
  // would put two sets of the service on the terminal at once.
  int west = s.west_spare >= 0 ? s.west_spare : slack / 2 / kTimeStep * kTimeStep;
  west = std::min(west, interval - kTimeStep - s.west_turnback);
  west = std::max(west, slack - (interval - kTimeStep - s.east_turnback));
  west = std::clamp(west, 0, slack);
  return {interval, s.west_turnback + west, s.east_turnback + slack - west, cycle / interval};
}

int last_down_departure(const ServiceShape& s) {
  return std::min(s.last, kLastArrival - s.down_duration);
}

}  // namespace

int most_trips_per_direction(const ServiceShape& shape) {
  const int span = last_down_departure(shape) - shape.first;
  return span < 0 ? 0 : span / std::max(shape.shortest_interval, kTimeStep) + 1;
}

int interval_for(const ServiceShape& shape, int per_direction) {
  const int span = std::max(0, last_down_departure(shape) - shape.first);
  int wanted = per_direction > 1 ? span / (per_direction - 1) : span + 60;
  // Whole minutes, unless only a crowded line runs trains that often.
  wanted = wanted >= 60 ? wanted / 60 * 60 : wanted / kTimeStep * kTimeStep;
  return std::max({wanted, shape.shortest_interval, kTimeStep});
}

std::vector<Trip> plan_service(const ServiceShape& shape, int interval, int shift) {
  const int first = shape.first + shift;
  const int span = last_down_departure(shape) - first;
  const Circulation c = circulate(shape, interval);
  if (span < 0) return {};

  std::vector<Trip> trips;
  auto add = [&](bool down, int depart) {
    Trip t;
    t.service = shape.service;
    t.down = down;
    t.depart = depart;
    t.arrive = depart + (down ? shape.down_duration : shape.up_duration);
    std::tie(t.origin, t.destination) = ends_of(shape.service, down);
    trips.push_back(t);
    return static_cast<int>(trips.size()) - 1;
  };
  // Down trip k leaves at first + k × interval; up trip k is the set of
  // down trip k coming back, and the set of up trip k runs down trip
  // k + sets. Up trips before the first down one start the day at the
  // east end.
  const int count = span / c.interval + 1;
  const int up_offset = shape.down_duration + c.east_layover;
  const int up_first_k = -(up_offset / c.interval);
  std::vector<int> down_index(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) {
    down_index[static_cast<std::size_t>(k)] = add(true, first + k * c.interval);
  }
  std::vector<std::pair<int, int>> ups;  // (k, index)
  for (int k = up_first_k; k < count; ++k) {
    const int depart = first + k * c.interval + up_offset;
    if (depart < first || depart > shape.last) continue;
    if (depart + shape.up_duration > kLastArrival) break;
    ups.emplace_back(k, add(false, depart));
  }
  for (auto [k, up] : ups) {
    if (k >= 0) {
      const int down = down_index[static_cast<std::size_t>(k)];
      trips[static_cast<std::size_t>(down)].next = up;
      trips[static_cast<std::size_t>(up)].continues = true;
    }
    const int k_next = k + c.sets;
    if (k_next >= 0 && k_next < count) {
      const int down = down_index[static_cast<std::size_t>(k_next)];
      trips[static_cast<std::size_t>(up)].next = down;
      trips[static_cast<std::size_t>(down)].continues = true;
    }
  }
  int ordinal[2] = {0, 0};
  for (Trip& t : trips) t.ordinal = ordinal[t.down]++;
  return trips;
}

int share_out_platforms(std::vector<TerminalStay> stays, const std::vector<int>& platforms,
                        std::vector<Trip>& trips) {
  std::sort(stays.begin(), stays.end(), [](const TerminalStay& a, const TerminalStay& b) {
    return std::tie(a.start, a.end) < std::tie(b.start, b.end);
  });
  std::vector<int> free_after(platforms.size(), INT_MIN);
  // Free platforms are taken in turn, so that the sets spread over them.
  std::size_t turn = 0;
  int shared = 0;
  for (const TerminalStay& stay : stays) {
    std::size_t chosen = platforms.size();
    for (std::size_t k = 0; k < platforms.size() && chosen == platforms.size(); ++k) {
      std::size_t p = (turn + k) % platforms.size();
      if (free_after[p] < stay.start) chosen = p;
    }
    if (chosen == platforms.size()) {
      // All taken: the one that frees first is shared.
      chosen = static_cast<std::size_t>(std::min_element(free_after.begin(), free_after.end()) -
                                        free_after.begin());
      ++shared;
    }
    turn = chosen + 1;
    free_after[chosen] = std::max(free_after[chosen], stay.end);
    if (stay.departing >= 0) trips[static_cast<std::size_t>(stay.departing)].from = platforms[chosen];
    if (stay.arriving >= 0) trips[static_cast<std::size_t>(stay.arriving)].to = platforms[chosen];
  }
  return shared;
}

}  // namespace vosk::samples
