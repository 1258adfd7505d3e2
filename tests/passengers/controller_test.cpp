#include <gtest/gtest.h>

#include "passenger_fixture.h"
#include "support/recording_surface.h"

namespace vosk::testing {
namespace {

using passengers::Outcome;
using passengers::PassengerCommand;
using passengers::PassengerController;
using passengers::PassengerKey;
using passengers::PassengerView;
using passengers::profile_of;
using passengers::ProfilePoint;
using C = PassengerCommand;

class Passengers_ControllerTests : public ::testing::Test, public PassengerLine {
 protected:
  PassengerController window{ds};
};

// --- the view commands: one row each --------------------------------------

struct CommandRow {
  const char* name;
  C command;
  PassengerView before;
  PassengerView after;
};

// Views as {from, to, left edge, seconds per pixel, passengers per pixel}.
const CommandRow kCommandRows[] = {
    {"NextFrom", C::NextFrom, {1, 0, 21600, 30, 10}, {2, 0, 21600, 30, 10}},
    {"NextFromSkipsTo", C::NextFrom, {1, 2, 21600, 30, 10}, {3, 2, 21600, 30, 10}},
    {"NextFromWraps", C::NextFrom, {4, 0, 21600, 30, 10}, {1, 0, 21600, 30, 10}},
    {"NextFromWrapsPastTo", C::NextFrom, {4, 1, 21600, 30, 10}, {2, 1, 21600, 30, 10}},
    {"NextToSkipsFrom", C::NextTo, {1, 0, 21600, 30, 10}, {1, 2, 21600, 30, 10}},
    {"NextToWrapsToEveryOther", C::NextTo, {1, 4, 21600, 30, 10}, {1, 0, 21600, 30, 10}},
    {"NextToSkipsFromThenWraps", C::NextTo, {4, 3, 21600, 30, 10}, {4, 0, 21600, 30, 10}},
    {"Reverse", C::Reverse, {1, 3, 21600, 30, 10}, {3, 1, 21600, 30, 10}},
    {"Earlier", C::Earlier, {1, 0, 21600, 30, 10}, {1, 0, 19800, 30, 10}},
    {"EarlierStopsAtMidnight", C::Earlier, {1, 0, 1000, 30, 10}, {1, 0, 0, 30, 10}},
    {"Later", C::Later, {1, 0, 21600, 30, 10}, {1, 0, 23400, 30, 10}},
    {"LaterStopsAt28", C::Later, {1, 0, 100000, 30, 10}, {1, 0, 100800, 30, 10}},
    {"FewerPerPixel", C::FewerPerPixel, {1, 0, 21600, 30, 10}, {1, 0, 21600, 30, 8}},
    {"FewerPerPixelStopsAt2", C::FewerPerPixel, {1, 0, 21600, 30, 3}, {1, 0, 21600, 30, 2}},
    {"MorePerPixel", C::MorePerPixel, {1, 0, 21600, 30, 10}, {1, 0, 21600, 30, 12}},
    {"ZoomIn", C::ZoomIn, {1, 0, 21600, 60, 10}, {1, 0, 21600, 40, 10}},
    {"ZoomInStopsAt20", C::ZoomIn, {1, 0, 21600, 30, 10}, {1, 0, 21600, 20, 10}},
    {"ZoomOut", C::ZoomOut, {1, 0, 21600, 30, 10}, {1, 0, 21600, 50, 10}},
};

class Passengers_CommandTableTests : public ::testing::TestWithParam<CommandRow>,
                                     public PassengerLine {};

TEST_P(Passengers_CommandTableTests, CommandChangesTheView) {
  const CommandRow& row = GetParam();
  PassengerController window(ds);
  window.set_view(row.before);
  EXPECT_EQ(window.run(row.command, prompt), Outcome::Redraw);
  EXPECT_EQ(window.view(), row.after);
  EXPECT_EQ(prompt.count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Rows, Passengers_CommandTableTests, ::testing::ValuesIn(kCommandRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Passengers_ControllerTests, StartsAtTheFirstStationTowardsEveryOther) {
  EXPECT_EQ(window.view(), (PassengerView{1, 0, 21600, 30, 10}));
  datafiles::DataSet empty;
  EXPECT_EQ(PassengerController(empty).from_station(), 0);
}

TEST_F(Passengers_ControllerTests, ReverseOfEveryOtherStationIsRefused) {
  EXPECT_EQ(window.run(C::Reverse, prompt), Outcome::Redraw);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "発駅指定エラー");
  EXPECT_EQ(prompt.last().text, "指定以外各駅を発駅に設定することは出来ません。\n");
  EXPECT_EQ(window.view().from, 1);
}

TEST_F(Passengers_ControllerTests, KeysRunTheirCommandsAndLeaveTheRest) {
  EXPECT_EQ(window.key(PassengerKey::F2, prompt), Outcome::Redraw);
  EXPECT_EQ(window.from_station(), 2);
  EXPECT_EQ(window.key(PassengerKey::F5, prompt), Outcome::DataChanged);
  EXPECT_EQ(window.key(PassengerKey::F7, prompt), Outcome::DataChanged);
  EXPECT_EQ(window.key(PassengerKey::F7, prompt), Outcome::DataChanged);
  EXPECT_EQ(window.key(PassengerKey::F8, prompt), Outcome::DataChanged);
  EXPECT_EQ(ds.map.stations[2].passengers_per_hour, 10);
  EXPECT_EQ(ds.map.stations[2].passengers_per_train, 10);
  // Lowering stops at none.
  window.key(PassengerKey::F6, prompt);
  window.key(PassengerKey::F6, prompt);
  EXPECT_EQ(ds.map.stations[2].passengers_per_hour, 0);
  EXPECT_EQ(window.key(PassengerKey::Other, prompt), Outcome::NotHandled);
}

TEST_F(Passengers_ControllerTests, ScalingGoesUpByFivePercentAndBackDownTruncated) {
  add_pair(1, 0, {{0, 0}, {28800, 100}, {100800, 0}});
  EXPECT_EQ(window.run(C::ScaleUp, prompt), Outcome::DataChanged);
  EXPECT_EQ(profile_of(list(), 1, 0)[1].count, 105);
  EXPECT_EQ(window.run(C::ScaleDown, prompt), Outcome::DataChanged);
  EXPECT_EQ(profile_of(list(), 1, 0)[1].count, 99);
  // A pair without points has nothing to scale.
  window.choose_stations(2, 3);
  EXPECT_EQ(window.run(C::ScaleUp, prompt), Outcome::Redraw);
  EXPECT_TRUE(list().size() == 3u);
}

TEST_F(Passengers_ControllerTests, ChoosingStationsRefusesTheSameOrUnknownStation) {
  EXPECT_TRUE(window.choose_stations(3, 0));
  EXPECT_FALSE(window.choose_stations(2, 2));
  EXPECT_FALSE(window.choose_stations(0, 1));
  EXPECT_FALSE(window.choose_stations(1, 5));
  EXPECT_EQ(window.view().from, 3);
  EXPECT_EQ(window.view().to, 0);
}

// --- mouse ----------------------------------------------------------------

TEST(Passengers_ClickTimeTests, RoundsToTheNearestTenMinutes) {
  EXPECT_EQ(passengers::time_at(299, 1, 21600), 21600);  // 4:59 past: down
  EXPECT_EQ(passengers::time_at(300, 1, 21600), 22200);  // 5:00 past: up
  EXPECT_EQ(passengers::time_at(9, 30, 21600), 21600);   // 270 s
  EXPECT_EQ(passengers::time_at(10, 30, 21600), 22200);  // 300 s
}

TEST_F(Passengers_ControllerTests, LeftClickSetsTheCountAndRightClickRemovesThePoint) {
  window.set_client_size({700, 400});
  window.choose_stations(1, 2);
  // x 40 at 30 s/px from 06:00 is 06:20; y 280 is 100 px above the zero line.
  EXPECT_TRUE(window.left_click({40, 280}));
  EXPECT_EQ(profile_of(list(), 1, 2), (passengers::Profile{{0, 0}, {22800, 1000}, {100800, 0}}));
  // Below the zero line counts as none.
  EXPECT_TRUE(window.left_click({40, 395}));
  EXPECT_EQ(profile_of(list(), 1, 2)[1].count, 0);
  EXPECT_TRUE(window.right_click({41, 300}));
  EXPECT_EQ(profile_of(list(), 1, 2), (passengers::Profile{{0, 0}, {100800, 0}}));
  // The header band is not the curve.
  EXPECT_FALSE(window.left_click({40, 99}));
  EXPECT_FALSE(window.point_at({40, 99}).has_value());
}

TEST_F(Passengers_ControllerTests, RightClickKeepsTheEndsOfTheCurve) {
  window.set_view({1, 2, 0, 30, 10});
  window.set_client_size({700, 400});
  add_pair(1, 2, {{0, 0}, {3600, 5}, {100800, 0}});
  EXPECT_FALSE(window.right_click({0, 300}));
  EXPECT_EQ(profile_of(list(), 1, 2).size(), 3u);
}

// --- copy and paste ---------------------------------------------------------

TEST_F(Passengers_ControllerTests, CopyAndPasteTellWhenThereIsNothing) {
  EXPECT_EQ(window.run(C::Paste, prompt), Outcome::Redraw);
  EXPECT_EQ(prompt.last().caption, "操作エラー");
  EXPECT_EQ(prompt.last().text, "コピー元のデータがありません。");
  EXPECT_EQ(window.run(C::Copy, prompt), Outcome::Redraw);
  EXPECT_EQ(prompt.last().text, "コピーするデータがありません。");
  EXPECT_FALSE(window.has_copy());
}

TEST_F(Passengers_ControllerTests, PasteReplacesThePairsProfileInPairOrder) {
  add_pair(1, 2, {{0, 0}, {28800, 100}, {100800, 0}});
  add_pair(3, 1, {{0, 0}, {36000, 7}, {43200, 9}, {100800, 0}});
  add_pair(4, 1, {{0, 0}, {100800, 0}});
  window.choose_stations(3, 1);
  EXPECT_EQ(window.run(C::Copy, prompt), Outcome::Redraw);
  window.choose_stations(1, 2);
  EXPECT_EQ(window.run(C::Paste, prompt), Outcome::DataChanged);
  window.choose_stations(2, 4);  // a pair without entries goes between
  EXPECT_EQ(window.run(C::Paste, prompt), Outcome::DataChanged);
  EXPECT_EQ(prompt.count(), 0u);
  const passengers::Profile copied = profile_of(list(), 3, 1);
  EXPECT_EQ(profile_of(list(), 1, 2), copied);
  EXPECT_EQ(profile_of(list(), 2, 4), copied);
  ASSERT_EQ(list().size(), 14u);
  for (std::size_t i = 1; i < list().size(); ++i) {
    const auto& a = list()[i - 1];
    const auto& b = list()[i];
    EXPECT_TRUE(std::tie(a.from_station, a.to_station, a.time) <
                std::tie(b.from_station, b.to_station, b.time))
        << i;
  }
}

// --- header and drawing -------------------------------------------------------

TEST_F(Passengers_ControllerTests, HeaderTellsTheStationsTotalsAndSimulationValues) {
  add_pair(1, 3, {{0, 0}, {28800, 100}, {36000, 0}, {100800, 0}});
  add_pair(3, 1, {{0, 0}, {36000, 20}, {43200, 0}, {100800, 0}});
  ds.map.stations[1].passengers_per_hour = 30;
  ds.map.stations[1].passengers_per_train = 40;
  std::vector<std::string> texts;
  for (const auto& t : window.header_texts()) texts.push_back(t.text);
  EXPECT_EQ(texts[0], "A（計   620人）");
  EXPECT_EQ(texts[1], "指定以外各駅");
  EXPECT_EQ(texts[3], "0人");
  EXPECT_EQ(texts[5], "逆方向は各発駅を指定して設定して下さい。");
  EXPECT_EQ(texts[8], "30人");
  EXPECT_EQ(texts[10], "40人");
  window.choose_stations(1, 3);
  texts.clear();
  for (const auto& t : window.header_texts()) texts.push_back(t.text);
  EXPECT_EQ(texts[1], "C（計   620人）");
  EXPECT_EQ(texts[2], "総乗降客数");
  EXPECT_EQ(texts[3], "500人");
  EXPECT_EQ(texts[4], "逆方向総乗降客数");
  EXPECT_EQ(texts[5], "120人");
}

TEST_F(Passengers_ControllerTests, DrawsThePairInBlueWithCirclesAndTheReverseInGrey) {
  add_pair(1, 2, {{0, 0}, {28800, 100}, {36000, 0}, {100800, 0}});
  add_pair(2, 1, {{0, 0}, {36000, 50}, {100800, 0}});
  window.set_view({1, 2, 21600, 30, 10});
  RecordingSurface s({700, 400});
  window.draw(s);
  std::vector<DrawOp> blue, grey;
  for (const DrawOp& op : s.ops_of(OpKind::Line)) {
    if (op.pen.colour == Rgb{0, 0, 255}) blue.push_back(op);
    if (op.pen.colour == Rgb{160, 160, 160}) grey.push_back(op);
  }
  // 08:00 at 100 per hour: x (28800 − 21600) / 30 = 240, y 380 − 10 = 370.
  ASSERT_EQ(blue.size(), 3u);
  EXPECT_EQ(blue[0].to, (Point{240, 370}));
  EXPECT_EQ(blue[1].to, (Point{480, 380}));
  ASSERT_EQ(grey.size(), 2u);
  EXPECT_EQ(grey[0].to, (Point{480, 375}));
  EXPECT_EQ(s.ops_of(OpKind::Polygon).size(), 4u);  // a circle per point of the pair
  // Hour labels over the visible range, the first at the left edge.
  std::vector<std::string> texts = s.texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), " 6:00"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "11:00"), texts.end());
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "12:00"), texts.end());  // x 720
}

TEST_F(Passengers_ControllerTests, GridLinesEveryTenPixelsUpToTheHeaderBand) {
  RecordingSurface s({700, 400});
  window.draw(s);
  int horizontal = 0;
  for (const DrawOp& op : s.ops_of(OpKind::Line)) {
    if (op.from.y == op.to.y && op.pen.colour == Rgb{224, 224, 224}) {
      EXPECT_GE(op.from.y, passengers::kHeaderHeight);
      ++horizontal;
    }
  }
  EXPECT_EQ(horizontal, (380 - 100) / 10 + 1);
}

}  // namespace
}  // namespace vosk::testing
