#include "dia/point_switch.h"

#include <algorithm>
#include <optional>

#include "dia/coupling_relations.h"
#include "dia/route_builder.h"
#include "dia/stop_plan.h"
#include "dia/working_chains.h"

namespace vosk::dia {

EditResult switch_point(const RouteContext& ctx, DiaTables& dia, int n, std::size_t i) {
  if (!run_in_use(dia, n)) return EditResult::declined();
  const Diagram& run = dia.diagrams[n];
  if (i == 0 || i >= run.event_count()) return EditResult::declined();
  const DiaEvent point_event = run.events[i];
  if (point_event.type != kEventPointBoth && point_event.type != kEventPoint) {
    return EditResult::declined();
  }
  if (run.applied_pattern != 0) {
    return EditResult::refused(
        caption::kOperationError,
        "ダイヤパターンが適用されているダイヤのポイントの変更はできません。");
  }
  const MapView& map = ctx.map;
  int point = map.point_of(point_event.rail);
  int from = map.back_rail(point_event.rail);
  std::vector<int> branches = current_followers(map, ctx.index, from);
  auto after = std::upper_bound(branches.begin(), branches.end(), point_event.rail);
  std::rotate(branches.begin(), after, branches.end());

  std::optional<std::vector<DiaEvent>> events;
  StopPlan plan = load_stop_plan(run, map);
  for (int j : branches) {
    if (j == point_event.rail) continue;
    std::vector<DiaEvent> prefix(run.events.begin(), run.events.begin() + static_cast<long>(i));
    prefix.push_back({j, point_event.time, point_event.type});
    plan.set_point(point, j, point_event.time);
    events = continue_route(ctx, run, plan, std::move(prefix));
    if (events) break;
  }
  if (!events) {
    return EditResult::refused("ポイントエラー",
                               "ポイントを切り替えた場合に、経路が見つかりません。");
  }
  // The train it couples with stands (or will stand) at the old end.
  const int old_end = run.events[run.event_count() - 1].rail;
  const int new_end = (*events)[events->size() - 1].rail;
  if (new_end != old_end && CouplingRelations(dia).couples_at_end(n)) {
    return EditResult::refused("併結エラー", "ポイントを切り替えた場合に、併結できません。");
  }
  dia.diagrams[n].events = std::move(*events);
  if (ctx.follow_up != nullptr) {
    ctx.follow_up->relink(dia, n, plan.next_working);
    ctx.follow_up->retime(dia, n, i);
  }
  return EditResult::done(n);
}

}  // namespace vosk::dia
