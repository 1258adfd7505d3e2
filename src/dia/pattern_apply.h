#pragma once
// Applying a dia pattern: the pattern's template run is stamped onto a
// diagram at a new start time. And the marks that tell a diagram its
// pattern's template changed since it was applied.
#include "base/prompt.h"
#include "dia/dia_tables.h"
#include "dia/edit_result.h"
#include "dia/map_tables_ref.h"
#include "dia/pattern.h"
#include "dia/route_hooks.h"

namespace vosk::dia {

// After an edit of diagram n: when n is the template of pattern N, every
// diagram with applied_pattern N gets pattern_changed 1. Nothing for other runs.
void mark_pattern_users(DiaTables& dia, int n);

// Applies pattern b to diagram a with start time c; b = 0 removes the
// pattern. Asks before re-applying a changed pattern (Declined on No).
// Refused with the message for the caller to show: a template running the
// other way ("エラー", 方向エラー), a template without a matching start
// ("始発駅が違います。", エラー), or a start that cannot be moved back to a's old
// first rail ("進路設定エラー", エラー; a is restored). The template's times
// are shifted on the operating-day scale, so that a template crossing
// midnight keeps its running times; unset times (0) stay unset. A diagram
// without events (no route yet) takes the template's route as it is.
EditResult apply_pattern(DiaTables& dia, int a, int b, int c, const PatternTable& patterns,
                         const MapTablesRef& map, const RouteHooks& hooks, Prompt& prompt);

}  // namespace vosk::dia
