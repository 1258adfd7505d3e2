#include "diaedit/track_change.h"

#include <optional>

#include "dia/point_switch.h"

namespace vosk::diaedit {
namespace {

int target_of(const datafiles::DataSet& data, int rail) {
  const auto& rails = data.map.rails;
  return rail > 0 && rail <= rails.extent() ? rails[rail].target : 0;
}

bool halts(int type) {
  return type == dia::kEventStop || type == dia::kEventArrival || type == dia::kEventStopNoSearch;
}

bool is_point(int type) { return type == dia::kEventPointBoth || type == dia::kEventPoint; }

// The rail of the run's first stop or arrival at `target`.
std::optional<int> halt_rail(const datafiles::DataSet& data, const dia::Diagram& d, int target) {
  for (const dia::DiaEvent& e : d.events)
    if (halts(e.type) && target_of(data, e.rail) == target) return e.rail;
  return std::nullopt;
}

}  // namespace

dia::EditResult change_stop_track(EditTools& tools, int n, std::size_t i) {
  const auto& diagrams = tools.dia().diagrams;
  if (n <= 0 || n > diagrams.extent()) return dia::EditResult::declined();
  const dia::Diagram& d = diagrams[n];
  if (i >= d.event_count() || !halts(d.events[i].type)) return dia::EditResult::declined();
  const int old_rail = d.events[i].rail;
  const int target = target_of(tools.data(), old_rail);
  if (target <= 0) return dia::EditResult::declined();
  std::optional<std::size_t> point;
  for (std::size_t j = i; j-- > 0;) {
    const dia::DiaEvent& e = d.events[j];
    if (is_point(e.type)) {
      point = j;
      break;
    }
    if (e.type != dia::kEventEnd && target_of(tools.data(), e.rail) != target) break;
  }
  if (!point) return dia::EditResult::declined();
  // The events before the point stay as they are, so the point keeps its
  // place while its branches are tried in turn. A point has few branches.
  for (int attempt = 0; attempt < 16; ++attempt) {
    const dia::EditResult switched = dia::switch_point(tools.route(), tools.dia(), n, *point);
    if (!switched.ok()) return switched;
    const std::optional<int> rail = halt_rail(tools.data(), tools.dia().diagrams[n], target);
    if (rail && *rail == old_rail) break;  // round to the same track
    if (rail) return dia::EditResult::done(n);
  }
  return dia::EditResult::declined();
}

}  // namespace vosk::diaedit
