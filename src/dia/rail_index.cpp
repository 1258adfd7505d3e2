#include "dia/rail_index.h"

#include <algorithm>
#include <climits>

namespace vosk::dia {
namespace {

int magnitude(int link) { return link < 0 ? (link == INT_MIN ? 0 : -link) : link; }

struct Pair {
  int before;
  int after;
};

// Every (preceding rail, rail) pair the links can hold: each rail's current
// l_back, the l_back values a point gives its own rails, and the rails a
// point rail's positive l_next makes point back at it.
std::vector<Pair> possible_links(const MapView& map) {
  std::vector<Pair> pairs;
  for (int r = 1; r <= map.rails.extent(); ++r) {
    int back = magnitude(map.rails[r].l_back);
    if (map.rails.names_record(back)) pairs.push_back({back, r});
  }
  for (int p = 1; p <= map.points.extent(); ++p) {
    const map::Point& point = map.points[p];
    int rail_count = std::clamp(point.rail_count, 0, map::kPointMaxRails);
    int position_count = std::clamp(point.position_count, 0, map::kPointMaxPositions);
    for (int i = 0; i < rail_count; ++i) {
      int r = point.rails[i];
      if (!map.rails.names_record(r)) continue;
      for (int s = 0; s < position_count; ++s) {
        int back = magnitude(point.back[i][s]);
        if (map.rails.names_record(back)) pairs.push_back({back, r});
        int next = point.next[i][s];
        if (next > 0 && map.rails.names_record(next)) pairs.push_back({r, next});
      }
    }
  }
  return pairs;
}

std::vector<int> route_values(const map::Point& point) {
  std::vector<int> values;
  int rail_count = std::clamp(point.rail_count, 0, map::kPointMaxRails);
  int position_count = std::clamp(point.position_count, 0, map::kPointMaxPositions);
  for (int i = 0; i < rail_count; ++i) {
    for (int s = 0; s < position_count; ++s) {
      values.push_back(point.next[i][s]);
      values.push_back(point.back[i][s]);
    }
  }
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  return values;
}

}  // namespace

RailIndex::RailIndex(const MapView& map) {
  std::vector<Pair> pairs = possible_links(map);
  std::sort(pairs.begin(), pairs.end(), [](const Pair& x, const Pair& y) {
    return x.before != y.before ? x.before < y.before : x.after < y.after;
  });
  pairs.erase(std::unique(pairs.begin(), pairs.end(),
                          [](const Pair& x, const Pair& y) {
                            return x.before == y.before && x.after == y.after;
                          }),
              pairs.end());
  auto rails = static_cast<std::size_t>(map.rails.extent());
  follower_start_.assign(rails + 2, 0);
  for (const Pair& pair : pairs) ++follower_start_[static_cast<std::size_t>(pair.before) + 1];
  for (std::size_t r = 1; r < follower_start_.size(); ++r) {
    follower_start_[r] += follower_start_[r - 1];
  }
  followers_.reserve(pairs.size());
  for (const Pair& pair : pairs) followers_.push_back(pair.after);

  route_values_.resize(static_cast<std::size_t>(map.points.extent()) + 1);
  for (int p = 1; p <= map.points.extent(); ++p) {
    route_values_[static_cast<std::size_t>(p)] = route_values(map.points[p]);
  }

  long long room = map.points.extent() + 2LL * map.targets.extent() + 1;
  event_room_ = static_cast<int>(std::min<long long>(room, INT_MAX));
  step_limit_ = map.rails.extent() + 1;
}

std::span<const int> RailIndex::possible_followers(int rail) const {
  if (rail < 1 || static_cast<std::size_t>(rail) + 1 >= follower_start_.size()) return {};
  auto r = static_cast<std::size_t>(rail);
  return std::span<const int>(followers_)
      .subspan(follower_start_[r], follower_start_[r + 1] - follower_start_[r]);
}

bool RailIndex::lists_both_ways(int point, int rail) const {
  if (point < 1 || static_cast<std::size_t>(point) >= route_values_.size() || rail <= 0) {
    return false;
  }
  const std::vector<int>& values = route_values_[static_cast<std::size_t>(point)];
  return std::binary_search(values.begin(), values.end(), rail) &&
         std::binary_search(values.begin(), values.end(), -rail);
}

std::vector<int> current_followers(const MapView& map, const RailIndex& index, int rail) {
  std::vector<int> rails;
  for (int r : index.possible_followers(rail)) {
    if (map.back_rail(r) == rail) rails.push_back(r);
  }
  return rails;
}

}  // namespace vosk::dia
