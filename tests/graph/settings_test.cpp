// The train graph's settings sections and the page-setting dialog's checks.
#include <gtest/gtest.h>

#include "graph/graph_settings_file.h"
#include "graph/page_dialog.h"
#include "support/temp_dir.h"

namespace vosk {
namespace {

using graph::GraphMode;
using graph::PageUse;

TEST(Graph_SettingsTests, ModesStartWithTheirOwnDefaults) {
  const ini::Document empty;
  const auto edit = graph::load_graph_settings(empty, GraphMode::Edit, false);
  EXPECT_EQ(edit.window, (Rect{380, 140, 1000, 750}));
  EXPECT_FALSE(edit.graph.view.flattery);
  EXPECT_FALSE(edit.graph.view.timereal_view);
  EXPECT_TRUE(edit.graph.view.timelocal_view);
  EXPECT_FALSE(edit.graph.view.view_pass);
  EXPECT_EQ(edit.graph.view.view_type, 0);
  EXPECT_EQ(edit.graph.platform_ratio, 10);
  EXPECT_EQ(edit.graph.time_scale, 3600);
  EXPECT_EQ(edit.graph.font.point_size, 9);
  ASSERT_EQ(edit.graph.line_styles.size(), 8u);
  const shell::LineStyle& minor = edit.graph.line_styles[graph::kMinorTimeLine];
  EXPECT_EQ(minor.item_name, testing::sj("時刻目盛補助線"));
  EXPECT_EQ(minor.pen_style, 2);
  EXPECT_EQ(minor.point_width, 250);
  EXPECT_EQ(edit.graph.line_styles[graph::kMainStationSelected].point_width, 1000);
  EXPECT_EQ(edit.graph.line_styles[graph::kOrdinaryStationUnselected].green, 255);

  const auto play = graph::load_graph_settings(empty, GraphMode::Operation, false);
  EXPECT_TRUE(play.graph.view.flattery);
  EXPECT_TRUE(play.graph.view.timereal_view);
  EXPECT_EQ(graph::load_graph_settings(empty, GraphMode::Print, false).window,
            (Rect{0, 0, 1000, 750}));
  EXPECT_EQ(graph::default_page_settings(PageUse::Display).margin_left, 2);
  EXPECT_EQ(graph::default_page_settings(PageUse::Copy).margin_top, 10);
  EXPECT_EQ(graph::default_page_settings(PageUse::Print).margin_bottom, 25);
}

TEST(Graph_SettingsTests, EachModeKeepsItsSectionsAndReadsBackWhatItWrote) {
  ini::Document doc;
  auto values = graph::load_graph_settings(doc, GraphMode::Print, false);
  values.graph.view.view_up = false;
  values.graph.view.view_for = 3;
  values.graph.platform_ratio = 18;
  values.graph.line_styles[graph::kMajorTimeLine].red = 7;
  values.window = {5, 6, 700, 800};
  graph::save_graph_settings(doc, GraphMode::Print, values, false, false);
  EXPECT_FALSE(doc.find("VOSKDiaGramWindowPrint", "PosLeft"));  // minimised: no rectangle
  EXPECT_EQ(doc.find("VOSKDiaGramWindowPrint", "ViewUp"), "0");
  EXPECT_EQ(doc.find("VOSKDiaGramWindowPrint", "ViewPass"), "0");
  EXPECT_EQ(doc.find("VOSKDiaGramWindowPrintLine00", "ColorRValue"), "7");
  EXPECT_TRUE(doc.has_section("FontVOSKDiaGramWindowPrint"));
  graph::save_graph_settings(doc, GraphMode::Print, values, true, false);

  const auto back = graph::load_graph_settings(doc, GraphMode::Print, false);
  EXPECT_EQ(back.window, values.window);
  EXPECT_FALSE(back.graph.view.view_up);
  EXPECT_EQ(back.graph.view.view_for, 3);
  EXPECT_EQ(back.graph.platform_ratio, 18);
  EXPECT_EQ(back.graph.line_styles[graph::kMajorTimeLine].red, 7);
  // The edit mode's section is untouched.
  EXPECT_TRUE(graph::load_graph_settings(doc, GraphMode::Edit, false).graph.view.view_up);
  // Any non-zero value is on.
  doc.set_string("VOSKDiaGramWindowPos", "ViewTitle", "0");
  doc.set_string("VOSKDiaGramWindowPos", "ViewPass", "5");
  const auto pos = graph::load_graph_settings(doc, GraphMode::DisplayTarget, false);
  EXPECT_FALSE(pos.graph.view.view_title);
  EXPECT_TRUE(pos.graph.view.view_pass);
}

TEST(Graph_SettingsTests, PageSettingsHaveASectionPerUse) {
  ini::Document doc;
  graph::PageSettings p = graph::load_page_settings(doc, PageUse::Print);
  p.page_size = 3;
  p.time_left = 3600;
  graph::save_page_settings(doc, PageUse::Print, p);
  EXPECT_EQ(doc.find("DiaGramCopyFigurePrint", "PageSize"), "3");
  EXPECT_EQ(graph::load_page_settings(doc, PageUse::Print).time_left, 3600);
  EXPECT_EQ(graph::load_page_settings(doc, PageUse::Copy).time_left, 21600);
  EXPECT_EQ(graph::load_page_settings(doc, PageUse::Display).time_right, 25200);
}

TEST(Graph_SettingsTests, ThePageDialogChecksTimesAndThePrintedPageCount) {
  struct Row {
    int from_h, from_m, to_h, to_m, pages;
    PageUse use;
    bool ok;
    const char* text;
  };
  const Row rows[] = {
      {6, 0, 28, 0, 1, PageUse::Display, true, ""},
      {6, 0, 28, 1, 1, PageUse::Display, false, "時刻が不正です。再設定して下さい。\n"},
      {-1, 59, 7, 0, 1, PageUse::Copy, false, "時刻が不正です。再設定して下さい。\n"},
      {0, 0, 7, 0, 0, PageUse::Print, false, "分割数が不正です。再設定して下さい。\n"},
      {0, 0, 7, 0, 0, PageUse::Copy, true, ""},
      {2000000, 0, 7, 0, 1, PageUse::Print, false, "時刻が不正です。再設定して下さい。\n"},
  };
  for (const Row& r : rows) {
    graph::PageDialogValues v;
    v.page.page_size = r.pages;
    v.from_hours = r.from_h;
    v.from_minutes = r.from_m;
    v.to_hours = r.to_h;
    v.to_minutes = r.to_m;
    graph::PageSettings out;
    const dia::EditResult result = graph::accept_page_dialog(v, r.use, out);
    EXPECT_EQ(result.ok(), r.ok) << r.from_h << ":" << r.to_h;
    EXPECT_EQ(result.text(), r.text);
    if (!r.ok) {
      EXPECT_EQ(result.caption(), "入力データエラー");
    }
  }
  graph::PageDialogValues reversed;
  reversed.from_hours = 9;
  reversed.to_hours = 6;
  graph::PageSettings out;
  ASSERT_TRUE(graph::accept_page_dialog(reversed, PageUse::Display, out).ok());
  EXPECT_EQ(out.time_left, 6 * 3600);
  EXPECT_EQ(out.time_right, 9 * 3600);
}

}  // namespace
}  // namespace vosk
