#include "panel/interlocking.h"

#include <cstdlib>

#include "base/format.h"
#include "base/sjis.h"
#include "map/point_operations.h"

namespace vosk::panel {
namespace {

using datafiles::MapTables;

int point_of_rail(const MapTables& m, int rail) {
  const int p = m.rails[rail].l_pack;
  if (!m.prails.names_record(p)) return 0;
  const int point = m.prails[p].point;
  return m.points.names_record(point) ? point : 0;
}

int index_in_point(const map::Point& p, int rail) {
  for (int i = 0; i < p.rail_count && i < map::kPointMaxRails; ++i)
    if (p.rails[static_cast<std::size_t>(i)] == rail) return i;
  return -1;
}

std::string label_of(const MapTables& m, int rail) {
  return m.rails.names_record(rail) ? sjis::to_utf8_lossy(m.rails[rail].label) : std::string();
}

// The start rail named in a conflict message: that of the button's owner.
std::string owner_label(const MapTables& m, int button) {
  return label_of(m, start_rail_of_lever(m, m.route_buttons[button].owner));
}

bool button_owned(const MapTables& m, int rail) {
  const int b = m.rails[rail].route_button;
  return m.route_buttons.names_record(b) && m.route_buttons[b].owner != 0;
}

bool lever_has_route(const MapTables& m, int rail) {
  const int l = m.rails[rail].route_lever;
  return m.route_levers.names_record(l) && m.route_levers[l].current_route != 0;
}

// Whether the point sends trains coming from `from` to more than one rail.
bool branches_after(const map::Point& p, int from) {
  int first = 0;
  const int positions = std::min(p.position_count, map::kPointMaxPositions);
  for (int i = 0; i < p.rail_count && i < map::kPointMaxRails; ++i) {
    for (int s = 0; s < positions; ++s) {
      const auto ui = static_cast<std::size_t>(i), us = static_cast<std::size_t>(s);
      if (std::abs(p.back[ui][us]) != from) continue;
      const int rail = p.rails[ui];
      if (first == 0) first = rail;
      if (rail != first) return true;
    }
  }
  return false;
}

class PathSearch {
 public:
  PathSearch(const MapTables& m, int destination, bool prefer_other)
      : m_(m), destination_(destination), prefer_other_(prefer_other) {}

  bool from(int current) {
    while (true) {
      // A damaged map may link rails in a circle: no path is longer than
      // the rail table.
      if (static_cast<int>(path.size()) > m_.rails.extent()) return false;
      const int next = std::abs(m_.rails[current].l_next);
      if (!m_.rails.names_record(next)) return false;
      if (next == destination_) {
        path.push_back(next);
        return true;
      }
      if (m_.rails[next].route_button != 0) return false;
      const int point = point_of_rail(m_, next);
      if (point != 0 && branches_after(m_.points[point], current))
        return through_branches(m_.points[point], current);
      path.push_back(next);
      current = next;
    }
  }

  std::vector<int> path;

 private:
  bool through_branches(const map::Point& p, int current) {
    std::vector<int> first, second;
    for (int j = 1; j <= m_.rails.extent(); ++j) {
      if (std::abs(m_.rails[j].l_back) != current) continue;
      bool early;
      if (prefer_other_) {
        const int pr = m_.rails[j].l_pack;
        early = m_.prails.names_record(pr) && m_.prails[pr].open == 0;
      } else {
        const int i = index_in_point(p, j);
        early =
            i >= 0 && p.normal_position >= 0 && p.normal_position < map::kPointMaxPositions &&
            p.open[static_cast<std::size_t>(i)][static_cast<std::size_t>(p.normal_position)] != 0;
      }
      (early ? first : second).push_back(j);
    }
    first.insert(first.end(), second.begin(), second.end());
    for (int j : first) {
      // Not through another route's end either.
      if (j != destination_ && m_.rails[j].route_button != 0) continue;
      const std::size_t mark = path.size();
      path.push_back(j);
      if (j == destination_ || from(j)) return true;
      path.resize(mark);
    }
    return false;
  }

