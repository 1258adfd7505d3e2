#include "dia/numbering.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "base/sjis.h"
#include "base/time_text.h"
#include "dia/dia_operations.h"
#include "dia/edit_result.h"
#include "dia/working_chains.h"

namespace vosk::dia {
namespace {

constexpr const char* kNumberCaption = "列車番号自動設定確認";
constexpr int kNoTime = INT_MIN;

struct Visit {
  int run;
  int key;  // time on the operating-day scale
};

// The runs of one direction with their first time at every target, and the
// average departures.
class OrderingTimes {
 public:
  OrderingTimes(const DiaTables& dia, const TimingLookup& timing, int direction)
      : by_target_(static_cast<std::size_t>(timing.map().targets.extent()) + 1),
        average_(static_cast<std::size_t>(dia.diagrams.extent()) + 1, kNoTime) {
    std::vector<int> seen_at;  // targets already visited by the run in hand
    for (int n = 1; n <= dia.diagrams.extent(); ++n) {
      const Diagram& d = dia.diagrams[n];
      if (d.direction != direction) continue;
      runs_.push_back(n);
      seen_at.clear();
      long long sum = 0;
      int count = 0;
      std::size_t events = d.event_count();
      for (std::size_t i = 0; i < events; ++i) {
        const DiaEvent& e = d.events[i];
        bool departs_next =
            i + 1 < events && d.events[i + 1].rail == e.rail &&
            (d.events[i + 1].type == kEventStop || d.events[i + 1].type == kEventStopNoSearch);
        int time = 0;
        switch (e.type) {
          case kEventStop:
          case kEventStopNoSearch:
          case kEventPass:
            time = e.time;
            break;
          case kEventArrival:
            time = departs_next ? d.events[i + 1].time : e.time;
            break;
          default:
            continue;
        }
        if ((e.type == kEventStop || e.type == kEventStopNoSearch) && e.time != 0) {
          sum += timetext::order_key(e.time);
          ++count;
        } else if (e.type == kEventArrival && !departs_next && e.time != 0) {
          sum += timetext::order_key(e.time) + timing.stop_time(e.rail, d.train_type, d.speed_type);
          ++count;
        }
        int target = timing.map().rail_target(e.rail);
        if (time == 0 || target <= 0 || static_cast<std::size_t>(target) >= by_target_.size()) {
          continue;
        }
        if (std::find(seen_at.begin(), seen_at.end(), target) != seen_at.end()) continue;
        seen_at.push_back(target);
        by_target_[static_cast<std::size_t>(target)].push_back({n, timetext::order_key(time)});
      }
      if (count > 0) average_[static_cast<std::size_t>(n)] = static_cast<int>(sum / count);
    }
  }

  const std::vector<int>& runs() const { return runs_; }
  int target_extent() const { return static_cast<int>(by_target_.size()) - 1; }
  const std::vector<Visit>& at(int target) const {
    return by_target_[static_cast<std::size_t>(target)];
  }
  int average(int n) const { return average_[static_cast<std::size_t>(n)]; }
  std::vector<Visit> averages() const {
    std::vector<Visit> out;
    for (int n : runs_) {
      if (average(n) != kNoTime) out.push_back({n, average(n)});
    }
    return out;
  }

 private:
  std::vector<int> runs_;
  std::vector<std::vector<Visit>> by_target_;
  std::vector<int> average_;
};

// The ordered runs, into which each step inserts the runs it gives a time.
class RunningOrder {
 public:
  explicit RunningOrder(int diagram_extent)
      : placed_(static_cast<std::size_t>(diagram_extent) + 1, false),
        key_(static_cast<std::size_t>(diagram_extent) + 1, kNoTime) {}

  // One step: the runs of `visits` not yet ordered go in before the first
  // ordered run whose time here is later than theirs.
  void insert(const std::vector<Visit>& visits) {
    incoming_.clear();
    for (const Visit& v : visits) {
      key_[static_cast<std::size_t>(v.run)] = v.key;
      if (!placed_[static_cast<std::size_t>(v.run)]) incoming_.push_back(v);
    }
    if (!incoming_.empty()) merge();
    for (const Visit& v : visits) key_[static_cast<std::size_t>(v.run)] = kNoTime;
  }

  const std::vector<int>& runs() const { return order_; }

 private:
  void merge() {
    std::sort(incoming_.begin(), incoming_.end(), [](const Visit& a, const Visit& b) {
      return a.key != b.key ? a.key < b.key : a.run < b.run;
    });
    // The latest time here among the ordered runs up to each place: a run
    // goes before the first place where it is exceeded, and that place only
    // moves on as the incoming times rise.
    merged_.clear();
    merged_.reserve(order_.size() + incoming_.size());
    int latest = kNoTime;
    std::size_t k = 0;
    for (int r : order_) {
      latest = std::max(latest, key_[static_cast<std::size_t>(r)]);
      while (k < incoming_.size() && latest > incoming_[k].key)
        merged_.push_back(incoming_[k++].run);
      merged_.push_back(r);
    }
    while (k < incoming_.size()) merged_.push_back(incoming_[k++].run);
    for (const Visit& v : incoming_) placed_[static_cast<std::size_t>(v.run)] = true;
    order_.swap(merged_);
  }

