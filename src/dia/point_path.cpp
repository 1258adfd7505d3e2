#include "dia/point_path.h"

namespace vosk::dia {
namespace {

class PathSearch {
 public:
  PathSearch(const MapView& map, const RailIndex& index, int goal)
      : map_(map),
        index_(index),
        goal_(goal),
        seen_(static_cast<std::size_t>(map.rails.extent()) + 1, false) {}

  // Searches on from rail s (already on the path). A rail met a second time
  // is a loop, or was searched on from before without success: either way
  // it cannot lead to the goal now.
  bool search(int s) {
    for (int d = map_.next_rail(s); d != 0; s = d, d = map_.next_rail(d)) {
      if (d == goal_) return finish();
      int p = map_.point_of(d);
      if (p != 0 && index_.lists_both_ways(p, s)) {
        for (int j : current_followers(map_, index_, s)) {
          path_.push_back({j, 0, kEventPointBoth});
          if (j == goal_) return finish();
          if (visit(j) && map_.stopping_target(j) == 0 && search(j)) return true;
          path_.pop_back();
        }
        return false;
      }
      if (!visit(d)) return false;
      if (map_.stopping_target(d) != 0) return false;  // a path may not pass a station
      if (p != 0) path_.push_back({d, 0, kEventPoint});
    }
    return false;
  }

  std::vector<DiaEvent> take() { return std::move(path_); }

 private:
  bool finish() {
    path_.push_back({goal_, 0, kEventEnd});
    return true;
  }
  // Marks rail r; false when it was marked already.
  bool visit(int r) {
    auto slot = static_cast<std::size_t>(r);
    if (slot >= seen_.size() || seen_[slot]) return false;
    seen_[slot] = true;
    return true;
  }

  const MapView& map_;
  const RailIndex& index_;
  int goal_;
  std::vector<bool> seen_;
  std::vector<DiaEvent> path_;
};

}  // namespace

std::optional<std::vector<DiaEvent>> find_point_path(const MapView& map, const RailIndex& index,
                                                     int from, int goal) {
  if (map.rail(from) == nullptr || map.rail(goal) == nullptr) return std::nullopt;
  PathSearch search(map, index, goal);
  if (!search.search(from)) return std::nullopt;
  return search.take();
}

}  // namespace vosk::dia
