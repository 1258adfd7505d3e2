// The runs offered as an existing next working, and the coupling of a
// formation onto another train's next working with its split and order.
#include "dia/next_working_candidates.h"

#include <gtest/gtest.h>

#include "dia/coupling_relations.h"
#include "dia/working_chains.h"
#include "dia/working_coupling.h"
#include "workings_world.h"

namespace vosk::dia {
namespace {

using route_testing::k10;
using route_testing::WorkingsWorld;

// R runs A → B and ends at B at 10:05. Around it, runs that may or may not
// follow it.
class Dia_NextCandidatesTests : public ::testing::Test, protected WorkingsWorld {
 protected:
  void SetUp() override {
    island = w.add_platform(route_testing::kRight, B);  // a track of B no route reaches
    workings();
    R = at(a, k10);
    run(R).events = {{a, k10, kEventStop}, {b, k10 + 300, kEventArrival}, {b, k10 + 300, 0}};
    on = at(b, k10 + 600);        // continues from B
    back = at(b_l, k10 + 660);    // turns back at B
    early = at(b, k10 + 60);      // leaves B before R is there
    elsewhere = at(c_l, k10 + 900);
    tmpl = at(b, k10 + 700);
    run(tmpl).pattern_template = 1;
    front = at(b, k10 + 800);     // a coupled train leaving B
    rear = copy_run(dia(), front);
    couple_at_rear(dia(), front, rear);
    stranded = copy_run(dia(), on);
    for (DiaEvent& e : run(stranded).events) e.rail = island;
  }
  int at(int rail, int time) { return create_run_at(workings(), dia(), rail, time).number(); }
  std::vector<int> candidates(NextDirection d, NextUse use = NextUse::Follow) {
    return next_working_candidates(dia(), route(), R, d, use);
  }

