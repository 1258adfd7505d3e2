#pragma once
// The map tables the timing operations and the dia checks read, held by
// reference so that a dia operation never copies the map.
#include <string>

#include "base/record_table.h"
#include "dia/map_lookup.h"
#include "map/p_rail.h"
#include "map/rail.h"
#include "map/station.h"
#include "map/target.h"

namespace vosk::dia {

struct MapTablesRef {
  const RecordTable<map::Rail>& rails;
  const RecordTable<map::PRail>& prails;
  const RecordTable<map::Target>& targets;
  const RecordTable<map::Station>& stations;

  // The rail record, or nullptr for a number that names no rail.
  const map::Rail* rail(int n) const { return rails.names_record(n) ? &rails[n] : nullptr; }
  // The PRail carrying rail n, or nullptr.
  const map::PRail* track_of(int n) const {
    const map::Rail* r = rail(n);
    return r != nullptr && prails.names_record(r->l_pack) ? &prails[r->l_pack] : nullptr;
  }
  int rail_target(int n) const {
    const map::Rail* r = rail(n);
    return r != nullptr ? r->target : 0;
  }
};

// The record lookups answered from the same tables (for auto_destination).
class MapTablesLookup : public MapLookup {
 public:
  explicit MapTablesLookup(const MapTablesRef& map) : map_(map) {}
  int rail_station(int n) const override { return fact(n, &map::Rail::station); }
  int rail_target(int n) const override { return fact(n, &map::Rail::target); }
  int rail_direction(int n) const override { return fact(n, &map::Rail::direction); }
  int rail_stop_distance(int n) const override { return fact(n, &map::Rail::stop_distance); }
  int rail_dual(int n) const override { return fact(n, &map::Rail::l_dual); }
  std::string station_name(int station) const override {
    return map_.stations.names_record(station) ? map_.stations[station].name : std::string();
  }

 private:
  int fact(int n, int map::Rail::*field) const {
    const map::Rail* r = map_.rail(n);
    return r != nullptr ? r->*field : 0;
  }
  const MapTablesRef& map_;
};

}  // namespace vosk::dia
