#pragma once
// A hand-made line for the timetable tests: stations A, B, C and D at 0,
// 1, 2 and 3 km on display target 1, one rail per station and direction,
// the default classification tables and runs added per test.
#include <initializer_list>

#include "datafiles/data_set.h"
#include "dia/classification.h"
#include "support/temp_dir.h"
#include "timetable/timetable_model.h"

namespace vosk::testing {

constexpr int hm(int h, int m, int s = 0) { return h * 3600 + m * 60 + s; }

struct TimetableLine {
  datafiles::DataSet ds;

  TimetableLine() {
    ds.classification = dia::new_classification_tables(120);
    dia::TrainType& type = ds.classification.train_types[1];
    type.passenger_service = 1;
    type.red = 0x12;
    type.green = 0xAB;
    type.blue = 0x0F;
    type.letter_name = sj("普");
    const char* names[] = {"A", "B", "C", "D"};
    for (int n = 1; n <= 4; ++n) {
      map::Target& t = ds.map.targets.grow_to(n);
      t.station = n;
      t.distances.fill(-1);
      t.distances[0] = (n - 1) * 100;
      t.short_name = names[n - 1];
      t.one_char_name = std::string(names[n - 1]) + "1";
      t.name = std::string(names[n - 1]) + sj("駅");
      for (int dir = 1; dir <= 2; ++dir) {
        map::Rail& r = ds.map.rails.grow_to(rail(n, dir));
        r.direction = dir;
        r.station = n;
        r.target = n;
      }
    }
    ds.header.dia.standard = 30;
  }

  static int rail(int station, int direction) { return (station - 1) * 2 + direction; }

  // A run with the events given (rail of station, time, type) in its own
  // direction, and the end entry; returns its number.
  int add_run(int direction, std::initializer_list<dia::DiaEvent> events) {
    const int n = ds.dia.diagrams.extent() + 1;
    dia::Diagram& d = ds.dia.diagrams.grow_to(n);
    d.direction = direction;
    d.train_type = 1;
    d.speed_type = 1;
    d.run.owning_unit = 1;
    d.train_number = "10" + std::to_string(n);
    d.events.assign(events.begin(), events.end());
    d.events.push_back({d.events.back().rail, d.events.back().time, dia::kEventEnd});
    return n;
  }

  // A down run stopping at every station from `first` on, two minutes apart.
  int down_run(int start, int first = 1, int last = 4) {
    std::vector<dia::DiaEvent> events;
    for (int s = first; s <= last; ++s)
      events.push_back({rail(s, 1), start + (s - first) * 120, dia::kEventStop});
    const int n = add_run(1, {events.front()});
    ds.dia.diagrams[n].events = events;
    ds.dia.diagrams[n].events.push_back({events.back().rail, events.back().time, dia::kEventEnd});
    return n;
  }

  timetable::Timetables build(const timetable::TableView& view = {}) const {
    return timetable::build_timetables(ds, 0, view);
  }
};

}  // namespace vosk::testing
