#pragma once
// A made-up, self-consistent data set for trying the program out, for tests
// and for benchmarks: a double-track main line with passing loops, a
// terminal with turnback platforms and sidings, a junction with a
// single-track branch, and a day of runs from about 05:00 to 25:00 in both
// directions with their duties, formations and classification tables.
#include "datafiles/data_set.h"

namespace vosk::samples {

struct SampleOptions {
  int stations = 12;  // main line and branch together, 5 .. 300
  int runs = 150;     // at least this many runs, not counting coupled runs (8 .. 20000)
  unsigned seed = 1;  // the same seed always gives the same data set
  // Every trip one run from end to end, however crowded that makes the
  // line: a stress set for benchmarks, full of platform overlaps.
  bool whole_journeys = false;
};

// Values outside the supported ranges are brought into them.
datafiles::DataSet make_sample(const SampleOptions& options);

}  // namespace vosk::samples
