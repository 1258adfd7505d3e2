#include <gtest/gtest.h>

#include "map/station.h"
#include "map/target.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"
#include "track_records_support.h"

namespace vosk::map {
namespace {

using testing::sj;
using track_test::read_into;
using track_test::written;

const std::string kTargetZero =
    " 0, 0, 0, 0, 0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,,,\n";
const std::string kStationZero = " 0,   0, 0, 0, 0, 0, 0, 0,   0,   0,,,\n";

TEST(Map_TargetTests, CurrentLayoutRoundTrips) {
  const std::string content = kTargetZero +
                              " 1, 1, 3, 1, 7,   0, 150,  -1,  -1,  -1,  -1,  -1,  -1,  -1,1234," +
                              sj("東") + "," + sj("東京") + "," + sj("東京駅") + "\n" +
                              " 2, 0, 0, 0, 0,  -1,  -1,  -1,  -1,  -1,  -1,  -1,  -1,  -1,  -1,," +
                              sj("信号場") + "," + sj("第一信号場") + "\n";
  testing::ScriptedPrompt prompt;
  RecordTable<Target> targets;
  read_into(&read_targets, content, 1220, targets, prompt, kDefaultTargetCapacity);
  EXPECT_EQ(prompt.count(), 0u);
  ASSERT_EQ(targets.extent(), 2);
  const Target& t = targets[1];
  EXPECT_EQ(t.station, 1);
  EXPECT_EQ(t.scale, 3);
  EXPECT_EQ(t.time_display, kArrivalsAndDepartures);
  EXPECT_EQ(t.value_a, 7);
  EXPECT_EQ(t.distances[0], 0);
  EXPECT_EQ(t.distances[1], 150);
  EXPECT_EQ(t.distances[2], -1);
  EXPECT_EQ(t.distances[9], 1234);
  EXPECT_EQ(t.one_char_name, sj("東"));
  EXPECT_EQ(t.short_name, sj("東京"));
  EXPECT_EQ(t.name, sj("東京駅"));
  EXPECT_EQ(targets[2].one_char_name, "");
  EXPECT_EQ(targets[2].name, sj("第一信号場"));
  EXPECT_EQ(written(&write_targets, targets), content);
}

TEST(Map_TargetTests, OlderLayouts) {
  testing::ScriptedPrompt prompt;
  RecordTable<Target> targets;
  // 1140: the one-character name is missing; the short name fills it.
  read_into(&read_targets,
            " 1, 1, 3, 1, 7,   0, 150,  -1,  -1,  -1,  -1,  -1,  -1,  -1,  -1," + sj("東京") + "," +
                sj("東京駅") + "\n",
            1140, targets, prompt, kDefaultTargetCapacity);
  EXPECT_EQ(targets[1].scale, 3);
  EXPECT_EQ(written(&write_targets, targets),
            kTargetZero + " 1, 1, 3, 1, 7,   0, 150,  -1,  -1,  -1,  -1,  -1,  -1,  -1,  -1," +
                sj("東京") + "," + sj("東京") + "," + sj("東京駅") + "\n");

  // 1139: no scale, time display or value A either.
  read_into(&read_targets,
            " 1, 1,   0, 150,  -1,  -1,  -1,  -1,  -1,  -1,  -1,  -1," + sj("東京") + "," +
                sj("東京駅") + "\n",
            1139, targets, prompt, kDefaultTargetCapacity);
  EXPECT_EQ(targets[1].station, 1);
  EXPECT_EQ(targets[1].distances[1], 150);
  EXPECT_EQ(written(&write_targets, targets),
            kTargetZero + " 1, 1, 0, 0, 0,   0, 150,  -1,  -1,  -1,  -1,  -1,  -1,  -1,  -1," +
                sj("東京") + "," + sj("東京") + "," + sj("東京駅") + "\n");
  EXPECT_EQ(prompt.count(), 0u);
}

TEST(Map_TargetTests, RecordZeroIgnoredAndOutOfRangeWarnedOnce) {
  testing::ScriptedPrompt prompt;
  RecordTable<Target> targets;
  read_into(&read_targets,
            " 0, 9, 0, 0, 0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,x,y,z\n"
            "300, 9, 0, 0, 0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,x,y,z\n"
            "-1, 9, 0, 0, 0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,x,y,z\n",
            1220, targets, prompt, kDefaultTargetCapacity);
  EXPECT_EQ(targets.extent(), 0);
  EXPECT_EQ(prompt.count(), 1u);
  EXPECT_EQ(written(&write_targets, targets), kTargetZero);
}

TEST(Map_TargetTests, OverlongNamesAreCutToTheirFields) {
  testing::ScriptedPrompt prompt;
  RecordTable<Target> targets;
  const std::string long_short = sj("あいうえおかきくけこさ");  // 22 bytes
  read_into(&read_targets,
            " 1, 0, 0, 0, 0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0," + long_short + "," +
                long_short + "," + std::string(300, 'n') + "\n",
            1220, targets, prompt, kDefaultTargetCapacity);
  EXPECT_EQ(targets[1].one_char_name, sj("あいうえおかきくけこ"));
  EXPECT_EQ(targets[1].short_name, sj("あいうえおかきくけこ"));
  EXPECT_EQ(targets[1].name, std::string(255, 'n'));
  EXPECT_EQ(prompt.count(), 1u);
}

TEST(Map_StationTests, CurrentLayoutRoundTrips) {
  const std::string content =
      kStationZero + " 1, 150, 4, 2,10, 5, 8,12,  30,  -2," + sj("東") + "," + sj("東京") + "," +
      sj("東京駅") + "\n" + " 2,   0, 0, 0, 0, 0, 0, 0,   0,   0,,,\n" +
      " 3,12345, 0, 3, 0, 1, 2, 3,   0,   0,O," + sj("大阪") + "," + sj("大阪駅") + "\n";
  testing::ScriptedPrompt prompt;
  RecordTable<Station> stations;
  read_into(&read_stations, content, 1220, stations, prompt, kDefaultStationCapacity);
  EXPECT_EQ(prompt.count(), 0u);
  ASSERT_EQ(stations.extent(), 3);
  const Station& s = stations[1];
  EXPECT_EQ(s.distance, 150);
  EXPECT_EQ(s.value_b, 4);
  EXPECT_EQ(s.scale, kStaffed);
  EXPECT_EQ(s.melody_time, 10);
  EXPECT_EQ(s.door_close_min, 5);
  EXPECT_EQ(s.door_close_mid, 8);
  EXPECT_EQ(s.door_close_max, 12);
  EXPECT_EQ(s.value_c, 30);
  EXPECT_EQ(s.value_d, -2);
  EXPECT_EQ(s.one_char_name, sj("東"));
  EXPECT_EQ(s.short_name, sj("東京"));
  EXPECT_EQ(s.name, sj("東京駅"));
  EXPECT_EQ(stations[3].distance, 12345);
  EXPECT_EQ(written(&write_stations, stations), content);
}

TEST(Map_StationTests, OlderLayouts) {
  testing::ScriptedPrompt prompt;
  RecordTable<Station> stations;
  // 1149: two texts.
  read_into(&read_stations,
            " 1, 150, 4, 2,10, 5, 8,12,  30,  -2," + sj("東京") + "," + sj("東京駅") + "\n", 1149,
            stations, prompt, kDefaultStationCapacity);
  EXPECT_EQ(written(&write_stations, stations),
            kStationZero + " 1, 150, 4, 2,10, 5, 8,12,  30,  -2," + sj("東京") + "," + sj("東京") +
                "," + sj("東京駅") + "\n");
  // 1029: no values C and D either.
  read_into(&read_stations, " 1, 150, 4, 2,10, 5, 8,12," + sj("東京") + "," + sj("東京駅") + "\n",
            1029, stations, prompt, kDefaultStationCapacity);
  EXPECT_EQ(stations[1].door_close_max, 12);
  EXPECT_EQ(stations[1].short_name, sj("東京"));
  EXPECT_EQ(written(&write_stations, stations),
            kStationZero + " 1, 150, 4, 2,10, 5, 8,12,   0,   0," + sj("東京") + "," + sj("東京") +
                "," + sj("東京駅") + "\n");
  EXPECT_EQ(prompt.count(), 0u);
}

TEST(Map_StationTests, Versions1000To1009CopyTheStationDistanceIntoItsTargets) {
  RecordTable<Station> stations;
  stations.allocate(kDefaultStationCapacity);
  stations.grow_to(2).distance = 345;
  RecordTable<Target> targets;
  targets.allocate(kDefaultTargetCapacity);
  targets.grow_to(1).station = 2;
  targets.grow_to(2).station = 0;  // outside stations: untouched
  targets[2].distances.fill(-1);
  targets.grow_to(3).station = 9;  // no such station: untouched

  copy_station_distances(1010, stations, targets);
  EXPECT_EQ(targets[1].distances[0], 0);
  copy_station_distances(999, stations, targets);
  EXPECT_EQ(targets[1].distances[0], 0);

  copy_station_distances(1005, stations, targets);
  for (int d : targets[1].distances) EXPECT_EQ(d, 345);
  EXPECT_EQ(targets[2].distances[5], -1);
  EXPECT_EQ(targets[3].distances[5], 0);
}

TEST(Map_StationTests, MelodiesAreReadByShortNameAndWrittenAsKeyLines) {
  RecordTable<Station> stations;
  stations.allocate(kDefaultStationCapacity);
  stations.grow_to(1).short_name = sj("東京");
  stations.grow_to(2).short_name = sj("大阪");
  stations.grow_to(3).short_name = "Long";
  ini::Document sound =
      ini::Document::parse(sj("[発メロ]\n東京=tokyo.wav\nLong=") + std::string(300, 'w') +
                           "\n[other]\n" + sj("大阪") + "=not_here.wav\n");
  load_station_melodies(sound, stations);
  EXPECT_EQ(stations[1].melody_file, "tokyo.wav");
  EXPECT_EQ(stations[2].melody_file, "station.wav");
  EXPECT_EQ(stations[3].melody_file, std::string(255, 'w'));

  stations[3].melody_file = "x.wav";
  csv::Writer out;
  write_station_melodies(stations, out);
  EXPECT_EQ(out.str(), sj("東京=tokyo.wav\n大阪=station.wav\n") + "Long=x.wav\n");
}

TEST(Map_StationTests, MelodiesDefaultWithoutTheSection) {
  RecordTable<Station> stations;
  stations.allocate(kDefaultStationCapacity);
  stations.grow_to(1).short_name = "A";
  load_station_melodies(ini::Document{}, stations);
  EXPECT_EQ(stations[1].melody_file, "station.wav");
}

}  // namespace
}  // namespace vosk::map
