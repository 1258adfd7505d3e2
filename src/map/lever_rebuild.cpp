#include "map/lever_rebuild.h"

#include <cstdlib>

namespace vosk::map {
namespace {

constexpr const char* kReadWarning = "ファイル読み込み警告";
constexpr const char* kAreaSettingError = "構内設定エラー";
constexpr const char* kControlQuestionCaption = "進路制御方式確認";
constexpr const char* kControlQuestion =
    "進路制御方式を要求制御に設定します。\nよろしいですか？\n\n「はい」　：　要求制御\n「いいえ」："
    "　復位制御";

class Rebuild {
 public:
  Rebuild(InterlockingTables& t, const LeverRebuildOptions& options) : t_(t), options_(options) {}

  void run(Prompt& prompt) {
    clear();
    place_levers_and_buttons();
    fix_one_way_routes();
    drop_dead_end_levers_and_buttons();
    if (options_.atc) move_levers_forward();
    move_single_track_buttons();
    if (prompt.ask(kControlQuestionCaption, kControlQuestion, Buttons::YesNo) == Answer::Yes) {
      for (RouteLever& lever : t_.levers)
        if (lever.mode == kLeverRestore) lever.mode = kLeverRequest;
    }
  }

 private:
  Rail& rail(int j) { return t_.rails[j]; }
  bool is_rail(int j) const { return t_.rails.names_record(j); }

  const PRail* prail_of(int j) const {
    int p = t_.rails[j].l_pack;
    return t_.prails.names_record(p) ? &t_.prails[p] : nullptr;
  }
  bool on_point(int j) const {
    const PRail* p = prail_of(j);
    return p && p->point != 0;
  }
  bool single_track(int j) const {
    const PRail* p = prail_of(j);
    return p && p->single_track != 0;
  }
  bool twin_stops(int j) const {
    int d = t_.rails[j].l_dual;
    return is_rail(d) && t_.rails[d].stop_distance != 0;
  }
  bool stops(int j) const { return t_.rails[j].stop_distance != 0 || twin_stops(j); }
  // Trains stop at j inside a yard, or j leads into a yard from outside.
  bool yard_edge(int j, int neighbour) const {
    const Rail& r = t_.rails[j];
    if (r.area != 0) return stops(j);
    return is_rail(neighbour) && t_.rails[neighbour].area != 0;
  }

  void clear() {
    for (Rail& r : t_.rails) r.route_lever = r.route_button = r.normal_route_lever = 0;
    for (PRail& p : t_.prails) p.lever = 0;
    t_.levers.shrink_to(0);
    t_.buttons.shrink_to(0);
  }

  void place_levers_and_buttons() {
    for (int j = 1; j <= t_.rails.extent(); ++j) {
      int n = std::abs(rail(j).l_next);
      int b = std::abs(rail(j).l_back);
      if (n != 0 && yard_edge(j, n)) create_lever(t_, j);
      if (b != 0 && yard_edge(j, b)) create_button(t_, j);
    }
  }

  // A lever whose next rail carries a button: on a one-way track with a
  // signal the route is fixed and its symbols hidden; without a signal
  // neither is needed.
  void fix_one_way_routes() {
    for (int j = 1; j <= t_.rails.extent(); ++j) {
      int lever = rail(j).route_lever;
      int n = rail(j).l_next;
      if (!t_.levers.names_record(lever) || n < 1 || !is_rail(n)) continue;
      int button = rail(n).route_button;
      if (!t_.buttons.names_record(button)) continue;
      if (rail(j).signal == 0) {
        delete_lever(t_, lever);
        delete_button(t_, button);
        continue;
      }
      if (single_track(j) || rail(j).l_dual != 0 || rail(n).l_dual != 0) continue;
      RouteLever& l = t_.levers[lever];
      l.mode = kLeverManual;
      l.normal_route = l.current_route = button;
      l.lever_shown = l.button_shown = 0;
      t_.buttons[button].owner = lever;
      t_.buttons[button].shown = 0;
      rail(n).normal_route_lever = lever;
      if (t_.prails.names_record(rail(n).l_pack)) t_.prails[rail(n).l_pack].lever = lever;
    }
  }

