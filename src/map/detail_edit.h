#pragma once
// Editing the detail sections of a rail (the "詳細設定" part of the rail
// property dialog): the list texts, and add, replace and delete with the
// checks that run before an item is stored.
#include <optional>
#include <string>

#include "base/record_table.h"
#include "map/detail.h"
#include "map/edit_error.h"

namespace vosk::map {

// The inputs a refusal names (EditError::field).
enum DetailField : int { kDetailNoField = 0, kDetailStart, kDetailEnd };

// What the dialog holds for one item.
struct DetailInput {
  int start = 0;          // m
  int end = 0;            // m
  bool limit_on = false;  // the speed-limit switch; off stores 0
  int speed_limit = 0;    // km/h
  int gradient = 0;       // per mille
  int radius = 0;         // m
};

// nullopt: the edit is done; otherwise nothing changed.
using DetailEditResult = std::optional<EditError>;

// The checks, in order, against the rail's length in metres.
DetailEditResult check_detail(const DetailInput& input, int rail_length);

// Appends a detail of `rail` to the end of the list.
DetailEditResult add_detail(RecordTable<Detail>& details, int rail, int rail_length,
                            const DetailInput& input);
// `selected` is the detail number chosen in the list, 0 when none is; the
// detail keeps its rail.
DetailEditResult replace_detail(RecordTable<Detail>& details, int selected, int rail_length,
                                const DetailInput& input);
// Later details move down by one.
DetailEditResult delete_detail(RecordTable<Detail>& details, int selected);

// The list line of a detail (UTF-8), e.g. "0m-120m: 45km/h 3‰ 400m".
std::string detail_list_text(const Detail& detail);

}  // namespace vosk::map
