#include "map/lever_rebuild.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/scripted_prompt.h"

namespace vosk::map {
namespace {

using testing::ScriptedPrompt;
using Rails = std::vector<int>;

// A small track drawn in row 1: each rail on a PRail of its own, with a
// signal, running from x_back to x_next at y 0.
struct Track {
  RecordTable<Rail> rails;
  RecordTable<PRail> prails;
  RecordTable<RouteLever> levers;
  RecordTable<RouteButton> buttons;
  InterlockingTables t{rails, prails, levers, buttons};

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
    prails.grow_to(n).rail_a = n;
    prails[n].single_track = single ? 1 : 0;
    return n;
  }
  void chain(std::initializer_list<int> rs) {
    for (auto r = rs.begin(); r + 1 != rs.end(); ++r) {
      rails[r[0]].l_next = r[1];
      rails[r[1]].l_back = r[0];
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
  // The rails carrying a lever (or a button), in rail order.
  Rails with(int Rail::*field) const {
    Rails out;
    for (int j = 1; j <= rails.extent(); ++j)
      if (rails[j].*field) out.push_back(j);
    return out;
  }
  Rails with_levers() const { return with(&Rail::route_lever); }
  Rails with_buttons() const { return with(&Rail::route_button); }
};

std::vector<int> fields(const RouteLever& l) {
  return {l.mode,        l.normal_route, l.current_route, l.flag1,   l.direction,
          l.lever_shown, l.lever_row,    l.lever_x,       l.lever_y, l.button_shown,
          l.button_row,  l.button_x,     l.button_y};
}
std::vector<int> fields(const RouteButton& b) {
  return {b.owner, b.flag1, b.flag2, b.shown, b.row, b.x, b.y};
}

// A one-way line through a station yard (area 1): entry 1, yard 2,
// platform 3, exit 4 (leaving the yard), beyond 5.
struct OneWayStation : Track {
  int entry = add(0, 100, 0), yard = add(100, 200, 1), platform = add(200, 300, 1, 90),
      exit = add(300, 400, 0), beyond = add(400, 500, 0);
  OneWayStation() { chain({entry, yard, platform, exit, beyond}); }
};

TEST(Map_RouteRecordsTests, NewLeverAndButtonSitNearTheirRailsEnds) {
  Track k;
  int right = k.add(100, 200, 0);
  int left = k.add(200, 100, 0);
  k.rails[left].row_pos_y_next = k.rails[left].row_pos_y_back = 50;
  EXPECT_EQ(create_lever(k.t, right), 1);
  EXPECT_EQ(create_lever(k.t, left), 2);
  EXPECT_EQ(fields(k.levers[1]), (Rails{kLeverRestore, 0, 0, 0, 2, 1, 1, 190, 0, 1, 1, 180, -10}));
  EXPECT_EQ(fields(k.levers[2]), (Rails{kLeverRestore, 0, 0, 0, 1, 1, 1, 110, 50, 1, 1, 120, 60}));
  EXPECT_EQ(k.lever_at(right), 1);

  int b = create_button(k.t, left);
  EXPECT_EQ(create_button(k.t, left), b);  // one button per rail
  EXPECT_EQ(k.buttons.extent(), 1);
  EXPECT_EQ(fields(k.buttons[b]), (Rails{0, 0, 1, 1, 1, 180, 50}));
  EXPECT_EQ(k.button_at(left), b);
}

TEST(Map_RouteRecordsTests, DeletionClearsReferencesAndRenumbersTheLaterRecords) {
  Track k;
  for (int j = 1; j <= 3; ++j) {
    k.add(j * 100, j * 100 + 100, 1);
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
  EXPECT_EQ((Rails{k.lever_at(1), k.lever_at(2), k.lever_at(3)}), (Rails{1, 0, 2}));
  EXPECT_EQ(k.rails[1].normal_route_lever, 2);
  EXPECT_EQ(k.prails[2].lever, 0);
  EXPECT_EQ((Rails{k.buttons[1].owner, k.buttons[3].owner}), (Rails{2, 0}));

  delete_button(k.t, 2);
  EXPECT_EQ(k.buttons.extent(), 2);
  EXPECT_EQ((Rails{k.button_at(1), k.button_at(2), k.button_at(3)}), (Rails{1, 0, 2}));
  EXPECT_EQ(k.levers[1].normal_route, 0);
  EXPECT_EQ((Rails{k.levers[2].normal_route, k.levers[2].current_route}), (Rails{2, 2}));

  delete_lever(k.t, 7);  // no such lever: nothing happens
  EXPECT_EQ(k.levers.extent(), 2);
}

TEST(Map_LeverRebuildTests, OneWayStationGetsLeversButtonsAndAFixedExitRoute) {
  OneWayStation s;
  // Leftovers of an earlier layout are thrown away.
  create_lever(s.t, s.beyond);
  s.rails[s.yard].normal_route_lever = 1;
  s.prails[s.yard].lever = 1;

  s.rebuild(false, Answer::Yes);
  EXPECT_EQ(s.with_levers(), (Rails{s.entry, s.platform}));
  EXPECT_EQ(s.with_buttons(), (Rails{s.platform, s.exit}));
  EXPECT_EQ(s.levers.extent(), 2);
  EXPECT_EQ(s.prails[s.yard].lever, 0);
  EXPECT_EQ(s.rails[s.yard].normal_route_lever, 0);

  // Request control was chosen for the free lever...
  EXPECT_EQ(s.levers[s.lever_at(s.entry)].mode, kLeverRequest);
  // ...while the platform lever reaches the exit's button over a one-way
  // track: its route is fixed, its symbols hidden.
  int lever = s.lever_at(s.platform);
  int button = s.button_at(s.exit);
  const RouteLever& fixed = s.levers[lever];
  EXPECT_EQ(fixed.mode, kLeverManual);
  EXPECT_EQ((Rails{fixed.normal_route, fixed.current_route}), (Rails{button, button}));
  EXPECT_FALSE(fixed.lever_shown || fixed.button_shown || s.buttons[button].shown);
  EXPECT_EQ(s.buttons[button].owner, lever);
  EXPECT_EQ(s.rails[s.exit].normal_route_lever, lever);
  EXPECT_EQ(s.prails[s.exit].lever, lever);
}

TEST(Map_LeverRebuildTests, NoFixedRouteOnSingleTrackOrPairedRails) {
  OneWayStation single;
  single.prails[single.platform].single_track = 1;
  single.rebuild();
  EXPECT_EQ(single.levers[single.lever_at(single.platform)].mode, kLeverRestore);

  OneWayStation paired;
  paired.rails[paired.exit].l_dual = paired.add(400, 300, 0);
  paired.rebuild();
  EXPECT_EQ(paired.levers[paired.lever_at(paired.platform)].mode, kLeverRestore);
  EXPECT_EQ(paired.buttons[paired.button_at(paired.exit)].owner, 0);
}

TEST(Map_LeverRebuildTests, LeverAndButtonGoWhenTheLeverRailHasNoSignal) {
  OneWayStation s;
  s.rails[s.platform].signal = 0;
  s.rebuild();
  EXPECT_EQ(s.with_levers(), (Rails{s.entry}));
  EXPECT_EQ(s.with_buttons(), (Rails{s.platform}));
  // Renumbered around the gaps.
  EXPECT_EQ((Rails{s.lever_at(s.entry), s.button_at(s.platform)}), (Rails{1, 1}));
}

TEST(Map_LeverRebuildTests, LeversAndButtonsFacingATrackEndAreDeleted) {
  Track k;
  // A siding: outside -> yard rail that ends without a stopping mark.
  int out = k.add(0, 100, 0), siding = k.add(100, 200, 1);
  // Leaving a yard whose track begins nowhere.
  int start = k.add(300, 400, 1), leave = k.add(400, 500, 0);
  // The siding again, but it goes on over a point branch not joined now.
  int out2 = k.add(600, 700, 0), branch = k.add(700, 800, 1);
  // And once more with a point on the siding itself.
  int out3 = k.add(900, 1000, 0), on_point = k.add(1000, 1100, 1);
  k.chain({out, siding});
  k.chain({start, leave});
  k.chain({out2, branch});
  k.chain({out3, on_point});
  k.rails[branch].l_next = -1;
  k.prails[on_point].point = 1;
  k.rebuild();
  EXPECT_EQ(k.with_levers(), (Rails{out2, out3}));
  EXPECT_EQ(k.with_buttons(), Rails{});
}

TEST(Map_LeverRebuildTests, AtcLeversMoveForwardToTheNextBoundary) {
  OneWayStation s;
  s.rebuild(true);
  // The entry lever walks through the yard rail up to the platform's lever.
  EXPECT_EQ(s.with_levers(), (Rails{s.yard, s.platform}));
  const RouteLever& moved = s.levers[s.lever_at(s.yard)];
  EXPECT_EQ(moved.lever_x, 190);
  EXPECT_EQ(moved.mode, kLeverRestore);

  // A point ahead stops the move.
  OneWayStation p;
  p.prails[p.yard].point = 1;
  p.rebuild(true);
  EXPECT_EQ(p.with_levers(), (Rails{p.entry, p.platform}));
}

TEST(Map_LeverRebuildTests, SingleTrackButtonMovesToTheLastPlainRail) {
  Track k;
  int platform = k.add(0, 100, 1, 90, true);
  int s1 = k.add(100, 200, 0, 0, true), s2 = k.add(200, 300, 0, 0, true);
  int dead_end = k.add(300, 400, 0, 0, true);  // no stopping mark
  k.chain({platform, s1, s2, dead_end});
  k.rebuild();
  EXPECT_EQ(k.with_buttons(), (Rails{s2}));
  EXPECT_EQ(k.buttons[k.button_at(s2)].x, 220);

  // A lever on the way (b leads into yard c) takes the button onto its rail.
  Track l;
  int p = l.add(0, 100, 1, 90, true), a = l.add(100, 200, 0, 0, true),
      b = l.add(200, 300, 0, 0, true);
  int c = l.add(300, 400, 1, 0, true), d = l.add(400, 500, 0, 0, true);
  l.chain({p, a, b, c, d});
  l.rebuild();
  EXPECT_EQ(l.with_levers(), (Rails{p, b}));
  EXPECT_EQ(l.with_buttons(), (Rails{b, d}));
}

TEST(Map_InterlockingPrerequisiteTests, AreaManagementAndYardsAroundPointsAreRequired) {
  Track k;
  int a = k.add(0, 100, 1);
  int b = k.add(100, 200, 0);
  k.prails[a].point = 1;
  ScriptedPrompt prompt;
  EXPECT_FALSE(check_interlocking_prerequisites(false, k.rails, k.prails, prompt));
  EXPECT_EQ(prompt.last().caption, "ファイル読み込み警告");
  EXPECT_EQ(prompt.last().text, "継電連動装置操作盤方式には、構内管理の有効なマップが必要です。");
  EXPECT_TRUE(check_interlocking_prerequisites(true, k.rails, k.prails, prompt));
  k.prails[b].point = 1;
  EXPECT_FALSE(check_interlocking_prerequisites(true, k.rails, k.prails, prompt));
  EXPECT_EQ(prompt.last().caption, "構内設定エラー");
  EXPECT_EQ(prompt.count(), 2u);
}

}  // namespace
}  // namespace vosk::map
