// Model operations on small hand-made dias.
#include "dia/dia_operations.h"

#include <gtest/gtest.h>

#include "dia_record_fixtures.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using records_testing::fresh_dia;
using records_testing::TableMap;
using testing::ScriptedPrompt;
using testing::sj;

// Puts diagram n in use with direction 1 and the given events.
Diagram& run(DiaTables& dia, int n, std::vector<DiaEvent> events = {}) {
  Diagram& d = dia.diagrams.grow_to(n);
  d.direction = 1;
  d.events = std::move(events);
  return d;
}

// --- slots -------------------------------------------------------------

TEST(Dia_SlotTests, ANewDiagramTakesTheLowestFreeSlot) {
  DiaTables dia = fresh_dia(8);
  run(dia, 1);
  run(dia, 2);
  run(dia, 4);
  Diagram& stale = dia.diagrams[3];
  stale.train_number = "old";
  stale.events = {{1, 2, kEventStop}};
  EXPECT_EQ(allocate_diagram(dia), 3);
  EXPECT_EQ(dia.diagrams[3].train_number, "");
  EXPECT_TRUE(dia.diagrams[3].events.empty());
  // Still free until given a direction.
  EXPECT_EQ(allocate_diagram(dia), 3);
  dia.diagrams[3].direction = 2;
  EXPECT_EQ(allocate_diagram(dia), 5);
  EXPECT_EQ(dia.diagrams.capacity(), 8);
}

TEST(Dia_SlotTests, TheDiagramTableGrowsInSixteenSlotSteps) {
  struct Case {
    int capacity;
    int grown;
  };
  // Slots 0 .. capacity; the table grows to hold (slots / 16 + 1) × 16.
  for (Case c : {Case{0, 16}, Case{14, 16}, Case{15, 32}, Case{16, 32}, Case{31, 48}}) {
    DiaTables dia = fresh_dia(c.capacity);
    for (int n = 1; n <= c.capacity; ++n) run(dia, n);
    int n = allocate_diagram(dia);
    EXPECT_EQ(n, c.capacity + 1);
    EXPECT_EQ(dia.diagrams.capacity(), c.grown) << "from " << c.capacity;
    EXPECT_EQ(dia.diagrams.extent(), n);
    // No further growth while the new room lasts.
    for (int k = n; k <= c.grown; ++k) {
      ASSERT_EQ(allocate_diagram(dia), k);
      dia.diagrams[k].direction = 1;
    }
    EXPECT_EQ(dia.diagrams.capacity(), c.grown);
  }
}

TEST(Dia_SlotTests, DutyTablesGrowToExactlyTheNumberNeeded) {
  DiaTables dia = fresh_dia(2);
  dia.trains.grow_to(1).name = "keep";
  ASSERT_TRUE(allocate_train(dia, 5));
  EXPECT_EQ(dia.trains.capacity(), 5);
  EXPECT_EQ(dia.trains.extent(), 5);
  EXPECT_EQ(dia.trains[1].name, "keep");
  EXPECT_EQ(dia.trains[4].head_unit, 0);
  ASSERT_TRUE(allocate_unit(dia, 3));
  EXPECT_EQ(dia.units.capacity(), 3);
  EXPECT_FALSE(allocate_unit(dia, -1));
  EXPECT_FALSE(allocate_train(dia, kMaxDiaRecordNumber + 1));
  EXPECT_EQ(dia.trains.extent(), 5);
}

TEST(Dia_SlotTests, ClearEmptiesAndCopyLeavesTheEventsAndStartsAFreshRunState) {
  DiaTables dia = fresh_dia(4);
  Diagram& src = run(dia, 1, {{5, 100, kEventStop}, {5, 100, kEventEnd}});
  src.train_number = "101M";
  src.nickname = sj("はと");
  src.value_d = 7;
  src.flag_c = 0;
  src.run.owning_unit = 3;
  src.run.search_kind = 2;
  Diagram& dst = run(dia, 2, {{9, 200, kEventArrival}, {9, 200, kEventEnd}});
  dst.remarks = "gone";

  copy_diagram(dia, 2, 1);
  const Diagram& copy = dia.diagrams[2];
  EXPECT_EQ(copy.train_number, "101M");
  EXPECT_EQ(copy.nickname, sj("はと"));
  EXPECT_EQ(copy.value_d, 7);
  EXPECT_EQ(copy.remarks, "");
  EXPECT_EQ(copy.flag_c, 1);
  EXPECT_EQ(copy.events[0].rail, 9);
  EXPECT_EQ(copy.run, (DiagramRunState{.copy_source = 1}));

  clear_diagram(dia, 1);
  EXPECT_FALSE(dia.diagrams[1].in_use());
  EXPECT_EQ(dia.diagrams[1].train_number, "");
  EXPECT_EQ(dia.diagrams[1].value_d, 0);
  EXPECT_TRUE(dia.diagrams[1].events.empty());
  EXPECT_EQ(dia.diagrams[1].run, DiagramRunState{});
  // Numbers that name no diagram change nothing.
  clear_diagram(dia, 40);
  copy_diagram(dia, 40, 2);
  copy_diagram(dia, 2, 0);
  EXPECT_EQ(dia.diagrams[2].train_number, "101M");
}

