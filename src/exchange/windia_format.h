#pragma once
// Pieces of the WinDIA text timetable format shared by the export and the
// import: the line type codes and their 16-colour palette, and the time
// fields ("605" for 6:05).
#include <optional>
#include <string>
#include <string_view>

#include "dia/train_type.h"

namespace vosk::exchange {

// Train types a WinDIA file can hold ("Train00=" .. "Train16=").
inline constexpr int kWindiaTypeCount = 17;

// Line type code of train type `type_number` (1-based): the palette code of
// its colour, plus 2 when it carries no passengers.
int windia_line_code(const dia::TrainType& type, int type_number);

// Applies a "LINES=" code to a type: palette colour, pen style, width, and
// no passengers with the dotted style.
void apply_windia_line_code(int code, dia::TrainType& type);

// "%d%02d" of hours and minutes; hours mod 24 when `wrap_day`.
std::string windia_time(int seconds, bool wrap_day);

// The leading digits of a field (after spaces), at most nine of them;
// nullopt without any.
std::optional<int> parse_leading_number(std::string_view field);

// Seconds of a time field: its leading digits v as (v mod 100) minutes and
// (v / 100) hours; text after the digits is ignored. Nullopt without a
// leading digit or with 60 minutes or more.
std::optional<int> parse_windia_time(std::string_view field);

}  // namespace vosk::exchange
