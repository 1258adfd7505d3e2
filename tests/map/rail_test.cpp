#include "map/rail.h"

#include <gtest/gtest.h>

#include "support/scripted_prompt.h"
#include "support/temp_dir.h"
#include "track_records_support.h"

namespace vosk::map {
namespace {

using testing::sj;
using track_test::read_into;
using track_test::written;

const std::string kZeroLine =
    "  0,  0,  0,  0, 0,  0,  0,  0,  0,   0,   0,   0,   0,   0,   0, 0,   0,  0, 0,   0,   0,"
    "   0,   0,,\n";

TEST(Map_RailTests, CurrentLayoutReadsEveryFieldAndWritesBackTheSameBytes) {
  // Record 2 is a gap; record 3 runs leftward with a negative gradient.
  const std::string content =
      kZeroLine +
      "  1,  1,  2,  3, 1,  4,  5,  6, 45, 120,   3,  -7,   3,   1,  60,-5, 400,  9, 1, 120,"
      " 100,  20,  20,A1," +
      sj("東京1番線") + "\n" +
      "  2,  0,  0,  0, 0,  0,  0,  0,  0,   0,   0,   0,   0,   0,   0, 0,   0,  0, 0,   0,"
      "   0,   0,   0,,\n"
      "  3,  1,  2,  3, 2,  0,  0,  0,  0, 120,  -1,   1,   1,   1,   0, 5,-400,  0, 1, 100,"
      " 120,  22,  22," +
      sj("東1") + "," + sj("東京1番線下") + "\n";
  testing::ScriptedPrompt prompt;
  RecordTable<Rail> rails;
  read_into(&read_rails, content, 1220, rails, prompt, kDefaultRailCapacity);

  EXPECT_EQ(prompt.count(), 0u);
  ASSERT_EQ(rails.extent(), 3);
  const Rail& r = rails[1];
  EXPECT_EQ(r.station, 1);
  EXPECT_EQ(r.target, 2);
  EXPECT_EQ(r.area, 3);
  EXPECT_EQ(r.signal, 1);
  EXPECT_EQ(r.route_lever, 4);
  EXPECT_EQ(r.route_button, 5);
  EXPECT_EQ(r.normal_route_lever, 6);
  EXPECT_EQ(r.speed_limit, 45);
  EXPECT_EQ(r.length, 120);
  EXPECT_EQ(r.l_next, 3);
  EXPECT_EQ(r.l_back, -7);
  EXPECT_EQ(r.l_dual, 3);
  EXPECT_EQ(r.l_pack, 1);
  EXPECT_EQ(r.stop_distance, 60);
  EXPECT_EQ(r.gradient, -5);
  EXPECT_EQ(r.radius, 400);
  EXPECT_EQ(r.occupant, 9);
  EXPECT_EQ(r.row, 1);
  EXPECT_EQ(r.row_pos_x_next, 120);
  EXPECT_EQ(r.row_pos_x_back, 100);
  EXPECT_EQ(r.row_pos_y_next, 20);
  EXPECT_EQ(r.row_pos_y_back, 20);
  EXPECT_EQ(r.short_name, "A1");
  EXPECT_EQ(r.name, sj("東京1番線"));
  EXPECT_EQ(r.direction, 2);
  EXPECT_EQ(rails[3].direction, 1);
  EXPECT_EQ(rails[3].radius, -400);
  EXPECT_EQ(rails[3].row_pos_y_next, 22);  // no shift in current data

  EXPECT_EQ(written(&write_rails, rails), content);
}

TEST(Map_RailTests, RecordZeroIsIgnoredAndWrittenAsZeros) {
  testing::ScriptedPrompt prompt;
  RecordTable<Rail> rails;
  read_into(&read_rails,
            "  0,  5,  5,  5, 5,  5,  5,  5,  5,   5,   5,   5,   5,   5,   5, 5,   5,  5, 5,   5,"
            "   5,   5,   5,X,Y\n",
            1220, rails, prompt, kDefaultRailCapacity);
  EXPECT_EQ(rails.extent(), 0);
  EXPECT_EQ(rails[0].station, 0);
  EXPECT_EQ(rails[0].name, "");
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(written(&write_rails, rails), kZeroLine);
}

TEST(Map_RailTests, LinesInAnyOrderWithGapsLoadIntoTheirNumbers) {
  testing::ScriptedPrompt prompt;
  RecordTable<Rail> rails;
  read_into(&read_rails,
            "  5,  0,  0,  0, 1,  0,  0,  0,  0,  50,   0,   0,   0,   0,   0, 0,   0,  0, 0,   0,"
            "   0,   0,   0,e,five\n"
            "  2,  0,  0,  0, 1,  0,  0,  0,  0,  20,   0,   0,   0,   0,   0, 0,   0,  0, 0,   0,"
            "   0,   0,   0,b,two\n",
            1220, rails, prompt, kDefaultRailCapacity);
  ASSERT_EQ(rails.extent(), 5);
  EXPECT_EQ(rails[5].name, "five");
  EXPECT_EQ(rails[2].length, 20);
  EXPECT_EQ(rails[3].name, "");
  const std::string out = written(&write_rails, rails);
  // Six lines: 0 .. 5, the gaps as empty records under their own numbers.
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 6);
  EXPECT_NE(out.find("\n  4,  0,  0,  0, 0,"), std::string::npos);
}

TEST(Map_RailTests, DirectionComesFromTheRowPositions) {
  Rail rail;
  rail.row_pos_x_next = 40;
  rail.row_pos_x_back = 40;
  EXPECT_EQ(rail_direction(rail), 2);  // equal x counts as rightward
  rail.row_pos_x_next = 39;
  EXPECT_EQ(rail_direction(rail), 1);
  rail.row_pos_x_next = 41;
  EXPECT_EQ(rail_direction(rail), 2);
}

// One rail line of an older data version, and the line written back.
struct RailLayoutCase {
  const char* name;
  int version;
  std::string line;
  std::string expected;
};

class Map_RailLayoutTests : public ::testing::TestWithParam<RailLayoutCase> {};

TEST_P(Map_RailLayoutTests, ReadsIntoTheRightFieldsAndWritesTheCurrentLayout) {
  const RailLayoutCase& c = GetParam();
  testing::ScriptedPrompt prompt;
  RecordTable<Rail> rails;
  read_into(&read_rails, c.line, c.version, rails, prompt, kDefaultRailCapacity);
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(written(&write_rails, rails), kZeroLine + c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, Map_RailLayoutTests,
    ::testing::Values(
        // 1150 is already the current layout.
        RailLayoutCase{
            "v1150", 1150,
            "  1,  1,  2,  3, 1,  4,  5,  6, 45, 120,   2,  -3,   7,   1,  60,-5, 400,  0,"
            " 1, 100, 120,  20,  20,A1,name\n",
            "  1,  1,  2,  3, 1,  4,  5,  6, 45, 120,   2,  -3,   7,   1,  60,-5, 400,  0,"
            " 1, 100, 120,  20,  20,A1,name\n"},
        // No gradient and radius; leftward rails of 1130 keep their rows.
        RailLayoutCase{
            "v1130", 1130,
            "  1,  1,  2,  3, 1,  4,  5,  6, 45, 120,   2,  -3,   7,   1,  60,  0, 1, 100,"
            " 120,  20,  20,A1,name\n",
            "  1,  1,  2,  3, 1,  4,  5,  6, 45, 120,   2,  -3,   7,   1,  60, 0,   0,  0,"
            " 1, 100, 120,  20,  20,A1,name\n"},
        // 20 fields: no levers or button either; the leftward rail moves up 2.
        RailLayoutCase{
            "v1100_leftward", 1100,
            "  1,  1,  2,  3, 1, 45, 120,   2,  -3,   7,   1,  60,  0, 1, 100, 120,  20,"
            "  23,A1,name\n",
            "  1,  1,  2,  3, 1,  0,  0,  0, 45, 120,   2,  -3,   7,   1,  60, 0,   0,  0,"
            " 1, 100, 120,  18,  21,A1,name\n"},
        // A rightward rail of the same version keeps its rows.
        RailLayoutCase{
            "v1100_rightward", 1100,
            "  1,  1,  2,  3, 1, 45, 120,   2,  -3,   7,   1,  60,  0, 1, 120, 120,  20,"
            "  23,A1,name\n",
            "  1,  1,  2,  3, 1,  0,  0,  0, 45, 120,   2,  -3,   7,   1,  60, 0,   0,  0,"
            " 1, 120, 120,  20,  23,A1,name\n"},
        // No area or signal: the area follows the target and the signal is 1.
        RailLayoutCase{
            "v1059", 1059,
            "  1,  1,  2, 45, 120,   2,  -3,   7,   1,  60,  4, 1, 120, 100,  20,  20,A1,name\n",
            "  1,  1,  2,  2, 1,  0,  0,  0, 45, 120,   2,  -3,   7,   1,  60, 0,   0,  4,"
            " 1, 120, 100,  20,  20,A1,name\n"},
        // The layout before 1010: an ignored third column, no target or row.
        RailLayoutCase{
            "v1009", 1009,
            "  1,  1, 99, 45, 120,   2,  -3,   7,   1,  60,  4, 100, 120,  20,  20,A1,name\n",
            "  1,  1,  0,  0, 1,  0,  0,  0, 45, 120,   2,  -3,   7,   1,  60, 0,   0,  4,"
            " 0, 100, 120,  18,  18,A1,name\n"}),
    [](const ::testing::TestParamInfo<RailLayoutCase>& info) { return info.param.name; });

TEST(Map_RailTests, Version1100LineWithTwentyFieldsLeavesTheNewerFieldsZero) {
  testing::ScriptedPrompt prompt;
  RecordTable<Rail> rails;
  read_into(
      &read_rails,
      "  7,  1,  2,  3, 4, 45, 120,   2,  -3,   7,   1,  60,  0, 1, 120, 100,  20,  20,A1,name\n",
      1100, rails, prompt, kDefaultRailCapacity);
  const Rail& r = rails[7];
  EXPECT_EQ(r.signal, 4);
  EXPECT_EQ(r.speed_limit, 45);
  EXPECT_EQ(r.route_lever, 0);
  EXPECT_EQ(r.route_button, 0);
  EXPECT_EQ(r.normal_route_lever, 0);
  EXPECT_EQ(r.gradient, 0);
  EXPECT_EQ(r.radius, 0);
  EXPECT_EQ(r.occupant, 0);
  EXPECT_EQ(r.row, 1);
  EXPECT_EQ(r.short_name, "A1");
  EXPECT_EQ(r.name, "name");
}

TEST(Map_RailTests, NumbersOutsideTheCapacityAreSkippedWithOneWarning) {
  testing::ScriptedPrompt prompt;
  RecordTable<Rail> rails;
  read_into(&read_rails,
            "  4,  0,  0,  0, 1,  0,  0,  0,  0,  10,   0,   0,   0,   0,   0, 0,   0,  0, 0,   0,"
            "   0,   0,   0,a,above\n"
            " -2,  0,  0,  0, 1,  0,  0,  0,  0,  10,   0,   0,   0,   0,   0, 0,   0,  0, 0,   0,"
            "   0,   0,   0,a,below\n"
            "  3,  0,  0,  0, 1,  0,  0,  0,  0,  10,   0,   0,   0,   0,   0, 0,   0,  0, 0,   0,"
            "   0,   0,   0,a,kept\n",
            1220, rails, prompt, 3);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_NE(prompt.last().text.find("1行目"), std::string::npos);
  EXPECT_EQ(rails.extent(), 3);
  EXPECT_EQ(rails[3].name, "kept");
  EXPECT_EQ(rails.capacity(), 3);
}

TEST(Map_RailTests, OverlongTextsAreCutAtACharacterBoundary) {
  // 19 ASCII bytes and a double-byte character: 21 bytes for a 20-byte field.
  const std::string short_name = "ABCDEFGHIJKLMNOPQRS" + sj("あ");
  const std::string name = std::string(254, 'n') + sj("駅");
  testing::ScriptedPrompt prompt;
  RecordTable<Rail> rails;
  read_into(&read_rails,
            "  1,  0,  0,  0, 1,  0,  0,  0,  0,  10,   0,   0,   0,   0,   0, 0,   0,  0, 0,   0,"
            "   0,   0,   0," +
                short_name + "," + name + "\n",
            1220, rails, prompt, kDefaultRailCapacity);
  EXPECT_EQ(rails[1].short_name, "ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(rails[1].name, std::string(254, 'n'));
  EXPECT_EQ(prompt.count(), 1u);  // one warning for the member
}

TEST(Map_RailTests, OverlongLineIsWarnedAndNothingPastTheBufferIsKept) {
  const std::string line =
      "  1,  0,  0,  0, 1,  0,  0,  0,  0,  10,   0,   0,   0,   0,   0, 0,"
      "   0,  0, 0,   0,   0,   0,   0,a," +
      std::string(5000, 'x') + "\n";
  testing::ScriptedPrompt prompt;
  RecordTable<Rail> rails;
  read_into(&read_rails, line, 1220, rails, prompt, kDefaultRailCapacity);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(rails[1].name, std::string(255, 'x'));
  EXPECT_EQ(rails[1].length, 10);
}

TEST(Map_RailTests, ATextWithACommaSplitsTheLine) {
  testing::ScriptedPrompt prompt;
  RecordTable<Rail> rails;
  read_into(&read_rails,
            "  1,  0,  0,  0, 1,  0,  0,  0,  0,  10,   0,   0,   0,   0,   0, 0,   0,  0, 0,   0,"
            "   0,   0,   0,a,b,c\n",
            1220, rails, prompt, kDefaultRailCapacity);
  EXPECT_EQ(rails[1].short_name, "a");
  EXPECT_EQ(rails[1].name, "b");
}

TEST(Map_RailTests, EmptyTableWritesOnlyThePlaceholder) {
  RecordTable<Rail> rails;
  rails.allocate(kDefaultRailCapacity);
  EXPECT_EQ(written(&write_rails, rails), kZeroLine);
}

}  // namespace
}  // namespace vosk::map