TEST(Dia_SlotTests, NewOrdinaryDiagramStartsWithItsDefaults) {
  Diagram d;
  init_ordinary_diagram(d, 42, 36000, 2);
  EXPECT_EQ(d.direction, 2);
  EXPECT_EQ(d.destination, 1);
  EXPECT_EQ(d.crew, 1);
  EXPECT_EQ(d.train_type, 1);
  EXPECT_EQ(d.speed_type, 1);
  EXPECT_EQ(d.pattern_changed, 1);
  EXPECT_EQ(d.flag_c, 1);
  EXPECT_EQ(d.follow_coupled, 1);
  EXPECT_EQ(d.train_number, "NONE");
  EXPECT_EQ(d.destination_text, sj("不定"));
  ASSERT_EQ(d.events.size(), 2u);
  EXPECT_EQ(d.events[0], (DiaEvent{42, 36000, kEventStop}));
  EXPECT_EQ(d.events[1], (DiaEvent{42, 36000, kEventEnd}));
}

TEST(Dia_SlotTests, StartTimesUpTo28HoursAreAccepted) {
  EXPECT_TRUE(check_start_time(0).ok());
  EXPECT_TRUE(check_start_time(100800).ok());
  for (int t : {100801, -1}) {
    EditResult r = check_start_time(t);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.caption(), "入力データエラー");
    EXPECT_EQ(r.text(), "時刻が不正です。再設定して下さい。\n");
  }
}

// --- working chains ---------------------------------------------------

// Unit 1 runs 1 -> 3 -> 5, unit 2 runs 2 -> 4; run 6 is on no chain.
DiaTables two_formations() {
  DiaTables dia = fresh_dia(16);
  for (int n = 1; n <= 6; ++n) run(dia, n);
  dia.diagrams[1].next_working = 3;
  dia.diagrams[3].next_working = 5;
  dia.diagrams[2].next_working = 4;
  dia.units.grow_to(1).first_diagram = 1;
  dia.units.grow_to(2).first_diagram = 2;
  return dia;
}

TEST(Dia_WorkingChainTests, OwnersFollowTheUnitsChains) {
  DiaTables dia = two_formations();
  dia.diagrams[6].run.owning_unit = 2;  // stale
  recompute_owners(dia);
  int expected[] = {0, 1, 2, 1, 2, 1, 0};
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(dia.diagrams[n].run.owning_unit, expected[n]) << n;
}

TEST(Dia_WorkingChainTests, DamagedChainsEndWithoutLooping) {
  DiaTables dia = two_formations();
  dia.diagrams[5].next_working = 1;         // loops back
  dia.diagrams[4].next_working = 9;         // a free slot beyond the runs
  dia.units.grow_to(3).first_diagram = 12;  // a free slot
  recompute_owners(dia);
  EXPECT_EQ(dia.diagrams[5].run.owning_unit, 1);
  EXPECT_EQ(dia.diagrams[4].run.owning_unit, 2);
  for (const Diagram& d : dia.diagrams) EXPECT_NE(d.run.owning_unit, 3);

  ScriptedPrompt prompt;
  dia.diagrams[6].run.owning_unit = 1;  // says unit 1, but its chain never reaches 6
  EXPECT_EQ(previous_working(dia, 6, &prompt), 0);
  EXPECT_EQ(prompt.last().text, "前運用が見つかりませんでした。");
}

TEST(Dia_WorkingChainTests, PreviousWorkingWalksTheOwningUnitsChain) {
  DiaTables dia = two_formations();
  recompute_owners(dia);
  ScriptedPrompt prompt;
  EXPECT_EQ(previous_working(dia, 5, &prompt), 3);
  EXPECT_EQ(previous_working(dia, 3, &prompt), 1);
  EXPECT_EQ(previous_working(dia, 4, &prompt), 2);
  EXPECT_EQ(prompt.count(), 0u);

  EXPECT_EQ(previous_working(dia, 1, &prompt), 0);
  EXPECT_EQ(prompt.last().caption, "操作エラー");
  EXPECT_EQ(prompt.last().text, "この運用が最初の運用になります。");
  EXPECT_EQ(previous_working(dia, 6, &prompt), 0);
  EXPECT_EQ(prompt.last().text, "この運用は編成の指定がされていないため、前運用が判別できません。");
  EXPECT_EQ(prompt.count(), 2u);
  // Without a prompt the answer is the same, silently.
  EXPECT_EQ(previous_working(dia, 1, nullptr), 0);
  EXPECT_EQ(previous_working(dia, 0, &prompt), 0);
  EXPECT_EQ(prompt.count(), 2u);
}

