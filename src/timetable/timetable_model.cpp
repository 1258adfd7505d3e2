#include "timetable/timetable_model.h"

#include <algorithm>

#include "base/time_text.h"
#include "dia/stop_time.h"

namespace vosk::timetable {

namespace {

const char* const kDots = "\xA5\xA5";  // "･･" (half-width)
const char* const kThrough = "||";
const char* const kPassMark = "\xDA";  // "ﾚ"

bool is_down(int direction, bool right_down) { return (direction == 1) != right_down; }

int target_of_rail(const datafiles::DataSet& ds, int rail) {
  if (rail <= 0 || rail > ds.map.rails.extent()) return 0;
  return ds.map.rails[rail].target;
}

// The earliest and latest stop or arrival among the run's first events at
// each station, in event-list order.
void find_span(const dia::Diagram& d, const FirstEvents& first, const std::vector<int>& stations,
               RunSpan& span) {
  for (int t : stations) {
    const int e = first.at(t);
    if (e < 0) continue;
    const int type = d.events[e].type;
    if (type != dia::kEventStop && type != dia::kEventArrival) continue;
    if (span.first < 0 || e < span.first) span.first = e;
    if (span.last < 0 || e > span.last) span.last = e;
  }
}

std::vector<TableRow> rows_of(const datafiles::DataSet& ds, const std::vector<int>& stations) {
  std::vector<TableRow> rows;
  for (std::size_t i = 0; i < stations.size(); ++i) {
    const map::Target& t = ds.map.targets[stations[i]];
    const bool last = i + 1 == stations.size();
    const bool both = t.time_display == map::kArrivalsAndDepartures;
    if (both || last) rows.push_back({stations[i], RowKind::Arrival});
    if (t.show_track_numbers) rows.push_back({stations[i], RowKind::Track});
    if (!last) rows.push_back({stations[i], RowKind::Departure});
  }
  return rows;
}

int stop_seconds(const datafiles::DataSet& ds, const dia::Diagram& d, int rail) {
  dia::StopTimeDefaults defaults;
  defaults.standard = ds.header.dia.standard;
  defaults.reverse = ds.header.dia.reverse;
  defaults.per_speed_type = ds.header.dia.stop_time_velocity != 0;
  dia::StopTimeQuery query;
  query.rail = rail;
  query.rail_target = target_of_rail(ds, rail);
  query.kind = dia::kStopTime;
  query.train_type = d.train_type;
  query.speed_type = d.speed_type;
  return dia::standard_stop_time(ds.classification.stop_times, defaults, query);
}

std::string track_name(const map::Target& t, int rail) {
  for (const map::TrackEntry& track : t.tracks)
    if (track.rail_a == rail || track.rail_b == rail) return track.short_label;
  return {};
}

}  // namespace

std::vector<int> station_order(const datafiles::DataSet& ds, int display_target, bool reverse) {
  std::vector<int> order;
  if (display_target < 0 || display_target >= map::kDisplayTargetCount) return order;
  for (int n = 1; n <= ds.map.targets.extent(); ++n)
    if (ds.map.targets[n].distances[display_target] >= 0) order.push_back(n);
  auto distance = [&](int n) { return ds.map.targets[n].distances[display_target]; };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return reverse ? distance(a) > distance(b) : distance(a) < distance(b);
  });
  return order;
}

bool qualifies(const datafiles::DataSet& ds, const dia::Diagram& d, const TableView& view) {
  if (!d.in_use() || d.pattern_template != 0) return false;
  if (d.run.owning_unit == 0 && !view.suspense) return false;
  if (d.coupled_behind != 0 && !view.coupled) return false;
  const auto& types = ds.classification.train_types;
  const bool passengers = d.train_type >= 0 && d.train_type <= types.extent() &&
                          types[d.train_type].passenger_service != 0;
  return passengers || view.deadhead;
}

FirstEvents::FirstEvents(const datafiles::DataSet& ds)
    : ds_(ds), index_(static_cast<std::size_t>(ds.map.targets.extent()) + 1, -1) {}

void FirstEvents::fill(const dia::Diagram& d) {
  for (int t : touched_) index_[t] = -1;
  touched_.clear();
  const std::size_t count = d.event_count();
  for (std::size_t e = 0; e < count; ++e) {
    const int t = target_of_rail(ds_, d.events[e].rail);
    if (t <= 0 || t >= static_cast<int>(index_.size()) || index_[t] >= 0) continue;
    index_[t] = static_cast<int>(e);
    touched_.push_back(t);
  }
}

