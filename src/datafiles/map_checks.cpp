#include "datafiles/map_checks.h"

#include "base/format.h"
#include "base/sjis.h"
#include "map/lever_rebuild.h"
#include "map/rail_check.h"

namespace vosk::datafiles {

MapCheckOutcome run_map_checks(DataSet& ds, Prompt& prompt, const MapCheckOptions& options) {
  MapCheckOutcome outcome;
  if (options.status) options.status("データチェック中");
  if (map::check_rail_data(ds.map.rails, ds.map.prails, ds.header.map.map_pos_check, prompt) ==
      map::RailCheckResult::Abandoned) {
    outcome.accepted = false;
    return outcome;
  }
  if (ds.header.wdia_mode != 0) return outcome;
  if (options.status) options.status("マップ自動修正中");
  repair_speed_types(ds.classification.speed_types, ds.series.extent(), prompt);
  ConversionOutcome c =
      offer_signal_conversion(ds, prompt, options.english,
                              options.dialog ? *options.dialog : SignalSettingsDialog{}, options.status);
  outcome.signals_converted = c == ConversionOutcome::Converted;
  return outcome;
}

int repair_speed_types(dia::SpeedTypeTable& speed_types, int series_count, Prompt& prompt) {
  if (series_count < 1) return 0;
  int repaired = 0;
  for (int k = 1; k <= speed_types.extent(); ++k) {
    dia::SpeedType& type = speed_types[k];
    if (type.measuring_series <= series_count) continue;
    std::string name = sjis::to_utf8_lossy(type.name);
    Answer a = prompt.ask(
        "自動修正確認",
        format("速度種別%sの計測用形式データがありません。\n"
               "使用中にエラーが発生する可能性があります\n\n"
               "該当する速度種別の形式設定を自動修正します。\nよろしいですか？\n",
               name.c_str()),
        Buttons::YesNo);
    if (a != Answer::Yes) continue;
    type.measuring_series = 1;
    ++repaired;
  }
  return repaired;
}

InterlockingSwitch toggle_interlocking(DataSet& ds, Prompt& prompt) {
  MapTables& m = ds.map;
  if (!map::check_interlocking_prerequisites(ds.header.map.use_area != 0, m.rails, m.prails,
                                             prompt))
    return InterlockingSwitch::Refused;
  MapSettings& settings = ds.header.map;
  settings.use_interlocking = settings.use_interlocking != 0 ? 0 : 1;
  if (settings.use_interlocking == 0) return InterlockingSwitch::SwitchedOff;
  map::InterlockingTables t{m.rails, m.prails, m.route_levers, m.route_buttons};
  map::LeverRebuildOptions options;
  options.atc = settings.safety_system != SafetySystem::Ats;
  map::rebuild_levers_and_buttons(t, options, prompt);
  return InterlockingSwitch::SwitchedOn;
}

}  // namespace vosk::datafiles
