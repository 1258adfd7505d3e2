#pragma once
// Whether two series run alike: used when formations are coupled and when a
// run is timed with a speed type measured on another series.
#include "stock/series.h"

namespace vosk::stock {

// Door width, maximum load and speed, electrification flags, gauge,
// acceleration and the five brakes; with the map's UseCharacteristic also
// the running-characteristics flag, both table row counts, mass, motors and
// the six coefficients.
bool equal_performance(const Series& a, const Series& b, bool use_characteristic);

}  // namespace vosk::stock
