#pragma once
// Writing a dia as a WinDIA text timetable, seen through one display target
// of the train graph.
#include <string>

#include "datafiles/data_set.h"

namespace vosk::exchange {

struct WindiaExportOptions {
  int display_target = 0;  // 0-based column of the targets' distances
  bool view_pass = false;  // passes written with their time and "?", else "-"
};

// The file's bytes: CP932, lines ended by CR LF. Recomputes the running
// order of the runs (the order they are written in).
std::string export_windia(datafiles::DataSet& ds, const WindiaExportOptions& options);

}  // namespace vosk::exchange
