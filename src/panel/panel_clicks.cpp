// Left clicks on the track panel: route levers, end buttons, point symbols
// and station drawings.
#include "base/format.h"
#include "base/sjis.h"
#include "panel/track_panel.h"

namespace vosk::panel {
namespace {

// Ctrl+click on a point: the next control mode and its message.
const char* point_mode_message(int mode) {
  switch (mode) {
    case map::kPointRestore:
      return "ポイントが復位制御に設定されました。";
    case map::kPointRequest:
      return "ポイントが要求制御に設定されました。";
    case map::kPointNotification:
      return "ポイントが通知制御に設定されました。";
    case map::kPointSequence:
      return "ポイントが順序制御に設定されました。";
    case map::kPointCombined:
      return "ポイントが併用制御に設定されました。";
    default:
      return "ポイントが手動制御に設定されました。";
  }
}

}  // namespace

PlacedTrains TrackPanel::placed_trains() const {
  PlacedTrains t;
  t.on_rail = [this](int rail) { return train_on_rail(rail); };
  return t;
}

PanelResult TrackPanel::left_click(Point p, bool ctrl, const shell::BusyLock& lock,
                                   Prompt& prompt) {
  PanelResult result;
  if (!lock.check(prompt)) return result;
  auto& m = data_.map;
  const PanelHit h = hit(p);

  if (pending_start_ != 0) {
    if (h.kind == PanelHit::Button || h.kind == PanelHit::LeverButton) {
      Outcome o = set_route(m, placed_trains(), pending_start_, h.rail, nullptr, false);
      if (!o.message.empty()) result.messages.push_back(o.message);
      pending_start_ = 0;
      result.changed = true;
      return result;
    }
    if (h.kind == PanelHit::Lever && h.rail == pending_start_) {
      pending_start_ = 0;
      result.changed = true;
      return result;
    }
  }

  if (mode_ != RowMode::Normal) {
    result.changed = row_mode_click(p, false);
    return result;
  }
  if (pending_move_point_ != 0) {
    move_pending_symbol(p);
    result.changed = true;
    return result;
  }

  if (h.kind == PanelHit::PointSymbol) {
    click_point(h.record, ctrl, result);
  } else if (h.kind == PanelHit::Lever) {
    click_lever(h, ctrl, result);
  } else if (h.kind == PanelHit::StationDrawing) {
    result.open_station_target = m.station_draws[h.record].target;
  }
  return result;
}

void TrackPanel::move_pending_symbol(Point p) {
  auto& m = data_.map;
  const int n = pending_move_point_;
  pending_move_point_ = 0;
  if (!m.points.names_record(n)) return;
  map::Point& point = m.points[n];
  int x = panel_x_of(view_, p.x), y = panel_y_of(view_, p.y);
  if (m.rows.names_record(point.symbol_row) && !rows_ignored()) {
    const map::Row& row = m.rows[point.symbol_row];
    x -= row.x_origin + row.x_shift;
    y -= row.y_origin + row.y_shift;
  }
  point.symbol_x = x;
  point.symbol_y = y;
}

void TrackPanel::advance_point_mode(int n, PanelResult& result) {
  map::Point& point = data_.map.points[n];
  point.active_mode = (point.active_mode + 1) % 6;
  point.configured_mode = point.active_mode;
  result.messages.push_back(point_mode_message(point.active_mode));
  result.changed = true;
}

PanelResult TrackPanel::key_typed(char c, bool ctrl, bool shift, bool dia_edit_open) {
  PanelResult result;
  const PointKeyBuffer::Match m = keys_.add(c, data_.map.points);
  result.raise_window = m.display_window;
  if (m.point == 0) return result;
  if (ctrl) {
    if (!interlocking()) advance_point_mode(m.point, result);
  } else if (dia_edit_open) {
    result.switch_on_run = m.point;
  } else if (!interlocking()) {
    Outcome o =
        operate_point(data_.map, placed_trains(), m.point, shift ? -1 : +1, PointCaller::Manual, 0);
    if (!o.message.empty()) result.messages.push_back(o.message);
    result.changed = true;
  }
  return result;
}

void TrackPanel::click_point(int n, bool ctrl, PanelResult& result) {
  if (interlocking()) {
    result.messages.push_back(view_.inter_view != 0
                                  ? "指定されたポイントは操作出来ません。発点てこを操作して下さい。"
                                  : "指定されたポイントは操作出来ません。継電連動装置表示を有効にし"
                                    "て、発点てこを操作して下さい。");
    return;
  }
  if (ctrl) {
    advance_point_mode(n, result);
    return;
  }
  Outcome o = operate_point(data_.map, placed_trains(), n, +1, PointCaller::Manual, 0);
  if (!o.message.empty()) result.messages.push_back(o.message);
  result.changed = true;
}

void TrackPanel::click_lever(const PanelHit& h, bool ctrl, PanelResult& result) {
  auto& m = data_.map;
  map::RouteLever& lever = m.route_levers[h.record];
  if (ctrl) {
    lever.mode = lever.mode == map::kLeverManual    ? map::kLeverRestore
                 : lever.mode == map::kLeverRestore ? map::kLeverRequest
                                                    : map::kLeverManual;
    result.messages.push_back(lever.mode == map::kLeverRestore ? "進路が復位制御に設定されました。"
                              : lever.mode == map::kLeverRequest
                                  ? "進路が要求制御に設定されました。"
                                  : "進路が手動制御に設定されました。");
    result.changed = true;
    return;
  }
  const int twin = m.rails[h.rail].l_dual;
  if (m.rails.names_record(twin)) {
    const int tl = m.rails[twin].route_lever, tb = m.rails[twin].route_button;
    if ((m.route_levers.names_record(tl) && m.route_levers[tl].current_route != 0) ||
        (m.route_buttons.names_record(tb) && m.route_buttons[tb].owner != 0)) {
      result.messages.push_back("指定された発点は競合する対向進路が設定されています。");
      return;
    }
  }
  if (lever.current_route == 0) {
    pending_start_ = h.rail;
    result.changed = true;
    return;
  }
  if (int train = train_in_route(m, placed_trains(), h.record)) {
    const std::string name = data_.dia.trains.names_record(train)
                                 ? sjis::to_utf8_lossy(data_.dia.trains[train].name)
                                 : "";
    result.messages.push_back(format("%s編成が進路内に存在します。", name.c_str()));
    return;
  }
  cancel_route(m, h.record);
  result.changed = true;
}

}  // namespace vosk::panel
