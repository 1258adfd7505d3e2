#include <gtest/gtest.h>

#include <filesystem>

#include "support/scripted_prompt.h"
#include "timetable/html_export.h"
#include "timetable_fixture.h"

namespace vosk::testing {
namespace {

using timetable::HtmlOptions;

struct HtmlLine : TimetableLine {
  std::string html(int target, const HtmlOptions& o = {}) {
    const auto tables = build();
    return timetable::station_html(ds, target, true,
                                   timetable::departures_at(ds, tables.down.runs, target), o);
  }
};

const std::string kHead = "<HTML>\n<BODY>\n<TABLE BORDER>\n<TR>\n<TH COLSPAN=2>\n";
const std::string kTail = "</TABLE>\n</BODY>\n</HTML>\n";

TEST(StationHtml, PlainFormByHourSameSecondByNumberAndAfterMidnightLast) {
  HtmlLine line;
  const int late = line.down_run(hm(1, 10));
  const int b = line.down_run(hm(24, 5));
  const int a = line.down_run(hm(24, 5));
  line.down_run(hm(24, 59));
  line.ds.dia.diagrams[b].run.search_kind = 2;
  // Column order puts `a` first; the file still lists by number.
  line.ds.dia.diagrams[a].running_order = 1;
  line.ds.dia.diagrams[b].running_order = 2;
  line.ds.dia.diagrams[late].running_order = 3;
  const std::string font = "<FONT COLOR=\"#12AB0F\">";
  EXPECT_EQ(line.html(1), kHead + sj("A駅（下り）") + "\n</TH>\n</TR>\n" +
                              "<TR>\n<TH>\n24\n</TH>\n<TD ALIGN=\"left\">\n" + "<B>" + font +
                              "05</FONT></B> " + font + "05</FONT> " + font +
                              "59</FONT> \n</TD>\n</TR>\n" +
                              "<TR>\n<TH>\n25\n</TH>\n<TD ALIGN=\"left\">\n" + font +
                              "10</FONT> \n</TD>\n</TR>\n" + kTail);
}

TEST(StationHtml, DetailedFormWithBackgroundsAndLabelsAboveAndBelow) {
  HtmlLine line;
  const int first = line.down_run(hm(7, 3));
  line.down_run(hm(7, 9));
  line.ds.dia.diagrams[first].run.search_kind = 1;
  line.ds.dia.diagrams[first].destination = 4;
  line.ds.dia.diagrams[first].destination_text = "D";  // the short name: one-character name
  line.ds.dia.diagrams[first + 1].destination_text = "X";
  HtmlOptions o;
  o.detailed = true;
  o.type_pos = timetable::kAbove;
  o.for_pos = timetable::kBelow;
  o.small_for = false;
  const std::string font = "<FONT COLOR=\"#12AB0F\">";
  const std::string type = "<SMALL>" + sj("普") + "</SMALL>";
  EXPECT_EQ(line.html(1, o),
            kHead + sj("A駅（下り）") + "\n</TH>\n</TR>\n" +
                "<TR>\n<TH>\n 7\n</TH>\n<TD ALIGN=\"left\">\n" +
                "<TABLE HSPACE=0 VSPACE=0 CELLPADDING=0 CELLSPACING=1><TR>" +
                "<TD BGCOLOR=\"#87CEEB\">" + font + type + "<BR>03<BR>D1</FONT></TD>" + "<TD>" +
                font + type + "<BR>09<BR>X</FONT></TD>" + "</TR></TABLE>\n</TD>\n</TR>\n" + kTail);
}

TEST(StationHtml, LeftAndRightLabelsStayOnTheMinutesLine) {
  HtmlLine line;
  line.down_run(hm(7, 3));
  line.ds.dia.diagrams[1].destination_text = "X";
  HtmlOptions o;
  o.type_pos = timetable::kLeft;
  o.for_pos = timetable::kRight;
  const std::string html = line.html(1, o);
  EXPECT_NE(html.find("\">"
                      "<SMALL>" +
                      sj("普") + "</SMALL>03<SMALL>X</SMALL></FONT> "),
            std::string::npos);
  EXPECT_EQ(html.find("<BR>"), std::string::npos);
}

TEST(StationHtml, OnlyStopsAreListed) {
  HtmlLine line;
  line.add_run(1, {{TimetableLine::rail(1, 1), hm(8, 0), dia::kEventStop},
                   {TimetableLine::rail(2, 1), hm(8, 2), dia::kEventPass},
                   {TimetableLine::rail(3, 1), hm(8, 4), dia::kEventStopNoSearch},
                   {TimetableLine::rail(4, 1), hm(8, 6), dia::kEventArrival}});
  for (int target = 2; target <= 4; ++target)
    EXPECT_EQ(line.html(target).find("<FONT"), std::string::npos) << target;
  EXPECT_NE(line.html(1).find("00</FONT>"), std::string::npos);
  // A run stopping at one station only is in no table, so in no file.
  HtmlLine single;
  single.add_run(1, {{TimetableLine::rail(1, 1), hm(8, 0), dia::kEventStop}});
  EXPECT_EQ(single.html(1).find("<FONT"), std::string::npos);
}

TEST(ExportHtml, OneFilePerStationAndDirectionInTextModeOverwriting) {
  HtmlLine line;
  line.down_run(hm(7, 0));
  TempDir dir;
  dir.write("A駅（下り）.htm", "old contents that are longer than the new file will be ....");
  ScriptedPrompt prompt;
  const auto result = timetable::export_station_html(line.ds, line.build(), dir.path(), {}, prompt);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.files, 8);
  EXPECT_EQ(prompt.count(), 0u);
  const std::string a = dir.read("A駅（下り）.htm");
  EXPECT_EQ(a.rfind(kHead.substr(0, 6) + "\r\n<BODY>\r\n", 0), 0u);
  EXPECT_NE(a.find(" 7\r\n</TH>"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir / "D駅（上り）.htm"));
}

TEST(ExportHtml, UnwritableFileStopsWithTheMessageAndKeepsEarlierFiles) {
  HtmlLine line;
  line.down_run(hm(7, 0));
  TempDir dir;
  std::filesystem::create_directory(dir / "C駅（下り）.htm");  // a folder in the file's place
  std::filesystem::create_directory(dir / "C駅（下り）.htm" / "x");
  ScriptedPrompt prompt;
  const auto result = timetable::export_station_html(line.ds, line.build(), dir.path(), {}, prompt);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.files, 2);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "ファイル書き込みエラー");
  EXPECT_EQ(prompt.last().text,
            "書き込みファイル'" + (dir / "C駅（下り）.htm").string() + "'は開けませんでした。\n");
  EXPECT_TRUE(std::filesystem::exists(dir / "B駅（下り）.htm"));
  EXPECT_FALSE(std::filesystem::exists(dir / "D駅（下り）.htm"));
}

