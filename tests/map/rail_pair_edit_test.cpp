#include "map/rail_pair_edit.h"

#include <gtest/gtest.h>

#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::map {
namespace {

using testing::sj;

// Rails 1 (rightward) and 2 (leftward) share PRail 1, which lies on point 1
// (key "P"); point 2 has the key "Q". Target 1 belongs to station 3. Rail 3
// is a one-directional leftward rail on PRail 2, outside stopping places.
struct RailPairFixture {
  RecordTable<Rail> rails;
  RecordTable<PRail> prails;
  RecordTable<Point> points;
  RecordTable<Target> targets;
  testing::ScriptedPrompt prompt;

  RailPairFixture() {
    rails.allocate(10);
    Rail& right = rails.grow_to(1);
    right.direction = 2;
    right.l_dual = 2;
    right.l_pack = 1;
    right.target = 1;
    right.station = 3;
    right.stop_distance = 60;
    right.gradient = 3;
    right.radius = 500;
    right.signal = 1;
    Rail& left = rails.grow_to(2);
    left.direction = 1;
    left.l_dual = 1;
    left.l_pack = 1;
    left.target = 1;
    left.station = 3;
    left.gradient = -3;
    left.radius = -500;
    Rail& lone = rails.grow_to(3);
    lone.direction = 1;
    lone.l_pack = 2;
    lone.gradient = 4;
    prails.allocate(10);
    prails.grow_to(1) = {0, 0, 1, 2, 1, 1, 0};
    prails.grow_to(2) = {0, 0, 3, 0, 1, 0, 0};
    points.allocate(10);
    points.grow_to(1).key = "P";
    points.grow_to(2).key = "Q";
    targets.allocate(10);
    targets.grow_to(1).station = 3;
  }

  static RailPairInput good_input() {
    RailPairInput in;
    in.target = 1;
    in.area = 1;
    in.electrification = 3;
    in.single_track = true;
    in.length = 200;
    in.speed_limit_on = true;
    in.speed_limit = 45;
    in.gradient = 0;
    in.radius = 800;
    in.point_key = "P";
    in.leftward = {"L", "left", 50, 1};
    in.rightward = {"R", "right", 150, 2};
    return in;
  }

  EditResult edit(int clicked, const RailPairInput& in) {
    return edit_rail_pair(clicked, in, rails, prails, points, targets, prompt);
  }

