#pragma once
// Dia patterns (ダイヤパターン): template runs that can be stamped onto new
// diagrams; the d_pattern table and its member d_pattern.csv. The template
// itself is a diagram whose pattern_template names the pattern.
#include <functional>
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/prompt.h"
#include "base/record_table.h"
#include "dia/edit_result.h"
#include "dia/renumbering.h"

namespace vosk::dia {

constexpr int kMaxPatterns = 99;

struct Pattern {
  int template_diagram = 0;
  int next_pattern = 0;    // pattern of the next working; 0 = none
  int interval = 0;        // seconds; 0 = no automatic departure times
  int base_time = 0;       // seconds
  std::string short_name;  // at most 20 bytes
  std::string name;        // at most 255 bytes
};

using PatternTable = RecordTable<Pattern>;

// What a new pattern takes from the diagram it is made from (texts CP932).
struct PatternOrigin {
  int first_time = 0;  // time of the diagram's first event
  std::string train_type_name;
  std::string destination_text;
  std::string start_target_name;
  bool has_formation = false;
  std::string series_name;  // series of the owning formation
};

// Makes a pattern from a diagram; refused at 99 patterns. Once the check has
// passed, `make_template(n)` copies the diagram as the template of the new
// pattern n (the copy's pattern_template = n, its chains cleared; the source's
// applied_pattern = n, pattern_changed = 0) and returns the copy's number.
// The new pattern number is in the result.
EditResult create_pattern(PatternTable& table, const PatternOrigin& origin,
                          const std::function<int(int pattern)>& make_template);

// Stores the dialog's values (next pattern, interval, base time, names) into
// pattern n; the template diagram stays.
EditResult edit_pattern(PatternTable& table, int n, const Pattern& values);

// Deletes pattern n after asking the user. Then `renumber_diagrams(n)` must
// pass every diagram's pattern_template and applied_pattern through
// renumbered_after_removal (and free the template diagram of n, whose
// pattern_template it sees equal to n, as the caller decides); the patterns'
// next_pattern are renumbered here.
EditResult delete_pattern(PatternTable& table, int n, Prompt& prompt,
                          const std::function<void(int removed)>& renumber_diagrams);

void read_d_pattern(std::string_view content, int version, PatternTable& table,
                    MemberWarnings& warnings);
void write_d_pattern(const PatternTable& table, csv::Writer& out);

}  // namespace vosk::dia
