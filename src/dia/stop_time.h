#pragma once
// Standard stop and turnback times (標準停車時間 / 標準折返時間) and their member
// stop_time.csv. An entry is either station-level (a target, no rail) or
// track-level (a rail, 駅内番線別), for one kind, optionally for one train
// type or one speed type.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "dia/edit_result.h"

namespace vosk::dia {

enum StopKind { kStopTime = 0, kTurnbackTime = 1 };

struct StopTime {
  int target = 0;  // station-level entry
  int rail = 0;    // track-level entry
  int kind = kStopTime;
  int seconds = 0;     // 0 = pass (通過)
  int train_type = 0;  // 0 = any
  int speed_type = 0;  // 0 = any
};

// In list order; the file's terminating entry (target and rail 0) is not held.
using StopTimeList = std::vector<StopTime>;

// The dia settings the lookups fall back on (header [ダイヤ設定]).
struct StopTimeDefaults {
  int standard = 45;            // default stop time
  int reverse = 120;            // default turnback time
  bool per_speed_type = false;  // stop_time_velocity: keyed by speed type, else by train type
};

struct StopTimeQuery {
  int target = 0;
  int rail = 0;
  int rail_target = 0;  // the target the rail belongs to (map), 0 = none
  int kind = kStopTime;
  int train_type = 0;
  int speed_type = 0;
};

// The lookup of route building and automatic timing: the track-level entry
// for the types, then for any type; then the station-level entry (the rail's
// target when a rail is given) likewise; then the default for the kind.
int standard_stop_time(const StopTimeList& list, const StopTimeDefaults& defaults,
                       const StopTimeQuery& query);

// The type-independent lookup of extension and turnback: (rail, kind, 0, 0),
// then (target of the rail, kind, 0, 0), then the default.
int plain_stop_time(const StopTimeList& list, const StopTimeDefaults& defaults, int rail,
                    int rail_target, int kind);

// The entry an edit addresses: track-level when `rail` is non-zero (its
// target is then not part of the key and is stored as 0), else station-level.
struct StopTimeKey {
  int target = 0;
  int rail = 0;
  int kind = kStopTime;
  int train_type = 0;
  int speed_type = 0;
};

// The entry's seconds, nullopt when there is none ("標準").
std::optional<int> find_stop_time(const StopTimeList& list, const StopTimeKey& key);

// Sets the entry's seconds (0 = pass), or removes it with nullopt. A key with
// neither target nor rail would end the list and is refused (false).
bool set_stop_time(StopTimeList& list, const StopTimeKey& key, std::optional<int> seconds);

// After speed type `removed` is deleted: drops its entries and moves the
// higher speed types of the others down by one.
void remove_speed_type_stop_times(StopTimeList& list, int removed);

// The dialog cannot work without rails.
EditResult check_stop_time_dialog(int rail_count);

// Seconds the stop and turnback choosers offer besides "標準" (and "通過"):
// every multiple of the time unit up to 3600.
std::vector<int> stop_time_choices(int unit);

// A value as the list shows it: "%3ld秒", "通過" for 0, "標準（%3ld秒）" with
// the default for no entry (UTF-8).
std::string stop_time_text(std::optional<int> seconds, int default_seconds);

// "%s　%s／%s": target or rail name (CP932), stop text, turnback text; UTF-8.
std::string stop_time_list_line(std::string_view name, const std::string& stop,
                                const std::string& turnback);

void read_stop_time(std::string_view content, int version, StopTimeList& list,
                    MemberWarnings& warnings);
void write_stop_time(const StopTimeList& list, csv::Writer& out);

}  // namespace vosk::dia
