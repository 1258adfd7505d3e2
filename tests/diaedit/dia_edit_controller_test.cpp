#include "diaedit/dia_edit_controller.h"

#include <gtest/gtest.h>

#include "dia_edit_fixture.h"

namespace vosk::diaedit::testing {
namespace {

using dia::kEventArrival;
using dia::kEventPass;
using dia::kEventStop;
using dia::kEventStopNoSearch;

// One row of the click table: the cell clicked on R's event, and the event
// kinds of R afterwards.
struct CellRow {
  const char* name;
  CellAction action;
  int event;
  std::vector<int> kinds_after;
};

class ClickCells : public ::testing::TestWithParam<CellRow> {};

TEST_P(ClickCells, ChangeTheRunAndRecordOneUndoStep) {
  const CellRow& row = GetParam();
  EditWindow w;
  const Cell* cell = w.find(row.action, row.event);
  ASSERT_NE(cell, nullptr) << row.name;
  const std::vector<int> before = w.types(w.R);
  const Outcome o = w.click(EditWindow::centre(*cell));
  EXPECT_TRUE(o.changed);
  EXPECT_EQ(w.types(w.R), row.kinds_after);
  EXPECT_EQ(w.controller.history().undo_steps(), 1u);
  ASSERT_TRUE(w.controller.undo());
  EXPECT_EQ(w.types(w.R), before);
}

INSTANTIATE_TEST_SUITE_P(
    ActionCells, ClickCells,
    ::testing::Values(
        CellRow{"pass", CellAction::Pass, 1, {kEventStop, kEventPass, kEventArrival}},
        CellRow{"arrival and departure", CellAction::ArrivalDeparture, 1,
                {kEventStop, kEventArrival, kEventStop, kEventArrival}},
        CellRow{"second arrival: kind 7 with its arrival", CellAction::StopNoPassengers, 1,
                {kEventStop, kEventArrival, kEventStopNoSearch, kEventArrival}},
        CellRow{"terminate", CellAction::Terminate, 1, {kEventStop, kEventArrival}}),
    [](const auto& info) {
      std::string s = info.param.name;
      for (char& c : s)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return s;
    });

TEST(DiaEditCells, FollowTheEnablingRuleOfEachEvent) {
  EditWindow w;
  // The start can neither be passed nor end the run; the final arrival can
  // only be extended (発) or looked at (基).
  EXPECT_EQ(w.find(CellAction::Pass, 0), nullptr);
  EXPECT_EQ(w.find(CellAction::Terminate, 0), nullptr);
  EXPECT_EQ(w.find(CellAction::Stop, 1), nullptr);  // already a plain stop
  EXPECT_NE(w.find(CellAction::Stop, 2), nullptr);
  EXPECT_EQ(w.find(CellAction::Pass, 2), nullptr);
  EXPECT_NE(w.find(CellAction::EventDetail, 2), nullptr);
  // Cells sit in their columns: 通 in the fifth, 基 in the tenth.
  const auto& x = w.controller.last_layout().column_x;
  EXPECT_EQ(w.find(CellAction::Pass, 1)->rect.left, x[4]);
  EXPECT_EQ(w.find(CellAction::EventDetail, 1)->rect.left, x[9]);
}

TEST(DiaEditCells, TimeCellShiftsTheDepartureByOneUnitEachWay) {
  EditWindow w;
  const Point at = EditWindow::centre(*w.find(CellAction::TimeCell, 0));
  w.click(at);
  EXPECT_EQ(w.ds.dia.diagrams[w.R].events[0].time, hms(10, 0, 15));
  w.click(at, true);
  w.click(at, true);
  EXPECT_EQ(w.ds.dia.diagrams[w.R].events[0].time, hms(9, 59, 45));
}

TEST(DiaEditCells, InputAndDetailAskForTheirDialogs) {
  EditWindow w;
  Outcome o = w.click(EditWindow::centre(*w.find(CellAction::TimeInput, 1)));
  EXPECT_EQ(o.request, Outcome::Request::TimeInput);
  EXPECT_EQ(o.event, 1);
  o = w.click(EditWindow::centre(*w.find(CellAction::EventDetail, 2)));
  EXPECT_EQ(o.request, Outcome::Request::EventDetail);
  EXPECT_EQ(o.event, 2);
  EXPECT_FALSE(o.changed);
}

TEST(DiaEditBlocks, ClickAboveEditsThePreviousRunAndBelowTheNext) {
  EditWindow w;
  const Layout& l = w.controller.last_layout();
  EXPECT_EQ(l.previous_run, w.P);
  const int below = l.edited_bottom + 3;
  Outcome o = w.click({10, below});
  EXPECT_TRUE(o.selection_changed);
  EXPECT_EQ(w.controller.diagram(), w.N);
  w.click({10, w.controller.last_layout().edited_top - 2});
  EXPECT_EQ(w.controller.diagram(), w.R);
  w.click({10, w.controller.last_layout().edited_top - 2});
  EXPECT_EQ(w.controller.diagram(), w.P);
}

TEST(DiaEditBlocks, WithoutPreviousRunAClickAboveDoesNothing) {
  EditWindow w(false);
  w.controller.select(w.P);
  w.relayout();
  ASSERT_EQ(w.controller.last_layout().previous_run, 0);
  const Outcome o = w.click({10, w.controller.last_layout().edited_top - 1});
  EXPECT_FALSE(o.selection_changed);
  EXPECT_FALSE(o.changed);
  EXPECT_EQ(w.controller.diagram(), w.P);
  EXPECT_EQ(w.prompt.count(), 0u);
}

TEST(DiaEditBlocks, WithoutNextRunAClickBelowTellsSo) {
  EditWindow w(false);
  w.controller.select(w.N);
  w.relayout();
  w.click({10, w.controller.last_layout().edited_bottom + 5});
  ASSERT_EQ(w.prompt.count(), 1u);
  EXPECT_EQ(w.prompt.last().caption, "操作エラー");
  EXPECT_EQ(w.prompt.last().text, "編集する次運用が設定されていません。");
  EXPECT_EQ(w.controller.diagram(), w.N);
}

TEST(DiaEditDrawing, NothingSelectedShowsTheFiveLinesOnWhite) {
  EditWindow w(false);
  RecordingSurface s{{400, 300}};
  w.controller.draw(s);
  const auto texts = s.texts();
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0], "現在ダイヤ編集モードになっています。");
  EXPECT_EQ(texts[4], "このウインドウを閉じて下さい。");
  const auto lines = s.ops_of(OpKind::Text);
  EXPECT_EQ(lines[2].from.y - lines[1].from.y, lines[1].from.y - lines[0].from.y + 20);
  EXPECT_TRUE(w.click({10, 10}).selection_changed == false);
}

