// The passenger connection search: direct journeys, feeders, the order of
// the operating day, the runs it leaves out and its progress texts; and a
// comparison with a plain transcription of the search on random dias.
#include "dia/connection_search.h"

#include <gtest/gtest.h>

#include <random>

#include "base/time_text.h"

#include "route_world.h"

namespace vosk::dia {
namespace {

using route_testing::kLeft;
using route_testing::kRight;
using route_testing::RouteWorld;

struct RecordingProgress : Progress {
  std::vector<std::string> lines;
  void report(const std::string& text) override { lines.push_back(text); }
};

constexpr int kLocal = 1;   // 普通: carries passengers
constexpr int kEmpty = 15;  // 回送: no passengers

constexpr int hms(int h, int m, int s = 0) { return h * 3600 + m * 60 + s; }

// Stations A, B, C, D (targets 1 to 4) on a line, each with a platform per
// direction.
class Dia_ConnectionSearchTests : public ::testing::Test {
 protected:
  Dia_ConnectionSearchTests() {
    for (const char* name : {"A", "B", "C", "D"}) {
      int t = w.add_station(name);
      right.push_back(w.add_platform(kRight, t));
      left.push_back(w.add_platform(kLeft, t, w.rails[right.back()].l_pack));
    }
    w.context();
  }
  // A rightward run: (station index, time, type) per event.
  int run(std::vector<std::tuple<int, int, int>> stops, int type = kLocal, int direction = kRight) {
    std::vector<DiaEvent> events;
    for (auto [k, time, event_type] : stops) {
      int rail = direction == kRight ? right[static_cast<std::size_t>(k)]
                                     : left[static_cast<std::size_t>(k)];
      events.push_back({rail, time, event_type});
    }
    int n = w.add_run_events(events, direction);
    w.dia.diagrams[n].train_type = type;
    return n;
  }
  std::vector<Journey> search(int from, int to) {
    return search_connections(w.dia, w.timing(), from, to, progress);
  }
  const DiagramRunState& marks(int n) const { return w.dia.diagrams[n].run; }

