// The drawing pass of the train graph, checked by its operations.
#include <gtest/gtest.h>

#include <algorithm>

#include "graph/diagram_filter.h"
#include "graph_fixture.h"

namespace vosk {
namespace {

using dia::kEventArrival;
using dia::kEventStop;
using testing::GraphLine;
using testing::has_segment;
using testing::hm;
using testing::lines_in;
using testing::RecordingSurface;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kSky{135, 206, 235};

// With the fixture's frame the plot starts at x 6 (name column "A") and an
// hour spans 994 pixels: x(6:10) 171, x(6:19:15) 324, x(6:20) 337, x(6:30) 503.
class Graph_DrawTests : public ::testing::Test {
 protected:
  int down(int station) { return GraphLine::rail(station, 2); }

  int plain_run(const char* number = "101M") {
    return line.add_run(2,
                        {{down(1), hm(6, 10), kEventStop},
                         {down(2), hm(6, 20), kEventStop},
                         {down(3), hm(6, 30), kEventArrival}},
                        1, number);
  }

  const DrawOp* text_op(const std::string& text) {
    for (const DrawOp& op : surface.ops()) {
      if (op.kind == OpKind::Text && op.text == text) return &op;
    }
    return nullptr;
  }

  void draw(graph::GraphController& c, const graph::DrawPage& page = {}) {
    surface.clear();
    c.draw(surface, page);
  }

  GraphLine line;
  RecordingSurface surface{{1000, 312}, 96};
};

TEST_F(Graph_DrawTests, ARunIsAPolylineThroughItsStopsWithTheArrivalDerivedFromTheStopTime) {
  plain_run();
  graph::GraphController c = testing::make_controller(line.ds);
  draw(c);
  const auto run = lines_in(surface, kBlack);
  EXPECT_TRUE(has_segment(run, {171, 12}, {324, 112}));   // A 6:10 to B's arrival 6:19:15
  EXPECT_TRUE(has_segment(run, {324, 112}, {337, 112}));  // standing at B
  EXPECT_TRUE(has_segment(run, {337, 112}, {503, 311}));  // B to C
  // A 0.5 pt line at 96 dpi is one pixel: the pass is drawn twice in place.
  EXPECT_EQ(std::count_if(run.begin(), run.end(),
                          [](const DrawOp& op) {
                            return op.from == Point{171, 12} && op.to == Point{324, 112};
                          }),
            2);
}

TEST_F(Graph_DrawTests, AStandardStopTimeOfTheTrackMovesTheDerivedArrival) {
  plain_run();
  line.ds.classification.stop_times.push_back({0, down(2), dia::kStopTime, 120, 0, 0});
  graph::GraphController c = testing::make_controller(line.ds);
  draw(c);
  EXPECT_TRUE(has_segment(lines_in(surface, kBlack), {171, 12}, {304, 112}));  // 6:18
}

TEST_F(Graph_DrawTests, AStopWithItsOwnArrivalIsNotDerived) {
  line.add_run(2, {{down(1), hm(6, 10), kEventStop},
                   {down(2), hm(6, 15), kEventArrival},
                   {down(2), hm(6, 20), kEventStop},
                   {down(3), hm(6, 30), kEventArrival}});
  graph::GraphController c = testing::make_controller(line.ds);
  draw(c);
  const auto run = lines_in(surface, kBlack);
  EXPECT_TRUE(has_segment(run, {171, 12}, {254, 112}));  // 6:15
  EXPECT_FALSE(has_segment(run, {171, 12}, {324, 112}));
}

TEST_F(Graph_DrawTests, TheLabelRunsAlongTheFirstSlopedSegmentInTheTypeColour) {
  plain_run();
  graph::GraphController c = testing::make_controller(line.ds);
  draw(c);
  const DrawOp* label = text_op("101M ");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->from, (Point{171, 12}));
  EXPECT_EQ(label->font.escapement, -331);  // atan2(-100, 153)
  EXPECT_EQ(label->font.height, -14);       // 12/10 of the graph font
  EXPECT_EQ(label->colour, kBlack);
  EXPECT_EQ(label->align, (TextAlign{HAlign::Left, VAlign::Bottom}));
}

TEST_F(Graph_DrawTests, AVerticalFirstSegmentPassesTheLabelToTheNextSlopedOne) {
  // B's derived arrival is A's departure time: the first stretch is vertical.
  line.add_run(2, {{down(1), hm(6, 10), kEventStop},
                   {down(2), hm(6, 10, 45), kEventStop},
                   {down(3), hm(6, 30), kEventArrival}});
  graph::GraphController c = testing::make_controller(line.ds);
  draw(c);
  const DrawOp* label = text_op("101M ");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->from, (Point{184, 112}));  // B's departure, 6:10:45
}