TEST(DiaEditDrawing, FontStepThreeDrawsFourteenPixels) {
  EditWindow w;
  RecordingSurface s{{400, 300}};
  w.controller.draw(s);
  EXPECT_EQ(s.font_pixels(), 14);
  w.controller.command(kCmdFontStep1 + 4, w.prompt);  // 最大
  RecordingSurface big{{400, 300}};
  w.controller.draw(big);
  EXPECT_EQ(big.font_pixels(), 18);
  EXPECT_EQ(font_pixels_for_step(1), 10);
}

TEST(DiaEditDrawing, HeaderMarksAndCaption) {
  EditWindow w;
  EXPECT_TRUE(w.shows("R"));
  EXPECT_TRUE(w.shows("車掌0人") || w.shows("ワンマン"));
  EXPECT_TRUE(w.shows("<パターン未設定>"));
  EXPECT_EQ(w.controller.caption().rfind("ダイヤ編集　R（F1編成）", 0), 0u);
  RecordingSurface s{{400, 600}};
  w.controller.draw(s);
  // The start's 発 in magenta, the final 着 in red.
  int magenta = 0, red = 0;
  for (const DrawOp& op : s.ops_of(OpKind::Text)) {
    if (op.text == "発" && op.colour == Rgb{255, 0, 255}) ++magenta;
    if (op.text == "着" && op.colour == Rgb{255, 0, 0}) ++red;
  }
  EXPECT_EQ(magenta, 1);
  EXPECT_EQ(red, 1);
}

TEST(DiaEditDrawing, CheckedPlatformConflictsRedden) {
  EditWindow w;
  // Formation F2's run X stands at B while R stops there.
  const int x = w.add_run(
      {{EditLine::rail(2, 1), hms(10, 5, 20), 1}, {EditLine::rail(3, 1), hms(10, 11), 2}}, "X");
  dia::Unit& f2 = w.ds.dia.units.grow_to(2);
  f2.name = "F2";
  f2.train = 2;
  f2.first_diagram = x;
  w.ds.dia.trains.grow_to(2).head_unit = 2;
  dia::recompute_owners(w.ds.dia);
  const std::vector<std::string> lines = w.controller.check_selection(true);
  EXPECT_FALSE(lines.empty());
  w.relayout();
  RecordingSurface s{{400, 600}};
  w.controller.draw(s);
  std::vector<std::string> red;
  for (const DrawOp& op : s.ops_of(OpKind::Text))
    if (op.colour == Rgb{255, 0, 0}) red.push_back(op.text);
  EXPECT_NE(std::find(red.begin(), red.end(), "B1"), red.end());
  EXPECT_EQ(std::find(red.begin(), red.end(), "A1"), red.end());
}

