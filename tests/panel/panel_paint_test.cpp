#include <gtest/gtest.h>

#include <algorithm>

#include "panel/panel_fixtures.h"
#include "panel/panel_labels.h"
#include "panel/track_panel.h"
#include "support/recording_surface.h"

namespace vosk::panel {
namespace {

using testing::add_rail;
using vosk::testing::RecordingSurface;

// Every line style entry gets a colour of its own: (id * 10, 1, 2).
std::vector<shell::LineStyle> numbered_styles() {
  std::vector<shell::LineStyle> styles = shell::builtin_main_window_line_styles();
  for (shell::LineStyle& s : styles) {
    s.red = static_cast<std::uint8_t>(s.id * 10);
    s.green = 1;
    s.blue = 2;
  }
  return styles;
}
Rgb entry(int id) { return {static_cast<std::uint8_t>(id * 10), 1, 2}; }

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kRed{255, 0, 0};

class Panel_PaintTests : public ::testing::Test {
 protected:
  Panel_PaintTests() {
    data.map = testing::one_row_map();
    // Signal set 1: stop below step 50, proceed from 50.
    map::SignalSet& set = data.map.signals.sets.grow_to(1);
    data.map.signals.colours.push_back({255, 0, 0});
    data.map.signals.colours.push_back({0, 255, 0});
    for (int step = 0; step < map::kSpeedSteps; ++step)
      set.aspects[static_cast<std::size_t>(step)] = {true, step < 50 ? 0 : 50, 0, 0,
                                                     step < 50 ? 1 : 2};
  }

  TrackPanel& panel() {
    if (!panel_) panel_.emplace(data, numbered_styles());
    return *panel_;
  }

  RecordingSurface paint() {
    RecordingSurface s({800, 600});
    panel().draw(s);
    return s;
  }

  // The pen colour of the first line drawn from a rail's next end.
  static std::optional<Rgb> line_colour_at(const RecordingSurface& s, Point from) {
    for (const DrawOp& op : s.ops_of(OpKind::Line))
      if (op.from == from && op.to.y == from.y) return op.pen.colour;
    return std::nullopt;
  }

  // A lever and its end button at rail `rail`, lever symbol at (lx, ly).
  int add_lever(int rail, int lx, int ly, int shown) {
    const int l = data.map.route_levers.extent() + 1;
    map::RouteLever& lever = data.map.route_levers.grow_to(l);
    lever.direction = data.map.rails[rail].direction;
    lever.lever_shown = shown;
    lever.lever_row = 1;
    lever.lever_x = lx;
    lever.lever_y = ly;
    lever.button_row = 1;
    lever.button_x = lx + 10;
    lever.button_y = ly + 10;
    data.map.rails[rail].route_lever = l;
    return l;
  }

  int add_button(int rail, int x, int y, int shown) {
    const int b = data.map.route_buttons.extent() + 1;
    map::RouteButton& button = data.map.route_buttons.grow_to(b);
    button.shown = shown;
    button.row = 1;
    button.x = x;
    button.y = y;
    data.map.rails[rail].route_button = b;
    return b;
  }

