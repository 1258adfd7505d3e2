#include "dia/route_edits.h"

#include "base/time_text.h"
#include "dia/auto_timing.h"
#include "dia/dia_operations.h"
#include "dia/point_path.h"
#include "dia/route_builder.h"
#include "dia/stop_plan.h"

namespace vosk::dia {
namespace {

constexpr const char* kRouteErrorCaption = "経路エラー";
constexpr const char* kNoFurtherRoute = "これ以上の経路が見つかりません。";
constexpr const char* kPathErrorCaption = "進路エラー";
constexpr const char* kNoRouteWithThisDia = "このダイヤを設定した場合、経路が見つかりません。";

constexpr bool is_stop_or_pass(int type) {
  return type == kEventStop || type == kEventArrival || type == kEventPass ||
         type == kEventStopNoSearch;
}

const Diagram* run_in_use(const DiaTables& dia, int n) {
  if (!dia.diagrams.names_record(n) || !dia.diagrams[n].in_use()) return nullptr;
  return &dia.diagrams[n];
}

}  // namespace

std::optional<std::vector<DiaEvent>> moved_start(const RouteContext& ctx, const Diagram& run,
                                                 int rail) {
  const MapView& map = ctx.map;
  if (run.events.empty() || map.rail(rail) == nullptr) return std::nullopt;
  if (map.direction(rail) != run.direction) rail = map.dual(rail);
  if (rail == 0) return std::nullopt;

  std::size_t k = 1;
  while (k < run.events.size() && !is_stop_or_pass(run.events[k].type)) ++k;
  if (k >= run.events.size()) return std::nullopt;
  std::optional<std::vector<DiaEvent>> path =
      find_point_path(map, ctx.index, rail, run.events[k].rail);
  if (!path) return std::nullopt;

  std::vector<DiaEvent> events;
  events.reserve(path->size() + run.events.size() - k);
  DiaEvent start = run.events[0];
  start.rail = rail;
  events.push_back(start);
  path->pop_back();  // the end entry stands for event k, which stays
  for (DiaEvent e : *path) {
    int running = ctx.timing.running_time(rail, e.rail, e.type, run.speed_type);
    e.time = (running != 0 && start.time != 0) ? start.time + running : 0;
    events.push_back(e);
  }
  events.insert(events.end(), run.events.begin() + static_cast<long>(k), run.events.end());
  return events;
}

bool move_run_start(const RouteContext& ctx, DiaTables& dia, int n, int rail) {
  const Diagram* run = run_in_use(dia, n);
  if (run == nullptr) return false;
  std::optional<std::vector<DiaEvent>> events = moved_start(ctx, *run, rail);
  if (!events) return false;
  dia.diagrams[n].events = std::move(*events);
  return true;
}

bool attach_next_working(const RouteContext& ctx, DiaTables& dia, int n, int next) {
  const Diagram* run = run_in_use(dia, n);
  const Diagram* following = run_in_use(dia, next);
  if (run == nullptr || following == nullptr || n == next) return false;
  std::size_t count = run->event_count();
  if (count == 0 || following->events.empty()) return false;
  int last_rail = run->events[count - 1].rail;
  int first_rail = following->events[0].rail;
  if (ctx.map.target(last_rail) != ctx.map.target(first_rail)) return false;
  if (ctx.map.track(last_rail) != ctx.map.track(first_rail)) {
    std::optional<std::vector<DiaEvent>> events = moved_start(ctx, *following, last_rail);
    if (!events) return false;
    dia.diagrams[next].events = std::move(*events);
  }
  // Owners follow the working chains only; re-attaching the same next
  // working (every rebuild of a linked run does) leaves them as they are.
  if (dia.diagrams[n].next_working != next) {
    dia.diagrams[n].next_working = next;
    recompute_owners(dia);
  }
  return true;
}

EditResult extend_run(const RouteContext& ctx, DiaTables& dia, int n,
                      std::optional<int> simulated_time) {
  const EditResult no_route = EditResult::refused(kRouteErrorCaption, kNoFurtherRoute);
  const Diagram* run = run_in_use(dia, n);
  if (run == nullptr) return no_route;
  std::size_t count = run->event_count();
  if (count == 0 || count >= run->events.size()) return no_route;  // no route yet

  const DiaEvent end = run->events[count];
  // An unset end time stays unset rather than becoming a time after midnight.
  int time = end.time != 0 ? end.time + ctx.timing.plain_stop_time(end.rail) : 0;
  if (simulated_time && timetext::order_key(time) < timetext::order_key(*simulated_time)) {
    time = *simulated_time;
  }
  std::vector<DiaEvent> prefix(run->events.begin(), run->events.begin() + static_cast<long>(count));
  prefix.push_back({end.rail, time, kEventStop});

  StopPlan plan = load_stop_plan(*run, ctx.map);
  // The old terminal is a stop now; a later rail of the same place must not
  // end the route again.
  int end_target = ctx.map.target(end.rail);
  if (plan.mode(end_target) == kModeTerminal) plan.set_stop(end_target, kModeAutomatic, 0);

  std::optional<std::vector<DiaEvent>> events = continue_route(ctx, *run, plan, std::move(prefix));
  if (!events) return no_route;
  dia.diagrams[n].events = std::move(*events);
  if (ctx.follow_up != nullptr) {
    ctx.follow_up->relink(dia, n, plan.next_working);
    ctx.follow_up->retime(dia, n, count + 1);  // the new stop keeps its time
    ctx.follow_up->check(dia, n);
  }
  MapTablesRef tables = ctx.map.tables();
  auto_destination(dia, n, MapTablesLookup(tables));
  return EditResult::done(n);
}

EditResult set_first_working(const RouteContext& ctx, DiaTables& dia, int train, int n) {
  const EditResult no_route = EditResult::refused(kPathErrorCaption, kNoRouteWithThisDia);
  const Diagram* run = run_in_use(dia, n);
  if (run == nullptr || !dia.trains.names_record(train)) return no_route;
  const Train& duty = dia.trains[train];
  int rail = duty.position.current_rail != 0 ? duty.position.current_rail : duty.initial_rail;

  std::optional<std::vector<DiaEvent>> events;
  // A diagram without events has no route yet: there is no start to move.
  if (!run->events.empty() && run->events[0].rail != rail) {
    events = moved_start(ctx, *run, rail);
    if (!events) return no_route;
  }
  if (events) dia.diagrams[n].events = std::move(*events);
  dia.trains[train].first_diagram = n;
  int head = dia.trains[train].head_unit;
  if (dia.units.names_record(head)) dia.units[head].first_diagram = n;
  recompute_owners(dia);
  return EditResult::done(n);
}

void StandardRouteFollowUp::relink(DiaTables& dia, int n, int next_working) {
  if (next_working == 0 || !dia.diagrams.names_record(n)) return;
  RouteContext ctx{map_, index_, timing_, nullptr};
  if (attach_next_working(ctx, dia, n, next_working)) return;
  dia.diagrams[n].next_working = 0;
  recompute_owners(dia);
}

void StandardRouteFollowUp::retime(DiaTables& dia, int n, std::size_t first) {
  if (!correct_times_) return;
  if (relations_ != nullptr) {
    correct_times(dia, n, first, timing_, *relations_);
  } else {
    correct_times(dia, n, first, timing_);
  }
}

}  // namespace vosk::dia
