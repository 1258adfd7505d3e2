#include "map/detail.h"

#include "map/column_member.h"

namespace vosk::map {
namespace {

// detail.csv after the running number; the line ends with a comma.
constexpr IntColumn<Detail> kColumns[] = {
    {&Detail::rail, "%3d,"},        {&Detail::start, "%3d,"},    {&Detail::end, "%3d,"},
    {&Detail::speed_limit, "%3d,"}, {&Detail::gradient, "%3d,"}, {&Detail::radius, "%3d,"},
};

}  // namespace

void read_detail(std::string_view content, int version, RecordTable<Detail>& table,
                 MemberWarnings& warnings) {
  if (version < kDetailMemberSince) return;
  csv::Reader reader(content);
  csv::Line line;
  while (reader.next(line)) {
    if (line.size() == 1 && line.raw(0).empty()) continue;  // a blank line holds no detail
    if (line.overlong() || line.too_many_fields()) warnings.line_too_long(reader.line_number());
    Detail& detail = table.grow_to(table.extent() + 1);
    read_columns(line, 1, version, kColumns, detail);
  }
}

void write_detail(const RecordTable<Detail>& table, csv::Writer& out) {
  write_column_member(table, 1, "%2d,", kColumns, out);
}

std::vector<int> details_of_rail(const RecordTable<Detail>& table, int rail) {
  std::vector<int> numbers;
  for (int n = 1; n <= table.extent(); ++n) {
    if (table[n].rail == rail) numbers.push_back(n);
  }
  return numbers;
}

}  // namespace vosk::map
