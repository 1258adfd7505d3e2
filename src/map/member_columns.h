#pragma once
// Reading and writing helpers shared by the map table members: integer
// columns described as data (field, write format, first data version whose
// files carry the column), the record-number loop every member uses, and
// fixed-size text fields.
#include <cstddef>
#include <string>
#include <string_view>

#include "base/csv.h"
#include "base/load_warnings.h"
#include "base/record_table.h"

namespace vosk::map {

// Bytes a fixed text field keeps, terminator excluded.
inline constexpr std::size_t kShortTextBytes = 20;  // 21-byte fields
inline constexpr std::size_t kLongTextBytes = 255;  // 256-byte fields

template <class Record>
struct IntColumn {
  int Record::*field;  // nullptr: a column older files carry and nothing keeps
  const char* format;  // write format, comma included
  int since = 0;       // first data version whose files have the column
  int valid_from = 0;  // older files have the column, but it reads as 0
};

// Reads the columns that files of `version` carry, starting at field `k`;
// the fields of absent columns keep their value. Returns the next field.
template <class Record, std::size_t N>
std::size_t read_columns(const csv::Line& line, std::size_t k, int version,
                         const IntColumn<Record> (&columns)[N], Record& record) {
  for (const IntColumn<Record>& c : columns) {
    if (version < c.since) continue;
    if (c.field != nullptr) record.*c.field = version < c.valid_from ? 0 : line.integer(k);
    ++k;
  }
  return k;
}

template <class Record, std::size_t N>
void write_columns(csv::Writer& out, const Record& record, const IntColumn<Record> (&columns)[N]) {
  for (const IntColumn<Record>& c : columns) {
    if (c.field != nullptr) out.printf(c.format, record.*c.field);
  }
}

// A text field cut to `max_bytes` at a character boundary; an over-long
// text is reported.
std::string read_text(const csv::Line& line, std::size_t k, std::size_t max_bytes,
                      std::size_t line_number, MemberWarnings& warnings);

// The three names ending target.csv and station.csv lines, from field `k`.
// Files older than 1150 have only the short name and the name; the short
// name then fills the one-character name too.
inline constexpr int kOneCharNameSince = 1150;
template <class Record>
void read_three_names(const csv::Line& line, std::size_t k, int version, std::size_t line_number,
                      MemberWarnings& warnings, Record& record) {
  if (version < kOneCharNameSince) {
    record.short_name = read_text(line, k, kShortTextBytes, line_number, warnings);
    record.one_char_name = record.short_name;
  } else {
    record.one_char_name = read_text(line, k++, kShortTextBytes, line_number, warnings);
    record.short_name = read_text(line, k, kShortTextBytes, line_number, warnings);
  }
  record.name = read_text(line, k + 1, kLongTextBytes, line_number, warnings);
}

// Calls visit(line, number, line_number) for every line whose record number
// the table may hold. Record 0 lines are placeholders and skipped; numbers
// below 0 or above the capacity are reported and skipped.
template <class Record, class Visit>
void for_each_numbered_line(std::string_view content, const RecordTable<Record>& table,
                            MemberWarnings& warnings, Visit visit) {
  csv::Reader reader(content);
  csv::Line line;
  while (reader.next(line)) {
    std::size_t at = reader.line_number();
    if (line.overlong() || line.too_many_fields()) warnings.line_too_long(at);
    int number = line.integer(0);
    if (number == 0) continue;
    if (!table.within_capacity(number)) {
      warnings.record_out_of_range(at, number);
      continue;
    }
    visit(line, number, at);
  }
}

// Calls store(line, record, line_number) on a fresh record for every line
// for_each_numbered_line visits, growing the table to hold it.
template <class Record, class Store>
void read_numbered_lines(std::string_view content, RecordTable<Record>& table,
                         MemberWarnings& warnings, Store store) {
  for_each_numbered_line(content, table, warnings,
                         [&](const csv::Line& line, int number, std::size_t at) {
                           Record& record = table.grow_to(number);
                           record = Record{};
                           store(line, record, at);
                         });
}

}  // namespace vosk::map
