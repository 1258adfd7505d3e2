#include "stock/equal_performance.h"

namespace vosk::stock {

bool equal_performance(const Series& a, const Series& b, bool use_characteristic) {
  bool base = a.door_width == b.door_width && a.max_load == b.max_load &&
              a.max_speed == b.max_speed && a.electrification == b.electrification &&
              a.gauge == b.gauge && a.acceleration == b.acceleration &&
              a.service_brake == b.service_brake && a.atc_brake == b.atc_brake &&
              a.emergency_brake == b.emergency_brake;
  if (!base || !use_characteristic) return base;
  return a.characteristics == b.characteristics && a.acceleration_rows == b.acceleration_rows &&
         a.curve_rows == b.curve_rows && a.train_mass == b.train_mass && a.motors == b.motors &&
         a.inertia == b.inertia && a.running_resistance == b.running_resistance &&
         a.curve_resistance == b.curve_resistance;
}

}  // namespace vosk::stock
