// What the page-setting dialog offers and opens with for each use, and the
// plot rectangle of the window and of picture copies.
#include <gtest/gtest.h>

#include <string>

#include "graph/page_dialog.h"
#include "graph/page_split.h"

namespace vosk {
namespace {

using graph::PageUse;

TEST(Graph_PageFormTests, EachUseOffersItsOwnFields) {
  struct Row {
    PageUse use;
    std::string caption;
    bool size, type, pages, mm;
  };
  const Row rows[] = {
      {PageUse::Display, "表示時刻範囲", false, false, false, false},
      {PageUse::Copy, "コピー時刻範囲", true, true, false, false},
      {PageUse::Print, "印刷時刻範囲", false, false, true, true},
  };
  for (const Row& r : rows) {
    const graph::PageDialogForm form = graph::page_dialog_form(r.use);
    EXPECT_EQ(form.range_caption, r.caption);
    EXPECT_EQ(form.size_enabled, r.size) << r.caption;
    EXPECT_EQ(form.type_enabled, r.type) << r.caption;
    EXPECT_EQ(form.pages_enabled, r.pages) << r.caption;
    EXPECT_EQ(form.margins_in_mm, r.mm) << r.caption;
  }
}

TEST(Graph_PageFormTests, TheDialogOpensWithTheWindowsRangeAndSize) {
  graph::PageSettings stored = graph::default_page_settings(PageUse::Copy);
  stored.type = 1;
  // 6:30:45 .. 28:00: seconds are not shown; a range past 24:00 keeps its hours.
  graph::PageDialogValues v = graph::page_dialog_values(stored, 23445, 100800, {800, 600});
  EXPECT_EQ(v.from_hours, 6);
  EXPECT_EQ(v.from_minutes, 30);
  EXPECT_EQ(v.to_hours, 28);
  EXPECT_EQ(v.to_minutes, 0);
  EXPECT_EQ(v.page.size_x, 800);  // nothing stored: the client size
  EXPECT_EQ(v.page.size_y, 600);
  EXPECT_EQ(v.page.type, 1);
  EXPECT_EQ(v.page.margin_left, 10);

  stored.size_x = 1920;
  stored.size_y = 1080;
  v = graph::page_dialog_values(stored, 0, 3600, {800, 600});
  EXPECT_EQ(v.page.size_x, 1920);
  EXPECT_EQ(v.page.size_y, 1080);

  // What the dialog opens with passes its own check unchanged.
  graph::PageSettings out;
  ASSERT_TRUE(graph::accept_page_dialog(v, PageUse::Copy, out).ok());
  EXPECT_EQ(out.time_left, 0);
  EXPECT_EQ(out.time_right, 3600);
}

TEST(Graph_PageFormTests, TheToolbarLowersThePlotTop) {
  const graph::PageSettings display = graph::default_page_settings(PageUse::Display);
  EXPECT_EQ(graph::window_plot({640, 480}, display, false), (Rect{2, 2, 638, 478}));
  EXPECT_EQ(graph::window_plot({640, 480}, display, true), (Rect{2, 28, 638, 478}));
  graph::PageSettings copy = graph::default_page_settings(PageUse::Copy);
  copy.margin_right = 30;
  EXPECT_EQ(graph::window_plot({1000, 500}, copy, true), (Rect{10, 36, 970, 490}));
}

}  // namespace
}  // namespace vosk
