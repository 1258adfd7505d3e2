// The right-click menu of the selected run.
#include "graph/context_menu.h"

#include <climits>
#include <cstdlib>

#include "base/format.h"
#include "base/sjis.h"
#include "graph/graph_controller.h"
#include "graph/run_timing.h"

namespace vosk::graph {
namespace {

bool is_stop(int type) { return type == dia::kEventStop || type == dia::kEventStopNoSearch; }

// The run's last event before the end entry is an arrival: it ends there.
bool is_final_arrival(const dia::Diagram& d, std::size_t i) {
  return d.events[i].type == dia::kEventArrival &&
         (i + 1 >= d.events.size() || d.events[i + 1].type == dia::kEventEnd);
}

}  // namespace

ContextMenu GraphController::context_menu(Point at) {
  ContextMenu menu;
  const auto& diagrams = data_.dia.diagrams;
  if (!diagrams.names_record(selected_)) {
    const int hit = hit_test(at);
    if (hit != 0) selected_ = hit;
    return menu;
  }
  const dia::Diagram& d = diagrams[selected_];
  const auto& c = data_.classification;
  menu.diagram = selected_;
  const std::string type_name =
      c.train_types.contains(d.train_type) ? c.train_types[d.train_type].short_name : "";
  menu.items.push_back(
      {kMenuLabel, sjis::to_utf8_lossy(d.train_number + " " + type_name + " " + d.destination_text),
       false, false});
  menu.items.push_back({kMenuClearSelection, "選択解除(&C)", true, false});

  if (d.applied_pattern != 0) {
    const std::string name =
        c.patterns.names_record(d.applied_pattern) ? c.patterns[d.applied_pattern].name : "";
    menu.items.push_back({kMenuLabel, "<" + sjis::to_utf8_lossy(name) + ">", false, false});
  } else if (d.run.owning_unit != 0) {
    // The stop, pass or arrival whose line is nearest the click in y.
    int nearest_gap = INT_MAX;
    for (std::size_t i = 0; i < d.events.size() && d.events[i].type != dia::kEventEnd; ++i) {
      const dia::DiaEvent& e = d.events[i];
      if (!is_stop(e.type) && e.type != dia::kEventArrival && e.type != dia::kEventPass) continue;
      const int y = vertical_.y_of_rail(e.rail);
      if (y == 0 || std::abs(y - at.y) >= nearest_gap) continue;
      nearest_gap = std::abs(y - at.y);
      menu.event = static_cast<int>(i);
    }
    if (menu.event >= 0) {
      const auto i = static_cast<std::size_t>(menu.event);
      const dia::DiaEvent& e = d.events[i];
      const RunTiming timing(data_);
      const int standard = timing.lookup.stop_time(e.rail, d.train_type, d.speed_type);
      const int unit = data_.header.dia.unit;
      const bool ends_here = is_final_arrival(d, i);
      const bool stop = is_stop(e.type) || (e.type == dia::kEventArrival && !ends_here);
      menu.items.push_back(
          {kMenuLabel, sjis::to_utf8_lossy(data_.map.rails[e.rail].name), false, false});
      menu.items.push_back({kMenuStopStandard,
                            ends_here ? format("延長－標準(%d秒)停車(&D)", standard)
                                      : format("停車－標準(%d秒)(&D)", standard),
                            true, stop});
      menu.items.push_back({kMenuStopLonger, format("停車－　+%d秒(&P)", unit), true, false});
      menu.items.push_back({kMenuStopShorter, format("停車－　-%d秒(&M)", unit), true, false});
      menu.items.push_back({kMenuStopDeparture,
                            ends_here ? "延長－発車時刻(&T)" : "停車－発車時刻(&T)", true, false});
      const bool pass = e.type == dia::kEventPass;
      menu.items.push_back({kMenuPass, "通過(&A)", !pass, pass});
      menu.items.push_back({kMenuTerminate, "終着(&E)", !ends_here, ends_here});
    }
  }
  if (d.run.owning_unit == 0) menu.items.push_back({kMenuDeleteRun, "ダイヤ削除(&D)", true, false});
  menu.items.push_back({kMenuNextSameDirection, "次運用選択　同方向(&1)", true, false});
  menu.items.push_back({kMenuNextOppositeDirection, "次運用選択　逆方向(&2)", true, false});
  menu.items.push_back({kMenuNewNextSameDirection, "次運用新規　同方向(&3)", true, false});
  menu.items.push_back({kMenuNewNextOppositeDirection, "次運用新規　逆方向(&4)", true, false});
  menu.items.push_back({kMenuNewNextFromPattern, "次運用新規　パターン適用(&P)", true, false});
  if (d.next_working != 0)
    menu.items.push_back({kMenuEndWorking, "次運用なし（運用終了）(&E)", true, false});
  return menu;
}

}  // namespace vosk::graph