TEST(DiaEditPattern, PatternViewUntilDetailsIsClicked) {
  EditWindow w;
  w.ds.classification.patterns.grow_to(1).name = "PT";
  w.ds.dia.diagrams[w.R].applied_pattern = 1;
  w.relayout();
  EXPECT_TRUE(w.shows("（パターン適用中）"));
  EXPECT_TRUE(w.shows("<PT>"));
  EXPECT_EQ(w.find(CellAction::Pass), nullptr);
  // Only the start time can be typed: the pattern is applied again from it.
  EXPECT_NE(w.find(CellAction::TimeInput, 0), nullptr);
  EXPECT_EQ(w.find(CellAction::TimeInput, 1), nullptr);
  w.click(EditWindow::centre(*w.find(CellAction::PatternDetails)));
  EXPECT_TRUE(w.controller.detail_dia());
  EXPECT_FALSE(w.shows("（パターン適用中）"));
  // The full table of a pattern run still has no action cells.
  EXPECT_EQ(w.find(CellAction::Pass), nullptr);
  EXPECT_NE(w.find(CellAction::TimeInput, 1), nullptr);
}

TEST(DiaEditKeys, ArrowsWalkTheWorkingAndEscapeClears) {
  EditWindow w;
  w.controller.key(EditKey::Right, false, w.prompt);
  EXPECT_EQ(w.controller.diagram(), w.N);
  w.controller.key(EditKey::Left, true, w.prompt);
  EXPECT_EQ(w.controller.diagram(), w.P);
  w.controller.key(EditKey::Right, true, w.prompt);
  EXPECT_EQ(w.controller.diagram(), w.N);
  EXPECT_FALSE(w.controller.key(EditKey::Other, false, w.prompt).handled);
  w.controller.key(EditKey::Escape, false, w.prompt);
  EXPECT_EQ(w.controller.diagram(), 0);
}

TEST(DiaEditUndo, UndoAndRedoStepThroughTheHistory) {
  EditWindow w;
  w.click(EditWindow::centre(*w.find(CellAction::Pass, 1)));
  EXPECT_EQ(w.types(w.R)[1], kEventPass);
  EXPECT_TRUE(w.controller.command(kCmdUndo, w.prompt).changed);
  EXPECT_EQ(w.types(w.R)[1], kEventStop);
  EXPECT_TRUE(w.controller.command(kCmdRedo, w.prompt).changed);
  EXPECT_EQ(w.types(w.R)[1], kEventPass);
  EXPECT_FALSE(w.controller.command(kCmdRedo, w.prompt).changed);
}

TEST(DiaEditTimeInput, TypedTimeIsCheckedAndCorrectsOnlyWhenAsked) {
  EditWindow w;
  dia::EditResult r = w.controller.input_time(1, dia::kMaxInputTime + 1, w.prompt);
  EXPECT_EQ(r.status(), dia::EditResult::Status::Refused);
  EXPECT_EQ(w.controller.history().undo_steps(), 0u);
  w.prompt.script({Answer::Yes});  // 次駅以降の時刻を自動で修正しますか？
  ASSERT_TRUE(w.controller.input_time(1, hms(10, 7), w.prompt).ok());
  EXPECT_EQ(w.prompt.last().caption, "時刻自動設定確認");
  EXPECT_EQ(w.ds.dia.diagrams[w.R].events[1].time, hms(10, 7));
  EXPECT_EQ(w.ds.dia.diagrams[w.R].events[2].time, hms(10, 12));
}

TEST(DiaEditMenu, CouplingNeedsTheExtendedFunctions) {
  EditWindow w;
  w.controller.command(kCmdCoupleNext, w.prompt);
  ASSERT_EQ(w.prompt.count(), 1u);
  EXPECT_EQ(w.prompt.last().caption, "拡張機能エラー");
  EXPECT_EQ(w.prompt.last().text,
            "この機能は拡張機能です。\n拡張機能を使用する設定になっていない場合、"
            "設定変更は使用できません。");
}

TEST(DiaEditMenu, EnablingFollowsTheState) {
  EditWindow w;
  auto find = [&](int id) {
    for (const DiaEditMenu& m : w.controller.menus())
      for (const DiaEditMenuItem& i : m.items)
        if (i.id == id) return i;
    return DiaEditMenuItem{};
  };
  EXPECT_FALSE(find(kCmdUndo).enabled);
  EXPECT_TRUE(find(kCmdPreviousWorking).enabled);
  EXPECT_TRUE(find(kCmdFontStep1 + 2).checked);
  EXPECT_EQ(find(kCmdUndo).text, "元に戻す(&U)\tCtrl+Z");
  w.click(EditWindow::centre(*w.find(CellAction::Pass, 1)));
  EXPECT_TRUE(find(kCmdUndo).enabled);
  w.controller.select(w.P);
  EXPECT_FALSE(find(kCmdPreviousWorking).enabled);
  EXPECT_EQ(command_text(kCmdAutoMeasure, false), "自動計測・設定");
}

}  // namespace
}  // namespace vosk::diaedit::testing
