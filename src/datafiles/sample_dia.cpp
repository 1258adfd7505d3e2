// The runs of the sample dia: departures through the day, the stock turned
// back at the terminals into duties, each run's events along its route.
#include "datafiles/sample_dia.h"

#include <algorithm>
#include <array>
#include <deque>

#include "base/format.h"
#include "base/sjis.h"
#include "datafiles/sample_names.h"
#include "datafiles/sample_route.h"
#include "dia/dia_tables.h"

namespace vosk::datafiles::sample {
namespace {

constexpr int kHour = 3600;
constexpr int kDay = 24 * kHour;

enum Terminal { kWest, kEast, kBay, kBranchEnd, kTerminalCount };

// Stock groups: locals, rapids and the branch sets each keep to their own.
enum Group { kLocalStock, kRapidStock, kBranchStock, kGroupCount };

Group group_of(Service s) {
  switch (s) {
    case Service::Local:
      return kLocalStock;
    case Service::Rapid:
      return kRapidStock;
    default:
      return kBranchStock;
  }
}

struct Trip {
  Service service = Service::Local;
  bool down = true;  // rightward
  int depart = 0;    // seconds after midnight, past 24:00 for late runs
  int arrive = 0;
  Terminal origin = kWest;
  Terminal destination = kEast;
  int from = 0;  // platform segments
  int to = 0;
  int next = -1;           // the trip the same stock runs next
  bool continues = false;  // the stock came in with an earlier trip
  int ordinal = 0;         // among the trips of its service and direction, by departure
  int diagram = 0;
  int coupled = 0;  // the diagram of the second unit, when the duty has one
};

struct ServicePlan {
  Service service;
  int share;  // percent of the runs, both directions together
  int first;  // first and last departure
  int last;
};

constexpr ServicePlan kPlans[] = {
    {Service::Rapid, 22, 5 * kHour + 30 * 60, 23 * kHour + 30 * 60},
    {Service::Shuttle, 22, 5 * kHour + 15 * 60, 24 * kHour + 40 * 60},
    {Service::Through, 8, 6 * kHour, 22 * kHour},
    {Service::Local, 0, 5 * kHour, 24 * kHour + 30 * 60},  // the rest
};
// Every run has arrived by then, so that no time passes 03:00 of the next
// day, where times would no longer sort after the evening.
constexpr int kLastArrival = 25 * kHour + 30 * 60;

std::pair<Terminal, Terminal> ends_of(Service s, bool down) {
  Terminal west = s == Service::Shuttle ? kBay : kWest;
  Terminal east = s == Service::Local || s == Service::Rapid ? kEast : kBranchEnd;
  return down ? std::make_pair(west, east) : std::make_pair(east, west);
}

// Departures spread by the day's demand: busier in the morning and evening
// peaks, thin late at night.
std::vector<int> departure_times(int count, int first, int last, SampleRandom& random) {
  auto weight = [](int minute_of_day) {
    double h = minute_of_day / 60.0;
    if (h >= 7 && h < 9) return 2.0;
    if (h >= 17 && h < 19.5) return 1.7;
    if (h >= 22) return 0.6;
    return 1.0;
  };
  const int minutes = (last - first) / 60;
  std::vector<double> cumulative(static_cast<std::size_t>(minutes) + 1, 0.0);
  for (int m = 0; m < minutes; ++m) {
    cumulative[static_cast<std::size_t>(m) + 1] =
        cumulative[static_cast<std::size_t>(m)] + weight(first / 60 + m);
  }
  std::vector<int> times;
  times.reserve(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) {
    double q = (k + 0.5) / count * cumulative.back();
    auto it = std::lower_bound(cumulative.begin(), cumulative.end(), q);
    int minute = std::max(0, static_cast<int>(it - cumulative.begin()) - 1);
    int t = first + minute * 60 + 15 * random.between(0, 3);
    times.push_back(std::clamp(t, first, last));
  }
  std::sort(times.begin(), times.end());
  return times;
}

class RunWriter {
 public:
  RunWriter(const SampleLine& line, DataSet& data, SampleRandom& random)
      : data_(data),
        random_(random),
        defaults_{data.header.dia.standard, data.header.dia.reverse,
                  data.header.dia.stop_time_velocity != 0},
        planner_(line, data.map, data.series, data.classification.stop_times, defaults_,
                 data.classification.speed_types) {
    platforms_[kWest] = line.main.front().terminal;
    platforms_[kEast] = line.main.back().terminal;
    platforms_[kBay] = {line.main[static_cast<std::size_t>(line.junction)].bay};
    platforms_[kBranchEnd] = line.branch.back().terminal;
  }

