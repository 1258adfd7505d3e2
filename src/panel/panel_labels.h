#pragma once
// Where the panel's texts go: the box a text covers, and a place for a
// train's label next to its stock that keeps clear of the station names.
#include <vector>

#include "base/surface.h"

namespace vosk::panel {

// The box a text of `size` covers when drawn at `at` with `align`. A
// baseline-aligned text is taken as bottom-aligned.
Rect text_box(Point at, TextAlign align, Size size);

// True when the two boxes share a pixel (right and bottom edges excluded).
bool overlaps(const Rect& a, const Rect& b);

// The box of a train's label of `size` beside the stock bar `bar`: centred
// above it, else below it, else right of it, else left of it, whichever
// comes first without touching a box of `keep_clear`; above when none is clear.
Rect train_label_box(const Rect& bar, Size size, const std::vector<Rect>& keep_clear);

// Texts darker than this get a light plate behind them on the black panel.
bool needs_plate(Rgb text_colour);
inline constexpr Rgb kPlateColour{208, 208, 208};

}  // namespace vosk::panel