  RouteWorld w;
  std::vector<int> right, left;
  RecordingProgress progress;
  static constexpr int A = 1, B = 2, C = 3, D = 4;
};

TEST_F(Dia_ConnectionSearchTests, FeederGivesALaterDepartureForTheSameArrival) {
  int slow = run({{0, hms(10, 0), kEventStop},
                  {1, hms(10, 10), kEventStop},
                  {2, hms(10, 20), kEventStop},
                  {3, hms(10, 30), kEventArrival}});
  int rapid = run({{0, hms(10, 5), kEventStop},
                   {1, hms(10, 11), kEventPass},
                   {2, hms(10, 18), kEventStop},
                   {3, hms(10, 25), kEventArrival}});
  int feeder = run({{0, hms(10, 8), kEventStop},
                    {1, hms(10, 11, 30), kEventPass},
                    {2, hms(10, 15), kEventArrival}});

  std::vector<Journey> journeys = search(A, D);
  ASSERT_EQ(journeys.size(), 1u);
  EXPECT_EQ(journeys[0].departure, hms(10, 8));
  EXPECT_EQ(journeys[0].arrival, hms(10, 25));
  EXPECT_EQ(journeys[0].legs, (std::vector<JourneyLeg>{{feeder, A, C}, {rapid, C, D}}));

  EXPECT_EQ(marks(rapid).search_kind, kSearchLastLeg);
  EXPECT_EQ(marks(rapid).search_from_target, C);
  EXPECT_EQ(marks(rapid).search_to_target, D);
  EXPECT_EQ(marks(rapid).search_best_time, hms(10, 8));
  EXPECT_EQ(marks(feeder).search_kind, kSearchFeeder);
  EXPECT_EQ(marks(feeder).search_from_target, A);
  EXPECT_EQ(marks(feeder).search_to_target, C);
  // Departs before the best journey and arrives after it.
  EXPECT_EQ(marks(slow).search_kind, kSearchUnmarked);

  EXPECT_EQ(progress.lines, (std::vector<std::string>{
                                "経路探索中　（探索範囲：A発 0:00:00－D着 0:00:00）",
                                "経路探索中　（探索範囲：A発10:08:00－D着10:25:00）",
                                "経路探索中　（探索範囲：A発10:08:00－D着10:30:00）", "探索終了"}));
}

TEST_F(Dia_ConnectionSearchTests, FeedersChainOverSeveralTransfers) {
  int last = run({{0, hms(10, 0), kEventStop},
                  {1, hms(10, 12), kEventPass},
                  {2, hms(10, 30), kEventStop},
                  {3, hms(10, 40), kEventArrival}});
  int second = run({{1, hms(10, 15), kEventStop}, {2, hms(10, 25), kEventArrival}});
  int first = run({{0, hms(10, 5), kEventStop}, {1, hms(10, 10), kEventArrival}});
  // Too late for the second run at B.
  int late = run({{0, hms(10, 9), kEventStop}, {1, hms(10, 16), kEventArrival}});

  std::vector<Journey> journeys = search(A, D);
  ASSERT_EQ(journeys.size(), 1u);
  EXPECT_EQ(journeys[0].departure, hms(10, 5));
  EXPECT_EQ(journeys[0].legs,
            (std::vector<JourneyLeg>{{first, A, B}, {second, B, C}, {last, C, D}}));
  EXPECT_EQ(marks(first).search_kind, kSearchFeeder);
  EXPECT_EQ(marks(second).search_kind, kSearchFeeder);
  EXPECT_EQ(marks(second).search_from_target, B);
  EXPECT_EQ(marks(second).search_to_target, C);
  EXPECT_EQ(marks(last).search_kind, kSearchLastLeg);
  EXPECT_EQ(marks(late).search_kind, kSearchUnmarked);
}

TEST_F(Dia_ConnectionSearchTests, DepartureAfterMidnightSortsAfterTheEvening) {
  int night = run({{0, hms(1, 30), kEventStop}, {3, hms(2, 0), kEventArrival}});
  int evening = run({{0, hms(23, 0), kEventStop}, {3, hms(23, 30), kEventArrival}});
  std::vector<Journey> journeys = search(A, D);
  ASSERT_EQ(journeys.size(), 2u);
  EXPECT_EQ(journeys[0].legs.front().diagram, evening);
  EXPECT_EQ(journeys[1].legs.front().diagram, night);
  EXPECT_EQ(journeys[1].departure, hms(1, 30) + 86400);
  EXPECT_EQ(marks(night).search_kind, kSearchDirect);
  EXPECT_EQ(marks(evening).search_kind, kSearchDirect);
  EXPECT_EQ(marks(evening).search_from_target, A);
  EXPECT_EQ(marks(evening).search_to_target, D);
}

TEST_F(Dia_ConnectionSearchTests, OfRunsArrivingTogetherTheLatestDepartureCounts) {
  int early = run({{0, hms(10, 0), kEventStop}, {3, hms(10, 30), kEventArrival}});
  int late = run({{0, hms(10, 5), kEventStop}, {3, hms(10, 30), kEventArrival}});
  int twin = run({{0, hms(10, 5), kEventStop}, {3, hms(10, 30), kEventArrival}});
  std::vector<Journey> journeys = search(A, D);
  ASSERT_EQ(journeys.size(), 1u);
  EXPECT_EQ(journeys[0].legs.front().diagram, late);  // then the lowest number
  EXPECT_EQ(marks(late).search_kind, kSearchDirect);
  EXPECT_EQ(marks(early).search_kind, kSearchUnmarked);
  EXPECT_EQ(marks(twin).search_kind, kSearchUnmarked);
}

TEST_F(Dia_ConnectionSearchTests, ArrivalAtAStopIsItsDepartureLessTheStopTime) {
  // A run that stops at D on its way on arrives there 45 s before it leaves;
  // the dominated run leaving A earlier is not marked.
  int through = run({{0, hms(9, 0), kEventStop},
                     {3, hms(9, 30), kEventStop},
                     {2, hms(9, 40), kEventArrival}});  // a made-up way on
  int other = run({{0, hms(8, 59), kEventStop}, {3, hms(9, 29, 30), kEventArrival}});
  std::vector<Journey> journeys = search(A, D);
  ASSERT_EQ(journeys.size(), 1u);
  EXPECT_EQ(journeys[0].legs.front().diagram, through);
  EXPECT_EQ(journeys[0].arrival, hms(9, 30) - 45);  // before the other's 9:29:30
  EXPECT_EQ(marks(through).search_kind, kSearchDirect);
  EXPECT_EQ(marks(other).search_kind, kSearchUnmarked);
}

TEST_F(Dia_ConnectionSearchTests, RunsWithoutPassengersOrInTheOtherDirectionAreLeftOut) {
  int rapid = run(
      {{0, hms(10, 5), kEventStop}, {2, hms(10, 18), kEventStop}, {3, hms(10, 25), kEventArrival}});
  int empty = run({{0, hms(10, 8), kEventStop}, {2, hms(10, 15), kEventArrival}}, kEmpty);
  int templ = run({{0, hms(10, 9), kEventStop}, {2, hms(10, 15), kEventArrival}});
  w.dia.diagrams[templ].pattern_template = 1;
  int other_way =
      run({{0, hms(10, 10), kEventStop}, {2, hms(10, 16), kEventArrival}}, kLocal, kLeft);
  int no_type = run({{0, hms(10, 11), kEventStop}, {2, hms(10, 15), kEventArrival}}, 0);
  int unknown_type = run({{0, hms(10, 11), kEventStop}, {2, hms(10, 15), kEventArrival}}, 999);
  int no_route = w.add_run(right[0], hms(10, 12));
  w.dia.diagrams[no_route].events.clear();
  // Marks of an earlier search are cleared.
  w.dia.diagrams[empty].run.search_kind = kSearchFeeder;

  std::vector<Journey> journeys = search(A, D);
  ASSERT_EQ(journeys.size(), 1u);
  EXPECT_EQ(journeys[0].legs, (std::vector<JourneyLeg>{{rapid, A, D}}));
  for (int n : {empty, templ, other_way, no_type, unknown_type, no_route}) {
    EXPECT_EQ(marks(n).search_kind, kSearchUnmarked) << n;
  }
}

TEST_F(Dia_ConnectionSearchTests, NothingToFindEndsAtOnce) {
  int n = w.add_run(right[0], hms(10, 0));
  w.dia.diagrams[n].events.clear();
  EXPECT_TRUE(search(A, D).empty());
  EXPECT_TRUE(search(0, 99).empty());
  EXPECT_EQ(progress.lines.back(), "探索終了");
}

TEST_F(Dia_ConnectionSearchTests, WinDiaModeCountsMidnightAsATime) {
  int at_midnight = run({{0, 0, kEventStop}, {3, hms(0, 30), kEventArrival}});
  std::vector<Journey> plain = search(A, D);
  EXPECT_TRUE(plain.empty());  // 0 is unset: departure 0 is never later than best

  w.settings.wdia_mode = true;
  w.context();
  std::vector<Journey> journeys = search(A, D);
  ASSERT_EQ(journeys.size(), 1u);
  EXPECT_EQ(journeys[0].departure, 86400);
  EXPECT_EQ(journeys[0].arrival, hms(0, 30) + 86400);
  EXPECT_EQ(marks(at_midnight).search_kind, kSearchDirect);
}

TEST_F(Dia_ConnectionSearchTests, WinDiaModeKeepsAnArrivalAfterMidnightOnTheSameNight) {
  // Leaves A at 23:58:00, 180 s to D, where it stops until 00:02:00: it
  // arrives at 24:01:00 on the operating day, not a day later.
  w.settings.wdia_mode = true;
  w.set_running_time(right[0], right[3], kEventStop, 180);
  w.context();
  run({{0, hms(23, 58), kEventStop}, {3, hms(0, 2), kEventStop}, {2, hms(0, 10), kEventArrival}});
  std::vector<Journey> journeys = search(A, D);
  ASSERT_EQ(journeys.size(), 1u);
  EXPECT_EQ(journeys[0].arrival, hms(24, 1));
}

// The search as a plain recursion over all runs, without indexes or memory, for the
// comparison below. Times are plain (no WinDIA mode).
class PlainSearch {
 public:
  PlainSearch(const DiaTables& dia, const TimingLookup& timing, int a, int b)
      : dia_(dia), timing_(timing), a_(a), b_(b) {
    std::size_t size = static_cast<std::size_t>(dia.diagrams.extent()) + 1;
    kind_.assign(size, 0);
    from_.assign(size, 0);
    to_.assign(size, 0);
  }

