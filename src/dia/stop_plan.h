#pragma once
// The stop plan: how one run behaves at each stopping place and which branch
// it takes at each point. It is the input of the route builder, held while
// one diagram is built or edited and loaded again from the diagram before
// each edit.
#include <vector>

#include "dia/diagram.h"
#include "dia/map_view.h"

namespace vosk::dia {

// How a run behaves at a stopping place.
enum StopMode : int {
  kModeAutomatic = 0,              // stop when the standard stop time is above 0, else pass
  kModeStop = 1,                   // stop (type 1)
  kModePass = 3,                   // pass (type 3)
  kModeStopNoSearch = 7,           // stop without passenger use (type 7)
  kModeArriveDepart = 10,          // arrival then departure (types 2, 1)
  kModeArriveDepartNoSearch = 11,  // arrival then departure without passenger use (2, 7)
  kModeTerminal = 12,              // arrival (type 2); the route ends here
};

class StopPlan {
 public:
  // An empty plan: automatic everywhere, no branch chosen. Numbers outside
  // the tables read as automatic; setting one makes room for it.
  StopPlan() = default;
  StopPlan(int target_extent, int point_extent);

  int mode(int target) const { return get(modes_, target); }
  // Departure for stops, passing time for passes, arrival for a terminal.
  int time(int target) const { return get(times_, target); }
  void set_stop(int target, int mode, int time);

  int branch(int point) const { return get(branches_, point); }
  // The value a point event carries in its time field.
  int point_setting(int point) const { return get(settings_, point); }
  void set_point(int point, int branch, int setting);

  // Diagram of the next working, for relinking after a route change.
  int next_working = 0;

 private:
  static int get(const std::vector<int>& v, int n) {
    return n >= 0 && static_cast<std::size_t>(n) < v.size() ? v[static_cast<std::size_t>(n)] : 0;
  }
  static void put(std::vector<int>& v, int n, int value);

  std::vector<int> modes_;
  std::vector<int> times_;
  std::vector<int> branches_;
  std::vector<int> settings_;
};

// The plan that rebuilds run `d` as it stands: mode 1 for each stop (10 when
// it directly follows an arrival on its rail), 3 for each pass, 7 for each
// stop without passenger use (11 after an arrival), 12 for the final
// arrival, each target's time from its event; for each point event its rail
// as the chosen branch and its time as the point setting. A diagram without
// events gives an automatic plan.
StopPlan load_stop_plan(const Diagram& d, const MapView& map);

}  // namespace vosk::dia
