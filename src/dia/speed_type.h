#pragma once
// Speed types (速度種別): the velocity table and its member velocity.csv. Each
// speed type owns its list of standard running times.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/prompt.h"
#include "base/record_table.h"
#include "dia/edit_result.h"
#include "dia/renumbering.h"
#include "dia/running_time.h"
#include "dia/stop_time.h"

namespace vosk::dia {

constexpr int kMaxSpeedTypes = 49;  // 50 slots with record 0

struct SpeedType {
  int measuring_series = 0;  // series used to measure running times (計測用形式)
  int max_speed = 0;         // km/h, never negative
  RunningTimeList running_times;
  std::string short_name;  // at most 20 bytes
  std::string name;        // at most 255 bytes
};

// A new dia's speed type 1 "標準": series 1 and the map's MaxSpeed.
SpeedTypeTable default_speed_types(int max_speed);

// The dialog cannot work without series.
EditResult check_speed_type_dialog(int series_count);

// Appends a speed type with the values (their running times are ignored;
// the new one has none). The new number is in the result.
EditResult add_speed_type(SpeedTypeTable& table, const SpeedType& values);

// Stores series, maximum speed and names of speed type n; its running times stay.
EditResult edit_speed_type(SpeedTypeTable& table, int n, const SpeedType& values);

// The diagrams' view of speed types: their speed_type fields live with the
// dia records.
struct SpeedTypeUsers {
  std::function<bool(int speed_type)> in_use;  // some diagram runs with it
  std::function<void(int removed)> renumber;   // apply renumbered_after_removal
};

// Deletes speed type n after asking the user: removes its stop-time entries,
// moves the higher speed types down with their running times, and renumbers
// the remaining stop-time entries and (through `users`) the diagrams.
EditResult delete_speed_type(SpeedTypeTable& table, StopTimeList& stop_times, int n, Prompt& prompt,
                             const SpeedTypeUsers& users);

// "%s %s %s" line of the dialog's list of diagrams using a speed type
// (train number, train type name, destination text; CP932 in, UTF-8 out).
std::string speed_type_user_line(std::string_view train_number, std::string_view type_name,
                                 std::string_view destination_text);

void read_velocity(std::string_view content, int version, SpeedTypeTable& table,
                   MemberWarnings& warnings);
void write_velocity(const SpeedTypeTable& table, csv::Writer& out);

// Data older than version 1070 has no velocity.csv: one speed type per
// series instead, numbered like the series. `series[k]` describes series k+1.
struct SeriesSpeedSource {
  std::string name;  // CP932
  int cars = 0;
  int max_speed = 0;
};
void speed_types_from_series(const std::vector<SeriesSpeedSource>& series, SpeedTypeTable& table);

}  // namespace vosk::dia