  std::vector<Journey> run() {
    std::vector<Journey> journeys;
    int best = 0, last = 0;
    for (;;) {
      int pick = 0, pick_arr = 0, pick_dep = 0, dep_i = -1, arr_i = -1;
      for (int n = 1; n <= dia_.diagrams.extent(); ++n) {
        if (!eligible(n)) continue;
        auto [di, dep] = departure_at(n, a_);
        auto [ai, arr] = arrival_at(n, b_);
        if (di < 0 || ai < 0 || arr <= last || arr < dep) continue;
        if (pick == 0 || arr < pick_arr || (arr == pick_arr && dep > pick_dep)) {
          pick = n, pick_arr = arr, pick_dep = dep, dep_i = di, arr_i = ai;
        }
      }
      if (pick == 0) break;
      last = pick_arr;
      int h = pick_dep;
      Feed taken;
      int transfer = 0;
      const Diagram& r = dia_.diagrams[pick];
      for (int i = dep_i + 1; i < arr_i; ++i) {
        const DiaEvent& e = r.events[static_cast<std::size_t>(i)];
        int l = target(e.rail);
        if (e.type != kEventStop || l == 0 || l == a_) continue;
        Feed f = feed(r.direction, l, day(e.time), std::max(h, best), 0);
        if (f.found) h = f.x, taken = f, transfer = l;
      }
      if (taken.found) {
        for (const JourneyLeg& leg : taken.legs)
          set(leg.diagram, 3, leg.from_target, leg.to_target);
        set(pick, 2, transfer, b_);
        best = std::max(best, h);
        taken.legs.push_back({pick, transfer, b_});
        journeys.push_back({h, pick_arr, taken.legs});
      } else if (h > best) {
        set(pick, 1, a_, b_);
        best = h;
        journeys.push_back({h, pick_arr, {{pick, a_, b_}}});
      }
    }
    return journeys;
  }
  int kind(int n) const { return kind_[static_cast<std::size_t>(n)]; }
  int from(int n) const { return from_[static_cast<std::size_t>(n)]; }
  int to(int n) const { return to_[static_cast<std::size_t>(n)]; }

