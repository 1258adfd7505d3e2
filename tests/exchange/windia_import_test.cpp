// Reading WinDIA files: sections, fields, the map built for them, and files
// written by other programs.
#include <gtest/gtest.h>

#include "dia/running_time.h"
#include "dia/speed_type.h"
#include "windia_fixture.h"

namespace vosk::exchange {
namespace {

using testing::cp;
using testing::small_windia_file;

std::vector<dia::DiaEvent> events_of(const datafiles::DataSet& ds, int n) {
  return ds.dia.diagrams[n].events;
}

constexpr int hm(int h, int m) { return h * 3600 + m * 60; }

TEST(Exchange_ImportTests, ReadsStationsTypesAndTrains) {
  const WindiaImport in = import_windia(small_windia_file());
  const datafiles::DataSet& ds = in.data;
  EXPECT_TRUE(in.warnings.empty());
  EXPECT_EQ(ds.header.dia.dia_title, cp("テスト"));
  EXPECT_EQ(ds.header.wdia_mode, 1);

  ASSERT_EQ(ds.map.stations.extent(), 3);
  EXPECT_EQ(ds.map.stations[1].scale, map::kMajor);
  EXPECT_EQ(ds.map.stations[2].scale, map::kStaffed);
  EXPECT_EQ(ds.map.targets[3].time_display, 1);
  EXPECT_EQ(ds.map.targets[1].time_display, 0);
  EXPECT_EQ(ds.map.stations[2].name, "B");
  ASSERT_EQ(ds.map.rails.extent(), 6);
  EXPECT_EQ(ds.map.rails[5].direction, 1);
  EXPECT_EQ(ds.map.rails[6].direction, 2);
  EXPECT_EQ(ds.map.rails[6].target, 3);
  EXPECT_EQ(ds.map.rails[6].length, 100);
  ASSERT_EQ(ds.classification.display_targets.extent(), 1);
  EXPECT_EQ(ds.classification.display_targets[1].is_protected, 1);

  const auto& types = ds.classification.train_types;
  EXPECT_EQ(types.extent(), 17);
  EXPECT_EQ(types[1].name, cp("普通"));
  EXPECT_EQ(types[2].short_name, cp("回"));
  EXPECT_EQ(types[1].red, 255);
  EXPECT_EQ(types[2].line_style, dia::kDotted);
  EXPECT_EQ(types[2].blue, 255);

  ASSERT_EQ(ds.dia.diagrams.extent(), 2);
  const dia::Diagram& down = ds.dia.diagrams[1];
  EXPECT_EQ(down.direction, 2);
  EXPECT_EQ(down.train_type, 1);
  EXPECT_EQ(down.speed_type, 1);
  EXPECT_EQ(down.train_number, "101");
  const std::vector<dia::DiaEvent> down_events{{2, hm(6, 0), dia::kEventStop},
                                               {4, hm(7, 0), dia::kEventArrival},
                                               {4, hm(7, 10), dia::kEventStop},
                                               {6, hm(8, 0), dia::kEventArrival},
                                               {6, hm(8, 0), dia::kEventEnd}};
  EXPECT_EQ(events_of(ds, 1), down_events);

  const dia::Diagram& up = ds.dia.diagrams[2];
  EXPECT_EQ(up.direction, 1);
  EXPECT_EQ(up.train_type, 2);
  EXPECT_EQ(up.nickname, "nick");
  EXPECT_EQ(up.car_number, 3);
  // Walked from the last station to the first, on the odd rails.
  const std::vector<dia::DiaEvent> up_events{{5, hm(9, 0), dia::kEventStop},
                                             {3, 0, dia::kEventPass},
                                             {1, hm(9, 30), dia::kEventArrival},
                                             {1, hm(9, 30), dia::kEventEnd}};
  EXPECT_EQ(events_of(ds, 2), up_events);
}

TEST(Exchange_ImportTests, LearnsRunningTimesAndSpacesTheStations) {
  const datafiles::DataSet ds = import_windia(small_windia_file()).data;
  const auto& speed = ds.classification.speed_types;
  EXPECT_EQ(dia::standard_running_time(speed, 2, 4, dia::kEventArrival, 1), 3600);
  EXPECT_EQ(dia::standard_running_time(speed, 4, 6, dia::kEventArrival, 1), 3000);
  // The untimed pass at B is skipped: C to A directly.
  EXPECT_EQ(dia::standard_running_time(speed, 5, 1, dia::kEventArrival, 1), 1800);
  // A at 2000; B one hour at 60 km/h further, C 50 minutes beyond B.
  EXPECT_EQ(ds.map.targets[1].distances[0], 2000);
  EXPECT_EQ(ds.map.targets[2].distances[0], 2000 + 60000);
  EXPECT_EQ(ds.map.targets[3].distances[9], 2000 + 60000 + 50000);
}

TEST(Exchange_ImportTests, QuickerRunKeepsTheShorterTime) {
  const std::string file =
      cp("[駅]\n,A\n,B\n\n[下り]\n0,1,,0,600,610\n0,2,,0,700,705\n"
         "0,3,,0,800,830\n");
  const datafiles::DataSet ds = import_windia(file).data;
  EXPECT_EQ(dia::standard_running_time(ds.classification.speed_types, 2, 4, dia::kEventStop, 1),
            300);
  EXPECT_EQ(ds.map.targets[2].distances[0], 2000 + 5000);
}

TEST(Exchange_ImportTests, StationsPassedWithoutTimeKeepTheirOrder) {
  // A to C in one minute: C would lie 1000 beyond A, and B before A.
  const datafiles::DataSet ds =
      import_windia(cp("[駅]\n,A\n,B\n,C\n\n[下り]\n0,1,,0,600,-,601\n")).data;
  const auto& t = ds.map.targets;
  EXPECT_LT(t[1].distances[0], t[2].distances[0]);
  EXPECT_LT(t[2].distances[0], t[3].distances[0]);
}

TEST(Exchange_ImportTests, LateTimesMovePastMidnight) {
  const std::string file =
      cp("[駅]\n,A\n,B\n,C\n\n[下り]\n0,1,,0,2350,110,2510\n\n[上り]\n0,2,,0,30,,2340\n");
  const datafiles::DataSet ds = import_windia(file).data;
  const auto& down = ds.dia.diagrams[1].events;
  EXPECT_EQ(down[0].time, hm(23, 50));
  EXPECT_EQ(down[1].time, hm(25, 10));
  EXPECT_EQ(down[2].time, hm(25, 10));
  const auto& up = ds.dia.diagrams[2].events;
  EXPECT_EQ(up[0].time, hm(23, 40));
  EXPECT_EQ(up[1].time, hm(24, 30));
}

TEST(Exchange_ImportTests, PassesWithTimeAndDeparturesAfterTheSlash) {
  const std::string file = cp("[駅]\n,A\n,B\n,C\n\n[下り]\n0,1,,0,600,605?,610/612\n");
  const datafiles::DataSet ds = import_windia(file).data;
  const std::vector<dia::DiaEvent> expected{{2, hm(6, 0), dia::kEventStop},
                                            {4, hm(6, 5), dia::kEventPass},
                                            {6, hm(6, 10), dia::kEventArrival},
                                            {6, hm(6, 12), dia::kEventStop},
                                            {6, hm(6, 12), dia::kEventEnd}};
  EXPECT_EQ(ds.dia.diagrams[1].events, expected);
}

TEST(Exchange_ImportTests, ReadsFilesOfOtherWriters) {
  // LF only, no final newline, an unknown section, digits followed by text,
  // remarks with commas, a continued line, several blank lines.
  const std::string file =
      cp("junk before any section\n"
         "[WinDIA]\nT\n\n\n"
         "[Extra]\nLINES=99\n,Z\n\n"
         "[駅]\n,A\n,B\n,C\n\n\n"
         "[下り]\n"
         "0,1,,0,600abc,\\\n"
         "x,610,620\n"
         "\t%note, with, commas\n"
         "0,2,,0,700,710");
  const WindiaImport in = import_windia(file);
  const datafiles::DataSet& ds = in.data;
  EXPECT_TRUE(in.warnings.empty());
  EXPECT_EQ(ds.header.dia.dia_title, "T");
  EXPECT_EQ(ds.map.stations.extent(), 3);
  // The LINES line of the unknown section changed nothing.
  EXPECT_EQ(ds.classification.train_types[1].red, dia::default_train_types()[1].red);
  EXPECT_EQ(ds.classification.train_types[1].line_width, dia::default_train_types()[1].line_width);
  EXPECT_EQ(ds.classification.train_types[1].line_style, dia::default_train_types()[1].line_style);
  ASSERT_EQ(ds.dia.diagrams.extent(), 2);
  const dia::Diagram& first = ds.dia.diagrams[1];
  EXPECT_EQ(first.remarks, "note, with, commas");
  ASSERT_EQ(first.event_count(), 3u);
  EXPECT_EQ(first.events[0].time, hm(6, 0));
  EXPECT_EQ(first.events[2].rail, 6);
  EXPECT_EQ(first.events[2].time, hm(6, 20));
  EXPECT_EQ(ds.dia.diagrams[2].events[1].time, hm(7, 10));
}

TEST(Exchange_ImportTests, MalformedTimeIsReportedWithItsLine) {
  const std::string file = cp("[駅]\n,A\n,B\n,C\n\n[下り]\n0,1,,0,600,6x5,abc,620\n");
  const WindiaImport in = import_windia(file);
  ASSERT_EQ(in.warnings.size(), 1u);
  EXPECT_NE(in.warnings[0].find("line 7"), std::string::npos) << in.warnings[0];
  EXPECT_NE(in.warnings[0].find("abc"), std::string::npos);
  // 6x5 reads as 0:06; the bad field is skipped.
  EXPECT_EQ(in.data.dia.diagrams[1].event_count(), 2u);
}

TEST(Exchange_ImportTests, LongTextsAreCutAtACharacterWithOneWarning) {
  // 11 double-byte characters: 22 bytes for a 20-byte train number.
  const std::string number = cp("あいうえおかきくけこさ");
  const std::string nickname(70, 'n');
  const std::string file =
      cp("[駅]\n,A\n,B\n\n[下り]\n0,") + number + "," + nickname + ",0,600,610\n";
  const WindiaImport in = import_windia(file);
  const dia::Diagram& d = in.data.dia.diagrams[1];
  EXPECT_EQ(d.train_number, number.substr(0, 20));
  EXPECT_EQ(d.nickname.size(), 63u);
  ASSERT_EQ(in.warnings.size(), 1u);
  EXPECT_NE(in.warnings[0].find("あいうえおかきくけこ"), std::string::npos) << in.warnings[0];

  const std::string odd = cp("aあいうえおかきくけこ");  // 21 bytes
  const WindiaImport cut = import_windia(cp("[駅]\n,A\n,B\n\n[下り]\n0,") + odd + ",,0,600,610\n");
  EXPECT_EQ(cut.data.dia.diagrams[1].train_number, odd.substr(0, 19));
}

TEST(Exchange_ImportTests, DamagedFilesDoNotCrash) {
  const std::string files[] = {
      "",
      "[WinDIA]",
      cp("[下り]\n0,1,,0,600,700\n\t%remark only\n"),
      cp("[駅]\n,A\n\n[下り]\n\\\n,\\\n\t%\n,,,,,,,,,,,,,,,,,600,700\n"),
      cp("[線種]\nLINES=\nTrain=,\nTrain99=x\nLINES=1,2\n"),
      std::string("\x81\n[\x89", 5),
  };
  for (const std::string& file : files) {
    const WindiaImport in = import_windia(file);
    EXPECT_EQ(in.data.header.wdia_mode, 1);
  }
  EXPECT_EQ(import_windia(files[4]).data.classification.train_types.extent(), 2);
}

}  // namespace
}  // namespace vosk::exchange
