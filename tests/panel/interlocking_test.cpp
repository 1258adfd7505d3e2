#include "panel/interlocking.h"

#include <gtest/gtest.h>

#include "panel/panel_fixtures.h"
#include "panel/track_panel.h"
#include "support/scripted_prompt.h"

namespace vosk::panel {
namespace {

using testing::add_rail;

// Start rail 1 runs onto point 21's trunk 2, which leads to 3 (normal
// position, on to 5) or 4 (reverse, on to 6). Buttons end routes at 5 and 6.
class Panel_InterlockingTests : public ::testing::Test {
 protected:
  Panel_InterlockingTests() {
    data.map = testing::one_row_map();
    auto& m = data.map;
    add_rail(m, 1, 0, 40, 100, 40);    // 1
    add_rail(m, 1, 100, 40, 150, 40);  // 2
    add_rail(m, 1, 150, 40, 250, 40);  // 3
    add_rail(m, 1, 150, 40, 250, 80);  // 4
    add_rail(m, 1, 250, 40, 350, 40);  // 5
    add_rail(m, 1, 250, 80, 350, 80);  // 6
    link(1, 2);
    link(3, 5);
    link(4, 6);
    for (int r = 1; r <= 6; ++r) m.rails[r].label = "R" + std::to_string(r);
    map::Point& p = m.points.grow_to(1);
    p.key = "21";
    p.rails = {2, 3, 4};
    p.rail_count = 3;
    p.position_count = 2;
    p.open[0] = {1, 1};
    p.open[1] = {1, 0};
    p.open[2] = {0, 1};
    p.next[0] = {3, 4};
    p.next[1] = {5, 5};
    p.next[2] = {6, 6};
    p.back[0] = {1, 1};
    p.back[1] = {2, -2};
    p.back[2] = {-2, 2};
    for (int r : {2, 3, 4}) m.prails[m.rails[r].l_pack].point = 1;
    m.rails[2].l_next = 3;
    m.rails[3].l_back = 2;
    m.rails[4].l_back = -2;
    m.prails[m.rails[4].l_pack].open = 0;

    lever = m.route_levers.extent() + 1;
    m.route_levers.grow_to(lever) = {1, 0, 0, 0, 2, 1, 1, 20, 20, 0, 0, 0, 0};
    m.rails[1].route_lever = lever;
    button5 = add_button(5);
    button6 = add_button(6);
  }

  void link(int a, int b) {
    data.map.rails[a].l_next = b;
    data.map.rails[b].l_back = a;
  }
  int add_button(int rail) {
    const int b = data.map.route_buttons.extent() + 1;
    data.map.route_buttons.grow_to(b) = {0,
                                         0,
                                         0,
                                         1,
                                         1,
                                         data.map.rails[rail].row_pos_x_next - 10,
                                         data.map.rails[rail].row_pos_y_next};
    data.map.rails[rail].route_button = b;
    return b;
  }
  // A rail of the opposite direction beside `rail`, with a lever of its own.
  int add_twin_with_lever(int rail) {
    auto& m = data.map;
    const map::Rail& r = m.rails[rail];
    const int t =
        add_rail(m, 1, r.row_pos_x_next, r.row_pos_y_next, r.row_pos_x_back, r.row_pos_y_back);
    m.rails[t].l_dual = rail;
    m.rails[rail].l_dual = t;
    m.rails[t].label = "T";
    const int l = m.route_levers.extent() + 1;
    m.route_levers.grow_to(l).direction = 1;
    m.rails[t].route_lever = l;
    return t;
  }
  bool held(int rail) const { return data.map.prails[data.map.rails[rail].l_pack].lever == lever; }

