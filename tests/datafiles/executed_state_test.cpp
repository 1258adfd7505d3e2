#include "datafiles/executed_state.h"

#include <gtest/gtest.h>

#include "datafiles/executed_state_fixtures.h"

namespace vosk::datafiles {
namespace {

using testing_fixtures::small_data_set;
using vosk::testing::sj;

TEST(Datafiles_ExecutedStateTests, SnapshotPlacesTheModelledFields) {
  DataSet ds = small_data_set();
  ExecutedState s = make_snapshot(ds, 40000);

  EXPECT_TRUE(s.full);
  EXPECT_EQ(s.time, 40000);
  ASSERT_EQ(s.diagrams.size(), 4u);
  const StackRecord& run = s.diagrams[1].line;
  ASSERT_TRUE(run.fits(kDiagramLine));
  // The 18 stored numbers in diagram.csv order, then run-time zeros.
  std::vector<std::int32_t> head(run.numbers.begin(), run.numbers.begin() + 18);
  EXPECT_EQ(head,
            (std::vector<std::int32_t>{2, 2, 1, 2, 3, 0, 1, 4, 0, 0, 0, 5, 1, 1, 0, 0, 8, 5}));
  for (std::size_t k = 18; k < run.numbers.size(); ++k) EXPECT_EQ(run.numbers[k], 0) << k;
  EXPECT_EQ(run.texts, (std::vector<std::string>{"101M", sj("西"), sj("はやて"), ""}));
  EXPECT_EQ(s.diagrams[1].events, ds.dia.diagrams[1].events);
  EXPECT_TRUE(s.diagrams[2].events.empty());  // free slot
  EXPECT_TRUE(s.diagrams[3].events.empty());  // in use, no route yet

  const StackRecord& train = s.trains[1].line;
  EXPECT_EQ(train.numbers[0], 1);
  EXPECT_EQ(train.numbers[1], 4);
  EXPECT_EQ(train.numbers[2], 1);
  EXPECT_EQ(train.texts[0], sj("仕業1"));
  EXPECT_EQ(train.reals, std::vector<std::string>(6, "0.000000"));
  EXPECT_TRUE(s.trains[1].per_station.empty());
  const StackRecord& unit = s.units[1].line;
  EXPECT_EQ(std::vector<std::int32_t>(unit.numbers.begin(), unit.numbers.begin() + 5),
            (std::vector<std::int32_t>{1, 1, 0, 0, 2}));
  EXPECT_EQ(unit.texts[0], "K1");

  const PointState& p = s.points[1];
  EXPECT_EQ(p.rails[0], 2);
  EXPECT_EQ(p.rails[1], 3);
  EXPECT_EQ(p.next[1][1], 4);
  EXPECT_EQ(p.back[0][0], 1);
  EXPECT_EQ(std::vector<std::int32_t>(p.line.numbers.begin(), p.line.numbers.begin() + 10),
            (std::vector<std::int32_t>{0, 2, 2, 2, 3, 0, 1, 120, -8, 0}));
  EXPECT_EQ(p.line.texts[0], "A1");
  EXPECT_TRUE(p.sequence.empty());

  EXPECT_EQ(std::vector<std::int32_t>(s.route_levers[1].numbers.begin(),
                                      s.route_levers[1].numbers.begin() + 13),
            (std::vector<std::int32_t>{1, 2, 1, 7, 2, 1, 3, 44, 55, 1, 4, 66, 77}));
  EXPECT_EQ(s.route_buttons[2].numbers, (std::vector<std::int32_t>{0, 0, 1, 0, 2, 400, 24, 0, 0}));

  ASSERT_EQ(s.stations.size(), 3u);
  EXPECT_EQ(std::vector<std::int32_t>(s.stations[2].line.numbers.begin(),
                                      s.stations[2].line.numbers.begin() + 9),
            (std::vector<std::int32_t>{300, 2, 3, 10, 5, 10, 20, -2, 9}));
  EXPECT_EQ(s.stations[1].line.texts,
            (std::vector<std::string>{sj("東"), sj("東"), sj("東駅"), "east.wav"}));
  for (const StationState& st : s.stations) EXPECT_EQ(st.columns.size(), 2u);

  ASSERT_EQ(s.p_rails.size(), 5u);
  EXPECT_EQ(s.p_rails[2].numbers, (std::vector<std::int32_t>{1, 0}));
  ASSERT_EQ(s.rails.size(), 5u);
  EXPECT_EQ(s.rails[3], StackRecord::blank(kRailLine));

  // Accident tables go out to their capacity.
  ASSERT_EQ(s.accident_between.size(), 3u);
  EXPECT_EQ(s.accident_between[1], ds.dia.accidents.between[1]);
  EXPECT_EQ(s.accident_between[2], dia::AccidentBetween{});
  ASSERT_EQ(s.accident_station.size(), 2u);
  EXPECT_EQ(s.accident_rail.size(), 1u);
}

TEST(Datafiles_ExecutedStateTests, UnmodelledValuesComeFromTheCarriedState) {
  DataSet ds = small_data_set();
  ExecutedState carried = make_snapshot(ds, 0);
  carried.manager = {3, 4};
  carried.diagrams[1].line.numbers[20] = 77;
  carried.diagrams[1].line.numbers[0] = 9;  // placed: the live value wins
  carried.trains[1].line.reals[2] = "1.250000";
  carried.trains[1].line.texts[1] = "state";
  carried.trains[1].per_station = {5, 6};
  carried.units[1].entries = {{1, 2, 3, 4, 5, 6}};
  carried.points[1].sequence = {{3, 1, 1}, {0, 0, 0}};
  carried.points[1].line.numbers[30] = 12;
  carried.stations[1].columns[1] = {1, 2, 3, 4, 5, 6, 7, 8};
  carried.rails[2].numbers = {1, 2, 3, 4, 5, 6, 7};

  ds.dia.diagrams[1].train_number = "202M";
  ExecutedState s = make_snapshot(ds, 100, &carried);
  EXPECT_EQ(s.manager, (std::array<std::int32_t, 2>{3, 4}));
  EXPECT_EQ(s.diagrams[1].line.numbers[20], 77);
  EXPECT_EQ(s.diagrams[1].line.numbers[0], 2);
  EXPECT_EQ(s.diagrams[1].line.texts[0], "202M");
  EXPECT_EQ(s.trains[1].line.reals[2], "1.250000");
  EXPECT_EQ(s.trains[1].line.texts[1], "state");
  EXPECT_EQ(s.trains[1].per_station, (std::vector<std::int32_t>{5, 6}));
  EXPECT_EQ(s.units[1].entries.size(), 1u);
  EXPECT_EQ(s.points[1].sequence.size(), 2u);
  EXPECT_EQ(s.points[1].line.numbers[30], 12);
  EXPECT_EQ(s.stations[1].columns[1][7], 8);
  EXPECT_EQ(s.rails[2].numbers[6], 7);

  // Records the carried state does not have start from zeros; a station
  // table that grew gets a column for the new station.
  ds.dia.trains.grow_to(2).name = "new";
  ds.map.stations.grow_to(3);
  s = make_snapshot(ds, 100, &carried);
  EXPECT_EQ(s.trains[2].line.texts[1], "");
  EXPECT_EQ(s.trains[2].line.texts[0], "new");
  EXPECT_EQ(s.stations[1].columns.size(), 3u);
  EXPECT_EQ(s.stations[1].columns[1][7], 8);
  EXPECT_EQ(s.stations[3].columns.size(), 3u);
}

TEST(Datafiles_ExecutedStateTests, RestoreBringsBackTheModelledState) {
  DataSet ds = small_data_set();
  ExecutedState before = make_snapshot(ds, 0);

  // Edit the dia, the accidents and the interlocking state.
  ds.dia.diagrams[1].train_number = "999";
  ds.dia.diagrams[1].events.pop_back();
  ds.dia.diagrams[2].direction = 1;
  ds.dia.diagrams.grow_to(6).direction = 2;
  ds.dia.trains[1].name = "x";
  ds.dia.units.grow_to(4);
  ds.dia.accidents.between[1].texts[0] = "changed";
  ds.dia.accidents.between.allocate(5);
  ds.map.route_levers[1].current_route = 0;
  ds.map.route_buttons[1].owner = 0;
  ds.map.prails[2].lever = 1;
  ds.map.stations[2].name = "renamed";

  restore_snapshot(before, ds);
  EXPECT_EQ(make_snapshot(ds, 0), before);
  EXPECT_EQ(ds.dia.diagrams.extent(), 3);
  EXPECT_EQ(ds.dia.diagrams[1].train_number, "101M");
  EXPECT_EQ(ds.dia.diagrams[1].events.size(), 4u);
  EXPECT_FALSE(ds.dia.diagrams[2].in_use());
  EXPECT_TRUE(ds.dia.diagrams[2].events.empty());
  EXPECT_EQ(ds.dia.units.extent(), 1);
  EXPECT_EQ(ds.dia.accidents.between.capacity(), 2);
  EXPECT_EQ(ds.dia.accidents.between[1].texts[0], "a");
  EXPECT_EQ(ds.map.route_levers[1].current_route, 1);
  EXPECT_EQ(ds.map.prails[2].lever, 0);
  EXPECT_EQ(ds.map.stations[2].name, "West");
  // Capacities only grow, so the header's table sizes stay.
  EXPECT_GE(ds.dia.diagrams.capacity(), 6);
}

TEST(Datafiles_ExecutedStateTests, RestoreRecomputesDerivedRunState) {
  DataSet ds = small_data_set();
  ExecutedState s = make_snapshot(ds, 0);
  ds.dia.diagrams[1].run.owning_unit = 0;
  ds.dia.diagrams[1].run.search_kind = 3;
  restore_snapshot(s, ds);
  EXPECT_EQ(ds.dia.diagrams[1].run.owning_unit, 1);
  EXPECT_EQ(ds.dia.diagrams[1].run.search_kind, 0);
  // The duty stands on its initial rail with that rail's stop distance.
  EXPECT_EQ(ds.dia.trains[1].position.current_rail, 4);
  EXPECT_EQ(ds.dia.trains[1].position.stop_distance, 40);
  EXPECT_EQ(ds.dia.trains[1].position.stop_distance_1024, 40 * 1024);
}

TEST(Datafiles_ExecutedStateTests, RestoringAPointPositionRelinksItsRails) {
  DataSet ds = small_data_set();
  ExecutedState s = make_snapshot(ds, 0);
  s.points[1].line.numbers[0] = 1;  // position 1: rail 3 open
  s.p_rails[2].numbers[0] = 0;
  s.p_rails[3].numbers[0] = 1;
  restore_snapshot(s, ds);
  EXPECT_EQ(ds.map.points[1].position, 1);
  EXPECT_EQ(ds.map.rails[3].l_next, 4);
  EXPECT_EQ(ds.map.rails[4].l_back, 3);
  EXPECT_EQ(ds.map.rails[1].l_next, 3);
  EXPECT_EQ(ds.map.prails[3].open, 1);
  EXPECT_EQ(ds.map.prails[2].open, 0);

  // A point that keeps its position leaves hand-set links alone.
  ds.map.rails[1].l_next = -3;
  restore_snapshot(s, ds);
  EXPECT_EQ(ds.map.rails[1].l_next, -3);
}

TEST(Datafiles_ExecutedStateTests, RestoreKeepsRecordsWithinTheirFields) {
  DataSet ds = small_data_set();
  ExecutedState s = make_snapshot(ds, 0);
  s.diagrams[1].line.texts[0] = std::string(30, 'N');          // train number: 20 bytes
  s.units[1].line.texts[0] = std::string(22, 'u') + sj("駅");  // 23 bytes, not half a character
  s.points[1].line.numbers[1] = 99;                            // position count
  s.points[1].line.numbers[2] = -4;                            // rail count
  restore_snapshot(s, ds);
  EXPECT_EQ(ds.dia.diagrams[1].train_number, std::string(20, 'N'));
  EXPECT_EQ(ds.dia.units[1].name, std::string(22, 'u'));
  EXPECT_EQ(ds.map.points[1].position_count, map::kPointMaxPositions);
  EXPECT_EQ(ds.map.points[1].rail_count, 0);
}

TEST(Datafiles_ExecutedStateTests, RestoreTakesTheSnapshotsTableSizes) {
  DataSet ds = small_data_set();
  ExecutedState s = make_snapshot(ds, 0);
  s.diagrams.resize(2);
  s.stations.resize(5);
  s.route_buttons.resize(1);
  s.accident_station.resize(4);
  restore_snapshot(s, ds);
  EXPECT_EQ(ds.dia.diagrams.extent(), 1);
  EXPECT_EQ(ds.map.stations.extent(), 4);
  EXPECT_EQ(ds.map.route_buttons.extent(), 0);
  EXPECT_EQ(ds.dia.accidents.station.capacity(), 3);
  EXPECT_EQ(ds.dia.accidents.station.extent(), 3);
  // Rails are not part of what is restored.
  EXPECT_EQ(ds.map.rails.extent(), 4);

  // An empty snapshot leaves every restored table with record 0 only.
  restore_snapshot(ExecutedState{}, ds);
  EXPECT_EQ(ds.dia.diagrams.extent(), 0);
  EXPECT_EQ(ds.map.points.extent(), 0);
  EXPECT_EQ(ds.dia.accidents.between.capacity(), 0);
}

}  // namespace
}  // namespace vosk::datafiles
