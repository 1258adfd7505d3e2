#include "dia/working_coupling.h"

#include <algorithm>

#include "dia/coupling_relations.h"
#include "dia/dia_operations.h"
#include "dia/dia_snapshot.h"
#include "dia/next_working_candidates.h"
#include "dia/working_chains.h"

namespace vosk::dia {
namespace {


EditResult operation_error(const char* text) {
  return EditResult::refused(caption::kOperationError, text);
}

// The runs of n's train that join the other train, in the order they are
// coupled on: as the train runs on after n's end, nearest the other train
// first (front to rear when continuing; the rear leads after a turnback).
std::vector<int> joining_runs(const DiaTables& dia, int n, bool turn_back) {
  if (!CouplingRelations(dia).partners(n).empty()) return {n};
  std::vector<int> chain = coupling_chain(dia, n);
  if (turn_back) std::reverse(chain.begin(), chain.end());
  return chain;
}

}  // namespace

EditResult couple_next_working(const WorkingsContext& ctx, DiaTables& dia, int n, int chosen) {
  if (!run_in_use(dia, n) || !run_in_use(dia, chosen) || dia.diagrams[n].event_count() == 0 ||
      dia.diagrams[chosen].event_count() == 0) {
    return EditResult::declined();
  }
  const EditResult cannot = EditResult::refused(kCouplingErrorCaption, kCannotCoupleHere);
  const Diagram& d = dia.diagrams[n];
  const std::vector<int> train = coupling_chain(dia, n);
  const int end_rail = d.events[d.event_count() - 1].rail;
  if (std::find(train.begin(), train.end(), chosen) != train.end() ||
      dia.diagrams[chosen].pattern_template != 0 ||
      !couples_where_ends(ctx.route.map, end_rail, dia.diagrams[chosen].events.front().rail) ||
      leads_back(dia, chosen, train)) {
    return cannot;
  }
  const bool turn_back = dia.diagrams[chosen].direction != d.direction;
  const std::vector<int> joining = joining_runs(dia, n, turn_back);

  std::vector<int> old_nexts;
  for (int r : joining) {
    if (run_in_use(dia, dia.diagrams[r].next_working)) {
      old_nexts.push_back(dia.diagrams[r].next_working);
    }
  }
  // Coupling onto a train that the old next workings would take along.
  const std::vector<int> chosen_train = coupling_chain(dia, chosen);
  for (int old : old_nexts) {
    for (int r : chain_to_delete(dia, old)) {
      if (std::find(chosen_train.begin(), chosen_train.end(), r) != chosen_train.end()) return cannot;
    }
  }
  bool delete_old = false;
  if (!old_nexts.empty() && !ctx.executed_time) {
    const std::optional<bool> answer = ask_delete_next_workings(ctx.prompt);
    if (!answer) return EditResult::declined();
    delete_old = *answer;
  }

  DiaSnapshot before(dia);
  int first_copy = 0;
  for (int r : joining) {
    const int copy = copy_chain_coupled(dia, chosen, true);
    if (copy == 0) {
      std::move(before).restore_into(dia);
      return operation_error("次運用のダイヤを作成できません");
    }
    dia.diagrams[r].next_working = copy;
    if (r == n) first_copy = copy;
  }
  if (delete_old) {
    for (int old : old_nexts) {
      if (run_in_use(dia, old)) delete_chain(dia, old);
    }
  }
  recompute_owners(dia);
  return EditResult::done(first_copy);
}

EditResult split_next_working(DiaTables& dia, int n) {
  if (!run_in_use(dia, n)) return EditResult::declined();
  const int next = dia.diagrams[n].next_working;
  if (!run_in_use(dia, next)) return operation_error(kNoNextWorkingToSplit);
  if (coupling_chain(dia, next).size() < 2) return operation_error(kNextWorkingNotCoupled);
  for (int r : working_chain(dia, next)) uncouple(dia, r);
  recompute_owners(dia);
  return EditResult::done(n);
}

EditResult change_coupling_order(DiaTables& dia, int n) {
  if (!run_in_use(dia, n)) return EditResult::declined();
  std::vector<int> chain = coupling_chain(dia, n);
  if (chain.size() < 2) return operation_error(kNotCoupledForOrder);
  auto at = std::find(chain.begin(), chain.end(), n);
  if (at == chain.begin()) {
    std::rotate(chain.begin(), chain.begin() + 1, chain.end());
  } else {
    std::iter_swap(at, at - 1);
  }
  for (std::size_t k = 0; k < chain.size(); ++k) {
    Diagram& r = dia.diagrams[chain[k]];
    r.coupled_ahead = k > 0 ? chain[k - 1] : 0;
    r.coupled_behind = k + 1 < chain.size() ? chain[k + 1] : 0;
  }
  recompute_owners(dia);
  return EditResult::done(n);
}

}  // namespace vosk::dia