 private:
  struct Feed {
    int x = 0;
    bool found = false;
    std::vector<JourneyLeg> legs;
  };

  Feed feed(int direction, int k, int c, int x, int depth) {
    Feed res{x, false, {}};
    if (depth > 20) return res;
    for (int n = 1; n <= dia_.diagrams.extent(); ++n) {
      if (!eligible(n) || dia_.diagrams[n].direction != direction) continue;
      if (kind(n) == 1 || kind(n) == 2) continue;
      const Diagram& f = dia_.diagrams[n];
      int j = first_station_event(f, k);
      if (j <= 0) continue;
      int type = f.events[static_cast<std::size_t>(j)].type;
      if (type != kEventStop && type != kEventArrival) continue;
      if (arrival(f, j) >= c) continue;
      for (int i = 0; i < j; ++i) {
        const DiaEvent& e = f.events[static_cast<std::size_t>(i)];
        int m = target(e.rail);
        if (e.type != kEventStop || m == 0 || day(e.time) <= res.x) continue;
        if (m == a_) {
          res = {day(e.time), true, {{n, a_, k}}};
        } else {
          Feed deeper = feed(direction, m, day(e.time), res.x, depth + 1);
          if (deeper.found) {
            deeper.legs.push_back({n, m, k});
            res = {deeper.x, true, deeper.legs};
          }
        }
      }
    }
    return res;
  }

  bool eligible(int n) const {
    const Diagram& d = dia_.diagrams[n];
    const TrainTypeTable& types = timing_.tables().train_types;
    return d.in_use() && d.pattern_template == 0 && types.names_record(d.train_type) &&
           types[d.train_type].passenger_service == 1;
  }
  int target(int rail) const { return timing_.map().rail_target(rail); }
  static int day(int t) { return timetext::order_key(t); }
  int arrival(const Diagram& d, int i) const {
    const DiaEvent& e = d.events[static_cast<std::size_t>(i)];
    if (e.type == kEventArrival) return day(e.time);
    if (i > 0) {
      const DiaEvent& before = d.events[static_cast<std::size_t>(i - 1)];
      if (before.type == kEventArrival && before.rail == e.rail) return day(before.time);
    }
    return day(e.time) - timing_.stop_time(e.rail, d.train_type, d.speed_type);
  }
  int first_station_event(const Diagram& d, int k) const {
    for (std::size_t i = 0; i < d.event_count(); ++i) {
      int type = d.events[i].type;
      bool station = type == kEventStop || type == kEventArrival || type == kEventPass ||
                     type == kEventStopNoSearch;
      if (station && target(d.events[i].rail) == k) return static_cast<int>(i);
    }
    return -1;
  }
  std::pair<int, int> departure_at(int n, int t) const {
    const Diagram& d = dia_.diagrams[n];
    std::pair<int, int> found{-1, 0};
    for (std::size_t i = 0; i < d.event_count(); ++i) {
      if (d.events[i].type == kEventStop && target(d.events[i].rail) == t) {
        found = {static_cast<int>(i), day(d.events[i].time)};
      }
    }
    return found;
  }
  std::pair<int, int> arrival_at(int n, int t) const {
    const Diagram& d = dia_.diagrams[n];
    std::pair<int, int> found{-1, 0};
    for (std::size_t i = 0; i < d.event_count(); ++i) {
      int type = d.events[i].type;
      if ((type == kEventStop || type == kEventArrival) && target(d.events[i].rail) == t) {
        found = {static_cast<int>(i), arrival(d, static_cast<int>(i))};
      }
    }
    return found;
  }
  void set(int n, int kind, int from, int to) {
    kind_[static_cast<std::size_t>(n)] = kind;
    from_[static_cast<std::size_t>(n)] = from;
    to_[static_cast<std::size_t>(n)] = to;
  }

