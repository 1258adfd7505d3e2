#include "graph/diagram_filter.h"

namespace vosk::graph {

bool shows_diagram(const dia::Diagram& d, const ViewFlags& view, bool right_down) {
  if (!d.in_use() || d.pattern_template != 0) return false;
  const bool has_working = d.run.owning_unit != 0;
  if (has_working && !view.view_active) return false;
  if (!has_working && !view.view_suspense) return false;
  if (d.coupled_behind != 0 && !view.view_double) return false;
  if (d.run.copy_source < 0) return false;
  return is_down(d.direction, right_down) ? view.view_down : view.view_up;
}

}  // namespace vosk::graph
