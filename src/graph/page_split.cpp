#include "graph/page_split.h"

#include <algorithm>

namespace vosk::graph {
namespace {

constexpr double kInchesPerMillimetre = 0.03937007874015748;

int millimetres_to_dots(int dpi, int mm) {
  return static_cast<int>(dpi * mm * kInchesPerMillimetre);
}

}  // namespace

Rect window_plot(Size area, const PageSettings& margins, bool toolbar_shown) {
  return Rect{margins.margin_left, margins.margin_top + (toolbar_shown ? kToolBarHeight : 0),
              area.width - margins.margin_right, area.height - margins.margin_bottom};
}

std::vector<PageRange> split_pages(int start, int end, int pages) {
  pages = std::max(1, pages);
  const int step = (end - start) / pages;
  std::vector<PageRange> ranges;
  ranges.reserve(static_cast<std::size_t>(pages));
  for (int i = 0; i < pages; ++i) ranges.push_back({start + i * step, start + (i + 1) * step});
  return ranges;
}

Rect print_plot(Size page, int logpixelsx, int logpixelsy, const PageSettings& print) {
  return Rect{millimetres_to_dots(logpixelsx, print.margin_left),
              millimetres_to_dots(logpixelsy, print.margin_top),
              page.width - millimetres_to_dots(logpixelsx, print.margin_right),
              page.height - millimetres_to_dots(logpixelsy, print.margin_bottom)};
}

}  // namespace vosk::graph
