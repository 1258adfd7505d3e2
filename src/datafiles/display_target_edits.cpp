#include "datafiles/display_target_edits.h"

#include <algorithm>

#include "base/format.h"
#include "dia/classification_fields.h"

namespace vosk::datafiles {
namespace {

// Column n of a target (display target n, 1-based); the map keeps ten.
int* column(map::Target& t, int n) {
  if (n < 1 || n > map::kDisplayTargetCount) return nullptr;
  return &t.distances[static_cast<std::size_t>(n - 1)];
}

int stored_distance(const map::Target& t, int n) {
  if (n < 1 || n > map::kDisplayTargetCount) return -1;
  return t.distances[static_cast<std::size_t>(n - 1)];
}

const std::string& place_name(const map::Target& t) {
  return t.name.empty() ? t.short_name : t.name;
}

}  // namespace

dia::MembershipColumns membership_columns(MapTables& map) {
  dia::MembershipColumns columns;
  columns.copy = [&map](int from, int to) {
    for (int t = 1; t <= map.targets.extent(); ++t) {
      int* target = column(map.targets[t], to);
      if (target) *target = stored_distance(map.targets[t], from);
    }
  };
  columns.remove = [&map](int removed, int old_count) {
    const int last = std::min(old_count, map::kDisplayTargetCount);
    for (int t = 1; t <= map.targets.extent(); ++t) {
      map::Target& target = map.targets[t];
      for (int k = removed; k < last; ++k) *column(target, k) = stored_distance(target, k + 1);
      if (int* freed = column(target, last)) *freed = -1;
    }
  };
  return columns;
}

dia::EditResult copy_display_target(DataSet& ds, int n) {
  return dia::copy_display_target(ds.classification.display_targets, n, membership_columns(ds.map));
}

dia::EditResult delete_display_target(DataSet& ds, int n, Prompt& prompt) {
  return dia::delete_display_target(ds.classification.display_targets, n, prompt,
                                    membership_columns(ds.map));
}

DisplayTargetEditor::DisplayTargetEditor(const DataSet& ds, int n) : source_(ds), number_(n) {
  const dia::DisplayTargetTable& table = ds.classification.display_targets;
  if (table.names_record(n)) {
    name_ = table[n].name;
    flag_ = table[n].flag != 0;
    protected_ = table[n].is_protected != 0;
  }
  distances_.assign(static_cast<std::size_t>(ds.map.targets.extent()) + 1, -1);
  for (int t = 1; t <= ds.map.targets.extent(); ++t)
    distances_[static_cast<std::size_t>(t)] = stored_distance(ds.map.targets[t], n);
}

int DisplayTargetEditor::distance(int target) const {
  if (target < 1 || target >= static_cast<int>(distances_.size())) return -1;
  return distances_[static_cast<std::size_t>(target)];
}

std::vector<DisplayTargetRow> DisplayTargetEditor::shown() const {
  std::vector<int> on;
  for (int t = 1; t < static_cast<int>(distances_.size()); ++t)
    if (distance(t) >= 0) on.push_back(t);
  std::stable_sort(on.begin(), on.end(),
                   [this](int a, int b) { return distance(a) < distance(b); });
  std::vector<DisplayTargetRow> rows;
  for (int t : on) {
    rows.push_back(
        {t, format("%s (%d[m])", place_name(source_.map.targets[t]).c_str(), distance(t) * 10)});
  }
  return rows;
}

std::vector<DisplayTargetRow> DisplayTargetEditor::hidden() const {
  std::vector<DisplayTargetRow> rows;
  for (int t = 1; t < static_cast<int>(distances_.size()); ++t)
    if (distance(t) < 0) rows.push_back({t, place_name(source_.map.targets[t])});
  return rows;
}

void DisplayTargetEditor::show(const std::vector<int>& targets) {
  if (protected_) return;
  const int count = source_.classification.display_targets.extent();
  for (int t : targets) {
    if (distance(t) >= 0 || t < 1) continue;  // already shown, or no such place
    int taken = 0;
    for (int n = 1; n <= count; ++n) {
      const int d = stored_distance(source_.map.targets[t], n);
      if (d >= 0) {
        taken = d;
        break;
      }
    }
    distances_[static_cast<std::size_t>(t)] = taken;
  }
}

void DisplayTargetEditor::hide(const std::vector<int>& targets) {
  if (protected_) return;
  for (int t : targets)
    if (distance(t) >= 0) distances_[static_cast<std::size_t>(t)] = -1;
}

dia::EditResult DisplayTargetEditor::set_position(int target, int metres) {
  if (protected_ || distance(target) < 0) return dia::EditResult::declined();
  // A negative distance would read back as "not on this display target".
  if (metres < 0) {
    return dia::EditResult::refused(caption::kInputDataError,
                                    "表示位置が不正です。再設定して下さい。\n");
  }
  distances_[static_cast<std::size_t>(target)] = metres / 10;
  return dia::EditResult::done(target);
}

void DisplayTargetEditor::store(DataSet& ds) const {
  dia::DisplayTargetTable& table = ds.classification.display_targets;
  if (!table.names_record(number_)) return;
  dia::DisplayTarget& d = table[number_];
  d.name = dia::fit_text(name_, dia::kLongText);
  d.flag = flag_ ? 1 : 0;
  d.is_protected = protected_ ? 1 : 0;
  const int last = std::min(ds.map.targets.extent(), static_cast<int>(distances_.size()) - 1);
  for (int t = 1; t <= last; ++t) {
    if (int* cell = column(ds.map.targets[t], number_))
      *cell = distances_[static_cast<std::size_t>(t)];
  }
}

}  // namespace vosk::datafiles
