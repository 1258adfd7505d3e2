#pragma once
// The sample as a relay-interlocking panel: area management on, route
// levers and buttons built from the track layout the way switching the
// panel mode on builds them, and the main window's panel showing them.
#include "datafiles/data_set.h"

namespace vosk::samples {

// Needs the track and station tables written (areas, stop distances and the
// PRails' points). The levers run under request control, so that trains ask
// for their routes themselves.
void write_interlocking(datafiles::DataSet& data);

}  // namespace vosk::samples
