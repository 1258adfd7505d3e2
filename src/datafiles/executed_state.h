#pragma once
// The executed-state snapshot: the dia, the interlocking state of the map
// and the accidents at one moment, in the shape of the stack member
// (stack.csv) that executed data (.qve) and rollback files carry.
//
// The simulators that share the format keep much more run-time state in it
// than this editor models. A snapshot therefore holds every record as the
// file has it; making one from the live model fills the fields the model
// has and takes every other value from the executed state restored last
// (zero when there is none), so an executed data set that is opened and
// saved again keeps what only the simulators understand.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "datafiles/data_set.h"
#include "datafiles/stack_layout.h"
#include "dia/accident.h"
#include "dia/dia_event.h"
#include "map/point.h"

namespace vosk::datafiles {

// The values of one record line, in file order by kind (see StackLayout).
struct StackRecord {
  std::vector<std::int32_t> numbers;  // ints and longs
  std::vector<std::string> texts;     // CP932 bytes as read
  std::vector<std::string> reals;     // the digits as read, or as "%lf" writes them

  // A line of zeros and empty texts for `layout`.
  static StackRecord blank(const StackLayout& layout);
  bool fits(const StackLayout& layout) const;
  bool operator==(const StackRecord&) const = default;
};

using StackTriple = std::array<std::int32_t, 3>;

struct DiagramState {
  StackRecord line;
  // Written only when the diagram is in use (its first value nonzero); the
  // last entry is the end entry (type 0).
  std::vector<dia::DiaEvent> events;
  bool operator==(const DiagramState&) const = default;
};

struct TrainState {
  StackRecord line;
  std::vector<std::int32_t> per_station;  // one value per station; empty when absent
  bool operator==(const TrainState&) const = default;
};

struct UnitState {
  StackRecord line;
  std::vector<std::array<std::int32_t, kStackUnitEntryValues>> entries;  // full snapshots only
  bool operator==(const UnitState&) const = default;
};

struct PointState {
  // The point's sequence-control list, up to and including the entry whose
  // first value is 0; empty when the point has none.
  std::vector<StackTriple> sequence;
  // The 20 rail blocks: the rail of index i, then per position s the
  // triple open[i][s], next[i][s], back[i][s], as point2.csv lays them out.
  std::array<int, map::kPointMaxRails> rails{};
  map::Point::PerPosition open{};
  map::Point::PerPosition next{};
  map::Point::PerPosition back{};
  StackRecord line;
  bool operator==(const PointState&) const = default;
};

struct StationState {
  StackRecord line;
  // Columns 1 .. station count (the section's highest record number); index
  // 0 holds column 1.
  std::vector<std::array<std::int32_t, kStackStationColumnValues>> columns;
  bool operator==(const StationState&) const = default;
};

// Every section holds records 0 .. N: its size is N + 1.
struct ExecutedState {
  // Unit entry lists are included. Every snapshot made or read here is full.
  bool full = true;
  std::int32_t time = 0;                  // seconds after midnight of the dia day
  std::array<std::int32_t, 2> manager{};  // the rollback manager's two values, carried
  std::vector<DiagramState> diagrams;
  std::vector<TrainState> trains;
  std::vector<UnitState> units;
  std::vector<PointState> points;
  std::vector<StackRecord> route_levers;
  std::vector<StackRecord> route_buttons;
  std::vector<StationState> stations;
  std::vector<StackRecord> rails;
  std::vector<StackRecord> p_rails;
  std::vector<dia::AccidentBetween> accident_between;
  std::vector<dia::AccidentRail> accident_rail;
  std::vector<dia::AccidentPoint> accident_point;
  std::vector<dia::AccidentUnit> accident_unit;
  std::vector<dia::AccidentStation> accident_station;

  bool operator==(const ExecutedState&) const = default;
};

// The executed state that belongs to the data set in memory: the snapshot
// restored into it last (opening executed data, a rollback, a recovery), or
// none. Opening a data set without a stack member sets it to none.
using CarriedState = std::shared_ptr<const ExecutedState>;

// A full snapshot of `live` at `time`. Values the model does not hold come
// from `carried`, record by record number, or are 0 and empty texts.
ExecutedState make_snapshot(const DataSet& live, std::int32_t time,
                            const ExecutedState* carried = nullptr);

// Copies the modelled fields of `snapshot` into `live`: the dia tables and
// the accident tables take the snapshot's sizes, and so do the point, route
// lever, route button, station and PRail tables (capacities only grow, so
// the header's table sizes stay). Rails are left as they are, except that
// a point whose position changes is set to it again, which relinks its
// rails. Then the owning units and the duties' positions on the map are
// recomputed, as after an open.
void restore_snapshot(const ExecutedState& snapshot, DataSet& live);

}  // namespace vosk::datafiles
