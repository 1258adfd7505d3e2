#pragma once
// The sample day before anything is written: each service's regular-interval
// trips, timed so that trains of different services keep off the platforms
// they share; the sets stabled along the line at night; the terminal
// platforms shared out; and, on a line asked for more runs than it can
// carry as whole journeys, each trip cut into sections at its stops.
#include <array>
#include <cstddef>
#include <map>
#include <vector>

#include "datafiles/data_set.h"
#include "samples/map.h"
#include "samples/route.h"
#include "samples/stabling.h"
#include "samples/timetable.h"

namespace vosk::samples {

class DayPlanner {
 public:
  DayPlanner(const SampleLine& line, const DataSet& data, RoutePlanner& planner,
             const dia::StopTimeDefaults& defaults);

  // Plans trips for at least `runs` runs. With `whole_journeys` every trip
  // is one run and the intervals shrink as far as needed.
  void plan(int runs, bool whole_journeys = false);

  const std::vector<Trip>& trips() const { return trips_; }
  std::vector<Trip>& trips() { return trips_; }
  // The route events at which trip i's runs end, in order; the last is its
  // final arrival.
  const std::vector<std::size_t>& section_ends(std::size_t i) const { return ends_[i]; }

 private:
  struct Stay {
    int track;
    int start;
    int end;
  };
  class PlatformLog;

  ServiceShape shape_of(Service service, int first, int last, int shortest) const;
  int turnback_time(Service service, Terminal terminal) const;
  int track_of(int rail) const { return data_.map.rails[rail].l_pack; }
  bool is_terminal_track(int track) const;
  const RouteTemplate& whole_route(const Trip& trip) const;
  std::vector<Trip> plan_trips(int journeys, const std::vector<ServiceShape>& shapes) const;
  std::vector<Trip> best_timing(ServiceShape shape, int interval, const PlatformLog& log) const;
  void stays_of(const std::vector<Trip>& trips, std::vector<Stay>& out) const;
  std::vector<std::vector<TripStop>> stops_between_terminals() const;
  int runs_when_split(int sections) const;
  void share_out_terminals();
  std::vector<std::size_t> ends_of_sections(const Trip& trip) const;

  const DataSet& data_;
  RoutePlanner& planner_;
  dia::StopTimeDefaults defaults_;
  std::array<std::vector<int>, kTerminalCount> platforms_;
  std::vector<int> terminal_tracks_;
  std::vector<Trip> trips_;
  std::vector<std::vector<TripStop>> stops_;  // of each trip between its terminals
  std::vector<std::vector<std::size_t>> ends_;
  // Best timings found, by the intervals of the services planned up to
  // and including the one timed.
  mutable std::map<std::vector<int>, std::vector<Trip>> timings_;
  int sections_ = 1;  // a trip is written as up to this many runs
};

}  // namespace vosk::samples