  std::vector<bool> placed_;
  std::vector<int> key_;
  std::vector<int> order_;
  std::vector<int> merged_;
  std::vector<Visit> incoming_;
};

bool ask(Prompt& prompt, const char* caption, const char* text) {
  return confirmed(prompt, caption, text);
}

// Sets a run's train number and tells whether it changed.
bool set_number(Diagram& d, std::string number) {
  if (d.train_number == number) return false;
  d.train_number = std::move(number);
  return true;
}

}  // namespace

void compute_running_order(DiaTables& dia, const TimingLookup& timing, int base_target) {
  for (Diagram& d : dia.diagrams) {
    d.running_order = 0;
    d.run.average_dwell = 0;
  }
  for (int direction = 1; direction <= 2; ++direction) {
    OrderingTimes times(dia, timing, direction);
    RunningOrder order(dia.diagrams.extent());
    bool has_base = base_target >= 1 && base_target <= times.target_extent();
    if (has_base) order.insert(times.at(base_target));
    for (int t = 1; t <= times.target_extent(); ++t) {
      if (!has_base || t != base_target) order.insert(times.at(t));
    }
    order.insert(times.averages());
    int number = 0;
    for (int n : order.runs()) dia.diagrams[n].running_order = ++number;
    for (int n : times.runs()) {
      if (times.average(n) != kNoTime) dia.diagrams[n].run.average_dwell = times.average(n);
    }
  }
}

std::optional<int> number_by_formation(DiaTables& dia, bool right_down, Prompt& prompt) {
  if (!ask(prompt, kNumberCaption,
           "全てのダイヤの列車番号を\n\n（編成名）＋（運用順）\n\nの形式で自動設定します。\n"
           "よろしいですか？")) {
    return std::nullopt;
  }
  const int down = down_direction(right_down);
  int changed = 0;
  for (int u = 1; u <= dia.units.extent(); ++u) {
    const std::string& name = dia.units[u].name;
    int counter = 0;
    for (int r : working_chain(dia, dia.units[u].first_diagram)) {
      Diagram& d = dia.diagrams[r];
      bool odd = counter % 2 == 1;
      if ((d.direction == 1 || d.direction == 2) && odd != (d.direction == down)) ++counter;
      char digits[16];
      std::snprintf(digits, sizeof digits, "%02d", counter);
      // The name gives way to the digits when both do not fit.
      std::size_t room = kTrainNumberBytes - std::min(kTrainNumberBytes, std::strlen(digits));
      changed += set_number(d, std::string(sjis::cut(name, room)) + digits);
    }
  }
  return changed;
}

std::optional<int> number_serially(DiaTables& dia, const TimingLookup& timing, int base_target,
                                   bool right_down, Prompt& prompt) {
  if (!ask(prompt, kNumberCaption,
           "全てのダイヤの列車番号を通し番号で自動設定します。\nよろしいですか？")) {
    return std::nullopt;
  }
  compute_running_order(dia, timing, base_target);
  const int down = down_direction(right_down);
  int changed = 0;
  std::vector<std::pair<int, int>> ordered;  // (direction, order) per run, in number order
  for (int n = 1; n <= dia.diagrams.extent(); ++n) {
    const Diagram& d = dia.diagrams[n];
    if (!d.in_use() || d.pattern_template != 0) continue;
    if (d.direction != 1 && d.direction != 2) {
      changed += set_number(dia.diagrams[n], "0");
      continue;
    }
    ordered.push_back({n, d.running_order});
  }
  // Runs without any time to order them by follow the ordered ones.
  std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
    int ka = a.second != 0 ? a.second : INT_MAX;
    int kb = b.second != 0 ? b.second : INT_MAX;
    return ka < kb;
  });
  int next_down = 1;
  int next_up = 2;
  for (const auto& [n, order] : ordered) {
    int& next = dia.diagrams[n].direction == down ? next_down : next_up;
    changed += set_number(dia.diagrams[n], std::to_string(next));
    next += 2;
  }
  return changed;
}

std::optional<int> set_all_destinations(DiaTables& dia, const MapLookup& map, Prompt& prompt) {
  if (!ask(prompt, "行先表示自動設定確認",
           "全てのダイヤの行先表示を自動設定します。\nよろしいですか？")) {
    return std::nullopt;
  }
  int changed = 0;
  for (int n = 1; n <= dia.diagrams.extent(); ++n) {
    Diagram& d = dia.diagrams[n];
    if (!d.in_use()) continue;
    int destination = d.destination;
    std::string text = d.destination_text;
    auto_destination(dia, n, map);
    changed += d.destination != destination || d.destination_text != text;
  }
  return changed;
}

}  // namespace vosk::dia
