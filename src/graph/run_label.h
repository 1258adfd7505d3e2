#pragma once
// The label a run carries along its first sloped segment: train number,
// type, nickname and destination as the view flags ask.
#include <string>

#include "datafiles/data_set.h"
#include "graph/diagram_path.h"
#include "graph/graph_settings.h"

namespace vosk::graph {

// The label text in CP932, each part followed by a blank.
std::string run_label_text(const dia::Diagram& d, const ViewFlags& view,
                           const dia::ClassificationTables& tables,
                           const RecordTable<map::Target>& targets);

// Text rotation for a label from `from` to `to`, tenths of a degree
// counter-clockwise (y grows downwards on the surface).
int label_escapement(Point from, Point to);

// Passes strokes on to the surface and remembers the first sloped segment
// that reaches into the plot; its start is pulled onto the plot's left edge
// so that a label never begins under the name column.
class LabelAnchor : public PathSink {
 public:
  LabelAnchor(Surface& surface, int plot_left) : surface_(surface), plot_left_(plot_left) {}
  void move_to(Point p) override;
  void line_to(Point p) override;

  bool found() const { return found_; }
  Point start() const { return start_; }
  Point end() const { return end_; }

 private:
  Surface& surface_;
  int plot_left_;
  Point current_;
  bool found_ = false;
  Point start_, end_;
};

}  // namespace vosk::graph
