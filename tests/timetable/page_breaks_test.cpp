// Printed pages of the timetable: breaks fall between rows, and a table that
// fits a page of its own is not split.
#include "timetable/page_breaks.h"

#include <gtest/gtest.h>

#include <set>

#include "base/recording_surface.h"
#include "base/sjis.h"
#include "timetable/timetable_controller.h"
#include "timetable_fixture.h"

namespace vosk::testing {
namespace {

using timetable::PageBand;
using Bands = std::vector<PageBand>;

TEST(Timetable_PageBreakTests, PagesEndAtRowEdges) {
  struct Row {
    const char* name;
    std::vector<int> edges;
    Bands tables;
    int height, page;
    Bands expected;
  };
  const Row rows[] = {
      {"fits one page", {10, 20, 30}, {}, 30, 100, {{0, 30}}},
      {"break at the last edge that fits", {10, 20, 30, 40}, {}, 40, 25, {{0, 20}, {20, 40}}},
      {"edge exactly at the page height", {10, 20, 30}, {}, 30, 20, {{0, 20}, {20, 30}}},
      {"a row taller than a page is cut",
       {5, 60},
       {},
       60,
       20,
       {{0, 5}, {5, 25}, {25, 45}, {45, 60}}},
      {"edges outside the picture are ignored", {-5, 0, 10, 50}, {}, 10, 8, {{0, 8}, {8, 10}}},
      {"a table that fits a page moves to the next",
       {10, 20, 30, 40, 50, 60},
       {{0, 20}, {30, 60}},
       60,
       40,
       {{0, 30}, {30, 60}}},
      {"a table taller than a page is broken between its rows",
       {10, 20, 30, 40, 50, 60, 70},
       {{10, 70}},
       70,
       35,
       {{0, 30}, {30, 60}, {60, 70}}},
      {"nothing to print", {}, {}, 0, 50, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(timetable::page_bands(r.edges, r.tables, r.height, r.page), r.expected);
  }
}

// The printed layout of a line whose first run carries a remark long enough
// to make its block many rows tall.
TEST(Timetable_PrintPagesTests, NoPageBreakFallsInsideARow) {
  TimetableLine line;
  for (int i = 0; i < 3; ++i) line.down_run(hm(7 + i, 0));
  line.ds.dia.diagrams[1].remarks = sj("この列車は途中駅で特急の通過を待ち合わせます");
  timetable::TimetableController c(line.ds, {});
  RecordingSurface surface{{600, 800}, 96};
  c.set_printing(true);
  c.layout(surface, surface.size());
  // Row edges read along the station lane, which both tables have.
  const auto slot_at = [&](int y) {
    const auto hit = c.hit_test({2, y});
    return hit ? hit->slot + (hit->down ? 0 : 1000) : -1;
  };
  const int height = c.extent().height;
  std::set<int> edges;
  int top = 0, tallest_top = 0, tallest = 0;
  for (int y = 1; y <= height; ++y) {
    if (y < height && slot_at(y) == slot_at(y - 1)) continue;
    edges.insert(y);
    if (y - top > tallest) {
      tallest_top = top;
      tallest = y - top;
    }
    top = y;
  }
  ASSERT_GT(tallest, 3 * surface.measure("発").height);  // the remarks

  // Pages cut at the page height would end the first one inside the remarks.
  const int page = tallest_top + tallest - 1;
  const std::vector<PageBand> pages = c.print_pages(page);
  ASSERT_GE(pages.size(), 2u);
  int at = 0;
  for (const PageBand& p : pages) {
    EXPECT_EQ(p.top, at);
    EXPECT_LE(p.bottom - p.top, page);
    EXPECT_TRUE(edges.count(p.bottom)) << "a page ends inside a row at " << p.bottom;
    at = p.bottom;
  }
  EXPECT_EQ(at, height);
}

}  // namespace
}  // namespace vosk::testing
