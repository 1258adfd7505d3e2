#include "dia/next_working_candidates.h"

#include <algorithm>

#include "base/time_text.h"
#include "dia/route_edits.h"
#include "dia/working_chains.h"

namespace vosk::dia {
namespace {

bool contains(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

// As the link of a next working is made: at the same stopping place, on the
// same track or with the start moved onto n's last rail.
bool can_follow(const RouteContext& route, const Diagram& c, int end) {
  const int start = c.events.front().rail;
  if (route.map.target(end) != route.map.target(start)) return false;
  return route.map.track(end) == route.map.track(start) ||
         moved_start(route, c, end).has_value();
}

}  // namespace

bool couples_where_ends(const MapView& map, int end, int start) {
  return map.target(end) == map.target(start) && map.track(end) == map.track(start);
}

bool leads_back(const DiaTables& dia, int c, const std::vector<int>& train) {
  for (int r : coupling_chain(dia, c)) {
    for (int f : working_chain(dia, r)) {
      if (contains(train, f)) return true;
    }
  }
  return false;
}

std::vector<int> next_working_candidates(const DiaTables& dia, const RouteContext& route, int n,
                                         NextDirection direction, NextUse use) {
  std::vector<int> out;
  if (!run_in_use(dia, n) || dia.diagrams[n].event_count() == 0) return out;
  const Diagram& d = dia.diagrams[n];
  const DiaEvent& end = d.events[d.event_count() - 1];
  const std::vector<int> train = coupling_chain(dia, n);
  std::vector<int> present;
  for (int r : train) present.push_back(dia.diagrams[r].next_working);

  for (int c = 1; c <= dia.diagrams.extent(); ++c) {
    if (!run_in_use(dia, c) || contains(train, c) || contains(present, c)) continue;
    const Diagram& cd = dia.diagrams[c];
    if (cd.pattern_template != 0 || cd.event_count() == 0) continue;
    const bool same = cd.direction == d.direction;
    if ((direction == NextDirection::Same && !same) ||
        (direction == NextDirection::Opposite && same))
      continue;
    if (coupling_chain(dia, c).back() != c) continue;
    const DiaEvent& start = cd.events.front();
    if (start.time != 0 && end.time != 0 &&
        timetext::order_key(start.time) < timetext::order_key(end.time))
      continue;
    if (leads_back(dia, c, train)) continue;
    // The route search last, for the few runs left.
    if (use == NextUse::Couple ? !couples_where_ends(route.map, end.rail, start.rail)
                               : !can_follow(route, cd, end.rail))
      continue;
    out.push_back(c);
  }
  std::stable_sort(out.begin(), out.end(), [&](int a, int b) {
    return timetext::order_key(dia.diagrams[a].events.front().time) <
           timetext::order_key(dia.diagrams[b].events.front().time);
  });
  return out;
}

}  // namespace vosk::dia
