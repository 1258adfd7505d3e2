#pragma once
// The interlocking panel mode: the check that gates it, and the rebuild of
// the route levers and buttons from the track layout when it is switched on.
#include "base/prompt.h"
#include "map/route_records.h"

namespace vosk::map {

// Whether the panel mode may be switched. Without area management (UseArea)
// or with a point outside every station yard the user is told why and the
// answer is false.
bool check_interlocking_prerequisites(bool use_area, const RecordTable<Rail>& rails,
                                      const RecordTable<PRail>& prails, Prompt& prompt);

struct LeverRebuildOptions {
  bool atc = false;  // an ATC map: levers move forward to the next block boundary
};

// Replaces every lever and button by the ones the track layout calls for:
// levers where trains stop inside a yard or enter one, buttons where they
// stop or leave one, fixed routes on one-way tracks, and finally asks
// whether the levers run under request control. The PRails' point numbers
// must be assigned.
void rebuild_levers_and_buttons(InterlockingTables& t, const LeverRebuildOptions& options,
                                Prompt& prompt);

}  // namespace vosk::map
