#pragma once
// Steps that complete the dia records after their members are read.
#include "base/prompt.h"
#include "dia/dia_tables.h"
#include "dia/map_lookup.h"

namespace vosk::dia {

// After diagram.csv and d_event.csv of data `version` are read, with
// `series_count` series loaded: asks about every formation whose series does
// not exist (Yes sets the highest series), rebuilds the formations' first
// workings for files older than 1110, and recomputes the owning units.
void finish_dia_load(DiaTables& dia, int version, int series_count, Prompt& prompt);

// Files older than 1110: the head unit starts at the duty's first working,
// each following unit at the run coupled behind its predecessor's first run.
void rebuild_unit_first_diagrams(DiaTables& dia);

// Sets a duty's position from its initial rail.
void set_train_position(Train& train, const MapLookup& map);
// Sets each duty's position from its initial rail (once the map is loaded).
void complete_train_positions(DiaTables& dia, const MapLookup& map);

}  // namespace vosk::dia
