#include "dia/check_context.h"

namespace vosk::dia {

const stock::Series* CheckContext::series_of(int n) const {
  const Unit* unit = formation_of(n);
  return unit != nullptr && series.names_record(unit->series) ? &series[unit->series] : nullptr;
}

const Unit* CheckContext::formation_of(int n) const {
  const Diagram* d = run(n);
  if (d == nullptr || !dia.units.names_record(d->run.owning_unit)) return nullptr;
  return &dia.units[d->run.owning_unit];
}

}  // namespace vosk::dia
