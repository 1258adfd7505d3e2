#include "map/p_rail.h"

#include <gtest/gtest.h>

#include "support/scripted_prompt.h"
#include "track_records_support.h"

namespace vosk::map {
namespace {

using track_test::read_into;
using track_test::written;

TEST(Map_PRailTests, CurrentLayoutRoundTripsWithTrailingCommas) {
  const std::string content =
      "  0,0, 0,  0,  0,0,\n"
      "  1,1, 3, 10, 11,1,\n"
      "  2,0, 0,  0,  0,0,\n"
      "  3,0, 5,125,  0,0,\n";
  testing::ScriptedPrompt prompt;
  RecordTable<PRail> prails;
  read_into(&read_prails, content, 1220, prails, prompt, kDefaultPRailCapacity);
  ASSERT_EQ(prails.extent(), 3);
  EXPECT_EQ(prails[1].single_track, 1);
  EXPECT_EQ(prails[1].electrification, 3);
  EXPECT_EQ(prails[1].rail_a, 10);
  EXPECT_EQ(prails[1].rail_b, 11);
  EXPECT_EQ(prails[1].open, 1);
  EXPECT_EQ(prails[3].rail_a, 125);
  EXPECT_EQ(prails[1].point, 0);  // derived later, never read
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(written(&write_prails, prails), content);
}

TEST(Map_PRailTests, OlderFilesCarryTheColumnsButTheirValuesReadAsZero) {
  const std::string line = "  1,1, 3, 10, 11,1,\n";
  testing::ScriptedPrompt prompt;
  RecordTable<PRail> prails;

  read_into(&read_prails, line, 1109, prails, prompt, kDefaultPRailCapacity);
  EXPECT_EQ(prails[1].single_track, 1);
  EXPECT_EQ(prails[1].electrification, 0);
  EXPECT_EQ(prails[1].rail_a, 10);
  EXPECT_EQ(written(&write_prails, prails), "  0,0, 0,  0,  0,0,\n  1,1, 0, 10, 11,1,\n");

  read_into(&read_prails, line, 40, prails, prompt, kDefaultPRailCapacity);
  EXPECT_EQ(prails[1].single_track, 0);
  EXPECT_EQ(prails[1].electrification, 0);
  EXPECT_EQ(prails[1].rail_b, 11);
  EXPECT_EQ(prails[1].open, 1);

  read_into(&read_prails, line, 41, prails, prompt, kDefaultPRailCapacity);
  EXPECT_EQ(prails[1].single_track, 1);
}

TEST(Map_PRailTests, RecordZeroAndOutOfRangeNumbers) {
  testing::ScriptedPrompt prompt;
  RecordTable<PRail> prails;
  read_into(&read_prails, "  0,1, 3,  9,  9,1,\n  5,1, 3,  9,  9,1,\n  6,1, 3,  9,  9,1,\n", 1220,
            prails, prompt, 5);
  EXPECT_EQ(prails.extent(), 5);
  EXPECT_EQ(prails[0].rail_a, 0);
  EXPECT_EQ(prails[5].rail_a, 9);
  EXPECT_EQ(prompt.count(), 1u);  // record 6; record 0 is silently a placeholder
}

}  // namespace
}  // namespace vosk::map
