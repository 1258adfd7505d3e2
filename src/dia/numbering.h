#pragma once
// Whole-dia commands: the running order of the runs, automatic train numbers
// (by formation and working order, or serial) and automatic destinations.
// The commands ask their question first and return how many runs changed,
// nullopt when the user answered No.
#include <optional>

#include "base/prompt.h"
#include "dia/dia_tables.h"
#include "dia/map_lookup.h"
#include "dia/timing_lookup.h"

namespace vosk::dia {

// Which direction code is down (下り): 1 with the map's RightDown, else 2.
constexpr int down_direction(bool right_down) { return right_down ? 1 : 2; }

// Sets running_order of every run in use: per direction (1, then 2) the runs
// are ordered by their time at `base_target`, then at every other target in
// number order, last by their average departure time; at each step the runs
// not yet ordered that have a time there go in among the ordered ones by
// that time (before the first ordered run with a later time there). Times
// count on the operating day; a run's time at a target is its first visit
// there: the departure of a stop, the departure after an arrival (or the
// arrival alone), or the passing time. Runs with no time anywhere get 0.
// The average departure is kept in each run's run-time values.
void compute_running_order(DiaTables& dia, const TimingLookup& timing, int base_target);

// 列車番号自動設定 by formation: every formation's working chain is numbered
// "%s%02d" (formation name, counter), the counter rising before a run until
// its parity matches the direction (odd down, even up).
std::optional<int> number_by_formation(DiaTables& dia, bool right_down, Prompt& prompt);

// 列車番号自動設定 with serial numbers: after the running order, down runs get
// 1, 3, 5, … and up runs 2, 4, 6, … in that order ("%d"); templates keep
// theirs, and a run of another direction code gets "0".
std::optional<int> number_serially(DiaTables& dia, const TimingLookup& timing, int base_target,
                                   bool right_down, Prompt& prompt);

// 行先表示自動設定 of every run in use.
std::optional<int> set_all_destinations(DiaTables& dia, const MapLookup& map, Prompt& prompt);

}  // namespace vosk::dia
