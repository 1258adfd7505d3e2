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

// The toolbar lies over the top of the window's client area; the plot
// starts below it.
inline constexpr int kToolBarHeight = 26;

// The plot rectangle of the window or of a picture copy: the page margins
// (pixels) inside the area, the top lowered by the toolbar when it shows.
Rect window_plot(Size area, const PageSettings& margins, bool toolbar_shown);

// Equal steps of (end − start) ÷ pages seconds from start; the remainder
// of the division is dropped. A page count below 1 counts as one page.
std::vector<PageRange> split_pages(int start, int end, int pages);

// The plot rectangle of a printed page: the print margins are millimetres,
// converted with the page's resolution and truncated.
Rect print_plot(Size page, int logpixelsx, int logpixelsy, const PageSettings& print);

}  // namespace vosk::graph
