#pragma once
// series.csv: the dia's series table, records 0 .. extent, no comma at the
// line end. Accelerations are in 1/1024 km/h/s here, unlike series files.
//
// Data versions below 1150 have no running-characteristics columns (the flag,
// the acceleration row count, mass, motors and the six coefficients); their
// lines are read with those columns left out unless a line carries all 53
// columns of the current layout.
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "stock/series.h"

namespace vosk::stock {

// The running-characteristics columns exist from this data version on.
constexpr int kCharacteristicsVersion = 1150;

// Empties `table` (capacity 127) and fills it from the member content (text
// mode). Problems are reported once through `warnings`; numbers outside
// 0 .. 127 are skipped.
void read_series(std::string_view content, int version, SeriesTable& table,
                 MemberWarnings& warnings);

// Member content for records 0 .. extent (the caller writes "#series.csv").
void write_series(const SeriesTable& table, csv::Writer& out);

}  // namespace vosk::stock
