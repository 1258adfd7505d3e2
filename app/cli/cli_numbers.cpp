#include "cli_numbers.h"

#include <charconv>

namespace vosk::cli {

bool parse_int(std::string_view text, int& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end && !text.empty();
}

bool parse_size(std::string_view text, Size& out, int max_side) {
  const auto x = text.find('x');
  if (x == std::string_view::npos) return false;
  return parse_int(text.substr(0, x), out.width) && parse_int(text.substr(x + 1), out.height) &&
         out.width > 0 && out.height > 0 && out.width <= max_side && out.height <= max_side;
}

}  // namespace vosk::cli
