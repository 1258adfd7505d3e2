#include "dia/workings.h"

#include <algorithm>

#include "base/time_text.h"
#include "dia/auto_timing.h"
#include "dia/coupling_relations.h"
#include "dia/dia_operations.h"
#include "dia/dia_snapshot.h"
#include "dia/pattern_apply.h"
#include "dia/route_builder.h"
#include "dia/route_edits.h"
#include "dia/route_hooks.h"
#include "dia/working_chains.h"

namespace vosk::dia {
namespace {

constexpr const char* kDeleteCaption = "削除確認";
constexpr const char* kDeleteFromWorking =
    "現在設定されている運用以降のダイヤを削除しますか？\n"
    "「いいえ」を選ぶと、臨時のダイヤとして保存されます。";
constexpr const char* kDeleteFromNextWorking =
    "現在設定されている次運用以降のダイヤを削除しますか？\n"
    "「いいえ」を選ぶと、臨時のダイヤとして保存されます。";
constexpr const char* kPathErrorCaption = "進路エラー";
constexpr const char* kNoRouteWithThisDia = "このダイヤを設定した場合、経路が見つかりません。";

EditResult operation_error(const char* text) {
  return EditResult::refused(caption::kOperationError, text);
}

// What becomes of the runs a duty or a run is linked to now.
enum class OldRuns { None, Delete, Keep };

// Asks the deletion question; nullopt on Cancel.
std::optional<OldRuns> ask_delete(Prompt& prompt, const char* text) {
  switch (prompt.ask(kDeleteCaption, text, Buttons::YesNoCancel)) {
    case Answer::Yes:
      return OldRuns::Delete;
    case Answer::No:
      return OldRuns::Keep;
    default:
      return std::nullopt;
  }
}

// The question about a duty's current first working `old` before another
// run (`keep`, 0 for a new one) replaces it.
std::optional<OldRuns> ask_about_duty_chain(const WorkingsContext& ctx, const DiaTables& dia,
                                            int old, int keep) {
  if (!run_in_use(dia, old) || old == keep) return OldRuns::None;
  if (is_temporary(dia, old)) return OldRuns::Delete;
  return ask_delete(ctx.prompt, kDeleteFromWorking);
}

void take_settings(const Diagram& from, Diagram& to) {
  to.destination = from.destination;
  to.flag_a = from.flag_a;
  to.flag_b = from.flag_b;
  to.crew = from.crew;
  to.train_type = from.train_type;
  to.speed_type = from.speed_type;
  to.follow_coupled = from.follow_coupled;
  to.value_d = from.value_d;
  to.car_number = from.car_number;
  to.train_number = from.train_number;
  to.destination_text = from.destination_text;
  to.nickname = from.nickname;
  to.remarks = from.remarks;
}

// A new run with a stop at `rail` at `time`, built and fully measured; 0 (and
// the slot free again) when no route starts there.
int built_run(const WorkingsContext& ctx, DiaTables& dia, int rail, int time,
              RunSettings settings) {
  int direction = ctx.route.map.direction(rail);
  if (direction == 0) return 0;
  int n = allocate_diagram(dia);
  if (n == 0) return 0;
  init_ordinary_diagram(dia.diagrams[n], rail, time, direction);
  if (settings != nullptr) take_settings(*settings, dia.diagrams[n]);
  if (!build_route(ctx.route, dia, n, StopPlan{})) {
    clear_diagram(dia, n);
    return 0;
  }
  measure_times(dia, n, ctx.route.timing, true);
  return n;
}

// n becomes the first working of the duty and its head formation; each
// following formation gets a coupled copy of the formation ahead's chain.
void install_first_working(DiaTables& dia, int train, int n) {
  dia.trains[train].first_diagram = n;
  int u = dia.trains[train].head_unit;
  int first = n;
  for (int steps = dia.units.extent(); dia.units.names_record(u) && steps-- > 0;
       u = dia.units[u].unit_behind) {
    if (u != dia.trains[train].head_unit) {
      first =
          run_in_use(dia, first) ? copy_chain_coupled(dia, first, copies_go_behind(dia, first)) : 0;
    }
    dia.units[u].first_diagram = first;
  }
  recompute_owners(dia);
}

// Deletes a duty's old chain, sparing `keep` and what follows it when it lies
// on that chain: only the runs before it go, with the runs coupled to them.
void delete_old_duty_chain(DiaTables& dia, int old, int keep) {
  std::vector<int> chain = working_chain(dia, old);
  auto at = std::find(chain.begin(), chain.end(), keep);
  if (keep == 0 || at == chain.end()) {
    delete_chain(dia, old);
    return;
  }
  std::vector<int> runs;
  std::vector<int> spared = working_chain(dia, keep);
  for (auto it = chain.begin(); it != at; ++it) {
    for (int c : coupling_chain(dia, *it)) {
      if (std::find(spared.begin(), spared.end(), c) == spared.end()) runs.push_back(c);
    }
  }
  free_runs(dia, runs);
}

// Links to n from other runs' next workings are cut.
void unlink_from_previous(DiaTables& dia, int n) {
  for (Diagram& d : dia.diagrams) {
    if (d.in_use() && d.next_working == n) d.next_working = 0;
  }
}

// A temporary dia standing at `rail`; 0 when the rail names none.
int temporary_run(const WorkingsContext& ctx, DiaTables& dia, int rail) {
  int direction = ctx.route.map.direction(rail);
  int n = direction != 0 ? allocate_diagram(dia) : 0;
  if (n != 0) init_temporary_diagram(dia.diagrams[n], rail, direction);
  return n;
}

// A new first working for the duty: built from `time` when given, else a
// temporary dia; with `fall_back` a temporary dia also when no route starts
// at the duty's rail.
EditResult new_first_working(const WorkingsContext& ctx, DiaTables& dia, int train,
                             std::optional<int> time, RunSettings settings,
                             bool fall_back = false) {
  if (!dia.trains.names_record(train)) return EditResult::declined();
  if (time) {
    if (EditResult r = check_start_time(*time); !r.ok()) return r;
  }
  int old = dia.trains[train].first_diagram;
  std::optional<OldRuns> old_runs = ask_about_duty_chain(ctx, dia, old, 0);
  if (!old_runs) return EditResult::declined();

  int rail = duty_rail(dia.trains[train]);
  int n = time ? built_run(ctx, dia, rail, *time, settings) : 0;
  if (n == 0 && (!time || fall_back)) n = temporary_run(ctx, dia, rail);
  if (n == 0) return operation_error("現在位置からのダイヤを作成できません");
  if (*old_runs == OldRuns::Delete) delete_chain(dia, old);
  install_first_working(dia, train, n);
  return EditResult::done(n);
}

// The run of n's coupling chain that a next working (continuing or turning
// back) is attached to: the rear of the train as it runs on, unless n splits
// or merges at its end; then n alone gets it.
struct WorkingBase {
  int run = 0;
  bool alone = false;
};
WorkingBase working_base(const DiaTables& dia, int n, bool turn_back) {
  CouplingRelations relations(dia);
  if (!relations.partners(n).empty()) return {n, true};
  std::vector<int> chain = coupling_chain(dia, n);
  return {turn_back ? chain.front() : chain.back(), false};
}

// The runs coupled with `base`, nearest first as the train runs on after the
// end of base's run (the order reverses at a turnback).
std::vector<int> coupled_others(const DiaTables& dia, int base, bool turn_back) {
  std::vector<int> chain = coupling_chain(dia, base);
  std::vector<int> others;
  if (turn_back) {
    others.assign(chain.begin(), chain.end());
  } else {
    others.assign(chain.rbegin(), chain.rend());
  }
  std::erase(others, base);
  return others;
}

// Each run coupled with `base` gets a coupled copy of the chain from `next`
// (base's new next working) as its next working, coupled ahead of it in the
// order the train runs in.
void give_coupled_copies(DiaTables& dia, int base, int next, bool turn_back) {
  for (int c : coupled_others(dia, base, turn_back)) {
    dia.diagrams[c].next_working = copy_chain_coupled(dia, next, false);
  }
}

// The question before base's next working is replaced; nullopt on Cancel.
std::optional<OldRuns> ask_about_next(const WorkingsContext& ctx, const DiaTables& dia, int base,
                                      int chosen) {
  int old = dia.diagrams[base].next_working;
  if (!run_in_use(dia, old)) return OldRuns::None;
  if (chosen != 0 && on_working_chain(dia, old, chosen)) return OldRuns::None;
  if (ctx.executed_time) return OldRuns::Keep;
  return ask_delete(ctx.prompt, kDeleteFromNextWorking);
}

// Everything a new next working needs before it is built.
struct NextWorkingPlan {
  int base = 0;
  bool alone = false;
  bool turn_back = false;
  int old_next = 0;
  OldRuns old_runs = OldRuns::None;
  int rail = 0;
  int time = 0;
};

std::optional<NextWorkingPlan> plan_next_working(const WorkingsContext& ctx, const DiaTables& dia,
                                                 int n, bool turn_back, EditResult& refusal) {
  refusal = EditResult::declined();
  if (!run_in_use(dia, n) || dia.diagrams[n].event_count() == 0) return std::nullopt;
  NextWorkingPlan plan;
  plan.turn_back = turn_back;
  WorkingBase found = working_base(dia, n, turn_back);
  plan.base = found.run;
  plan.alone = found.alone;
  const Diagram& base = dia.diagrams[plan.base];
  if (base.event_count() == 0) return std::nullopt;
  std::optional<OldRuns> old_runs = ask_about_next(ctx, dia, plan.base, 0);
  if (!old_runs) return std::nullopt;
  plan.old_runs = *old_runs;
  plan.old_next = base.next_working;

  const DiaEvent& last = base.events[base.event_count() - 1];
  const TimingLookup& timing = ctx.route.timing;
  plan.rail = turn_back ? ctx.route.map.dual(last.rail) : last.rail;
  int wait = turn_back ? timing.turnback_time(last.rail, base.train_type, base.speed_type)
                       : timing.stop_time(last.rail, base.train_type, base.speed_type);
  plan.time = last.time != 0 ? last.time + wait : 0;
  if (ctx.executed_time) {
    int now = round_up_to_unit(*ctx.executed_time, timing.settings().unit);
    if (timetext::order_key(plan.time) < timetext::order_key(now)) plan.time = now;
  }
  refusal = operation_error("次運用のダイヤを作成できません");
  if (plan.rail == 0) return std::nullopt;
  return plan;
}

// Links the built next working and deals with the old one.
void finish_next_working(DiaTables& dia, const NextWorkingPlan& plan, int next) {
  dia.diagrams[plan.base].next_working = next;
  if (!plan.alone) give_coupled_copies(dia, plan.base, next, plan.turn_back);
  if (plan.old_runs == OldRuns::Delete && run_in_use(dia, plan.old_next) &&
      !on_working_chain(dia, next, plan.old_next)) {
    delete_chain(dia, plan.old_next);
  }
  recompute_owners(dia);
}

}  // namespace

std::optional<bool> ask_delete_next_workings(Prompt& prompt) {
  const std::optional<OldRuns> answer = ask_delete(prompt, kDeleteFromNextWorking);
  if (!answer) return std::nullopt;
  return *answer == OldRuns::Delete;
}

int duty_rail(const Train& duty) {
  return duty.position.current_rail != 0 ? duty.position.current_rail : duty.initial_rail;
}

EditResult create_run_at(const WorkingsContext& ctx, DiaTables& dia, int rail, int time,
                         RunSettings settings) {
  if (EditResult r = check_start_time(time); !r.ok()) return r;
  int n = built_run(ctx, dia, rail, time, settings);
  if (n == 0) return operation_error("指定位置からのダイヤを作成できません");
  return EditResult::done(n);
}

EditResult create_run_at_duty(const WorkingsContext& ctx, DiaTables& dia, int train, int time,
                              RunSettings settings) {
  return new_first_working(ctx, dia, train, time, settings);
}

EditResult create_temporary_run(const WorkingsContext& ctx, DiaTables& dia, int train) {
  return new_first_working(ctx, dia, train, std::nullopt, nullptr);
}

EditResult recreate_first_working(const WorkingsContext& ctx, DiaTables& dia, int train) {
  if (!dia.trains.names_record(train)) return EditResult::declined();
  int old = dia.trains[train].first_diagram;
  if (!run_in_use(dia, old) || dia.diagrams[old].events.empty() || is_temporary(dia, old)) {
    return new_first_working(ctx, dia, train, std::nullopt, nullptr);
  }
  const Diagram like = dia.diagrams[old];
  return new_first_working(ctx, dia, train, like.events[0].time, &like, true);
}

EditResult choose_first_working(const WorkingsContext& ctx, DiaTables& dia, int train, int n) {
  if (!dia.trains.names_record(train) || !run_in_use(dia, n)) return EditResult::declined();
  int old = dia.trains[train].first_diagram;
  std::optional<OldRuns> old_runs = ask_about_duty_chain(ctx, dia, old, n);
  if (!old_runs) return EditResult::declined();
  if (EditResult r = set_first_working(ctx.route, dia, train, n); !r.ok()) return r;
  unlink_from_previous(dia, n);
  if (*old_runs == OldRuns::Delete) delete_old_duty_chain(dia, old, n);
  if (old != n) install_first_working(dia, train, n);
  recompute_owners(dia);
  return EditResult::done(n);
}

EditResult create_next_working(const WorkingsContext& ctx, DiaTables& dia, int n, bool turn_back,
                               RunSettings settings) {
  EditResult refusal = EditResult::declined();
  std::optional<NextWorkingPlan> plan = plan_next_working(ctx, dia, n, turn_back, refusal);
  if (!plan) return refusal;
  int next = built_run(ctx, dia, plan->rail, plan->time, settings);
  if (next == 0) return refusal;
  finish_next_working(dia, *plan, next);
  return EditResult::done(next);
}

EditResult create_next_from_pattern(const WorkingsContext& ctx, DiaTables& dia, int n, int pattern,
                                    int time, const PatternTable& patterns) {
  if (!run_in_use(dia, n)) return EditResult::declined();
  int t = patterns.names_record(pattern) ? patterns[pattern].template_diagram : 0;
  if (!run_in_use(dia, t)) return EditResult::refused("エラー", "始発駅が違います。");
  if (EditResult r = check_start_time(time); !r.ok()) return r;
  bool turn_back = dia.diagrams[t].direction != dia.diagrams[n].direction;

  EditResult refusal = EditResult::declined();
  std::optional<NextWorkingPlan> plan = plan_next_working(ctx, dia, n, turn_back, refusal);
  if (!plan) return refusal;
  DiaSnapshot before(dia);
  int next = built_run(ctx, dia, plan->rail, time, nullptr);
  if (next == 0) return refusal;
  RouteHooks hooks = route_hooks(ctx.route, dia);
  EditResult applied =
      apply_pattern(dia, next, pattern, time, patterns, ctx.route.map.tables(), hooks, ctx.prompt);
  if (!applied.ok()) {
    std::move(before).restore_into(dia);
    return applied;
  }
  finish_next_working(dia, *plan, next);
  return EditResult::done(next);
}

EditResult choose_next_working(const WorkingsContext& ctx, DiaTables& dia, int n, int chosen) {
  const EditResult no_route = EditResult::refused(kPathErrorCaption, kNoRouteWithThisDia);
  if (!run_in_use(dia, n) || !run_in_use(dia, chosen) || n == chosen) {
    return EditResult::declined();
  }
  bool turn_back = dia.diagrams[chosen].direction != dia.diagrams[n].direction;
  WorkingBase found = working_base(dia, n, turn_back);
  int base = found.run;
  // Of the chosen run's coupling chain only the rear run stays.
  std::vector<int> chosen_chain = coupling_chain(dia, chosen);
  chosen = chosen_chain.back();
  std::vector<int> doomed;
  for (int r : chosen_chain) {
    if (r == chosen) continue;
    for (int f : working_chain(dia, r)) doomed.push_back(f);
  }
  std::vector<int> kept = working_chain(dia, chosen);
  for (int r : coupling_chain(dia, base)) {
    // The train itself, or a chain that would come back to it.
    if (std::find(doomed.begin(), doomed.end(), r) != doomed.end() ||
        std::find(kept.begin(), kept.end(), r) != kept.end()) {
      return no_route;
    }
  }
  std::optional<OldRuns> old_runs = ask_about_next(ctx, dia, base, chosen);
  if (!old_runs) return EditResult::declined();
  int old_next = dia.diagrams[base].next_working;

  DiaSnapshot before(dia);
  std::erase_if(doomed,
                [&](int r) { return std::find(kept.begin(), kept.end(), r) != kept.end(); });
  free_runs(dia, doomed);
  for (int p = 1; p <= dia.diagrams.extent(); ++p) {
    if (!run_in_use(dia, p) || dia.diagrams[p].next_working != chosen) continue;
    for (int c : coupling_chain(dia, p)) dia.diagrams[c].next_working = 0;
  }
  // It is on n's chain now, no longer where another formation's chain begins.
  for (Unit& u : dia.units) {
    if (u.first_diagram == chosen) u.first_diagram = 0;
  }
  for (Train& t : dia.trains) {
    if (t.first_diagram == chosen) t.first_diagram = 0;
  }
  if (!attach_next_working(ctx.route, dia, base, chosen)) {
    std::move(before).restore_into(dia);
    return no_route;
  }
  if (!found.alone) give_coupled_copies(dia, base, chosen, turn_back);
  if (*old_runs == OldRuns::Delete && run_in_use(dia, old_next) &&
      !on_working_chain(dia, chosen, old_next)) {
    delete_chain(dia, old_next);
  }
  recompute_owners(dia);
  return EditResult::done(chosen);
}

EditResult end_working(const WorkingsContext& ctx, DiaTables& dia, int n) {
  if (!run_in_use(dia, n)) return EditResult::declined();
  std::vector<int> old_nexts;
  for (int c : coupling_chain(dia, n)) {
    if (run_in_use(dia, dia.diagrams[c].next_working)) {
      old_nexts.push_back(dia.diagrams[c].next_working);
    }
  }
  if (old_nexts.empty()) return EditResult::done(n);
  std::optional<OldRuns> old_runs = OldRuns::Keep;
  if (!ctx.executed_time) old_runs = ask_delete(ctx.prompt, kDeleteFromNextWorking);
  if (!old_runs) return EditResult::declined();
  for (int c : coupling_chain(dia, n)) dia.diagrams[c].next_working = 0;
  if (*old_runs == OldRuns::Delete) {
    for (int old : old_nexts) {
      if (run_in_use(dia, old)) delete_chain(dia, old);
    }
  }
  recompute_owners(dia);
  return EditResult::done(n);
}

}  // namespace vosk::dia