  // Follows the links from j (forward: l_next) until a rail for which
  // `reached` holds. True when the track ends first; a negative link, a link
  // out of the table or a loop end the walk without that.
  template <class Reached>
  bool runs_into_track_end(int j, bool forward, Reached reached) {
    int cur = j;
    for (int steps = 0; steps < t_.rails.extent(); ++steps) {
      int link = forward ? rail(cur).l_next : rail(cur).l_back;
      if (link == 0) return true;
      if (link < 0 || !is_rail(link)) return false;
      cur = link;
      if (reached(cur)) return false;
    }
    return false;
  }

  void drop_dead_end_levers_and_buttons() {
    auto boundary = [this](int k) { return stops(k) || on_point(k); };
    for (int j = 1; j <= t_.rails.extent(); ++j) {
      int lever = rail(j).route_lever;
      if (lever == 0) continue;
      if (runs_into_track_end(j, true,
                              [&](int k) { return rail(k).route_button != 0 || boundary(k); }))
        delete_lever(t_, lever);
    }
    for (int j = 1; j <= t_.rails.extent(); ++j) {
      int button = rail(j).route_button;
      if (button == 0) continue;
      if (runs_into_track_end(j, false,
                              [&](int k) { return rail(k).route_lever != 0 || boundary(k); }))
        delete_button(t_, button);
    }
  }

  // ATC needs a lever at the block boundary: each lever moves on while the
  // rail ahead carries neither lever, button nor point. Number order lets a
  // moved lever be visited again on its new rail.
  void move_levers_forward() {
    for (int j = 1; j <= t_.rails.extent(); ++j) {
      int lever = rail(j).route_lever;
      int n = rail(j).l_next;
      if (lever == 0 || n < 1 || !is_rail(n)) continue;
      if (rail(n).route_lever != 0 || rail(n).route_button != 0 || on_point(n)) continue;
      delete_lever(t_, lever);
      create_lever(t_, n);
    }
  }

  // On single track a button without a lever moves forward to the last
  // rail before a point, a button, a dead end without stopping mark or
  // double track, or onto the first rail with a lever.
  void move_single_track_buttons() {
    for (int j = 1; j <= t_.rails.extent(); ++j) {
      if (rail(j).route_button == 0 || rail(j).route_lever != 0 || !single_track(j)) continue;
      int last = j;
      for (int steps = 0; steps < t_.rails.extent(); ++steps) {
        int n = rail(last).l_next;
        if (n < 1 || !is_rail(n)) break;
        if (!single_track(n) || rail(n).route_button != 0 || on_point(n)) break;
        if (rail(n).l_next == 0 && rail(n).stop_distance == 0) break;
        last = n;
        if (rail(n).route_lever != 0) break;
      }
      if (last == j) continue;
      delete_button(t_, rail(j).route_button);
      create_button(t_, last);
    }
  }

  InterlockingTables& t_;
  const LeverRebuildOptions& options_;
};

}  // namespace

bool check_interlocking_prerequisites(bool use_area, const RecordTable<Rail>& rails,
                                      const RecordTable<PRail>& prails, Prompt& prompt) {
  if (!use_area) {
    prompt.tell(kReadWarning, "継電連動装置操作盤方式には、構内管理の有効なマップが必要です。");
    return false;
  }
  for (int j = 1; j <= rails.extent(); ++j) {
    int p = rails[j].l_pack;
    if (rails[j].area == 0 && prails.names_record(p) && prails[p].point != 0) {
      prompt.tell(kAreaSettingError,
                  "このマップは構内設定が正しくできていません。\n全てのポイントが構内に含まれている"
                  "必要があります。");
      return false;
    }
  }
  return true;
}

void rebuild_levers_and_buttons(InterlockingTables& t, const LeverRebuildOptions& options,
                                Prompt& prompt) {
  Rebuild(t, options).run(prompt);
}

}  // namespace vosk::map
