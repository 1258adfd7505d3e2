#pragma once
// A small hand-made line for the train graph tests: three stations A, B and
// C at 0, 1 km and 3 km on display target 1, two rails each (direction 1
// and 2), the default classification tables and runs added per test.
#include <initializer_list>

#include "base/sjis.h"
#include "datafiles/data_set.h"
#include "dia/classification.h"
#include "graph/graph_controller.h"
#include "support/recording_surface.h"

namespace vosk::testing {

constexpr int hm(int h, int m, int s = 0) { return h * 3600 + m * 60 + s; }

struct GraphLine {
  datafiles::DataSet ds;

  GraphLine() {
    ds.classification = dia::new_classification_tables(120);
    const char* names[] = {"A", "B", "C"};
    const int distances[] = {0, 100, 300};
    for (int n = 1; n <= 3; ++n) {
      map::Target& t = ds.map.targets.grow_to(n);
      t.station = n;
      t.scale = n == 1 ? 3 : 1;
      t.distances.fill(-1);
      t.distances[0] = distances[n - 1];
      t.short_name = names[n - 1];
      t.one_char_name = names[n - 1];
      t.name = std::string(names[n - 1]) + " station";
      ds.map.stations.grow_to(n).short_name = names[n - 1];
      for (int dir = 1; dir <= 2; ++dir) {
        map::Rail& r = ds.map.rails.grow_to(rail(n, dir));
        r.direction = dir;
        r.station = n;
        r.target = n;
      }
    }
    ds.header.dia.standard = 45;
  }

  // The rail of station n (1 .. 3) in a direction.
  static int rail(int station, int direction) { return (station - 1) * 2 + direction; }

  // A run with the events given and the end entry; returns its number.
  int add_run(int direction, std::initializer_list<dia::DiaEvent> events, int train_type = 1,
              const char* number = "101M") {
    const int n = ds.dia.diagrams.extent() + 1;
    dia::Diagram& d = ds.dia.diagrams.grow_to(n);
    d.direction = direction;
    d.train_type = train_type;
    d.speed_type = 1;
    d.train_number = number;
    d.events.assign(events.begin(), events.end());
    d.events.push_back({d.events.back().rail, d.events.back().time, dia::kEventEnd});
    return n;
  }
};

// A controller over the line with no title, plotting in (0,0)-(1000,312):
// header 12 px, so with the name column 1 station at y 12, 112 and 311.
inline graph::GraphController make_controller(datafiles::DataSet& ds, int start = hm(6, 0),
                                              int end = hm(7, 0)) {
  graph::GraphController c(ds);
  c.settings().view.view_title = false;
  c.set_plot({0, 0, 1000, 312});
  c.set_time_range(start, end);
  return c;
}

inline std::vector<DrawOp> lines_in(const RecordingSurface& s, Rgb colour) {
  std::vector<DrawOp> out;
  for (const DrawOp& op : s.ops_of(OpKind::Line)) {
    if (op.pen.colour == colour) out.push_back(op);
  }
  return out;
}

inline bool has_segment(const std::vector<DrawOp>& lines, Point a, Point b) {
  for (const DrawOp& op : lines) {
    if (op.from == a && op.to == b) return true;
  }
  return false;
}

}  // namespace vosk::testing
