#pragma once
// The point path search: a way from one rail to another through points
// only, never through a station stopping rail. Used when the start of a run
// moves (a duty's position, the end of the previous working).
#include <optional>
#include <vector>

#include "dia/dia_event.h"
#include "dia/map_view.h"
#include "dia/rail_index.h"

namespace vosk::dia {

// Searches depth first from the rail after `from` to `goal`. At a point whose
// route table lists the approaching rail both ways every branch is tried in
// rail-number order (a type-4 entry each), at any other point the way is
// fixed (type 5). The result is the point entries with time 0 followed by
// the end entry (goal, 0, 0); nullopt when the goal cannot be reached. A
// branch that is the goal itself ends the search there.
std::optional<std::vector<DiaEvent>> find_point_path(const MapView& map, const RailIndex& index,
                                                     int from, int goal);

}  // namespace vosk::dia
