#include "datafiles/dia_tools.h"

#include "datafiles/map_lookup.h"
#include "dia/auto_timing.h"
#include "dia/coupling_relations.h"
#include "dia/dia_operations.h"
#include "dia/numbering.h"
#include "dia/pattern_apply.h"
#include "dia/timing_lookup.h"

namespace vosk::datafiles {
namespace {

dia::MapTablesRef map_ref(const DataSet& ds) {
  return {ds.map.rails, ds.map.prails, ds.map.targets, ds.map.stations};
}

}  // namespace

dia::TimingSettings timing_settings(const Header& header) {
  dia::TimingSettings s;
  s.unit = header.dia.unit;
  s.stop.standard = header.dia.standard;
  s.stop.reverse = header.dia.reverse;
  s.stop.per_speed_type = header.dia.stop_time_velocity == 1;
  s.wdia_mode = header.wdia_mode != 0;
  return s;
}

std::vector<dia::RunFindings> check_every_run(const DataSet& ds, bool use_duplicate) {
  dia::MapTablesRef map = map_ref(ds);
  dia::TimingLookup timing(map, ds.classification, timing_settings(ds.header));
  dia::CouplingRelations relations(ds.dia);
  dia::CheckContext ctx{ds.dia, ds.series, timing, relations};
  return dia::check_all_runs(ctx, {use_duplicate, ds.header.map.use_electri != 0});
}

RetimeResult retime_missing(DataSet& ds) {
  dia::MapTablesRef map = map_ref(ds);
  dia::TimingLookup timing(map, ds.classification, timing_settings(ds.header));
  // Measuring changes times only, never the coupling the relations hold.
  const dia::CouplingRelations relations(ds.dia);
  RetimeResult result;
  for (int n = 1; n <= ds.dia.diagrams.extent(); ++n) {
    if (ds.dia.diagrams[n].direction == 0 || !dia::times_missing(ds.dia, n)) continue;
    std::vector<dia::DiaEvent> before = ds.dia.diagrams[n].events;
    dia::measure_missing_times(ds.dia, n, timing, relations);
    if (ds.dia.diagrams[n].events != before) {
      ++result.runs_changed;
      if (ds.dia.diagrams[n].pattern_template != 0) dia::mark_pattern_users(ds.dia, n);
    }
  }
  for (int n = 1; n <= ds.dia.diagrams.extent(); ++n) {
    const dia::Diagram& run = ds.dia.diagrams[n];
    if (run.direction == 0 || !dia::times_missing(ds.dia, n)) continue;
    // Counted as times_missing() tests them: events after the first whose
    // type carries a time and whose time is 0.
    for (std::size_t e = 1; e < run.events.size() && run.events[e].type != 0; ++e) {
      int type = run.events[e].type;
      if (((type >= 1 && type <= 5) || type == 7) && run.events[e].time == 0)
        ++result.times_still_missing;
    }
  }
  return result;
}

std::optional<int> number_runs(DataSet& ds, bool serial, Prompt& prompt) {
  const bool right_down = ds.header.map.right_down != 0;
  if (!serial) return dia::number_by_formation(ds.dia, right_down, prompt);
  dia::MapTablesRef map = map_ref(ds);
  dia::TimingLookup timing(map, ds.classification, timing_settings(ds.header));
  return dia::number_serially(ds.dia, timing, ds.header.dia.base_target, right_down, prompt);
}

std::optional<int> set_destinations(DataSet& ds, Prompt& prompt) {
  TablesMapLookup map(ds.map);
  return dia::set_all_destinations(ds.dia, map, prompt);
}

}  // namespace vosk::datafiles
