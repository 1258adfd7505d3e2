#include "stock/performance_tables.h"

#include <climits>
#include <cmath>

#include "base/format.h"
#include "base/text_file.h"

namespace vosk::stock {
namespace {

bool is_end_row(const TableRow& row) { return row.key == 0 && row.value == 0; }

TableRow table_file_row(const csv::Line& line, TableKind kind) {
  int key = kind == TableKind::Acceleration ? to_1024ths(line.real(0)) : line.integer(0);
  return {key, line.integer(1)};
}

// Member lines hold integer pairs; the first (0, 0) pair ends the table, as
// the writer never emits one.
PerformanceTable read_member_rows(std::string_view content, MemberWarnings& warnings) {
  PerformanceTable rows;
  csv::Reader reader(content);
  csv::Line line;
  while (reader.next(line)) {
    if (line.overlong()) warnings.line_too_long(reader.line_number());
    TableRow row{line.integer(0), line.integer(1)};
    if (is_end_row(row)) {
      std::size_t at = reader.line_number();
      if (reader.next(line)) {
        warnings.warn(format("'%s'の%zu行目が0,0のため、それ以降の行を読み飛ばしました。\n",
                             warnings.member().c_str(), at));
      }
      break;
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

int to_1024ths(double value) {
  double scaled = std::trunc(value * 1024.0);
  if (std::isnan(scaled)) return 0;
  if (scaled >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (scaled <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(scaled);
}

TableFile parse_table_file(std::string_view text, TableKind kind) {
  TableFile table;
  bool ended = false;
  csv::Reader reader(text);
  csv::Line line;
  while (reader.next(line)) {
    ++table.line_count;
    if (ended) continue;
    TableRow row = table_file_row(line, kind);
    if (is_end_row(row)) {
      ended = true;
      continue;
    }
    table.rows.push_back(row);
  }
  return table;
}

std::optional<TableFile> read_table_file(const std::filesystem::path& file, TableKind kind) {
  auto text = textfile::read_text(file);
  if (!text) return std::nullopt;
  return parse_table_file(*text, kind);
}

std::string acceleration_member_name(int series) {
  return format("table_acceleration_%d.csv", series);
}

std::string curve_limit_member_name(int series) {
  return format("table_curve_limit_%d.csv", series);
}

void read_acceleration_member(std::string_view content, int version, int series, SeriesTable& table,
                              MemberWarnings& warnings) {
  if (version < kTableMembersVersion || !table.names_record(series)) return;
  table[series].acceleration_table = read_member_rows(content, warnings);
}

void read_curve_limit_member(std::string_view content, int version, int series, SeriesTable& table,
                             MemberWarnings& warnings) {
  if (version < kTableMembersVersion || !table.names_record(series)) return;
  Series& s = table[series];
  s.curve_table = read_member_rows(content, warnings);
  s.curve_rows = static_cast<int>(s.curve_table.size());
}

void write_acceleration_member(const SeriesTable& table, int series, csv::Writer& out) {
  if (!table.names_record(series)) return;
  for (const TableRow& row : table[series].acceleration_table) {
    if (is_end_row(row)) break;
    out.printf("%6d,", row.key);
    out.printf("%3d,", row.value);
    out.printf("\n");
  }
}

void write_curve_limit_member(const SeriesTable& table, int series, csv::Writer& out) {
  if (!table.names_record(series)) return;
  for (const TableRow& row : table[series].curve_table) {
    if (is_end_row(row)) break;
    out.printf("%4d,", row.key);
    out.printf("%3d,", row.value);
    out.printf("\n");
  }
}

}  // namespace vosk::stock