  datafiles::DataSet data;
  PlacedTrains trains;
  int lever = 0, button5 = 0, button6 = 0;
};

TEST_F(Panel_InterlockingTests, SettingARouteMovesPointsAndHoldsTheTracks) {
  EXPECT_EQ(find_route_path(data.map, 1, 6, false), (std::vector<int>{2, 4, 6}));
  Outcome o = set_route(data.map, trains, 1, 6, nullptr, false);
  ASSERT_TRUE(o.ok) << o.message;
  EXPECT_EQ(o.message, "");
  EXPECT_EQ(data.map.points[1].position, 1);
  EXPECT_EQ(data.map.rails[2].l_next, 4);
  EXPECT_EQ(data.map.route_levers[lever].current_route, button6);
  EXPECT_EQ(data.map.route_buttons[button6].owner, lever);
  EXPECT_TRUE(held(2) && held(4) && held(6));
  EXPECT_FALSE(held(1) || held(3));

  cancel_route(data.map, lever);
  EXPECT_EQ(data.map.route_levers[lever].current_route, 0);
  EXPECT_EQ(data.map.route_buttons[button6].owner, 0);
  EXPECT_FALSE(held(2) || held(4) || held(6));
}

TEST_F(Panel_InterlockingTests, ADestinationOwnedByAnotherLeverIsRefusedNamingItsStart) {
  const int other = add_twin_with_lever(3);
  data.map.route_buttons[button5].owner = data.map.rails[other].route_lever;
  Outcome o = set_route(data.map, trains, 1, 5, nullptr, false);
  EXPECT_FALSE(o.ok);
  EXPECT_EQ(o.message, "指定された着点は競合する別進路（発点：T）が設定されています。");
  EXPECT_EQ(data.map.route_levers[lever].current_route, 0);
}

TEST_F(Panel_InterlockingTests, AnOpposingRouteOnTheWayOrAtTheDestinationRefuses) {
  const int twin = add_twin_with_lever(4);
  data.map.route_levers[data.map.rails[twin].route_lever].current_route = 9;
  Outcome o = set_route(data.map, trains, 1, 6, nullptr, false);
  EXPECT_FALSE(o.ok);
  EXPECT_EQ(o.message, "指定された区間に競合する対向進路が設定されています。");
  EXPECT_EQ(data.map.points[1].position, 0);  // refused before anything moved
  EXPECT_FALSE(held(4));

  const int at_end = add_twin_with_lever(6);
  data.map.route_levers[data.map.rails[at_end].route_lever].current_route = 9;
  o = set_route(data.map, trains, 1, 6, nullptr, false);
  EXPECT_EQ(o.message, "指定された着点は競合する対向進路（発点：T）が設定されています。");
}

TEST_F(Panel_InterlockingTests, APathNeverRunsThroughAnotherRoutesEndButton) {
  const int seven = add_rail(data.map, 1, 350, 40, 450, 40);
  link(5, seven);
  // 3 -> 5 (button) -> 7: the destination lies past another end.
  EXPECT_TRUE(find_route_path(data.map, 1, seven, false).empty());
  Outcome o = set_route(data.map, trains, 1, seven, nullptr, false);
  EXPECT_TRUE(o.ok);
  EXPECT_EQ(data.map.points[1].position, 0);
  EXPECT_EQ(data.map.route_levers[lever].current_route, 0);
}

TEST_F(Panel_InterlockingTests, PreferringTheOtherBranchTriesClosedTracksFirst) {
  auto& m = data.map;
  m.rails[5].route_button = m.rails[6].route_button = 0;
  const int joined = add_rail(m, 1, 350, 40, 450, 40);
  link(5, joined);
  link(6, joined);
  add_button(joined);
  EXPECT_EQ(find_route_path(m, 1, joined, false), (std::vector<int>{2, 3, 5, joined}));
  EXPECT_EQ(find_route_path(m, 1, joined, true), (std::vector<int>{2, 4, 6, joined}));
}

TEST_F(Panel_InterlockingTests, APointIsLockedByAnOccupiedRailAndTheRouteStops) {
  data.map.rails[3].occupant = 4;
  Outcome manual = operate_point(data.map, trains, 1, +1, PointCaller::Manual, 0);
  EXPECT_FALSE(manual.ok);
  EXPECT_EQ(manual.message, "ポイント21は鎖錠中です。");
  Outcome o = set_route(data.map, trains, 1, 6, nullptr, false);
  EXPECT_FALSE(o.ok);
  EXPECT_EQ(o.message, "ポイント21が鎖錠中です。");
  EXPECT_EQ(data.map.points[1].position, 0);
  EXPECT_EQ(data.map.route_levers[lever].current_route, 0);
  EXPECT_FALSE(held(2));
  // A rail already open for the key rail needs no move and passes.
  EXPECT_TRUE(operate_point(data.map, trains, 1, +1, PointCaller::RouteSetting, 3).ok);
}

TEST_F(Panel_InterlockingTests, AManualClickUnderNotificationOnlyReleasesTheControl) {
  map::Point& p = data.map.points[1];
  p.active_mode = p.configured_mode = map::kPointNotification;
  Outcome first = operate_point(data.map, trains, 1, +1, PointCaller::Manual, 0);
  EXPECT_FALSE(first.ok);
  EXPECT_EQ(first.message, "ポイントの通知制御が一時的に解除されました。");
  EXPECT_EQ(p.active_mode, map::kPointRequest);
  EXPECT_EQ(p.configured_mode, map::kPointNotification);
  EXPECT_EQ(p.position, 0);
  Outcome second = operate_point(data.map, trains, 1, +1, PointCaller::Manual, 0);
  EXPECT_TRUE(second.ok);
  EXPECT_EQ(second.message, "ポイントの要求制御が一時的に解除されました。");
  EXPECT_EQ(p.position, 1);
  p.failed = 1;
  EXPECT_EQ(operate_point(data.map, trains, 1, +1, PointCaller::Manual, 0).message,
            "指定されたポイントは故障中です。");
}

TEST_F(Panel_InterlockingTests, APrecedingTrainInTheSectionRefuses) {
  trains.on_rail = [](int rail) { return rail == 6 ? 8 : 0; };
  EXPECT_EQ(set_route(data.map, trains, 1, 6, nullptr, false).message,
            "指定された区間に先行列車が在線します。");
  trains.state = [](int) { return 1; };  // a train in state 1 does not count
  EXPECT_TRUE(set_route(data.map, trains, 1, 6, nullptr, false).ok);
}

TEST_F(Panel_InterlockingTests, ClicksOnTheLeverAndAButtonSetAndCancelTheRoute) {
  data.header.map.use_interlocking = 1;
  TrackPanel panel(data, shell::builtin_main_window_line_styles());
  panel.view().inter_view = 1;
  shell::BusyLock lock;
  vosk::testing::ScriptedPrompt prompt;
  const Point lever_at{60, 20};         // lever symbol (20, 20) in row 1
  const Point button_at{40 + 340, 80};  // rail 6's button
  EXPECT_TRUE(panel.left_click(lever_at, false, lock, prompt).changed);
  EXPECT_EQ(panel.pending_start(), 1);
  PanelResult set = panel.left_click(button_at, false, lock, prompt);
  EXPECT_TRUE(set.messages.empty());
  EXPECT_EQ(panel.pending_start(), 0);
  EXPECT_EQ(data.map.route_levers[lever].current_route, button6);

  // A train inside the route keeps it; without one the click cancels it.
  panel.set_train_on_rail(4, 2);
  EXPECT_EQ(panel.left_click(lever_at, false, lock, prompt).messages,
            (std::vector<std::string>{"編成が進路内に存在します。"}));
  panel.set_train_on_rail(4, 0);
  panel.left_click(lever_at, false, lock, prompt);
  EXPECT_EQ(data.map.route_levers[lever].current_route, 0);

  PanelResult mode = panel.left_click(lever_at, true, lock, prompt);
  EXPECT_EQ(mode.messages, (std::vector<std::string>{"進路が要求制御に設定されました。"}));

  // The point cannot be worked by hand on an interlocking panel.
  data.map.points[1].symbol_row = 1;
  data.map.points[1].symbol_x = 150;
  data.map.points[1].symbol_y = 100;
  EXPECT_EQ(
      panel.left_click({190, 104}, false, lock, prompt).messages,
      (std::vector<std::string>{"指定されたポイントは操作出来ません。発点てこを操作して下さい。"}));

  lock.lock(shell::BusyState::DiaEditWindow);
  EXPECT_FALSE(panel.left_click(lever_at, false, lock, prompt).changed);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "操作エラー");
}

TEST_F(Panel_InterlockingTests, CtrlClicksCycleThePointModesOutsideInterlocking) {
  TrackPanel panel(data, shell::builtin_main_window_line_styles());
  shell::BusyLock lock;
  vosk::testing::ScriptedPrompt prompt;
  data.map.points[1].symbol_row = 1;
  data.map.points[1].symbol_x = 150;
  data.map.points[1].symbol_y = 100;
  const char* expected[] = {
      "ポイントが復位制御に設定されました。", "ポイントが要求制御に設定されました。",
      "ポイントが通知制御に設定されました。", "ポイントが順序制御に設定されました。",
      "ポイントが併用制御に設定されました。", "ポイントが手動制御に設定されました。"};
  for (const char* text : expected) {
    PanelResult r = panel.left_click({190, 104}, true, lock, prompt);
    EXPECT_EQ(r.messages, (std::vector<std::string>{text}));
    EXPECT_EQ(data.map.points[1].configured_mode, data.map.points[1].active_mode);
  }
  panel.left_click({190, 104}, false, lock, prompt);
  EXPECT_EQ(data.map.points[1].position, 1);
}

TEST_F(Panel_InterlockingTests, SetNormalRouteMarksTheRouteAndRefusesAnotherLeversMarks) {
  ASSERT_TRUE(set_route(data.map, trains, 1, 6, nullptr, false).ok);
  data.map.rails[5].normal_route_lever = lever;  // left from an earlier normal route
  ASSERT_TRUE(set_normal_route(data.map, lever).ok);
  EXPECT_EQ(data.map.route_levers[lever].normal_route, button6);
  for (int r : {2, 4, 6}) EXPECT_EQ(data.map.rails[r].normal_route_lever, lever) << r;
  EXPECT_EQ(data.map.rails[5].normal_route_lever, 0);

  data.map.rails[4].normal_route_lever = 7;
  data.map.route_levers[lever].normal_route = 0;
  Outcome o = set_normal_route(data.map, lever);
  EXPECT_FALSE(o.ok);
  EXPECT_EQ(o.message, "この進路には競合する定位進路が存在します。");
  EXPECT_EQ(data.map.route_levers[lever].normal_route, 0);
  EXPECT_EQ(data.map.rails[2].normal_route_lever, lever);
}

TEST_F(Panel_InterlockingTests, TheLeverMenuReroutesOverTheOtherBranchAndShowsItsState) {
  auto& m = data.map;
  m.rails[5].route_button = m.rails[6].route_button = 0;
  const int joined = add_rail(m, 1, 350, 40, 450, 40);
  link(5, joined);
  link(6, joined);
  const int end = add_button(joined);
  data.header.map.use_interlocking = 1;
  ASSERT_TRUE(set_route(m, trains, 1, joined, nullptr, false).ok);
  EXPECT_EQ(m.points[1].position, 0);  // over the normal branch

  TrackPanel panel(data, shell::builtin_main_window_line_styles());
  panel.view().inter_view = 1;
  std::vector<MenuEntry> menu = panel.context_menu({60, 20});
  const std::vector<MenuEntry> expected = {
      {0, "発点てこ R1", false, false},
      {kCmdReroute, "再構成(&C)"},
      {kCmdLeverMode0, "手動制御(&M)"},
      {kCmdLeverMode0 + 1, "復位制御(&R)", true, true},
      {kCmdLeverMode0 + 2, "要求制御(&A)"},
      {kCmdLeverNormal, "定位設定(&D)"},
      {kCmdLeverShown, "てこ表示(&V)", true, true},
      {kCmdToolBar, "ツールバー表示(&T)", true, true},
      {kCmdNewWindowHere, "新規ウインドウ－位置(&P)"},
  };
  EXPECT_EQ(menu, expected);
  vosk::testing::ScriptedPrompt prompt;
  panel.menu_command(kCmdReroute, prompt);
  // Track 3 is now the closed one: the route goes over it.
  EXPECT_EQ(m.route_levers[lever].current_route, end);
  EXPECT_EQ(m.points[1].position, 1);
  EXPECT_TRUE(held(4) && !held(3));
  panel.menu_command(kCmdLeverShown, prompt);
  EXPECT_EQ(m.route_levers[lever].lever_shown, 0);
}

TEST_F(Panel_InterlockingTests, ThePointMenuSwitchesSetsModesAndArmsASymbolMove) {
  auto& m = data.map;
  map::Point& p = m.points[1];
  p.symbol_row = 1;
  p.symbol_x = 150;
  p.symbol_y = 100;
  p.active_mode = 2;
  p.configured_mode = 3;  // released for the moment
  m.rails[3].occupant = 9;
  TrackPanel panel(data, shell::builtin_main_window_line_styles());
  std::vector<MenuEntry> menu = panel.context_menu({190, 104});
  ASSERT_GE(menu.size(), 5u);
  EXPECT_EQ(menu[0], (MenuEntry{0, "ポイント 21", false, false}));
  EXPECT_EQ(menu[1], (MenuEntry{0, "接近鎖錠中", false, false}));
  EXPECT_EQ(menu[2], (MenuEntry{kCmdSwitch, "転換(&F)"}));
  EXPECT_EQ(menu[3], (MenuEntry{0, "一時手動制御中", false, false}));
  for (int mode = 0; mode < 6; ++mode) EXPECT_FALSE(menu[4 + mode].checked);

  vosk::testing::ScriptedPrompt prompt;
  PanelResult locked = panel.menu_command(kCmdSwitch, prompt);
  EXPECT_EQ(locked.messages, (std::vector<std::string>{"ポイント21は鎖錠中です。"}));
  m.rails[3].occupant = 0;
  panel.menu_command(kCmdPointMode0 + 5, prompt);
  EXPECT_EQ(p.active_mode, 5);
  EXPECT_EQ(p.configured_mode, 5);

  PanelResult armed = panel.menu_command(kCmdPointMove, prompt);
  EXPECT_EQ(armed.messages,
            (std::vector<std::string>{"ポイント記号の表示位置を、クリックして下さい。"}));
  EXPECT_EQ(panel.pending_symbol_move(), 1);
  EXPECT_EQ(panel.status_text(), "ポイント記号の表示位置を、クリックして下さい。");
  shell::BusyLock lock;
  panel.left_click({300, 150}, false, lock, prompt);  // row 1 origin (40, 0)
  EXPECT_EQ(p.symbol_x, 260);
  EXPECT_EQ(p.symbol_y, 150);
  EXPECT_EQ(panel.pending_symbol_move(), 0);
  EXPECT_EQ(panel.status_text(), "");
}

TEST_F(Panel_InterlockingTests, TypedPointKeysOperateThePointAndPickDisplayWindows) {
  TrackPanel panel(data, shell::builtin_main_window_line_styles());
  data.map.points.grow_to(2).key = "2b";
  PanelResult r = panel.key_typed('2', false, false, false);
  EXPECT_EQ(panel.key_buffer().text(), "2");
  r = panel.key_typed('1', false, false, false);  // "21": point 1, forward
  EXPECT_EQ(panel.key_buffer().text(), "");
  EXPECT_EQ(data.map.points[1].position, 1);
  panel.key_typed('2', false, true, false);
  panel.key_typed('1', false, true, false);  // Shift: backward
  EXPECT_EQ(data.map.points[1].position, 0);
  panel.key_typed('2', false, false, false);
  EXPECT_EQ(panel.key_typed('B', true, false, false).messages,
            (std::vector<std::string>{"ポイントが復位制御に設定されました。"}));  // any case
  panel.key_typed('2', false, false, false);
  EXPECT_EQ(panel.key_typed('1', false, false, true).switch_on_run, 1);
  EXPECT_EQ(data.map.points[1].position, 0);  // the dia edit window takes it

  // Longer than every key: starts again.
  panel.key_typed('9', false, false, false);
  panel.key_typed('9', false, false, false);
  panel.key_typed('3', false, false, false);
  EXPECT_EQ(panel.key_buffer().text(), "3");
  EXPECT_EQ(panel.key_typed('x', false, false, false).raise_window, 3);
  panel.key_typed('/', false, false, false);
  for (char c : std::string("abcdefghijklmnopqrs")) panel.key_typed(c, false, false, false);
  EXPECT_EQ(panel.key_buffer().text().size(), 20u);  // a command line grows
  panel.key_typed('t', false, false, false);
  EXPECT_EQ(panel.key_buffer().text(), "t");
  panel.key_buffer().remove_last();
  EXPECT_EQ(panel.key_buffer().text(), "");
}

}  // namespace
}  // namespace vosk::panel
