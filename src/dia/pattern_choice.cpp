#include "dia/pattern_choice.h"

#include <cstdint>

#include "base/format.h"
#include "base/sjis.h"
#include "dia/dia_operations.h"

namespace vosk::dia {
namespace {

bool live(const DiaTables& dia, int n) {
  return dia.diagrams.names_record(n) && dia.diagrams[n].in_use();
}

// Template of pattern p with at least one event, or nullptr.
const Diagram* template_run(const DiaTables& dia, const PatternTable& patterns, int p) {
  int t = patterns[p].template_diagram;
  if (!live(dia, t) || dia.diagrams[t].event_count() == 0) return nullptr;
  return &dia.diagrams[t];
}

std::string choice_label(const Pattern& p) {
  return format("<%s> %s", sjis::to_utf8_lossy(p.short_name).c_str(),
                sjis::to_utf8_lossy(p.name).c_str());
}

// "パターンなし" and every pattern whose template passes `offered`.
template <class Offered>
std::vector<PatternChoice> choices(const DiaTables& dia, const PatternTable& patterns,
                                   Offered offered) {
  std::vector<PatternChoice> out{{0, "パターンなし"}};
  for (int p = 1; p <= patterns.extent(); ++p) {
    const Diagram* t = template_run(dia, patterns, p);
    if (t != nullptr && offered(*t)) out.push_back({p, choice_label(patterns[p])});
  }
  return out;
}

int automatic_time(const Pattern& p, int entered) {
  // Down from the base time while above 0, then up to the entry, in steps of
  // the interval: the first base + k × interval not earlier than the entry.
  std::int64_t i = p.interval;
  std::int64_t v = p.base_time;
  if (v > 0) v -= i * ((v + i - 1) / i);
  if (v < entered) v += i * ((entered - v + i - 1) / i);
  return static_cast<int>(v);
}

bool valid_time(std::int64_t t) { return t >= 0 && t <= kMaxInputTime; }

}  // namespace

PatternDialogSetup pattern_setup_for_run(const DiaTables& dia, const PatternTable& patterns,
                                         const TimingLookup& timing, int n) {
  PatternDialogSetup setup;
  if (!live(dia, n)) {
    setup.choices = {{0, "パターンなし"}};
    return setup;
  }
  const Diagram& d = dia.diagrams[n];
  bool has_route = d.event_count() > 0;
  int start_target = has_route ? timing.map().rail_target(d.events[0].rail) : 0;
  setup.choices = choices(dia, patterns, [&](const Diagram& t) {
    return t.direction == d.direction &&
           (!has_route || timing.map().rail_target(t.events[0].rail) == start_target);
  });
  setup.preselected = d.applied_pattern;
  setup.start_time = has_route ? d.events[0].time : 0;
  return setup;
}

PatternDialogSetup pattern_setup_for_next_working(const DiaTables& dia,
                                                  const PatternTable& patterns,
                                                  const TimingLookup& timing, int n) {
  PatternDialogSetup setup;
  if (!live(dia, n) || dia.diagrams[n].event_count() == 0) {
    setup.choices = {{0, "パターンなし"}};
    return setup;
  }
  const Diagram& d = dia.diagrams[n];
  const DiaEvent& last = d.events[d.event_count() - 1];
  int end_target = timing.map().rail_target(last.rail);
  setup.choices = choices(dia, patterns, [&](const Diagram& t) {
    return timing.map().rail_target(t.events[0].rail) == end_target;
  });
  if (patterns.names_record(d.applied_pattern)) {
    setup.preselected = patterns[d.applied_pattern].next_pattern;
  }
  std::string name = timing.map().targets.names_record(end_target)
                         ? timing.map().targets[end_target].name
                         : std::string();
  setup.heading = format("%s　発車時刻", sjis::to_utf8_lossy(name).c_str());
  setup.start_time = last.time + timing.turnback_time(last.rail, d.train_type, d.speed_type);
  if (patterns.names_record(setup.preselected) && patterns[setup.preselected].interval > 0) {
    setup.start_time = automatic_time(patterns[setup.preselected], setup.start_time);
  }
  return setup;
}

EditResult pattern_button_time(const PatternTable& patterns, int pattern, PatternTimeButton button,
                               int entered) {
  const EditResult bad_time = check_start_time(-1);
  if (!valid_time(entered)) return bad_time;
  // A negative interval can only come from a damaged file; it offers nothing.
  if (!patterns.names_record(pattern) || patterns[pattern].interval <= 0) {
    return EditResult::refused("自動設定不可",
                               "このダイヤパターンは、発駅時刻自動指定がされていません。\n");
  }
  const Pattern& p = patterns[pattern];
  std::int64_t t = entered;
  switch (button) {
    case PatternTimeButton::Automatic:
      t = automatic_time(p, entered);
      break;
    case PatternTimeButton::Next:
      t += p.interval;
      break;
    case PatternTimeButton::Previous:
      t -= p.interval;
      break;
  }
  if (!valid_time(t)) return bad_time;
  return EditResult::done(static_cast<int>(t));
}

}  // namespace vosk::dia
