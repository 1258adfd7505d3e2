#pragma once
// Printed pages of a timetable taller than the paper: every page ends at a
// row's edge, so that no row (least of all a tall remarks block) is cut in
// two across pages.
#include <vector>

namespace vosk::timetable {

// The strip of the picture one page shows: from `top` (inclusive) to
// `bottom` (exclusive), in picture pixels.
struct PageBand {
  int top = 0;
  int bottom = 0;
  bool operator==(const PageBand&) const = default;
};

// Pages of at most `page_height` pixels over a picture `height` high whose
// rows end at `edges` (any order; edges outside the picture are ignored).
// A page ends at the lowest edge that still fits. A table (one of `tables`)
// that starts on a page but does not end on it moves to the next page when
// it fits a page of its own. A row taller than a page is the one thing cut:
// at the page height.
std::vector<PageBand> page_bands(std::vector<int> edges, const std::vector<PageBand>& tables,
                                 int height, int page_height);

}  // namespace vosk::timetable
