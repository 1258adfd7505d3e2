#pragma once
// Members whose lines are a record number followed only by integer columns
// (station_draw.csv, row.csv, detail.csv, route_lever.csv,
// route_button.csv): one reader and one writer driven by the column table.
#include <cstddef>
#include <string_view>

#include "map/member_columns.h"

namespace vosk::map {

// Lines numbered 1 .. capacity; record 0 lines are placeholders.
template <class Record, std::size_t N>
void read_column_member(std::string_view content, int version, RecordTable<Record>& table,
                        MemberWarnings& warnings, const IntColumn<Record> (&columns)[N]) {
  read_numbered_lines(content, table, warnings,
                      [&](const csv::Line& line, Record& record, std::size_t) {
                        read_columns(line, 1, version, columns, record);
                      });
}

// Records `first` .. extent, the number written with `number_format`; the
// last column's format decides whether the line ends in a comma.
template <class Record, std::size_t N>
void write_column_member(const RecordTable<Record>& table, int first, const char* number_format,
                         const IntColumn<Record> (&columns)[N], csv::Writer& out) {
  for (int n = first; n <= table.extent(); ++n) {
    out.printf(number_format, n);
    write_columns(out, table[n], columns);
    out.text("\n");
  }
}

}  // namespace vosk::map
