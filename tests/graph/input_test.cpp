// Hit test, presses, keys, wheel, zoom and scrolling of the train graph.
#include <gtest/gtest.h>

#include "dia/running_time.h"
#include "graph/hit_test.h"
#include "graph_fixture.h"
#include "support/scripted_prompt.h"

namespace vosk {
namespace {

using dia::kEventArrival;
using dia::kEventStop;
using graph::GraphKey;
using graph::KeyModifiers;
using graph::ScrollAction;
using testing::GraphLine;
using testing::hm;

class Graph_InputTests : public ::testing::Test {
 protected:
  int run(int a_departure, int b_departure, const char* number = "101M") {
    return line.add_run(2,
                        {{GraphLine::rail(1, 2), a_departure, kEventStop},
                         {GraphLine::rail(2, 2), b_departure, kEventStop},
                         {GraphLine::rail(3, 2), b_departure + 600, kEventArrival}},
                        1, number);
  }

  // Lays the controller out as a drawing pass would.
  void lay_out(graph::GraphController& c) {
    testing::RecordingSurface s({1000, 312}, 96);
    c.layout(s);
  }

  GraphLine line;
  testing::ScriptedPrompt prompt;
};

TEST_F(Graph_InputTests, AClickOnARunSelectsItEvenWhenAnotherRunStartsCloser) {
  // Run 1 runs A 6:10 -> B 6:20; run 2 leaves A at 6:14 but crawls to B.
  // The click lies on run 1's A-B stretch, nearer run 2's departure point.
  const int first = run(hm(6, 10), hm(6, 20));
  run(hm(6, 14), hm(6, 40), "202M");
  graph::GraphController c = testing::make_controller(line.ds);
  lay_out(c);
  EXPECT_EQ(c.hit_test({247, 62}), first);
}

TEST_F(Graph_InputTests, AFarClickStillSelectsTheNearestRun) {
  run(hm(6, 10), hm(6, 20));
  const int late = run(hm(6, 40), hm(6, 50), "202M");
  graph::GraphController c = testing::make_controller(line.ds);
  lay_out(c);
  EXPECT_EQ(c.hit_test({995, 300}), late);
  EXPECT_EQ(c.hit_test({995, 2}), late);  // above every station line
}

TEST_F(Graph_InputTests, TheSelectedRunWinsWithinTwentyPixels) {
  const int near = run(hm(6, 10), hm(6, 20));
  const int other = run(hm(6, 12), hm(6, 22), "202M");
  graph::GraphController c = testing::make_controller(line.ds);
  lay_out(c);
  EXPECT_EQ(c.hit_test({250, 62}), near);
  c.select(other);
  EXPECT_EQ(c.hit_test({250, 62}), other);
}

TEST_F(Graph_InputTests, DistancesToAVerticalStretchMeasureToTheSegment) {
  EXPECT_EQ(graph::distance_to_run({181, 62}, {171, 12}, {171, 112}), 10);
  EXPECT_EQ(graph::distance_to_run({171, 152}, {171, 12}, {171, 112}), 40);
  EXPECT_EQ(graph::distance_to_run({0, 0}, {0, 0}, {100, 100}), 0);
  EXPECT_EQ(graph::distance_to_run({100, 0}, {0, 0}, {100, 100}), 70);  // 100 / sqrt 2
  EXPECT_EQ(graph::distance_to_point({3, 4}, {0, 0}), 5);
}

TEST_F(Graph_InputTests, APressSelectsAndAPressInTheNameColumnTogglesTracks) {
  const int n = run(hm(6, 10), hm(6, 20));
  graph::GraphController c = testing::make_controller(line.ds);
  lay_out(c);
  graph::PressResult hit = c.left_press({247, 62});
  EXPECT_EQ(hit.kind, graph::PressResult::Selected);
  EXPECT_EQ(c.selected(), n);
  EXPECT_EQ(hit.message, "101Mのダイヤを編集できます。");

  graph::PressResult toggle = c.left_press({3, 105});
  EXPECT_EQ(toggle.kind, graph::PressResult::TracksToggled);
  EXPECT_EQ(toggle.target, 2);
  EXPECT_TRUE(line.ds.map.targets[2].show_track_numbers);
  c.left_press({3, 105});
  EXPECT_FALSE(line.ds.map.targets[2].show_track_numbers);
}

TEST_F(Graph_InputTests, ZoomKeysScaleTheSpanFromTheStartAndNeverBelowAMinute) {
  graph::GraphController c = testing::make_controller(line.ds);
  c.key(GraphKey::Right, {false, true}, prompt);
  EXPECT_EQ(c.end_time() - c.start_time(), 1800);
  c.key(GraphKey::Right, {true, true}, prompt);
  EXPECT_EQ(c.end_time() - c.start_time(), 1575);
  c.key(GraphKey::Left, {false, true}, prompt);
  EXPECT_EQ(c.end_time() - c.start_time(), 3150);
  c.key(GraphKey::Left, {true, true}, prompt);
  EXPECT_EQ(c.end_time() - c.start_time(), 3600);
  EXPECT_EQ(c.start_time(), hm(6, 0));
  c.set_time_range(hm(6, 0), hm(6, 1));
  c.zoom(8, 16);
  EXPECT_EQ(c.end_time() - c.start_time(), 60);
  c.set_time_range(0, hm(28, 0));
  c.zoom(16, 8);
  EXPECT_EQ(c.end_time(), hm(28, 0));  // never wider than the day
}

TEST_F(Graph_InputTests, ScrollingWorksInMinutesAndIsClampedToTheDay) {
  graph::GraphController c = testing::make_controller(line.ds);
  c.settings().view.flattery = true;
  EXPECT_EQ(c.scroll_bar().page, 60);
  EXPECT_EQ(c.scroll_bar().position, 360);
  c.key(GraphKey::Right, {}, prompt);
  EXPECT_EQ(c.start_time(), hm(6, 30));
  EXPECT_FALSE(c.settings().view.flattery);
  c.key(GraphKey::Left, {true, false}, prompt);
  EXPECT_EQ(c.start_time(), hm(6, 25));
  c.scroll(ScrollAction::Bottom);
  EXPECT_EQ(c.scroll_bar().position, 1681 - 60);
  EXPECT_EQ(c.end_time() - c.start_time(), 3600);
  c.scroll(ScrollAction::PageRight);
  EXPECT_EQ(c.scroll_bar().position, 1621);
  c.scroll(ScrollAction::Track, 100);
  EXPECT_EQ(c.start_time(), 6000);
  c.scroll(ScrollAction::Top);
  c.scroll(ScrollAction::LineLeft);
  EXPECT_EQ(c.start_time(), 0);
  // A one-minute view still moves.
  c.set_time_range(hm(6, 0), hm(6, 1));
  c.scroll(ScrollAction::LineRight);
  EXPECT_EQ(c.start_time(), hm(6, 1));
  c.wheel(1, true);
  EXPECT_EQ(c.start_time(), hm(6, 2));
}

TEST_F(Graph_InputTests, RowSpacingKeysAdviseWhenNoTracksAreShown) {
  graph::GraphController c = testing::make_controller(line.ds);
  c.key(GraphKey::Up, {true, false}, prompt);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "操作アドバイス");
  EXPECT_EQ(c.settings().platform_ratio, 14);
  line.ds.map.targets[1].show_track_numbers = true;
  for (int i = 0; i < 5; ++i) c.key(GraphKey::Down, {true, false}, prompt);
  EXPECT_EQ(c.settings().platform_ratio, 2);
  EXPECT_EQ(prompt.count(), 1u);
  EXPECT_FALSE(c.key(GraphKey::Up, {}, prompt));  // plain arrows up and down are not the graph's
}

TEST_F(Graph_InputTests, HidingBothDirectionsShowsTheOtherOne) {
  graph::GraphController c = testing::make_controller(line.ds);
  c.toggle_direction_shown(true);
  EXPECT_FALSE(c.settings().view.view_down);
  EXPECT_TRUE(c.settings().view.view_up);
  c.toggle_direction_shown(false);  // up off: down comes back
  EXPECT_FALSE(c.settings().view.view_up);
  EXPECT_TRUE(c.settings().view.view_down);
  c.toggle_direction_shown(false);
  EXPECT_TRUE(c.settings().view.view_up);
  EXPECT_TRUE(c.settings().view.view_down);
}

TEST_F(Graph_InputTests, TabAndTheWheelCycleDisplayTargetsAndEscapeClearsTheSelection) {
  line.ds.classification.display_targets.grow_to(2).name = "Main";
  graph::GraphController c = testing::make_controller(line.ds);
  c.key(GraphKey::Tab, {}, prompt);
  EXPECT_EQ(c.display_target(), 1);
  EXPECT_EQ(c.caption(), "ダイヤグラムウインドウ　Main");
  c.wheel(1, false);
  EXPECT_EQ(c.display_target(), 0);
  c.wheel(-1, false);
  EXPECT_EQ(c.display_target(), 1);
  c.select(3);
  c.key(GraphKey::Escape, {}, prompt);
  EXPECT_EQ(c.selected(), 0);
}

}  // namespace
}  // namespace vosk

