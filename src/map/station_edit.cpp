#include "map/station_edit.h"

#include "base/prompt.h"
#include "base/sjis.h"
#include "map/member_columns.h"

namespace vosk::map {
namespace {

std::optional<EditError> check_times(const StationInput& input) {
  const auto not_positive = [](int field) {
    return EditError{caption::kDataError, "時間は正の値しか指定できません。", field};
  };
  if (input.melody_time < 0) return not_positive(kStationMelodyTime);
  if (input.door_close_min <= 0) return not_positive(kStationDoorMin);
  if (input.door_close_mid <= 0) return not_positive(kStationDoorMid);
  if (input.door_close_max <= 0) return not_positive(kStationDoorMax);
  const auto wrong_order = [](int field) {
    return EditError{caption::kDataError, "時間の大小関係が不正です。", field};
  };
  if (input.door_close_min >= input.door_close_mid) return wrong_order(kStationDoorMin);
  if (input.door_close_mid >= input.door_close_max) return wrong_order(kStationDoorMid);
  return std::nullopt;
}

template <class Record>
void store_names(Record& record, const StationInput& input) {
  record.one_char_name = sjis::cut(input.one_char_name, kShortTextBytes);
  record.short_name = sjis::cut(input.short_name, kShortTextBytes);
  record.name = sjis::cut(input.name, kLongTextBytes);
}

}  // namespace

StationInput station_values(int target_number, const RecordTable<Station>& stations,
                            const RecordTable<Target>& targets) {
  StationInput input;
  if (!targets.names_record(target_number)) return input;
  const Target& target = targets[target_number];
  input.one_char_name = target.one_char_name;
  input.short_name = target.short_name;
  input.name = target.name;
  input.time_display = target.time_display;
  input.show_track_numbers = target.show_track_numbers;
  if (!stations.names_record(target.station)) return input;
  const Station& station = stations[target.station];
  input.one_char_name = station.one_char_name;
  input.short_name = station.short_name;
  input.name = station.name;
  input.scale = station.scale;
  input.melody_time = station.melody_time;
  input.melody_file = station.melody_file;
  input.door_close_min = station.door_close_min;
  input.door_close_mid = station.door_close_mid;
  input.door_close_max = station.door_close_max;
  return input;
}

std::optional<EditError> edit_station(int target_number, const StationInput& input, bool wdia_mode,
                                      RecordTable<Station>& stations,
                                      RecordTable<Target>& targets) {
  // The dialog is opened only for existing records; anything else is a
  // caller fault.
  if (!targets.names_record(target_number) ||
      (targets[target_number].station != 0 &&
       !stations.names_record(targets[target_number].station))) {
    return EditError{caption::kOperationError, "指定されたレコードが存在しません。\n"};
  }
  Target& target = targets[target_number];
  if (target.station == 0) {
    // A stopping section outside stations: only names and time display.
    store_names(target, input);
    target.time_display = input.time_display;
    return std::nullopt;
  }
  if (!wdia_mode) {
    if (auto e = check_times(input)) return e;
  }
  Station& station = stations[target.station];
  store_names(station, input);
  station.scale = input.scale;
  station.melody_time = input.melody_time;
  station.melody_file = sjis::cut(input.melody_file, kLongTextBytes);
  station.door_close_min = input.door_close_min;
  station.door_close_mid = input.door_close_mid;
  station.door_close_max = input.door_close_max;
  store_names(target, input);
  target.scale = station.scale;
  target.time_display = input.time_display;
  target.show_track_numbers = input.show_track_numbers;
  return std::nullopt;
}

}  // namespace vosk::map
