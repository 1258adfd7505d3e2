#pragma once
// The runs offered when an existing run is chosen as the next working of
// run n (次運用選択), or as the train n's formation is coupled onto (次運用併結):
// runs in use that are no pattern template, leave the stopping place where n
// ends no earlier than n ends, and run the same way as n (continuing) or the
// other way (turning back). A run to follow n leaves from n's track or can
// have its start moved there; a train to couple onto leaves from n's track.
// Left out are the runs coupled with n, n's present next workings, runs
// whose chain (or the chain of a run coupled with them) comes back to n's
// train, and every run but the rear of a coupled train: the choice keeps
// only the rear, so the train is offered once, by its rear run. In order of
// their start times, then numbers.
#include <vector>

#include "dia/dia_tables.h"
#include "dia/route_context.h"

namespace vosk::dia {

enum class NextDirection { Same, Opposite, Either };
enum class NextUse { Follow, Couple };

// Whether a train leaving on rail `start` can be coupled onto by a run
// ending on rail `end`: the same stopping place and the same track.
bool couples_where_ends(const MapView& map, int end, int start);

// Whether a working chain of c's train (c and the runs coupled with it)
// reaches one of the runs `train`.
bool leads_back(const DiaTables& dia, int c, const std::vector<int>& train);

std::vector<int> next_working_candidates(const DiaTables& dia, const RouteContext& route, int n,
                                         NextDirection direction, NextUse use = NextUse::Follow);

}  // namespace vosk::dia