namespace vosk {
namespace {

TEST(Graph_DisplayTargetDragTests, APlaceDraggedUpTakesTheDistanceOfItsNewHeight) {
  testing::GraphLine line;
  testing::ScriptedPrompt prompt;
  graph::GraphController c = testing::make_controller(line.ds);
  c.set_mode(graph::GraphMode::DisplayTarget);
  testing::RecordingSurface s({1000, 312}, 96);
  c.draw(s);

  graph::PressResult picked = c.left_press({500, 300});
  EXPECT_EQ(picked.kind, graph::PressResult::TargetPicked);
  EXPECT_EQ(c.selected_target(), 3);
  c.drag_to({500, 62});
  s.clear();
  c.draw_drag_overlay(s);
  ASSERT_FALSE(s.ops_of(OpKind::Line).empty());
  EXPECT_EQ(s.ops_of(OpKind::Line)[0].from, (Point{0, 62}));
  EXPECT_EQ(s.ops_of(OpKind::Line)[0].pen.colour, (Rgb{0, 0, 255}));

  // One pixel per distance unit below the header: y 62 is 50 units.
  EXPECT_TRUE(c.left_release({500, 62}, prompt));
  EXPECT_EQ(line.ds.map.targets[3].distances[0], 50);
  EXPECT_EQ(prompt.count(), 0u);

  // Above the first line: stored as 0, with a warning. B is now the
  // farthest place, at the bottom.
  c.draw(s);
  EXPECT_EQ(c.vertical().rows[2].y, 311);
  c.left_press({500, 305});
  EXPECT_EQ(c.selected_target(), 2);
  EXPECT_TRUE(c.left_release({500, 2}, prompt));
  EXPECT_EQ(line.ds.map.targets[2].distances[0], 0);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "範囲エラー");
  EXPECT_EQ(prompt.last().text, "これより上には設定できません。");

