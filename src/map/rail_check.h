#pragma once
// The rail-data check run after a map is loaded: links must be mirrored,
// display positions joined and PRail pairs consistent. Problems only the
// map's author can fix are reported (Abort abandons the data set, Retry goes
// on with the next test, Ignore accepts the data set at once); a dead end
// without a signal is offered a repair.
#include "base/prompt.h"
#include "base/record_table.h"
#include "map/p_rail.h"
#include "map/rail.h"

namespace vosk::map {

enum class RailCheckResult { Accepted, Abandoned };

RailCheckResult check_rail_data(RecordTable<Rail>& rails, const RecordTable<PRail>& prails,
                                bool map_pos_check, Prompt& prompt);

}  // namespace vosk::map
