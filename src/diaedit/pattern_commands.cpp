#include "diaedit/pattern_commands.h"

#include "base/format.h"
#include "base/renumbering.h"
#include "base/sjis.h"
#include "dia/dia_operations.h"
#include "dia/working_chains.h"

namespace vosk::diaedit {
namespace {

using dia::EditResult;

bool live(const datafiles::DataSet& data, int n) {
  return data.dia.diagrams.names_record(n) && data.dia.diagrams[n].in_use();
}

int rail_target(const datafiles::DataSet& data, int rail) {
  return data.map.rails.names_record(rail) ? data.map.rails[rail].target : 0;
}

// The template of pattern p when it is a run with events, else nullptr.
const dia::Diagram* template_of(const datafiles::DataSet& data, int p) {
  const auto& patterns = data.classification.patterns;
  if (!patterns.names_record(p)) return nullptr;
  const int t = patterns[p].template_diagram;
  if (!live(data, t) || data.dia.diagrams[t].event_count() == 0) return nullptr;
  return &data.dia.diagrams[t];
}

std::string label_of(const dia::Pattern& p) {
  return format("<%s> %s", sjis::to_utf8_lossy(p.short_name).c_str(),
                sjis::to_utf8_lossy(p.name).c_str());
}

dia::PatternOrigin origin_of(const datafiles::DataSet& data, int n) {
  const dia::Diagram& d = data.dia.diagrams[n];
  dia::PatternOrigin o;
  if (d.event_count() > 0) {
    o.first_time = d.events[0].time;
    const int target = rail_target(data, d.events[0].rail);
    if (data.map.targets.names_record(target)) o.start_target_name = data.map.targets[target].name;
  }
  const auto& types = data.classification.train_types;
  if (types.names_record(d.train_type)) o.train_type_name = types[d.train_type].name;
  o.destination_text = d.destination_text;
  const int u = d.run.owning_unit;
  if (data.dia.units.names_record(u)) {
    o.has_formation = true;
    const int s = data.dia.units[u].series;
    if (data.series.names_record(s)) o.series_name = data.series[s].name;
  }
  return o;
}

}  // namespace

int pattern_of_run(const datafiles::DataSet& data, int n) {
  if (!live(data, n)) return 0;
  const dia::Diagram& d = data.dia.diagrams[n];
  const int p = d.pattern_template != 0 ? d.pattern_template : d.applied_pattern;
  return data.classification.patterns.names_record(p) ? p : 0;
}

bool pattern_in_use(const datafiles::DataSet& data, int p) {
  if (p == 0) return false;
  for (const dia::Diagram& d : data.dia.diagrams)
    if (d.in_use() && d.pattern_template == 0 && d.applied_pattern == p) return true;
  return false;
}

EditResult register_pattern(datafiles::DataSet& data, int n) {
  if (!live(data, n) || data.dia.diagrams[n].pattern_template != 0 ||
      data.dia.diagrams[n].event_count() == 0)
    return EditResult::declined();
  const dia::PatternOrigin origin = origin_of(data, n);
  bool no_slot = false;
  EditResult r = dia::create_pattern(data.classification.patterns, origin, [&](int pattern) {
    const int t = dia::copy_run(data.dia, n);
    if (t == 0) {
      no_slot = true;
      return 0;
    }
    dia::Diagram& copy = data.dia.diagrams[t];
    copy.pattern_template = pattern;
    copy.applied_pattern = 0;
    copy.pattern_changed = 0;
    dia::Diagram& source = data.dia.diagrams[n];
    source.applied_pattern = pattern;
    source.pattern_changed = 0;
    return t;
  });
  if (r.ok() && no_slot) {
    // The dia has no room for the template: the pattern must not stand without one.
    vosk::remove_record(data.classification.patterns, r.number());
    return EditResult::refused("ダイヤパターンエラー", "ダイヤパターンを作成できません。\n");
  }
  if (r.ok()) dia::recompute_owners(data.dia);
  return r;
}

std::vector<dia::PatternChoice> pattern_list(const datafiles::DataSet& data) {
  std::vector<dia::PatternChoice> out;
  const auto& patterns = data.classification.patterns;
  for (int p = 1; p <= patterns.extent(); ++p) out.push_back({p, label_of(patterns[p])});
  return out;
}

std::vector<dia::PatternChoice> next_pattern_choices(const datafiles::DataSet& data, int p) {
  std::vector<dia::PatternChoice> out{{0, "パターンなし"}};
  const dia::Diagram* from = template_of(data, p);
  if (!from) return out;
  const int end_target = rail_target(data, from->events[from->event_count() - 1].rail);
  const auto& patterns = data.classification.patterns;
  for (int q = 1; q <= patterns.extent(); ++q) {
    const dia::Diagram* t = template_of(data, q);
    if (t && end_target != 0 && rail_target(data, t->events[0].rail) == end_target)
      out.push_back({q, label_of(patterns[q])});
  }
  return out;
}

EditResult set_pattern_info(datafiles::DataSet& data, int p, const dia::Pattern& values) {
  for (const std::string* text : {&values.short_name, &values.name}) {
    if (text->find_first_of(",\r\n") != std::string::npos) {
      // Written between commas in d_pattern.csv: it would split the record.
      return EditResult::refused(caption::kInputDataError,
                                 "名称に「,」（カンマ）や改行は使用できません。\n");
    }
  }
  return dia::edit_pattern(data.classification.patterns, p, values);
}

EditResult remove_pattern(datafiles::DataSet& data, int p, Prompt& prompt) {
  return dia::delete_pattern(data.classification.patterns, p, prompt, [&](int removed) {
    auto& diagrams = data.dia.diagrams;
    for (int n = 1; n <= diagrams.extent(); ++n) {
      dia::Diagram& d = diagrams[n];
      if (!d.in_use()) continue;
      if (d.pattern_template == removed) {
        dia::clear_diagram(data.dia, n);  // the template is no train of its own
        continue;
      }
      d.pattern_template = vosk::renumbered_after_removal(d.pattern_template, removed);
      d.applied_pattern = vosk::renumbered_after_removal(d.applied_pattern, removed);
    }
    dia::recompute_owners(data.dia);
  });
}

}  // namespace vosk::diaedit
