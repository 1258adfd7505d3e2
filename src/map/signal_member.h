#pragma once
// signal.csv: the aspect tables of all signal sets, one line per band of
// speed steps, highest band first; and the lookups the panel draws with.
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "map/signal_set.h"

namespace vosk::map {

// Rebuilds the picture and colour lists and fills the sets' aspect tables.
// A set named in the file but not in signal_set.csv is created (up to
// kSignalSetLimit). Data older than 1060 has every line in set 1 and takes
// the pictures from the fixed five-aspect list; older than 1110 has no
// second-value column.
void read_signal(std::string_view content, int version, SignalSets& signals,
                 MemberWarnings& warnings);
// Sets 1 .. extent, each band as one line from step 1023 down.
void write_signal(const SignalSets& signals, csv::Writer& out);

// The aspect of `set` at `step` (clamped to 0 .. 1023); nullptr when the
// number names no set.
const AspectEntry* aspect_at(const SignalSets& signals, int set, int step);
// The aspect's colour; white (colour entry 0) when there is no such aspect.
ColourTriple aspect_colour(const SignalSets& signals, int set, int step);
// The aspect's picture; the empty entry 0 when there is no such aspect.
const AspectPicture& aspect_picture(const SignalSets& signals, int set, int step);

}  // namespace vosk::map
