#pragma once
// Reading a WinDIA text timetable into a fresh data set: a dia of its trains
// and a simple map with one station, one stopping place and two rails per
// listed station, spaced by the quickest running times found.
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/data_set.h"

namespace vosk::exchange {

struct WindiaImport {
  datafiles::DataSet data;
  // What was cut or skipped (UTF-8): texts longer than their fields, one
  // line per train; time fields that could not be read, with their line.
  std::vector<std::string> warnings;
};

// Reads the file's bytes (CP932; lines ended by CR LF or LF alone). Lines
// it cannot use are skipped, never refused.
WindiaImport import_windia(std::string_view bytes);

}  // namespace vosk::exchange
