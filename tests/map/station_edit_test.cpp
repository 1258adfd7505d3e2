#include "map/station_edit.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vosk::map {
namespace {

using testing::sj;

// Target 1 is the platforms of station 2; target 2 is a stopping section
// outside stations.
struct StationFixture {
  RecordTable<Station> stations;
  RecordTable<Target> targets;

  StationFixture() {
    stations.allocate(kDefaultStationCapacity);
    Station& s = stations.grow_to(2);
    s.scale = kStaffed;
    s.short_name = "old";
    s.melody_file = "station.wav";
    s.door_close_min = 1;
    s.door_close_mid = 2;
    s.door_close_max = 3;
    targets.allocate(kDefaultTargetCapacity);
    targets.grow_to(1).station = 2;
    targets[1].short_name = "old";
    targets.grow_to(2).name = sj("信号場");
  }

  static StationInput good_input() {
    StationInput in;
    in.one_char_name = sj("東");
    in.short_name = sj("東京");
    in.name = sj("東京駅");
    in.scale = kMajor;
    in.time_display = kDownArrivals;
    in.melody_time = 0;
    in.melody_file = "tokyo.wav";
    in.door_close_min = 5;
    in.door_close_mid = 8;
    in.door_close_max = 12;
    in.show_track_numbers = true;
    return in;
  }

  std::string snapshot() const {
    csv::Writer out;
    write_stations(stations, out);
    write_targets(targets, out);
    write_station_melodies(stations, out);
    return out.take();
  }
};

TEST(Map_StationEditTests, TimesMustBePositiveAndInOrder) {
  struct Case {
    int melody, min, mid, max;
    const char* text;  // nullptr: accepted
  };
  const char* positive = "時間は正の値しか指定できません。";
  const char* order = "時間の大小関係が不正です。";
  const Case cases[] = {
      {-1, 5, 8, 12, positive}, {0, 0, 8, 12, positive}, {0, 5, 0, 12, positive},
      {0, 5, 8, 0, positive},   {0, 5, 5, 12, order},    {0, 5, 8, 8, order},
      {0, 9, 8, 12, order},     {0, 5, 8, 12, nullptr},  {30, 1, 2, 3, nullptr},
      {-1, 9, 8, 7, positive},  // the positive test comes first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.melody << "," << c.min << "," << c.mid << "," << c.max);
    StationFixture f;
    const std::string before = f.snapshot();
    StationInput in = StationFixture::good_input();
    in.melody_time = c.melody;
    in.door_close_min = c.min;
    in.door_close_mid = c.mid;
    in.door_close_max = c.max;
    auto error = edit_station(1, in, false, f.stations, f.targets);
    if (c.text == nullptr) {
      EXPECT_FALSE(error.has_value());
    } else {
      ASSERT_TRUE(error.has_value());
      EXPECT_EQ(error->caption, "データエラー");
      EXPECT_EQ(error->text, c.text);
      EXPECT_EQ(f.snapshot(), before);
    }
  }
}

TEST(Map_StationEditTests, WdiaModeSkipsTheTimeChecks) {
  StationFixture f;
  StationInput in = StationFixture::good_input();
  in.door_close_min = 0;
  in.door_close_max = 0;
  EXPECT_FALSE(edit_station(1, in, true, f.stations, f.targets).has_value());
  EXPECT_EQ(f.stations[2].door_close_max, 0);
}

TEST(Map_StationEditTests, NamesGoToStationAndTargetWithTheByteLimits) {
  StationFixture f;
  StationInput in = StationFixture::good_input();
  in.short_name = sj("あいうえおかきくけこさ");  // 22 bytes
  in.name = std::string(256, 'n');
  in.melody_file = std::string(255, 'w') + sj("駅");
  ASSERT_FALSE(edit_station(1, in, false, f.stations, f.targets).has_value());
  const Station& s = f.stations[2];
  const Target& t = f.targets[1];
  EXPECT_EQ(s.short_name, sj("あいうえおかきくけこ"));
  EXPECT_EQ(t.short_name, sj("あいうえおかきくけこ"));
  EXPECT_EQ(s.one_char_name, sj("東"));
  EXPECT_EQ(t.one_char_name, sj("東"));
  EXPECT_EQ(s.name, std::string(255, 'n'));
  EXPECT_EQ(t.name, std::string(255, 'n'));
  EXPECT_EQ(s.scale, kMajor);
  EXPECT_EQ(t.scale, kMajor);
  EXPECT_EQ(s.melody_file, std::string(255, 'w'));
  EXPECT_EQ(s.door_close_mid, 8);
  EXPECT_EQ(t.time_display, kDownArrivals);
  EXPECT_TRUE(t.show_track_numbers);
}

TEST(Map_StationEditTests, ASectionOutsideStationsTakesOnlyNamesAndTimeDisplay) {
  StationFixture f;
  StationInput in = StationFixture::good_input();
  in.door_close_min = 0;  // not shown, not checked
  ASSERT_FALSE(edit_station(2, in, false, f.stations, f.targets).has_value());
  const Target& t = f.targets[2];
  EXPECT_EQ(t.name, sj("東京駅"));
  EXPECT_EQ(t.time_display, kDownArrivals);
  EXPECT_EQ(t.scale, 0);
  EXPECT_FALSE(t.show_track_numbers);
  EXPECT_EQ(f.stations[2].short_name, "old");
}

TEST(Map_StationEditTests, DialogStartsWithTheStoredValues) {
  StationFixture f;
  StationInput in = station_values(1, f.stations, f.targets);
  EXPECT_EQ(in.short_name, "old");
  EXPECT_EQ(in.scale, kStaffed);
  EXPECT_EQ(in.door_close_max, 3);
  EXPECT_EQ(in.melody_file, "station.wav");
  EXPECT_EQ(station_values(2, f.stations, f.targets).name, sj("信号場"));
}

TEST(Map_StationEditTests, RecordsThatDoNotExistAreRefused) {
  StationFixture f;
  const std::string before = f.snapshot();
  StationInput in = StationFixture::good_input();
  EXPECT_TRUE(edit_station(3, in, false, f.stations, f.targets).has_value());
  f.targets[1].station = 50;
  EXPECT_TRUE(edit_station(1, in, false, f.stations, f.targets).has_value());
  f.targets[1].station = 2;
  EXPECT_EQ(f.snapshot(), before);
}

}  // namespace
}  // namespace vosk::map
