// The track panel's context menu: built as data for what lies under the
// cursor, then run by command id.
#include "base/format.h"
#include "base/sjis.h"
#include "panel/track_panel.h"

namespace vosk::panel {
namespace {

const char* const kPointModeTexts[] = {"手動制御(&M)", "復位制御(&R)", "要求制御(&A)",
                                       "通知制御(&N)", "順序制御(&O)", "併用制御(&D)"};
const char* const kLeverModeTexts[] = {"手動制御(&M)", "復位制御(&R)", "要求制御(&A)"};

MenuEntry caption(std::string text) { return {0, std::move(text), false, false}; }

}  // namespace

void TrackPanel::forget_interaction() {
  pending_start_ = pending_move_point_ = 0;
  selected_point_ = selected_lever_rail_ = selected_end_button_rail_ = selected_button_rail_ = 0;
  selected_rail_ = 0;
}

std::vector<MenuEntry> TrackPanel::context_menu(Point at) {
  const auto& m = data_.map;
  selected_point_ = selected_lever_rail_ = selected_end_button_rail_ = selected_button_rail_ = 0;
  selected_rail_ = 0;
  menu_at_ = at;
  const PanelHit h = hit(at);
  // A rail only where no symbol lies, so that the symbol's menu stays short.
  if (h.kind == PanelHit::None || h.kind == PanelHit::StationDrawing) selected_rail_ = rail_at(at);
  if (h.kind == PanelHit::PointSymbol) selected_point_ = h.record;
  if (h.kind == PanelHit::Lever) selected_lever_rail_ = h.rail;
  if (h.kind == PanelHit::LeverButton) selected_end_button_rail_ = h.rail;
  if (h.kind == PanelHit::Button) selected_button_rail_ = h.rail;

  std::vector<MenuEntry> menu;
  if (selected_point_ != 0) {
    const map::Point& p = m.points[selected_point_];
    menu.push_back(caption("ポイント " + sjis::to_utf8_lossy(p.key)));
    bool approach_locked = false;
    for (int i = 0; i < p.rail_count && i < map::kPointMaxRails; ++i) {
      const int r = p.rails[static_cast<std::size_t>(i)];
      approach_locked |= m.rails.names_record(r) && m.rails[r].occupant != 0;
    }
    if (approach_locked) menu.push_back(caption("接近鎖錠中"));
    if (p.position_count < 3) {
      menu.push_back({kCmdSwitch, "転換(&F)"});
    } else {
      menu.push_back({kCmdSwitch, "正順転換(&F)"});
      menu.push_back({kCmdSwitchBack, "逆順転換(&B)"});
    }
    if (p.active_mode != p.configured_mode) menu.push_back(caption("一時手動制御中"));
    for (int mode = 0; mode < 6; ++mode)
      menu.push_back({kCmdPointMode0 + mode, kPointModeTexts[mode], true,
                      p.active_mode == p.configured_mode && p.active_mode == mode});
    menu.push_back({kCmdPointNormal, "定位設定(&D)"});
    menu.push_back({kCmdPointKey, "キー設定(&S)"});
    menu.push_back({kCmdPointMove, "位置修正(&P)"});
  }
  if (selected_lever_rail_ != 0) {
    const map::RouteLever& l = m.route_levers[m.rails[selected_lever_rail_].route_lever];
    menu.push_back(caption("発点てこ " + sjis::to_utf8_lossy(m.rails[selected_lever_rail_].label)));
    if (l.current_route != 0) menu.push_back({kCmdReroute, "再構成(&C)"});
    for (int mode = 0; mode < 3; ++mode)
      menu.push_back({kCmdLeverMode0 + mode, kLeverModeTexts[mode], true, l.mode == mode});
    menu.push_back({kCmdLeverNormal, "定位設定(&D)", true, l.normal_route == l.current_route});
    menu.push_back({kCmdLeverShown, "てこ表示(&V)", true, l.lever_shown != 0});
  }
  if (selected_end_button_rail_ != 0) {
    const map::RouteLever& l = m.route_levers[m.rails[selected_end_button_rail_].route_lever];
    menu.push_back(
        caption("着点ボタン " + sjis::to_utf8_lossy(m.rails[selected_end_button_rail_].label)));
    menu.push_back({kCmdLeverButtonShown, "ボタン表示(&B)", true, l.button_shown != 0});
  }
  if (selected_button_rail_ != 0) {
    const map::RouteButton& b = m.route_buttons[m.rails[selected_button_rail_].route_button];
    menu.push_back(
        caption("着点ボタン " + sjis::to_utf8_lossy(m.rails[selected_button_rail_].label)));
    menu.push_back({kCmdButtonShown, "ボタン表示(&B)", true, b.shown != 0});
  }
  if (selected_rail_ != 0) {
    menu.push_back(caption("線路 " + sjis::to_utf8_lossy(m.rails[selected_rail_].label)));
    menu.push_back({kCmdRailProperties, "線路情報入力(&L)"});
  }
  menu.push_back({kCmdToolBar, "ツールバー表示(&T)", true, view_.tool_bar});
  menu.push_back({kCmdNewWindowHere, "新規ウインドウ－位置(&P)"});
  return menu;
}

PanelResult TrackPanel::menu_command(int id, Prompt& prompt) {
  auto& m = data_.map;
  // The map may have changed since the menu was built.
  auto lever_of = [&](int rail) {
    return m.rails.names_record(rail) && m.route_levers.names_record(m.rails[rail].route_lever)
               ? m.rails[rail].route_lever
               : 0;
  };
  auto button_of = [&](int rail) {
    return m.rails.names_record(rail) && m.route_buttons.names_record(m.rails[rail].route_button)
               ? m.rails[rail].route_button
               : 0;
  };
  PanelResult result;
  result.changed = true;
  auto report = [&](const Outcome& o) {
    if (!o.message.empty()) result.messages.push_back(o.message);
  };

  if (selected_point_ != 0 && m.points.names_record(selected_point_)) {
    map::Point& p = m.points[selected_point_];
    if (id == kCmdSwitch || id == kCmdSwitchBack) {
      report(operate_point(m, placed_trains(), selected_point_, id == kCmdSwitch ? +1 : -1,
                           PointCaller::Manual, 0));
      return result;
    }
    if (id >= kCmdPointMode0 && id < kCmdPointMode0 + 6) {
      p.active_mode = p.configured_mode = id - kCmdPointMode0;
      return result;
    }
    if (id == kCmdPointNormal) {
      p.normal_position = p.position;
      return result;
    }
    if (id == kCmdPointKey) {
      result.point_key_dialog = selected_point_;
      return result;
    }
    if (id == kCmdPointMove) {
      pending_move_point_ = selected_point_;
      result.messages.push_back(kPointMoveRequest);
      return result;
    }
  }
  if (const int lever = lever_of(selected_lever_rail_)) {
    map::RouteLever& l = m.route_levers[lever];
    if (id == kCmdReroute && l.current_route != 0) {
      const int end = rail_of_button(m, l.current_route);
      cancel_route(m, lever);
      report(set_route(m, placed_trains(), selected_lever_rail_, end, nullptr, true));
      return result;
    }
    if (id >= kCmdLeverMode0 && id < kCmdLeverMode0 + 3) {
      l.mode = id - kCmdLeverMode0;
      return result;
    }
    if (id == kCmdLeverNormal) {
      Outcome o = set_normal_route(m, lever);
      if (!o.ok && !o.message.empty()) prompt.tell(kRouteErrorCaption, o.message + "\n");
      return result;
    }
    if (id == kCmdLeverShown) {
      l.lever_shown = l.lever_shown != 0 ? 0 : 1;
      return result;
    }
  }
  if (id == kCmdLeverButtonShown && lever_of(selected_end_button_rail_) != 0) {
    map::RouteLever& l = m.route_levers[lever_of(selected_end_button_rail_)];
    l.button_shown = l.button_shown != 0 ? 0 : 1;
    return result;
  }
  if (id == kCmdButtonShown && button_of(selected_button_rail_) != 0) {
    map::RouteButton& b = m.route_buttons[button_of(selected_button_rail_)];
    b.shown = b.shown != 0 ? 0 : 1;
    return result;
  }
  if (id == kCmdRailProperties && m.rails.names_record(selected_rail_)) {
    result.changed = false;  // the dialog tells when it changed the map
    result.rail_dialog = selected_rail_;
    return result;
  }
  if (id == kCmdToolBar) {
    result.changed = false;
    view_.tool_bar = !view_.tool_bar;
    return result;
  }
  if (id == kCmdNewWindowHere) {
    result.changed = false;
    result.new_window_at = menu_at_;
    return result;
  }
  result.changed = false;
  return result;
}

}  // namespace vosk::panel
