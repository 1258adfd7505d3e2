#include "datafiles/dia_editing.h"

#include "datafiles/dia_tools.h"
#include "dia/renumbering.h"

namespace vosk::datafiles {

DiaEditing::DiaEditing(DataSet& ds, Prompt& prompt)
    : map_{ds.map.rails, ds.map.prails, ds.map.points, ds.map.targets, ds.map.stations},
      index_(map_),
      tables_(map_.tables()),
      timing_(tables_, ds.classification, timing_settings(ds.header)),
      follow_up_(map_, index_, timing_, true),
      route_{map_, index_, timing_, &follow_up_},
      workings_{route_, prompt, std::nullopt},
      formations_{workings_, ds.series, ds.header.map.use_electri != 0,
                  ds.header.map.use_characteristic != 0} {}

dia::SpeedTypeUsers speed_type_users(dia::DiaTables& dia) {
  dia::SpeedTypeUsers users;
  users.in_use = [&dia](int n) { return !runs_with_speed_type(dia, n).empty(); };
  users.renumber = [&dia](int removed) {
    for (dia::Diagram& d : dia.diagrams) {
      d.speed_type = dia::renumbered_after_removal(d.speed_type, removed);
    }
  };
  return users;
}

std::vector<int> runs_with_speed_type(const dia::DiaTables& dia, int n) {
  std::vector<int> runs;
  for (int d = 1; d <= dia.diagrams.extent(); ++d) {
    if (dia.diagrams[d].in_use() && dia.diagrams[d].speed_type == n) runs.push_back(d);
  }
  return runs;
}

}  // namespace vosk::datafiles
