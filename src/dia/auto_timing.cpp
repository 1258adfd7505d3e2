#include "dia/auto_timing.h"

#include "base/time_text.h"
#include "dia/dia_operations.h"
#include "dia/pattern_apply.h"

namespace vosk::dia {
namespace {

using timetext::order_key;

// Running time kind of a final arrival that couples onto a standing run.
constexpr int kCouplingArrival = 6;

bool live(const DiaTables& dia, int n) {
  return dia.diagrams.names_record(n) && dia.diagrams[n].in_use();
}

int last_time(const Diagram& d) {
  std::size_t count = d.event_count();
  return count == 0 ? 0 : d.events[count - 1].time;
}

// The end entry repeats the run's last time; true when it had another.
bool sync_end_entry(Diagram& d) {
  std::size_t count = d.event_count();
  if (count == 0 || count >= d.events.size()) return false;
  int& end_time = d.events[count].time;
  if (end_time == d.events[count - 1].time) return false;
  end_time = d.events[count - 1].time;
  return true;
}

// One run being timed: its events and the lookups for its types.
class RunTimer {
 public:
  RunTimer(const DiaTables& dia, int n, const TimingLookup& timing,
           const CouplingRelations& relations)
      : dia_(dia), n_(n), d_(dia.diagrams[n]), timing_(timing), relations_(relations) {}

  int stop_time(int rail) const { return timing_.stop_time(rail, d_.train_type, d_.speed_type); }

  // anchor time + running time (+ extra), or 0 when either is unset.
  int from_anchor(const DiaEvent& anchor, int rail, int kind, int extra = 0) const {
    int run = timing_.running_time(anchor.rail, rail, kind, d_.speed_type);
    if (run == 0 || anchor.time == 0) return 0;
    return anchor.time + run + extra;
  }

  // An arrival's time; the run's final arrival is filed as kind 6 when the
  // run couples onto a partner whose last event is earlier.
  int arrival(const DiaEvent& anchor, std::size_t i, int current) const {
    int plain = from_anchor(anchor, d_.events[i].rail, kEventArrival);
    if (i + 1 != d_.event_count()) return plain;
    int reference = current != 0 ? current : plain;
    if (!couples_onto_earlier(reference)) return plain;
    return from_anchor(anchor, d_.events[i].rail, kCouplingArrival);
  }

 private:
  bool couples_onto_earlier(int reference) const {
    if (reference == 0) return false;
    auto earlier = [&](int partner) {
      if (!live(dia_, partner)) return false;
      int t = last_time(dia_.diagrams[partner]);
      return t != 0 && order_key(t) < order_key(reference);
    };
    if (earlier(relations_.merge_partner(n_))) return true;
    for (int p : relations_.merged_by(n_)) {
      if (earlier(p)) return true;
    }
    return false;
  }

