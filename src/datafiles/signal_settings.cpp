#include "datafiles/signal_settings.h"

#include <algorithm>

#include "datafiles/table_loader.h"

namespace vosk::datafiles {
namespace {

constexpr const char* kVersionError = "バージョンエラー";
constexpr const char* kAtcQuestionCaption = "ＡＴＣ確認";
constexpr const char* kSettingWarning = "設定警告";
// Least margin, in 1/1024 km/h/s, between a train's brake and the aspect
// deceleration.
constexpr long long kBrakeMargin = 98;
constexpr int kMinMargin = 5;

map::EditResult refused(const char* text) {
  map::EditResult r;
  r.status = map::EditResult::Status::Refused;
  r.error = {caption::kInputDataError, text};
  return r;
}

void store(MapSettings& map, const SignalSettingsInput& in, bool safety_choosable) {
  if (safety_choosable && in.safety_system != map.safety_system) {
    map.safety_system = in.safety_system;
    map.use_atc = in.safety_system == SafetySystem::Ats ? 0 : 1;
    map.use_ats = in.safety_system == SafetySystem::Ats ? 1 : 0;
  }
  map.signal_version = in.signal_version;
  map.break_spare_dist = in.margin;
  map.handle_atc = handle_atc_of(in.deceleration);
  map.route_warning_dist = in.arrival_route_dist;
  map.route_check_dist = in.departure_route_dist;
  map.re_accel_speed = in.re_accel_speed;
  map.use_area = in.use_area ? 1 : 0;
  map.use_electri = in.use_electri ? 1 : 0;
  map.area_order = in.area_order ? 1 : 0;
  map.use_characteristic = in.use_characteristic ? 1 : 0;
}

}  // namespace

SignalSettingsInput signal_settings_values(const MapSettings& map) {
  SignalSettingsInput in;
  in.safety_system = map.safety_system;
  in.signal_version = map.signal_version;
  in.margin = map.break_spare_dist;
  in.deceleration = map.handle_atc / 100.0;
  in.arrival_route_dist = map.route_warning_dist;
  in.departure_route_dist = map.route_check_dist;
  in.re_accel_speed = map.re_accel_speed;
  in.use_area = map.use_area != 0;
  in.use_electri = map.use_electri != 0;
  in.area_order = map.area_order != 0;
  in.use_characteristic = map.use_characteristic != 0;
  return in;
}

int handle_atc_of(double deceleration) {
  double hundredths = deceleration * 100.0;
  hundredths += hundredths < 0 ? -1e-7 : 1e-7;
  if (hundredths > 2e9) return 2'000'000'000;
  if (hundredths < -2e9) return -2'000'000'000;
  return static_cast<int>(hundredths);
}

std::optional<map::EditError> check_signal_settings_command(const MapSettings& map) {
  if (map.signal_version >= kCurrentSignalVersion) return std::nullopt;
  return map::EditError{kVersionError,
                        "このマップは、バージョンが古いため、信号設定に対応していません。"};
}

map::EditResult edit_signal_settings(MapSettings& map, const SignalSettingsInput& in,
                                     const SignalSettingsContext& context, Prompt& prompt) {
  if (context.safety_choosable && in.safety_system == SafetySystem::Atc) {
    Answer a =
        prompt.ask(kAtcQuestionCaption,
                   "ＡＴＣマップはポイント・終端などの手前に停止現示となる進入しない閉塞を用意する"
                   "必要があります。\n"
                   "マップの作成が複雑になり難しくなります。\nＡＴＣマップでよろしいですか？",
                   Buttons::YesNo);
    if (a != Answer::Yes) return {map::EditResult::Status::Declined, {}};
  }
  if (in.margin < kMinMargin)
    return refused("信号余裕距離は5[m]以上確保しなければなりません。\n再設定して下さい。\n");
  const int handle = handle_atc_of(in.deceleration);
  if (handle <= 0 || in.arrival_route_dist <= 0 || in.departure_route_dist <= 0)
    return refused("信号現示計算減速度は正の値でなければなりません。\n再設定して下さい。\n");
  if (in.re_accel_speed < 0)
    return refused("再力行速度は正の値でなければなりません。\n再設定して下さい。\n");
  if (!context.for_conversion && context.weakest_brake) {
    long long d = static_cast<long long>(handle) * 1024 / 100;
    if (*context.weakest_brake - kBrakeMargin < d)
      return refused(
          "信号現示計算減速度が列車性能を上回っています。\n余裕を持たせて再設定して下さい。\n");
  }
  store(map, in, context.safety_choosable);
  if (in.use_characteristic && context.series_without_characteristics)
    prompt.tell(kSettingWarning,
                "走行特性シミュレートに対応させるには、対応した形式データが必要です。\n"
                "走行特性シミュレートに非対応の形式は、従来の走行シミュレートになります。\n");
  return {};
}

std::optional<int> weakest_train_brake(const DataSet& ds) {
  std::optional<int> weakest;
  for (int u = 1; u <= ds.dia.units.extent(); ++u) {
    const dia::Unit& unit = ds.dia.units[u];
    if (!ds.dia.trains.names_record(unit.train) || !ds.series.names_record(unit.series)) continue;
    int brake = ds.series[unit.series].atc_brake;
    weakest = weakest ? std::min(*weakest, brake) : brake;
  }
  return weakest;
}

bool has_series_without_characteristics(const DataSet& ds) {
  for (int s = 1; s <= ds.series.extent(); ++s)
    if (ds.series[s].characteristics == 0) return true;
  return false;
}

bool accept_proposed_signal_settings(DataSet& ds, const SignalSettingsInput& proposed,
                                     const SignalSettingsContext& context, Prompt& prompt) {
  map::EditResult r = edit_signal_settings(ds.header.map, proposed, context, prompt);
  if (r.status == map::EditResult::Status::Refused) prompt.tell(r.error.caption, r.error.text);
  return r.applied();
}

ConversionOutcome offer_signal_conversion(DataSet& ds, Prompt& prompt, bool english,
                                          const SignalSettingsDialog& dialog,
                                          const StatusText& status) {
  if (ds.header.wdia_mode != 0 || ds.header.map.signal_version >= kCurrentSignalVersion)
    return ConversionOutcome::NotOffered;
  Answer a = prompt.ask(
      kVersionError,
      "このマップは、バージョンが古いため、信号の現示などに一部不具合が出る可能性があります。\n"
      "信号現示変換処理を行いますか？\n\n"
      "信号現示変換処理を実行すると、列車性能に適した信号現示となりますが、運転時分が変わるため"
      "ダイヤの作成をし直す必要が発生する場合があります。",
      Buttons::YesNo);
  if (a != Answer::Yes) return ConversionOutcome::Declined;
  return convert_signal_aspects(ds, prompt, english, dialog, status);
}

ConversionOutcome convert_signal_aspects(DataSet& ds, Prompt& prompt, bool english,
                                         const SignalSettingsDialog& dialog,
                                         const StatusText& status) {
  MapSettings& map = ds.header.map;
  if (map.signal_version >= kCurrentSignalVersion) {
    prompt.tell(kVersionError, "このマップは、信号現示変換処理は必要ありません。");
    return ConversionOutcome::NotPossible;
  }
  if (map.signal_version < kOldestConvertibleSignalVersion) {
    prompt.tell(kVersionError, "このマップは、バーションが古いため信号現示変換処理は出来ません。");
    return ConversionOutcome::NotPossible;
  }
  if (status) status("信号現示変換中");
  const int kept_margin = map.break_spare_dist;
  const int kept_handle = map.handle_atc;
  SignalSettingsContext context;
  context.for_conversion = true;
  context.weakest_brake = weakest_train_brake(ds);
  context.series_without_characteristics = has_series_without_characteristics(ds);
  if (context.weakest_brake) {
    long long fitted = (static_cast<long long>(*context.weakest_brake) * 100 - 9800) / 1024;
    if (fitted < map.handle_atc) map.handle_atc = static_cast<int>(fitted);
  }
  map.break_spare_dist -= 5;

  SignalSettingsInput proposed = signal_settings_values(map);
  bool confirmed = dialog ? dialog(ds, proposed, context)
                          : accept_proposed_signal_settings(ds, proposed, context, prompt);
  if (!confirmed) {
    map.break_spare_dist = kept_margin;
    map.handle_atc = kept_handle;
    return ConversionOutcome::Declined;
  }
  map.signal_version = kCurrentSignalVersion;
  rebuild_derived_data(ds, english);
  return ConversionOutcome::Converted;
}

}  // namespace vosk::datafiles