TEST(ExportHtml, FileNameIsTheTargetNameInUtf8WithoutSeparators) {
  HtmlLine line;
  line.ds.map.targets[1].name = sj("東/西");
  EXPECT_EQ(timetable::html_file_name(line.ds, 1, true), "東_西（下り）.htm");
  EXPECT_EQ(timetable::html_file_name(line.ds, 2, false), "B駅（上り）.htm");
}

TEST(ExportDialog, SettingsDefaultsAndRoundTrip) {
  ini::Document settings;
  const HtmlOptions defaults = timetable::read_export_settings(settings);
  EXPECT_FALSE(defaults.detailed);
  EXPECT_TRUE(defaults.small_type);
  EXPECT_TRUE(defaults.small_for);
  EXPECT_EQ(defaults.type_pos, 0);
  EXPECT_EQ(defaults.for_pos, 0);
  HtmlOptions o;
  o.detailed = true;
  o.small_for = false;
  o.type_pos = 2;
  o.for_pos = 4;
  timetable::write_export_settings(o, settings);
  EXPECT_EQ(settings.text(),
            "[StationTimeTable]\nDoubleTable=1\nSmallFontType=1\nSmallFontFor=0\nViewTypePos=2\n"
            "ViewForPos=4\n");
  const HtmlOptions back = timetable::read_export_settings(settings);
  EXPECT_TRUE(back.detailed);
  EXPECT_FALSE(back.small_for);
  EXPECT_EQ(back.type_pos, 2);
  EXPECT_EQ(back.for_pos, 4);
  settings.set_int("StationTimeTable", "ViewForPos", 9);
  EXPECT_EQ(timetable::read_export_settings(settings).for_pos, 0);
}

TEST(ExportDialog, AboveOrBelowNeedsTheDetailedFormAndMakesNoFolder) {
  TempDir dir;
  for (int pos : {1, 2}) {
    timetable::ExportDialog dialog{(dir / "new").string(), {}};
    dialog.options.for_pos = pos;
    ScriptedPrompt prompt;
    EXPECT_FALSE(timetable::accept_export_dialog(dialog, prompt));
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().caption, "選択不可");
    EXPECT_FALSE(std::filesystem::exists(dir / "new"));
  }
}

TEST(ExportDialog, TrailingSeparatorGoesAndMissingFolderIsMadeOnYes) {
  TempDir dir;
  timetable::ExportDialog dialog{(dir / "out").string() + "\\", {}};
  ScriptedPrompt prompt;
  prompt.script({Answer::No});
  EXPECT_FALSE(timetable::accept_export_dialog(dialog, prompt));
  EXPECT_EQ(dialog.folder, (dir / "out").string());
  EXPECT_EQ(prompt.last().caption, "フォルダ作成確認");
  EXPECT_FALSE(std::filesystem::exists(dir / "out"));
  prompt.script({Answer::Yes});
  EXPECT_TRUE(timetable::accept_export_dialog(dialog, prompt));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "out"));
  // A folder below a file cannot be made.
  dir.write("file", "x");
  timetable::ExportDialog blocked{(dir / "file" / "sub").string(), {}};
  prompt.script({Answer::Yes});
  EXPECT_FALSE(timetable::accept_export_dialog(blocked, prompt));
  EXPECT_EQ(prompt.last().caption, "フォルダ作成失敗");
}

}  // namespace
}  // namespace vosk::testing
