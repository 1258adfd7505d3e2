#pragma once
// Numbers in command-line options: whole decimal numbers with nothing after
// them, and picture sizes written WIDTHxHEIGHT.
#include <string_view>

#include "base/surface.h"

namespace vosk::cli {

// Pictures larger than this would only exhaust memory in the PNG and PDF
// painters.
inline constexpr int kMaxPictureSide = 20000;

bool parse_int(std::string_view text, int& out);

// WIDTHxHEIGHT with both sides from 1 to `max_side`.
bool parse_size(std::string_view text, Size& out, int max_side = kMaxPictureSide);

}  // namespace vosk::cli