  datafiles::DataSet data;
  std::optional<TrackPanel> panel_;
};

struct KeyCase {
  int mode;
  bool at_normal;
  int entry;
};

TEST_F(Panel_PaintTests, PointKeysTakeTheirModeColourOrWhiteOnAnInterlockingPanel) {
  const KeyCase cases[] = {{0, true, 0}, {1, true, 1},  {1, false, 2}, {2, true, 3},
                           {3, true, 4}, {4, false, 5}, {5, true, 6}};
  map::Point& p = data.map.points.grow_to(1);
  p.key = "21";
  p.symbol_row = 1;
  p.symbol_x = 100;
  p.symbol_y = 30;
  for (const KeyCase& c : cases) {
    for (int interlocking : {0, 1}) {
      data.header.map.use_interlocking = interlocking;
      p.active_mode = c.mode;
      p.normal_position = 0;
      p.position = c.at_normal ? 0 : 1;
      RecordingSurface s = paint();
      std::vector<DrawOp> texts = s.ops_of(OpKind::Text);
      ASSERT_EQ(texts.size(), 1u);
      EXPECT_EQ(texts[0].text, "21");
      EXPECT_EQ(texts[0].from, (Point{140, 30}));
      EXPECT_EQ(texts[0].align, (TextAlign{HAlign::Center, VAlign::Top}));
      EXPECT_EQ(texts[0].colour, interlocking ? kWhite : entry(c.entry)) << "mode " << c.mode;
    }
  }
}

// With the main window's own colours the blue key of a point at its normal
// position is written on a light plate; the white key of a manual point is not.
TEST_F(Panel_PaintTests, DarkPointKeysStandOnALightPlate) {
  for (int n : {1, 2}) {
    map::Point& p = data.map.points.grow_to(n);
    p.key = n == 1 ? "21" : "22";
    p.symbol_row = 1;
    p.symbol_x = 100 * n;
    p.symbol_y = 30;
    p.active_mode = n == 1 ? map::kPointRestore : map::kPointManual;
  }
  TrackPanel own(data, shell::builtin_main_window_line_styles());
  RecordingSurface s({800, 600});
  own.draw(s);
  std::vector<DrawOp> plates;
  for (const DrawOp& op : s.ops_of(OpKind::FillRect))
    if (op.colour == kPlateColour) plates.push_back(op);
  ASSERT_EQ(plates.size(), 1u);
  const std::vector<DrawOp> texts = s.ops_of(OpKind::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].colour, (Rgb{0, 0, 255}));
  const Size size = approximate_text_size(texts[0].font, 96, texts[0].text);
  const Rect& plate = plates[0].rect;
  EXPECT_LE(plate.left, texts[0].from.x - size.width / 2);
  EXPECT_GE(plate.right, texts[0].from.x + size.width / 2);
  EXPECT_EQ(plate.top, texts[0].from.y);
  EXPECT_EQ(plate.bottom, texts[0].from.y + size.height);
  EXPECT_EQ(texts[1].colour, kWhite);
}

TEST_F(Panel_PaintTests, PointKeysGreyWhileAnotherPointIsBeingMovedOrWhenFailed) {
  for (int n : {1, 2}) {
    map::Point& p = data.map.points.grow_to(n);
    p.key = n == 1 ? "1" : "2";
    p.symbol_row = 1;
    p.active_mode = 3;
  }
  data.map.points[2].failed = 1;
  panel().set_pending_symbol_move(1);
  RecordingSurface s = paint();
  std::vector<DrawOp> texts = s.ops_of(OpKind::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].colour, entry(4));
  EXPECT_EQ(texts[1].colour, (Rgb{128, 128, 128}));
}

TEST_F(Panel_PaintTests, ARailWithoutSignalTakesTheAspectOfTheNextSignalledRail) {
  const int a = add_rail(data.map, 1, 0, 40, 100, 40);
  const int b = add_rail(data.map, 1, 100, 40, 200, 40);
  data.map.rails[a].l_next = b;
  data.map.rails[b].l_back = a;
  data.map.rails[b].signal = 1;
  data.map.prails[data.map.rails[b].l_pack].point = 1;  // b lies in a point
  panel().set_aspect_step(b, 10);
  EXPECT_EQ(panel().rail_colour(a), kRed);
  panel().set_aspect_step(b, 60);
  EXPECT_EQ(panel().rail_colour(a), kGreen);
  EXPECT_EQ(line_colour_at(paint(), {140, 40}), kGreen);

  // Not through a point, the walk ends at once: no signal of its own.
  data.map.prails[data.map.rails[b].l_pack].point = 0;
  EXPECT_EQ(panel().rail_colour(a), (Rgb{0, 0, 255}));
  panel().view().rail_view = 1;
  EXPECT_EQ(panel().rail_colour(a), kWhite);
}

TEST_F(Panel_PaintTests, RestrictingViewShowsAspectsOnlyBelowTheRailsSpeed) {
  const int a = add_rail(data.map, 1, 0, 40, 100, 40);
  data.map.rails[a].signal = 1;
  data.map.rails[a].l_next = a;  // drawn: it has a link
  panel().view().rail_view = 1;
  data.header.map.max_speed = 100;
  panel().set_aspect_step(a, 99);
  EXPECT_EQ(panel().rail_colour(a), kGreen);
  panel().set_aspect_step(a, 100);
  EXPECT_EQ(panel().rail_colour(a), kWhite);
  data.map.rails[a].speed_limit = 40;  // its own limit counts first
  panel().set_aspect_step(a, 60);
  EXPECT_EQ(panel().rail_colour(a), kWhite);
  panel().view().rail_view = 0;
  EXPECT_EQ(panel().rail_colour(a), kGreen);
}

