#include "map/target.h"

#include "map/member_columns.h"

namespace vosk::map {
namespace {

// target.csv after the record number; the ten distances and the texts follow.
// clang-format off
constexpr IntColumn<Target> kColumns[] = {
    {&Target::station, "%2d,"},
    {&Target::scale, "%2d,", 1140},
    {&Target::time_display, "%2d,", 1140},
    {&Target::value_a, "%2d,", 1140},
};
// clang-format on

}  // namespace

void read_targets(std::string_view content, int version, RecordTable<Target>& table,
                  MemberWarnings& warnings) {
  read_numbered_lines(content, table, warnings,
                      [&](const csv::Line& line, Target& target, std::size_t at) {
                        std::size_t k = read_columns(line, 1, version, kColumns, target);
                        for (int& d : target.distances) d = line.integer(k++);
                        read_three_names(line, k, version, at, warnings, target);
                      });
}

void write_targets(const RecordTable<Target>& table, csv::Writer& out) {
  const Target placeholder{};
  for (int n = 0; n <= table.extent(); ++n) {
    const Target& target = n == 0 ? placeholder : table[n];
    out.printf("%2d,", n);
    write_columns(out, target, kColumns);
    for (int d : target.distances) out.printf("%4d,", d);
    out.printf("%s,", target.one_char_name.c_str());
    out.printf("%s,", target.short_name.c_str());
    out.printf("%s\n", target.name.c_str());
  }
}

}  // namespace vosk::map