  const DiaTables& dia_;
  int n_;
  const Diagram& d_;
  const TimingLookup& timing_;
  const CouplingRelations& relations_;
};

// Tracks whether a run's events changed while they are set.
struct ChangeFlag {
  bool changed = false;
  void set(int& field, int value) {
    if (field != value) {
      field = value;
      changed = true;
    }
  }
};

bool measure_run(DiaTables& dia, int n, const TimingLookup& timing,
                 const CouplingRelations& relations, bool set_stop_pass) {
  if (!live(dia, n)) return false;
  RunTimer timer(dia, n, timing, relations);
  std::vector<DiaEvent>& e = dia.diagrams[n].events;
  std::size_t count = dia.diagrams[n].event_count();
  ChangeFlag flag;
  std::size_t a = 0;  // current anchor
  std::size_t v = 0;  // last arrival
  for (std::size_t i = 1; i < count; ++i) {
    DiaEvent& ev = e[i];
    if (set_stop_pass && ev.type == kEventPass && timer.stop_time(ev.rail) > 0) {
      flag.set(ev.type, kEventStop);
    }
    if (is_departure(ev.type)) {
      int dwell = timer.stop_time(ev.rail);
      if (!set_stop_pass && dwell == 0) dwell = timing.plain_stop_time(ev.rail);
      if (ev.rail == e[a].rail) {
        // The run's own start (or a stop on its anchor's rail): left alone.
      } else if (ev.rail == e[v].rail) {
        // A departure after an arrival keeps at least the stop time.
        const DiaEvent& arrived = e[v];
        // Measured on the clock, so a stop across 03:00:00 keeps its length.
        if (arrived.time != 0 &&
            (ev.time == 0 || timetext::clock_difference(arrived.time, ev.time) < dwell)) {
          flag.set(ev.time, arrived.time + dwell);
        }
      } else if (is_departure(e[a].type)) {
        if (set_stop_pass && dwell == 0) {
          flag.set(ev.type, kEventPass);
          flag.set(ev.time, timer.from_anchor(e[a], ev.rail, kEventPass));
          continue;
        }
        flag.set(ev.time, timer.from_anchor(e[a], ev.rail, kEventStop, dwell));
      }
      if (ev.time != 0) a = i;
    } else if (ev.type == kEventArrival) {
      if (is_departure(e[a].type)) flag.set(ev.time, timer.arrival(e[a], i, ev.time));
      v = i;
    } else if (ev.type >= kEventPass && ev.type <= kEventPoint) {
      if (is_departure(e[a].type)) flag.set(ev.time, timer.from_anchor(e[a], ev.rail, ev.type));
    }
  }
  bool end_changed = sync_end_entry(dia.diagrams[n]);
  return flag.changed || end_changed;
}

}  // namespace

int round_down_to_unit(int t, int unit) { return unit < 1 ? t : timetext::round_down(t, unit); }

int round_up_to_unit(int t, int unit) { return unit < 1 ? t : timetext::round_up(t, unit); }

void correct_times(DiaTables& dia, int n, std::size_t first, const TimingLookup& timing,
                   const CouplingRelations& relations) {
  if (!live(dia, n)) return;
  RunTimer timer(dia, n, timing, relations);
  std::vector<DiaEvent>& e = dia.diagrams[n].events;
  std::size_t count = dia.diagrams[n].event_count();
  if (first < 1) first = 1;
  // The anchor before `first`; SIZE_MAX while there is none.
  std::size_t a = SIZE_MAX;
  for (std::size_t j = first < count ? first : count; j-- > 0;) {
    if (is_departure(e[j].type)) {
      a = j;
      break;
    }
  }
  for (std::size_t i = first; i < count; ++i) {
    DiaEvent& ev = e[i];
    if (is_departure(ev.type)) {
      if (e[i - 1].type == kEventArrival || a == SIZE_MAX) break;
      ev.time = timer.from_anchor(e[a], ev.rail, ev.type, timer.stop_time(ev.rail));
      a = i;
    } else if (ev.type == kEventArrival) {
      if (a == SIZE_MAX) break;
      ev.time = timer.arrival(e[a], i, ev.time);
      break;
    } else if (ev.type >= kEventPass && ev.type <= kEventPoint) {
      if (a == SIZE_MAX) break;
      ev.time = timer.from_anchor(e[a], ev.rail, ev.type);
    }
  }
  sync_end_entry(dia.diagrams[n]);
}

void correct_times(DiaTables& dia, int n, std::size_t first, const TimingLookup& timing) {
  correct_times(dia, n, first, timing, CouplingRelations(dia));
}

void measure_times(DiaTables& dia, int n, const TimingLookup& timing,
                   const CouplingRelations& relations, bool set_stop_pass) {
  measure_run(dia, n, timing, relations, set_stop_pass);
}

void measure_times(DiaTables& dia, int n, const TimingLookup& timing, bool set_stop_pass) {
  measure_run(dia, n, timing, CouplingRelations(dia), set_stop_pass);
}

void measure_missing_times(DiaTables& dia, int n, const TimingLookup& timing,
                           const CouplingRelations& relations) {
  measure_run(dia, n, timing, relations, false);
  if (times_missing(dia, n)) measure_run(dia, n, timing, relations, false);
}

bool measure_after_settings_dialog(DiaTables& dia, int n, const TimingLookup& timing,
                                   int old_train_type, int old_speed_type, bool change_stop_pass) {
  if (!live(dia, n) || dia.diagrams[n].applied_pattern != 0) return false;
  const Diagram& d = dia.diagrams[n];
  bool type_changed = timing.settings().stop.per_speed_type ? d.speed_type != old_speed_type
                                                            : d.train_type != old_train_type;
  measure_times(dia, n, timing, change_stop_pass && type_changed);
  return true;
}

int measure_all(DiaTables& dia, const TimingLookup& timing) {
  CouplingRelations relations(dia);
  int changed = 0;
  for (int n = 1; n <= dia.diagrams.extent(); ++n) {
    if (!measure_run(dia, n, timing, relations, false)) continue;
    ++changed;
    mark_pattern_users(dia, n);
  }
  return changed;
}

EditResult auto_measure_command(DiaTables& dia, int n, const TimingLookup& timing, Prompt& prompt) {
  if (!live(dia, n) || !times_missing(dia, n)) return EditResult::declined();
  if (!confirmed(prompt, "自動計測確認",
                 "時刻が未設定の部分があります。自動計測を行いますか？\n")) {
    return EditResult::declined();
  }
  measure_missing_times(dia, n, timing, CouplingRelations(dia));
  mark_pattern_users(dia, n);
  propagate_to_coupled(dia, n);
  return EditResult::done(n);
}

int arrival_time(const Diagram& d, std::size_t i, const TimingLookup& timing) {
  if (i >= d.events.size()) return 0;
  const DiaEvent& ev = d.events[i];
  if (!is_departure(ev.type)) return ev.time;
  if (i > 0 && d.events[i - 1].type == kEventArrival && d.events[i - 1].rail == ev.rail) {
    return d.events[i - 1].time;
  }
  if (timing.settings().wdia_mode) {
    for (std::size_t j = i; j-- > 0;) {
      if (!is_departure(d.events[j].type)) continue;
      int run = timing.running_time(d.events[j].rail, ev.rail, ev.type, d.speed_type);
      if (run != 0) return d.events[j].time + run;
    }
  } else if (ev.time == 0) {
    return 0;
  }
  return ev.time - timing.stop_time(ev.rail, d.train_type, d.speed_type);
}

bool AutoCorrectionSwitch::before_time_edit(Prompt& prompt) {
  if (!asked_) {
    on_ = confirmed(prompt, "時刻自動設定確認", "次駅以降の時刻を自動で修正しますか？\n");
    asked_ = true;
  }
  return on_;
}

void AutoCorrectionSwitch::toggle(DiaTables& dia, int current, const TimingLookup& timing) {
  on_ = !on_;
  asked_ = true;
  if (on_) measure_times(dia, current, timing, false);
}

}  // namespace vosk::dia
