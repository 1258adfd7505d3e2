#pragma once
// A small line built in the tests for automatic timing, patterns and the dia
// checks: stopping places joined by plain rails, a dia with formations of
// chosen series, and the lookups over them.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/record_table.h"
#include "dia/check_context.h"
#include "dia/classification.h"
#include "dia/coupling_relations.h"
#include "dia/dia_operations.h"
#include "dia/dia_tables.h"
#include "dia/map_tables_ref.h"
#include "dia/timing_lookup.h"
#include "map/electrification.h"
#include "map/p_rail.h"
#include "map/rail.h"
#include "map/station.h"
#include "map/target.h"
#include "stock/series.h"
#include "support/temp_dir.h"

namespace vosk::dia::timing_testing {

using testing::sj;

// Seconds of h:m:s.
constexpr int hms(int h, int m, int s = 0) { return h * 3600 + m * 60 + s; }

class TestMap {
 public:
  TestMap() {
    rails.allocate(100);
    prails.allocate(100);
    targets.allocate(20);
    stations.allocate(20);
  }

  // A stopping place with its station, named (UTF-8) `name`.
  int add_station(std::string_view name) {
    int t = targets.extent() + 1;
    map::Target& target = targets.grow_to(t);
    map::Station& station = stations.grow_to(t);
    target.station = t;
    target.name = sj(name);
    target.short_name = sj(name);
    station.name = sj(name);
    station.short_name = sj(name);
    return t;
  }

  // A rail of direction 2 on a track of its own, joined behind `back` (0 =
  // start of the line).
  int add_rail(int back, int length, int target = 0, int stop_distance = 0,
               std::string_view name = "") {
    int n = rails.extent() + 1;
    map::Rail& r = rails.grow_to(n);
    r.direction = 2;
    r.length = length;
    r.target = target;
    r.station = target != 0 ? targets[target].station : 0;
    r.stop_distance = stop_distance;
    r.name = sj(name.empty() ? "rail" + std::to_string(n) : std::string(name));
    r.l_back = back;
    if (back != 0) rails[back].l_next = n;
    map::PRail& p = prails.grow_to(n);
    p.rail_a = n;
    p.electrification = map::kDc1500V;
    r.l_pack = n;
    return n;
  }

  // A second rail on the track of `rail` (a platform track used both ways,
  // or the other side of a double track end).
  int add_rail_on_track_of(int rail, int back, int length, std::string_view name = "") {
    const map::Rail src = rails[rail];
    int n = add_rail(back, length, src.target, src.stop_distance, name);
    prails.shrink_to(n - 1);
    rails[n].l_pack = src.l_pack;
    prails[src.l_pack].rail_b = n;
    return n;
  }

  MapTablesRef ref() const { return {rails, prails, targets, stations}; }

  RecordTable<map::Rail> rails;
  RecordTable<map::PRail> prails;
  RecordTable<map::Target> targets;
  RecordTable<map::Station> stations;
};

// A dia with its classification tables and the lookups over a TestMap.
class TestDia {
 public:
  explicit TestDia(TestMap& map) : map_(map) {
    allocate_dia_tables(dia, {50, 50, 50, 0, 0, 0, 0, 0});
    tables = new_classification_tables(120);
    tables.patterns.allocate(99);
    series.allocate(stock::kSeriesCapacity);
    settings.unit = 15;
    settings.stop.standard = 30;
  }

  // A run in direction 2 with the events given, end entry added.
  int add_run(std::vector<DiaEvent> events, int train_type = 1, int speed_type = 1) {
    int n = allocate_diagram(dia);
    Diagram& d = dia.diagrams[n];
    init_ordinary_diagram(d, events.front().rail, events.front().time, 2);
    d.train_type = train_type;
    d.speed_type = speed_type;
    d.train_number = "T" + std::to_string(n);
    d.pattern_changed = 0;
    const DiaEvent& last = events.back();
    events.push_back({last.rail, last.time, kEventEnd});
    d.events = std::move(events);
    return n;
  }

  // A series of `length` metres that runs on the systems flagged.
  int add_series(int length, std::vector<int> systems = {map::kDc1500V},
                 std::string_view name = "形式") {
    int s = series.extent() + 1;
    stock::Series& rec = series.grow_to(s);
    rec.train_length = length;
    rec.cars = 4;
    rec.name = sj(name);
    for (int code : systems) rec.electrification[static_cast<std::size_t>(code)] = 1;
    return s;
  }

  // A formation of series `s` whose working chain is `runs` in order.
  int add_unit(int s, std::vector<int> runs, std::string_view name = "A") {
    int u = dia.units.extent() + 1;
    Unit& unit = dia.units.grow_to(u);
    unit.series = s;
    unit.name = sj(name);
    unit.first_diagram = runs.empty() ? 0 : runs.front();
    for (std::size_t k = 0; k + 1 < runs.size(); ++k) {
      dia.diagrams[runs[k]].next_working = runs[k + 1];
    }
    recompute_owners(dia);
    return u;
  }

  void set_running_time(int from, int to, int kind, int seconds, int speed_type = 1) {
    set_standard_running_time(tables.speed_types, speed_type, from, to, kind, seconds);
  }

  const TimingLookup& timing() {
    refs_ = std::make_unique<MapTablesRef>(map_.ref());
    lookup_ = std::make_unique<TimingLookup>(*refs_, tables, settings);
    return *lookup_;
  }

  // A check context over the dia as it stands now.
  const CheckContext& checks() {
    const TimingLookup& t = timing();
    relations_ = std::make_unique<CouplingRelations>(dia);
    context_ = std::make_unique<CheckContext>(CheckContext{dia, series, t, *relations_});
    return *context_;
  }

  std::vector<DiaEvent> events(int n) const {
    const Diagram& d = dia.diagrams[n];
    return {d.events.begin(), d.events.end()};
  }
  int time(int n, std::size_t i) const { return dia.diagrams[n].events[i].time; }
  int type(int n, std::size_t i) const { return dia.diagrams[n].events[i].type; }

  DiaTables dia;
  ClassificationTables tables;
  stock::SeriesTable series;
  TimingSettings settings;

 private:
  TestMap& map_;
  std::unique_ptr<MapTablesRef> refs_;
  std::unique_ptr<TimingLookup> lookup_;
  std::unique_ptr<CouplingRelations> relations_;
  std::unique_ptr<CheckContext> context_;
};

}  // namespace vosk::dia::timing_testing
