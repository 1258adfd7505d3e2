#pragma once
// The record tables of one dia: duties, formations, runs and the planned
// accidents. One DiaTables is the live dia; a copy of it is an undo snapshot.
#include "base/record_table.h"
#include "dia/accident.h"
#include "dia/diagram.h"
#include "dia/train.h"
#include "dia/unit.h"

namespace vosk::dia {

using TrainTable = RecordTable<Train>;
using UnitTable = RecordTable<Unit>;
using DiagramTable = RecordTable<Diagram>;

// An accident table holds exactly its capacity's records: its member lists
// records 1 .. capacity whatever the extent.
struct AccidentTables {
  RecordTable<AccidentBetween> between;
  RecordTable<AccidentRail> rail;
  RecordTable<AccidentPoint> point;
  RecordTable<AccidentUnit> unit;
  RecordTable<AccidentStation> station;
};

// Highest record number each table may hold, from the header's table sizes.
struct DiaCapacities {
  int diagram = 0;
  int train = 0;
  int unit = 0;
  int accident_between = 0;
  int accident_rail = 0;
  int accident_point = 0;
  int accident_unit = 0;
  int accident_station = 0;

  bool operator==(const DiaCapacities&) const = default;
};

// Record numbers above this are refused even where a table may grow, so that
// one damaged line cannot demand gigabytes.
inline constexpr int kMaxDiaRecordNumber = 1'000'000;

struct DiaTables {
  TrainTable trains;
  UnitTable units;
  DiagramTable diagrams;
  AccidentTables accidents;
  // Initial room of a diagram's event list: points + 2 × targets + 1 of the
  // map. Lists grow past it when a run needs more.
  int event_capacity = 0;
};

// Empties every table and sets its capacity (values outside 0 ..
// kMaxDiaRecordNumber are brought into that range).
void allocate_dia_tables(DiaTables& dia, const DiaCapacities& capacities);

// The capacities to write back as table sizes.
DiaCapacities dia_capacities(const DiaTables& dia);

}  // namespace vosk::dia
