#include <gtest/gtest.h>

#include "map/map_display_support.h"
#include "map/name_translation.h"
#include "map/signal_member.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::map {
namespace {

using testing::sj;

// The five tables as a map author keeps them: CP932, CR LF.
void write_tables(const testing::TempDir& dir) {
  dir.write("target.csv", sj("東京,東,Tky,Tokyo\r\n"
                             "新宿,新,Snj,Shinjuku\r\n"
                             "品川,品,Sgw,Shinagawa\r\n"
                             ",X,Y,Z\r\n"));
  dir.write("rail_suffix.csv", sj("上り本線, U, Up Main\r\n"
                                  "番線, #, Track\r\n"));
  dir.write("d_type.csv", sj("普通,普,Loc,Local\r\n"));
  dir.write("signal_set.csv", sj("５現示信号機,5-aspect,Five-aspect signal\r\n"));
  dir.write("signal_bmp.csv", sj("進行,Proceed\r\n停止,Stop\r\n"));
}

TEST(Map_NameTranslationTests, LoadsTheFiveTables) {
  testing::TempDir dir;
  write_tables(dir);
  testing::ScriptedPrompt prompt;
  const NameTranslation t = load_name_translation(dir.path(), prompt);
  EXPECT_EQ(prompt.count(), 0u);
  ASSERT_EQ(t.targets.size(), 3u);  // the row with an empty first column is left out
  EXPECT_EQ(t.targets[1].japanese, sj("新宿"));
  EXPECT_EQ(t.targets[1].one_char_name, sj("新"));
  EXPECT_EQ(t.targets[1].short_name, "Snj");
  EXPECT_EQ(t.targets[1].name, "Shinjuku");
  ASSERT_EQ(t.rail_suffixes.size(), 2u);
  EXPECT_EQ(t.rail_suffixes[0].short_suffix, " U");
  EXPECT_EQ(t.rail_suffixes[0].suffix, " Up Main");
  ASSERT_EQ(t.train_types.size(), 1u);
  ASSERT_EQ(t.signal_sets.size(), 1u);
  EXPECT_EQ(t.signal_sets[0].description, "Five-aspect signal");
  ASSERT_EQ(t.pictures.size(), 2u);
  EXPECT_EQ(t.pictures[1].name, "Stop");
}

TEST(Map_NameTranslationTests, AMissingFileIsReportedAndOnlyItsTableIsSkipped) {
  testing::TempDir dir;
  write_tables(dir);
  std::filesystem::remove(dir / "d_type.csv");
  testing::ScriptedPrompt prompt;
  const NameTranslation t = load_name_translation(dir.path(), prompt);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "ファイル読み込みエラー");
  EXPECT_EQ(prompt.last().text,
            "読み込みファイル'" + (dir / "d_type.csv").string() + "'は開けませんでした。\n");
  EXPECT_TRUE(t.train_types.empty());
  EXPECT_EQ(t.targets.size(), 3u);
  EXPECT_EQ(t.pictures.size(), 2u);
}

TEST(Map_NameTranslationTests, ApplyNameRowReplacesAllThreeNamesCutToTheirFields) {
  NameTranslation t;
  t.train_types.push_back({sj("普通"), "L", "Local train, stopping", std::string(300, 'n')});
  std::string one = sj("普"), short_name = sj("普通"), name = sj("普通");
  EXPECT_TRUE(apply_name_row(t.train_types, one, short_name, name));
  EXPECT_EQ(one, "L");
  EXPECT_EQ(short_name, "Local train, stoppin");  // 20 bytes
  EXPECT_EQ(name, std::string(255, 'n'));
  std::string other = sj("快速");
  EXPECT_FALSE(apply_name_row(t.train_types, one, short_name, other));
  EXPECT_EQ(other, sj("快速"));
}

struct MapFixture {
  RecordTable<Rail> rails;
  RecordTable<Target> targets;
  RecordTable<Station> stations;
  SignalSets signals;

  MapFixture() {
    rails.allocate(10);
    targets.allocate(10);
    stations.allocate(10);
    add_target(1, "東京");
    add_target(2, "新宿");
    add_target(3, "大阪");
    add_rail(1, "東京上り本線");
    add_rail(2, "東京←新宿番線");
    add_rail(3, "新宿→東京番線");
    add_rail(4, "東京＝新宿上り本線");
    add_rail(5, "品川上り本線");  // 品川 has a row, but the map has no such target
    add_rail(6, "大阪上り本線");  // 大阪 has no row
    add_rail(7, "東京");          // no suffix
    add_rail(8, "東京←大阪番線");
    Station& s = stations.grow_to(1);
    s.one_char_name = sj("新");
    s.short_name = sj("新宿");
    s.name = sj("新宿");
  }
  void add_target(int n, const char* name) {
    Target& t = targets.grow_to(n);
    t.short_name = t.name = sj(name);
  }
  void add_rail(int n, const char* name) {
    Rail& r = rails.grow_to(n);
    r.short_name = "old";
    r.name = sj(name);
  }
};