Timetables build_timetables(const datafiles::DataSet& ds, int display_target,
                            const TableView& view) {
  Timetables tables;
  tables.down.stations = station_order(ds, display_target, false);
  tables.up.stations = station_order(ds, display_target, true);
  tables.down.rows = rows_of(ds, tables.down.stations);
  tables.up.rows = rows_of(ds, tables.up.stations);
  const auto& diagrams = ds.dia.diagrams;
  tables.spans.assign(static_cast<std::size_t>(diagrams.extent()) + 1, {});
  const bool right_down = ds.header.map.right_down != 0;
  FirstEvents first(ds);
  for (int n = 1; n <= diagrams.extent(); ++n) {
    const dia::Diagram& d = diagrams[n];
    if (!qualifies(ds, d, view)) continue;
    RunSpan& span = tables.spans[n];
    first.fill(d);
    find_span(d, first, tables.down.stations, span);
    if (span.first < 0 || span.first == span.last) continue;
    if (is_down(d.direction, right_down)) {
      span.down = true;
      tables.down.runs.push_back(n);
    } else {
      span.up = true;
      tables.up.runs.push_back(n);
    }
  }
  // Columns in running order; runs the numbering has not reached follow,
  // by the time of their first table event.
  auto first_time = [&](int n) {
    return timetext::order_key(diagrams[n].events[tables.spans[n].first].time);
  };
  for (Table* t : {&tables.down, &tables.up}) {
    std::stable_sort(t->runs.begin(), t->runs.end(), [&](int a, int b) {
      const int oa = diagrams[a].running_order, ob = diagrams[b].running_order;
      if ((oa > 0) != (ob > 0)) return oa > 0;
      if (oa != ob) return oa < ob;
      return first_time(a) < first_time(b);
    });
  }
  return tables;
}

std::string time_text(int t, bool seconds, bool colons) {
  t = timetext::order_key(t);
  return seconds ? timetext::format(t, colons) : timetext::format_hm(t, colons);
}

std::vector<Cell> run_cells(const datafiles::DataSet& ds, const Timetables& tables,
                            const Table& table, int n, const TableView& view) {
  std::vector<Cell> cells(table.rows.size(), Cell{kDots, kGrey});
  if (n <= 0 || n >= static_cast<int>(tables.spans.size())) return cells;
  const dia::Diagram& d = ds.dia.diagrams[n];
  const RunSpan& span = tables.spans[n];
  const auto& types = ds.classification.train_types;
  Colour colour{};
  if (d.train_type >= 0 && d.train_type <= types.extent()) {
    const dia::TrainType& type = types[d.train_type];
    colour = {type.red, type.green, type.blue};
  }
  auto text = [&](int t) { return Cell{time_text(t, view.seconds, view.colons), colour}; };
  auto mark = [&](const char* m) { return Cell{m, colour}; };

  FirstEvents first(ds);
  first.fill(d);
  enum class Phase { Before, Inside, After } phase = Phase::Before;
  int entered_at = -1;
  std::size_t row = 0;
  for (std::size_t i = 0; i < table.stations.size(); ++i) {
    const int target = table.stations[i];
    const map::Target& place = ds.map.targets[target];
    const bool last = i + 1 == table.stations.size();
    const bool both = place.time_display == map::kArrivalsAndDepartures;
    const int e = first.at(target);
    // The run lies between the stations of its two table events, whichever
    // the table's order meets first.
    const bool at_end = e >= 0 && (e == span.first || e == span.last);
    if (phase == Phase::Before && at_end) {
      phase = Phase::Inside;
      entered_at = e;
    }
    const bool inside = phase == Phase::Inside;
    if (inside && at_end && e != entered_at) phase = Phase::After;

    Cell arrival{kDots, kGrey}, track{kDots, kGrey}, departure{kDots, kGrey};
    if (inside) {
      const int type = e >= 0 ? d.events[e].type : -1;
      const int time = e >= 0 ? d.events[e].time : 0;
      if (type == dia::kEventStop) {
        if ((both || last) && e != 0)
          arrival = text(timetext::earlier_by(time, stop_seconds(ds, d, d.events[e].rail)));
        if (!last) departure = text(time);
      } else if (type == dia::kEventArrival) {
        arrival = text(time);
        const std::size_t next = static_cast<std::size_t>(e) + 1;
        const bool departs = next < d.event_count() &&
                             (d.events[next].type == dia::kEventStop ||
                              d.events[next].type == dia::kEventStopNoSearch) &&
                             target_of_rail(ds, d.events[next].rail) == target;
        if (departs) {
          departure = text(d.events[next].time);
        } else if (!both) {
          departure = text(time);
        }
      } else if (type == dia::kEventPass) {
        arrival = mark(kPassMark);
        departure = view.pass ? text(time) : mark(kPassMark);
      } else {
        departure = mark(kThrough);
      }
      track = Cell{e >= 0 ? track_name(place, d.events[e].rail) : std::string(), colour};
    }
    for (; row < table.rows.size() && table.rows[row].target == target; ++row) {
      switch (table.rows[row].kind) {
        case RowKind::Arrival:
          cells[row] = arrival;
          break;
        case RowKind::Track:
          cells[row] = track;
          break;
        case RowKind::Departure:
          cells[row] = departure;
          break;
      }
    }
  }
  return cells;
}

}  // namespace vosk::timetable
