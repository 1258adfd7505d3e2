#include <gtest/gtest.h>

#include <climits>

#include "base/format.h"
#include "map/map_display_support.h"
#include "map/signal_member.h"
#include "map/signal_set.h"
#include "support/temp_dir.h"

namespace vosk::map {
namespace {

using testing::sj;

const std::string kSets = "  1,  0," + sj("５現示信号機") + "," + sj("標準の信号機") + "\n" +
                          "  2, 12," + sj("入換信号機") + ",\n";

const std::string kAspects = "  1, 76,1023,  0,255,  0," + sj("進行") + ",Signal____G.bmp\n" +
                             "  1, 46,  75,255,255,  0," + sj("減速") + ",Signal_Y__G.bmp\n" +
                             "  1,  0,  45,255,  0,  0," + sj("停止") + ",Signal__R__.bmp\n" +
                             "  2,  0,1023,  0,  0,255," + sj("入換") + ",Shunt.bmp\n";

struct Loaded {
  SignalSets signals;
  MemberLoad load;
  std::size_t warnings = 0;

  Loaded(std::string_view sets, std::string_view aspects, int version) {
    warnings += load.read(read_signal_set, sets, version, signals);
    warnings += load.read(read_signal, aspects, version, signals);
  }
  std::string sets_written() const { return written(write_signal_set, signals); }
  std::string aspects_written() const { return written(write_signal, signals); }
  const AspectEntry& at(int set, int step) const { return *aspect_at(signals, set, step); }
  std::string picture_name(int set, int step) const {
    return aspect_picture(signals, set, step).name;
  }
};

TEST(Map_SignalSetTests, Version1220RoundTripsByteIdentical) {
  Loaded l(kSets, kAspects, 1220);
  EXPECT_EQ(l.warnings, 0u);
  ASSERT_EQ(l.signals.sets.extent(), 2);
  EXPECT_EQ(l.signals.sets[1].name, sj("５現示信号機"));
  EXPECT_EQ(l.signals.sets[1].description, sj("標準の信号機"));
  EXPECT_EQ(l.signals.sets[2].value, 12);
  EXPECT_EQ(l.signals.sets[2].description, "");
  EXPECT_EQ(l.sets_written(), kSets);
  EXPECT_EQ(l.aspects_written(), kAspects);
}

TEST(Map_SignalSetTests, EveryStepGetsTheBandItLiesIn) {
  Loaded l(kSets, kAspects, 1220);
  for (int step : {1023, 500, 76}) {
    EXPECT_EQ(l.at(1, step).lower_bound, 76) << step;
    EXPECT_EQ(l.at(1, step).second_value, 1023) << step;
    EXPECT_EQ(l.picture_name(1, step), sj("進行")) << step;
  }
  for (int step : {75, 46}) EXPECT_EQ(l.at(1, step).lower_bound, 46) << step;
  for (int step : {45, 0}) EXPECT_EQ(l.at(1, step).lower_bound, 0) << step;
  EXPECT_EQ(aspect_colour(l.signals, 1, 50), (ColourTriple{255, 255, 0}));
  EXPECT_EQ(aspect_colour(l.signals, 1, 0), (ColourTriple{255, 0, 0}));
  EXPECT_EQ(aspect_picture(l.signals, 1, 10).file, "Signal__R__.bmp");
  // One picture and one colour per line, after the white "nothing" entry.
  EXPECT_EQ(l.signals.pictures.size(), 5u);
  ASSERT_EQ(l.signals.colours.size(), 5u);
  EXPECT_EQ(l.signals.colours[0], (ColourTriple{255, 255, 255}));
}

TEST(Map_SignalSetTests, ASingleBandCoversAllStepsAndIsWrittenAsOneLine) {
  Loaded l(kSets, kAspects, 1220);
  for (int step : {0, 1, 511, 1023}) EXPECT_EQ(l.picture_name(2, step), sj("入換")) << step;
  SignalSets only_set_2 = l.signals;
  only_set_2.sets[1].aspects.fill(AspectEntry{});
  EXPECT_EQ(written(write_signal, only_set_2),
            "  2,  0,1023,  0,  0,255," + sj("入換") + ",Shunt.bmp\n");
}

TEST(Map_SignalSetTests, LookupsOutsideTheTablesAreSafe) {
  Loaded l(kSets, kAspects, 1220);
  EXPECT_EQ(aspect_at(l.signals, 0, 10), nullptr);
  EXPECT_EQ(aspect_at(l.signals, 3, 10), nullptr);
  EXPECT_EQ(aspect_at(l.signals, -1, 10), nullptr);
  EXPECT_EQ(aspect_colour(l.signals, 3, 10), (ColourTriple{255, 255, 255}));
  EXPECT_EQ(aspect_picture(l.signals, 0, 10).name, "");
  // Steps are clamped into 0 .. 1023.
  EXPECT_EQ(l.at(1, -7).lower_bound, 0);
  EXPECT_EQ(l.at(1, 5000).lower_bound, 76);
}

TEST(Map_SignalSetTests, ABandAboveTheFreeStepsIsSkipped) {
  Loaded l(kSets,
           "  1, 50, 900,  1,  1,  1,A,a.bmp\n"
           "  1, 60, 800,  2,  2,  2,B,b.bmp\n"  // 60 > 49: no step left for it
           "  1,  0,  50,  3,  3,  3,C,c.bmp\n",
           1220);
  EXPECT_EQ(l.aspects_written(),
            "  1, 50, 900,  1,  1,  1,A,a.bmp\n"
            "  1,  0,  50,  3,  3,  3,C,c.bmp\n");
  EXPECT_EQ(l.signals.pictures.size(), 3u);
}

TEST(Map_SignalSetTests, ANewSetNumberStartsAgainAtTheTopStep) {
  Loaded l(kSets,
           "  1,100,1023,  1,  1,  1,A,a.bmp\n"
           "  2,500,1023,  2,  2,  2,B,b.bmp\n"
           "  1,  0,1023,  3,  3,  3,C,c.bmp\n",
           1220);
  // Set 1 is filled again from step 1023 by its third line.
  EXPECT_EQ(l.at(1, 1023).lower_bound, 0);
  EXPECT_EQ(l.at(2, 1023).lower_bound, 500);
  EXPECT_FALSE(l.at(2, 499).defined);
}

TEST(Map_SignalSetTests, StepsNoLineCoversAreNotWrittenBack) {
  const std::string aspects = "  1, 10,1023,  0,255,  0,A,a.bmp\n";
  Loaded l(kSets, aspects, 1220);
  EXPECT_FALSE(l.at(1, 9).defined);
  EXPECT_EQ(aspect_colour(l.signals, 1, 9), (ColourTriple{255, 255, 255}));
  EXPECT_EQ(l.aspects_written(), aspects);
}

TEST(Map_SignalSetTests, ANegativeLowerBoundCoversStepZeroAndIsKept) {
  const std::string aspects = "  1, -5,1023,  0,255,  0,A,a.bmp\n";
  Loaded l(kSets, aspects, 1220);
  EXPECT_EQ(l.at(1, 0).lower_bound, -5);
  EXPECT_EQ(l.aspects_written(), aspects);

  // The smallest int as a bound must not wrap when the band below is sought.
  const std::string lowest = "  1,-2147483648,-2147483648,  0,255,  0,A,a.bmp\n";
  Loaded m(kSets, lowest + "  1,  0,   0,  1,  1,  1,B,b.bmp\n", 1220);
  EXPECT_EQ(m.at(1, 0).lower_bound, INT_MIN);
  EXPECT_EQ(m.aspects_written(), lowest);
}

TEST(Map_SignalSetTests, ASetOnlySignalCsvNamesIsCreated) {
  Loaded l(kSets, "  4,  0,1023,  0,255,  0,A,a.bmp\n", 1220);
  EXPECT_EQ(l.warnings, 0u);
  EXPECT_EQ(l.signals.sets.extent(), 4);
  EXPECT_EQ(l.at(4, 0).lower_bound, 0);
  EXPECT_EQ(l.sets_written(), kSets + "  3,  0,,\n  4,  0,,\n");
}

TEST(Map_SignalSetTests, SetNumbersOutsideOneTo999AreWarnedOnceAndSkipped) {
  Loaded l("  0,  0,X,\n1000,  0,Y,\n  1,  0,Z,\n",
           "  0,  0,1023,  1,  1,  1,A,a.bmp\n"
           "1000,  0,1023,  1,  1,  1,B,b.bmp\n"
           "  1,  0,1023,  1,  1,  1,C,c.bmp\n",
           1220);
  EXPECT_EQ(l.warnings, 2u);  // one per member
  EXPECT_EQ(l.signals.sets.extent(), 1);
  EXPECT_EQ(l.signals.sets[1].name, "Z");
  EXPECT_EQ(l.picture_name(1, 0), "C");
  EXPECT_EQ(l.signals.pictures.size(), 2u);
}

TEST(Map_SignalSetTests, LongNamesAreCutToTheirFields) {
  const std::string name = "X" + sj("あいうえおかきくけこ");  // 21 bytes
  const std::string file(300, 'f');
  Loaded l("  1,  0," + name + "," + std::string(260, 'd') + "\n",
           "  1,  0,1023,  1,  1,  1," + name + "," + file + "\n", 1220);
  EXPECT_EQ(l.warnings, 2u);
  EXPECT_EQ(l.signals.sets[1].name, "X" + sj("あいうえおかきくけ"));
  EXPECT_EQ(l.signals.sets[1].description, std::string(255, 'd'));
  EXPECT_EQ(l.picture_name(1, 0), "X" + sj("あいうえおかきくけ"));
  EXPECT_EQ(aspect_picture(l.signals, 1, 0).file, std::string(255, 'f'));
}

TEST(Map_SignalSetTests, ThePictureListGrowsPastOneHundredEntries) {
  std::string aspects;
  for (int set = 1; set <= 150; ++set) {
    aspects += format("%3d,  0,1023,  1,  2,  3,P%d,p%d.bmp\n", set, set, set);
  }
  Loaded l("", aspects, 1220);
  EXPECT_EQ(l.signals.pictures.size(), 151u);
  EXPECT_EQ(l.picture_name(150, 7), "P150");
  EXPECT_EQ(l.aspects_written(), aspects);
}

// ---- older layouts ---------------------------------------------------------

TEST(Map_SignalSetTests, Version1050HasOneFiveAspectSetWithFixedPictures) {
  // No set column, no second value, no texts; signal_set.csv is not read.
  Loaded l("  1,  0,IGNORED,\n  2,  0,IGNORED,\n",
           " 76,  0,255,  0\n"
           " 46,255,255,  0\n"
           " 26,255,128,  0\n"
           "  1,255, 64,  0\n"
           "  0,255,  0,  0\n",
           1050);
  EXPECT_EQ(l.warnings, 0u);
  ASSERT_EQ(l.signals.sets.extent(), 1);
  EXPECT_EQ(l.signals.sets[1].name, sj("５現示信号機"));
  struct Expect {
    int step;
    const char* name;
    const char* file;
  };
  for (const Expect& e :
       {Expect{0, "停止", "Signal__R__.bmp"}, Expect{1, "警戒", "SignalY__Y_.bmp"},
        Expect{25, "警戒", "SignalY__Y_.bmp"}, Expect{26, "注意", "Signal___Y_.bmp"},
        Expect{45, "注意", "Signal___Y_.bmp"}, Expect{46, "減速", "Signal_Y__G.bmp"},
        Expect{75, "減速", "Signal_Y__G.bmp"}, Expect{76, "進行", "Signal____G.bmp"},
        Expect{1023, "進行", "Signal____G.bmp"}}) {
    EXPECT_EQ(l.picture_name(1, e.step), sj(e.name)) << e.step;
    EXPECT_EQ(aspect_picture(l.signals, 1, e.step).file, e.file) << e.step;
  }
  // Written in the current layout; each second value is the lower bound of
  // the band above, 1023 for the first.
  EXPECT_EQ(l.sets_written(), "  1,  0," + sj("５現示信号機") + ",\n");
  EXPECT_EQ(l.aspects_written(),
            "  1, 76,1023,  0,255,  0," + sj("進行") + ",Signal____G.bmp\n" +
                "  1, 46,  76,255,255,  0," + sj("減速") + ",Signal_Y__G.bmp\n" +
                "  1, 26,  46,255,128,  0," + sj("注意") + ",Signal___Y_.bmp\n" +
                "  1,  1,  26,255, 64,  0," + sj("警戒") + ",SignalY__Y_.bmp\n" +
                "  1,  0,   1,255,  0,  0," + sj("停止") + ",Signal__R__.bmp\n");
}

TEST(Map_SignalSetTests, Version1100HasSetsButNoSecondValue) {
  Loaded l(kSets,
           "  1, 76,  0,255,  0,G,g.bmp\n"
           "  1,  0,255,  0,  0,R,r.bmp\n"
           "  2, 30,  0,  0,255,S,s.bmp\n"
           "  2,  0,  9,  9,  9,T,t.bmp\n",
           1100);
  EXPECT_EQ(l.warnings, 0u);
  EXPECT_EQ(l.sets_written(), kSets);
  EXPECT_EQ(l.aspects_written(),
            "  1, 76,1023,  0,255,  0,G,g.bmp\n"
            "  1,  0,  76,255,  0,  0,R,r.bmp\n"
            "  2, 30,1023,  0,  0,255,S,s.bmp\n"
            "  2,  0,  30,  9,  9,  9,T,t.bmp\n");
}

TEST(Map_SignalSetTests, Version1110AddsTheSecondValueColumn) {
  Loaded l(kSets, "  1,  0, 300,  1,  2,  3,A,a.bmp\n", 1110);
  EXPECT_EQ(l.at(1, 5).second_value, 300);
  EXPECT_EQ(aspect_colour(l.signals, 1, 5), (ColourTriple{1, 2, 3}));
}

TEST(Map_SignalSetTests, ReadingAgainRebuildsThePictureAndColourLists) {
  Loaded l(kSets, kAspects, 1220);
  MemberLoad again;
  again.read(read_signal, "  1,  0,1023,  1,  2,  3,A,a.bmp\n", 1220, l.signals);
  EXPECT_EQ(l.signals.pictures.size(), 2u);
  EXPECT_EQ(l.signals.colours.size(), 2u);
  EXPECT_FALSE(l.at(2, 0).defined);  // set 2's old aspects pointed into the old lists
  EXPECT_EQ(l.picture_name(1, 1023), "A");
}

}  // namespace
}  // namespace vosk::map
