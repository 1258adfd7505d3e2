#pragma once
// Reading helpers shared by the members of the dia's classification tables:
// column positions by data version, text fields cut to their record field,
// and the one-warning-per-member reporting of damaged lines.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "base/csv.h"
#include "base/ini.h"
#include "base/load_warnings.h"

namespace vosk::dia {

// Text field sizes less the terminating zero: short names and the other
// 21-byte fields, and 256-byte names.
constexpr std::size_t kShortText = 20;
constexpr std::size_t kLongText = 255;

// Where each column of a member sits in a line of one data version. `since`
// holds, per column, the first data version that writes it (0: every
// version). Older lines lack such a column and the later columns move up.
class ColumnLayout {
 public:
  ColumnLayout(std::initializer_list<int> since, int version);
  bool has(std::size_t column) const { return positions_.at(column) >= 0; }
  // Position of a present column in the line.
  std::size_t position(std::size_t column) const {
    return static_cast<std::size_t>(positions_.at(column));
  }

 private:
  std::vector<int> positions_;  // -1 for an absent column
};

// One line of a member seen through its column layout.
class Row {
 public:
  Row(const csv::Line& line, std::size_t line_number, const ColumnLayout& layout,
      MemberWarnings& warnings)
      : line_(line), line_number_(line_number), layout_(layout), warnings_(warnings) {}

  std::size_t line_number() const { return line_number_; }
  // An absent column gives `fallback`; a present but empty one gives 0.
  int integer(std::size_t column, int fallback = 0) const;
  // Cut to `limit` bytes, with a warning when the file held more.
  std::string text(std::size_t column, std::size_t limit) const;
  // hours * 3600 + minutes * 60 + seconds from three columns, kept in range.
  int seconds_hms(std::size_t hours_column) const;

 private:
  const csv::Line& line_;
  std::size_t line_number_;
  const ColumnLayout& layout_;
  MemberWarnings& warnings_;
};

// Calls `each(const Row&)` for every line of a member, after warning about a
// line longer than the line buffer.
template <class Each>
void for_each_row(std::string_view content, const ColumnLayout& layout, MemberWarnings& warnings,
                  Each&& each) {
  csv::Reader reader(content);
  csv::Line line;
  while (reader.next(line)) {
    if (line.overlong() || line.too_many_fields()) warnings.line_too_long(reader.line_number());
    each(Row(line, reader.line_number(), layout, warnings));
  }
}

// True for a record number from `first` to `last`; otherwise warns that the
// line was skipped.
bool record_number_in_range(int number, int first, int last, const Row& row,
                            MemberWarnings& warnings);

// A value of an INI member (section and key in CP932), `fallback` when the
// key is missing, cut to `limit` bytes with a warning when it is longer.
std::string profile_text(const ini::Document& doc, std::string_view section, std::string_view key,
                         std::string_view fallback, std::size_t limit, MemberWarnings& warnings);

// A text given by an edit, cut to `limit` bytes without splitting a
// double-byte character.
std::string fit_text(std::string_view text, std::size_t limit);

// CP932 bytes of a text the program composes (names of default records).
std::string cp932(std::string_view utf8);

// Hours, minutes and seconds of a time for "%2d,%02d,%02d" columns; C
// division, so a negative time reads back to the same value.
struct Hms {
  int hours;
  int minutes;
  int seconds;
};
constexpr Hms split_hms(int t) { return {t / 3600, t / 60 % 60, t % 60}; }

}  // namespace vosk::dia