  // Everything the edit may touch, as the members would be written.
  std::string snapshot() const {
    csv::Writer out;
    write_rails(rails, out);
    write_prails(prails, out);
    write_point1(points, out);
    return out.take();
  }
};

void expect_refused(const EditResult& result, const char* caption, const char* text) {
  EXPECT_EQ(result.status, EditResult::Status::Refused);
  EXPECT_EQ(result.error.caption, caption);
  EXPECT_EQ(result.error.text, text);
}

TEST(Map_RailPairEditTests, ChecksRunInOrderAndChangeNothingUntilAllPass) {
  RailPairFixture f;
  const std::string before = f.snapshot();
  RailPairInput in = RailPairFixture::good_input();
  in.speed_limit = 0;
  in.length = 0;
  in.leftward.stop_distance = 3;
  in.point_key = "q";
  in.gradient = 5;

  expect_refused(f.edit(1, in), "入力データエラー", "制限速度は、正の値でなければなりません。\n");
  in.speed_limit = 45;
  expect_refused(f.edit(1, in), "入力データエラー", "区間距離は、正の値でなければなりません。\n");
  in.length = 200;
  expect_refused(f.edit(1, in), "入力データエラー", "停止目標距離が小さすぎます。\n");
  in.leftward.stop_distance = 196;
  expect_refused(f.edit(1, in), "入力データエラー",
                 "停止目標距離が区間距離に比べて大きすぎます。\n");
  in.leftward.stop_distance = 195;
  expect_refused(f.edit(1, in), "ポイントキー設定エラー",
                 "このポイントキーは、既に設定されているため使用できません。\n");
  in.point_key = "";
  expect_refused(f.edit(1, in), "入力データエラー", "ポイントキーが設定されていません。\n");
  in.point_key = "P";
  EXPECT_EQ(f.prompt.count(), 0u);

  f.prompt.script({Answer::No});
  EXPECT_EQ(f.edit(1, in).status, EditResult::Status::Declined);
  ASSERT_EQ(f.prompt.count(), 1u);
  EXPECT_EQ(f.prompt.last().caption, "設定確認");
  EXPECT_EQ(f.prompt.last().text,
            "停車区画に勾配を設定すると正しく発車や停車ができない場合があります。\n"
            "よろしいですか？");
  EXPECT_EQ(f.prompt.last().buttons, Buttons::YesNo);
  EXPECT_EQ(f.snapshot(), before);

  f.prompt.script({Answer::Yes});
  EXPECT_TRUE(f.edit(1, in).applied());
  EXPECT_NE(f.snapshot(), before);
}

TEST(Map_RailPairEditTests, StopDistanceRules) {
  struct Case {
    int left;
    int right;
    const char* text;  // nullptr: accepted
  };
  const char* small = "停止目標距離が小さすぎます。\n";
  const char* large = "停止目標距離が区間距離に比べて大きすぎます。\n";
  const Case cases[] = {
      {0, 0, "停止目標距離が設定されていません。\n"},
      {0, 4, small},
      {0, 5, nullptr},
      {0, 195, nullptr},
      {0, 196, large},
      {10, 0, nullptr},
      {10, 3, small},  // the rightward side is tested after the leftward one
      {3, 300, small},
      {-20, 50, small},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.left << "," << c.right);
    RailPairFixture f;
    RailPairInput in = RailPairFixture::good_input();
    in.leftward.stop_distance = c.left;
    in.rightward.stop_distance = c.right;
    EditResult result = f.edit(1, in);
    if (c.text == nullptr) {
      EXPECT_TRUE(result.applied());
    } else {
      expect_refused(result, "入力データエラー", c.text);
    }
  }
}

TEST(Map_RailPairEditTests, OutsideStoppingPlacesNeitherStopsNorGradientsAreChecked) {
  RailPairFixture f;
  RailPairInput in = RailPairFixture::good_input();
  in.target = 0;
  in.leftward.stop_distance = 0;
  in.rightward.stop_distance = 1;
  in.gradient = 10;
  EXPECT_TRUE(f.edit(1, in).applied());  // no question asked
  EXPECT_EQ(f.prompt.count(), 0u);
  EXPECT_EQ(f.rails[1].station, 0);
  EXPECT_EQ(f.rails[1].target, 0);
}

