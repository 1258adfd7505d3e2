// What the map property dialogs show and which input a refusal names.
#include <gtest/gtest.h>

#include "map/detail_edit.h"
#include "map/point_key.h"
#include "map/point_key_edit.h"
#include "map/property_choices.h"
#include "map/rail_pair_edit.h"
#include "map/rail_pair_view.h"
#include "map/station_edit.h"
#include "map/station_view.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::map {
namespace {

using testing::sj;

TEST(Map_PointKeyEditTests, StoresTheCutKeyOnlyWhenItPassesTheCheck) {
  RecordTable<Point> points;
  points.allocate(kDefaultPointCapacity);
  points.grow_to(1).key = "A1";
  points.grow_to(2).key = "B";

  EXPECT_FALSE(edit_point_key(points, 2, "C7"));
  EXPECT_EQ(points[2].key, "C7");

  // "a" begins point 1's key: refused, the old key stays.
  auto refused = edit_point_key(points, 2, "a");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->caption, kPointKeyCaption);
  EXPECT_EQ(points[2].key, "C7");

  // A long key is cut to the field's 20 bytes, never inside a double-byte
  // character, before it is checked and stored.
  const std::string long_key = "XXXXXXXXXXXXXXXXXXX" + sj("東");
  EXPECT_FALSE(edit_point_key(points, 2, long_key));
  EXPECT_EQ(points[2].key, "XXXXXXXXXXXXXXXXXXX");

  EXPECT_TRUE(edit_point_key(points, 3, "Z"));  // no such point
}

// Refusals name the input they are about, so the dialog can focus it.
TEST(Map_DialogRefusalFieldTests, StationTimes) {
  struct Case {
    int melody, min, mid, max;
    int field;
  };
  const Case cases[] = {
      {-1, 5, 8, 12, kStationMelodyTime}, {0, 0, 8, 12, kStationDoorMin},
      {0, 5, 0, 12, kStationDoorMid},     {0, 5, 8, -1, kStationDoorMax},
      {0, 8, 8, 12, kStationDoorMin},     {0, 5, 12, 12, kStationDoorMid},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    RecordTable<Station> stations;
    stations.allocate(4);
    stations.grow_to(1).scale = kStaffed;
    RecordTable<Target> targets;
    targets.allocate(4);
    targets.grow_to(1).station = 1;
    StationInput in = station_values(1, stations, targets);
    in.melody_time = c.melody;
    in.door_close_min = c.min;
    in.door_close_mid = c.mid;
    in.door_close_max = c.max;
    auto error = edit_station(1, in, false, stations, targets);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->field, c.field);
  }
}

TEST(Map_DialogRefusalFieldTests, RailPairInputs) {
  // Rails 1 (rightward) and 2 (leftward) on PRail 1 on point 1; target 1.
  RecordTable<Rail> rails;
  rails.allocate(4);
  rails.grow_to(1) = Rail{};
  rails[1].direction = 2, rails[1].l_dual = 2, rails[1].l_pack = 1, rails[1].target = 1;
  const Rail first = rails[1];  // a copy: growing the table may move its records
  rails.grow_to(2) = first;
  rails[2].direction = 1, rails[2].l_dual = 1;
  RecordTable<PRail> prails;
  prails.allocate(2);
  prails.grow_to(1) = {0, 0, 1, 2, 1, 1, 0};
  RecordTable<Point> points;
  points.allocate(2);
  points.grow_to(1).key = "P";
  points.grow_to(2).key = "Q";
  RecordTable<Target> targets;
  targets.allocate(2);
  targets.grow_to(1).station = 0;

  struct Case {
    const char* what;
    void (*change)(RailPairInput&);
    int field;
  };
  const Case cases[] = {
      {"limit", [](RailPairInput& in) { in.speed_limit = 0; }, kRailSpeedLimit},
      {"length", [](RailPairInput& in) { in.length = 0; }, kRailLength},
      {"left stop", [](RailPairInput& in) { in.leftward.stop_distance = 2; }, kRailLeftwardStop},
      {"right stop", [](RailPairInput& in) { in.rightward.stop_distance = 98; },
       kRailRightwardStop},
      {"no stop", [](RailPairInput& in) { in.leftward.stop_distance = in.rightward.stop_distance = 0; },
       kRailRightwardStop},
      {"key", [](RailPairInput& in) { in.point_key = "q"; }, kRailPointKey},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RailPairInput in;
    in.target = 1;
    in.length = 100;
    in.speed_limit_on = true;
    in.speed_limit = 60;
    in.point_key = "P";
    in.leftward.stop_distance = 50;
    in.rightward.stop_distance = 50;
    c.change(in);
    testing::ScriptedPrompt prompt;
    const EditResult result = edit_rail_pair(1, in, rails, prails, points, targets, prompt);
    ASSERT_EQ(result.status, EditResult::Status::Refused);
    EXPECT_EQ(result.error.field, c.field);
  }
}

