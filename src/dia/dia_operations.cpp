#include "dia/dia_operations.h"

#include <cstdlib>

#include "base/sjis.h"

namespace vosk::dia {
namespace {

// A diagram number that names a slot of the table.
bool names_diagram(const DiaTables& dia, int n) { return dia.diagrams.names_record(n); }

// Calls visit(number) for each diagram after `first` along `link`, stopping at
// a number that names no diagram in use, at `first` again, or after as many
// steps as the table has slots (a damaged chain may loop).
template <class Visit>
void walk_chain(const DiaTables& dia, int first, int Diagram::*link, Visit visit) {
  int steps = dia.diagrams.extent();
  for (int r = dia.diagrams[first].*link;
       r != first && names_diagram(dia, r) && dia.diagrams[r].in_use() && steps-- > 0;
       r = dia.diagrams[r].*link) {
    visit(r);
  }
}

// What a run keeps in step with the run it is coupled with when it follows
// its own pattern.
void copy_pattern_information(const Diagram& from, Diagram& to) {
  to.destination = from.destination;
  to.train_type = from.train_type;
  to.crew = from.crew;
  to.speed_type = from.speed_type;
  to.value_d = from.value_d;
  to.destination_text = from.destination_text;
}

// What a run that follows the coupled run (follow_coupled 1) takes.
void copy_all_information(const Diagram& from, Diagram& to) {
  copy_pattern_information(from, to);
  to.flag_a = from.flag_a;
  to.flag_b = from.flag_b;
  to.car_number = from.car_number;
  to.train_number = from.train_number;
  to.nickname = from.nickname;
  to.remarks = from.remarks;
}

int fail(Prompt* prompt, const char* text) {
  if (prompt != nullptr) prompt->tell(caption::kOperationError, text);
  return 0;
}

}  // namespace

std::string new_train_number_text() { return "NONE"; }
std::string undetermined_destination() { return sjis::from_utf8_lossy("不定"); }
std::string temporary_destination() { return sjis::from_utf8_lossy("臨時"); }

int allocate_diagram(DiaTables& dia) {
  DiagramTable& diagrams = dia.diagrams;
  int n = 1;
  while (n <= diagrams.extent() && diagrams[n].in_use()) ++n;
  if (n > kMaxDiaRecordNumber) return 0;
  if (n > diagrams.capacity()) {
    int slots = diagrams.capacity() + 1;  // records 0 .. capacity
    diagrams.raise_capacity((slots / 16 + 1) * 16);
  }
  diagrams.grow_to(n);
  clear_diagram(dia, n);
  diagrams[n].reserve_events(dia.event_capacity);
  return n;
}

void clear_diagram(DiaTables& dia, int n) {
  if (!dia.diagrams.contains(n)) return;
  Diagram& d = dia.diagrams[n];
  std::vector<DiaEvent> events = std::move(d.events);
  events.clear();
  d = Diagram{};
  d.events = std::move(events);
}

void copy_diagram(DiaTables& dia, int dst, int src) {
  if (dst == src || !names_diagram(dia, dst) || !names_diagram(dia, src)) return;
  Diagram& to = dia.diagrams[dst];
  std::vector<DiaEvent> events = std::move(to.events);
  to = dia.diagrams[src];
  to.events = std::move(events);
  to.run = DiagramRunState{};
  to.run.copy_source = src;
  to.flag_c = 1;
}

bool allocate_train(DiaTables& dia, int n) {
  if (n < 0 || n > kMaxDiaRecordNumber) return false;
  dia.trains.grow_to(n);
  return true;
}

bool allocate_unit(DiaTables& dia, int n) {
  if (n < 0 || n > kMaxDiaRecordNumber) return false;
  dia.units.grow_to(n);
  return true;
}

void recompute_owners(DiaTables& dia) {
  for (Diagram& d : dia.diagrams) d.run.owning_unit = 0;
  for (int u = 1; u <= dia.units.extent(); ++u) {
    int first = dia.units[u].first_diagram;
    if (!names_diagram(dia, first) || !dia.diagrams[first].in_use()) continue;
    dia.diagrams[first].run.owning_unit = u;
    walk_chain(dia, first, &Diagram::next_working,
               [&](int r) { dia.diagrams[r].run.owning_unit = u; });
  }
}

int previous_working(const DiaTables& dia, int n, Prompt* prompt) {
  if (!names_diagram(dia, n)) return 0;
  int unit = dia.diagrams[n].run.owning_unit;
  if (!dia.units.names_record(unit)) {
    return fail(prompt, "この運用は編成の指定がされていないため、前運用が判別できません。");
  }
  int first = dia.units[unit].first_diagram;
  if (first == n) return fail(prompt, "この運用が最初の運用になります。");
  int steps = dia.diagrams.extent();  // a damaged chain may loop
  for (int r = first; names_diagram(dia, r) && dia.diagrams[r].in_use() && steps-- > 0;
       r = dia.diagrams[r].next_working) {
    if (dia.diagrams[r].next_working == n) return r;
  }
  return fail(prompt, "前運用が見つかりませんでした。");
}

bool is_temporary(const DiaTables& dia, int n) {
  if (!names_diagram(dia, n)) return false;
  const std::vector<DiaEvent>& e = dia.diagrams[n].events;
  return e.size() >= 2 && e[0].type == kEventArrival && e[1].type == kEventEnd;
}

void auto_destination(DiaTables& dia, int n, const MapLookup& map) {
  if (!names_diagram(dia, n)) return;
  Diagram& d = dia.diagrams[n];
  if (is_temporary(dia, n)) {
    d.destination = 0;
    d.destination_text = temporary_destination();
    return;
  }
  for (std::size_t k = d.event_count(); k-- > 1;) {
    const DiaEvent& e = d.events[k];
    if (e.type != kEventStop && e.type != kEventArrival) continue;
    int station = map.rail_station(e.rail);
    if (station == 0) continue;
    d.destination = map.rail_target(e.rail);
    d.destination_text = std::string(sjis::cut(map.station_name(station), kDestinationTextBytes));
    return;
  }
  // Already negative: the text is free and the last target is kept.
  d.destination = -std::abs(d.destination);
}

void propagate_to_coupled(DiaTables& dia, int n) {
  if (!names_diagram(dia, n)) return;
  auto pass_on = [&](int r) {
    Diagram& to = dia.diagrams[r];
    if (to.follow_coupled == 1) {
      copy_all_information(dia.diagrams[n], to);
    } else if (to.applied_pattern != 0) {
      copy_pattern_information(dia.diagrams[n], to);
    }
  };
  walk_chain(dia, n, &Diagram::coupled_behind, pass_on);
  walk_chain(dia, n, &Diagram::coupled_ahead, pass_on);
}

bool times_missing(const DiaTables& dia, int n) {
  if (!names_diagram(dia, n)) return false;
  const Diagram& d = dia.diagrams[n];
  for (std::size_t k = 1; k < d.event_count(); ++k) {
    const DiaEvent& e = d.events[k];
    bool timed = (e.type >= kEventStop && e.type <= kEventPoint) || e.type == kEventStopNoSearch;
    if (timed && e.time == 0) return true;
  }
  return false;
}

void init_ordinary_diagram(Diagram& d, int rail, int time, int direction) {
  std::vector<DiaEvent> events = std::move(d.events);
  d = Diagram{};
  d.direction = direction;
  d.destination = 1;
  d.crew = 1;
  d.train_type = 1;
  d.speed_type = 1;
  d.pattern_changed = 1;
  d.flag_c = 1;
  d.follow_coupled = 1;
  d.train_number = new_train_number_text();
  d.destination_text = undetermined_destination();
  events.assign({{rail, time, kEventStop}, {rail, time, kEventEnd}});
  d.events = std::move(events);
}

void init_temporary_diagram(Diagram& d, int rail, int direction) {
  init_ordinary_diagram(d, rail, 0, direction);
  d.train_type = 0;
  d.destination = 0;
  d.destination_text = temporary_destination();
  d.events[0].type = kEventArrival;
}

EditResult check_start_time(int seconds) {
  if (seconds >= 0 && seconds <= kMaxInputTime) return EditResult::done();
  return EditResult::refused(caption::kInputDataError, "時刻が不正です。再設定して下さい。\n");
}

}  // namespace vosk::dia
