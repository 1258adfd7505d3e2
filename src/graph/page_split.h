#pragma once
// How printing and picture files divide the visible range over pages and
// where a page's plot lies on paper.
#include <vector>

#include "base/surface.h"
#include "graph/graph_settings.h"

namespace vosk::graph {

struct PageRange {
  int start = 0;
  int end = 0;
};

// Equal steps of (end − start) ÷ pages seconds from start; the remainder
// of the division is dropped. A page count below 1 counts as one page.
std::vector<PageRange> split_pages(int start, int end, int pages);

// The plot rectangle of a printed page: the print margins are millimetres,
// converted with the page's resolution and truncated.
Rect print_plot(Size page, int logpixelsx, int logpixelsy, const PageSettings& print);

}  // namespace vosk::graph
