#pragma once
// Whole-dia operations for batch use: the checks of every run and the full
// measurement of the runs with missing times.
#include <optional>
#include <vector>

#include "base/prompt.h"

#include "datafiles/data_set.h"
#include "dia/dia_checks.h"

namespace vosk::datafiles {

// The dia settings of the header as the timing model wants them.
dia::TimingSettings timing_settings(const Header& header);

// Every run in use, checked in the order the edit window checks a run.
std::vector<dia::RunFindings> check_every_run(const DataSet& ds, bool use_duplicate);

struct RetimeResult {
  int runs_changed = 0;
  int times_still_missing = 0;  // event times still 0 after the measurement
};
// The full measurement, without the stop/pass flag, of every run with
// missing times.
RetimeResult retime_missing(DataSet& ds);

// 列車番号自動設定 of the whole dia, by formation and working order or with
// serial numbers in running order from the header's base target. The
// command asks its question through `prompt`; the number of runs changed,
// nullopt when answered No.
std::optional<int> number_runs(DataSet& ds, bool serial, Prompt& prompt);

// 行先表示自動設定 of every run in use, asked the same way.
std::optional<int> set_destinations(DataSet& ds, Prompt& prompt);

}  // namespace vosk::datafiles
