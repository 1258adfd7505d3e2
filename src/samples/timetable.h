#pragma once
// The sample day's timetable before any run is written: each service runs
// at a regular interval, and its sets circulate between the two ends of
// the service, turning back after a fixed layover. The interval is never
// shorter than the terminals allow, so a service never needs more than one
// terminal platform at a time.
#include <vector>

#include "samples/route.h"

namespace vosk::samples {

enum Terminal { kWest, kEast, kBay, kBranchEnd, kTerminalCount };

// One journey of a set from one end of its service to the other. A set's
// last journey of the day may end short, where it stables overnight.
struct Trip {
  Service service = Service::Local;
  bool down = true;  // rightward
  int depart = 0;    // seconds after midnight, past 24:00 for late runs
  int arrive = 0;    // the final arrival, where the trip really ends
  Terminal origin = kWest;
  Terminal destination = kEast;
  int from = 0;  // platform segments at the terminals
  int to = 0;
  int last_stop = -1;      // event index of the stop it ends at when cut short, else -1
  int next = -1;           // the trip the same set runs next
  bool continues = false;  // the set came in with an earlier trip
  int ordinal = 0;         // among the trips of its service and direction, by departure
  std::vector<int> diagrams;  // the runs it is written as, in order
  std::vector<int> coupled;   // the runs of the second unit, when the duty has one
};

// What the timetable needs to know of a service's route.
struct ServiceShape {
  Service service = Service::Local;
  int down_duration = 0;  // departure to final arrival, seconds
  int up_duration = 0;
  int west_turnback = 0;  // least layover at the down trips' origin
  int east_turnback = 0;  // and at their destination
  int first = 0;          // first and last departure wanted for the down trips
  int last = 0;
  int shortest_interval = 0;
  // Seconds of the round trip's spare time spent at the west end (the rest
  // at the east end); -1 shares it evenly.
  int west_spare = -1;
};

// Every run has arrived by then, so that no time passes 03:00 of the next
// day, where times would no longer sort after the evening.
inline constexpr int kLastArrival = 25 * 3600 + 30 * 60;

// The interval (whole minutes) that gives a service about `per_direction`
// departures each way, never below its shortest.
int interval_for(const ServiceShape& shape, int per_direction);

// The trips of a service whose down trips leave every `interval` from
// `first + shift` to `last`, with `next` linking a trip to the set's
// following one. The up trips follow from the sets' circulation.
std::vector<Trip> plan_service(const ServiceShape& shape, int interval, int shift = 0);

// How many trips plan_service can give a service at most each way.
int most_trips_per_direction(const ServiceShape& shape);

// One stay of a trip at a terminal platform, for sharing out the platforms.
struct TerminalStay {
  int start = 0;
  int end = 0;
  int departing = -1;  // the trip leaving from the platform, if any
  int arriving = -1;   // the trip arriving on it, if any
};

// Gives each stay a platform of `platforms` (segments) that no other stay
// holds at the same time, sets the trips' `from` and `to` to it, and
// returns how many stays had to share a platform because all were taken.
int share_out_platforms(std::vector<TerminalStay> stays, const std::vector<int>& platforms,
                        std::vector<Trip>& trips);

}  // namespace vosk::samples
