#pragma once
// The standard times a drawing pass or an edit of the graph looks up (the
// derived arrivals, the re-timing after a drag), over the data set's map.
// Built per operation: it must not outlive an edit of the classification
// tables.
#include "datafiles/data_set.h"
#include "datafiles/dia_tools.h"
#include "dia/timing_lookup.h"

namespace vosk::graph {

struct RunTiming {
  explicit RunTiming(const datafiles::DataSet& ds)
      : map{ds.map.rails, ds.map.prails, ds.map.targets, ds.map.stations},
        lookup(map, ds.classification, datafiles::timing_settings(ds.header)) {}
  RunTiming(const RunTiming&) = delete;
  RunTiming& operator=(const RunTiming&) = delete;

  dia::MapTablesRef map;  // the lookup holds a reference to it
  dia::TimingLookup lookup;
};

}  // namespace vosk::graph
