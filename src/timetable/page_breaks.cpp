#include "timetable/page_breaks.h"

#include <algorithm>

namespace vosk::timetable {

std::vector<PageBand> page_bands(std::vector<int> edges, const std::vector<PageBand>& tables,
                                 int height, int page_height) {
  std::vector<PageBand> pages;
  if (height <= 0) return pages;
  page_height = std::max(1, page_height);
  edges.push_back(height);
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  for (int top = 0; top < height;) {
    const int limit = std::min(height, top + page_height);
    // The lowest edge in (top, limit]; none means one row fills the page.
    auto past = std::upper_bound(edges.begin(), edges.end(), limit);
    int bottom = past != edges.begin() && *(past - 1) > top ? *(past - 1) : limit;
    for (const PageBand& t : tables) {
      const bool starts_here = t.top > top && t.top < bottom;
      if (starts_here && t.bottom > bottom && t.bottom - t.top <= page_height) {
        bottom = t.top;
        break;
      }
    }
    pages.push_back({top, bottom});
    top = bottom;
  }
  return pages;
}

}  // namespace vosk::timetable
