#pragma once
// Display targets (表示対象): named selections of stopping places shown in the
// train graph and the timetables; the d_mode table and its member d_mode.csv.
// Which stopping places belong to a display target is held in the map's
// target records, one distance column per display target.
#include <functional>
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/prompt.h"
#include "base/record_table.h"
#include "dia/edit_result.h"

namespace vosk::dia {

constexpr int kMaxDisplayTargets = 10;

struct DisplayTarget {
  int flag = 0;          // carried; the passenger cross-section offers flagged ones
  int is_protected = 0;  // "protected": 1 = cannot be deleted
  std::string name;      // at most 255 bytes
};

using DisplayTargetTable = RecordTable<DisplayTarget>;

// The target records' membership columns, one per display target (column n
// for display target n, 1-based). The map owns them.
struct MembershipColumns {
  // Gives every target in column `to` the value it has in column `from`.
  std::function<void(int from, int to)> copy;
  // Moves every target's columns above `removed` down by one, up to column
  // `old_count`, and marks column `old_count` as "not on this display target".
  std::function<void(int removed, int old_count)> remove;
};

// A new dia's single display target "全駅", protected.
DisplayTargetTable default_display_targets();

// Appends a copy of display target `source`: flags 0, the name followed by
// "（コピー）", the source's membership column. The new number is in the result.
EditResult copy_display_target(DisplayTargetTable& table, int source,
                               const MembershipColumns& columns);

// Deletes display target n after asking the user. The result's number is the
// display target to select next: the one that moved into n's place, or the
// first when the last was deleted.
EditResult delete_display_target(DisplayTargetTable& table, int n, Prompt& prompt,
                                 const MembershipColumns& columns);

void read_d_mode(std::string_view content, int version, DisplayTargetTable& table,
                 MemberWarnings& warnings);
void write_d_mode(const DisplayTargetTable& table, csv::Writer& out);

}  // namespace vosk::dia
