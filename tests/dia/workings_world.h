#pragma once
// A line for the workings tests: stations A, B, C on a right-running track
// with left-running twins on the same tracks, so that runs can turn back,
// duties with formations of one series, and the contexts of the workings and
// formation operations.
//
//   right:  z → a (A) → s1 → b (B) → s2 → c (C) → e (end)
//   left:   z_l (end) ← a_l (A) ← s1_l ← b_l (B) ← s2_l ← c_l (C) ← e_l
#include <optional>
#include <string>

#include "dia/dia_load.h"
#include "dia/formations.h"
#include "dia/map_tables_ref.h"
#include "dia/workings.h"
#include "dia/workings_follow_up.h"
#include "route_world.h"
#include "support/scripted_prompt.h"

namespace vosk::dia::route_testing {

constexpr int k10 = 36000;  // 10:00:00

class WorkingsWorld {
 public:
  RouteWorld w;
  testing::ScriptedPrompt prompt;
  stock::SeriesTable series;
  int A = 0, B = 0, C = 0;
  int z = 0, a = 0, s1 = 0, b = 0, s2 = 0, c = 0, e = 0;
  int z_l = 0, a_l = 0, s1_l = 0, b_l = 0, s2_l = 0, c_l = 0, e_l = 0;

  WorkingsWorld() {
    A = w.add_station("A");
    B = w.add_station("B");
    C = w.add_station("C");
    z = w.add_rail(kRight);
    a = w.add_platform(kRight, A);
    s1 = w.add_rail(kRight);
    b = w.add_platform(kRight, B);
    s2 = w.add_rail(kRight);
    c = w.add_platform(kRight, C);
    e = w.add_rail(kRight);
    w.chain({z, a, s1, b, s2, c, e});
    e_l = w.add_rail(kLeft, 0, 0, track(e));
    c_l = w.add_platform(kLeft, C, track(c));
    s2_l = w.add_rail(kLeft, 0, 0, track(s2));
    b_l = w.add_platform(kLeft, B, track(b));
    s1_l = w.add_rail(kLeft, 0, 0, track(s1));
    a_l = w.add_platform(kLeft, A, track(a));
    z_l = w.add_rail(kLeft, 0, 0, track(z));
    w.chain({e_l, c_l, s2_l, b_l, s1_l, a_l, z_l});
    for (auto [from, to] : {std::pair{a, b}, {b, c}, {c_l, b_l}, {b_l, a_l}}) {
      w.set_running_time(from, to, kEventArrival, 300);  // stops and arrivals alike
    }
    w.settings.stop.standard = 30;
    w.settings.stop.reverse = 120;
    series.allocate(10);
    add_series("EC", 5, 100);
  }

  int add_series(const std::string& name, int cars, int length) {
    int n = series.extent() + 1;
    stock::Series& s = series.grow_to(n);
    s.name = name;
    s.cars = cars;
    s.train_length = length;
    s.electrification = {1, 1, 1, 1, 1, 1};
    return n;
  }

  // A duty standing at `rail` with one formation of series 1.
  int add_duty(int rail, const std::string& unit_name) {
    int t = w.dia.trains.extent() + 1;
    int u = w.dia.units.extent() + 1;
    allocate_train(w.dia, t);
    allocate_unit(w.dia, u);
    Train& train = w.dia.trains[t];
    train.initial_rail = rail;
    train.head_unit = u;
    train.name = unit_name;
    Unit& unit = w.dia.units[u];
    unit.train = t;
    unit.series = 1;
    unit.name = unit_name;
    set_train_position(train, lookup());
    return t;
  }

  // Call once the map and the tables are complete.
  const WorkingsContext& workings(std::optional<int> executed_time = std::nullopt) {
    w.context();
    follow_up_.emplace(w.view(), w.index(), w.timing(), true);
    route_.emplace(RouteContext{w.view(), w.index(), w.timing(), &*follow_up_});
    workings_.emplace(WorkingsContext{*route_, prompt, executed_time});
    formations_.emplace(FormationContext{*workings_, series, false, false});
    return *workings_;
  }
  const FormationContext& formations() { return *formations_; }
  const RouteContext& route() { return *route_; }

  Diagram& run(int n) { return w.dia.diagrams[n]; }
  DiaTables& dia() { return w.dia; }
  int last_rail(int n) { return run(n).events[run(n).event_count() - 1].rail; }
  int last_time(int n) { return run(n).events[run(n).event_count() - 1].time; }

 private:
  int track(int rail) const { return w.rails[rail].l_pack; }
  const MapLookup& lookup() {
    ref_.emplace(MapTablesRef{w.rails, w.prails, w.targets, w.stations});
    lookup_.emplace(*ref_);
    return *lookup_;
  }

  std::optional<MapTablesRef> ref_;
  std::optional<MapTablesLookup> lookup_;
  std::optional<WorkingsRouteFollowUp> follow_up_;
  std::optional<RouteContext> route_;
  std::optional<WorkingsContext> workings_;
  std::optional<FormationContext> formations_;
};

}  // namespace vosk::dia::route_testing
