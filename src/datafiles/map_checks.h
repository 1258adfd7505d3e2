#pragma once
// What runs on a map once its tables are read: the rail-data check, the
// repair of speed types without a measuring series and the offer to convert
// an old map's signal aspects (only the rail-data check for a dia imported
// from WinDIA). Also the switch of the interlocking panel mode.
#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "datafiles/signal_settings.h"

namespace vosk::datafiles {

struct MapCheckOptions {
  bool english = false;                          // UI language, for derived labels
  const SignalSettingsDialog* dialog = nullptr;  // none: the proposed values are accepted
  StatusText status;                             // optional
};

struct MapCheckOutcome {
  bool accepted = true;            // false: Abort in the rail-data check abandoned the data set
  bool signals_converted = false;  // the next save must ask for a file name
};

MapCheckOutcome run_map_checks(DataSet& ds, Prompt& prompt, const MapCheckOptions& options = {});

// Offers to give every speed type whose measuring series is missing series
// 1 (only when the dia has series at all). Returns how many were repaired.
int repair_speed_types(dia::SpeedTypeTable& speed_types, int series_count, Prompt& prompt);

enum class InterlockingSwitch { Refused, SwitchedOff, SwitchedOn };

// The "Use Interlocking" command: checks the prerequisites, toggles
// UseInterlocking and, when it goes on, rebuilds the levers and buttons.
InterlockingSwitch toggle_interlocking(DataSet& ds, Prompt& prompt);

}  // namespace vosk::datafiles
