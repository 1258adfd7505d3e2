#include "map/lever_rebuild.h"

#include <gtest/gtest.h>

#include "support/scripted_prompt.h"

namespace vosk::map {
namespace {

using testing::ScriptedPrompt;

// A small track drawn in row 1: each rail on a PRail of its own, with a
// signal, running from x_back to x_next at y 0.
struct Track {
  RecordTable<Rail> rails;
  RecordTable<PRail> prails;
  RecordTable<RouteLever> levers;
  RecordTable<RouteButton> buttons;
  InterlockingTables t{rails, prails, levers, buttons};

  Track() {
    rails.allocate(50);
    prails.allocate(50);
    levers.allocate(0);
    buttons.allocate(0);
  }
  int add(int x_back, int x_next, int area, int stop = 0, bool single = false) {
    int n = rails.extent() + 1;
    Rail& r = rails.grow_to(n);
    r.row = 1;
    r.row_pos_x_back = x_back;
    r.row_pos_x_next = x_next;
    r.area = area;
    r.stop_distance = stop;
    r.signal = 1;
    r.l_pack = n;
    PRail& p = prails.grow_to(n);
    p.rail_a = n;
    p.single_track = single ? 1 : 0;
    return n;
  }
  void link(int a, int b) {
    rails[a].l_next = b;
    rails[b].l_back = a;
  }
  void chain(std::initializer_list<int> rs) {
    const int* prev = nullptr;
    for (const int& r : rs) {
      if (prev) link(*prev, r);
      prev = &r;
    }
  }
  void rebuild(bool atc = false, Answer control = Answer::No) {
    ScriptedPrompt prompt;
    prompt.script({control});
    rebuild_levers_and_buttons(t, LeverRebuildOptions{atc}, prompt);
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().caption, "進路制御方式確認");
  }
  int lever_at(int j) const { return rails[j].route_lever; }
  int button_at(int j) const { return rails[j].route_button; }
};

// A one-way line through a station yard (area 1): entry 1, yard 2,
// platform 3, exit 4 (leaving the yard), beyond 5.
struct OneWayStation : Track {
  int entry, yard, platform, exit, beyond;
  OneWayStation() {
    entry = add(0, 100, 0);
    yard = add(100, 200, 1);
    platform = add(200, 300, 1, 90);
    exit = add(300, 400, 0);
    beyond = add(400, 500, 0);
    chain({entry, yard, platform, exit, beyond});
  }
};

TEST(Map_RouteRecordsTests, NewLeverAndButtonSitNearTheirRailsEnds) {
  Track k;
  int right = k.add(100, 200, 0);
  int left = k.add(200, 100, 0);
  k.rails[right].row_pos_y_next = k.rails[right].row_pos_y_back = 30;
  k.rails[left].row_pos_y_next = k.rails[left].row_pos_y_back = 50;

  int l1 = create_lever(k.t, right);
  int l2 = create_lever(k.t, left);
  ASSERT_EQ(l1, 1);
  ASSERT_EQ(l2, 2);
  const RouteLever& r = k.levers[l1];
  EXPECT_EQ(r.mode, kLeverRestore);
  EXPECT_EQ(r.direction, 2);
  EXPECT_EQ(r.lever_x, 190);
  EXPECT_EQ(r.lever_y, 30);
  EXPECT_EQ(r.button_x, 180);
  EXPECT_EQ(r.button_y, 20);
  const RouteLever& l = k.levers[l2];
  EXPECT_EQ(l.direction, 1);
  EXPECT_EQ(l.lever_x, 110);
  EXPECT_EQ(l.button_x, 120);
  EXPECT_EQ(l.button_y, 60);
  EXPECT_TRUE(r.lever_shown && r.button_shown && r.lever_row == 1 && r.button_row == 1);
  EXPECT_EQ(k.lever_at(right), 1);

  int b = create_button(k.t, left);
  EXPECT_EQ(create_button(k.t, left), b);  // one button per rail
  EXPECT_EQ(k.buttons.extent(), 1);
  EXPECT_EQ(k.buttons[b].flag2, 1);
  EXPECT_EQ(k.buttons[b].x, 200 + 2 * (100 - 200) / 10);
  EXPECT_EQ(k.buttons[b].y, 50);
  EXPECT_EQ(k.buttons[b].owner, 0);
  EXPECT_EQ(k.button_at(left), b);
}

TEST(Map_RouteRecordsTests, DeletionClearsReferencesAndRenumbersTheLaterRecords) {
  Track k;
  for (int i = 0; i < 3; ++i) k.add(i * 100, i * 100 + 100, 1);
  for (int j = 1; j <= 3; ++j) {
    create_lever(k.t, j);
    create_button(k.t, j);
  }
  k.rails[1].normal_route_lever = 3;
  k.prails[2].lever = 2;
  k.buttons[1].owner = 3;
  k.buttons[3].owner = 2;
  k.levers[3].normal_route = k.levers[3].current_route = 3;
  k.levers[1].normal_route = 2;

  delete_lever(k.t, 2);
  EXPECT_EQ(k.levers.extent(), 2);
  EXPECT_EQ(k.lever_at(1), 1);
  EXPECT_EQ(k.lever_at(2), 0);
  EXPECT_EQ(k.lever_at(3), 2);
  EXPECT_EQ(k.rails[1].normal_route_lever, 2);
  EXPECT_EQ(k.prails[2].lever, 0);
  EXPECT_EQ(k.buttons[1].owner, 2);
  EXPECT_EQ(k.buttons[3].owner, 0);
  EXPECT_EQ(k.levers[2].normal_route, 3);  // the old lever 3 moved down

  delete_button(k.t, 2);
  EXPECT_EQ(k.buttons.extent(), 2);
  EXPECT_EQ(k.button_at(2), 0);
  EXPECT_EQ(k.button_at(3), 2);
  EXPECT_EQ(k.levers[1].normal_route, 0);
  EXPECT_EQ(k.levers[2].normal_route, 2);
  EXPECT_EQ(k.levers[2].current_route, 2);

  delete_lever(k.t, 7);  // no such lever: nothing happens
  EXPECT_EQ(k.levers.extent(), 2);
}

TEST(Map_LeverRebuildTests, OneWayStationGetsLeversButtonsAndAFixedExitRoute) {
  OneWayStation s;
  // Leftovers of an earlier layout are thrown away.
  create_lever(s.t, s.beyond);
  s.rails[s.yard].normal_route_lever = 1;
  s.prails[s.yard].lever = 1;

  s.rebuild();
  ASSERT_EQ(s.levers.extent(), 2);
  ASSERT_EQ(s.buttons.extent(), 2);
  EXPECT_EQ(s.lever_at(s.beyond), 0);
  EXPECT_EQ(s.prails[s.yard].lever, 0);
  EXPECT_EQ(s.rails[s.yard].normal_route_lever, 0);

  // Entering the yard: a lever, restore control, symbols shown.
  const RouteLever& entry = s.levers[s.lever_at(s.entry)];
  EXPECT_EQ(entry.mode, kLeverRestore);
  EXPECT_EQ(entry.normal_route, 0);
  EXPECT_TRUE(entry.lever_shown);
  // The platform lever reaches the exit's button over a one-way track: fixed.
  int platform_lever = s.lever_at(s.platform);
  int exit_button = s.button_at(s.exit);
  ASSERT_NE(platform_lever, 0);
  ASSERT_NE(exit_button, 0);
  const RouteLever& fixed = s.levers[platform_lever];
  EXPECT_EQ(fixed.mode, kLeverManual);
  EXPECT_EQ(fixed.normal_route, exit_button);
  EXPECT_EQ(fixed.current_route, exit_button);
  EXPECT_FALSE(fixed.lever_shown || fixed.button_shown);
  EXPECT_EQ(s.buttons[exit_button].owner, platform_lever);
  EXPECT_EQ(s.buttons[exit_button].shown, 0);
  EXPECT_EQ(s.rails[s.exit].normal_route_lever, platform_lever);
  EXPECT_EQ(s.prails[s.exit].lever, platform_lever);
  // The platform, where trains stop, has a button too.
  EXPECT_NE(s.button_at(s.platform), 0);
  EXPECT_EQ(s.button_at(s.yard), 0);
  EXPECT_EQ(s.lever_at(s.yard), 0);
}

TEST(Map_LeverRebuildTests, RequestControlAnswerAppliesToRestoreLeversOnly) {
  OneWayStation s;
  s.rebuild(false, Answer::Yes);
  EXPECT_EQ(s.levers[s.lever_at(s.entry)].mode, kLeverRequest);
  EXPECT_EQ(s.levers[s.lever_at(s.platform)].mode, kLeverManual);
}

TEST(Map_LeverRebuildTests, NoFixedRouteOnSingleTrackOrPairedRails) {
  OneWayStation single;
  single.prails[single.platform].single_track = 1;
  single.rebuild();
  EXPECT_EQ(single.levers[single.lever_at(single.platform)].mode, kLeverRestore);

  OneWayStation paired;
  int twin = paired.add(400, 300, 0);
  paired.rails[paired.exit].l_dual = twin;
  paired.rebuild();
  EXPECT_EQ(paired.levers[paired.lever_at(paired.platform)].mode, kLeverRestore);
  EXPECT_EQ(paired.buttons[paired.button_at(paired.exit)].owner, 0);
}

TEST(Map_LeverRebuildTests, LeverAndButtonGoWhenTheLeverRailHasNoSignal) {
  OneWayStation s;
  s.rails[s.platform].signal = 0;
  s.rebuild();
  EXPECT_EQ(s.lever_at(s.platform), 0);
  EXPECT_EQ(s.button_at(s.exit), 0);
  // The others are renumbered around the gap.
  EXPECT_EQ(s.levers.extent(), 1);
  EXPECT_EQ(s.lever_at(s.entry), 1);
  EXPECT_EQ(s.buttons.extent(), 1);
  EXPECT_EQ(s.button_at(s.platform), 1);
}

TEST(Map_LeverRebuildTests, LeversAndButtonsFacingATrackEndAreDeleted) {
  Track k;
  // A siding: outside 1 -> yard 2, which ends without a stopping mark.
  int out = k.add(0, 100, 0);
  int siding = k.add(100, 200, 1);
  k.link(out, siding);
  // Leaving a yard that begins nowhere: yard 3 -> outside 4.
  int start = k.add(300, 400, 1);
  int leave = k.add(400, 500, 0);
  k.link(start, leave);
  // The same siding, but its end is a point's branch not joined now.
  int out2 = k.add(600, 700, 0);
  int branch = k.add(700, 800, 1);
  k.link(out2, branch);
  k.rails[branch].l_next = -1;
  k.rebuild();
  EXPECT_EQ(k.lever_at(out), 0);
  EXPECT_EQ(k.button_at(leave), 0);
  EXPECT_NE(k.lever_at(out2), 0);
  EXPECT_EQ(k.levers.extent(), 1);

  // A point on the way keeps the lever even where the track ends after it.
  Track t;
  int o = t.add(0, 100, 0);
  int on_point = t.add(100, 200, 1);
  t.link(o, on_point);
  t.prails[on_point].point = 1;
  t.rebuild();
  EXPECT_NE(t.lever_at(o), 0);
}

TEST(Map_LeverRebuildTests, AtcLeversMoveForwardToTheNextBoundary) {
  OneWayStation s;
  s.rebuild(true);
  // The entry lever walks through the yard rail up to the platform's lever.
  EXPECT_EQ(s.lever_at(s.entry), 0);
  ASSERT_NE(s.lever_at(s.yard), 0);
  EXPECT_NE(s.lever_at(s.platform), 0);
  EXPECT_EQ(s.levers.extent(), 2);
  const RouteLever& moved = s.levers[s.lever_at(s.yard)];
  EXPECT_EQ(moved.lever_x, 200 - 10);
  EXPECT_EQ(moved.mode, kLeverRestore);

  // A point ahead stops the move.
  OneWayStation p;
  p.prails[p.yard].point = 1;
  p.rebuild(true);
  EXPECT_NE(p.lever_at(p.entry), 0);
  EXPECT_EQ(p.lever_at(p.yard), 0);
}

TEST(Map_LeverRebuildTests, SingleTrackButtonMovesToTheLastPlainRail) {
  Track k;
  int platform = k.add(0, 100, 1, 90, true);
  int s1 = k.add(100, 200, 0, 0, true);
  int s2 = k.add(200, 300, 0, 0, true);
  int s3 = k.add(300, 400, 0, 0, true);  // a dead end without stopping mark
  k.chain({platform, s1, s2, s3});
  k.rebuild();
  EXPECT_EQ(k.button_at(s1), 0);
  EXPECT_NE(k.button_at(s2), 0);
  EXPECT_EQ(k.button_at(s3), 0);
  EXPECT_EQ(k.buttons[k.button_at(s2)].x, 220);

  // A lever on the way takes the button onto its rail.
  Track l;
  int p2 = l.add(0, 100, 1, 90, true);
  int a = l.add(100, 200, 0, 0, true);
  int b = l.add(200, 300, 0, 0, true);
  int c = l.add(300, 400, 1, 0, true);
  int d = l.add(400, 500, 0, 0, true);
  l.chain({p2, a, b, c, d});
  l.rebuild();
  // b leads into yard c, so it has a lever and the button stops there.
  ASSERT_NE(l.lever_at(b), 0);
  EXPECT_EQ(l.button_at(a), 0);
  EXPECT_NE(l.button_at(b), 0);
}

TEST(Map_InterlockingPrerequisiteTests, AreaManagementAndYardsAroundPointsAreRequired) {
  Track k;
  int a = k.add(0, 100, 1);
  int b = k.add(100, 200, 0);
  k.prails[a].point = 1;
  ScriptedPrompt off;
  EXPECT_FALSE(check_interlocking_prerequisites(false, k.rails, k.prails, off));
  ASSERT_EQ(off.count(), 1u);
  EXPECT_EQ(off.last().caption, "ファイル読み込み警告");
  EXPECT_EQ(off.last().text, "継電連動装置操作盤方式には、構内管理の有効なマップが必要です。");

  ScriptedPrompt ok;
  EXPECT_TRUE(check_interlocking_prerequisites(true, k.rails, k.prails, ok));
  EXPECT_EQ(ok.count(), 0u);

  k.prails[b].point = 1;
  ScriptedPrompt outside;
  EXPECT_FALSE(check_interlocking_prerequisites(true, k.rails, k.prails, outside));
  ASSERT_EQ(outside.count(), 1u);
  EXPECT_EQ(outside.last().caption, "構内設定エラー");
}

}  // namespace
}  // namespace vosk::map
