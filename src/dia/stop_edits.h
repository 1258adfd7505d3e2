#pragma once
// Stop-type edits on one event of a run (the train graph's context menu) and
// shifting a departure by one time unit.
#include <cstddef>

#include "base/prompt.h"
#include "dia/dia_tables.h"
#include "dia/edit_result.h"
#include "dia/pattern.h"
#include "dia/route_hooks.h"
#include "dia/timing_lookup.h"

namespace vosk::dia {

enum class StopEdit {
  Stop,              // 停車: type 1 (mode 1); at the run's end, extends the run
  ArrivalDeparture,  // arrival at time − stop time, then the departure (mode 10)
  StopNoPassengers,  // the departure becomes type 7 (mode 11)
  Pass,              // 通過: type 3 (mode 3)
  Terminal,          // 終着: the run ends here with an arrival (mode 12)
};

// Applies `edit` to the station visit holding event i of run n: a single
// stop or pass, an arrival with its departure, or the run's end (its final
// arrival or end entry). Then, when `correct` is set, re-times the run from
// the visit (and after the departure of a new arrival-departure pair), marks
// the pattern users and updates the coupled runs.
// Refused: extending or ending a run that couples at its end ("延長した場合に、
// 併結できません。" / "終着にした場合に、併結できません。", 併結エラー), or an
// extension the route hook refuses. Declined, changing nothing: a point event,
// an edit that does not apply at the run's end (arrival-departure, no
// passengers, pass), and a pass or terminal at the run's start.
EditResult apply_stop_edit(DiaTables& dia, int n, std::size_t i, StopEdit edit,
                           const TimingLookup& timing, const RouteHooks& hooks, bool correct);

// Moves the departure at event i (or the departure after the arrival at i) by
// one unit, `steps` = +1 or −1, rounded down to the unit. A run with an
// applied pattern gets the pattern again at its (new) first time; otherwise
// the run is corrected from the next event. Refused for a result outside
// 00:00:01 .. 28:00:00 (入力データエラー) and with the pattern's refusals (the
// run is then left as it was); Declined for an event that is no departure.
EditResult shift_departure(DiaTables& dia, int n, std::size_t i, int steps,
                           const TimingLookup& timing, const PatternTable& patterns,
                           const RouteHooks& hooks, Prompt& prompt);

}  // namespace vosk::dia