TEST(Map_NameTranslationTests, TranslatesRailsTargetsStationsAndSignals) {
  testing::TempDir dir;
  write_tables(dir);
  testing::ScriptedPrompt prompt;
  const NameTranslation t = load_name_translation(dir.path(), prompt);
  MapFixture m;
  MemberLoad load;
  load.read(read_signal_set, "  1,  0," + sj("５現示信号機") + ",\n", 1220, m.signals);
  load.read(read_signal,
            "  1, 76,1023,  0,255,  0," + sj("進行") + ",g.bmp\n" + "  1,  0,  76,255,  0,  0," +
                sj("注意") + ",y.bmp\n",
            1220, m.signals);

  const MapNameChanges changes = translate_map_names(t, m.rails, m.targets, m.stations, m.signals);

  EXPECT_EQ(m.rails[1].name, "Tokyo Up Main");
  EXPECT_EQ(m.rails[1].short_name, "Tky U");
  EXPECT_EQ(m.rails[2].name, "Tokyo<-Shinjuku Track");
  EXPECT_EQ(m.rails[2].short_name, "Tky<-Snj #");
  EXPECT_EQ(m.rails[3].name, "Shinjuku->Tokyo Track");
  EXPECT_EQ(m.rails[4].name, "Tokyo==Shinjuku Up Main");
  EXPECT_EQ(m.rails[4].short_name, "Tky==Snj U");
  for (int n : {5, 6, 7, 8}) EXPECT_EQ(m.rails[n].short_name, "old") << n;
  EXPECT_EQ(m.rails[5].name, sj("品川上り本線"));
  EXPECT_EQ(changes.rails, 4);

  EXPECT_EQ(changes.targets, (std::vector<int>{1, 2}));
  EXPECT_EQ(m.targets[1].name, "Tokyo");
  EXPECT_EQ(m.targets[1].short_name, "Tky");
  EXPECT_EQ(m.targets[1].one_char_name, sj("東"));
  EXPECT_EQ(m.targets[3].name, sj("大阪"));
  EXPECT_EQ(changes.stations, 1);
  EXPECT_EQ(m.stations[1].name, "Shinjuku");

  EXPECT_EQ(m.signals.sets[1].name, "5-aspect");
  EXPECT_EQ(m.signals.sets[1].description, "Five-aspect signal");
  EXPECT_EQ(aspect_picture(m.signals, 1, 100).name, "Proceed");
  EXPECT_EQ(aspect_picture(m.signals, 1, 0).name, sj("注意"));  // no row for it
  EXPECT_EQ(aspect_picture(m.signals, 1, 100).file, "g.bmp");
  EXPECT_EQ(changes.pictures, 1);
}

TEST(Map_NameTranslationTests, RailNamesNeedTheWholeNameToMatch) {
  NameTranslation t;
  t.targets.push_back({sj("東京"), "T", "Tky", "Tokyo"});
  t.rail_suffixes.push_back({sj("線"), "L", "Line"});
  const RailNameTranslator translator(t, {sj("東京")});
  RailNames out;
  EXPECT_TRUE(translator.translate(sj("東京線"), out));
  EXPECT_EQ(out.name, "TokyoLine");
  EXPECT_FALSE(translator.translate(sj("東京駅線"), out));  // something between
  EXPECT_FALSE(translator.translate(sj("新東京線"), out));  // something before
  EXPECT_FALSE(translator.translate(sj("東京←線"), out));   // the second target is missing
  EXPECT_FALSE(translator.translate(sj("東京線路"), out));  // suffix not at the end
  // English names that do not fit are cut to the rail's fields.
  t.targets[0].short_name = std::string(19, 's');
  t.targets[0].name = std::string(254, 'n');
  EXPECT_TRUE(translator.translate(sj("東京線"), out));
  EXPECT_EQ(out.short_name, std::string(19, 's') + "L");
  EXPECT_EQ(out.name, std::string(254, 'n') + "L");
  EXPECT_TRUE(translator.translate(sj("東京←東京線"), out));
  EXPECT_EQ(out.short_name.size(), 20u);
  EXPECT_EQ(out.name.size(), 255u);
}

}  // namespace
}  // namespace vosk::map
