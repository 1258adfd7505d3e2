#include "map/p_rail.h"

#include "map/member_columns.h"

namespace vosk::map {
namespace {

// p_rail.csv after the record number. Older files carry the single-track and
// electrification columns already, but their values mean nothing there.
// clang-format off
constexpr IntColumn<PRail> kColumns[] = {
    {&PRail::single_track, "%1d,", 0, 41},
    {&PRail::electrification, "%2d,", 0, 1110},
    {&PRail::rail_a, "%3d,"},
    {&PRail::rail_b, "%3d,"},
    {&PRail::open, "%1d,"},
};
// clang-format on

}  // namespace

void read_prails(std::string_view content, int version, RecordTable<PRail>& table,
                 MemberWarnings& warnings) {
  read_numbered_lines(content, table, warnings,
                      [&](const csv::Line& line, PRail& prail, std::size_t) {
                        read_columns(line, 1, version, kColumns, prail);
                      });
}

void write_prails(const RecordTable<PRail>& table, csv::Writer& out) {
  const PRail placeholder{};
  for (int n = 0; n <= table.extent(); ++n) {
    out.printf("%3d,", n);
    write_columns(out, n == 0 ? placeholder : table[n], kColumns);
    out.printf("\n");
  }
}

}  // namespace vosk::map
