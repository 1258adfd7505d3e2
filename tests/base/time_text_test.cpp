#include "base/time_text.h"

#include <gtest/gtest.h>

namespace vosk {
namespace {

TEST(Base_TimeTextTests, FormatsWithAndWithoutColons) {
  EXPECT_EQ(timetext::format(6 * 3600 + 5 * 60 + 9, true), " 6:05:09");
  EXPECT_EQ(timetext::format(6 * 3600 + 5 * 60 + 9, false), " 60509");
  EXPECT_EQ(timetext::format(100800, true), "28:00:00");
  EXPECT_EQ(timetext::format_hm(23 * 3600 + 59 * 60 + 59, true), "23:59");
}

TEST(Base_TimeTextTests, EarlyMorningSortsAfterTheDay) {
  int half_past_one = 1 * 3600 + 30 * 60;
  EXPECT_GT(timetext::order_key(half_past_one), timetext::order_key(23 * 3600));
  EXPECT_EQ(timetext::order_key(0), 0);  // 0 means "not set"
  EXPECT_EQ(timetext::order_key(10800), 10800);
  EXPECT_EQ(timetext::order_key(10799), 10799 + 86400);
}

TEST(Base_TimeTextTests, RoundsToTheUnit) {
  EXPECT_EQ(timetext::round_down(36030, 15), 36030);
  EXPECT_EQ(timetext::round_down(36031, 15), 36030);
  EXPECT_EQ(timetext::round_up(36031, 15), 36045);
  EXPECT_EQ(timetext::round_up(36045, 15), 36045);
  EXPECT_EQ(timetext::round_down(36030, 60), 36000);
  EXPECT_EQ(timetext::round_up(36001, 60), 36060);
}

TEST(Base_TimeTextTests, ParsesInputWithinTheOperatingDay) {
  EXPECT_EQ(timetext::parse("10:05:30"), 36330);
  EXPECT_EQ(timetext::parse(" 7:05"), 7 * 3600 + 300);
  EXPECT_EQ(timetext::parse("100530"), 36330);
  EXPECT_EQ(timetext::parse("0705"), 7 * 3600 + 300);
  EXPECT_EQ(timetext::parse("28:00:00"), 100800);
  EXPECT_EQ(timetext::parse("0:00:00"), 0);
  EXPECT_FALSE(timetext::parse("28:00:01"));
  EXPECT_FALSE(timetext::parse("10:60"));
  EXPECT_FALSE(timetext::parse("10:"));
  EXPECT_FALSE(timetext::parse("1:2:3:4"));
  EXPECT_FALSE(timetext::parse("ab"));
  EXPECT_FALSE(timetext::parse(""));
}

}  // namespace
}  // namespace vosk