  // A right press drops the pick; a release then stores nothing.
  c.left_press({500, 12});
  c.right_press();
  EXPECT_EQ(c.selected_target(), 0);
  EXPECT_FALSE(c.left_release({500, 200}, prompt));
}

}  // namespace
}  // namespace vosk

namespace vosk {
namespace {

using graph::MenuItem;

std::vector<int> ids(const graph::ContextMenu& menu) {
  std::vector<int> out;
  for (const MenuItem& item : menu.items) out.push_back(item.id);
  return out;
}

const MenuItem* item(const graph::ContextMenu& menu, int id) {
  for (const MenuItem& i : menu.items) {
    if (i.id == id) return &i;
  }
  return nullptr;
}

class Graph_ContextMenuTests : public ::testing::Test {
 protected:
  Graph_ContextMenuTests() {
    run =
        line.add_run(2, {{testing::GraphLine::rail(1, 2), testing::hm(6, 10), dia::kEventStop},
                         {testing::GraphLine::rail(2, 2), testing::hm(6, 20), dia::kEventStop},
                         {testing::GraphLine::rail(3, 2), testing::hm(6, 30), dia::kEventArrival}});
    line.ds.map.rails[testing::GraphLine::rail(3, 2)].name = "C 1";
    line.ds.dia.diagrams[run].destination_text = "C";
    line.ds.dia.diagrams[run].run.owning_unit = 1;
  }

