#include <gtest/gtest.h>

#include "passenger_fixture.h"
#include "passengers/passenger_totals.h"

namespace vosk::testing {
namespace {

using passengers::pair_total;
using passengers::pair_total_with_fallback;
using passengers::station_total;

class Passengers_TotalsTests : public ::testing::Test, public PassengerLine {};

TEST_F(Passengers_TotalsTests, PairTotalIsTheIntegralOfTheHourlyCurve) {
  add_pair(1, 2, {{0, 0}, {28800, 100}, {36000, 0}, {100800, 0}});
  EXPECT_EQ(pair_total(list(), 1, 2), 500);
  // Other pairs and the reverse direction are apart.
  EXPECT_EQ(pair_total(list(), 2, 1), 0);
  EXPECT_EQ(pair_total(list(), 1, 1), 0);
}

TEST_F(Passengers_TotalsTests, EachSegmentIsTruncatedOnItsOwn) {
  // 1 per hour for 1 h on a rising edge: (0 + 1) × 3600 / 7200 = 0, twice.
  add_pair(1, 2, {{0, 0}, {3600, 1}, {7200, 0}, {100800, 0}});
  EXPECT_EQ(pair_total(list(), 1, 2), 0);
}

TEST_F(Passengers_TotalsTests, FallbackUsesTheEveryOtherProfileScaledByTheShare) {
  add_pair(1, 0, {{0, 0}, {28800, 100}, {36000, 0}, {100800, 0}});  // 500
  ds.map.stations[1].destination_share = {0, 0, 0, 250};
  EXPECT_EQ(pair_total_with_fallback(list(), ds.map.stations, 1, 3), 125);
  EXPECT_EQ(pair_total_with_fallback(list(), ds.map.stations, 1, 2), 0);  // no share
  EXPECT_EQ(pair_total(list(), 1, 3), 0);                                 // plain: none
  // A profile of its own wins, even a smaller one; an all-zero one does not.
  add_pair(1, 3, {{0, 0}, {36000, 20}, {43200, 0}, {100800, 0}});
  EXPECT_EQ(pair_total_with_fallback(list(), ds.map.stations, 1, 3), 120);
  add_pair(1, 4, {{0, 0}, {100800, 0}});
  ds.map.stations[1].destination_share = {0, 0, 0, 250, 1000};
  EXPECT_EQ(pair_total_with_fallback(list(), ds.map.stations, 1, 4), 500);
}

TEST_F(Passengers_TotalsTests, StationTotalCountsLeavingAndArrivingWithTheFallback) {
  add_pair(1, 2, {{0, 0}, {28800, 100}, {36000, 0}, {100800, 0}});  // 500
  add_pair(3, 1, {{0, 0}, {36000, 20}, {43200, 0}, {100800, 0}});   // 80
  add_pair(4, 0, {{0, 0}, {28800, 100}, {36000, 0}, {100800, 0}});  // 500 × 10 %
  ds.map.stations[4].destination_share = {0, 100};
  add_pair(2, 3, {{0, 0}, {28800, 100}, {36000, 0}, {100800, 0}});  // not at station 1
  EXPECT_EQ(station_total(list(), ds.map.stations, 1), 500 + 120 + 50);
  for (int s = 1; s <= 4; ++s) {
    long long by_pairs = 0;
    for (int o = 1; o <= 4; ++o) {
      by_pairs += pair_total_with_fallback(list(), ds.map.stations, s, o) +
                  pair_total_with_fallback(list(), ds.map.stations, o, s);
    }
    EXPECT_EQ(station_total(list(), ds.map.stations, s), by_pairs) << s;
  }
}

}  // namespace
}  // namespace vosk::testing
