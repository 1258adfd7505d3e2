#include "dia/stop_time.h"

#include <algorithm>

#include "base/format.h"
#include "base/sjis.h"
#include "dia/classification_fields.h"
#include "dia/renumbering.h"

namespace vosk::dia {
namespace {

enum Column { kTarget, kRail, kKind, kSeconds, kTrainType, kSpeedType };

const StopTime* find_track_entry(const StopTimeList& list, int rail, int kind, int train_type,
                                 int speed_type) {
  for (const StopTime& e : list) {
    if (e.rail == rail && e.kind == kind && e.train_type == train_type &&
        e.speed_type == speed_type) {
      return &e;
    }
  }
  return nullptr;
}

const StopTime* find_station_entry(const StopTimeList& list, int target, int kind, int train_type,
                                   int speed_type) {
  for (const StopTime& e : list) {
    if (e.rail == 0 && e.target == target && e.kind == kind && e.train_type == train_type &&
        e.speed_type == speed_type) {
      return &e;
    }
  }
  return nullptr;
}

// The entry for the types, else the one for any type.
const StopTime* find_typed_or_any(const StopTimeList& list, bool track, int number, int kind,
                                  int train_type, int speed_type) {
  auto find = [&](int tt, int st) {
    return track ? find_track_entry(list, number, kind, tt, st)
                 : find_station_entry(list, number, kind, tt, st);
  };
  const StopTime* e = find(train_type, speed_type);
  return e ? e : find(0, 0);
}

int default_for(const StopTimeDefaults& defaults, int kind) {
  return kind == kTurnbackTime ? defaults.reverse : defaults.standard;
}

bool has_key(const StopTime& e, const StopTimeKey& key) {
  bool place = key.rail != 0 ? e.rail == key.rail : (e.rail == 0 && e.target == key.target);
  return place && e.kind == key.kind && e.train_type == key.train_type &&
         e.speed_type == key.speed_type;
}

}  // namespace

int standard_stop_time(const StopTimeList& list, const StopTimeDefaults& defaults,
                       const StopTimeQuery& query) {
  int train_type = defaults.per_speed_type ? 0 : query.train_type;
  int speed_type = defaults.per_speed_type ? query.speed_type : 0;
  int target = query.target;
  if (query.rail != 0) {
    if (const StopTime* e =
            find_typed_or_any(list, true, query.rail, query.kind, train_type, speed_type)) {
      return e->seconds;
    }
    target = query.rail_target;
  }
  if (target != 0) {
    if (const StopTime* e =
            find_typed_or_any(list, false, target, query.kind, train_type, speed_type)) {
      return e->seconds;
    }
  }
  return default_for(defaults, query.kind);
}

int plain_stop_time(const StopTimeList& list, const StopTimeDefaults& defaults, int rail,
                    int rail_target, int kind) {
  if (rail != 0) {
    if (const StopTime* e = find_track_entry(list, rail, kind, 0, 0)) return e->seconds;
  }
  if (rail_target != 0) {
    if (const StopTime* e = find_station_entry(list, rail_target, kind, 0, 0)) return e->seconds;
  }
  return default_for(defaults, kind);
}

std::optional<int> find_stop_time(const StopTimeList& list, const StopTimeKey& key) {
  auto it =
      std::find_if(list.begin(), list.end(), [&](const StopTime& e) { return has_key(e, key); });
  if (it == list.end()) return std::nullopt;
  return it->seconds;
}

bool set_stop_time(StopTimeList& list, const StopTimeKey& key, std::optional<int> seconds) {
  if (key.target == 0 && key.rail == 0) return false;
  auto it =
      std::find_if(list.begin(), list.end(), [&](const StopTime& e) { return has_key(e, key); });
  if (!seconds) {
    if (it != list.end()) list.erase(it);
    return true;
  }
  if (it != list.end()) {
    it->seconds = *seconds;
    return true;
  }
  StopTime e;
  e.target = key.rail != 0 ? 0 : key.target;
  e.rail = key.rail;
  e.kind = key.kind;
  e.seconds = *seconds;
  e.train_type = key.train_type;
  e.speed_type = key.speed_type;
  list.push_back(e);
  return true;
}

void remove_speed_type_stop_times(StopTimeList& list, int removed) {
  std::erase_if(list, [&](const StopTime& e) { return e.speed_type == removed; });
  for (StopTime& e : list) e.speed_type = renumbered_after_removal(e.speed_type, removed);
}

EditResult check_stop_time_dialog(int rail_count) {
  if (rail_count <= 0) {
    return EditResult::refused(caption::kOperationError, "駅データがないため編集できません。\n");
  }
  return EditResult::done();
}

std::vector<int> stop_time_choices(int unit) {
  std::vector<int> choices;
  if (unit <= 0) return choices;  // a broken header must not loop forever
  for (int s = unit; s <= 3600; s += unit) choices.push_back(s);
  return choices;
}

std::string stop_time_text(std::optional<int> seconds, int default_seconds) {
  if (!seconds) return format("標準（%3ld秒）", static_cast<long>(default_seconds));
  if (*seconds == 0) return "通過";
  return format("%3ld秒", static_cast<long>(*seconds));
}

std::string stop_time_list_line(std::string_view name, const std::string& stop,
                                const std::string& turnback) {
  return format("%s　%s／%s", sjis::to_utf8_lossy(name).c_str(), stop.c_str(), turnback.c_str());
}

void read_stop_time(std::string_view content, int version, StopTimeList& list,
                    MemberWarnings& warnings) {
  list.clear();
  if (version < 41) return;  // no such member before
  ColumnLayout layout({0, 0, 0, 0, 1200, 1200}, version);
  for_each_row(content, layout, warnings, [&](const Row& row) {
    StopTime e;
    e.target = row.integer(kTarget);
    e.rail = row.integer(kRail);
    // Target and rail 0 is the list's end in the file's model; such a line
    // holds nothing that can be kept.
    if (e.target == 0 && e.rail == 0) return;
    e.kind = row.integer(kKind);
    e.seconds = row.integer(kSeconds);
    e.train_type = row.integer(kTrainType, 0);
    e.speed_type = row.integer(kSpeedType, 0);
    list.push_back(e);
  });
}

void write_stop_time(const StopTimeList& list, csv::Writer& out) {
  for (const StopTime& e : list) {
    out.printf("%3d,", e.target);
    out.printf("%3d,", e.rail);
    out.printf("%1d,", e.kind);
    out.printf("%4ld,", static_cast<long>(e.seconds));
    out.printf("%2d,", e.train_type);
    out.printf("%2d,", e.speed_type);
    out.printf("\n");
  }
}

}  // namespace vosk::dia