TEST(Map_RailPairEditTests, AppliesBothSidesTheTrackAndTheKey) {
  RailPairFixture f;
  RailPairInput in = RailPairFixture::good_input();
  in.gradient = -7;
  in.point_key = "pq";
  in.rightward.short_name = "ABCDEFGHIJKLMNOPQRS" + sj("駅");  // 21 bytes
  in.leftward.name = std::string(254, 'x') + sj("駅");         // 256 bytes
  f.prompt.script({Answer::Yes});
  ASSERT_TRUE(f.edit(2, in).applied());  // clicking the leftward rail edits the same pair

  const Rail& right = f.rails[1];
  const Rail& left = f.rails[2];
  for (const Rail* r : {&right, &left}) {
    EXPECT_EQ(r->target, 1);
    EXPECT_EQ(r->station, 3);
    EXPECT_EQ(r->area, 1);
    EXPECT_EQ(r->speed_limit, 45);
    EXPECT_EQ(r->length, 200);
  }
  EXPECT_EQ(right.signal, 2);
  EXPECT_EQ(left.signal, 1);
  EXPECT_EQ(right.stop_distance, 150);
  EXPECT_EQ(left.stop_distance, 50);
  EXPECT_EQ(right.gradient, -7);
  EXPECT_EQ(right.radius, 800);
  EXPECT_EQ(left.gradient, 7);
  EXPECT_EQ(left.radius, -800);
  EXPECT_EQ(right.short_name, "ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(right.name, "right");
  EXPECT_EQ(left.short_name, "L");
  EXPECT_EQ(left.name, std::string(254, 'x'));
  EXPECT_EQ(f.prails[1].single_track, 1);
  EXPECT_EQ(f.prails[1].electrification, 3);
  EXPECT_EQ(f.points[1].key, "pq");
  EXPECT_EQ(f.points[2].key, "Q");
}

TEST(Map_RailPairEditTests, SpeedLimitSwitchOffStoresZero) {
  RailPairFixture f;
  RailPairInput in = RailPairFixture::good_input();
  in.speed_limit_on = false;
  in.speed_limit = -3;  // not checked while the switch is off
  ASSERT_TRUE(f.edit(1, in).applied());
  EXPECT_EQ(f.rails[1].speed_limit, 0);
  EXPECT_EQ(f.rails[2].speed_limit, 0);
}

// A rail outside stopping places that is given one keeps the stop distance
// typed for it: dropping it would refuse every such edit (a target needs a
// stop distance) or leave the rail out of the stopping place's track list.
TEST(Map_RailPairEditTests, ARailNewlyGivenAStoppingPlaceKeepsItsStopDistance) {
  RailPairFixture f;
  RailPairInput in = RailPairFixture::good_input();
  in.point_key = "";  // PRail 2 lies on no point: the key is not used
  in.leftward.stop_distance = 60;
  ASSERT_TRUE(f.edit(3, in).applied());
  const Rail& lone = f.rails[3];
  EXPECT_EQ(lone.target, 1);
  EXPECT_EQ(lone.station, 3);
  EXPECT_EQ(lone.stop_distance, 60);
  EXPECT_EQ(lone.gradient, 0);  // the leftward side stores the negated value
  EXPECT_EQ(lone.radius, -800);
  EXPECT_EQ(lone.short_name, "L");
  EXPECT_EQ(f.rails[1].name, "");  // not part of this track
  EXPECT_EQ(f.prails[2].single_track, 1);
}

TEST(Map_RailPairEditTests, ARailLeftOutsideStoppingPlacesGetsNoStopDistance) {
  RailPairFixture f;
  RailPairInput in = RailPairFixture::good_input();
  in.point_key = "";
  in.target = 0;
  in.leftward.stop_distance = 60;
  ASSERT_TRUE(f.edit(3, in).applied());
  EXPECT_EQ(f.rails[3].target, 0);
  EXPECT_EQ(f.rails[3].stop_distance, 0);
}

TEST(Map_RailPairEditTests, RecordsThatDoNotExistAreRefused) {
  RailPairFixture f;
  const std::string before = f.snapshot();
  RailPairInput in = RailPairFixture::good_input();
  EXPECT_EQ(f.edit(0, in).status, EditResult::Status::Refused);
  EXPECT_EQ(f.edit(11, in).status, EditResult::Status::Refused);
  in.target = 5;
  EXPECT_EQ(f.edit(1, in).error.caption, "操作エラー");
  EXPECT_EQ(f.snapshot(), before);
}

TEST(Map_RailPairEditTests, DialogStartsWithRightwardValues) {
  RailPairFixture f;
  RailPairInput in = rail_pair_values(2, f.rails, f.prails, f.points);
  EXPECT_EQ(in.gradient, 3);
  EXPECT_EQ(in.radius, 500);
  EXPECT_EQ(in.point_key, "P");
  EXPECT_EQ(in.rightward.stop_distance, 60);
  EXPECT_EQ(in.rightward.signal, 1);
  EXPECT_EQ(in.target, 1);
  // Without a leftward rail, the rightward rail's own values.
  f.rails[1].l_dual = 0;
  f.rails[1].gradient = 9;
  EXPECT_EQ(rail_pair_values(1, f.rails, f.prails, f.points).gradient, 9);
  RailPair pair = rail_pair_of(f.rails, 1);
  EXPECT_EQ(pair.rightward, 1);
  EXPECT_EQ(pair.leftward, 0);
}

}  // namespace
}  // namespace vosk::map
