#pragma once
// What the dia checks read: the dia, the series, the map and the standard
// times (through the timing lookup), and the split/merge relations. Checks
// never change any of it.
#include "dia/coupling_relations.h"
#include "dia/dia_tables.h"
#include "dia/timing_lookup.h"
#include "stock/series.h"

namespace vosk::dia {

struct CheckContext {
  const DiaTables& dia;
  const stock::SeriesTable& series;
  const TimingLookup& timing;
  const CouplingRelations& relations;

  const MapTablesRef& map() const { return timing.map(); }
  // Diagram n when it is in use, else nullptr.
  const Diagram* run(int n) const {
    return dia.diagrams.names_record(n) && dia.diagrams[n].in_use() ? &dia.diagrams[n] : nullptr;
  }
  // The series of run n's owning formation, or nullptr.
  const stock::Series* series_of(int n) const;
  // The owning formation of run n, or nullptr.
  const Unit* formation_of(int n) const;
};

// The switches that turn checks on.
struct CheckSettings {
  bool use_duplicate = true;  // settings [Setting] UseDuplicate: platform overlaps
  bool use_electri = false;   // header UseElectri: electrification
};

}  // namespace vosk::dia