TEST_F(Graph_DrawTests, ARunWithNoSlopedSegmentInViewHasNoLabel) {
  line.add_run(2, {{down(1), hm(5, 0), kEventStop},
                   {down(2), hm(5, 50), kEventArrival},
                   {down(2), hm(7, 30), kEventStop},
                   {down(3), hm(8, 0), kEventArrival}});
  graph::GraphController c = testing::make_controller(line.ds);
  draw(c);
  EXPECT_TRUE(has_segment(lines_in(surface, kBlack), {-159, 112}, {1497, 112}));
  EXPECT_EQ(text_op("101M "), nullptr);
}

TEST_F(Graph_DrawTests, ALabelWhoseSegmentStartsBeforeTheViewBeginsAtThePlotEdge) {
  line.add_run(2, {{down(1), hm(5, 50), kEventStop}, {down(2), hm(6, 20), kEventStop}});
  graph::GraphController c = testing::make_controller(line.ds);
  draw(c);
  const DrawOp* label = text_op("101M ");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->from, (Point{6, 46}));
}

TEST_F(Graph_DrawTests, LabelsCarryTypeNicknameAndDestinationAsTheViewAsks) {
  const int n = plain_run();
  dia::Diagram& d = line.ds.dia.diagrams[n];
  d.nickname = "Kaze";
  d.car_number = 5;
  d.destination = 3;
  d.destination_text = "C";
  graph::GraphController c = testing::make_controller(line.ds);
  c.settings().view.view_type = 2;
  c.settings().view.view_for = 3;
  draw(c);
  const std::string type = sjis::to_utf8_lossy(line.ds.classification.train_types[1].short_name);
  EXPECT_NE(text_op("101M " + type + " Kaze 5号 C station "), nullptr);
  // A destination text of its own is shown as it is.
  d.destination_text = "Depot";
  c.settings().view.view_nickname = false;
  draw(c);
  EXPECT_NE(text_op("101M " + type + " Depot "), nullptr);
}

TEST_F(Graph_DrawTests, GridStationLinesMasksAndTimeLabels) {
  graph::GraphController c = testing::make_controller(line.ds);
  draw(c);
  int minor = 0, major = 0;
  for (const DrawOp& op : lines_in(surface, kSky)) {
    if (op.from.x != op.to.x) continue;
    EXPECT_EQ(op.from.y, 12);
    EXPECT_EQ(op.to.y, 312);
    (op.pen.style == PenStyle::Dot ? minor : major) += 1;
  }
  EXPECT_EQ(minor, 61);     // every minute 6:00 .. 7:00, thinner than a pixel: one stroke
  EXPECT_EQ(major, 7 * 2);  // every ten minutes, one pixel: twice
  const auto sky = lines_in(surface, kSky);
  EXPECT_TRUE(has_segment(sky, {6, 112}, {1000, 112}));  // across the plot
  EXPECT_TRUE(has_segment(sky, {0, 112}, {6, 112}));     // under the name
  const auto fills = surface.ops_of(OpKind::FillRect);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].rect, (Rect{0, 0, 6, 312}));
  EXPECT_EQ(fills[1].rect.left, 1001);
  const std::vector<std::string> expected = {" 6:00", " 6:10", " 6:20", " 6:30", " 6:40",
                                             " 6:50", " 7:00", "A",     "B",     "C"};
  EXPECT_EQ(surface.texts(), expected);
  EXPECT_EQ(text_op(" 6:10")->from, (Point{171, 12}));
  EXPECT_EQ(text_op(" 6:10")->align, (TextAlign{HAlign::Center, VAlign::Bottom}));
  // The labels at the ends stay inside the plot.
  EXPECT_EQ(text_op(" 6:00")->from, (Point{6, 12}));
  EXPECT_EQ(text_op(" 6:00")->align.horizontal, HAlign::Left);
  EXPECT_EQ(text_op(" 7:00")->from, (Point{1000, 12}));
  EXPECT_EQ(text_op(" 7:00")->align.horizontal, HAlign::Right);
  EXPECT_EQ(text_op("C")->from, (Point{0, 311}));
}

TEST_F(Graph_DrawTests, DisplayTargetModeDrawsUnselectedStationsPale) {
  graph::GraphController c = testing::make_controller(line.ds);
  c.set_mode(graph::GraphMode::DisplayTarget);
  draw(c);
  EXPECT_TRUE(has_segment(lines_in(surface, Rgb{224, 255, 255}), {6, 112}, {1000, 112}));
  EXPECT_TRUE(lines_in(surface, kSky).size() > 0);  // the time grid keeps its colour
}

