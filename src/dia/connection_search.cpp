#include "dia/connection_search.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "base/format.h"
#include "base/sjis.h"
#include "base/time_text.h"
#include "dia/auto_timing.h"

// The feeder search is recursive by nature: the latest departure from the
// departure place of a journey that reaches place k before time c is the
// best, over the runs that reach k before c, of their earlier stops' values,
// where a stop at the departure place counts with its own time and a stop at
// any other place m at time t counts with the same search into m before t.
// Recursing for every stop of every candidate run is exponential on a busy
// line; instead the value of every stop and every arrival of the dia is
// worked out once, in time order (each depends only on earlier ones), and
// each question of the main loop is a binary search. Within a run, times are
// taken to run forwards; a stop timed after a later event of its own run
// does not count for that event.
//
// Runs already marked as direct runs or last legs are no feeders. A journey
// through such a run never departs later than the best departure found when
// it was marked (unless the run comes back to places it has passed), and
// every later question asks for more than that; so marking a run needs no
// new values.

namespace vosk::dia {
namespace {

constexpr int kNone = INT_MIN;  // no journey reaches this stop or place

constexpr bool is_station_event(int type) {
  return type == kEventStop || type == kEventArrival || type == kEventPass ||
         type == kEventStopNoSearch;
}

// A stop (type 1) of a run: where passengers board. `value` is the latest
// departure from the departure place of a journey on which a passenger is
// aboard when the run leaves here; `via` the arrival that brought them (-1:
// they boarded at the departure place).
struct StopRec {
  int run;  // index into runs_
  std::size_t event;
  int target;
  int time;  // operating-day scale
  int list;  // the arrival list of its place and direction
  int value = kNone;
  int via = -1;
};

// The first arrival or stop of a run at a place (not at its start): where
// passengers can change. `value` is the best value of the run's earlier
// stops; `from_stop` the first of them that has it.
struct ArrivalRec {
  int run;
  std::size_t event;
  int target;
  int time;
  int list;
  int value = kNone;
  int from_stop = -1;
};

struct RunInfo {
  int number = 0;
  int direction = 0;
  int first_stop = 0;  // into stops_; the run's stops follow in event order
  int stop_count = 0;
  // The journey ends of a candidate run.
  int departure_stop = -1;  // into stops_: its last stop at the departure place
  std::size_t arrival_event = 0;
  int arrival = kNone;
  // Stops folded into the best value so far, while the scan goes on.
  int folded = 0;
  int best_value = kNone;
  int best_stop = -1;
};

// The arrivals at one place in one direction by time, with the best value
// among the first p of them and the arrival that has it (the lowest run
// number among equals, as a search trying runs in number order keeps the
// first it finds).
struct ArrivalList {
  std::vector<int> times;
  std::vector<int> best_value;
  std::vector<int> best_arrival;
};

// One event of the scan in time order.
struct Step {
  int time;
  bool arrival;  // stops come first at equal times: an arrival must be earlier
  int index;
};

class ConnectionSearch {
 public:
  ConnectionSearch(DiaTables& dia, const TimingLookup& timing, int from, int to)
      : dia_(dia), timing_(timing), from_(from), to_(to) {}

  std::vector<Journey> run(Progress& progress, bool colons);

 private:
  int day_time(int t) const {
    if (t == 0) return timing_.settings().wdia_mode ? timetext::kDay : 0;
    return timetext::order_key(t);
  }
  // Standard stop times of runs of d's types, by rail (-1: not looked up yet).
  std::vector<int>& stop_seconds_of(const Diagram& d);
  int stop_seconds(int rail, const Diagram& d, std::vector<int>& by_rail) const;
  int arrival_of(const Diagram& d, std::size_t i, std::vector<int>& by_rail) const;
  // The direction of a run that departs the departure place and reaches
  // the arrival place, 0 for any other run.
  int candidate_direction(const Diagram& d) const;
  bool carries_passengers(const Diagram& d) const {
    const TrainTypeTable& types = timing_.tables().train_types;
    return d.in_use() && d.pattern_template == 0 && types.names_record(d.train_type) &&
           types[d.train_type].passenger_service == 1;
  }