// --- coupled runs ------------------------------------------------------

TEST(Dia_CouplingTests, InformationPassesToCoupledRunsByHowTheyFollow) {
  DiaTables dia = fresh_dia(16);
  Diagram& head = run(dia, 1);
  head.destination = 7;
  head.flag_a = 1;
  head.flag_b = 1;
  head.train_type = 3;
  head.crew = 2;
  head.speed_type = 4;
  head.value_d = 9;
  head.car_number = 5;
  head.train_number = "5M";
  head.destination_text = "D";
  head.nickname = "N";
  head.remarks = "R";
  // Behind: 2 follows, 3 has its own pattern, 4 neither (but 4 still passes
  // the chain on to 7). Ahead: 5 follows, 6 neither.
  dia.diagrams[1].coupled_behind = 2;
  run(dia, 2).follow_coupled = 1;
  dia.diagrams[2].coupled_behind = 3;
  run(dia, 3).applied_pattern = 4;
  dia.diagrams[3].coupled_behind = 4;
  run(dia, 4).train_number = "own";
  dia.diagrams[4].coupled_behind = 7;
  run(dia, 7).follow_coupled = 1;
  dia.diagrams[1].coupled_ahead = 5;
  run(dia, 5).follow_coupled = 1;
  dia.diagrams[5].coupled_ahead = 6;
  run(dia, 6);

  propagate_to_coupled(dia, 1);

  for (int n : {2, 5, 7}) {
    const Diagram& d = dia.diagrams[n];
    EXPECT_EQ(d.destination, 7) << n;
    EXPECT_EQ(d.flag_a, 1) << n;
    EXPECT_EQ(d.flag_b, 1) << n;
    EXPECT_EQ(d.train_type, 3) << n;
    EXPECT_EQ(d.crew, 2) << n;
    EXPECT_EQ(d.speed_type, 4) << n;
    EXPECT_EQ(d.value_d, 9) << n;
    EXPECT_EQ(d.car_number, 5) << n;
    EXPECT_EQ(d.train_number, "5M") << n;
    EXPECT_EQ(d.destination_text, "D") << n;
    EXPECT_EQ(d.nickname, "N") << n;
    EXPECT_EQ(d.remarks, "R") << n;
  }
  const Diagram& patterned = dia.diagrams[3];
  EXPECT_EQ(patterned.destination, 7);
  EXPECT_EQ(patterned.train_type, 3);
  EXPECT_EQ(patterned.crew, 2);
  EXPECT_EQ(patterned.speed_type, 4);
  EXPECT_EQ(patterned.value_d, 9);
  EXPECT_EQ(patterned.destination_text, "D");
  EXPECT_EQ(patterned.flag_a, 0);
  EXPECT_EQ(patterned.car_number, 0);
  EXPECT_EQ(patterned.train_number, "");
  EXPECT_EQ(patterned.nickname, "");
  EXPECT_EQ(patterned.remarks, "");
  for (int n : {4, 6}) {
    EXPECT_EQ(dia.diagrams[n].destination, 0) << n;
    EXPECT_EQ(dia.diagrams[n].train_type, 0) << n;
  }
  EXPECT_EQ(dia.diagrams[4].train_number, "own");
}

TEST(Dia_CouplingTests, ACouplingLoopEndsTheWalk) {
  DiaTables dia = fresh_dia(4);
  run(dia, 1).train_number = "X";
  run(dia, 2).follow_coupled = 1;
  dia.diagrams[1].coupled_behind = 2;
  dia.diagrams[2].coupled_behind = 1;
  dia.diagrams[2].coupled_ahead = 2;
  propagate_to_coupled(dia, 2);  // must return
  propagate_to_coupled(dia, 1);
  EXPECT_EQ(dia.diagrams[2].train_number, "X");
}

// --- events ------------------------------------------------------------

