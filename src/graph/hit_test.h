#pragma once
// Distances the hit test of the train graph compares.
#include "base/surface.h"

namespace vosk::graph {

// Distance from `click` to the line through the run's point above the
// station line over the click (`upper`) and its point below (`lower`),
// truncated. A vertical pair (a run standing still in x) measures to the
// segment instead, where the line formula would divide by zero.
int distance_to_run(Point click, Point upper, Point lower);

// Truncated Euclidean distance.
int distance_to_point(Point click, Point p);

}  // namespace vosk::graph
