#include "dia/dia_tables.h"

#include <algorithm>

namespace vosk::dia {
namespace {

int bounded(int n) { return std::clamp(n, 0, kMaxDiaRecordNumber); }

}  // namespace

void allocate_dia_tables(DiaTables& dia, const DiaCapacities& c) {
  dia.trains.allocate(bounded(c.train));
  dia.units.allocate(bounded(c.unit));
  dia.diagrams.allocate(bounded(c.diagram));
  dia.accidents.between.allocate(bounded(c.accident_between));
  dia.accidents.rail.allocate(bounded(c.accident_rail));
  dia.accidents.point.allocate(bounded(c.accident_point));
  dia.accidents.unit.allocate(bounded(c.accident_unit));
  dia.accidents.station.allocate(bounded(c.accident_station));
}

DiaCapacities dia_capacities(const DiaTables& dia) {
  DiaCapacities c;
  c.diagram = dia.diagrams.capacity();
  c.train = dia.trains.capacity();
  c.unit = dia.units.capacity();
  c.accident_between = dia.accidents.between.capacity();
  c.accident_rail = dia.accidents.rail.capacity();
  c.accident_point = dia.accidents.point.capacity();
  c.accident_unit = dia.accidents.unit.capacity();
  c.accident_station = dia.accidents.station.capacity();
  return c;
}

}  // namespace vosk::dia
