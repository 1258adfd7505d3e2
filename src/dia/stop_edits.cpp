#include "dia/stop_edits.h"

#include "base/time_text.h"
#include "dia/auto_timing.h"
#include "dia/coupling_relations.h"
#include "dia/dia_operations.h"
#include "dia/pattern_apply.h"

namespace vosk::dia {
namespace {

bool live(const DiaTables& dia, int n) {
  return dia.diagrams.names_record(n) && dia.diagrams[n].in_use();
}

// The station visit an event belongs to.
struct Visit {
  enum Kind { None, Single, Pair, End } kind = None;
  std::size_t first = 0;      // the single event, or the pair's arrival
  std::size_t departure = 0;  // the pair's departure
};

Visit visit_of(const Diagram& d, std::size_t i) {
  const std::vector<DiaEvent>& e = d.events;
  std::size_t count = d.event_count();
  if (i >= count || (e[i].type == kEventArrival && i + 1 == count)) return {Visit::End};
  int type = e[i].type;
  if (type == kEventArrival && is_departure(e[i + 1].type) && e[i + 1].rail == e[i].rail) {
    return {Visit::Pair, i, i + 1};
  }
  if (is_departure(type) && i > 0 && e[i - 1].type == kEventArrival && e[i - 1].rail == e[i].rail) {
    return {Visit::Pair, i - 1, i};
  }
  if (is_departure(type) || type == kEventPass) return {Visit::Single, i};
  return {};
}

// The pair's arrival goes; its departure stays as the visit's single event.
std::size_t drop_arrival(Diagram& d, const Visit& v) {
  d.events.erase(d.events.begin() + static_cast<std::ptrdiff_t>(v.first));
  return v.first;
}

// The run ends with event i: what follows goes, the end entry repeats it.
void end_after(Diagram& d, std::size_t i) {
  d.events.resize(i + 1);
  d.events.push_back({d.events[i].rail, d.events[i].time, kEventEnd});
}

const char* const kCouplingError = "併結エラー";

}  // namespace

EditResult apply_stop_edit(DiaTables& dia, int n, std::size_t i, StopEdit edit,
                           const TimingLookup& timing, const RouteHooks& hooks, bool correct) {
  // A diagram without events has no route to edit yet.
  if (!live(dia, n) || dia.diagrams[n].event_count() == 0) return EditResult::declined();
  Visit v = visit_of(dia.diagrams[n], i);
  if (v.kind == Visit::None) return EditResult::declined();
  bool at_start = v.kind != Visit::End && v.first == 0;
  if (v.kind == Visit::End) {
    if (edit == StopEdit::Terminal) return EditResult::done(n);
    if (edit != StopEdit::Stop) return EditResult::declined();
  }
  if (at_start && (edit == StopEdit::Pass || edit == StopEdit::Terminal)) {
    return EditResult::declined();
  }
  if (v.kind == Visit::End || edit == StopEdit::Terminal) {
    if (CouplingRelations(dia).couples_at_end(n)) {
      return EditResult::refused(kCouplingError, edit == StopEdit::Terminal
                                                     ? "終着にした場合に、併結できません。"
                                                     : "延長した場合に、併結できません。");
    }
  }

  if (v.kind == Visit::End) {
    EditResult extended =
        hooks.extend ? hooks.extend(n)
                     : EditResult::refused("経路エラー", "これ以上の経路が見つかりません。");
    if (!extended.ok()) return extended;
    mark_pattern_users(dia, n);
    propagate_to_coupled(dia, n);
    return EditResult::done(n);
  }

  Diagram& d = dia.diagrams[n];
  std::size_t from = v.first;        // where the correction starts
  std::size_t also_from = SIZE_MAX;  // a second start after a new fixed departure
  auto dwell = [&](int rail) { return timing.stop_time(rail, d.train_type, d.speed_type); };
  switch (edit) {
    case StopEdit::Stop:
      if (v.kind == Visit::Pair) from = drop_arrival(d, v);
      d.events[from].type = kEventStop;
      break;
    case StopEdit::ArrivalDeparture:
      if (v.kind == Visit::Single) {
        DiaEvent departure = d.events[v.first];
        int arrival = departure.time != 0 ? timetext::earlier_by(departure.time, dwell(departure.rail)) : 0;
        d.events.insert(d.events.begin() + static_cast<std::ptrdiff_t>(v.first),
                        {departure.rail, arrival, kEventArrival});
      }
      d.events[v.first + 1].type = kEventStop;
      also_from = v.first + 2;
      break;
    case StopEdit::StopNoPassengers:
      d.events[v.kind == Visit::Pair ? v.departure : v.first].type = kEventStopNoSearch;
      break;
    case StopEdit::Pass:
      if (v.kind == Visit::Pair) from = drop_arrival(d, v);
      d.events[from].type = kEventPass;
      break;
    case StopEdit::Terminal: {
      DiaEvent& last = d.events[v.first];
      if (v.kind == Visit::Single && is_departure(last.type) && last.time != 0) {
        last.time = timetext::earlier_by(last.time, dwell(last.rail));
      }
      last.type = kEventArrival;
      end_after(d, v.first);
      break;
    }
  }
  if (correct) {
    correct_times(dia, n, from, timing);
    if (also_from != SIZE_MAX) correct_times(dia, n, also_from, timing);
  }
  if (edit == StopEdit::Terminal) {
    if (hooks.relink) hooks.relink(n);
    auto_destination(dia, n, MapTablesLookup(timing.map()));
  }
  mark_pattern_users(dia, n);
  propagate_to_coupled(dia, n);
  return EditResult::done(n);
}

EditResult shift_departure(DiaTables& dia, int n, std::size_t i, int steps,
                           const TimingLookup& timing, const PatternTable& patterns,
                           const RouteHooks& hooks, Prompt& prompt) {
  if (!live(dia, n)) return EditResult::declined();
  Diagram& d = dia.diagrams[n];
  std::size_t count = d.event_count();
  if (i < count && d.events[i].type == kEventArrival && i + 1 < count &&
      is_departure(d.events[i + 1].type) && d.events[i + 1].rail == d.events[i].rail) {
    ++i;
  }
  if (i >= count || !is_departure(d.events[i].type)) return EditResult::declined();
  int unit = timing.settings().unit;
  int moved = round_down_to_unit(d.events[i].time + (steps < 0 ? -unit : unit), unit);
  if (moved <= 0 || moved > kMaxInputTime) return check_start_time(-1);

  Diagram saved = d;
  d.events[i].time = moved;
  if (d.applied_pattern != 0) {
    EditResult applied = apply_pattern(dia, n, d.applied_pattern, d.events[0].time, patterns,
                                       timing.map(), hooks, prompt);
    if (!applied.ok()) {
      dia.diagrams[n] = std::move(saved);
      return applied;
    }
  } else {
    correct_times(dia, n, i + 1, timing);
  }
  mark_pattern_users(dia, n);
  return EditResult::done(n);
}

}  // namespace vosk::dia
