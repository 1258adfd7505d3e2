#include "stock/series_sounds.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vosk::stock {
namespace {

using vosk::testing::sj;

const std::string kSoundIni =
    sj("[発メロ]\n駅=station.wav\n\n"
       "[ドア開]\nopen=o.wav\nseries_1=o1.wav\nseries_2=o2.wav\n\n"
       "[ドア閉]\nclose=c.wav\nseries_1=c1.wav\nseries_2=\n\n"
       "[ＡＴＣ]\nseries_1=a1.wav\nseries_2=a2.wav\n\n"
       "[ポイント]\nseries_1=p1.wav\nseries_2=p2.wav\n\n"
       "[走行音]\nseries_1=r1.wav\nseries_2=r2.wav\n\n"
       "[ＢＶＥ]\nseries_1=b1.wav\nseries_2=b2.wav\n\n");

TEST(Stock_SeriesSoundsTests, LoadsEachSeriesSounds) {
  SeriesTable table;
  reset_series(table);
  table.grow_to(3);
  load_series_sounds(ini::Document::parse(kSoundIni), 1220, table);
  EXPECT_EQ(table[1].sounds, (std::array<std::string, kSoundCount>{"o1.wav", "c1.wav", "a1.wav",
                                                                   "p1.wav", "r1.wav", "b1.wav"}));
  EXPECT_EQ(table[2].sounds[kDoorClose], "");
  EXPECT_EQ(table[2].sounds[kExternal], "b2.wav");
  EXPECT_EQ(table[3].sounds, (std::array<std::string, kSoundCount>{}));
  EXPECT_EQ(table[0].sounds[kDoorOpen], "");
}

TEST(Stock_SeriesSoundsTests, VersionsBefore1010HaveNoSeriesSounds) {
  SeriesTable table;
  reset_series(table);
  table.grow_to(1).sounds[kAtc] = "left.wav";
  load_series_sounds(ini::Document::parse(kSoundIni), 1000, table);
  EXPECT_EQ(table[1].sounds[kAtc], "");
  load_series_sounds(ini::Document::parse(kSoundIni), 1010, table);
  EXPECT_EQ(table[1].sounds[kAtc], "a1.wav");
}

TEST(Stock_SeriesSoundsTests, WritesTheLinesOfEachSectionAndReadsThemBack) {
  SeriesTable table;
  reset_series(table);
  table.grow_to(2);
  load_series_sounds(ini::Document::parse(kSoundIni), 1220, table);
  // The six sections as the sound member frames them around our lines.
  csv::Writer out;
  for (int sound = 0; sound < kSoundCount; ++sound) {
    static const char* const kHeads[] = {"[ドア開]\nopen=o.wav\n",
                                         "[ドア閉]\nclose=c.wav\n",
                                         "[ＡＴＣ]\n",
                                         "[ポイント]\n",
                                         "[走行音]\n",
                                         "[ＢＶＥ]\n"};
    out.text(sj(kHeads[sound]));
    write_series_sound_lines(table, sound, out);
    out.text("\n");
  }
  EXPECT_EQ(out.str(), kSoundIni.substr(kSoundIni.find(sj("[ドア開]"))));
}

TEST(Stock_SeriesSoundsTests, OnlyRealSeriesAndSoundsAreWritten) {
  SeriesTable table;
  reset_series(table);
  table[0].sounds[kAtc] = "zero.wav";
  csv::Writer none;
  write_series_sound_lines(table, kAtc, none);
  EXPECT_EQ(none.str(), "");
  table.grow_to(1).sounds[kRunning] = "r.wav";
  csv::Writer out;
  write_series_sound_lines(table, kRunning, out);
  write_series_sound_lines(table, kSoundCount, out);
  write_series_sound_lines(table, -1, out);
  EXPECT_EQ(out.str(), "series_1=r.wav\n");
}

}  // namespace
}  // namespace vosk::stock
