#include "map/member_columns.h"

#include "base/sjis.h"

namespace vosk::map {

std::string read_text(const csv::Line& line, std::size_t k, std::size_t max_bytes,
                      std::size_t line_number, MemberWarnings& warnings) {
  std::string_view raw = line.raw(k);
  if (raw.size() > max_bytes) warnings.text_too_long(line_number);
  return std::string(sjis::cut(raw, max_bytes));
}

}  // namespace vosk::map
