#pragma once
// The few facts about the map that the dia records need. The map model
// provides them; tests use a small table.
#include <string>

namespace vosk::dia {

class MapLookup {
 public:
  virtual ~MapLookup() = default;
  // Facts of rail `rail`; a number that names no rail gives 0 and "".
  virtual int rail_station(int rail) const = 0;  // Station record, 0 = none
  virtual int rail_target(int rail) const = 0;   // Target record, 0 = none
  virtual int rail_direction(int rail) const = 0;
  virtual int rail_stop_distance(int rail) const = 0;  // m, 0 = no stopping mark
  virtual int rail_dual(int rail) const = 0;           // l_dual
  // The station's name (CP932 bytes).
  virtual std::string station_name(int station) const = 0;
};

}  // namespace vosk::dia
