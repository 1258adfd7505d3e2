#pragma once
// A short account of an open data set for the main window until the track
// panel exists: map name, dia title and the size of every table.
#include <string>
#include <vector>

#include "datafiles/data_set.h"

namespace vosk::datafiles {

// Number of runs in use (free diagram slots not counted).
int run_count(const dia::DiaTables& dia);

// UTF-8 lines in the UI language.
std::vector<std::string> data_set_summary(const DataSet& ds, bool english);

}  // namespace vosk::datafiles
