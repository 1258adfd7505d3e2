#pragma once
// The route operations that timing edits and pattern application call. Route
// building lives with the stop plan; the caller connects these to it, so that
// the timing code needs no route builder of its own.
#include <functional>

#include "dia/dia_tables.h"
#include "dia/edit_result.h"
#include "dia/route_context.h"

namespace vosk::dia {

struct RouteHooks {
  // 延長: extends run n beyond its end and re-times it. Refused with
  // "これ以上の経路が見つかりません。" (経路エラー) when no route goes on; the run
  // then keeps its old end.
  std::function<EditResult(int n)> extend;
  // Moves the start of run n to `rail` along a point path; false, with the run
  // unchanged, when there is none.
  std::function<bool(int n, int rail)> move_start;
  // After n's route or end changed: reloads its stop plan and relinks its
  // next working and coupled runs.
  std::function<void(int n)> relink;
};

// The hooks of the route operations over `ctx` (extend_run, move_run_start,
// and the follow-up's relink with the next working of n's stop plan). Both
// arguments must outlive the hooks.
RouteHooks route_hooks(const RouteContext& ctx, DiaTables& dia);

}  // namespace vosk::dia
