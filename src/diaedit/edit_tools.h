#pragma once
// What one dia edit reads and calls, built over a data set as it stands:
// the map views, the rail index, the standard times, the route follow-up
// that carries changes to coupled runs, and the route hooks of the timing
// operations. Build one per operation; do not keep it across a reload.
#include <memory>

#include "datafiles/data_set.h"
#include "dia/map_view.h"
#include "dia/rail_index.h"
#include "dia/route_hooks.h"
#include "dia/timing_lookup.h"
#include "dia/workings.h"
#include "dia/workings_follow_up.h"

namespace vosk::diaedit {

class EditTools {
 public:
  // `correct_after_route_change`: whether route changes re-time the run
  // (the automatic correction rule for stop-type edits).
  EditTools(datafiles::DataSet& data, bool correct_after_route_change = true);
  EditTools(const EditTools&) = delete;
  EditTools& operator=(const EditTools&) = delete;

  datafiles::DataSet& data() { return data_; }
  dia::DiaTables& dia() { return data_.dia; }
  const dia::TimingLookup& timing() const { return timing_; }
  const dia::MapTablesRef& tables() const { return tables_; }
  const dia::RouteContext& route() const { return route_; }
  const dia::RouteHooks& hooks() const { return hooks_; }
  const dia::PatternTable& patterns() const { return data_.classification.patterns; }
  dia::WorkingsContext workings(Prompt& prompt) const { return {route_, prompt, std::nullopt}; }

 private:
  datafiles::DataSet& data_;
  dia::MapView view_;
  dia::MapTablesRef tables_;
  dia::RailIndex index_;
  dia::TimingLookup timing_;
  dia::WorkingsRouteFollowUp follow_up_;
  dia::RouteContext route_;
  dia::RouteHooks hooks_;
};

}  // namespace vosk::diaedit
