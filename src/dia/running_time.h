#pragma once
// Standard running times (標準所要時分), kept per speed type, and their member
// require_time.csv. An entry times the section from the rail of a departing
// stop to the rail of a later event; its kind is that event's type, with the
// stop types 1 and 7 filed as 2 and 6 for an arrival that couples on.
#include <string_view>
#include <vector>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::dia {

struct RunningTime {
  int from_rail = 0;
  int to_rail = 0;
  int seconds = 0;
  int kind = 0;  // never 0 here: 0 ends the list in the file's model
};

// In list order; the file's terminating kind-0 entry is not held.
using RunningTimeList = std::vector<RunningTime>;

// The kind under which a section ending at an event of this type is filed.
constexpr int running_time_kind(int event_type) {
  return (event_type == 1 || event_type == 7) ? 2 : event_type;
}

// Seconds of the entry (from, to, kind), 0 when there is none. The list
// functions take the kind as filed; the speed-type functions below file it.
int find_running_time(const RunningTimeList& list, int from_rail, int to_rail, int kind);

// Replaces the entry (from, to, kind), appends a new one, or with 0 seconds
// removes it and closes the gap. A section from a rail to itself and kind 0
// cannot be held; false for them.
bool set_running_time(RunningTimeList& list, int from_rail, int to_rail, int kind, int seconds);

struct SpeedType;
using SpeedTypeTable = RecordTable<SpeedType>;

// Lookup by (from, to, kind, speed type), the kind being an event type; 0
// when absent or for an unknown speed type.
int standard_running_time(const SpeedTypeTable& speed_types, int from_rail, int to_rail, int kind,
                          int speed_type);

// Sets the running time of speed type `speed_type` (1 .. extent) by the rule of
// set_running_time; false for an unknown speed type or a section it refuses.
bool set_standard_running_time(SpeedTypeTable& speed_types, int speed_type, int from_rail,
                               int to_rail, int kind, int seconds);

// Reads into the running-time lists of the speed types already loaded
// (velocity.csv, or the speed types made from the series for old files).
void read_require_time(std::string_view content, int version, SpeedTypeTable& speed_types,
                       MemberWarnings& warnings);
void write_require_time(const SpeedTypeTable& speed_types, csv::Writer& out);

}  // namespace vosk::dia
