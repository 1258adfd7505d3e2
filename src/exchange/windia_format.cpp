#include "exchange/windia_format.h"

#include <array>
#include <cctype>

#include "base/format.h"

namespace vosk::exchange {
namespace {

struct PaletteEntry {
  int code;
  std::uint8_t red, green, blue;
};

// Colours with a code of their own, each channel one of 0, 128 and 255.
constexpr std::array<PaletteEntry, 16> kPalette{{
    {64, 0, 0, 255},
    {68, 0, 255, 0},
    {72, 0, 0, 128},
    {76, 0, 128, 0},
    {80, 0, 255, 255},
    {84, 255, 0, 0},
    {88, 0, 128, 128},
    {92, 128, 0, 0},
    {96, 255, 0, 255},
    {100, 255, 255, 0},
    {104, 128, 0, 128},
    {108, 128, 128, 0},
    {112, 0, 0, 0},
    {116, 128, 128, 128},
    {120, 192, 192, 192},
    {124, 255, 255, 255},
}};

int reduce_channel(int value) { return value < 64 ? 0 : value < 192 ? 128 : 255; }

constexpr int kNoPassengers = 2;
constexpr int kBoldLine = 128;

}  // namespace

int windia_line_code(const dia::TrainType& type, int type_number) {
  const int r = reduce_channel(type.red), g = reduce_channel(type.green),
            b = reduce_channel(type.blue);
  int code = (type_number | 16) * 4;
  // Light grey (120) cannot match: no channel reduces to 192.
  for (const PaletteEntry& e : kPalette) {
    if (e.red == r && e.green == g && e.blue == b) {
      code = e.code;
      break;
    }
  }
  return type.passenger_service == 0 ? code + kNoPassengers : code;
}

void apply_windia_line_code(int code, dia::TrainType& type) {
  const int colour = code & 124;
  type.red = type.green = type.blue = 0;
  if (colour >= 64) {
    for (const PaletteEntry& e : kPalette) {
      if (e.code == colour) {
        type.red = e.red;
        type.green = e.green;
        type.blue = e.blue;
      }
    }
  }
  type.line_style = code & 3;
  // The export marks types without passengers by the dotted style.
  type.passenger_service = type.line_style == dia::kDotted ? 0 : 1;
  type.line_width = (code & kBoldLine) != 0 ? 500 : 250;
}

std::string windia_time(int seconds, bool wrap_day) {
  int hours = seconds / 3600;
  if (wrap_day) hours %= 24;
  return format("%d%02d", hours, seconds / 60 % 60);
}

std::optional<int> parse_leading_number(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  int value = 0;
  const std::size_t first = i;
  for (; i < field.size() && i - first < 9 && std::isdigit(static_cast<unsigned char>(field[i]));
       ++i)
    value = value * 10 + (field[i] - '0');
  if (i == first) return std::nullopt;
  return value;
}

std::optional<int> parse_windia_time(std::string_view field) {
  const std::optional<int> value = parse_leading_number(field);
  // Beyond 99:59 a time would only be a mistyped one.
  if (!value || *value % 100 >= 60 || *value > 9959) return std::nullopt;
  return *value % 100 * 60 + *value / 100 * 3600;
}

}  // namespace vosk::exchange
