#include "map/row.h"

#include "map/column_member.h"

namespace vosk::map {
namespace {

// row.csv after the record number; the line ends without a comma.
constexpr IntColumn<Row> kColumns[] = {
    {&Row::x_origin, "%3d,"},
    {&Row::y_origin, "%3d,"},
    {&Row::x_shift, "%5d,"},
    {&Row::y_shift, "%5d"},
};

}  // namespace

void read_row(std::string_view content, int version, RecordTable<Row>& table,
              MemberWarnings& warnings) {
  if (version < kRowMemberSince) return;
  // Unlike the other numbered members, record 0 is a row like any other, so
  // its line is stored rather than skipped as a placeholder.
  csv::Reader reader(content);
  csv::Line line;
  while (reader.next(line)) {
    const std::size_t at = reader.line_number();
    if (line.overlong() || line.too_many_fields()) warnings.line_too_long(at);
    if (line.size() == 1 && line.raw(0).empty()) continue;  // a blank line is no row 0
    const int number = line.integer(0);
    if (!table.within_capacity(number)) {
      warnings.record_out_of_range(at, number);
      continue;
    }
    Row& row = table.grow_to(number);
    row = Row{};
    read_columns(line, 1, version, kColumns, row);
  }
}

void write_row(const RecordTable<Row>& table, csv::Writer& out) {
  write_column_member(table, 0, "%2d,", kColumns, out);
}

}  // namespace vosk::map
