#pragma once
// The signal settings (信号設定) of a map: what the dialog edits, its checks
// on OK, and the conversion of an old map's signal aspects, which opens the
// dialog with values fitted to the dia's trains.
#include <functional>
#include <optional>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "datafiles/header_model.h"
#include "map/edit_error.h"

namespace vosk::datafiles {

// Maps below this signal version compute their aspects the older way.
inline constexpr int kCurrentSignalVersion = 1042;
// Maps below this cannot be converted.
inline constexpr int kOldestConvertibleSignalVersion = 1000;

// The dialog's values, in the units the user sees.
struct SignalSettingsInput {
  SafetySystem safety_system = SafetySystem::Ats;  // ＡＴＣ or ＡＴＳ
  int signal_version = kCurrentSignalVersion;
  int margin = 0;                   // 信号余裕距離, m (BreakSpareDist)
  double deceleration = 0.0;        // 信号現示計算減速度, km/h/s (HandleATC / 100)
  int arrival_route_dist = 0;       // 到着時進路確保距離, m (RouteWarningDist)
  int departure_route_dist = 0;     // 出発時進路確保距離, m (RouteCheckDist)
  int re_accel_speed = 0;           // 再力行速度, km/h (ReAccelSpeed)
  bool use_area = false;            // 構内管理有効
  bool use_electri = false;         // 電化方式有効
  bool area_order = false;          // 順序制御時　駅発着順序使用
  bool use_characteristic = false;  // 走行特性
};

// What the checks compare against besides the input.
struct SignalSettingsContext {
  bool safety_choosable = true;  // the safety system is offered for choice
  bool for_conversion = false;   // the dialog serves the aspect conversion
  // Weakest ATC brake of the dia's trains, 1/1024 km/h/s; none without trains.
  std::optional<int> weakest_brake;
  // Some series of the dia has no running characteristics.
  bool series_without_characteristics = false;
};

SignalSettingsInput signal_settings_values(const MapSettings& map);

// HandleATC for a deceleration in km/h/s: × 100, truncated (a hair of slack
// keeps 2.9 from becoming 289 through binary rounding).
int handle_atc_of(double deceleration);

// The command is refused for maps whose aspects are computed the old way.
std::optional<map::EditError> check_signal_settings_command(const MapSettings& map);

// OK: asks to confirm an ATC map (No: Declined), checks the values in the
// dialog's order (Refused with the first failure, caption "入力データエラー"),
// then stores them and warns once when running characteristics are asked
// for series that lack them.
map::EditResult edit_signal_settings(MapSettings& map, const SignalSettingsInput& input,
                                     const SignalSettingsContext& context, Prompt& prompt);

// The smallest ATC brake among the series of the dia's duties' formations
// (1/1024 km/h/s); none when no duty has a formation of a known series.
std::optional<int> weakest_train_brake(const DataSet& ds);
bool has_series_without_characteristics(const DataSet& ds);

// The dialog shown for the conversion: it gets the proposed values and
// returns true when the user confirmed them (having called
// edit_signal_settings until it applied), false when cancelled.
using SignalSettingsDialog = std::function<bool(DataSet& ds, const SignalSettingsInput& proposed,
                                                const SignalSettingsContext&)>;

// Without a person: OK once with the proposed values.
bool accept_proposed_signal_settings(DataSet& ds, const SignalSettingsInput& proposed,
                                     const SignalSettingsContext& context, Prompt& prompt);

// Shows a status text (UTF-8) while a long step runs, e.g. in the title.
using StatusText = std::function<void(const char* text)>;

enum class ConversionOutcome {
  NotOffered,   // WdiaMode or a current map
  Declined,     // the user answered No, or the dialog was cancelled
  NotPossible,  // the map is too old or needs none
  Converted,
};

// Offers the conversion of an old map's aspects after loading; Yes fits
// HandleATC to the weakest train, narrows the margin by 5 m and opens the
// dialog. Confirmed: SignalVersion becomes current and the derived train
// data are rebuilt; cancelled: the two values are restored.
ConversionOutcome offer_signal_conversion(DataSet& ds, Prompt& prompt, bool english,
                                          const SignalSettingsDialog& dialog = {},
                                          const StatusText& status = {});

// The conversion itself (the second half of the offer).
ConversionOutcome convert_signal_aspects(DataSet& ds, Prompt& prompt, bool english,
                                         const SignalSettingsDialog& dialog = {},
                                         const StatusText& status = {});

}  // namespace vosk::datafiles
