#pragma once
// The standard running and stop times that automatic timing and the checks
// look up event by event. Built for one operation over the tables as they
// stand: running times are indexed per speed type and stop-time answers are
// remembered, so that timing thousands of runs does not scan the lists for
// every event. Do not keep one across an edit of the classification tables.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "dia/classification.h"
#include "dia/map_tables_ref.h"
#include "dia/stop_time.h"

namespace vosk::dia {

// The dia time settings (header [ダイヤ設定] and WdiaMode).
struct TimingSettings {
  int unit = 15;  // seconds, the step of rounding and shifting
  StopTimeDefaults stop;
  bool wdia_mode = false;  // imported from WinDIA: time 0 is a real time
};

class TimingLookup {
 public:
  TimingLookup(const MapTablesRef& map, const ClassificationTables& tables,
               const TimingSettings& settings);

  const TimingSettings& settings() const { return settings_; }
  const MapTablesRef& map() const { return map_; }
  const ClassificationTables& tables() const { return tables_; }

  // Seconds from the rail of a departing stop to the rail of an event of
  // `event_type` (1 and 7 filed as 2); 0 when none is registered.
  int running_time(int from_rail, int to_rail, int event_type, int speed_type) const;
  // Standard stop time of a rail for the run's types (0 = pass).
  int stop_time(int rail, int train_type, int speed_type) const;
  // Standard turnback time of a rail for the run's types.
  int turnback_time(int rail, int train_type, int speed_type) const;
  // The type-independent stop time of a rail (extension, measurement).
  int plain_stop_time(int rail) const;

 private:
  struct Key {
    int a, b, c, d;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const;
  };
  using Index = std::unordered_map<Key, int, KeyHash>;

  int typed_lookup(int rail, int kind, int train_type, int speed_type) const;
  const Index& running_index(int speed_type) const;

  const MapTablesRef& map_;
  const ClassificationTables& tables_;
  TimingSettings settings_;
  // Built on first use, one per speed type (index = speed type number).
  mutable std::vector<Index> running_;
  mutable std::vector<bool> running_built_;
  mutable Index stop_answers_;
};

}  // namespace vosk::dia
