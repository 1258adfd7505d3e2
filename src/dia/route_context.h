#pragma once
// What the route operations read and whom they tell: the map, its rail
// index, the standard times of the dia, and the follow-up steps that other
// parts of the dia model own (relinking workings, automatic timing, checks).
#include <cstddef>

#include "dia/dia_tables.h"
#include "dia/map_view.h"
#include "dia/rail_index.h"
#include "dia/timing_lookup.h"

namespace vosk::dia {

// Steps that follow a successful route change. Each does nothing unless
// overridden; see StandardRouteFollowUp (route_edits.h) for the one the
// editor uses.
class RouteFollowUp {
 public:
  virtual ~RouteFollowUp() = default;
  // Run n got a new route: link its next working (the stop plan's
  // `next_working`, 0 = none) and its coupled runs to the new end again.
  virtual void relink(DiaTables& dia, int n, int next_working);
  // Automatic timing of run n from event `first` on, where it is switched on.
  virtual void retime(DiaTables& dia, int n, std::size_t first);
  // The checks that follow a new or extended route (effective lengths).
  virtual void check(DiaTables& dia, int n);
};

struct RouteContext {
  const MapView& map;
  const RailIndex& index;
  const TimingLookup& timing;
  RouteFollowUp* follow_up = nullptr;  // nullptr: no follow-up steps
};

}  // namespace vosk::dia
