// The runs of the sample dia: a regular-interval day for each service, the
// sets circulating between its terminals as duties and stabling along the
// line at night, each trip written as one run or, on a crowded line, as
// several sections with their own train numbers.
#include "samples/dia.h"

#include <algorithm>
#include <array>

#include "base/format.h"
#include "base/sjis.h"
#include "samples/day_plan.h"
#include "samples/names.h"
#include "samples/route.h"
#include "dia/dia_tables.h"

namespace vosk::samples {
namespace {

constexpr int kHour = 3600;
constexpr int kDay = 24 * kHour;

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

class RunWriter {
 public:
  RunWriter(const SampleLine& line, DataSet& data)
      : data_(data),
        defaults_{data.header.dia.standard, data.header.dia.reverse,
                  data.header.dia.stop_time_velocity != 0},
        planner_(line, data.map, data.series, data.classification.stop_times, defaults_,
                 data.classification.speed_types),
        day_(line, data, planner_, defaults_) {}

  void run(int runs, bool whole_journeys) {
    day_.plan(runs, whole_journeys);
    write_duties();
    write_patterns();
    data_.dia.event_capacity = data_.map.points.extent() + 2 * data_.map.targets.extent() + 1;
  }

 private:
  std::size_t index_of(const Trip& trip) const {
    return static_cast<std::size_t>(&trip - day_.trips().data());
  }
  void write_duties();
  void write_diagram(int number, const Trip& trip, std::size_t section, int next);
  void write_patterns();
  std::string station_name_of_rail(int rail) const;