  void run(int runs);

 private:
  void plan_trips(int runs);
  void turn_back(Terminal terminal);
  int turnback_time(const Trip& arrival) const;
  void write_duties();
  void write_diagram(int number, const Trip& trip, int next);
  void write_patterns();
  std::string station_name_of_rail(int rail) const;

  DataSet& data_;
  SampleRandom& random_;
  dia::StopTimeDefaults defaults_;
  RoutePlanner planner_;
  std::array<std::vector<int>, kTerminalCount> platforms_;
  std::vector<Trip> trips_;
};

void RunWriter::plan_trips(int runs) {
  std::vector<std::pair<const ServicePlan*, int>> counts;
  int planned = 0;
  for (const ServicePlan& p : kPlans) {
    int per_direction =
        p.share > 0 ? std::max(1, runs * p.share / 200) : std::max(1, (runs - planned + 1) / 2);
    counts.push_back({&p, per_direction});
    planned += 2 * per_direction;
  }
  for (const auto& [plan, count] : counts) {
    for (bool down : {true, false}) {
      auto [origin, destination] = ends_of(plan->service, down);
      // Every platform at a terminal is reached over rails of equal length,
      // so the first platforms give every run's duration.
      const int duration = planner_
                               .route(plan->service, down, platforms_[origin].front(),
                                      platforms_[destination].front())
                               .duration;
      // Leftward runs start a little later, so the two directions interleave.
      const int first = plan->first + (down ? 0 : 7 * 60);
      const int last = std::max(first + kHour, std::min(plan->last, kLastArrival - duration));
      int ordinal = 0;
      for (int t : departure_times(count, first, last, random_)) {
        Trip trip;
        trip.service = plan->service;
        trip.down = down;
        trip.depart = t;
        trip.arrive = t + duration;
        trip.origin = origin;
        trip.destination = destination;
        trip.ordinal = ordinal++;
        trips_.push_back(trip);
      }
    }
  }
}

int RunWriter::turnback_time(const Trip& arrival) const {
  const int rail = TrackBuilder::rail_a(platforms_[arrival.destination].front());
  const int station_time = dia::plain_stop_time(data_.classification.stop_times, defaults_, rail,
                                                data_.map.rails[rail].target, dia::kTurnbackTime);
  const int series = service_info(arrival.service).series;
  return std::max(station_time, data_.series[series].turnback_time[0]);
}

// Links arrivals at a terminal to later departures of the same stock group,
// first come first served, and gives every run its platform there. A
// platform stays taken from an arrival until the stock leaves again.
void RunWriter::turn_back(Terminal terminal) {
  struct Event {
    int time;
    int departure;  // 0: arrival, 1: departure
    int trip;
  };
  std::vector<Event> events;
  for (int i = 0; i < static_cast<int>(trips_.size()); ++i) {
    const Trip& t = trips_[static_cast<std::size_t>(i)];
    if (t.destination == terminal) events.push_back({t.arrive, 0, i});
    if (t.origin == terminal) events.push_back({t.depart, 1, i});
  }
  std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return std::tie(a.time, a.departure, a.trip) < std::tie(b.time, b.departure, b.trip);
  });
  const std::vector<int>& platforms = platforms_[terminal];
  std::vector<int> occupant(platforms.size(), -1);
  // Free platforms are taken in turn, so that stock stabled overnight
  // stands on different platforms.
  std::size_t turn = 0;
  auto free_platform = [&]() {
    for (std::size_t k = 0; k < platforms.size(); ++k) {
      std::size_t p = (turn + k) % platforms.size();
      if (occupant[p] < 0) {
        turn = p + 1;
        return p;
      }
    }
    // Only a very busy timetable fills every platform; the stock then
    // shares one.
    return turn++ % platforms.size();
  };
  std::array<std::deque<int>, kGroupCount> waiting;
  for (const Event& e : events) {
    Trip& trip = trips_[static_cast<std::size_t>(e.trip)];
    std::deque<int>& queue = waiting[group_of(trip.service)];
    if (e.departure == 0) {
      std::size_t p = free_platform();
      occupant[p] = e.trip;
      trip.to = platforms[p];
      queue.push_back(e.trip);
      continue;
    }
    if (!queue.empty()) {
      Trip& in = trips_[static_cast<std::size_t>(queue.front())];
      if (in.arrive + turnback_time(in) <= trip.depart) {
        in.next = e.trip;
        trip.continues = true;
        trip.from = in.to;
        for (int& o : occupant) {
          if (o == queue.front()) o = -1;
        }
        queue.pop_front();
        continue;
      }
    }
    // Stock that stood here overnight.
    trip.from = platforms[free_platform()];
  }
}