  graph::ContextMenu menu_at(Point at) {
    graph::GraphController c = testing::make_controller(line.ds);
    testing::RecordingSurface s({1000, 312}, 96);
    c.draw(s);
    c.select(run);
    return c.context_menu(at);
  }

  testing::GraphLine line;
  int run = 0;
};

TEST_F(Graph_ContextMenuTests, AtAFinalArrivalTheStopItemsExtendTheRun) {
  const graph::ContextMenu menu = menu_at({500, 300});
  EXPECT_EQ(menu.event, 2);
  EXPECT_EQ(ids(menu),
            (std::vector<int>{0, 130, 0, 131, 132, 133, 134, 136, 137, 162, 163, 164, 165, 166}));
  EXPECT_EQ(menu.items[0].text, "101M 普通 C");
  EXPECT_FALSE(menu.items[0].enabled);
  EXPECT_EQ(menu.items[2].text, "C 1");
  EXPECT_EQ(item(menu, 131)->text, "延長－標準(45秒)停車(&D)");
  EXPECT_FALSE(item(menu, 131)->checked);
  EXPECT_EQ(item(menu, 132)->text, "停車－　+15秒(&P)");
  EXPECT_EQ(item(menu, 134)->text, "延長－発車時刻(&T)");
  EXPECT_TRUE(item(menu, 137)->checked);
  EXPECT_FALSE(item(menu, 137)->enabled);
}

TEST_F(Graph_ContextMenuTests, AtAStopTheStandardStopIsChecked) {
  line.ds.dia.diagrams[run].next_working = 9;
  const graph::ContextMenu menu = menu_at({500, 110});
  EXPECT_EQ(menu.event, 1);
  EXPECT_EQ(item(menu, 131)->text, "停車－標準(45秒)(&D)");
  EXPECT_TRUE(item(menu, 131)->checked);
  EXPECT_TRUE(item(menu, 137)->enabled);
  EXPECT_EQ(menu.items.back().id, 167);
}

TEST_F(Graph_ContextMenuTests, RunsWithoutAWorkingOrFromAPatternHaveNoStopItems) {
  line.ds.dia.diagrams[run].run.owning_unit = 0;
  graph::ContextMenu loose = menu_at({500, 110});
  EXPECT_EQ(ids(loose), (std::vector<int>{0, 130, 161, 162, 163, 164, 165, 166}));

  line.ds.classification.patterns.grow_to(1).name = "Local";
  line.ds.dia.diagrams[run].applied_pattern = 1;
  graph::ContextMenu patterned = menu_at({500, 110});
  EXPECT_EQ(patterned.items[2].text, "<Local>");
  EXPECT_EQ(item(patterned, 131), nullptr);
}

TEST_F(Graph_ContextMenuTests, WithNothingSelectedTheClickSelectsInstead) {
  graph::GraphController c = testing::make_controller(line.ds);
  testing::RecordingSurface s({1000, 312}, 96);
  c.draw(s);
  EXPECT_TRUE(c.context_menu({247, 62}).items.empty());
  EXPECT_EQ(c.selected(), run);
}

}  // namespace
}  // namespace vosk

