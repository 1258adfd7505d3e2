#include "dia/display_target.h"

#include "base/format.h"
#include "base/sjis.h"
#include "dia/classification_fields.h"
#include "dia/renumbering.h"

namespace vosk::dia {
namespace {

enum Column { kNumber, kFlag, kProtected, kName };

}  // namespace

DisplayTargetTable default_display_targets() {
  DisplayTargetTable table;
  table.allocate(kMaxDisplayTargets);
  DisplayTarget& all = table.grow_to(1);
  all.is_protected = 1;
  all.name = cp932("全駅");
  return table;
}

EditResult copy_display_target(DisplayTargetTable& table, int source,
                               const MembershipColumns& columns) {
  if (table.extent() >= kMaxDisplayTargets) {
    return EditResult::refused("サイズエラー", "これ以上増やせません。\n");
  }
  if (!table.names_record(source)) {
    return EditResult::refused(caption::kOperationError, "表示対象が選択されていません。\n");
  }
  int n = table.extent() + 1;
  DisplayTarget copy;
  copy.name = fit_text(table[source].name + cp932("（コピー）"), kLongText);
  table.grow_to(n) = std::move(copy);
  if (columns.copy) columns.copy(source, n);
  return EditResult::done(n);
}

EditResult delete_display_target(DisplayTargetTable& table, int n, Prompt& prompt,
                                 const MembershipColumns& columns) {
  if (!table.names_record(n)) {
    return EditResult::refused(caption::kOperationError, "表示対象が選択されていません。\n");
  }
  if (table[n].is_protected != 0) {
    return EditResult::refused("保護エラー",
                               "この表示対象は保護されているため、削除できません。\n");
  }
  // The last display target cannot go: every window shows one of them.
  if (table.extent() == 1) {
    return EditResult::refused(caption::kOperationError, "これ以上は削除できません。\n");
  }
  std::string question = format("現在の表示対象「%s」を削除します。よろしいですか？\n",
                                sjis::to_utf8_lossy(table[n].name).c_str());
  if (!confirmed(prompt, "削除確認", question)) return EditResult::declined();

  int old_count = table.extent();
  remove_record(table, n);
  if (columns.remove) columns.remove(n, old_count);
  int count = table.extent();
  return EditResult::done((n - 1) % count + 1);
}

void read_d_mode(std::string_view content, int version, DisplayTargetTable& table,
                 MemberWarnings& warnings) {
  table.allocate(kMaxDisplayTargets);
  ColumnLayout layout({0, 0, 1020, 0}, version);
  for_each_row(content, layout, warnings, [&](const Row& row) {
    int n = row.integer(kNumber);
    if (!record_number_in_range(n, 1, kMaxDisplayTargets, row, warnings)) return;
    DisplayTarget& d = table.grow_to(n);
    d.flag = row.integer(kFlag);
    d.is_protected = row.integer(kProtected, 1);
    d.name = row.text(kName, kLongText);
  });
}

void write_d_mode(const DisplayTargetTable& table, csv::Writer& out) {
  for (int n = 1; n <= table.extent(); ++n) {
    const DisplayTarget& d = table[n];
    out.printf("%2d,", n);
    out.printf("%1d,", d.flag);
    out.printf("%1d,", d.is_protected);
    out.printf("%s", d.name.c_str());
    out.printf("\n");
  }
}

}  // namespace vosk::dia
