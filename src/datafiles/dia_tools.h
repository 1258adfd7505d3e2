#pragma once
// Whole-dia operations for batch use: the checks of every run and the full
// measurement of the runs with missing times.
#include <vector>

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

}  // namespace vosk::datafiles
