#pragma once
// The small section parser that series files use for their real-valued keys.
// It is not the profile reader: it keeps the byte-exact rules of the code that
// wrote those files, and they differ from the INI rules in several places:
//
// - A section starts on a line whose first byte is '['; its name runs to the
//   first ']' (to the line end when there is none). Double-byte characters
//   are taken whole, so a trail byte that looks like ']' does not end it.
// - Names and keys compare byte for byte: no blanks trimmed, no case folded.
//   " 慣性係数=0.5" has the key " 慣性係数".
// - The key is everything before the first '=' outside a double-byte
//   character; a line without one is skipped.
// - Every section of the wanted name is searched, in file order; the first
//   matching key wins.
// - The value is the rest of the line, converted as a decimal real: leading
//   blanks skipped, conversion stops at the first unusable byte, no number
//   (an empty value, quotes, a word, an infinity) gives 0. A present key with
//   an unusable value therefore reads 0, not the default.
#include <optional>
#include <string_view>

namespace vosk::stock {

// The raw value of `key` in the sections named `section`, nullopt when absent.
// `text` is the file in text mode (LF line ends).
std::optional<std::string_view> find_real_key(std::string_view text, std::string_view section,
                                              std::string_view key);

// The value converted as a decimal real, `fallback` when the key is absent.
double read_real_key(std::string_view text, std::string_view section, std::string_view key,
                     double fallback);

// The decimal conversion used for the values; non-finite results give 0.
double decimal_real(std::string_view value);

}  // namespace vosk::stock
