#pragma once
// The dia of the sample data set: series, classification tables, and a day
// of runs with their duties and formations.
#include "datafiles/data_set.h"
#include "samples/map.h"

namespace vosk::samples {

// The three series: a 4-car and a 6-car electric multiple unit for the main
// line and a 2-car one for the branch.
void write_series(stock::SeriesTable& series);

// Classification tables before any run exists: train types, display
// targets, speed types, stop times, passenger flows, crew messages.
void write_classification(const SampleLine& line, const MapTables& map, const Header& header,
                          dia::ClassificationTables& tables);

// Runs (at least `runs` of them besides coupled runs), duties, formations,
// running times and patterns. Needs the map, the series and the
// classification tables written above. `whole_journeys`: every trip one
// run, crowding the line as needed.
void write_runs(const SampleLine& line, DataSet& data, int runs, bool whole_journeys);

}  // namespace vosk::samples
