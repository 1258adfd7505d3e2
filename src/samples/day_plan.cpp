#include "samples/day_plan.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "dia/stop_time.h"

namespace vosk::samples {
namespace {

constexpr int kHour = 3600;
// A final arrival without a next working holds its platform until then.
constexpr int kEndOfOperatingDay = 28 * kHour;

struct ServicePlan {
  Service service;
  int share;  // percent of the runs, both directions together
  int first;  // first and last departure
  int last;
  int shortest_interval;  // below it trains would crowd the platforms they share
};

// The locals come first: the other services are timed around them.
constexpr ServicePlan kPlans[] = {
    {Service::Local, 0, 5 * kHour, 24 * kHour + 30 * 60, 10 * 60},  // the rest
    {Service::Rapid, 22, 5 * kHour + 30 * 60, 23 * kHour + 30 * 60, 10 * 60},
    {Service::Through, 8, 6 * kHour, 22 * kHour, 30 * 60},
    {Service::Shuttle, 22, 5 * kHour + 15 * 60, 24 * kHour + 40 * 60, 12 * 60},
};

// More runs than the line can carry as whole journeys are written as
// sections: the train changes its number at stations along the way (all
// but the rapid trains).
constexpr int kMostSections = 200;

// How far a service's departures are moved to keep off the locals' stays.
constexpr int kLongestShift = 30 * 60;

// The interval nearest `wanted` (not below `shortest`, whole minutes) that
// divides `period`, so that the trains of both services meet the same way
// in every period; `wanted` itself when none does.
int fitting_interval(int period, int wanted, int shortest) {
  int best = wanted;
  for (int parts = 1; period / parts >= std::max(shortest, 60); ++parts) {
    const int interval = period / parts;
    if (period % parts != 0 || interval % 60 != 0) continue;
    if (best == wanted || std::abs(interval - wanted) < std::abs(best - wanted)) best = interval;
  }
  return best;
}

}  // namespace

// Stays on platforms, by track, for counting how many a new one meets.
// Most stays are short; the few that last into the night are kept apart,
// so that a query only looks back as far as the longest short one.
class DayPlanner::PlatformLog {
 public:
  void add(const Stay& stay) {
    Track& t = tracks_[stay.track];
    if (stay.end - stay.start > kLongStay) {
      t.long_stays.push_back(stay);
      return;
    }
    auto at = std::upper_bound(t.stays.begin(), t.stays.end(), stay.start,
                               [](int start, const Stay& s) { return start < s.start; });
    t.stays.insert(at, stay);
    t.longest = std::max(t.longest, stay.end - stay.start);
  }

  int meeting(const Stay& stay) const {
    auto it = tracks_.find(stay.track);
    if (it == tracks_.end()) return 0;
    const Track& t = it->second;
    auto from = std::lower_bound(t.stays.begin(), t.stays.end(), stay.start - t.longest,
                                 [](const Stay& s, int start) { return s.start < start; });
    int count = 0;
    for (auto s = from; s != t.stays.end() && s->start <= stay.end; ++s) {
      count += s->end >= stay.start;
    }
    for (const Stay& s : t.long_stays) count += s.start <= stay.end && s.end >= stay.start;
    return count;
  }

