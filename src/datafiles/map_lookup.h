#pragma once
// The map facts the dia records need, answered from the loaded map tables.
#include "datafiles/data_set.h"
#include "dia/map_lookup.h"

namespace vosk::datafiles {

class TablesMapLookup : public dia::MapLookup {
 public:
  explicit TablesMapLookup(const MapTables& map) : map_(map) {}
  int rail_station(int rail) const override { return named(rail) ? map_.rails[rail].station : 0; }
  int rail_target(int rail) const override { return named(rail) ? map_.rails[rail].target : 0; }
  int rail_direction(int rail) const override {
    return named(rail) ? map_.rails[rail].direction : 0;
  }
  int rail_stop_distance(int rail) const override {
    return named(rail) ? map_.rails[rail].stop_distance : 0;
  }
  int rail_dual(int rail) const override { return named(rail) ? map_.rails[rail].l_dual : 0; }
  std::string station_name(int station) const override {
    return map_.stations.names_record(station) ? map_.stations[station].name : std::string();
  }

 private:
  bool named(int rail) const { return map_.rails.names_record(rail); }
  const MapTables& map_;
};

}  // namespace vosk::datafiles
