#include "map/jump.h"

#include "map/member_columns.h"

namespace vosk::map {
namespace {

// jump.csv after the record number; the label follows.
constexpr IntColumn<Jump> kColumns[] = {
    {&Jump::reference, "%2d,"}, {&Jump::row1, "%1d,"}, {&Jump::row2, "%1d,"}, {&Jump::x1, "%4d,"},
    {&Jump::y1, "%4d,"},        {&Jump::x2, "%4d,"},   {&Jump::y2, "%4d,"},
};

}  // namespace

void read_jump(std::string_view content, int version, RecordTable<Jump>& table,
               MemberWarnings& warnings) {
  if (version < kJumpMemberSince) return;
  read_numbered_lines(content, table, warnings,
                      [&](const csv::Line& line, Jump& jump, std::size_t at) {
                        std::size_t k = read_columns(line, 1, version, kColumns, jump);
                        jump.label = read_text(line, k, kShortTextBytes, at, warnings);
                      });
}

void write_jump(const RecordTable<Jump>& table, csv::Writer& out) {
  for (int n = 0; n <= table.extent(); ++n) {
    const Jump& jump = table[n];
    out.printf("%2d,", n);
    write_columns(out, jump, kColumns);
    out.printf("%s,", jump.label.c_str());
    out.text("\n");
  }
}

}  // namespace vosk::map