 private:
  static constexpr int kLongStay = 2 * kHour;
  struct Track {
    std::vector<Stay> stays;  // by start
    std::vector<Stay> long_stays;
    int longest = 0;
  };
  std::unordered_map<int, Track> tracks_;
};

DayPlanner::DayPlanner(const SampleLine& line, const DataSet& data, RoutePlanner& planner,
                       const dia::StopTimeDefaults& defaults)
    : data_(data), planner_(planner), defaults_(defaults) {
  platforms_[kWest] = line.main.front().terminal;
  platforms_[kEast] = line.main.back().terminal;
  platforms_[kBay] = {line.main[static_cast<std::size_t>(line.junction)].bay};
  platforms_[kBranchEnd] = line.branch.back().terminal;
  for (const auto& terminal : platforms_) {
    for (int segment : terminal) terminal_tracks_.push_back(track_of(TrackBuilder::rail_a(segment)));
  }
}

int DayPlanner::turnback_time(Service service, Terminal terminal) const {
  const int rail = TrackBuilder::rail_a(platforms_[terminal].front());
  const int station_time = dia::plain_stop_time(data_.classification.stop_times, defaults_, rail,
                                                data_.map.rails[rail].target, dia::kTurnbackTime);
  const int series = service_info(service).series;
  return std::max(station_time, data_.series[series].turnback_time[0]);
}

bool DayPlanner::is_terminal_track(int track) const {
  return std::find(terminal_tracks_.begin(), terminal_tracks_.end(), track) !=
         terminal_tracks_.end();
}

const RouteTemplate& DayPlanner::whole_route(const Trip& trip) const {
  // Every platform at a terminal is reached over rails of equal length, so
  // the times do not depend on which one a trip gets.
  const int from = trip.from != 0 ? trip.from : platforms_[trip.origin].front();
  const int to = trip.to != 0 ? trip.to : platforms_[trip.destination].front();
  return planner_.route(trip.service, trip.down, from, to);
}

ServiceShape DayPlanner::shape_of(Service service, int first, int last, int shortest) const {
  ServiceShape s;
  s.service = service;
  Trip down;
  down.service = service;
  down.origin = service == Service::Shuttle ? kBay : kWest;
  down.destination = service == Service::Local || service == Service::Rapid ? kEast : kBranchEnd;
  Trip up = down;
  up.down = false;
  std::swap(up.origin, up.destination);
  s.down_duration = whole_route(down).duration;
  s.up_duration = whole_route(up).duration;
  s.west_turnback = turnback_time(service, down.origin);
  s.east_turnback = turnback_time(service, down.destination);
  s.first = first;
  s.last = last;
  // A layover must end before the next train of the service comes in.
  s.shortest_interval = std::max(shortest, (s.west_turnback + s.east_turnback + 119) / 60 * 60);
  return s;
}

// Where the trips stand on platforms other than the terminals shared out
// later: their stops along the way, and the junction's bay, which the
// branch sets turn back on and the through trains run across.
void DayPlanner::stays_of(const std::vector<Trip>& trips, std::vector<Stay>& out) const {
  std::vector<int> previous(trips.size(), -1);
  for (std::size_t i = 0; i < trips.size(); ++i) {
    if (trips[i].next >= 0) previous[static_cast<std::size_t>(trips[i].next)] = static_cast<int>(i);
  }
  const int bay = track_of(TrackBuilder::rail_a(platforms_[kBay].front()));
  for (std::size_t i = 0; i < trips.size(); ++i) {
    const Trip& t = trips[i];
    const RouteTemplate& route = whole_route(t);
    for (std::size_t e = 1; e + 2 < route.events.size(); ++e) {
      const dia::DiaEvent& event = route.events[e];
      if (event.type != dia::kEventStop) continue;
      out.push_back({track_of(event.rail), t.depart + route.arrivals[e], t.depart + event.time});
    }
    if (t.origin == kBay) {
      const int start = previous[i] >= 0
                            ? trips[static_cast<std::size_t>(previous[i])].arrive
                            : t.depart - planner_.stop_time(route.events.front().rail, t.service);
      out.push_back({bay, start, t.depart});
    }
    if (t.destination == kBay && t.next < 0) out.push_back({bay, t.arrive, kEndOfOperatingDay});
  }
}

// The service's trips, their departures moved by whole minutes to where
// they meet the fewest logged stays. The branch sets also choose how they
// share their spare time between the two ends: that decides where trains
// of the two directions meet on the single track, whose halts have one
// platform for both.
std::vector<Trip> DayPlanner::best_timing(ServiceShape shape, int interval,
                                          const PlatformLog& log) const {
  const bool single_track = shape.service == Service::Shuttle;
  std::vector<Trip> best;
  int fewest = -1;
  std::vector<Stay> stays;
  for (int spare = 0; spare < (single_track ? interval : 1) && fewest != 0; spare += 120) {
    if (single_track) shape.west_spare = spare;
    for (int shift = 0; shift < std::min(interval, kLongestShift) && fewest != 0; shift += 60) {
      std::vector<Trip> trips = plan_service(shape, interval, shift);
      stays.clear();
      stays_of(trips, stays);
      int met = 0;
      for (const Stay& s : stays) met += log.meeting(s);
      if (single_track) {
        PlatformLog own;
        for (const Stay& s : stays) own.add(s);
        for (const Stay& s : stays) met += own.meeting(s) - 1;
      }
      if (fewest < 0 || met < fewest) {
        fewest = met;
        best = std::move(trips);
      }
    }
  }
  return best;
}

// About `journeys` trips in all, shared out by the services' shares; the
// locals take the rest and are added until there are enough. The other
// services run at a multiple of the locals' interval on the main line, so
// that one shift keeps every one of their trains between two locals.
std::vector<Trip> DayPlanner::plan_trips(int journeys,
                                         const std::vector<ServiceShape>& shapes) const {
  const ServiceShape& local = shapes.front();
  const int most_locals = most_trips_per_direction(local);
  int others = 0;
  for (std::size_t k = 1; k < shapes.size(); ++k) {
    others += 2 * std::max(1, journeys * kPlans[k].share / 200);
  }
  int locals_per_direction = std::max(1, (journeys - others + 1) / 2);
  for (;;) {
    std::vector<Trip> trips;
    PlatformLog log;
    std::vector<Stay> stays;
    auto append = [&](std::vector<Trip> service_trips) {
      stays.clear();
      stays_of(service_trips, stays);
      for (const Stay& s : stays) log.add(s);
      const int offset = static_cast<int>(trips.size());
      for (Trip& t : service_trips) {
        if (t.next >= 0) t.next += offset;
        trips.push_back(std::move(t));
      }
    };
    const int local_interval = interval_for(local, locals_per_direction);
    append(plan_service(local, local_interval));
    // The best timing depends only on the intervals of the services
    // planned so far, and larger lines ask for the same ones many times.
    std::vector<int> intervals{local_interval};
    int through_interval = 0;
    for (std::size_t k = 1; k < shapes.size(); ++k) {
      const ServiceShape& shape = shapes[k];
      int interval = interval_for(shape, std::max(1, journeys * kPlans[k].share / 200));
      if (shape.service != Service::Shuttle) {
        interval = std::max(1, (interval + local_interval / 2) / local_interval) * local_interval;
      } else if (through_interval > 0) {
        interval = fitting_interval(through_interval, interval, shape.shortest_interval);
      }
      if (shape.service == Service::Through) through_interval = interval;
      intervals.push_back(interval);
      auto known = timings_.find(intervals);
      if (known == timings_.end()) {
        known = timings_.emplace(intervals, best_timing(shape, interval, log)).first;
      }
      append(known->second);
    }
    const int planned = static_cast<int>(trips.size());
    if (planned >= journeys || locals_per_direction >= most_locals) return trips;
    locals_per_direction += (journeys - planned + 1) / 2;
  }
}

std::vector<std::vector<TripStop>> DayPlanner::stops_between_terminals() const {
  std::vector<std::vector<TripStop>> all(trips_.size());
  for (std::size_t i = 0; i < trips_.size(); ++i) {
    const Trip& trip = trips_[i];
    const RouteTemplate& route = whole_route(trip);
    for (std::size_t e = 1; e + 2 < route.events.size(); ++e) {
      const dia::DiaEvent& event = route.events[e];
      if (event.type != dia::kEventStop) continue;
      const int track = track_of(event.rail);
      // Terminal platforms are shared out separately.
      if (is_terminal_track(track)) continue;
      all[i].push_back({static_cast<int>(e), track, trip.depart + route.arrivals[e],
                        trip.depart + event.time});
    }
  }
  return all;
}

// How many runs the trips make when each is split into up to `sections`
// runs at its stops.
int DayPlanner::runs_when_split(int sections) const {
  int runs = 0;
  for (std::size_t i = 0; i < trips_.size(); ++i) {
    int stops = 0;
    for (const TripStop& s : stops_[i]) {
      stops += trips_[i].last_stop < 0 || s.event < trips_[i].last_stop;
    }
    runs += std::min(trips_[i].service == Service::Rapid ? 1 : sections, stops + 1);
  }
  return runs;
}

void DayPlanner::share_out_terminals() {
  std::vector<int> previous(trips_.size(), -1);
  for (std::size_t i = 0; i < trips_.size(); ++i) {
    if (trips_[i].next >= 0) previous[static_cast<std::size_t>(trips_[i].next)] = static_cast<int>(i);
  }
  std::array<std::vector<TerminalStay>, kTerminalCount> stays;
  for (std::size_t i = 0; i < trips_.size(); ++i) {
    const Trip& t = trips_[i];
    const int index = static_cast<int>(i);
    if (previous[i] >= 0) {
      // Turning back: from the arrival until the set leaves again.
      stays[t.origin].push_back({trips_[static_cast<std::size_t>(previous[i])].arrive, t.depart,
                                 index, previous[i]});
    } else {
      // The set stood elsewhere before its first departure.
      const int rail = whole_route(t).events.front().rail;
      const int start = t.depart - planner_.stop_time(rail, t.service);
      stays[t.origin].push_back({start, t.depart, index, -1});
    }
    if (t.next < 0 && t.last_stop < 0) {
      stays[t.destination].push_back({t.arrive, kEndOfOperatingDay, -1, index});
    }
  }
  for (std::size_t k = 0; k < stays.size(); ++k) {
    share_out_platforms(std::move(stays[k]), platforms_[k], trips_);
  }
  // A trip cut short keeps the terminal platform its route is planned to.
  for (Trip& t : trips_) {
    if (t.to == 0) t.to = platforms_[t.destination].front();
  }
}

std::vector<std::size_t> DayPlanner::ends_of_sections(const Trip& trip) const {
  const RouteTemplate& route = whole_route(trip);
  const std::size_t last = trip.last_stop >= 0 ? static_cast<std::size_t>(trip.last_stop)
                                               : route.events.size() - 2;
  std::vector<std::size_t> stops;
  for (std::size_t e = 1; e < last; ++e) {
    if (route.events[e].type == dia::kEventStop) stops.push_back(e);
  }
  // Evenly spaced stops, then the last. Rapid trains keep their number
  // from end to end.
  const int most = trip.service == Service::Rapid ? 1 : sections_;
  const std::size_t count = std::min(static_cast<std::size_t>(most), stops.size() + 1);
  std::vector<std::size_t> ends;
  for (std::size_t j = 1; j < count; ++j) ends.push_back(stops[j * (stops.size() + 1) / count - 1]);
  ends.push_back(last);
  return ends;
}

void DayPlanner::plan(int runs, bool whole_journeys) {
  std::vector<ServiceShape> shapes;
  for (const ServicePlan& p : kPlans) {
    shapes.push_back(shape_of(p.service, p.first, p.last, p.shortest_interval));
  }
  // Enough runs from trips cut into up to `sections` runs? Trips stabled
  // short make fewer sections, so more are planned while the line takes
  // them.
  auto enough = [&](int sections) {
    int journeys = (runs + sections - 1) / sections;
    for (;;) {
      trips_ = plan_trips(journeys, shapes);
      stops_ = stops_between_terminals();
      stable_along_the_line(trips_, stops_);
      const int made = runs_when_split(sections);
      if (made >= runs) return true;
      if (static_cast<int>(trips_.size()) < journeys) return false;
      journeys += (runs - made + sections - 1) / sections;
    }
  };
  // Whole journeys while the line carries them, then more sections,
  // starting from as many as the most journeys it carries call for.
  auto split_until_enough = [&] {
    int most_journeys = 0;
    for (const ServiceShape& s : shapes) most_journeys += 2 * most_trips_per_direction(s);
    sections_ = std::clamp(runs / std::max(1, most_journeys), 1, kMostSections);
    for (; sections_ < kMostSections; ++sections_) {
      if (enough(sections_)) return true;
    }
    return enough(sections_);
  };
  auto crowd = [&] {
    for (ServiceShape& s : shapes) s.shortest_interval = 15;
  };
  if (whole_journeys) {
    crowd();
    sections_ = 1;
    enough(sections_);
  } else if (!split_until_enough()) {
    // Only a short line asked for very many runs crowds its platforms.
    crowd();
    split_until_enough();
  }
  share_out_terminals();
  ends_.clear();
  for (const Trip& t : trips_) ends_.push_back(ends_of_sections(t));
}

}  // namespace vosk::samples
