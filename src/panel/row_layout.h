#pragma once
// Display rows of the track panel: splitting a row at an x position, the
// search for a position where a row may be split, and the commands that
// rebuild the rows (Auto Row, Clear Row, Adjust Span).
#include <optional>
#include <vector>

#include "datafiles/data_set.h"

namespace vosk::panel {

using datafiles::MapTables;

// The panel's scale factors: 4096 = one map unit per pixel.
inline constexpr int kUnitScale = 4096;
// The x origin the automatic layout gives every row.
inline constexpr int kAutoRowXOrigin = 40;

// Positions where a row may be split: the end positions of rails that lie
// strictly inside no rail and no station drawing.
class SplitSearch {
 public:
  // Looks at the rails and station drawings of `row`; row 0 looks at those
  // of every row (items outside the rows, row 0, are never looked at).
  SplitSearch(const MapTables& map, int row);

  // The first valid position met scanning down from limit - 1 to left + 1;
  // `left` when there is none.
  int below(int left, int limit) const;
  // The first valid position met scanning up from `from` + 1 to limit - 1.
  std::optional<int> above(int from, int limit) const;
  // The nearest valid position strictly inside (left, right) to x, the
  // upper one when both are equally far; nullopt when there is none.
  std::optional<int> nearest(int x, int left, int right) const;

  const std::vector<int>& positions() const { return positions_; }

 private:
  std::vector<int> positions_;  // ascending, without repeats
};

// Moves the items of rows r and r + 1 to row r (left of s) or row r + 1
// (right of s), creating row r + 1 as a copy of row r when an item moves
// into it, and gives row r + 1 the x shift -s. Empty rows left at either
// end of the row table are removed afterwards.
void split_row(MapTables& map, int r, int s);

// Every item of a row (row 0 stays outside the rows) into row 1, and the row
// table cut to one row. Does nothing when the map has no rows.
void clear_rows(MapTables& map);

// Clear, then one row per window width: `width_units` is the width of the
// window in map units. Rows get x origin 40; the vertical gaps are closed
// with adjust_span() at `scale_x`. Does nothing when the map has no rows.
void auto_rows(MapTables& map, int width_units, int scale_x);

// Moves each row up (or down) so that its closest item touches the row above
// (row 1 touches y 0). Columns are window pixel columns at `scale_x`.
void adjust_span(MapTables& map, int scale_x);

// The left and right bound of a row: the smallest and largest rail end x.
struct RowBounds {
  int left = 0;
  int right = 0;
};
std::optional<RowBounds> row_bounds(const MapTables& map, int row);

// Window width in pixels as map units for the split search: the width at
// the scale less a margin of 80 units, at least one unit.
int split_width_units(int window_width_px, int scale_x);

}  // namespace vosk::panel