  const MapTables& m_;
  int destination_;
  bool prefer_other_;
};

}  // namespace

int start_rail_of_lever(const MapTables& m, int lever) {
  if (lever == 0) return 0;
  for (int r = 1; r <= m.rails.extent(); ++r)
    if (m.rails[r].route_lever == lever) return r;
  return 0;
}

int rail_of_button(const MapTables& m, int button) {
  if (button == 0) return 0;
  for (int r = 1; r <= m.rails.extent(); ++r)
    if (m.rails[r].route_button == button) return r;
  return 0;
}

std::vector<int> find_route_path(const MapTables& m, int start, int destination,
                                 bool prefer_other_branch) {
  if (!m.rails.names_record(start) || !m.rails.names_record(destination)) return {};
  PathSearch search(m, destination, prefer_other_branch);
  if (!search.from(start)) return {};
  return search.path;
}

Outcome set_route(MapTables& m, const PlacedTrains& trains, int start, int destination,
                  const std::vector<int>* rails, bool prefer_other_branch) {
  if (!m.rails.names_record(start) || !m.rails.names_record(destination)) return {};
  const int end_button = m.rails[destination].route_button;
  if (button_owned(m, destination))
    return {false, format("指定された着点は競合する別進路（発点：%s）が設定されています。",
                          owner_label(m, end_button).c_str())};
  const int twin = m.rails[destination].l_dual;
  if (m.rails.names_record(twin)) {
    std::string refusal;
    if (lever_has_route(m, twin))
      refusal = format("指定された着点は競合する対向進路（発点：%s）が設定されています。",
                       label_of(m, twin).c_str());
    if (button_owned(m, twin))
      return {false, format("指定された着点は競合する対向進路（発点：%s）が設定されています。",
                            owner_label(m, m.rails[twin].route_button).c_str())};
    if (!refusal.empty()) return {false, refusal};
  }

  const std::vector<int> path =
      rails ? *rails : find_route_path(m, start, destination, prefer_other_branch);
  if (path.empty()) return {true, {}};

  auto busy = [&](int rail) {
    const int train = trains.on_rail(rail);
    return train != 0 && trains.state(train) != 1;
  };
  std::string refusal;
  for (int r : path) {
    if (!m.rails.names_record(r)) return {false, {}};
    if (busy(r)) refusal = "指定された区間に先行列車が在線します。";
    if (button_owned(m, r)) refusal = "指定された区間に競合する別進路が設定されています。";
    const int u = m.rails[r].l_dual;
    if (m.rails.names_record(u)) {
      if (busy(u)) refusal = "指定された区間に対向列車が在線します。";
      if (lever_has_route(m, u) || button_owned(m, u))
        refusal = "指定された区間に競合する対向進路が設定されています。";
    }
    if (r == destination) break;
  }
  if (!refusal.empty()) return {false, refusal};

  const int lever = m.rails[start].route_lever;
  for (int r : path) {
    const int point = point_of_rail(m, r);
    if (point != 0) {
      Outcome moved = operate_point(m, trains, point, +1, PointCaller::RouteSetting, r);
      if (!moved.ok)
        return {false, format("ポイント%sが鎖錠中です。",
                              sjis::to_utf8_lossy(m.points[point].key).c_str())};
    }
    if (r == destination && m.route_levers.names_record(lever) &&
        m.route_buttons.names_record(end_button)) {
      m.route_levers[lever].current_route = end_button;
      m.route_buttons[end_button].owner = lever;
    }
    if (r == destination) break;
  }
  for (int r : path) {
    const int pr = m.rails[r].l_pack;
    if (m.prails.names_record(pr)) m.prails[pr].lever = lever;
    if (r == destination) break;
  }
  return {true, {}};
}

void cancel_route(MapTables& m, int lever) {
  if (!m.route_levers.names_record(lever)) return;
  map::RouteLever& l = m.route_levers[lever];
  if (m.route_buttons.names_record(l.current_route) &&
      m.route_buttons[l.current_route].owner == lever)
    m.route_buttons[l.current_route].owner = 0;
  l.current_route = 0;
  for (int p = 1; p <= m.prails.extent(); ++p)
    if (m.prails[p].lever == lever) m.prails[p].lever = 0;
}

int train_in_route(const MapTables& m, const PlacedTrains& trains, int lever) {
  if (lever == 0) return 0;
  for (int r = 1; r <= m.rails.extent(); ++r) {
    const int pr = m.rails[r].l_pack;
    if (!m.prails.names_record(pr) || m.prails[pr].lever != lever) continue;
    if (int t = trains.on_rail(r)) return t;
    if (m.rails[r].occupant > 0) return m.rails[r].occupant;
  }
  return 0;
}

Outcome set_normal_route(MapTables& m, int lever) {
  if (!m.route_levers.names_record(lever)) return {};
  auto held = [&](int r) {
    const int pr = m.rails[r].l_pack;
    return m.prails.names_record(pr) && m.prails[pr].lever == lever;
  };
  for (int r = 1; r <= m.rails.extent(); ++r) {
    const int other = m.rails[r].normal_route_lever;
    if (held(r) && other != 0 && other != lever)
      return {false, "この進路には競合する定位進路が存在します。"};
  }
  map::RouteLever& l = m.route_levers[lever];
  for (int r = 1; r <= m.rails.extent(); ++r) {
    map::Rail& rail = m.rails[r];
    const bool on_route = held(r) && rail.direction == l.direction;
    if (on_route)
      rail.normal_route_lever = lever;
    else if (rail.normal_route_lever == lever)
      rail.normal_route_lever = 0;
  }
  l.normal_route = l.current_route;
  return {true, {}};
}

Outcome operate_point(MapTables& m, const PlacedTrains& trains, int point, int step,
                      PointCaller caller, int key_rail) {
  if (!m.points.names_record(point)) return {};
  map::Point& p = m.points[point];
  const bool manual = caller == PointCaller::Manual;
  const int rails = std::min(p.rail_count, map::kPointMaxRails);
  if (key_rail != 0 && p.position >= 0 && p.position < map::kPointMaxPositions) {
    const int i = index_in_point(p, key_rail);
    if (i >= 0 && p.open[static_cast<std::size_t>(i)][static_cast<std::size_t>(p.position)] == 1)
      return {true, {}};
  }
  if (p.failed != 0) return {false, manual ? "指定されたポイントは故障中です。" : ""};
  std::string notice;
  if (manual) {
    if (p.active_mode == map::kPointRequest) {
      p.active_mode = map::kPointRestore;
      notice = "ポイントの要求制御が一時的に解除されました。";
    }
    if (p.active_mode == map::kPointNotification) {
      p.configured_mode = map::kPointNotification;
      p.active_mode = map::kPointRequest;
      return {false, "ポイントの通知制御が一時的に解除されました。"};
    }
  }
  for (int i = 0; i < rails; ++i) {
    const int r = p.rails[static_cast<std::size_t>(i)];
    if (!m.rails.names_record(r)) continue;
    const int pr = m.rails[r].l_pack;
    const bool held = m.prails.names_record(pr) && m.prails[pr].lever != 0;
    if (m.rails[r].occupant != 0 || trains.on_rail(r) != 0 || held)
      return {false,
              manual ? format("ポイント%sは鎖錠中です。", sjis::to_utf8_lossy(p.key).c_str()) : ""};
  }
  bool moved;
  if (key_rail != 0)
    moved =
        map::set_point_for_rail(p, key_rail, step, m.rails, m.prails) != map::PointMove::NotFound;
  else
    moved = map::step_point(p, step, m.rails, m.prails);
  return {moved, notice};
}

}  // namespace vosk::panel