  void clear_marks();
  void collect_runs();
  void add_run(int n, const Diagram& d);
  void work_out_values();
  // The arrival of list `list` before `limit` that brings the latest
  // departure; -1 for none.
  int best_arrival_before(int list, int limit) const;
  static int list_of(int target, int direction) { return target * 2 + direction - 1; }
  void sort_steps(std::vector<Step>& steps) const;
  std::vector<JourneyLeg> legs_to(int arrival) const;
  void mark(int n, int kind, int from, int to, int best);
  std::string progress_text(int best, int last, bool colons) const;

  DiaTables& dia_;
  const TimingLookup& timing_;
  int from_;
  int to_;
  std::vector<RunInfo> runs_;
  std::vector<StopRec> stops_;
  std::vector<ArrivalRec> arrivals_;
  // Per place and direction (target × 2 + direction − 1).
  std::vector<ArrivalList> lists_;
  std::vector<int> seen_;  // by target: the run that met it last
  // Standard stop times by (train type, speed type), then by rail; -1 unknown.
  std::unordered_map<std::uint64_t, std::vector<int>> stop_seconds_;
};

std::vector<int>& ConnectionSearch::stop_seconds_of(const Diagram& d) {
  std::uint64_t key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(d.train_type)) << 32) |
                      static_cast<std::uint32_t>(d.speed_type);
  std::vector<int>& by_rail = stop_seconds_[key];
  if (by_rail.empty()) {
    by_rail.assign(static_cast<std::size_t>(timing_.map().rails.extent()) + 1, -1);
  }
  return by_rail;
}

int ConnectionSearch::stop_seconds(int rail, const Diagram& d, std::vector<int>& by_rail) const {
  if (rail < 0 || static_cast<std::size_t>(rail) >= by_rail.size()) {
    return timing_.stop_time(rail, d.train_type, d.speed_type);
  }
  int& seconds = by_rail[static_cast<std::size_t>(rail)];
  if (seconds < 0) seconds = std::max(0, timing_.stop_time(rail, d.train_type, d.speed_type));
  return seconds;
}

// Arrival of event i on the operating-day scale: a stop arrives its stop
// time before it departs, or with the arrival on its rail just before it.
int ConnectionSearch::arrival_of(const Diagram& d, std::size_t i, std::vector<int>& by_rail) const {
  const DiaEvent& e = d.events[i];
  if (timing_.settings().wdia_mode) {
    int raw = arrival_time(d, i, timing_);
    // The arrival lies shortly before the stored time on the clock; keep it
    // on the stored time's side of midnight.
    return e.time == 0 ? day_time(raw) : day_time(e.time) + timetext::clock_difference(e.time, raw);
  }
  if (e.type != kEventStop && e.type != kEventStopNoSearch) return day_time(e.time);
  if (i > 0 && d.events[i - 1].type == kEventArrival && d.events[i - 1].rail == e.rail) {
    return day_time(d.events[i - 1].time);
  }
  if (e.time == 0) return 0;
  return day_time(e.time) - stop_seconds(e.rail, d, by_rail);
}

void ConnectionSearch::clear_marks() {
  for (Diagram& d : dia_.diagrams) {
    d.run.search_kind = kSearchUnmarked;
    d.run.search_from_target = 0;
    d.run.search_to_target = 0;
    d.run.search_best_time = 0;
  }
}

