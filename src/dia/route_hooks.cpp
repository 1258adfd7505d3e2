#include "dia/route_hooks.h"

#include "dia/route_edits.h"
#include "dia/stop_plan.h"

namespace vosk::dia {

RouteHooks route_hooks(const RouteContext& ctx, DiaTables& dia) {
  RouteHooks hooks;
  hooks.extend = [&ctx, &dia](int n) { return extend_run(ctx, dia, n); };
  hooks.move_start = [&ctx, &dia](int n, int rail) { return move_run_start(ctx, dia, n, rail); };
  hooks.relink = [&ctx, &dia](int n) {
    if (ctx.follow_up == nullptr || !dia.diagrams.names_record(n)) return;
    ctx.follow_up->relink(dia, n, load_stop_plan(dia.diagrams[n], ctx.map).next_working);
  };
  return hooks;
}

}  // namespace vosk::dia