TEST_F(Panel_PaintTests, ALoopOfRailsWithoutSignalsEndsTheWalk) {
  const int a = add_rail(data.map, 1, 0, 40, 100, 40);
  const int b = add_rail(data.map, 1, 100, 40, 200, 40);
  data.map.rails[a].l_next = b;
  data.map.rails[b].l_next = -a;
  for (int r : {a, b}) data.map.prails[data.map.rails[r].l_pack].point = 1;
  EXPECT_EQ(panel().rail_colour(a), (Rgb{0, 0, 255}));
}

TEST_F(Panel_PaintTests, OccupancyViewAndTrackStates) {
  const int a = add_rail(data.map, 1, 0, 40, 100, 40);
  const int b = add_rail(data.map, 1, 100, 40, 0, 40);
  data.map.rails[a].l_dual = b;
  data.map.rails[a].signal = data.map.rails[b].signal = 1;
  panel().view().rail_view = 2;
  EXPECT_EQ(panel().rail_colour(a), kWhite);
  panel().set_train_on_rail(b, 7);  // on the twin
  EXPECT_EQ(panel().rail_colour(a), kRed);

  map::PRail& track = data.map.prails[data.map.rails[a].l_pack];
  track.point = 1;
  track.open = 0;
  EXPECT_EQ(panel().rail_colour(a), (Rgb{128, 128, 128}));
  track.open = 1;
  data.map.rails[a].occupant = -1;
  EXPECT_EQ(panel().rail_colour(a), (Rgb{95, 95, 95}));
  data.header.map.use_interlocking = 1;  // only outside interlocking
  EXPECT_EQ(panel().rail_colour(a), kRed);
}

TEST_F(Panel_PaintTests, TracksHeldByAnotherLeversRouteLightUp) {
  data.header.map.use_interlocking = 1;
  const int start = add_rail(data.map, 1, 0, 40, 100, 40);
  const int on_route = add_rail(data.map, 1, 100, 40, 200, 40);
  const int against = add_rail(data.map, 1, 200, 40, 100, 40);
  data.map.rails[start].signal = data.map.rails[on_route].signal = 1;
  data.map.rails[against].signal = 1;
  const int l = add_lever(start, 50, 20, 1);
  data.map.prails[data.map.rails[on_route].l_pack].lever = l;
  data.map.prails[data.map.rails[against].l_pack].lever = l;
  data.map.prails[data.map.rails[start].l_pack].lever = l;  // its own lever: unchanged

  EXPECT_EQ(panel().rail_colour(on_route), kWhite);
  EXPECT_EQ(panel().rail_colour(against), (Rgb{128, 128, 128}));
  EXPECT_EQ(panel().rail_colour(start), kRed);  // start signal at stop, no route
  panel().view().rail_view = 2;
  EXPECT_EQ(panel().rail_colour(on_route), (Rgb{255, 255, 0}));
  EXPECT_EQ(panel().rail_colour(against), kWhite);
}

TEST_F(Panel_PaintTests, RailsAreThickLinesWithJointTicksAndDirectionOneLower) {
  const int a = add_rail(data.map, 1, 0, 40, 100, 40);  // direction 2
  const int b = add_rail(data.map, 1, 100, 40, 0, 40);  // direction 1
  data.map.rails[a].l_next = data.map.rails[b].l_next = 0;
  data.map.rails[a].l_back = data.map.rails[b].l_back = 99;
  panel().view().rail_thickness = 3;
  RecordingSurface s = paint();
  std::vector<Point> starts;
  for (const DrawOp& op : s.ops_of(OpKind::Line)) starts.push_back(op.from);
  const std::vector<Point> expected = {
      {140, 40}, {140, 41}, {140, 42}, {140, 39}, {40, 39},   // a and its ticks
      {40, 43},  {40, 44},  {40, 45},  {40, 42},  {140, 42},  // b, three lower
  };
  EXPECT_EQ(starts, expected);
  EXPECT_EQ(s.ops_of(OpKind::Line)[3].to, (Point{140, 43}));
}

