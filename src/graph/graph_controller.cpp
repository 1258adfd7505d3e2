#include "graph/graph_controller.h"

#include <algorithm>
#include <utility>

#include "base/sjis.h"

namespace vosk::graph {

GraphController::GraphController(datafiles::DataSet& data, GraphSettings settings, bool english)
    : data_(data), settings_(std::move(settings)), english_(english) {
  if (settings_.line_styles.size() < kLineEntryCount)
    settings_.line_styles = default_graph_line_styles();
  end_ = start_ + std::max(kMinSpan, settings_.time_scale);
}

void GraphController::set_mode(GraphMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  if (mode == GraphMode::DisplayTarget) {
    selected_target_ = 0;
    selected_ = 0;
    dragging_ = false;
    if (stop_drag_) cancel_stop_drag();
  }
  dirty_ = true;
}

void GraphController::set_plot(const Rect& plot) {
  if (plot == plot_) return;
  plot_ = plot;
  dirty_ = true;
}

void GraphController::set_time_range(int start, int end) {
  if (start > end) std::swap(start, end);
  start_ = start;
  end_ = std::max(end, start + kMinSpan);
}

void GraphController::set_display_target(int index) {
  const int count = data_.classification.display_targets.extent();
  if (count <= 0) return;
  display_target_ = ((index % count) + count) % count;
  dragging_ = false;
  if (stop_drag_) cancel_stop_drag();
  dirty_ = true;
}

void GraphController::next_display_target() { set_display_target(display_target_ + 1); }
void GraphController::previous_display_target() { set_display_target(display_target_ - 1); }

Font GraphController::graph_font() const { return shell::drawing_font(settings_.font); }

void GraphController::layout(Surface& surface) {
  settings_.font.height = font_height_for_points(settings_.font.point_size, surface.logpixelsy());
  surface.set_font(graph_font());
  header_height_ = surface.measure("0").height;
  if (settings_.view.view_title)
    header_height_ += surface.measure(sjis::to_utf8_lossy(data_.header.dia.dia_title)).height;

  const auto& targets = data_.map.targets;
  if (dirty_) {
    LayoutFrame frame{plot_.top, plot_.bottom, header_height_, display_target_,
                      settings_.platform_ratio};
    vertical_ = layout_targets(targets, data_.map.rails, frame);
    dirty_ = false;
  }
  // Measured after the positions, so the first pass already knows which
  // places are shown; no shown station leaves the column empty.
  name_column_ = 0;
  for (int n = 1; n <= targets.extent(); ++n) {
    const TargetRow* row = vertical_.row(n);
    if (row == nullptr || row->y == 0 || targets[n].station == 0) continue;
    name_column_ =
        std::max(name_column_, surface.measure(sjis::to_utf8_lossy(targets[n].short_name)).width);
  }
  grid_ = grid_intervals(end_ - start_);
}

TimeAxis GraphController::axis() const {
  return TimeAxis{plot_.left + name_column_, plot_.right, start_, end_};
}

std::string GraphController::caption() const {
  std::string title = english_ ? "Diagram Window" : "ダイヤグラムウインドウ";
  const auto& modes = data_.classification.display_targets;
  const int n = display_target_ + 1;
  const std::string name = modes.names_record(n) ? sjis::to_utf8_lossy(modes[n].name) : "";
  return title + "　" + name;
}

}  // namespace vosk::graph
