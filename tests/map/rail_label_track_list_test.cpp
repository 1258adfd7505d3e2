#include <gtest/gtest.h>

#include "map/rail_label.h"
#include "map/track_list.h"
#include "support/temp_dir.h"

namespace vosk::map {
namespace {

using testing::sj;

TEST(Map_RailLabelTests, SuffixFollowsDirectionRightDownAndLanguage) {
  Rail down;  // direction 1
  down.name = sj("本線");
  down.direction = 1;
  Rail up = down;
  up.direction = 2;

  EXPECT_EQ(rail_label(down, false, false, false), sj("本線"));
  EXPECT_EQ(rail_label(down, false, true, true), sj("本線"));
  EXPECT_EQ(rail_label(down, true, false, false), sj("本線（下り）"));
  EXPECT_EQ(rail_label(up, true, false, false), sj("本線（上り）"));
  EXPECT_EQ(rail_label(down, true, true, false), sj("本線（上り）"));
  EXPECT_EQ(rail_label(up, true, true, false), sj("本線（下り）"));
  EXPECT_EQ(rail_label(down, true, false, true), sj("本線") + "(Dn)");
  EXPECT_EQ(rail_label(up, true, false, true), sj("本線") + "(Up)");
  EXPECT_EQ(rail_label(down, true, true, true), sj("本線") + "(Up)");
}

TEST(Map_RailLabelTests, BuildsEveryRailAndRebuildsOnSettingChange) {
  RecordTable<Rail> rails;
  rails.allocate(10);
  rails.grow_to(1).name = "a";
  rails[1].direction = 1;
  rails.grow_to(3).name = "c";
  rails[3].direction = 2;
  build_rail_labels(rails, true, false, true);
  EXPECT_EQ(rails[1].label, "a(Dn)");
  EXPECT_EQ(rails[3].label, "c(Up)");
  EXPECT_EQ(rails[0].label, "");
  build_rail_labels(rails, false, false, true);
  EXPECT_EQ(rails[1].label, "a");
}

// Target 2 has platform tracks on PRails 1 and 4; PRail 2 has rails of the
// target without a stopping mark; PRail 3 stops for another target; PRail 5
// names rails beyond the table.
struct TrackFixture {
  RecordTable<Rail> rails;
  RecordTable<PRail> prails;
  RecordTable<Target> targets;

  TrackFixture() {
    rails.allocate(20);
    auto rail = [&](int n, int target, int stop) {
      rails.grow_to(n).target = target;
      rails[n].stop_distance = stop;
      rails[n].short_name = "s" + std::to_string(n);
      rails[n].name = "n" + std::to_string(n);
    };
    rail(1, 2, 0);
    rail(2, 2, 60);  // only rail B stops
    rail(3, 2, 0);
    rail(4, 2, 0);
    rail(5, 3, 50);
    rail(6, 2, 40);
    prails.allocate(10);
    auto prail = [&](int n, int a, int b) {
      prails.grow_to(n).rail_a = a;
      prails[n].rail_b = b;
    };
    prail(1, 1, 2);
    prail(2, 3, 4);
    prail(3, 5, 0);
    prail(4, 6, 0);
    prail(5, 999, -4);
    targets.allocate(10);
    targets.grow_to(2).short_name = sj("東京");
    targets[2].name = sj("東京駅");
    targets.grow_to(3);
  }
};

TEST(Map_TrackListTests, ListsThePlatformTracksInPRailOrder) {
  TrackFixture f;
  f.targets[2].tracks.push_back({77, 77, "old", "old"});  // discarded
  build_track_lists(f.prails, f.rails, f.targets, false);
  const auto& tracks = f.targets[2].tracks;
  ASSERT_EQ(tracks.size(), 2u);
  EXPECT_EQ(tracks[0].rail_a, 1);
  EXPECT_EQ(tracks[0].rail_b, 2);
  EXPECT_EQ(tracks[0].short_label, "1");
  EXPECT_EQ(tracks[0].long_label, sj("01番線"));
  EXPECT_EQ(tracks[1].rail_a, 6);
  EXPECT_EQ(tracks[1].rail_b, 0);
  EXPECT_EQ(tracks[1].long_label, sj("02番線"));
  ASSERT_EQ(f.targets[3].tracks.size(), 1u);
  EXPECT_EQ(f.targets[3].tracks[0].rail_a, 5);
  // Outside WdiaMode rail names stay.
  EXPECT_EQ(f.rails[1].name, "n1");
}

TEST(Map_TrackListTests, WdiaModeRenamesBothRailsOfEachTrack) {
  TrackFixture f;
  build_track_list(2, f.prails, f.rails, f.targets, true);
  EXPECT_EQ(f.rails[1].short_name, sj("東京1"));
  EXPECT_EQ(f.rails[1].name, sj("東京駅01番線"));
  EXPECT_EQ(f.rails[2].short_name, sj("東京1"));
  EXPECT_EQ(f.rails[6].name, sj("東京駅02番線"));
  EXPECT_EQ(f.rails[3].name, "n3");  // not a platform track
}

TEST(Map_TrackListTests, WdiaModeNamesAreCutToTheFields) {
  TrackFixture f;
  f.targets[2].short_name = sj("あいうえおかきくけこ");  // 20 bytes already
  f.targets[2].name = std::string(252, 'n');
  build_track_list(2, f.prails, f.rails, f.targets, true);
  EXPECT_EQ(f.rails[1].short_name, sj("あいうえおかきくけこ"));
  EXPECT_EQ(f.rails[1].name, std::string(252, 'n') + "01");  // only half of "番" would fit
}

TEST(Map_TrackListTests, ManyTracksKeepTwoDigitLabelsAndBeyond) {
  TrackFixture f;
  for (int n = 1; n <= 12; ++n) {
    f.prails.grow_to(n).rail_a = 6;
    f.prails[n].rail_b = 0;
  }
  build_track_list(2, f.prails, f.rails, f.targets, false);
  ASSERT_EQ(f.targets[2].tracks.size(), 12u);
  EXPECT_EQ(f.targets[2].tracks[11].short_label, "12");
  EXPECT_EQ(f.targets[2].tracks[11].long_label, sj("12番線"));
}

}  // namespace
}  // namespace vosk::map
