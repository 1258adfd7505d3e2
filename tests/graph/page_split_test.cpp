// Dividing the range over printed pages and the printed page's plot.
#include <gtest/gtest.h>

#include "graph/page_split.h"

namespace vosk {
namespace {

using graph::PageRange;

bool operator==(const PageRange& a, const PageRange& b) {
  return a.start == b.start && a.end == b.end;
}

TEST(Graph_PageSplitTests, PagesTakeEqualStepsAndDropTheRemainder) {
  const auto three = graph::split_pages(21600, 31600, 3);
  ASSERT_EQ(three.size(), 3u);
  EXPECT_TRUE((three[0] == PageRange{21600, 24933}));
  EXPECT_TRUE((three[1] == PageRange{24933, 28266}));
  EXPECT_TRUE((three[2] == PageRange{28266, 31599}));
  // A count below one is one page over the whole range.
  const auto none = graph::split_pages(0, 3600, 0);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_TRUE((none[0] == PageRange{0, 3600}));
}

TEST(Graph_PageSplitTests, PrintMarginsAreMillimetresAtThePageResolution) {
  graph::PageSettings print = graph::default_page_settings(graph::PageUse::Print);
  ASSERT_EQ(print.margin_left, 25);
  print.margin_right = 10;
  // 25 mm at 600 dpi is 590.55 dots, 10 mm at 300 dpi 118.11: both truncated.
  const Rect plot = graph::print_plot({4960, 7016}, 600, 300, print);
  EXPECT_EQ(plot, (Rect{590, 295, 4960 - 236, 7016 - 295}));
}

}  // namespace
}  // namespace vosk