TEST_F(Graph_DrawTests, TitlesNameTheDirectionAndThePrintedPage) {
  line.ds.header.dia.dia_title = sjis::from_utf8_lossy("平日ダイヤ");
  graph::GraphController c = testing::make_controller(line.ds);
  c.settings().view.view_title = true;
  draw(c, {1, 3, true});
  EXPECT_NE(text_op("平日ダイヤ　2／3"), nullptr);
  draw(c, {0, 1, true});
  EXPECT_NE(text_op("平日ダイヤ"), nullptr);
  c.settings().view.view_up = false;
  draw(c, {0, 3, false});
  EXPECT_NE(text_op("平日ダイヤ　下り"), nullptr);
  EXPECT_EQ(c.caption(), "ダイヤグラムウインドウ　全駅");
}

TEST_F(Graph_DrawTests, TheSelectedRunIsThickerAndOthersAreDotted) {
  const int first = plain_run();
  line.ds.classification.train_types[2].red = 255;
  line.add_run(2, {{down(1), hm(6, 30), kEventStop}, {down(3), hm(6, 50), kEventArrival}}, 2);
  graph::GraphController c = testing::make_controller(line.ds);
  c.select(first);
  draw(c);
  const auto selected = lines_in(surface, kBlack);
  EXPECT_TRUE(has_segment(selected, {172, 13}, {325, 113}));  // shifted by (1, 1)
  for (const DrawOp& op : lines_in(surface, Rgb{255, 0, 0})) EXPECT_EQ(op.pen.style, PenStyle::Dot);
  EXPECT_FALSE(lines_in(surface, Rgb{255, 0, 0}).empty());
}

TEST_F(Graph_DrawTests, ACoupledRunIsShiftedAndLeavesTheLabelToTheRunBehind) {
  const int head = plain_run("HEAD");
  const int behind = plain_run("TAIL");
  line.ds.dia.diagrams[head].coupled_behind = behind;
  line.ds.dia.diagrams[behind].coupled_ahead = head;
  graph::GraphController c = testing::make_controller(line.ds);
  draw(c);
  const auto lines = lines_in(surface, kBlack);
  EXPECT_TRUE(has_segment(lines, {174, 12}, {327, 112}));
  EXPECT_EQ(text_op("HEAD "), nullptr);
  EXPECT_NE(text_op("TAIL "), nullptr);
  // With coupled runs hidden the head is not drawn at all.
  c.settings().view.view_double = false;
  draw(c);
  EXPECT_FALSE(has_segment(lines_in(surface, kBlack), {174, 12}, {327, 112}));
}

TEST_F(Graph_DrawTests, NothingIsDrawnWithoutAMap) {
  datafiles::DataSet empty;
  graph::GraphController c(empty);
  draw(c);
  EXPECT_TRUE(surface.ops().empty());
}

TEST(Graph_FilterTests, ViewFlagsChooseTheRunsShown) {
  dia::Diagram d;
  d.direction = 1;
  graph::ViewFlags v;
  EXPECT_TRUE(graph::shows_diagram(d, v, false));
  struct Row {
    const char* what;
    void (*change)(dia::Diagram&, graph::ViewFlags&);
    bool shown;
  };
  const Row rows[] = {
      {"free slot", [](dia::Diagram& x, graph::ViewFlags&) { x.direction = 0; }, false},
      {"template", [](dia::Diagram& x, graph::ViewFlags&) { x.pattern_template = 2; }, false},
      {"down hidden", [](dia::Diagram&, graph::ViewFlags& f) { f.view_down = false; }, false},
      {"up hidden", [](dia::Diagram&, graph::ViewFlags& f) { f.view_up = false; }, true},
      {"unassigned hidden", [](dia::Diagram&, graph::ViewFlags& f) { f.view_suspense = false; },
       false},
      {"assigned hidden",
       [](dia::Diagram& x, graph::ViewFlags& f) {
         x.run.owning_unit = 4;
         f.view_active = false;
       },
       false},
      {"coupled hidden",
       [](dia::Diagram& x, graph::ViewFlags& f) {
         x.coupled_behind = 7;
         f.view_double = false;
       },
       false},
      {"held back", [](dia::Diagram& x, graph::ViewFlags&) { x.run.copy_source = -1; }, false},
  };
  for (const Row& r : rows) {
    dia::Diagram x = d;
    graph::ViewFlags f = v;
    r.change(x, f);
    EXPECT_EQ(graph::shows_diagram(x, f, false), r.shown) << r.what;
  }
  // RightDown makes direction 1 the up direction.
  v.view_down = false;
  EXPECT_TRUE(graph::shows_diagram(d, v, true));
}

}  // namespace
}  // namespace vosk
