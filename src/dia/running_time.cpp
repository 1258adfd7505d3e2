#include "dia/running_time.h"

#include <algorithm>

#include "dia/classification_fields.h"
#include "dia/speed_type.h"

namespace vosk::dia {
namespace {

// Versions before 1070 have neither the speed-type nor the kind column.
enum Column { kSpeedType, kFrom, kTo, kHours, kMinutes, kSeconds, kKind };

auto find_entry(RunningTimeList& list, int from_rail, int to_rail, int kind) {
  return std::find_if(list.begin(), list.end(), [&](const RunningTime& e) {
    return e.from_rail == from_rail && e.to_rail == to_rail && e.kind == kind;
  });
}

}  // namespace

int find_running_time(const RunningTimeList& list, int from_rail, int to_rail, int kind) {
  for (const RunningTime& e : list) {
    if (e.from_rail == from_rail && e.to_rail == to_rail && e.kind == kind) return e.seconds;
  }
  return 0;
}

bool set_running_time(RunningTimeList& list, int from_rail, int to_rail, int kind, int seconds) {
  if (from_rail == to_rail || kind == 0) return false;
  auto it = find_entry(list, from_rail, to_rail, kind);
  if (seconds == 0) {
    if (it != list.end()) list.erase(it);
  } else if (it != list.end()) {
    it->seconds = seconds;
  } else {
    list.push_back({from_rail, to_rail, seconds, kind});
  }
  return true;
}

int standard_running_time(const SpeedTypeTable& speed_types, int from_rail, int to_rail, int kind,
                          int speed_type) {
  if (!speed_types.names_record(speed_type)) return 0;
  return find_running_time(speed_types[speed_type].running_times, from_rail, to_rail,
                           running_time_kind(kind));
}

bool set_standard_running_time(SpeedTypeTable& speed_types, int speed_type, int from_rail,
                               int to_rail, int kind, int seconds) {
  if (!speed_types.names_record(speed_type)) return false;
  return set_running_time(speed_types[speed_type].running_times, from_rail, to_rail,
                          running_time_kind(kind), seconds);
}

void read_require_time(std::string_view content, int version, SpeedTypeTable& speed_types,
                       MemberWarnings& warnings) {
  for (SpeedType& s : speed_types) s.running_times.clear();
  ColumnLayout layout({1070, 0, 0, 0, 0, 0, 1070}, version);
  for_each_row(content, layout, warnings, [&](const Row& row) {
    int speed_type = row.integer(kSpeedType, 1);
    if (!record_number_in_range(speed_type, 1, speed_types.extent(), row, warnings)) return;
    // A section from a rail to itself is skipped, and kind 0 cannot be held
    // (it ends a list); set_running_time refuses both.
    set_running_time(speed_types[speed_type].running_times, row.integer(kFrom), row.integer(kTo),
                     row.integer(kKind, 2), row.seconds_hms(kHours));
  });
}

void write_require_time(const SpeedTypeTable& speed_types, csv::Writer& out) {
  for (int n = 1; n <= speed_types.extent(); ++n) {
    for (const RunningTime& e : speed_types[n].running_times) {
      Hms t = split_hms(e.seconds);
      out.printf("%2d,", n);
      out.printf("%3d,", e.from_rail);
      out.printf("%3d,", e.to_rail);
      out.printf("%2d,", t.hours);
      out.printf("%02d,", t.minutes);
      out.printf("%02d,", t.seconds);
      out.printf("%1d,", e.kind);
      out.printf("\n");
    }
  }
}

}  // namespace vosk::dia
