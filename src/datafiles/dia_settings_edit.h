#pragma once
// Edits of the dia settings the header holds ([開始時刻], [ダイヤ設定]): the
// time unit with the default stop and turnback times (単位・標準時間設定) and
// the dia's title, comment, start time and base target (ダイヤプロパティ).
// Each edit checks every value first and changes the header only when all
// pass; a refusal names the field in error so that a dialog can focus it.
#include <optional>
#include <string>

#include "datafiles/header_model.h"

namespace vosk::datafiles {

template <class Field>
struct FieldRefusal {
  Field field;
  std::string caption;  // UTF-8
  std::string text;     // UTF-8
};

template <class Field>
struct SettingsEdit {
  std::optional<FieldRefusal<Field>> refusal;
  bool changed = false;  // the header took new values
  bool ok() const { return !refusal; }
};

// The chooser step and the two defaults are kept to one hour: the stop-time
// choosers offer multiples of the unit up to 3600 seconds.
inline constexpr int kMaxStandardSeconds = 3600;

enum class TimeField { Unit, Standard, Reverse };

struct TimeSettingsValues {
  int unit = 15;
  int standard = 45;
  int reverse = 120;
  bool per_speed_type = false;  // stop_time_velocity

  bool operator==(const TimeSettingsValues&) const = default;
};

TimeSettingsValues time_settings_of(const Header& header);

// The unit must be 1 .. 3600 seconds, the two defaults 0 .. 3600 (0: pass).
SettingsEdit<TimeField> apply_time_settings(Header& header, const TimeSettingsValues& values);

enum class PropertyField { Title, Comment, StartTime, BaseTarget };

struct DiaPropertyValues {
  std::string title;    // DiaTitle, CP932
  std::string comment;  // dia_comment, CP932
  int start_time = 6 * 3600;
  int base_target = 0;  // 0: none

  bool operator==(const DiaPropertyValues&) const = default;
};

DiaPropertyValues dia_property_of(const Header& header);

// The start time must be 0 .. 28:00:00 and the base target 0 or one of the
// `target_count` targets; the texts are cut to their 255-byte fields
// without splitting a double-byte character.
SettingsEdit<PropertyField> apply_dia_property(Header& header, const DiaPropertyValues& values,
                                               int target_count);

}  // namespace vosk::datafiles