  int island = 0, stranded = 0;
  int R = 0, on = 0, back = 0, early = 0, elsewhere = 0, tmpl = 0, front = 0, rear = 0;
};

TEST_F(Dia_NextCandidatesTests, RunsLeavingWhereAndAfterTheRunEndsByDirection) {
  // A coupled train is offered once, by its rear run, the one a choice keeps;
  // a run on a track of B that R's end cannot be moved onto is not.
  const struct {
    NextDirection direction;
    NextUse use;
    std::vector<int> expected;
  } rows[] = {
      {NextDirection::Same, NextUse::Follow, {on, rear}},
      {NextDirection::Opposite, NextUse::Follow, {back}},
      {NextDirection::Either, NextUse::Follow, {on, back, rear}},
      {NextDirection::Either, NextUse::Couple, {on, back, rear}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(candidates(row.direction, row.use), row.expected)
        << static_cast<int>(row.direction) << static_cast<int>(row.use);
  }
}

TEST_F(Dia_NextCandidatesTests, TheTrainItselfItsNextWorkingAndChainsLeadingBackAreLeftOut) {
  run(R).next_working = on;
  couple_at_rear(dia(), R, copy_run(dia(), back));  // back's copy runs with R...
  EXPECT_EQ(candidates(NextDirection::Either), (std::vector<int>{back, rear}));
  // ...and a train whose front run's working comes back to R's train.
  run(front).next_working = R;
  EXPECT_EQ(candidates(NextDirection::Either), (std::vector<int>{back}));
  // Choosing it anyway is refused and changes nothing.
  DiaTables before = dia();
  EXPECT_FALSE(choose_next_working(workings(), dia(), R, rear).ok());
  EXPECT_EQ(run(R).next_working, before.diagrams[R].next_working);
  EXPECT_EQ(run(rear).coupled_ahead, front);
}

TEST_F(Dia_NextCandidatesTests, ARunWithoutEventsHasNoCandidatesAndIsNoCandidate) {
  run(back).events.clear();
  EXPECT_EQ(candidates(NextDirection::Opposite), std::vector<int>{});
  run(R).events.clear();
  EXPECT_EQ(candidates(NextDirection::Either), std::vector<int>{});
}

// Duty H's run h1 A → C; duty K's k1 leaves A later and turns back at C as k2.
class Dia_WorkingCouplingTests : public ::testing::Test, protected WorkingsWorld {
 protected:
  void SetUp() override {
    int th = add_duty(a, "H");
    h1 = create_run_at_duty(workings(), dia(), th, k10).number();
    int tk = add_duty(z, "K");
    dia().trains[tk].position.current_rail = a;
    k1 = create_run_at_duty(workings(), dia(), tk, k10 + 60).number();
    k2 = create_next_working(workings(), dia(), k1, true).number();
  }
  int h1 = 0, k1 = 0, k2 = 0;
};

TEST_F(Dia_WorkingCouplingTests, CouplingOntoAnotherTrainMergesWithItsPreviousWorking) {
  EditResult r = couple_next_working(workings(), dia(), h1, k2);
  ASSERT_TRUE(r.ok()) << r.text();
  const int copy = r.number();
  EXPECT_EQ(run(h1).next_working, copy);
  EXPECT_EQ(coupling_chain(dia(), k2), (std::vector<int>{k2, copy}));
  EXPECT_EQ(run(copy).events, run(k2).events);
  EXPECT_EQ(run(copy).run.owning_unit, run(h1).run.owning_unit);
  EXPECT_EQ(CouplingRelations(dia()).merge_partner(h1), k1);
  EXPECT_EQ(prompt.count(), 0u);

  // Split again: the copy runs alone and nothing merges any more.
  ASSERT_TRUE(split_next_working(dia(), h1).ok());
  EXPECT_EQ(coupling_chain(dia(), k2), std::vector<int>{k2});
  EXPECT_EQ(run(h1).next_working, copy);
  EXPECT_EQ(CouplingRelations(dia()).merge_partner(h1), 0);
  EditResult again = split_next_working(dia(), h1);
  EXPECT_EQ(again.caption(), "操作エラー");
  EXPECT_EQ(again.text(), kNextWorkingNotCoupled);
  EXPECT_EQ(split_next_working(dia(), k2).text(), kNoNextWorkingToSplit);
}

TEST_F(Dia_WorkingCouplingTests, CouplingAsksAboutTheOldNextWorkingAndRefusesElsewhere) {
  int old = create_next_working(workings(), dia(), h1, true).number();
  prompt.script({Answer::Cancel});
  DiaTables before = dia();
  EXPECT_FALSE(couple_next_working(workings(), dia(), h1, k2).ok());
  EXPECT_EQ(dia().diagrams.extent(), before.diagrams.extent());
  EXPECT_EQ(run(h1).next_working, old);

  prompt.script({Answer::Yes});
  ASSERT_TRUE(couple_next_working(workings(), dia(), h1, k2).ok());
  EXPECT_EQ(prompt.last().caption, "削除確認");
  EXPECT_FALSE(run_in_use(dia(), old));

  // k1 starts at A, not where h1 ends; k2 cannot couple onto its own train.
  for (auto [n, chosen] : {std::pair{h1, k1}, {k2, run(h1).next_working}}) {
    EditResult r = couple_next_working(workings(), dia(), n, chosen);
    EXPECT_EQ(r.caption(), "併結エラー");
    EXPECT_EQ(r.text(), kCannotCoupleHere);
  }
}

TEST_F(Dia_WorkingCouplingTests, CouplingOrderMovesARunForwardAndTheFrontToTheRear) {
  int x = k2, y = copy_run(dia(), k2), z2 = copy_run(dia(), k2);
  couple_at_rear(dia(), x, y);
  couple_at_rear(dia(), x, z2);
  ASSERT_TRUE(change_coupling_order(dia(), y).ok());
  EXPECT_EQ(coupling_chain(dia(), x), (std::vector<int>{y, x, z2}));
  ASSERT_TRUE(change_coupling_order(dia(), y).ok());
  EXPECT_EQ(coupling_chain(dia(), x), (std::vector<int>{x, z2, y}));
  EXPECT_EQ(run(x).coupled_ahead, 0);
  EXPECT_EQ(run(y).coupled_behind, 0);
  EXPECT_EQ(change_coupling_order(dia(), h1).text(), kNotCoupledForOrder);
}

}  // namespace
}  // namespace vosk::dia