std::string RunWriter::station_name_of_rail(int rail) const {
  const int station = data_.map.rails[rail].station;
  return data_.map.stations.names_record(station) ? data_.map.stations[station].name
                                                  : std::string();
}

// The second unit's run of a coupled duty is written the same way: it takes
// all its train information from the run it is coupled behind.
void RunWriter::write_diagram(int number, const Trip& trip, int next) {
  const ServiceInfo info = service_info(trip.service);
  const RouteTemplate& route = planner_.route(trip.service, trip.down, trip.from, trip.to);
  dia::Diagram& d = data_.dia.diagrams.grow_to(number);
  d.direction = trip.down ? 2 : 1;
  const int last_rail = route.events.back().rail;
  d.destination = data_.map.rails[last_rail].target;
  d.next_working = next;
  d.crew = trip.service == Service::Shuttle ? 0 : 1;
  d.train_type = info.train_type;
  d.speed_type = info.speed_type;
  d.pattern_changed = 1;
  d.flag_c = 1;
  d.follow_coupled = 1;
  const char* suffix = trip.service == Service::Rapid     ? "K"
                       : trip.service == Service::Shuttle ? "D"
                       : trip.service == Service::Through ? "T"
                                                          : "";
  // Rightward (down) runs get odd numbers.
  d.train_number = format("%d%s", 2 * trip.ordinal + (trip.down ? 1 : 2), suffix);
  d.destination_text =
      std::string(sjis::cut(station_name_of_rail(last_rail), dia::kDestinationTextBytes));
  const int hour = trip.depart / kHour;
  if (trip.service == Service::Rapid && ((hour >= 7 && hour < 9) || (hour >= 17 && hour < 20))) {
    d.nickname = record_text("みなと", dia::kNicknameBytes);
    d.car_number = trip.ordinal + 1;
  }
  if (trip.service == Service::Through) d.remarks = record_text("支線直通", dia::kRemarksBytes);
  d.events.reserve(route.events.size());
  for (dia::DiaEvent e : route.events) {
    if (e.type != dia::kEventPoint && e.type != dia::kEventPointBoth) {
      e.time += trip.depart;
      // Times after midnight are kept as the clock shows them.
      if (e.time > kDay) e.time -= kDay;
    }
    d.events.push_back(e);
  }
}

void RunWriter::write_duties() {
  std::vector<int> starts;
  for (int i = 0; i < static_cast<int>(trips_.size()); ++i) {
    if (!trips_[static_cast<std::size_t>(i)].continues) starts.push_back(i);
  }
  std::stable_sort(starts.begin(), starts.end(), [&](int a, int b) {
    return trips_[static_cast<std::size_t>(a)].depart < trips_[static_cast<std::size_t>(b)].depart;
  });

  // Morning locals run with two units coupled all day (every other duty
  // that starts before 08:00).
  std::vector<bool> coupled(starts.size(), false);
  int morning_locals = 0;
  int diagrams = 0;
  for (std::size_t k = 0; k < starts.size(); ++k) {
    const Trip& first = trips_[static_cast<std::size_t>(starts[k])];
    if (first.service == Service::Local && first.depart < 8 * kHour) {
      coupled[k] = morning_locals++ % 2 == 0;
    }
    for (int i = starts[k]; i >= 0; i = trips_[static_cast<std::size_t>(i)].next) {
      Trip& t = trips_[static_cast<std::size_t>(i)];
      t.diagram = ++diagrams;
      if (coupled[k]) t.coupled = ++diagrams;
    }
  }
  const int units = static_cast<int>(starts.size()) +
                    static_cast<int>(std::count(coupled.begin(), coupled.end(), true));
  dia::DiaCapacities capacities;
  capacities.diagram = ((diagrams + 2) / 16 + 1) * 16;
  capacities.train = static_cast<int>(starts.size());
  capacities.unit = units;
  dia::allocate_dia_tables(data_.dia, capacities);

  std::array<int, kGroupCount> duties_in_group{};
  std::array<int, 4> units_of_series{};
  const char kLetters[kGroupCount] = {'A', 'B', 'C'};
  const int kUnitBase[4] = {0, 6100, 8100, 2100};
  int unit = 0;
  for (std::size_t k = 0; k < starts.size(); ++k) {
    const Trip& first = trips_[static_cast<std::size_t>(starts[k])];
    for (int i = starts[k]; i >= 0; i = trips_[static_cast<std::size_t>(i)].next) {
      const Trip& t = trips_[static_cast<std::size_t>(i)];
      const Trip* next = t.next >= 0 ? &trips_[static_cast<std::size_t>(t.next)] : nullptr;
      write_diagram(t.diagram, t, next ? next->diagram : 0);
      if (t.coupled) {
        write_diagram(t.coupled, t, next ? next->coupled : 0);
        data_.dia.diagrams[t.diagram].coupled_behind = t.coupled;
        data_.dia.diagrams[t.coupled].coupled_ahead = t.diagram;
      }
    }
    const Group group = group_of(first.service);
    const int series = service_info(first.service).series;
    const int duty = static_cast<int>(k) + 1;
    dia::Train& train = data_.dia.trains.grow_to(duty);
    train.first_diagram = first.diagram;
    train.initial_rail = data_.dia.diagrams[first.diagram].events.front().rail;
    train.name = format("%c%02d", kLetters[group], ++duties_in_group[group]);
    train.head_unit = unit + 1;
    const int formations = coupled[k] ? 2 : 1;
    for (int f = 0; f < formations; ++f) {
      dia::Unit& u = data_.dia.units.grow_to(++unit);
      u.first_diagram = f == 0 ? first.diagram : first.coupled;
      u.train = duty;
      u.unit_ahead = f == 0 ? 0 : unit - 1;
      u.unit_behind = f + 1 < formations ? unit + 1 : 0;
      u.series = series;
      u.name =
          format("%d", kUnitBase[series] + ++units_of_series[static_cast<std::size_t>(series)]);
    }
  }
  for (int s = 1; s <= 3; ++s) {
    stock::Series& series = data_.series[s];
    series.used = units_of_series[static_cast<std::size_t>(s)];
    series.owned = series.used + 1;  // one spare set each
  }
}

