#include "dia/stop_plan.h"

namespace vosk::dia {

StopPlan::StopPlan(int target_extent, int point_extent) {
  if (target_extent > 0) {
    modes_.assign(static_cast<std::size_t>(target_extent) + 1, kModeAutomatic);
    times_.assign(modes_.size(), 0);
  }
  if (point_extent > 0) {
    branches_.assign(static_cast<std::size_t>(point_extent) + 1, 0);
    settings_.assign(branches_.size(), 0);
  }
}

void StopPlan::put(std::vector<int>& v, int n, int value) {
  if (n <= 0) return;  // record 0 is never a stopping place or a point
  auto slot = static_cast<std::size_t>(n);
  if (slot >= v.size()) v.resize(slot + 1, 0);
  v[slot] = value;
}

void StopPlan::set_stop(int target, int mode, int time) {
  put(modes_, target, mode);
  put(times_, target, time);
}

void StopPlan::set_point(int point, int branch, int setting) {
  put(branches_, point, branch);
  put(settings_, point, setting);
}

StopPlan load_stop_plan(const Diagram& d, const MapView& map) {
  StopPlan plan(map.targets.extent(), map.points.extent());
  plan.next_working = d.next_working;
  std::size_t count = d.event_count();
  for (std::size_t k = 0; k < count; ++k) {
    const DiaEvent& e = d.events[k];
    bool after_arrival =
        k > 0 && d.events[k - 1].type == kEventArrival && d.events[k - 1].rail == e.rail;
    int target = map.target(e.rail);
    switch (e.type) {
      case kEventStop:
        plan.set_stop(target, after_arrival ? kModeArriveDepart : kModeStop, e.time);
        break;
      case kEventStopNoSearch:
        plan.set_stop(target, after_arrival ? kModeArriveDepartNoSearch : kModeStopNoSearch,
                      e.time);
        break;
      case kEventPass:
        plan.set_stop(target, kModePass, e.time);
        break;
      case kEventArrival:
        // An arrival followed by its departure takes its mode from the
        // departure; only the run's last event is a terminal.
        if (k + 1 == count) plan.set_stop(target, kModeTerminal, e.time);
        break;
      case kEventPointBoth:
      case kEventPoint:
        if (int p = map.point_of(e.rail); p != 0) plan.set_point(p, e.rail, e.time);
        break;
      default:
        break;
    }
  }
  return plan;
}

}  // namespace vosk::dia
