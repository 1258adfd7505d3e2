#pragma once
// Shift-JIS (code page 932) helpers. Record texts stay in CP932 bytes; these
// convert only at the boundary to the user interface and messages.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vosk::sjis {

// True for a byte that starts a double-byte CP932 character.
constexpr bool is_lead_byte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest prefix of `text` of at most `max_bytes` bytes that does not end
// in the first half of a double-byte character.
std::string_view cut(std::string_view text, std::size_t max_bytes);

// CP932 -> UTF-8; nullopt when the bytes are not valid CP932.
std::optional<std::string> to_utf8(std::string_view cp932);

// UTF-8 -> CP932; nullopt when the text is not valid UTF-8 or holds a
// character CP932 cannot represent.
std::optional<std::string> from_utf8(std::string_view utf8);

// For display: invalid bytes become U+FFFD instead of failing.
std::string to_utf8_lossy(std::string_view cp932);

// For texts the program composes: unmappable characters become '?'.
std::string from_utf8_lossy(std::string_view utf8);

}  // namespace vosk::sjis