  DataSet& data_;
  dia::StopTimeDefaults defaults_;
  RoutePlanner planner_;
  DayPlanner day_;
  int number_step_ = 0;  // added to a train number for each later section
};

std::string RunWriter::station_name_of_rail(int rail) const {
  const int station = data_.map.rails[rail].station;
  return data_.map.stations.names_record(station) ? data_.map.stations[station].name
                                                  : std::string();
}

// The second unit's run of a coupled duty is written the same way: it takes
// all its train information from the run it is coupled behind.
void RunWriter::write_diagram(int number, const Trip& trip, std::size_t section, int next) {
  const ServiceInfo info = service_info(trip.service);
  const std::vector<std::size_t>& ends = day_.section_ends(index_of(trip));
  const RouteTemplate& route = planner_.section(trip.service, trip.down, trip.from, trip.to,
                                                section == 0 ? 0 : ends[section - 1], ends[section]);
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
  // Rightward (down) runs get odd numbers; later sections count on in the
  // thousands (or higher).
  const int base = 2 * trip.ordinal + (trip.down ? 1 : 2);
  d.train_number = format("%d%s", base + static_cast<int>(section) * number_step_, suffix);
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
  std::vector<Trip>& trips = day_.trips();
  std::vector<int> starts;
  int highest_number = 0;
  for (int i = 0; i < static_cast<int>(trips.size()); ++i) {
    const Trip& t = trips[static_cast<std::size_t>(i)];
    if (!t.continues) starts.push_back(i);
    highest_number = std::max(highest_number, 2 * t.ordinal + 2);
  }
  number_step_ = 1000;
  while (number_step_ <= highest_number) number_step_ *= 10;
  std::stable_sort(starts.begin(), starts.end(), [&](int a, int b) {
    return trips[static_cast<std::size_t>(a)].depart < trips[static_cast<std::size_t>(b)].depart;
  });

  // Morning locals run with two units coupled all day (every other duty
  // that starts before 08:00).
  std::vector<bool> coupled(starts.size(), false);
  int morning_locals = 0;
  int diagrams = 0;
  for (std::size_t k = 0; k < starts.size(); ++k) {
    const Trip& first = trips[static_cast<std::size_t>(starts[k])];
    if (first.service == Service::Local && first.depart < 8 * kHour) {
      coupled[k] = morning_locals++ % 2 == 0;
    }
    for (int i = starts[k]; i >= 0; i = trips[static_cast<std::size_t>(i)].next) {
      Trip& t = trips[static_cast<std::size_t>(i)];
      for (std::size_t j = 0; j < day_.section_ends(static_cast<std::size_t>(i)).size(); ++j) {
        t.diagrams.push_back(++diagrams);
        if (coupled[k]) t.coupled.push_back(++diagrams);
      }
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
    const Trip& first = trips[static_cast<std::size_t>(starts[k])];
    for (int i = starts[k]; i >= 0; i = trips[static_cast<std::size_t>(i)].next) {
      const Trip& t = trips[static_cast<std::size_t>(i)];
      const Trip* next = t.next >= 0 ? &trips[static_cast<std::size_t>(t.next)] : nullptr;
      for (std::size_t j = 0; j < t.diagrams.size(); ++j) {
        const bool last = j + 1 == t.diagrams.size();
        write_diagram(t.diagrams[j], t, j,
                      !last ? t.diagrams[j + 1] : next ? next->diagrams.front() : 0);
        if (!t.coupled.empty()) {
          write_diagram(t.coupled[j], t, j,
                        !last ? t.coupled[j + 1] : next ? next->coupled.front() : 0);
          data_.dia.diagrams[t.diagrams[j]].coupled_behind = t.coupled[j];
          data_.dia.diagrams[t.coupled[j]].coupled_ahead = t.diagrams[j];
        }
      }
    }
    const Group group = group_of(first.service);
    const int series = service_info(first.service).series;
    const int duty = static_cast<int>(k) + 1;
    dia::Train& train = data_.dia.trains.grow_to(duty);
    train.first_diagram = first.diagrams.front();
    train.initial_rail = data_.dia.diagrams[train.first_diagram].events.front().rail;
    train.name = format("%c%02d", kLetters[group], ++duties_in_group[group]);
    train.head_unit = unit + 1;
    const int formations = coupled[k] ? 2 : 1;
    for (int f = 0; f < formations; ++f) {
      dia::Unit& u = data_.dia.units.grow_to(++unit);
      u.first_diagram = f == 0 ? first.diagrams.front() : first.coupled.front();
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
  const std::vector<Trip>& trips = day_.trips();
  dia::DiagramTable& diagrams = data_.dia.diagrams;
  const dia::TrainTypeTable& types = data_.classification.train_types;
  const int ordinary = diagrams.extent();
  int pattern = 0;
  for (bool down : {true, false}) {
    const Trip* source = nullptr;
    int count = 0;
    int first_time = 0;
    int last_time = 0;
    for (const Trip& t : trips) {
      if (t.service != Service::Local || t.down != down) continue;
      if (!source || t.depart < source->depart) source = &t;
      first_time = count++ == 0 ? t.depart : std::min(first_time, t.depart);
      last_time = std::max(last_time, t.depart);
    }
    if (!source) continue;
    ++pattern;
    const int number = ordinary + pattern;
    dia::Diagram& tmpl = diagrams.grow_to(number);
    tmpl = diagrams[source->diagrams.front()];
    tmpl.next_working = 0;
    tmpl.coupled_behind = 0;
    tmpl.coupled_ahead = 0;
    tmpl.pattern_template = pattern;
    tmpl.applied_pattern = 0;
    tmpl.pattern_changed = 0;
    tmpl.run = {};
    const std::size_t source_end = day_.section_ends(index_of(*source)).front();
    for (std::size_t i = 0; i < trips.size(); ++i) {
      const Trip& t = trips[i];
      if (t.service != Service::Local || t.down != down || t.from != source->from ||
          t.to != source->to || day_.section_ends(i).front() != source_end) {
        continue;
      }
      diagrams[t.diagrams.front()].applied_pattern = pattern;
      diagrams[t.diagrams.front()].pattern_changed = 0;
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

}  // namespace

void write_runs(const SampleLine& line, DataSet& data, int runs, bool whole_journeys) {
  RunWriter(line, data).run(runs, whole_journeys);
}

}  // namespace vosk::samples
