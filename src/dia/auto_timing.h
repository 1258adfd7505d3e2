#pragma once
// Automatic timing: times of a run follow from its fixed departures, the
// standard running times of its speed type and the standard stop times.
// An anchor is the nearest earlier departure (type 1 or 7); the running time
// to an event is filed under the event's type (1 and 7 as 2, 6 for a final
// arrival that couples onto a run already standing there). A missing running
// time leaves the dependent time 0 (unset) instead of failing.
#include <cstddef>

#include "base/prompt.h"
#include "dia/coupling_relations.h"
#include "dia/dia_tables.h"
#include "dia/edit_result.h"
#include "dia/timing_lookup.h"

namespace vosk::dia {

constexpr bool is_departure(int type) { return type == kEventStop || type == kEventStopNoSearch; }

// Rounding to the dia's time unit; a unit below 1 leaves the time as it is.
int round_down_to_unit(int t, int unit);
int round_up_to_unit(int t, int unit);

// The correction after an edit: re-times run n from event `first` on. A
// departure after an arrival is a fixed time and ends the correction, so does
// an arrival once it is timed. The run's first event is its start and is never
// re-timed. The end entry takes the run's last time.
void correct_times(DiaTables& dia, int n, std::size_t first, const TimingLookup& timing,
                   const CouplingRelations& relations);
void correct_times(DiaTables& dia, int n, std::size_t first, const TimingLookup& timing);

// The full measurement (自動計測) of run n. With `set_stop_pass` a stop whose
// standard stop time is 0 becomes a pass and a pass with a standard stop time
// becomes a stop (new runs, changed train type); the run's start and a
// departure after an arrival keep their type.
void measure_times(DiaTables& dia, int n, const TimingLookup& timing,
                   const CouplingRelations& relations, bool set_stop_pass);
void measure_times(DiaTables& dia, int n, const TimingLookup& timing, bool set_stop_pass);

// The measurement of 自動計測 without its question: measures run n without
// the stop/pass flag and once more when times are still missing.
void measure_missing_times(DiaTables& dia, int n, const TimingLookup& timing,
                           const CouplingRelations& relations);

// After the dia settings dialog changed run n (its train and speed type were
// `old_train_type` and `old_speed_type`): a run with an applied pattern is
// left alone; any other is measured, with the stop/pass flag when the
// dialog's "種別変更時停通自動設定" (`change_stop_pass`, settings key
// ChangeStopPass) is checked and the type that keys the stop times changed
// (the speed type when stop times are kept per speed type, else the train
// type). True when the run was measured.
bool measure_after_settings_dialog(DiaTables& dia, int n, const TimingLookup& timing,
                                   int old_train_type, int old_speed_type, bool change_stop_pass);

// Measures every run in use, templates included, without the stop/pass flag,
// and marks the users of every template whose times changed. Returns the
// number of runs whose events changed. (Batch re-timing of a whole dia.)
int measure_all(DiaTables& dia, const TimingLookup& timing);

// The command 自動計測 on run n: nothing when no time is missing; otherwise
// asks "時刻が未設定の部分があります。自動計測を行いますか？" and on Yes measures
// (twice when times are still missing), then marks the pattern users and
// updates the coupled runs. Done when measured, Declined when not asked or
// answered No.
EditResult auto_measure_command(DiaTables& dia, int n, const TimingLookup& timing, Prompt& prompt);

// Arrival time of event i of run n for display and the connection search: a
// departure's arrival is departure − stop time, or, in a dia imported in
// WinDIA mode, the nearest earlier departure with a registered running time
// plus that time. A departure right after an arrival on its rail arrives with
// that arrival; other events arrive at their time. Outside WinDIA mode an
// unset departure (0) has an unset arrival.
int arrival_time(const Diagram& d, std::size_t i, const TimingLookup& timing);

// 時刻自動設定: whether time edits in the dia edit window re-time the following
// events. Lives until the dia is closed (then reset()).
class AutoCorrectionSwitch {
 public:
  // Before a time edit in the dia edit window: the first one asks
  // "次駅以降の時刻を自動で修正しますか？" and keeps the answer. True when the
  // correction is to run after the edit.
  bool before_time_edit(Prompt& prompt);
  // After a stop-type edit or a route change the correction runs in an
  // ordinary dia, and in a dia opened from an executed state only while on.
  bool corrects_after_stop_edit(bool executed_dia) const { return !executed_dia || on_; }
  // The toggle command; switching on measures run `current` (0 = none).
  void toggle(DiaTables& dia, int current, const TimingLookup& timing);

  bool on() const { return on_; }
  bool asked() const { return asked_; }
  void reset() { on_ = asked_ = false; }

 private:
  bool on_ = false;
  bool asked_ = false;
};

}  // namespace vosk::dia