TEST_F(Panel_PaintTests, InterViewChoosesWhichLeversAndButtonsAreDrawn) {
  data.header.map.use_interlocking = 1;
  const int a = add_rail(data.map, 1, 0, 40, 100, 40);
  const int b = add_rail(data.map, 1, 100, 40, 200, 40);
  add_lever(a, 50, 20, 0);
  add_lever(b, 150, 20, 1);
  add_button(a, 80, 20, 0);
  add_button(b, 180, 20, 1);
  for (map::RouteLever& l : data.map.route_levers) l.button_shown = 0;
  struct Case {
    int inter_view;
    std::size_t bars, squares;
  };
  // Squares: a pivot per lever drawn and one per button drawn; end-button
  // symbols only with InterView 1 here, where everything shows.
  for (const Case& c : {Case{0, 0, 0}, Case{1, 2, 6}, Case{2, 1, 2}}) {
    panel().view().inter_view = c.inter_view;
    RecordingSurface s = paint();
    EXPECT_EQ(s.ops_of(OpKind::Polygon).size(), c.bars) << "InterView " << c.inter_view;
    EXPECT_EQ(s.ops_of(OpKind::Rectangle).size(), c.squares) << "InterView " << c.inter_view;
  }
  data.header.map.use_interlocking = 0;  // no interlocking, no levers
  panel().view().inter_view = 1;
  EXPECT_TRUE(paint().ops_of(OpKind::Polygon).empty());
}

TEST_F(Panel_PaintTests, ALeverWithARouteIsThrownTowardsItsDirection) {
  data.header.map.use_interlocking = 1;
  const int a = add_rail(data.map, 1, 0, 40, 100, 40);
  const int l = add_lever(a, 60, 20, 1);
  panel().view().inter_view = 2;
  std::vector<Point> bar = paint().ops_of(OpKind::Polygon).at(0).points;
  EXPECT_EQ(bar, (std::vector<Point>{{102, 20}, {98, 20}, {98, 8}, {102, 8}}));  // upright

  data.map.route_levers[l].current_route = 1;  // direction 2: -π/4, to the right
  bar = paint().ops_of(OpKind::Polygon).at(0).points;
  EXPECT_EQ(bar, (std::vector<Point>{{101, 21}, {99, 19}, {107, 10}, {110, 13}}));
  data.map.route_levers[l].direction = 1;
  bar = paint().ops_of(OpKind::Polygon).at(0).points;
  EXPECT_EQ(bar, (std::vector<Point>{{101, 19}, {99, 21}, {90, 13}, {93, 10}}));
}

TEST_F(Panel_PaintTests, TheEndButtonSymbolShowsTheStartAspectAndPointsAlongTheRoute) {
  data.header.map.use_interlocking = 1;
  const int a = add_rail(data.map, 1, 0, 40, 100, 40);
  data.map.rails[a].signal = 1;
  const int l = add_lever(a, 60, 20, 0);
  data.map.route_levers[l].button_shown = 1;  // at (70, 30): pixel (110, 30)
  data.map.route_levers[l].current_route = 1;
  panel().view().inter_view = 2;
  panel().view().rail_view = 1;  // the symbol keeps the plain aspect colour
  panel().set_aspect_step(a, 60);
  RecordingSurface s = paint();
  std::vector<DrawOp> rects = s.ops_of(OpKind::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].rect, (Rect{105, 25, 116, 36}));
  EXPECT_EQ(rects[0].brush.colour, kGreen);
  EXPECT_EQ(rects[0].pen.colour, kWhite);
  std::vector<DrawOp> lines = s.ops_of(OpKind::Line);
  ASSERT_GE(lines.size(), 2u);
  // Direction 2 runs rightward.
  EXPECT_EQ(lines[lines.size() - 2].from, (Point{115, 30}));
  EXPECT_EQ(lines[lines.size() - 2].to, (Point{120, 30}));
  EXPECT_EQ(lines.back().from, (Point{120, 25}));
  EXPECT_EQ(lines.back().to, (Point{120, 36}));
  data.map.route_levers[l].direction = 1;
  lines = paint().ops_of(OpKind::Line);
  EXPECT_EQ(lines[lines.size() - 2].to, (Point{100, 30}));
}

