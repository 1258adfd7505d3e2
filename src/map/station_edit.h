#pragma once
// The station property edit (駅情報設定): a station and its target edited
// together; for a stopping section outside stations only the target's names
// and time display.
#include <optional>
#include <string>

#include "base/record_table.h"
#include "map/edit_error.h"
#include "map/station.h"
#include "map/target.h"

namespace vosk::map {

// The inputs a refusal names (EditError::field).
enum StationField : int {
  kStationNoField = 0,
  kStationMelodyTime,
  kStationDoorMin,
  kStationDoorMid,
  kStationDoorMax,
};

// What the dialog collects. Texts are CP932 bytes.
struct StationInput {
  std::string one_char_name;
  std::string short_name;
  std::string name;
  int scale = kUnstaffed;  // StationScale
  int time_display = 0;    // TimeDisplay
  int melody_time = 0;     // s
  std::string melody_file;
  int door_close_min = 0;  // s
  int door_close_mid = 0;  // s
  int door_close_max = 0;  // s
  bool show_track_numbers = false;
};

// The values the dialog starts with, from target `target` and its station.
StationInput station_values(int target, const RecordTable<Station>& stations,
                            const RecordTable<Target>& targets);

// Outside WdiaMode the melody and door times are checked first (caption
// "データエラー"); on failure nothing changes. The names go to both the
// station and the target. Track lists and rail labels are not touched.
std::optional<EditError> edit_station(int target, const StationInput& input, bool wdia_mode,
                                      RecordTable<Station>& stations, RecordTable<Target>& targets);

}  // namespace vosk::map
