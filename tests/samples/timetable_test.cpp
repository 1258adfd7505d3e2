#include "samples/timetable.h"

#include <gtest/gtest.h>

#include <map>

#include "samples/stabling.h"

namespace vosk::samples {
namespace {

constexpr int kHour = 3600;

ServiceShape local_shape() {
  ServiceShape s;
  s.service = Service::Local;
  s.down_duration = 1800;
  s.up_duration = 1740;
  s.west_turnback = 300;
  s.east_turnback = 240;
  s.first = 5 * kHour;
  s.last = 24 * kHour;
  s.shortest_interval = 600;
  return s;
}

// ---- Circulation ----

TEST(Datafiles_SampleTimetableTests, SetsCirculateAtTheIntervalWithLayoversShorterThanIt) {
  const ServiceShape shape = local_shape();
  const int interval = 900;
  const std::vector<Trip> trips = plan_service(shape, interval);
  ASSERT_FALSE(trips.empty());
  std::map<bool, std::vector<int>> departures;
  std::vector<int> predecessors(trips.size(), 0);
  for (const Trip& t : trips) {
    departures[t.down].push_back(t.depart);
    EXPECT_EQ(t.arrive - t.depart, t.down ? shape.down_duration : shape.up_duration);
    EXPECT_LE(t.arrive, kLastArrival);
    EXPECT_GE(t.depart, shape.first);
    EXPECT_LE(t.depart, shape.last);
    if (t.next < 0) continue;
    ++predecessors[static_cast<std::size_t>(t.next)];
    const Trip& next = trips[static_cast<std::size_t>(t.next)];
    // Back from where it arrived, after the turnback time of that end but
    // before the service's next train comes in.
    EXPECT_EQ(next.origin, t.destination);
    EXPECT_NE(next.down, t.down);
    const int layover = next.depart - t.arrive;
    EXPECT_GE(layover, t.down ? shape.east_turnback : shape.west_turnback);
    EXPECT_LT(layover, interval);
  }
  for (std::size_t i = 0; i < trips.size(); ++i) {
    EXPECT_LE(predecessors[i], 1);
    EXPECT_EQ(trips[i].continues, predecessors[i] == 1) << i;
  }
  for (auto& [down, times] : departures) {
    for (std::size_t k = 1; k < times.size(); ++k) EXPECT_EQ(times[k] - times[k - 1], interval);
  }
  EXPECT_EQ(departures[true].front(), shape.first);
  // Both directions start early: sets also stand at the east end at dawn.
  EXPECT_LT(departures[false].front(), shape.first + interval);
  EXPECT_GT(departures[false].size() + 2, departures[true].size());
}

TEST(Datafiles_SampleTimetableTests, IntervalsNeverFallBelowTheShortestAndShiftMovesEveryTrip) {
  const ServiceShape shape = local_shape();
  EXPECT_EQ(interval_for(shape, 100000), 600);
  // 19 hours for 20 departures: a whole number of minutes, at least that many.
  const int interval = interval_for(shape, 20);
  EXPECT_EQ(interval % 60, 0);
  EXPECT_GE(plan_service(shape, interval).size(), 38u);
  EXPECT_EQ(most_trips_per_direction(shape), 19 * 6 + 1);

  const std::vector<Trip> plain = plan_service(shape, 900);
  const std::vector<Trip> shifted = plan_service(shape, 900, 300);
  std::map<bool, int> first_plain;
  for (const Trip& t : plain) first_plain.emplace(t.down, t.depart);
  for (const Trip& t : shifted) {
    // Five minutes after a departure of the unshifted plan, either way.
    EXPECT_EQ(((t.depart - first_plain[t.down]) % 900 + 900) % 900, 300) << t.depart;
  }
  EXPECT_EQ(shifted.front().depart, shape.first + 300);
}

TEST(Datafiles_SampleTimetableTests, SpareTimeIsSpentWhereTheShapeAsks) {
  ServiceShape shape = local_shape();
  shape.west_spare = 0;
  const std::vector<Trip> trips = plan_service(shape, 900);
  bool checked = false;
  for (const Trip& t : trips) {
    if (t.next < 0 || t.down) continue;
    // Up trips arrive at the west end: no spare time there.
    EXPECT_EQ(trips[static_cast<std::size_t>(t.next)].depart - t.arrive, shape.west_turnback);
    checked = true;
  }
  EXPECT_TRUE(checked);
}

// ---- Terminal platforms ----

TEST(Datafiles_SampleTimetableTests, PlatformsAreSharedOutWithoutOverlapWhileTheyLast) {
  std::vector<Trip> trips(5);
  std::vector<TerminalStay> stays = {
      {0, 100, 0, -1},    // trip 0 leaves from the terminal
      {50, 150, 1, 2},    // trip 2 arrives, trip 1 leaves on the same platform
      {120, 200, 3, -1},  // the first platform is free again
  };
  EXPECT_EQ(share_out_platforms(stays, {10, 20}, trips), 0);
  EXPECT_NE(trips[0].from, trips[1].from);
  EXPECT_EQ(trips[1].from, trips[2].to);
  EXPECT_EQ(trips[3].from, trips[0].from);

  // A platform is still held at the very second the next stay begins.
  stays.push_back({150, 160, 4, -1});
  EXPECT_EQ(share_out_platforms(stays, {10, 20}, trips), 1);
}

// ---- Stabling ----

// A final trip (no next) of the locals leaving at `depart`, stopping at
// tracks 1.. in turn, 100 s apart with 30 s stops.
Trip last_trip(int depart, std::vector<std::vector<TripStop>>& stops, int count = 4) {
  Trip t;
  t.depart = depart;
  t.arrive = depart + 100 * (count + 1);
  std::vector<TripStop> along;
  for (int k = 1; k <= count; ++k) {
    along.push_back({2 * k, k, depart + 100 * k - 30, depart + 100 * k});
  }
  stops.push_back(along);
  return t;
}

TEST(Datafiles_SampleStablingTests, EachSetGetsItsOwnPlatformAndNoLaterTrainStopsThere) {
  std::vector<std::vector<TripStop>> stops;
  std::vector<Trip> trips;
  for (int depart : {1000, 2000, 3000}) trips.push_back(last_trip(depart, stops, 8));
  stable_along_the_line(trips, stops);
  std::map<int, int> stabled_at;  // track -> arrival
  for (std::size_t i = 0; i < trips.size(); ++i) {
    ASSERT_GE(trips[i].last_stop, 0) << i;
    const TripStop* at = nullptr;
    for (const TripStop& s : stops[i]) {
      if (s.event == trips[i].last_stop) at = &s;
    }
    ASSERT_NE(at, nullptr);
    EXPECT_EQ(trips[i].arrive, at->arrival);
    EXPECT_TRUE(stabled_at.emplace(at->track, at->arrival).second) << "two sets on one platform";
  }
  // The latest stables nearest its origin, so the earlier ones run past it.
  EXPECT_LT(trips[2].last_stop, trips[1].last_stop);
  EXPECT_LT(trips[1].last_stop, trips[0].last_stop);
  for (std::size_t i = 0; i < trips.size(); ++i) {
    for (const TripStop& s : stops[i]) {
      if (s.event > trips[i].last_stop) continue;
      auto stabled = stabled_at.find(s.track);
      if (stabled != stabled_at.end() && s.event != trips[i].last_stop) {
        EXPECT_LT(s.departure, stabled->second) << "trip " << i << " stops on a stabled set";
      }
    }
  }
}

TEST(Datafiles_SampleStablingTests, PlatformsOtherTrainsUseLaterAreLeftAlone) {
  std::vector<std::vector<TripStop>> stops;
  std::vector<Trip> trips{last_trip(1000, stops)};
  // A train that runs on later stops on tracks 1 to 3.
  Trip later = last_trip(5000, stops, 3);
  later.next = 0;
  trips.push_back(later);
  stable_along_the_line(trips, stops);
  EXPECT_EQ(trips[0].last_stop, 8);  // track 4, the only one free
  EXPECT_EQ(trips[1].last_stop, -1);  // it runs on: not a last trip
}

TEST(Datafiles_SampleStablingTests, ASetWithNowhereToStableRunsToItsTerminal) {
  std::vector<std::vector<TripStop>> stops;
  std::vector<Trip> trips{last_trip(1000, stops)};
  Trip later = last_trip(5000, stops);
  later.next = 0;
  trips.push_back(later);
  const int arrive = trips[0].arrive;
  stable_along_the_line(trips, stops);
  EXPECT_EQ(trips[0].last_stop, -1);
  EXPECT_EQ(trips[0].arrive, arrive);
}

}  // namespace
}  // namespace vosk::samples