struct LeverColourCase {
  int mode, normal, current, pending, entry;
};

TEST_F(Panel_PaintTests, LeverColoursFollowThePendingStartAndTheControlMode) {
  data.header.map.use_interlocking = 1;
  const int a = add_rail(data.map, 1, 0, 40, 100, 40);
  const int l = add_lever(a, 60, 20, 1);
  panel().view().inter_view = 1;
  const LeverColourCase cases[] = {
      {0, 0, 0, 0, 9},  {1, 3, 3, 0, 10}, {1, 3, 0, 0, 11},
      {2, 0, 0, 0, 12}, {2, 0, 0, a, 7},  {0, 0, 0, 99, 8},
  };
  for (const LeverColourCase& c : cases) {
    map::RouteLever& lever = data.map.route_levers[l];
    lever.mode = c.mode;
    lever.normal_route = c.normal;
    lever.current_route = c.current;
    panel().set_pending_start(c.pending);
    EXPECT_EQ(paint().ops_of(OpKind::Polygon).at(0).brush.colour, entry(c.entry))
        << "mode " << c.mode << " pending " << c.pending;
  }
}

TEST_F(Panel_PaintTests, WhileAStartIsPendingFreeButtonsOfItsDirectionAreCandidates) {
  data.header.map.use_interlocking = 1;
  const int start = add_rail(data.map, 1, 0, 40, 100, 40);
  const int same = add_rail(data.map, 1, 100, 40, 200, 40);
  const int other = add_rail(data.map, 1, 200, 40, 100, 40);
  const int owned = add_rail(data.map, 1, 200, 40, 300, 40);
  add_lever(start, 50, 20, 1);
  data.map.route_levers[1].button_shown = 0;
  add_button(same, 150, 20, 1);
  add_button(other, 150, 60, 1);
  data.map.route_buttons[add_button(owned, 250, 20, 1)].owner = 5;
  panel().view().inter_view = 2;
  auto button_colours = [&] {
    std::vector<Rgb> out;
    for (const DrawOp& op : paint().ops_of(OpKind::Rectangle))
      if (op.rect.width() == 9 && op.pen.colour == Rgb{}) out.push_back(op.brush.colour);
    return out;
  };
  // Buttons first, then the lever's pivot.
  EXPECT_EQ(button_colours(), (std::vector<Rgb>{entry(16), entry(16), entry(15), entry(9)}));
  panel().set_pending_start(start);
  EXPECT_EQ(button_colours(), (std::vector<Rgb>{entry(13), entry(14), entry(14), entry(7)}));
}

TEST_F(Panel_PaintTests, StationsJumpsAndTheClock) {
  data.map.targets.grow_to(1).station = 1;
  data.map.stations.grow_to(1).short_name = "\x93\x8c\x8b\x9e";  // 東京
  map::StationDraw& d = data.map.station_draws.grow_to(1);
  d = {1, 1, 100, 10, 60, 20, {}};
  map::Jump& j = data.map.jumps.grow_to(1);
  j.row1 = j.row2 = 1;
  j.x1 = 500;
  j.x2 = 0;
  j.y1 = j.y2 = 40;
  j.label = "A";
  panel().view().clock_position = 4;
  panel().set_clock(13 * 3600 + 5 * 60 + 9);
  RecordingSurface s = paint();

  std::vector<DrawOp> rects = s.ops_of(OpKind::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].rect, (Rect{50, 20, 140, 60}));  // corners in either order
  EXPECT_EQ(rects[0].brush.colour, entry(19));
  std::vector<DrawOp> texts = s.ops_of(OpKind::Text);
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0].align.horizontal, HAlign::Left);  // jump, first end
  EXPECT_EQ(texts[0].from.x, 540);
  EXPECT_EQ(texts[1].align.horizontal, HAlign::Right);
  EXPECT_EQ(texts[1].colour, entry(17));
  EXPECT_EQ(texts[2].text, "東京");
  EXPECT_EQ(texts[2].colour, entry(18));
  EXPECT_EQ(texts[2].from.x, 95);
  EXPECT_EQ(texts[3].text, "13:05:09");
  EXPECT_TRUE(texts[3].opaque);
  EXPECT_EQ(texts[3].from, (Point{799, 599}));
  EXPECT_EQ(texts[3].align, (TextAlign{HAlign::Right, VAlign::Bottom}));
}

