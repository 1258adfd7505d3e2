#include "dia/passenger.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "classification_fixtures.h"

namespace vosk::dia {
namespace {

using classification_testing::Warned;
using classification_testing::written;

struct Point {
  int time;
  int count;
  bool operator==(const Point&) const = default;
};

std::vector<Point> profile(const PassengerList& list, int from, int to) {
  std::vector<Point> points;
  for (const PassengerFlow& e : list) {
    if (e.from_station == from && e.to_station == to) points.push_back({e.time, e.count});
  }
  return points;
}

TEST(Dia_PassengerTests, ANewPairGetsItsTwoEnds) {
  PassengerList list;
  ASSERT_TRUE(set_passenger_count(list, 1, 2, 28800, 150));
  EXPECT_EQ(profile(list, 1, 2), (std::vector<Point>{{0, 0}, {28800, 150}, {100800, 0}}));
  EXPECT_EQ(written(list, write_passenger),
            "  1,  2,   0, 0,00,00\n"
            "  1,  2, 150, 8,00,00\n"
            "  1,  2,   0,28,00,00\n");
}

TEST(Dia_PassengerTests, ANewPairAtAnEndSetsThatEnd) {
  PassengerList list;
  ASSERT_TRUE(set_passenger_count(list, 1, 2, 0, 30));
  ASSERT_TRUE(set_passenger_count(list, 2, 1, 100800, 40));
  EXPECT_EQ(profile(list, 1, 2), (std::vector<Point>{{0, 30}, {100800, 0}}));
  EXPECT_EQ(profile(list, 2, 1), (std::vector<Point>{{0, 0}, {100800, 40}}));
}

TEST(Dia_PassengerTests, InsertsBeforeTheFirstLaterTimeAndReplacesTheSameTime) {
  PassengerList list;
  set_passenger_count(list, 1, 2, 28800, 150);
  ASSERT_TRUE(set_passenger_count(list, 1, 2, 36000, 80));
  ASSERT_TRUE(set_passenger_count(list, 1, 2, 21600, 20));
  ASSERT_TRUE(set_passenger_count(list, 1, 2, 28800, 170));
  EXPECT_EQ(profile(list, 1, 2),
            (std::vector<Point>{{0, 0}, {21600, 20}, {28800, 170}, {36000, 80}, {100800, 0}}));
  EXPECT_EQ(list.size(), 5u);
}

TEST(Dia_PassengerTests, PairsStayInOrder) {
  PassengerList list;
  set_passenger_count(list, 3, 1, 3600, 5);
  set_passenger_count(list, 1, 2, 3600, 6);
  set_passenger_count(list, 2, 0, 3600, 7);
  set_passenger_count(list, 1, 0, 3600, 8);
  ASSERT_EQ(list.size(), 12u);
  for (std::size_t k = 1; k < list.size(); ++k) {
    const PassengerFlow& a = list[k - 1];
    const PassengerFlow& b = list[k];
    EXPECT_LE(std::tie(a.from_station, a.to_station, a.time),
              std::tie(b.from_station, b.to_station, b.time));
  }
}

TEST(Dia_PassengerTests, RefusesWhatTheListCannotHold) {
  PassengerList list;
  EXPECT_FALSE(set_passenger_count(list, 0, 2, 3600, 5));
  EXPECT_FALSE(set_passenger_count(list, 1, 2, -1, 5));
  EXPECT_FALSE(set_passenger_count(list, 1, 2, 100801, 5));
  EXPECT_TRUE(list.empty());
}

TEST(Dia_PassengerTests, ScalingTruncates) {
  PassengerList list;
  set_passenger_count(list, 1, 2, 28800, 100);
  set_passenger_count(list, 2, 1, 28800, 100);
  scale_passenger_pair(list, 1, 2, 1.05);
  EXPECT_EQ(profile(list, 1, 2)[1].count, 105);
  scale_passenger_pair(list, 1, 2, 0.9523809523809523);  // the window's "－"
  EXPECT_EQ(profile(list, 1, 2)[1].count, 99);
  EXPECT_EQ(profile(list, 2, 1)[1].count, 100);  // other pairs untouched
  scale_passenger_pair(list, 2, 1, 2.0);         // exact products stay as they are
  EXPECT_EQ(profile(list, 2, 1)[1].count, 200);
  list[1].count = -105;
  scale_passenger_pair(list, 1, 2, 0.9523809523809523);
  EXPECT_EQ(list[1].count, -99);  // toward zero
  list[1].count = 2147483000;
  scale_passenger_pair(list, 1, 2, 1.05);
  EXPECT_EQ(list[1].count, 2147483647);
}

TEST(Dia_PassengerTests, ReadingSkipsEndLinesAndOldVersionsHaveNone) {
  Warned warned;
  PassengerList list;
  read_passenger("  1,  2,  10, 8,00,00\n  0,  0,   0, 0,00,00\n  2,  1,  20, 9,30,00\n", 1220,
                 list, warned.warnings);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].time, 34200);
  EXPECT_EQ(list[1].count, 20);
  read_passenger("  1,  2,  10, 8,00,00\n", 33, list, warned.warnings);
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace vosk::dia