TEST(Dia_EventRuleTests, TimesMissingLooksAtTimedEventsAfterTheFirst) {
  struct Case {
    std::vector<DiaEvent> events;
    bool missing;
  };
  const Case cases[] = {
      {{{1, 0, kEventStop}, {2, 100, kEventPass}, {3, 200, kEventArrival}, {3, 200, kEventEnd}},
       false},  // the first event may have no time
      {{{1, 50, kEventStop}, {2, 0, kEventPass}, {3, 200, kEventArrival}, {3, 200, kEventEnd}},
       true},
      {{{1, 50, kEventStop}, {2, 0, kEventPointBoth}, {3, 9, kEventEnd}}, true},
      {{{1, 50, kEventStop}, {2, 0, kEventPoint}, {3, 9, kEventEnd}}, true},
      {{{1, 50, kEventStop}, {2, 0, kEventStopNoSearch}, {3, 9, kEventEnd}}, true},
      {{{1, 50, kEventStop}, {2, 0, 6}, {3, 9, kEventEnd}}, false},  // no such type
      {{{1, 50, kEventStop}, {3, 0, kEventEnd}}, false},             // the end entry
      // Entries left after an end entry are not part of the run.
      {{{1, 50, kEventStop}, {1, 50, kEventEnd}, {2, 0, kEventPass}}, false},
      {{}, false},
  };
  for (std::size_t k = 0; k < std::size(cases); ++k) {
    DiaTables dia = fresh_dia(2);
    run(dia, 1, cases[k].events);
    EXPECT_EQ(times_missing(dia, 1), cases[k].missing) << "case " << k;
  }
}

TEST(Dia_EventRuleTests, TemporaryIsAnArrivalFollowedByTheEnd) {
  DiaTables dia = fresh_dia(4);
  run(dia, 1, {{4, 0, kEventArrival}, {4, 0, kEventEnd}});
  run(dia, 2, {{4, 0, kEventStop}, {4, 0, kEventEnd}});
  run(dia, 3, {{4, 0, kEventArrival}, {5, 9, kEventPass}, {5, 9, kEventEnd}});
  run(dia, 4, {{4, 0, kEventArrival}});
  EXPECT_TRUE(is_temporary(dia, 1));
  EXPECT_FALSE(is_temporary(dia, 2));
  EXPECT_FALSE(is_temporary(dia, 3));
  EXPECT_FALSE(is_temporary(dia, 4));
  EXPECT_FALSE(is_temporary(dia, 9));
}

TableMap two_station_map() {
  TableMap map;
  map.rails[10] = {.station = 1, .target = 3};
  map.rails[11] = {};
  map.rails[12] = {.station = 2, .target = 5};
  map.station_names[1] = sj("品川");
  map.station_names[2] = sj("とても長い名前の終着駅です");  // 26 bytes
  return map;
}

TEST(Dia_EventRuleTests, AutoDestinationTakesTheLastStopAtAStation) {
  TableMap map = two_station_map();
  DiaTables dia = fresh_dia(4);
  run(dia, 1,
      {{12, 100, kEventStop},  // first event: never the destination
       {10, 200, kEventStop},
       {10, 250, kEventPass},     // passes do not count
       {11, 300, kEventArrival},  // no station
       {11, 300, kEventEnd}});
  auto_destination(dia, 1, map);
  EXPECT_EQ(dia.diagrams[1].destination, 3);
  EXPECT_EQ(dia.diagrams[1].destination_text, sj("品川"));

  run(dia, 2, {{10, 100, kEventStop}, {12, 200, kEventArrival}, {12, 200, kEventEnd}});
  auto_destination(dia, 2, map);
  EXPECT_EQ(dia.diagrams[2].destination, 5);
  EXPECT_EQ(dia.diagrams[2].destination_text, sj("とても長い名前の終着"));  // 20 bytes
}

TEST(Dia_EventRuleTests, AutoDestinationWithoutAStationStopMakesItFreeText) {
  TableMap map = two_station_map();
  DiaTables dia = fresh_dia(4);
  Diagram& d = run(dia, 1, {{10, 100, kEventStop}, {11, 200, kEventArrival}, {11, 200, kEventEnd}});
  d.destination = 4;
  d.destination_text = "T";
  auto_destination(dia, 1, map);
  EXPECT_EQ(dia.diagrams[1].destination, -4);
  EXPECT_EQ(dia.diagrams[1].destination_text, "T");
  auto_destination(dia, 1, map);  // stays free text
  EXPECT_EQ(dia.diagrams[1].destination, -4);

  run(dia, 2, {{10, 0, kEventArrival}, {10, 0, kEventEnd}}).destination = 3;
  auto_destination(dia, 2, map);
  EXPECT_EQ(dia.diagrams[2].destination, 0);
  EXPECT_EQ(dia.diagrams[2].destination_text, sj("臨時"));

  run(dia, 3).destination = 2;  // no events at all
  auto_destination(dia, 3, map);
  EXPECT_EQ(dia.diagrams[3].destination, -2);
}

}  // namespace
}  // namespace vosk::dia