TEST_F(Panel_PaintTests, RowPauseDrawsRowsAtTheirOwnPositionsAndDimsTheOthers) {
  const int a = add_rail(data.map, 1, 0, 40, 100, 40);
  const int b = add_rail(data.map, 1, 100, 40, 200, 40);
  data.map.rails[a].signal = data.map.rails[b].signal = 1;
  data.map.rails[a].l_next = b;
  data.map.rails[b].l_back = a;
  const map::Row first = data.map.rows[1];  // copied before the table grows
  data.map.rows.grow_to(2) = first;
  data.map.rows[2].x_shift = -100;
  data.map.rows[2].y_origin = 200;
  data.map.rails[b].row = 2;
  panel().toggle_row_pause();
  ASSERT_EQ(panel().row_mode(), RowMode::Pause);
  EXPECT_EQ(panel().current_break(), 100);
  EXPECT_EQ(panel().rail_colour(a), kGreen);
  EXPECT_EQ(panel().rail_colour(b), (Rgb{95, 95, 95}));
  RecordingSurface s = paint();
  std::vector<DrawOp> lines = s.ops_of(OpKind::Line);
  EXPECT_EQ(lines[0].from, (Point{100, 0}));  // the break guide
  EXPECT_EQ(lines[0].to, (Point{100, 600}));
  EXPECT_TRUE(line_colour_at(s, {200, 40}).has_value());  // b at its own x, row ignored
}

}  // namespace
}  // namespace vosk::panel

namespace vosk::panel {
namespace {

// A placed duty shows as a bar on the middle of its rail with its first
// run's number above; a duty without a run is labelled with its name, one
// whose rail is not drawn is left out; duties sharing a rail share a label.
TEST_F(Panel_PaintTests, PlacedDutiesShowTheirStockAndTrainNumberOnTheirRail) {
  testing::add_line(data.map, 0, 200, 100, 50);  // rails 1 (0..100) and 2 (100..200)
  data.dia.diagrams.grow_to(1).train_number = "1021M";
  dia::Train& numbered = data.dia.trains.grow_to(1);
  numbered.first_diagram = 1;
  numbered.position.current_rail = 2;
  dia::Train& unnumbered = data.dia.trains.grow_to(2);
  unnumbered.name = "\x82\x60";  // "Ａ" in CP932
  unnumbered.position.current_rail = 1;
  data.dia.trains.grow_to(3).position.current_rail = 99;  // no such rail
  dia::Train& behind = data.dia.trains.grow_to(4);
  behind.name = "B";
  behind.position.current_rail = 2;

  const RecordingSurface s = paint();
  std::vector<DrawOp> bars;
  for (const DrawOp& op : s.ops_of(OpKind::Rectangle))
    if (op.brush.colour == Rgb{255, 160, 0}) bars.push_back(op);
  ASSERT_EQ(bars.size(), 2u);
  // Rail 2 runs from x 140 to 240 on the window (row origin 40): the bar
  // covers its middle half.
  const Rect& second = bars[1].rect;
  EXPECT_EQ(second.left, 190 - 25);
  EXPECT_EQ(second.right, 190 + 26);
  EXPECT_LT(second.top, 50 + panel().view().rail_thickness);
  EXPECT_GT(second.bottom, 50);
  std::vector<DrawOp> labels;
  for (const DrawOp& op : s.ops_of(OpKind::Text))
    if (op.colour == kWhite) labels.push_back(op);
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0].text, "Ａ");
  EXPECT_EQ(labels[1].text, "1021M B");
  // With no station in the way, a label stands centred above its bar.
  const Size size = approximate_text_size(labels[1].font, 96, labels[1].text);
  EXPECT_EQ(labels[1].from.y + size.height, second.top - 1);
  EXPECT_EQ(labels[1].from.x + size.width / 2, (second.left + second.right) / 2);
}

}  // namespace
}  // namespace vosk::panel
