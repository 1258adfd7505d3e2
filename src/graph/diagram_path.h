#pragma once
// The polyline of one run in the train graph: down a station block's
// entry edge to the stopping line, along it while the train stands, out at
// the exit edge, sloped to the next place. Arrivals the run does not give
// are derived from the standard stop times.
#include "base/record_table.h"
#include "base/surface.h"
#include "dia/diagram.h"
#include "dia/timing_lookup.h"
#include "graph/time_axis.h"
#include "graph/vertical_layout.h"
#include "map/rail.h"

namespace vosk::graph {

class PathSink {
 public:
  virtual ~PathSink() = default;
  virtual void move_to(Point p) = 0;
  virtual void line_to(Point p) = 0;
};

// Plain strokes on the surface.
class SurfaceSink : public PathSink {
 public:
  explicit SurfaceSink(Surface& surface) : surface_(surface) {}
  void move_to(Point p) override { surface_.move_to(p); }
  void line_to(Point p) override { surface_.line_to(p); }

 private:
  Surface& surface_;
};

struct PathContext {
  const TimeAxis& axis;
  const VerticalLayout& layout;
  const RecordTable<map::Rail>& rails;
  const dia::TimingLookup& timing;
  bool view_pass = false;
  // Draw every place on its target line, never on a track row (the drag
  // overlay does).
  bool target_lines_only = false;
};

// Traces the run shifted by `offset`. False when the run has no stop or
// arrival at a shown place and nothing was traced.
bool trace_diagram(const PathContext& ctx, const dia::Diagram& d, Point offset, PathSink& sink);

// The earliest and latest x a run's trace can reach lie within the run's
// event times: a run whose times all lie before the view's start or after
// its end draws nothing but masked strokes.
struct TimeBounds {
  int first = 0, last = 0;
  bool any = false;
};
TimeBounds diagram_time_bounds(const dia::Diagram& d);

}  // namespace vosk::graph
