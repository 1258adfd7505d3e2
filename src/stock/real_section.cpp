#include "stock/real_section.h"

#include <cmath>

#include "base/csv.h"
#include "base/sjis.h"

namespace vosk::stock {
namespace {

// Position of the first `c` in `s` that is not the trail byte of a
// double-byte character, or npos. A lead byte at the very end stands alone.
std::size_t find_single_byte(std::string_view s, char c) {
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] == c) return i;
    i += sjis::is_lead_byte(static_cast<unsigned char>(s[i])) ? 2 : 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::optional<std::string_view> find_real_key(std::string_view text, std::string_view section,
                                              std::string_view key) {
  bool inside = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;

    if (!line.empty() && line.front() == '[') {
      std::string_view rest = line.substr(1);
      inside = rest.substr(0, find_single_byte(rest, ']')) == section;
      continue;
    }
    if (!inside) continue;
    std::size_t eq = find_single_byte(line, '=');
    if (eq == std::string_view::npos) continue;
    if (line.substr(0, eq) == key) return line.substr(eq + 1);
  }
  return std::nullopt;
}

double decimal_real(std::string_view value) {
  double v = csv::to_real(value);
  return std::isfinite(v) ? v : 0.0;
}

double read_real_key(std::string_view text, std::string_view section, std::string_view key,
                     double fallback) {
  auto value = find_real_key(text, section, key);
  return value ? decimal_real(*value) : fallback;
}

}  // namespace vosk::stock
