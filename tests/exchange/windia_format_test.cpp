// Line type codes, the palette and the time fields.
#include <gtest/gtest.h>

#include "exchange/windia_format.h"

namespace vosk::exchange {
namespace {

dia::TrainType coloured(int r, int g, int b, int passengers = 1) {
  dia::TrainType t;
  t.red = static_cast<std::uint8_t>(r);
  t.green = static_cast<std::uint8_t>(g);
  t.blue = static_cast<std::uint8_t>(b);
  t.passenger_service = passengers;
  return t;
}

TEST(Exchange_LineCodeTests, ColoursReduceToThePalette) {
  struct Row {
    int r, g, b, passengers, type, code;
  } rows[] = {
      {0, 0, 255, 1, 1, 64},      {10, 250, 30, 1, 1, 68},    {0, 0, 128, 1, 1, 72},
      {0, 191, 0, 1, 1, 76},      {0, 255, 192, 1, 1, 80},    {255, 63, 0, 1, 1, 84},
      {0, 128, 128, 1, 1, 88},    {128, 0, 0, 1, 1, 92},      {255, 0, 255, 1, 1, 96},
      {255, 255, 0, 1, 1, 100},   {128, 0, 128, 1, 1, 104},   {128, 128, 0, 1, 1, 108},
      {0, 0, 0, 1, 1, 112},       {128, 128, 128, 1, 1, 116}, {192, 192, 192, 1, 1, 124},
      {255, 255, 255, 1, 1, 124}, {0, 0, 0, 0, 1, 114},       {255, 128, 0, 1, 3, 76},
      {255, 128, 0, 1, 17, 68},   {128, 255, 0, 0, 5, 86},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(windia_line_code(coloured(row.r, row.g, row.b, row.passengers), row.type), row.code)
        << row.r << "," << row.g << "," << row.b << " type " << row.type;
  }
}

TEST(Exchange_LineCodeTests, CodesGivePaletteColourStyleAndWidth) {
  struct Row {
    int code, r, g, b, style, width;
  } rows[] = {
      {64, 0, 0, 255, 0, 250},      {66, 0, 0, 255, 2, 250},
      {120, 192, 192, 192, 0, 250}, {124 + 128, 255, 255, 255, 0, 500},
      {87, 255, 0, 0, 3, 250},      {40, 0, 0, 0, 0, 250},
      {0, 0, 0, 0, 0, 250},
  };
  for (const Row& row : rows) {
    dia::TrainType t = coloured(1, 2, 3);
    apply_windia_line_code(row.code, t);
    EXPECT_EQ(t.red, row.r) << row.code;
    EXPECT_EQ(t.green, row.g) << row.code;
    EXPECT_EQ(t.blue, row.b) << row.code;
    EXPECT_EQ(t.line_style, row.style) << row.code;
    EXPECT_EQ(t.line_width, row.width) << row.code;
    EXPECT_EQ(t.passenger_service, row.style == dia::kDotted ? 0 : 1) << row.code;
  }
}

TEST(Exchange_TimeFieldTests, WritesHoursAndMinutes) {
  EXPECT_EQ(windia_time(6 * 3600 + 5 * 60 + 59, true), "605");
  EXPECT_EQ(windia_time(25 * 3600 + 10 * 60, true), "110");
  EXPECT_EQ(windia_time(24 * 3600, false), "2400");
  EXPECT_EQ(windia_time(0, true), "000");
}

TEST(Exchange_TimeFieldTests, ReadsLeadingDigits) {
  struct Row {
    const char* field;
    int seconds;  // -1: not a time
  } rows[] = {
      {"605", 6 * 3600 + 5 * 60},
      {"605abc", 6 * 3600 + 5 * 60},
      {" 2400", 24 * 3600},
      {"5", 5 * 60},
      {"675", -1},
      {"x605", -1},
      {"", -1},
      {"1234567", -1},
  };
  for (const Row& row : rows) {
    const auto t = parse_windia_time(row.field);
    EXPECT_EQ(t.value_or(-1), row.seconds) << row.field;
  }
}

}  // namespace
}  // namespace vosk::exchange
