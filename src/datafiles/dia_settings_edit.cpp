#include "datafiles/dia_settings_edit.h"

#include "base/prompt.h"
#include "base/sjis.h"

namespace vosk::datafiles {
namespace {

constexpr int kLatestTime = 100800;  // 28:00:00

template <class Field>
SettingsEdit<Field> refuse(Field field, const char* text) {
  SettingsEdit<Field> edit;
  edit.refusal = FieldRefusal<Field>{field, caption::kInputDataError, text};
  return edit;
}

}  // namespace

TimeSettingsValues time_settings_of(const Header& header) {
  return {header.dia.unit, header.dia.standard, header.dia.reverse,
          header.dia.stop_time_velocity == 1};
}

SettingsEdit<TimeField> apply_time_settings(Header& header, const TimeSettingsValues& v) {
  if (v.unit < 1 || v.unit > kMaxStandardSeconds) {
    return refuse(TimeField::Unit, "時間単位は1～3600秒の範囲で指定して下さい。\n");
  }
  if (v.standard < 0 || v.standard > kMaxStandardSeconds) {
    return refuse(TimeField::Standard, "標準停車時間は0～3600秒の範囲で指定して下さい。\n");
  }
  if (v.reverse < 0 || v.reverse > kMaxStandardSeconds) {
    return refuse(TimeField::Reverse, "標準折返時間は0～3600秒の範囲で指定して下さい。\n");
  }
  SettingsEdit<TimeField> edit;
  edit.changed = time_settings_of(header) != v;
  header.dia.unit = v.unit;
  header.dia.standard = v.standard;
  header.dia.reverse = v.reverse;
  // Any other value read from a file means per train type, as the lookups
  // take it; it is only rewritten when the choice changes.
  if (v.per_speed_type != (header.dia.stop_time_velocity == 1)) {
    header.dia.stop_time_velocity = v.per_speed_type ? 1 : 0;
  }
  return edit;
}

DiaPropertyValues dia_property_of(const Header& header) {
  return {header.dia.dia_title, header.dia.dia_comment, header.start_time,
          header.dia.base_target};
}

SettingsEdit<PropertyField> apply_dia_property(Header& header, const DiaPropertyValues& v,
                                               int target_count) {
  if (v.start_time < 0 || v.start_time > kLatestTime) {
    return refuse(PropertyField::StartTime, "時刻が不正です。再設定して下さい。\n");
  }
  if (v.base_target < 0 || v.base_target > target_count) {
    return refuse(PropertyField::BaseTarget, "基準駅が存在しません。再設定して下さい。\n");
  }
  DiaPropertyValues stored = v;
  stored.title = std::string(sjis::cut(v.title, kMaxHeaderText));
  stored.comment = std::string(sjis::cut(v.comment, kMaxHeaderText));
  SettingsEdit<PropertyField> edit;
  edit.changed = dia_property_of(header) != stored;
  header.dia.dia_title = std::move(stored.title);
  header.dia.dia_comment = std::move(stored.comment);
  header.start_time = stored.start_time;
  header.dia.base_target = stored.base_target;
  return edit;
}

}  // namespace vosk::datafiles
