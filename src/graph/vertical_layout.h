#pragma once
// Where the stopping places of the current display target lie down the
// train graph: one horizontal line per place, placed by its distance, or one
// line per platform track for a place whose track display is on.
#include <vector>

#include "base/record_table.h"
#include "map/rail.h"
#include "map/target.h"

namespace vosk::graph {

struct TargetRow {
  int y = 0;  // 0: not on the current display target
  // The block the place's lines span (its own y when tracks are not shown);
  // top is the smaller y.
  int block_top = 0;
  int block_bottom = 0;
  // With track display on: the y of each track in the target's track list.
  std::vector<int> track_ys;
};

struct LayoutFrame {
  int top = 0;
  int bottom = 0;
  int header_height = 0;    // time labels (and the title) above the first line
  int display_target = 0;   // 0-based column of the targets' distances
  int platform_ratio = 10;  // thousandths of the distance span between track rows
};

struct VerticalLayout {
  std::vector<TargetRow> rows;  // indexed by target number, 0 .. extent
  // The y every rail is drawn at: its track's row when its place shows
  // tracks, else the place's line; 0 for rails of places not shown.
  std::vector<int> rail_y;
  // Every line drawn across the plot, top to bottom.
  std::vector<int> line_ys;

  const TargetRow* row(int target) const {
    return target > 0 && target < static_cast<int>(rows.size()) ? &rows[target] : nullptr;
  }
  int y_of_rail(int rail) const {
    return rail > 0 && rail < static_cast<int>(rail_y.size()) ? rail_y[rail] : 0;
  }
  // The target line (not a track row) of a rail, 0 when not shown.
  int target_y_of_rail(const RecordTable<map::Rail>& rails, int rail) const;
};

VerticalLayout layout_targets(const RecordTable<map::Target>& targets,
                              const RecordTable<map::Rail>& rails, const LayoutFrame& frame);

}  // namespace vosk::graph