void ConnectionSearch::add_run(int n, const Diagram& d) {
  const RecordTable<map::Rail>& rails = timing_.map().rails;
  const int run = static_cast<int>(runs_.size());
  const int direction = d.direction;
  std::vector<int>& by_rail = stop_seconds_of(d);
  RunInfo info;
  info.number = n;
  info.direction = d.direction;
  info.first_stop = static_cast<int>(stops_.size());
  std::size_t count = d.event_count();
  for (std::size_t i = 0; i < count; ++i) {
    const DiaEvent& e = d.events[i];
    if (!is_station_event(e.type) || !rails.names_record(e.rail)) continue;
    int target = rails[e.rail].target;
    if (target <= 0 || static_cast<std::size_t>(target) >= seen_.size()) continue;
    bool stop_or_arrival = e.type == kEventStop || e.type == kEventArrival;
    int& seen = seen_[static_cast<std::size_t>(target)];
    if (seen != run) {
      seen = run;
      // A run that starts at a place brings nobody there.
      if (i > 0 && stop_or_arrival) {
        arrivals_.push_back(
            {run, i, target, arrival_of(d, i, by_rail), list_of(target, direction)});
      }
    }
    if (e.type == kEventStop) {
      if (target == from_) info.departure_stop = static_cast<int>(stops_.size());
      stops_.push_back({run, i, target, day_time(e.time), list_of(target, direction)});
    }
    if (target == to_ && stop_or_arrival) {
      info.arrival_event = i;
      info.arrival = arrival_of(d, i, by_rail);
    }
  }
  info.stop_count = static_cast<int>(stops_.size()) - info.first_stop;
  runs_.push_back(info);
}

int ConnectionSearch::candidate_direction(const Diagram& d) const {
  const RecordTable<map::Rail>& rails = timing_.map().rails;
  bool departs = false;
  bool arrives = false;
  std::size_t count = d.event_count();
  for (std::size_t i = 0; i < count; ++i) {
    const DiaEvent& e = d.events[i];
    if (!rails.names_record(e.rail)) continue;
    int target = rails[e.rail].target;
    departs = departs || (target == from_ && e.type == kEventStop);
    arrives = arrives || (target == to_ && (e.type == kEventStop || e.type == kEventArrival));
  }
  return departs && arrives ? d.direction : 0;
}

// Only runs of the directions in which some run goes from the departure to
// the arrival place matter: feeders run in the direction of the run they
// feed.
void ConnectionSearch::collect_runs() {
  seen_.assign(static_cast<std::size_t>(timing_.map().targets.extent()) + 1, -1);
  lists_.resize(seen_.size() * 2);
  bool wanted[3] = {false, false, false};
  for (int n = 1; n <= dia_.diagrams.extent(); ++n) {
    const Diagram& d = dia_.diagrams[n];
    // Directions are 1 and 2; a run with any other code has no place here.
    if (carries_passengers(d) && (d.direction == 1 || d.direction == 2)) {
      wanted[d.direction] = wanted[d.direction] || candidate_direction(d) != 0;
    }
  }
  for (int n = 1; n <= dia_.diagrams.extent(); ++n) {
    const Diagram& d = dia_.diagrams[n];
    if (carries_passengers(d) && (d.direction == 1 || d.direction == 2) && wanted[d.direction]) {
      add_run(n, d);
    }
  }
}