namespace vosk {
namespace {

using testing::GraphLine;
using testing::hm;

// Run A 6:10 -> B 6:20 -> C 6:30 with running times that give exactly
// these times (A-B 555 s plus B's 45 s stop, B-C 600 s).
class Graph_StopDragTests : public ::testing::Test {
 protected:
  Graph_StopDragTests() {
    auto& times = line.ds.classification.speed_types[1].running_times;
    dia::set_running_time(times, GraphLine::rail(1, 2), GraphLine::rail(2, 2), 2, 555);
    dia::set_running_time(times, GraphLine::rail(2, 2), GraphLine::rail(3, 2), 2, 600);
    run = line.add_run(2, {{GraphLine::rail(1, 2), hm(6, 10), dia::kEventStop},
                           {GraphLine::rail(2, 2), hm(6, 20), dia::kEventStop},
                           {GraphLine::rail(3, 2), hm(6, 30), dia::kEventArrival}});
    c.select(run);
    c.draw(surface);
  }

  int time(std::size_t i) const { return line.ds.dia.diagrams[run].events[i].time; }

  GraphLine line;
  int run = 0;
  graph::GraphController c = testing::make_controller(line.ds);
  testing::RecordingSurface surface{{1000, 312}, 96};
  testing::ScriptedPrompt prompt;
};

TEST_F(Graph_StopDragTests, DraggingTheStartShiftsItByWholeUnitsAndRetimesTheRest) {
  EXPECT_EQ(c.left_press({171, 12}).kind, graph::PressResult::DragStarted);
  c.drag_to({254, 12});  // 301 s to the right: 300 in units of 15 s
  EXPECT_EQ(time(0), hm(6, 15));
  EXPECT_EQ(time(1), hm(6, 25));
  EXPECT_EQ(time(2), hm(6, 35));

  // While dragging the run is dash-dot and the overlay shows its new line.
  surface.clear();
  c.draw(surface);
  for (const DrawOp& op : testing::lines_in(surface, Rgb{0, 0, 0}))
    EXPECT_EQ(op.pen.style, PenStyle::DashDot);
  surface.clear();
  c.draw_drag_overlay(surface);
  EXPECT_TRUE(testing::has_segment(surface.ops_of(OpKind::Line), {254, 12}, {407, 112}));

  EXPECT_TRUE(c.left_release({254, 12}, prompt));
  EXPECT_FALSE(c.stop_drag_active());
  std::optional<dia::DiaSnapshot> undo = c.take_undo_snapshot();
  ASSERT_TRUE(undo.has_value());
  EXPECT_EQ(undo->tables().diagrams[run].events[0].time, hm(6, 10));
}

TEST_F(Graph_StopDragTests, LeavingTheStationBandCancelsAndRestores) {
  c.left_press({171, 12});
  c.drag_to({254, 100});
  EXPECT_EQ(time(0), hm(6, 15));
  c.drag_to({254, 320});  // below the last station
  EXPECT_FALSE(c.stop_drag_active());
  EXPECT_EQ(time(0), hm(6, 10));
  EXPECT_EQ(time(1), hm(6, 20));
  EXPECT_FALSE(c.left_release({254, 320}, prompt));
  EXPECT_FALSE(c.take_undo_snapshot().has_value());
}

TEST_F(Graph_StopDragTests, ADepartureAfterItsOwnArrivalIsGrabbedAtItsStation) {
  auto& events = line.ds.dia.diagrams[run].events;
  events.insert(events.begin() + 1, {GraphLine::rail(2, 2), hm(6, 19), dia::kEventArrival});
  c.draw(surface);
  // Near B's line, on the run (between its arrival and departure).
  EXPECT_EQ(c.left_press({330, 112}).kind, graph::PressResult::DragStarted);
  c.drag_to({330 + 166, 112});    // ten minutes later
  EXPECT_EQ(time(1), hm(6, 19));  // the arrival stays
  EXPECT_EQ(time(2), hm(6, 30));
  c.left_release({330 + 166, 112}, prompt);
  // A press elsewhere than on the selected run selects instead.
  c.select(0);
  EXPECT_EQ(c.left_press({330, 112}).kind, graph::PressResult::Selected);
}

}  // namespace
}  // namespace vosk
