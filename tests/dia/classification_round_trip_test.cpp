// Every classification member of a version-1220 data set read and written
// back byte for byte.
#include <gtest/gtest.h>

#include "classification_fixtures.h"
#include "dia/classification.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using classification_testing::round_trip;
using classification_testing::Warned;
using classification_testing::written;
using testing::sj;

constexpr int kCurrent = 1220;

std::string d_type_1220() {
  return sj(
      " 0,0,  0,  0,  0,  0,  0,,,,,,\n"
      " 1,1,  0,500,  0,  0,  0,普,普通,普通,,,\n"
      " 2,1,  1,250,255,  0, 64,快,快速,快速,x4,y5,\n"
      " 3,0,  3,1000, 12,200,  7,特,特急,特別急行列車,,予備,\n");
}

std::string d_mode_1220() {
  return sj(
      " 1,0,1,全駅\n"
      " 2,1,0,東海道（コピー）\n"
      " 3,0,0,\n");
}

std::string d_pattern_1220() {
  return sj(
      " 1,  7, 2,600,21600,快速 東京,快速 品川→東京 Ｅ２３１,\n"
      " 2, 12, 1,  0,  0,,,\n"
      " 3,1234, 0,3600,100800,A,B,\n");
}

std::string velocity_1220() {
  return sj(
      " 1, 1,120,標準,標準\n"
      " 2, 3, 95,貨,貨物列車\n"
      " 3,12,  0,,\n");
}

std::string require_time_1220() {
  return " 1, 12, 15, 0,01,30,2,\n"
         " 1, 15, 20, 0,02,05,3,\n"
         " 1,101,  7, 1,00,00,6,\n"
         " 3, 12, 15, 0,03,00,2,\n"
         " 3,1500,1499,30,59,59,4,\n";
}

std::string stop_time_1220() {
  return "  3,  0,0,  30, 0, 0,\n"
         "  0, 12,1, 120, 3, 0,\n"
         "  5,  0,0,   0, 0, 2,\n"
         "  0, 14,0,3600,14, 1,\n";
}

std::string passenger_1220() {
  return "  1,  2,   0, 0,00,00\n"
         "  1,  2, 150, 8,00,00\n"
         "  1,  2,   0,28,00,00\n"
         "  2,  0,12000, 7,30,15\n";
}

TEST(Dia_ClassificationRoundTripTests, TableMembersComeBackByteForByte) {
  Warned warned;
  EXPECT_EQ(
      (round_trip<TrainTypeTable>(d_type_1220(), kCurrent, read_d_type, write_d_type, warned)),
      d_type_1220());
  EXPECT_EQ(
      (round_trip<DisplayTargetTable>(d_mode_1220(), kCurrent, read_d_mode, write_d_mode, warned)),
      d_mode_1220());
  EXPECT_EQ((round_trip<PatternTable>(d_pattern_1220(), kCurrent, read_d_pattern, write_d_pattern,
                                      warned)),
            d_pattern_1220());
  EXPECT_EQ((round_trip<StopTimeList>(stop_time_1220(), kCurrent, read_stop_time, write_stop_time,
                                      warned)),
            stop_time_1220());
  EXPECT_EQ((round_trip<PassengerList>(passenger_1220(), kCurrent, read_passenger, write_passenger,
                                       warned)),
            passenger_1220());
  EXPECT_EQ(warned.prompt.count(), 0u);
}

TEST(Dia_ClassificationRoundTripTests, SpeedTypesAndTheirRunningTimesComeBack) {
  Warned warned;
  SpeedTypeTable speed_types;
  read_velocity(velocity_1220(), kCurrent, speed_types, warned.warnings);
  read_require_time(require_time_1220(), kCurrent, speed_types, warned.warnings);
  EXPECT_EQ(written(speed_types, write_velocity), velocity_1220());
  EXPECT_EQ(written(speed_types, write_require_time), require_time_1220());
  EXPECT_EQ(warned.prompt.count(), 0u);

  EXPECT_EQ(speed_types[1].running_times.size(), 3u);
  EXPECT_TRUE(speed_types[2].running_times.empty());
  EXPECT_EQ(standard_running_time(speed_types, 101, 7, 6, 1), 3600);
  EXPECT_EQ(standard_running_time(speed_types, 1500, 1499, 4, 3), 30 * 3600 + 59 * 60 + 59);
}