// Steps by time, stops before arrivals at equal times (an arrival must be
// earlier than the stop it feeds). Times lie within a few days, so a
// counting sort does.
void ConnectionSearch::sort_steps(std::vector<Step>& steps) const {
  auto key = [](const Step& x) { return 2LL * x.time + (x.arrival ? 1 : 0); };
  long long low = LLONG_MAX;
  long long high = LLONG_MIN;
  for (const Step& x : steps) {
    low = std::min(low, key(x));
    high = std::max(high, key(x));
  }
  if (steps.empty() || high - low > (1LL << 23)) {
    std::stable_sort(steps.begin(), steps.end(),
                     [&](const Step& x, const Step& y) { return key(x) < key(y); });
    return;
  }
  std::vector<std::size_t> start(static_cast<std::size_t>(high - low) + 2, 0);
  for (const Step& x : steps) ++start[static_cast<std::size_t>(key(x) - low) + 1];
  for (std::size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
  std::vector<Step> sorted(steps.size());
  for (const Step& x : steps) sorted[start[static_cast<std::size_t>(key(x) - low)]++] = x;
  steps = std::move(sorted);
}

// Every stop's and arrival's value, in time order: a stop takes the best
// arrival at its place in its direction before it (or its own time at the
// departure place), an arrival the best of its run's earlier stops.
void ConnectionSearch::work_out_values() {
  std::vector<Step> steps;
  steps.reserve(stops_.size() + arrivals_.size());
  for (std::size_t k = 0; k < stops_.size(); ++k) {
    steps.push_back({stops_[k].time, false, static_cast<int>(k)});
  }
  for (std::size_t k = 0; k < arrivals_.size(); ++k) {
    steps.push_back({arrivals_[k].time, true, static_cast<int>(k)});
  }
  sort_steps(steps);

  for (const Step& step : steps) {
    if (!step.arrival) {
      StopRec& s = stops_[static_cast<std::size_t>(step.index)];
      const ArrivalList& list = lists_[static_cast<std::size_t>(s.list)];
      if (s.target == from_) {
        s.value = s.time;
      } else if (!list.best_value.empty()) {
        s.value = list.best_value.back();
        s.via = list.best_arrival.back();
      }
      continue;
    }
    ArrivalRec& a = arrivals_[static_cast<std::size_t>(step.index)];
    RunInfo& run = runs_[static_cast<std::size_t>(a.run)];
    // Fold the run's stops before this event; the first with the best value
    // wins.
    for (; run.folded < run.stop_count; ++run.folded) {
      int k = run.first_stop + run.folded;
      const StopRec& s = stops_[static_cast<std::size_t>(k)];
      if (s.event >= a.event) break;
      if (s.value > run.best_value) {
        run.best_value = s.value;
        run.best_stop = k;
      }
    }
    a.value = run.best_value;
    a.from_stop = run.best_stop;

    ArrivalList& list = lists_[static_cast<std::size_t>(a.list)];
    int best = list.best_value.empty() ? kNone : list.best_value.back();
    int best_arrival = list.best_arrival.empty() ? -1 : list.best_arrival.back();
    bool better = a.value > best;
    if (a.value != kNone && a.value == best) {
      const ArrivalRec& holder = arrivals_[static_cast<std::size_t>(best_arrival)];
      better = run.number < runs_[static_cast<std::size_t>(holder.run)].number;
    }
    if (better) {
      best = a.value;
      best_arrival = step.index;
    }
    list.times.push_back(a.time);
    list.best_value.push_back(best);
    list.best_arrival.push_back(best_arrival);
  }
}

int ConnectionSearch::best_arrival_before(int list_index, int limit) const {
  const ArrivalList& list = lists_[static_cast<std::size_t>(list_index)];
  auto p = std::lower_bound(list.times.begin(), list.times.end(), limit) - list.times.begin();
  return p == 0 ? -1 : list.best_arrival[static_cast<std::size_t>(p - 1)];
}

// The runs of the journey that ends with `arrival`, first run first.
std::vector<JourneyLeg> ConnectionSearch::legs_to(int arrival) const {
  std::vector<JourneyLeg> legs;
  while (arrival >= 0) {
    const ArrivalRec& a = arrivals_[static_cast<std::size_t>(arrival)];
    const StopRec& s = stops_[static_cast<std::size_t>(a.from_stop)];
    legs.push_back({runs_[static_cast<std::size_t>(a.run)].number, s.target, a.target});
    arrival = s.via;
  }
  std::reverse(legs.begin(), legs.end());
  return legs;
}

void ConnectionSearch::mark(int n, int kind, int from, int to, int best) {
  DiagramRunState& run = dia_.diagrams[n].run;
  run.search_kind = kind;
  run.search_from_target = from;
  run.search_to_target = to;
  run.search_best_time = best;
}

std::string ConnectionSearch::progress_text(int best, int last, bool colons) const {
  const RecordTable<map::Target>& targets = timing_.map().targets;
  auto name = [&](int t) {
    return targets.names_record(t) ? sjis::to_utf8_lossy(targets[t].name) : std::string();
  };
  return format("経路探索中　（探索範囲：%s発%s－%s着%s）", name(from_).c_str(),
                timetext::format(best, colons).c_str(), name(to_).c_str(),
                timetext::format(last, colons).c_str());
}

std::vector<Journey> ConnectionSearch::run(Progress& progress, bool colons) {
  clear_marks();
  collect_runs();
  std::vector<const RunInfo*> candidates;
  for (const RunInfo& r : runs_) {
    if (r.departure_stop < 0 || r.arrival == kNone) continue;
    if (r.arrival >= stops_[static_cast<std::size_t>(r.departure_stop)].time) {
      candidates.push_back(&r);
    }
  }
  // By arrival; of runs arriving together only the first is searched, and
  // that is the one leaving latest (then the lowest number): an earlier one
  // would hide the faster journey.
  auto departure = [&](const RunInfo* r) {
    return stops_[static_cast<std::size_t>(r->departure_stop)].time;
  };
  std::sort(candidates.begin(), candidates.end(), [&](const RunInfo* x, const RunInfo* y) {
    if (x->arrival != y->arrival) return x->arrival < y->arrival;
    if (departure(x) != departure(y)) return departure(x) > departure(y);
    return x->number < y->number;
  });
  if (!candidates.empty()) work_out_values();

  std::vector<Journey> journeys;
  int best = 0;
  int last = 0;
  auto next = candidates.begin();
  for (;;) {
    progress.report(progress_text(best, last, colons));
    while (next != candidates.end() && (*next)->arrival <= last) ++next;
    if (next == candidates.end()) break;
    const RunInfo& r = **next;
    last = r.arrival;

    const StopRec& departure = stops_[static_cast<std::size_t>(r.departure_stop)];
    int h = departure.time;
    int feeder = -1;  // the arrival that brings the best journey to r
    int transfer = 0;
    for (int k = r.departure_stop + 1; k < r.first_stop + r.stop_count; ++k) {
      const StopRec& s = stops_[static_cast<std::size_t>(k)];
      if (s.event >= r.arrival_event) break;
      if (s.target == from_) continue;
      int a = best_arrival_before(s.list, s.time);
      if (a >= 0 && arrivals_[static_cast<std::size_t>(a)].value > std::max(h, best)) {
        h = arrivals_[static_cast<std::size_t>(a)].value;
        feeder = a;
        transfer = s.target;
      }
    }

    if (feeder >= 0) {
      std::vector<JourneyLeg> legs = legs_to(feeder);
      for (const JourneyLeg& leg : legs) {
        mark(leg.diagram, kSearchFeeder, leg.from_target, leg.to_target, h);
      }
      mark(r.number, kSearchLastLeg, transfer, to_, h);
      best = std::max(best, h);
      legs.push_back({r.number, transfer, to_});
      journeys.push_back({h, r.arrival, std::move(legs)});
    } else if (h > best) {
      mark(r.number, kSearchDirect, from_, to_, h);
      best = h;
      journeys.push_back({h, r.arrival, {{r.number, from_, to_}}});
    }
  }
  progress.report("探索終了");
  return journeys;
}

}  // namespace

std::vector<Journey> search_connections(DiaTables& dia, const TimingLookup& timing, int from_target,
                                        int to_target, Progress& progress, bool colons) {
  ConnectionSearch search(dia, timing, from_target, to_target);
  return search.run(progress, colons);
}

}  // namespace vosk::dia
