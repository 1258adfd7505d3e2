#pragma once
// Model operations on the dia records: slots, working chains, coupled runs,
// temporary dias and destinations. Diagram numbers that name no diagram are
// accepted everywhere and change nothing.
#include <string>

#include "base/prompt.h"
#include "dia/dia_tables.h"
#include "dia/edit_result.h"
#include "dia/map_lookup.h"

namespace vosk::dia {

// Texts of new diagrams, as CP932 bytes.
std::string new_train_number_text();     // "NONE"
std::string undetermined_destination();  // "不定"
std::string temporary_destination();     // "臨時"

// The lowest free diagram number: the first slot from 1 up whose direction
// is 0, or the number after the extent. The table's capacity grows to
// (old slot count / 16 + 1) × 16 when that number lies beyond it. The slot is
// cleared and its event list allocated; it stays free until the caller gives
// it a direction. Returns 0 when no number is left.
int allocate_diagram(DiaTables& dia);

// Zeroes the numbers, empties the texts, the run-time values and the event
// list (its storage is kept for reuse).
void clear_diagram(DiaTables& dia, int n);

// Copies the stored fields and texts of `src` into `dst`, leaving dst's
// events. The copy starts with cleared run-time values and remembers its
// source; like every copied diagram it gets flag_c 1.
void copy_diagram(DiaTables& dia, int dst, int src);

// Grow the table to hold number n (new slots cleared); false for a number
// below 0 or above kMaxDiaRecordNumber.
bool allocate_train(DiaTables& dia, int n);
bool allocate_unit(DiaTables& dia, int n);

// Sets every diagram's owning unit from the units' working chains
// (Unit::first_diagram along next_working); diagrams on no chain get none.
void recompute_owners(DiaTables& dia);

// The diagram whose next working is n, found along n's owning unit's chain;
// 0 when there is none, with the reason shown on `prompt` when one is given.
int previous_working(const DiaTables& dia, int n, Prompt* prompt);

// A temporary dia (臨時ダイヤ): an arrival followed directly by the end entry.
bool is_temporary(const DiaTables& dia, int n);

// 行先表示自動設定: the last stop or arrival (before the end entry, after the
// first event) at a station rail gives the destination target and the
// station's name; without one the destination becomes negative (free text).
// A temporary dia gets destination 0 and the text "臨時".
void auto_destination(DiaTables& dia, int n, const MapLookup& map);

// Copies n's train information along its coupling chains, behind first, then
// ahead: runs that follow the coupled run take all of it, runs with an applied
// pattern take destination, type, crew, speed type, value_d and destination
// text, other runs are left alone.
void propagate_to_coupled(DiaTables& dia, int n);

// True when an event after the first is a stop, arrival, pass or point
// without a time ("時刻が未設定の部分があります。" before automatic timing).
bool times_missing(const DiaTables& dia, int n);

// A new ordinary run starting with a stop at `rail` at `time`, followed by
// its end entry, ready for the route builder.
void init_ordinary_diagram(Diagram& d, int rail, int time, int direction);
// A new temporary dia standing at `rail`.
void init_temporary_diagram(Diagram& d, int rail, int direction);

// Times typed by the user are accepted from 0 to 28:00:00.
inline constexpr int kMaxInputTime = 100800;
// Refuses a start time outside 0 .. kMaxInputTime with the input-error box.
EditResult check_start_time(int seconds);

}  // namespace vosk::dia
