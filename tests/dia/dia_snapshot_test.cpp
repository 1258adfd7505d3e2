// Undo snapshots of the whole dia.
#include "dia/dia_snapshot.h"

#include <gtest/gtest.h>

#include "dia/dia_members.h"
#include "dia/dia_operations.h"
#include "dia_record_fixtures.h"

namespace vosk::dia {
namespace {

using records_testing::every_member;
using records_testing::fresh_dia;

DiaTables sample_dia() {
  DiaTables dia = fresh_dia(4);
  dia.event_capacity = 9;
  dia.trains.grow_to(1) = Train{.first_diagram = 1, .initial_rail = 3, .head_unit = 1, .name = "T"};
  dia.units.grow_to(1) = Unit{.first_diagram = 1, .train = 1, .series = 2, .name = "U"};
  int n = allocate_diagram(dia);
  init_ordinary_diagram(dia.diagrams[n], 3, 36000, 1);
  dia.accidents.station.grow_to(2).block[0] = 8;
  dia.accidents.between.grow_to(1).texts[2] = "x";
  recompute_owners(dia);
  return dia;
}

TEST(Dia_SnapshotTests, RestoreGivesBackIdenticalTables) {
  DiaTables live = sample_dia();
  const std::string before = every_member(live);
  DiaSnapshot snapshot(live);

  // An operation that changes a lot, then fails.
  for (int k = 0; k < 20; ++k) {
    int n = allocate_diagram(live);
    init_temporary_diagram(live.diagrams[n], 5, 2);
  }
  live.diagrams[1].events.push_back({4, 1, kEventPass});
  live.diagrams[1].run.owning_unit = 0;
  allocate_train(live, 9);
  live.units[1].name = "changed";
  live.accidents.station[2].block[0] = 0;
  ASSERT_NE(every_member(live), before);

  snapshot.restore_copy_into(live);
  EXPECT_EQ(every_member(live), before);
  EXPECT_EQ(live.diagrams.capacity(), 4);
  EXPECT_EQ(live.diagrams.extent(), 1);
  EXPECT_EQ(live.trains.extent(), 1);
  EXPECT_EQ(live.diagrams[1].events.size(), 2u);
  EXPECT_EQ(live.diagrams[1].run.owning_unit, 1);
  EXPECT_EQ(live.event_capacity, 9);
  EXPECT_EQ(dia_capacities(live), dia_capacities(snapshot.tables()));

  // A used-up snapshot restores the same once more.
  live.units[1].name = "again";
  std::move(snapshot).restore_into(live);
  EXPECT_EQ(every_member(live), before);
}

TEST(Dia_SnapshotTests, TheSnapshotIsACopyNotAView) {
  DiaTables live = sample_dia();
  DiaSnapshot snapshot(live);
  live.diagrams[1].train_number = "changed";
  EXPECT_EQ(snapshot.tables().diagrams[1].train_number, "NONE");
}

}  // namespace
}  // namespace vosk::dia
