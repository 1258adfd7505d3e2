#include "dia/pattern.h"

#include "base/format.h"
#include "base/sjis.h"
#include "base/time_text.h"
#include "dia/classification_fields.h"

namespace vosk::dia {
namespace {

enum Column { kNumber, kTemplate, kNext, kInterval, kBaseTime, kShort, kName };

bool valid_time(int t) { return t >= 0 && t <= timetext::kMaxInput; }

}  // namespace

EditResult create_pattern(PatternTable& table, const PatternOrigin& origin,
                          const std::function<int(int pattern)>& make_template) {
  if (table.extent() >= kMaxPatterns) {
    return EditResult::refused("ダイヤパターンエラー", "ダイヤパターンはこれ以上増やせません。");
  }
  int n = table.extent() + 1;
  Pattern p;
  p.base_time = origin.first_time;
  p.short_name = fit_text(
      format("%s %s", origin.train_type_name.c_str(), origin.destination_text.c_str()), kShortText);
  const std::string arrow = cp932("→");
  std::string name =
      format("%s %s%s%s", origin.train_type_name.c_str(), origin.start_target_name.c_str(),
             arrow.c_str(), origin.destination_text.c_str());
  if (origin.has_formation) name += " " + origin.series_name;
  p.name = fit_text(name, kLongText);
  p.template_diagram = make_template ? make_template(n) : 0;
  table.grow_to(n) = std::move(p);
  return EditResult::done(n);
}

EditResult edit_pattern(PatternTable& table, int n, const Pattern& values) {
  if (!table.names_record(n)) {
    return EditResult::refused(caption::kOperationError, "ダイヤパターンが存在しません。\n");
  }
  if (!valid_time(values.interval) || !valid_time(values.base_time)) {
    return EditResult::refused(caption::kInputDataError, "時刻が不正です。再設定して下さい。\n");
  }
  if (values.next_pattern < 0 || values.next_pattern > table.extent()) {
    return EditResult::refused(caption::kInputDataError, "次運用パターンが不正です。\n");
  }
  Pattern& p = table[n];
  p.next_pattern = values.next_pattern;
  p.interval = values.interval;
  p.base_time = values.base_time;
  p.short_name = fit_text(values.short_name, kShortText);
  p.name = fit_text(values.name, kLongText);
  return EditResult::done(n);
}

EditResult delete_pattern(PatternTable& table, int n, Prompt& prompt,
                          const std::function<void(int removed)>& renumber_diagrams) {
  if (!table.names_record(n)) {
    return EditResult::refused(caption::kOperationError, "ダイヤパターンが存在しません。\n");
  }
  std::string question = format("ダイヤパターン：<%s> %sを削除します。よろしいですか？",
                                sjis::to_utf8_lossy(table[n].short_name).c_str(),
                                sjis::to_utf8_lossy(table[n].name).c_str());
  if (!confirmed(prompt, "削除確認", question)) return EditResult::declined();

  remove_record(table, n);
  for (int k = 1; k <= table.extent(); ++k) {
    table[k].next_pattern = renumbered_after_removal(table[k].next_pattern, n);
  }
  if (renumber_diagrams) renumber_diagrams(n);
  return EditResult::done(n);
}

void read_d_pattern(std::string_view content, int version, PatternTable& table,
                    MemberWarnings& warnings) {
  table.allocate(kMaxPatterns);
  ColumnLayout layout({0, 0, 0, 0, 0, 0, 0}, version);
  for_each_row(content, layout, warnings, [&](const Row& row) {
    int n = row.integer(kNumber);
    if (!record_number_in_range(n, 1, kMaxPatterns, row, warnings)) return;
    Pattern& p = table.grow_to(n);
    p.template_diagram = row.integer(kTemplate);
    p.next_pattern = row.integer(kNext);
    p.interval = row.integer(kInterval);
    p.base_time = row.integer(kBaseTime);
    p.short_name = row.text(kShort, kShortText);
    p.name = row.text(kName, kLongText);
  });
}

void write_d_pattern(const PatternTable& table, csv::Writer& out) {
  for (int n = 1; n <= table.extent(); ++n) {
    const Pattern& p = table[n];
    out.printf("%2d,", n);
    out.printf("%3d,", p.template_diagram);
    out.printf("%2d,", p.next_pattern);
    out.printf("%3ld,", static_cast<long>(p.interval));
    out.printf("%3ld,", static_cast<long>(p.base_time));
    out.printf("%s,", p.short_name.c_str());
    out.printf("%s,", p.name.c_str());
    out.printf("\n");
  }
}

}  // namespace vosk::dia
