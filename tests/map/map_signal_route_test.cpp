#include <gtest/gtest.h>

#include "map/map_display_support.h"
#include "map/route_button.h"
#include "map/route_lever.h"

namespace vosk::map {
namespace {

const std::string kLevers =
    "  1,1,  0,  3,0,2,1, 2, 120,  40,1, 2, 130,  30,\n"
    "  2,0,  4,  4,1,1,0,12,1080, -20,0, 1,  90,   0,\n";

const std::string kButtons =
    "  1,  0,0,2,1, 1, 100,  40,\n"
    "  2,  1,1,1,0,13,1020,  -8,\n";

TEST(Map_RouteLeverTests, Version1220RoundTripsByteIdentical) {
  RecordTable<RouteLever> table;
  table.allocate(2);
  MemberLoad load;
  EXPECT_EQ(load.read(read_route_lever, kLevers, 1220, table), 0u);
  ASSERT_EQ(table.extent(), 2);
  const RouteLever& l = table[2];
  EXPECT_EQ(l.mode, kLeverManual);
  EXPECT_EQ(l.normal_route, 4);
  EXPECT_EQ(l.current_route, 4);
  EXPECT_EQ(l.flag1, 1);
  EXPECT_EQ(l.direction, 1);
  EXPECT_EQ(l.lever_shown, 0);
  EXPECT_EQ(l.lever_row, 12);
  EXPECT_EQ(l.lever_x, 1080);
  EXPECT_EQ(l.lever_y, -20);
  EXPECT_EQ(l.button_shown, 0);
  EXPECT_EQ(l.button_row, 1);
  EXPECT_EQ(l.button_x, 90);
  EXPECT_EQ(l.button_y, 0);
  EXPECT_EQ(written(write_route_lever, table), kLevers);
}

TEST(Map_RouteButtonTests, Version1220RoundTripsByteIdentical) {
  RecordTable<RouteButton> table;
  table.allocate(5);
  MemberLoad load;
  EXPECT_EQ(load.read(read_route_button, kButtons, 1220, table), 0u);
  ASSERT_EQ(table.extent(), 2);
  const RouteButton& b = table[2];
  EXPECT_EQ(b.owner, 1);
  EXPECT_EQ(b.flag1, 1);
  EXPECT_EQ(b.flag2, 1);
  EXPECT_EQ(b.shown, 0);
  EXPECT_EQ(b.row, 13);
  EXPECT_EQ(b.x, 1020);
  EXPECT_EQ(b.y, -8);
  EXPECT_EQ(written(write_route_button, table), kButtons);
}

TEST(Map_RouteLeverTests, WithoutTableSizesThereAreNoLeversOrButtons) {
  // A header without RouteLever and RouteButton keys gives capacity 0: any
  // line is out of range, and nothing is written back.
  RecordTable<RouteLever> levers;
  levers.allocate(kDefaultRouteLeverCapacity);
  RecordTable<RouteButton> buttons;
  buttons.allocate(kDefaultRouteButtonCapacity);
  MemberLoad load;
  EXPECT_EQ(load.read(read_route_lever, kLevers, 1220, levers), 1u);
  EXPECT_EQ(load.last_text(),
            "'member.csv'の1行目のレコード番号1は範囲外のため読み飛ばしました。\n");
  EXPECT_EQ(load.read(read_route_button, kButtons, 1220, buttons), 1u);
  EXPECT_EQ(levers.extent(), 0);
  EXPECT_EQ(buttons.extent(), 0);
  EXPECT_EQ(written(write_route_lever, levers), "");
  EXPECT_EQ(written(write_route_button, buttons), "");
}

TEST(Map_RouteButtonTests, GapsAreWrittenAsEmptyButtonsFromOne) {
  RecordTable<RouteButton> table;
  table.allocate(5);
  MemberLoad load;
  load.read(read_route_button, "  3,  2,0,1,1, 1,  10,  20,\n", 1220, table);
  EXPECT_EQ(written(write_route_button, table),
            "  1,  0,0,0,0, 0,   0,   0,\n"
            "  2,  0,0,0,0, 0,   0,   0,\n"
            "  3,  2,0,1,1, 1,  10,  20,\n");
}

}  // namespace
}  // namespace vosk::map
