#pragma once
// Which runs the train graph shows, by the view flags: the filters the
// drawing pass and the hit test share.
#include "dia/diagram.h"
#include "graph/graph_settings.h"

namespace vosk::graph {

// Direction 1 is down unless the map's RightDown swaps the two.
constexpr bool is_down(int direction, bool right_down) { return (direction == 1) != right_down; }

// In use, not a pattern's template, and passing the working, coupling and
// direction flags. A run whose copy-source mark is negative is held back.
bool shows_diagram(const dia::Diagram& d, const ViewFlags& view, bool right_down);

}  // namespace vosk::graph