TEST(Dia_ClassificationRoundTripTests, FieldsLandWhereTheyBelong) {
  Warned warned;
  TrainTypeTable types;
  read_d_type(d_type_1220(), kCurrent, types, warned.warnings);
  ASSERT_EQ(types.extent(), 3);
  EXPECT_EQ(types[2].line_style, kDashed);
  EXPECT_EQ(types[2].line_width, 250);
  EXPECT_EQ(types[2].red, 255);
  EXPECT_EQ(types[2].blue, 64);
  EXPECT_EQ(types[2].text_4, "x4");
  EXPECT_EQ(types[3].name, sj("特別急行列車"));
  EXPECT_EQ(types[3].text_5, sj("予備"));

  PatternTable patterns;
  read_d_pattern(d_pattern_1220(), kCurrent, patterns, warned.warnings);
  EXPECT_EQ(patterns[1].template_diagram, 7);
  EXPECT_EQ(patterns[1].next_pattern, 2);
  EXPECT_EQ(patterns[1].interval, 600);
  EXPECT_EQ(patterns[1].base_time, 21600);
  EXPECT_EQ(patterns[1].name, sj("快速 品川→東京 Ｅ２３１"));

  PassengerList flows;
  read_passenger(passenger_1220(), kCurrent, flows, warned.warnings);
  ASSERT_EQ(flows.size(), 4u);
  EXPECT_EQ(flows[1].count, 150);
  EXPECT_EQ(flows[1].time, 28800);
  EXPECT_EQ(flows[2].time, 100800);
  EXPECT_EQ(flows[3].to_station, 0);
  EXPECT_EQ(flows[3].time, 7 * 3600 + 30 * 60 + 15);
}

TEST(Dia_ClassificationRoundTripTests, MemberListReadsAndWritesInBundleOrder) {
  const std::pair<const char*, std::string> fixture[] = {
      {"d_pattern.csv", d_pattern_1220()},
      {"d_type.csv", d_type_1220()},
      {"d_mode.csv", d_mode_1220()},
      {"velocity.csv", velocity_1220()},
      {"require_time.csv", require_time_1220()},
      {"stop_time.csv", stop_time_1220()},
      {"passenger.csv", passenger_1220()},
  };
  auto members = classification_members();
  ASSERT_EQ(members.size(), std::size(fixture));
  Warned warned;
  ClassificationTables tables;
  for (std::size_t k = 0; k < members.size(); ++k) {
    ASSERT_STREQ(members[k].name, fixture[k].first);
    members[k].read(fixture[k].second, kCurrent, tables, warned.warnings);
  }
  for (std::size_t k = 0; k < members.size(); ++k) {
    csv::Writer out;
    members[k].write(tables, out);
    EXPECT_EQ(out.str(), fixture[k].second) << members[k].name;
  }
  EXPECT_EQ(warned.prompt.count(), 0u);
}

TEST(Dia_ClassificationRoundTripTests, NewDiaTablesWriteTheirDefaults) {
  ClassificationTables t = new_classification_tables(130);
  EXPECT_EQ(written(t.display_targets, write_d_mode), " 1,0,1," + sj("全駅") + "\n");
  EXPECT_EQ(written(t.speed_types, write_velocity), " 1, 1,130," + sj("標準,標準") + "\n");
  EXPECT_EQ(written(t.patterns, write_d_pattern), "");
  EXPECT_EQ(written(t.stop_times, write_stop_time), "");
  EXPECT_EQ(written(t.speed_types, write_require_time), "");
  EXPECT_EQ(t.train_types.extent(), 17);
}

TEST(Dia_ClassificationRoundTripTests, GapsAreWrittenAsEmptyRecords) {
  Warned warned;
  TrainTypeTable types;
  read_d_type(" 2,1,  0,500,  0,  0,  0,a,b,c,,,\n", kCurrent, types, warned.warnings);
  EXPECT_EQ(written(types, write_d_type),
            " 0,0,  0,  0,  0,  0,  0,,,,,,\n"
            " 1,0,  0,  0,  0,  0,  0,,,,,,\n"
            " 2,1,  0,500,  0,  0,  0,a,b,c,,,\n");
  DisplayTargetTable modes;
  read_d_mode(" 3,1,0,c\n", kCurrent, modes, warned.warnings);
  EXPECT_EQ(written(modes, write_d_mode), " 1,0,0,\n 2,0,0,\n 3,1,0,c\n");
}

}  // namespace
}  // namespace vosk::dia
