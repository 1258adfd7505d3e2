#pragma once
// The follow-up of route changes in the editor: besides attaching the next
// working again and re-timing the run (StandardRouteFollowUp), the runs
// coupled with a changed run run with it, so they take its new events and
// their own next workings are attached to the new end again.
#include "dia/route_edits.h"

namespace vosk::dia {

class WorkingsRouteFollowUp : public StandardRouteFollowUp {
 public:
  using StandardRouteFollowUp::StandardRouteFollowUp;

  void relink(DiaTables& dia, int n, int next_working) override;
};

}  // namespace vosk::dia