// Two patterns from the first local runs of the day, each the other's next
// working; every local run on the same route counts as stamped from it.
void RunWriter::write_patterns() {
  dia::DiagramTable& diagrams = data_.dia.diagrams;
  const dia::TrainTypeTable& types = data_.classification.train_types;
  const int ordinary = diagrams.extent();
  int pattern = 0;
  for (bool down : {true, false}) {
    const Trip* source = nullptr;
    int count = 0;
    int first_time = 0;
    int last_time = 0;
    for (const Trip& t : trips_) {
      if (t.service != Service::Local || t.down != down) continue;
      if (!source || t.depart < source->depart) source = &t;
      first_time = count++ == 0 ? t.depart : std::min(first_time, t.depart);
      last_time = std::max(last_time, t.depart);
    }
    if (!source) continue;
    ++pattern;
    const int number = ordinary + pattern;
    dia::Diagram& tmpl = diagrams.grow_to(number);
    tmpl = diagrams[source->diagram];
    tmpl.next_working = 0;
    tmpl.coupled_behind = 0;
    tmpl.coupled_ahead = 0;
    tmpl.pattern_template = pattern;
    tmpl.applied_pattern = 0;
    tmpl.pattern_changed = 0;
    tmpl.run = {};
    for (const Trip& t : trips_) {
      if (t.service != Service::Local || t.down != down || t.from != source->from ||
          t.to != source->to) {
        continue;
      }
      diagrams[t.diagram].applied_pattern = pattern;
      diagrams[t.diagram].pattern_changed = 0;
    }
    dia::Pattern& p = data_.classification.patterns.grow_to(pattern);
    p.template_diagram = number;
    p.interval = count > 1 ? (last_time - first_time) / (count - 1) / 60 * 60 : 0;
    p.base_time = tmpl.events.front().time;
    const std::string& type_short = types[tmpl.train_type].short_name;
    const std::string& type_name = types[tmpl.train_type].name;
    const std::string start = station_name_of_rail(tmpl.events.front().rail);
    const std::string arrow = record_text("→", 2);
    p.short_name = std::string(sjis::cut(type_short + " " + tmpl.destination_text, 20));
    p.name = std::string(sjis::cut(
        type_name + " " + start + arrow + tmpl.destination_text + " " + data_.series[1].name, 255));
  }
  for (int n = 1; n <= pattern; ++n) {
    data_.classification.patterns[n].next_pattern = pattern == 2 ? 3 - n : 0;
  }
}

void RunWriter::run(int runs) {
  plan_trips(runs);
  for (int t = 0; t < kTerminalCount; ++t) turn_back(static_cast<Terminal>(t));
  write_duties();
  write_patterns();
  data_.dia.event_capacity = data_.map.points.extent() + 2 * data_.map.targets.extent() + 1;
}

}  // namespace

void write_runs(const SampleLine& line, DataSet& data, int runs, SampleRandom& random) {
  RunWriter(line, data, random).run(runs);
}

}  // namespace vosk::datafiles::sample
