#pragma once
// What route building needs to know about the map beyond single rails,
// worked out once after the map is loaded so that building a route never
// scans all rails: which rails can follow a rail (the branches behind a
// point), and which rails each point's route table lists in both
// directions. Point positions change rails' links while the editor runs;
// the index holds every rail that can follow in any position, and callers
// test the current links against it.
#include <cstddef>
#include <span>
#include <vector>

#include "dia/map_view.h"

namespace vosk::dia {

class RailIndex {
 public:
  // Build after the map is loaded (and checked). Rebuild only when rails,
  // PRails or points are loaded again; changing a point's position does not
  // need it.
  explicit RailIndex(const MapView& map);

  // Rails whose preceding rail is or can become `rail` in some point
  // position, ascending. Empty for a number that names no rail.
  std::span<const int> possible_followers(int rail) const;

  // True when the route table of point p holds both `rail` and -`rail`: the
  // rail approaches the point from the side where the route can branch.
  bool lists_both_ways(int point, int rail) const;

  // The room the original event lists had: points + 2 × targets + 1. Route
  // building stops a walk that would emit more (a loop line).
  int event_room() const { return event_room_; }
  // The number of rails a walk may step over before it counts as a loop.
  int step_limit() const { return step_limit_; }

 private:
  std::vector<std::size_t> follower_start_;  // per rail, into followers_
  std::vector<int> followers_;
  std::vector<std::vector<int>> route_values_;  // per point, sorted signed links
  int event_room_ = 0;
  int step_limit_ = 0;
};

// The rails whose preceding rail is `rail` in the current point positions
// (|l_back| names it), ascending.
std::vector<int> current_followers(const MapView& map, const RailIndex& index, int rail);

}  // namespace vosk::dia