TEST(Map_DialogRefusalFieldTests, DetailPositions) {
  struct Case {
    int start, end;
    int field;
  };
  const Case cases[] = {{-1, 10, kDetailStart},
                        {120, 130, kDetailStart},
                        {0, -1, kDetailEnd},
                        {0, 101, kDetailEnd},
                        {50, 40, kDetailStart}};
  for (const Case& c : cases) {
    DetailInput in;
    in.start = c.start;
    in.end = c.end;
    auto error = check_detail(in, 100);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->field, c.field) << c.start << "-" << c.end;
  }
}

TEST(Map_StationViewTests, TrackLinesAreTheStoppingRailsOrTheLongLabels) {
  RecordTable<Rail> rails;
  rails.allocate(5);
  auto add = [&](int target, int stop, const char* label) {
    Rail& r = rails.grow_to(rails.extent() + 1);
    r.target = target;
    r.stop_distance = stop;
    r.label = sj(label);
  };
  add(1, 110, "1番線");
  add(1, 0, "本線");    // no stopping mark
  add(2, 60, "他駅");   // another stopping place
  add(1, 10, "2番線");
  RecordTable<Target> targets;
  targets.allocate(3);
  targets.grow_to(1).station = 1;
  targets[1].tracks = {{1, 0, "1", sj("01番線")}, {4, 0, "2", sj("02番線")}};
  targets.grow_to(2).station = 0;

  EXPECT_EQ(station_track_texts(1, rails, targets, false),
            (std::vector<std::string>{"1番線：100[m]", "2番線：0[m]"}));
  EXPECT_EQ(station_track_texts(1, rails, targets, true),
            (std::vector<std::string>{"01番線", "02番線"}));
  EXPECT_TRUE(station_track_texts(3, rails, targets, false).empty());

  EXPECT_TRUE(station_fields_editable(1, targets));
  EXPECT_FALSE(station_fields_editable(2, targets));  // outside stations
  EXPECT_FALSE(station_fields_editable(0, targets));
}

TEST(Map_RailPairViewTests, SidesStopDistancesAndThePointKeyFollowTheTrack) {
  RecordTable<Rail> rails;
  rails.allocate(4);
  rails.grow_to(1).direction = 2, rails[1].l_dual = 2, rails[1].l_pack = 1, rails[1].station = 3;
  rails.grow_to(2).direction = 1, rails[2].l_dual = 1, rails[2].l_pack = 1;
  rails.grow_to(3).direction = 1, rails[3].l_pack = 2;
  RecordTable<PRail> prails;
  prails.allocate(2);
  prails.grow_to(1).point = 1;
  prails.grow_to(2).point = 7;  // beyond the point table: no point
  RecordTable<Point> points;
  points.allocate(2);
  points.grow_to(1);

  EXPECT_EQ(rail_pair_fields(1, rails, prails, points), (RailPairFields{true, true, true, true}));
  // The leftward twin has no stopping place of its own.
  EXPECT_EQ(rail_pair_fields(2, rails, prails, points), (RailPairFields{true, true, false, true}));
  EXPECT_EQ(rail_pair_fields(3, rails, prails, points),
            (RailPairFields{true, false, false, false}));
  EXPECT_EQ(rail_pair_fields(9, rails, prails, points), RailPairFields{});
}

TEST(Map_PropertyChoicesTests, RecordsByNameWithTheirNumbers) {
  RecordTable<Target> targets;
  targets.allocate(3);
  targets.grow_to(1).name = sj("東京");
  targets.grow_to(2);  // unnamed
  const std::vector<Choice> places = stopping_place_choices(targets);
  EXPECT_EQ(places, (std::vector<Choice>{{1, "東京"}, {2, "(2)"}}));
  EXPECT_EQ(choice_index(places, 2), 1);
  EXPECT_EQ(choice_index(places, 0), -1);

  SignalSets signals;
  signals.sets.allocate(2);
  signals.sets.grow_to(1).name = sj("３現示");
  EXPECT_EQ(signal_choices(signals), (std::vector<Choice>{{1, "３現示"}}));
}

}  // namespace
}  // namespace vosk::map
