#pragma once
// The route builder: walks the map from a run's start, rail by rail in the
// running direction, and turns every station stopping rail and every point
// it meets into events, as the stop plan says. The walk ends at the end of
// the line, at a stopping place where the run terminates, or where no way on
// exists.
#include <optional>
#include <vector>

#include "dia/dia_tables.h"
#include "dia/route_context.h"
#include "dia/stop_plan.h"

namespace vosk::dia {

// The events of a route that continues `prefix`: the walk starts after the
// rail of prefix's last event. nullopt when that rail has no next rail or
// the walk adds nothing (a route ending on a point branch that leads nowhere
// is first tried on the point's other branches, then cut back to the last
// non-point event). The result ends with its end entry (type 0). `run`
// supplies the train and speed types for standard times.
std::optional<std::vector<DiaEvent>> continue_route(const RouteContext& ctx, const Diagram& run,
                                                    const StopPlan& plan,
                                                    std::vector<DiaEvent> prefix);

// Builds run n's route from its first event (start rail, start time, type
// already set) by `plan`. On success the events are replaced, then the
// follow-up relinks the next working and re-times the run; false changes
// nothing (no such run, no events, no route from the start).
bool build_route(const RouteContext& ctx, DiaTables& dia, int n, const StopPlan& plan);

// build_route with the plan loaded from the run as it stands.
bool rebuild_route(const RouteContext& ctx, DiaTables& dia, int n);

}  // namespace vosk::dia
