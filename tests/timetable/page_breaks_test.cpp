// Printed pages of the timetable: breaks fall between rows, a table that
// fits a page of its own is not split, and the printed layout's tall remarks
// block stays whole on one page.
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

// The printed (columns) layout of a line whose first run carries a remark
// long enough to make its block several rows tall.
class Timetable_PrintPagesTests : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) line.down_run(hm(7 + i, 0));
    line.ds.dia.diagrams[1].remarks = sj("この列車は途中駅で特急の通過を待ち合わせます");
    c.rebuild();
    c.set_printing(true);
    c.layout(surface, page);
  }

  // The slot at height y of the station lane (which both tables have),
  // -1 outside the tables.
  int slot_at(int y) {
    c.set_scroll({0, 0});
    const auto hit = c.hit_test({2, y});
    return hit ? hit->slot + (hit->down ? 0 : 1000) : -1;
  }

  TimetableLine line;
  RecordingSurface surface{{600, 800}, 96};
  Size page{600, 800};
  timetable::TimetableController c{line.ds, {}};
};

TEST_F(Timetable_PrintPagesTests, NoPageBreakFallsInsideARow) {
  const int height = c.extent().height;
  std::set<int> row_tops;
  for (int y = 1; y < height; ++y)
    if (slot_at(y) != slot_at(y - 1)) row_tops.insert(y);
  ASSERT_GE(row_tops.size(), 2u);
  int remark_top = 0, remark_bottom = 0;  // the tallest row
  for (auto it = row_tops.begin(); std::next(it) != row_tops.end(); ++it)
    if (*std::next(it) - *it > remark_bottom - remark_top) {
      remark_top = *it;
      remark_bottom = *std::next(it);
    }
  ASSERT_GT(remark_bottom - remark_top, 3 * surface.measure("発").height);

  // Pages cut off at the page height would end the first one inside the
  // remarks, a pixel above their end.
  const int page_height = remark_bottom - 1;
  const std::vector<PageBand> pages = c.print_pages(page_height);
  ASSERT_GE(pages.size(), 2u);
  EXPECT_EQ(pages.front().top, 0);
  EXPECT_EQ(pages.back().bottom, height);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_LE(pages[i].bottom - pages[i].top, page_height);
    EXPECT_GT(pages[i].bottom, pages[i].top);
    if (i + 1 < pages.size()) {
      EXPECT_EQ(pages[i].bottom, pages[i + 1].top);
      EXPECT_TRUE(row_tops.count(pages[i].bottom)) << "break at " << pages[i].bottom;
    }
  }
  // The remarks block is on one page, whole.
  bool whole = false;
  for (const PageBand& p : pages) whole |= p.top <= remark_top && p.bottom >= remark_bottom;
  EXPECT_TRUE(whole);
}

}  // namespace
}  // namespace vosk::testing