  const DiaTables& dia_;
  const TimingLookup& timing_;
  int a_, b_;
  std::vector<int> kind_, from_, to_;
};

TEST(Dia_ConnectionSearchCompareTests, RandomDiasGiveThePlainSearchsJourneysAndMarks) {
  constexpr int kStations = 8;
  for (unsigned seed = 1; seed <= 15; ++seed) {
    RouteWorld w;
    std::vector<int> right, left;
    for (int k = 0; k < kStations; ++k) {
      int t = w.add_station(std::string(1, static_cast<char>('A' + k)));
      right.push_back(w.add_platform(kRight, t));
      left.push_back(w.add_platform(kLeft, t, w.rails[right.back()].l_pack));
    }
    w.context();
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int r = 0; r < 150; ++r) {
      int direction = pick(1, 2);
      int start = pick(0, kStations - 2);
      int end = pick(start + 1, kStations - 1);
      int time = pick(hms(6, 0), hms(9, 0));
      std::vector<DiaEvent> events;
      for (int k = start; k <= end; ++k) {
        int station = direction == kRight ? k : kStations - 1 - k;
        int rail = direction == kRight ? right[static_cast<std::size_t>(station)]
                                       : left[static_cast<std::size_t>(station)];
        if (k == start) {
          events.push_back({rail, time, kEventStop});
        } else if (k == end) {
          events.push_back({rail, time, kEventArrival});
        } else {
          int how = pick(0, 9);
          if (how < 6) {
            events.push_back({rail, time, kEventStop});
          } else if (how < 8) {
            events.push_back({rail, time, kEventPass});
          } else {
            events.push_back({rail, time - 50, kEventArrival});
            events.push_back({rail, time, kEventStop});
          }
        }
        time += pick(120, 900);
      }
      int n = w.add_run_events(events, direction);
      w.dia.diagrams[n].train_type = pick(0, 9) == 0 ? kEmpty : kLocal;
    }
    for (auto [a, b] : {std::pair{1, 6}, {2, 5}, {6, 1}, {3, 4}, {1, 3}, {1, 8}, {8, 2}}) {
      PlainSearch plain(w.dia, w.timing(), a, b);
      std::vector<Journey> expected = plain.run();
      RecordingProgress progress;
      std::vector<Journey> journeys = search_connections(w.dia, w.timing(), a, b, progress);
      ASSERT_EQ(journeys.size(), expected.size()) << "seed " << seed << " " << a << "→" << b;
      for (std::size_t j = 0; j < journeys.size(); ++j) {
        EXPECT_EQ(journeys[j].departure, expected[j].departure) << "seed " << seed;
        EXPECT_EQ(journeys[j].arrival, expected[j].arrival) << "seed " << seed;
        EXPECT_EQ(journeys[j].legs, expected[j].legs) << "seed " << seed;
      }
      for (int n = 1; n <= w.dia.diagrams.extent(); ++n) {
        const DiagramRunState& m = w.dia.diagrams[n].run;
        EXPECT_EQ(m.search_kind, plain.kind(n)) << "seed " << seed << " run " << n;
        EXPECT_EQ(m.search_from_target, plain.from(n)) << "seed " << seed << " run " << n;
        EXPECT_EQ(m.search_to_target, plain.to(n)) << "seed " << seed << " run " << n;
      }
    }
  }
}

}  // namespace
}  // namespace vosk::dia
