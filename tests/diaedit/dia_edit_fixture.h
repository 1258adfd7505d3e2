#pragma once
// A small line for the dia edit window tests: stations A, B and C, one rail
// each way, running times A→B and B→C of 300 s (A→C 600 s), a stop time of
// 30 s and a time unit of 15 s. The edited run R stops at A and B and ends
// at C; duty 1's formation "F1" runs P, then R, then N.
#include <algorithm>
#include <initializer_list>

#include "datafiles/data_set.h"
#include "dia/classification.h"
#include "dia/dia_operations.h"
#include "dia/running_time.h"
#include "diaedit/dia_edit_controller.h"
#include "support/recording_surface.h"
#include "support/scripted_prompt.h"

namespace vosk::diaedit::testing {

constexpr int hms(int h, int m, int s = 0) { return h * 3600 + m * 60 + s; }

struct EditLine {
  datafiles::DataSet ds;
  int P = 0, R = 0, N = 0;

  EditLine() {
    ds.classification = dia::new_classification_tables(120);
    ds.header.dia.standard = 30;
    ds.header.dia.unit = 15;
    const char* names[] = {"A", "B", "C"};
    for (int s = 1; s <= 3; ++s) {
      ds.map.targets.grow_to(s).station = s;
      ds.map.stations.grow_to(s).short_name = names[s - 1];
      for (int dir = 1; dir <= 2; ++dir) {
        map::Rail& r = ds.map.rails.grow_to(rail(s, dir));
        r.direction = dir;
        r.station = s;
        r.target = s;
        r.stop_distance = 10;
        r.name = std::string(names[s - 1]) + (dir == 1 ? "1" : "2");
      }
    }
    auto& times = ds.classification.speed_types[1].running_times;
    dia::set_running_time(times, rail(1, 1), rail(2, 1), dia::kEventArrival, 300);
    dia::set_running_time(times, rail(2, 1), rail(3, 1), dia::kEventArrival, 300);
    dia::set_running_time(times, rail(1, 1), rail(3, 1), dia::kEventArrival, 600);
    ds.dia.diagrams.allocate(50);
    ds.dia.units.allocate(5);
    ds.dia.trains.allocate(5);
    P = add_run({{rail(3, 2), hms(9, 0), 1}, {rail(1, 2), hms(9, 10), 2}}, "P");
    R = add_run({{rail(1, 1), hms(10, 0), 1},
                 {rail(2, 1), hms(10, 5, 30), 1},
                 {rail(3, 1), hms(10, 11), 2}},
                "R");
    N = add_run({{rail(3, 2), hms(11, 0), 1}, {rail(1, 2), hms(11, 10), 2}}, "N");
    dia::Unit& u = ds.dia.units.grow_to(1);
    u.name = "F1";
    u.train = 1;
    u.first_diagram = P;
    ds.dia.trains.grow_to(1).head_unit = 1;
    ds.dia.diagrams[P].next_working = R;
    ds.dia.diagrams[R].next_working = N;
    dia::recompute_owners(ds.dia);
  }

  static int rail(int station, int direction) { return (station - 1) * 2 + direction; }

  int add_run(std::initializer_list<dia::DiaEvent> events, const char* number) {
    const int n = ds.dia.diagrams.extent() + 1;
    dia::Diagram& d = ds.dia.diagrams.grow_to(n);
    d.direction = ds.map.rails[events.begin()->rail].direction;
    d.train_type = 1;
    d.speed_type = 1;
    d.train_number = number;
    d.events.assign(events.begin(), events.end());
    d.events.push_back({d.events.back().rail, d.events.back().time, dia::kEventEnd});
    return n;
  }

  std::vector<int> types(int n) const {
    std::vector<int> out;
    const dia::Diagram& d = ds.dia.diagrams[n];
    for (std::size_t i = 0; i < d.event_count(); ++i) out.push_back(d.events[i].type);
    return out;
  }
};

// The controller over the line in a 400 × 600 client, laid out.
struct EditWindow : EditLine {
  DiaEditController controller{ds};
  vosk::testing::RecordingSurface surface{{400, 600}};
  vosk::testing::ScriptedPrompt prompt;

  explicit EditWindow(bool select_r = true) {
    if (select_r) controller.select(R);
    relayout();
  }
  void relayout() { controller.layout(surface); }

  const Cell* find(CellAction action, int event = -1) const {
    for (const Cell& c : controller.last_layout().cells)
      if (c.action == action && (event < 0 || c.event == event)) return &c;
    return nullptr;
  }
  static Point centre(const Cell& c) {
    return {(c.rect.left + c.rect.right) / 2, (c.rect.top + c.rect.bottom) / 2};
  }
  Outcome click(Point at, bool right = false) {
    Outcome o = controller.click(at, right, prompt);
    relayout();
    return o;
  }
  std::vector<std::string> texts() const {
    vosk::testing::RecordingSurface s{{400, 600}};
    DiaEditController& c = const_cast<DiaEditController&>(controller);
    c.draw(s);
    return s.texts();
  }
  bool shows(const std::string& t) const {
    const auto all = texts();
    return std::find(all.begin(), all.end(), t) != all.end();
  }
};

}  // namespace vosk::diaedit::testing
