#pragma once
// The contexts the dia model's edit operations take, made for one data set:
// the map view with its rail index, the timing lookups, the follow-up of
// route changes, and on top the workings and formation contexts. Made for
// one edit (a dialog session) and dropped after it: the rail index holds
// the map as it was when made.
#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "dia/formations.h"
#include "dia/map_view.h"
#include "dia/rail_index.h"
#include "dia/speed_type.h"
#include "dia/timing_lookup.h"
#include "dia/workings.h"
#include "dia/workings_follow_up.h"

namespace vosk::datafiles {

class DiaEditing {
 public:
  DiaEditing(DataSet& ds, Prompt& prompt);
  DiaEditing(const DiaEditing&) = delete;
  DiaEditing& operator=(const DiaEditing&) = delete;

  const dia::WorkingsContext& workings() const { return workings_; }
  const dia::FormationContext& formations() const { return formations_; }

 private:
  dia::MapView map_;
  dia::RailIndex index_;
  dia::MapTablesRef tables_;
  dia::TimingLookup timing_;
  dia::WorkingsRouteFollowUp follow_up_;
  dia::RouteContext route_;
  dia::WorkingsContext workings_;
  dia::FormationContext formations_;
};

// The diagrams' side of deleting a speed type: whether a run in use has it,
// and the renumbering of every diagram's speed type after a removal.
dia::SpeedTypeUsers speed_type_users(dia::DiaTables& dia);

// Runs in use with speed type `n`, in diagram order.
std::vector<int> runs_with_speed_type(const dia::DiaTables& dia, int n);

}  // namespace vosk::datafiles
