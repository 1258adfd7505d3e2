#include "dia/workings_follow_up.h"

#include "dia/working_chains.h"

namespace vosk::dia {

void WorkingsRouteFollowUp::relink(DiaTables& dia, int n, int next_working) {
  StandardRouteFollowUp::relink(dia, n, next_working);
  if (!run_in_use(dia, n)) return;
  for (int c : coupling_chain(dia, n)) {
    // A run coupled the other way round is damaged data; its route stays.
    if (c == n || dia.diagrams[c].direction != dia.diagrams[n].direction) continue;
    // The list keeps the coupled run's own storage.
    dia.diagrams[c].events.assign(dia.diagrams[n].events.begin(), dia.diagrams[n].events.end());
    StandardRouteFollowUp::relink(dia, c, dia.diagrams[c].next_working);
  }
}

}  // namespace vosk::dia
