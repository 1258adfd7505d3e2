#pragma once
// Routes of the sample runs: the rails a run follows from its first platform
// to its last, turned into dia events the way the route builder would emit
// them (stops and passes at station rails, point entries with the setting
// that makes the route), timed from the rail lengths and the stock's
// performance, and the standard running times that go with them.
#include <map>
#include <tuple>
#include <vector>

#include "datafiles/data_set.h"
#include "samples/map.h"
#include "dia/dia_event.h"
#include "dia/stop_time.h"

namespace vosk::samples {

enum class Service {
  Local,    // main line, every station, passing loops taken
  Rapid,    // main line, stops at terminals, the junction and loop stations
  Shuttle,  // branch only, from the junction's bay
  Through,  // from the west terminal onto the branch, every station
};

struct ServiceInfo {
  int train_type = 0;
  int speed_type = 0;
  int series = 0;
};
ServiceInfo service_info(Service service);

// A run's route, times given as seconds after its departure; point entries
// hold the point setting instead.
struct RouteTemplate {
  std::vector<dia::DiaEvent> events;  // the end entry included
  std::vector<int> arrivals;          // per event: the arrival at a stop, else its time
  int duration = 0;                   // the final arrival
};

// Metres of each station (by number) along its own line: from the west
// terminal on the main line, from the junction's bay on the branch.
std::vector<int> station_distances(const SampleLine& line, const MapTables& map);

class RoutePlanner {
 public:
  // The map, the series and the stop times must be complete; the running
  // times of every route planned are added to `speed_types`.
  RoutePlanner(const SampleLine& line, const MapTables& map, const stock::SeriesTable& series,
               const dia::StopTimeList& stop_times, const dia::StopTimeDefaults& defaults,
               dia::SpeedTypeTable& speed_types);

  // The route of a run of `service`, rightward (`down`) or leftward, from
  // platform segment `from` to platform segment `to` at the terminals.
  const RouteTemplate& route(Service service, bool down, int from, int to);

  // The events `first` to `last` of that route as a run of their own: it
  // leaves from the stop at `first` and ends with an arrival at `last`, the
  // standard running time to that arrival added. Times stay counted from
  // the whole route's departure.
  const RouteTemplate& section(Service service, bool down, int from, int to, std::size_t first,
                               std::size_t last);

  // The standard stop time of a run of `service` at `rail`.
  int stop_time(int rail, Service service) const;

 private:
  RouteTemplate plan(Service service, bool down, int from, int to);
  RouteTemplate cut(Service service, const RouteTemplate& whole, std::size_t first,
                    std::size_t last);

  const SampleLine& line_;
  const MapTables& map_;
  const stock::SeriesTable& series_;
  const dia::StopTimeList& stop_times_;
  dia::StopTimeDefaults defaults_;
  dia::SpeedTypeTable& speed_types_;
  std::map<std::tuple<int, bool, int, int>, RouteTemplate> cache_;
  std::map<std::tuple<int, bool, int, int, std::size_t, std::size_t>, RouteTemplate> sections_;
};

}  // namespace vosk::samples
