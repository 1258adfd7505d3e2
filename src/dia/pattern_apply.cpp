#include "dia/pattern_apply.h"

#include "base/time_text.h"
#include "dia/dia_operations.h"

namespace vosk::dia {
namespace {

bool live(const DiaTables& dia, int n) {
  return dia.diagrams.names_record(n) && dia.diagrams[n].in_use();
}

// The template run of pattern b, 0 when the pattern or its template is missing.
int template_of(const DiaTables& dia, const PatternTable& patterns, int b) {
  if (!patterns.names_record(b)) return 0;
  int t = patterns[b].template_diagram;
  return live(dia, t) && dia.diagrams[t].event_count() > 0 ? t : 0;
}

// T holds an event of the first event's type at a rail of the same target.
bool template_starts_like(const Diagram& t, const DiaEvent& first, const MapTablesRef& map) {
  int target = map.rail_target(first.rail);
  for (std::size_t i = 0; i < t.event_count(); ++i) {
    const DiaEvent& e = t.events[i];
    if (e.type == first.type && map.rail_target(e.rail) == target) return true;
  }
  return false;
}

void take_pattern_fields(const Diagram& t, bool same_pattern, int b, Diagram& d) {
  d.applied_pattern = b;
  d.pattern_changed = 0;
  d.flag_a = t.flag_a;
  d.flag_b = t.flag_b;
  d.speed_type = t.speed_type;
  if (same_pattern) return;
  d.destination = t.destination;
  d.crew = t.crew;
  d.train_type = t.train_type;
  d.destination_text = t.destination_text;
  d.nickname = t.nickname;
  d.remarks = t.remarks;
  d.car_number = 0;
  d.flag_c = 1;
  d.follow_coupled = 1;
  d.value_d = 0;
}

// T's events, end entry included, moved to start at c.
std::vector<DiaEvent> shifted_events(const Diagram& t, int c) {
  std::size_t count = t.event_count();
  std::vector<DiaEvent> events(t.events.begin(),
                               t.events.begin() + static_cast<std::ptrdiff_t>(count));
  // The end entry repeats the last event; a list read without one gets it.
  events.push_back(count < t.events.size()
                       ? t.events[count]
                       : DiaEvent{events.back().rail, events.back().time, kEventEnd});
  int base = timetext::order_key(t.events[0].time);
  for (DiaEvent& e : events) {
    if (e.time != 0) e.time = c + (timetext::order_key(e.time) - base);
  }
  return events;
}

}  // namespace

void mark_pattern_users(DiaTables& dia, int n) {
  if (!live(dia, n)) return;
  int pattern = dia.diagrams[n].pattern_template;
  if (pattern == 0) return;
  for (Diagram& d : dia.diagrams) {
    if (d.in_use() && d.applied_pattern == pattern) d.pattern_changed = 1;
  }
}

EditResult apply_pattern(DiaTables& dia, int a, int b, int c, const PatternTable& patterns,
                         const MapTablesRef& map, const RouteHooks& hooks, Prompt& prompt) {
  if (!live(dia, a)) return EditResult::declined();
  if (b == 0) {
    dia.diagrams[a].applied_pattern = 0;
    propagate_to_coupled(dia, a);
    return EditResult::done(a);
  }
  bool same_pattern = dia.diagrams[a].applied_pattern == b;
  if (same_pattern && dia.diagrams[a].pattern_changed == 1 &&
      !confirmed(prompt, "ダイヤパターン適用確認",
                 "このダイヤに指定されていた、ダイヤパターンは変更させています。\n"
                 "変更後のパターンを再適用します。\nよろしいですか？\n")) {
    return EditResult::declined();
  }
  int t = template_of(dia, patterns, b);
  const Diagram& d = dia.diagrams[a];
  if (t != 0 && dia.diagrams[t].direction != d.direction) {
    return EditResult::refused("方向エラー", "エラー");
  }
  bool has_route = d.event_count() > 0;
  if (t == 0 || (has_route && !template_starts_like(dia.diagrams[t], d.events[0], map))) {
    return EditResult::refused("エラー", "始発駅が違います。");
  }

  Diagram saved = d;
  int old_first_rail = has_route ? d.events[0].rail : 0;
  std::vector<DiaEvent> events = shifted_events(dia.diagrams[t], c);
  Diagram& target = dia.diagrams[a];
  take_pattern_fields(dia.diagrams[t], same_pattern, b, target);
  target.events = std::move(events);

  if (has_route && old_first_rail != target.events[0].rail) {
    if (!hooks.move_start || !hooks.move_start(a, old_first_rail)) {
      dia.diagrams[a] = std::move(saved);
      return EditResult::refused("エラー", "進路設定エラー");
    }
  }
  if (hooks.relink) hooks.relink(a);
  if (!same_pattern) auto_destination(dia, a, MapTablesLookup(map));
  propagate_to_coupled(dia, a);
  return EditResult::done(a);
}

}  // namespace vosk::dia
