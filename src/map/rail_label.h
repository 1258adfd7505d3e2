#pragma once
// Rail labels: the name a rail is shown and quoted by, with a direction
// suffix when the map setting ViewDirec is on.
#include <string>

#include "base/record_table.h"
#include "map/rail.h"

namespace vosk::map {

// The rail's name, then, when `view_direc` is on, "（下り）"/"（上り）" (CP932)
// or "(Dn)"/"(Up)" in the English interface. Direction 1 is down unless
// `right_down` is on, which swaps the two.
std::string rail_label(const Rail& rail, bool view_direc, bool right_down, bool english);

// Rebuilds the label of every rail 1 .. extent; run after rail.csv is read,
// after a rail's name changes and after ViewDirec or RightDown change.
void build_rail_labels(RecordTable<Rail>& rails, bool view_direc, bool right_down, bool english);

}  // namespace vosk::map
