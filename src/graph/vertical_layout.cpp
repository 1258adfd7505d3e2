#include "graph/vertical_layout.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vosk::graph {
namespace {

int distance_on(const map::Target& t, int display_target) {
  if (display_target < 0 || display_target >= map::kDisplayTargetCount) return -1;
  return t.distances[static_cast<std::size_t>(display_target)];
}

// Extra rows a place adds below its own line. A place with track display on
// but no tracks in its list adds none (rather than taking a row away).
int extra_rows(const map::Target& t) {
  return t.show_track_numbers && t.tracks.size() > 1 ? static_cast<int>(t.tracks.size()) - 1 : 0;
}

}  // namespace

int VerticalLayout::target_y_of_rail(const RecordTable<map::Rail>& rails, int rail) const {
  if (!rails.names_record(rail)) return 0;
  const TargetRow* r = row(rails[rail].target);
  return r != nullptr ? r->y : 0;
}

VerticalLayout layout_targets(const RecordTable<map::Target>& targets,
                              const RecordTable<map::Rail>& rails, const LayoutFrame& frame) {
  VerticalLayout layout;
  const int count = targets.extent();
  layout.rows.resize(static_cast<std::size_t>(count) + 1);

  int min = INT_MAX, max = 0;
  for (int n = 1; n <= count; ++n) {
    const int d = distance_on(targets[n], frame.display_target);
    if (d < 0) continue;
    min = std::min(min, d);
    max = std::max(max, d);
  }
  if (min == INT_MAX) min = 0;  // nothing shown
  const int f = static_cast<int>(static_cast<long long>(max - min) * frame.platform_ratio / 1000);
  long long total = max;
  for (int n = 1; n <= count; ++n) {
    if (distance_on(targets[n], frame.display_target) >= 0)
      total += static_cast<long long>(extra_rows(targets[n])) * f;
  }
  // One place alone (or all at one distance) has no span to scale: its line
  // sits at the top of the plot instead of dividing by zero.
  const float scale = total > min
                          ? static_cast<float>(frame.bottom - frame.header_height - frame.top) /
                                static_cast<float>(total - min)
                          : 0.0f;
  auto place = [&](long long offset) {
    int y = static_cast<int>(std::trunc(static_cast<float>(offset) * scale)) + frame.header_height +
            frame.top;
    if (y >= frame.bottom) y -= 1;
    return y;
  };

  // Places in distance order, so that the rows added above a place are a
  // running sum rather than a scan per place.
  std::vector<int> order;
  for (int n = 1; n <= count; ++n) {
    if (distance_on(targets[n], frame.display_target) >= 0) order.push_back(n);
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return distance_on(targets[a], frame.display_target) <
           distance_on(targets[b], frame.display_target);
  });
  long long extra = 0;  // rows of places strictly nearer than the current one
  long long pending = 0;
  int pending_distance = -1;
  for (int n : order) {
    const map::Target& t = targets[n];
    const int d = distance_on(t, frame.display_target);
    if (d != pending_distance) {
      extra += pending;
      pending = 0;
      pending_distance = d;
    }
    pending += static_cast<long long>(extra_rows(t)) * f;
    TargetRow& row = layout.rows[static_cast<std::size_t>(n)];
    row.y = place(extra + d - min);
    row.block_top = row.block_bottom = row.y;
    if (t.show_track_numbers) {
      for (std::size_t k = 0; k < t.tracks.size(); ++k) {
        const int y = place(static_cast<long long>(k) * f + extra + d - min);
        row.track_ys.push_back(y);
        if (y != 0) {
          row.block_top = std::min(row.block_top, y);
          row.block_bottom = std::max(row.block_bottom, y);
        }
      }
    }
  }

  layout.rail_y.assign(static_cast<std::size_t>(rails.extent()) + 1, 0);
  for (int r = 1; r <= rails.extent(); ++r) {
    const TargetRow* row = layout.row(rails[r].target);
    if (row == nullptr || row->y == 0) continue;
    int y = row->y;
    const map::Target& t = targets[rails[r].target];
    for (std::size_t k = 0; k < row->track_ys.size() && k < t.tracks.size(); ++k) {
      if (t.tracks[k].rail_a == r || t.tracks[k].rail_b == r) {
        y = row->track_ys[k];
        break;
      }
    }
    layout.rail_y[static_cast<std::size_t>(r)] = y;
  }

  for (const TargetRow& row : layout.rows) {
    if (row.y == 0) continue;
    if (row.track_ys.empty()) {
      layout.line_ys.push_back(row.y);
    } else {
      layout.line_ys.insert(layout.line_ys.end(), row.track_ys.begin(), row.track_ys.end());
    }
  }
  std::sort(layout.line_ys.begin(), layout.line_ys.end());
  return layout;
}

}  // namespace vosk::graph
