#include "datafiles/bundle.h"

#include <array>
#include <cstdint>

namespace vosk::bundle {
namespace {

constexpr std::uint8_t kEscape = 14;
constexpr std::uint8_t kEnd = 15;

// Code of each byte; kEscape for a byte that needs the literal form.
constexpr std::array<std::uint8_t, 256> make_codes() {
  std::array<std::uint8_t, 256> codes{};
  for (auto& c : codes) c = kEscape;
  for (int d = 0; d <= 9; ++d) codes['0' + d] = static_cast<std::uint8_t>(d);
  codes[','] = 10;
  codes['-'] = 11;
  codes[' '] = 12;
  codes['\n'] = 13;
  return codes;
}
constexpr std::array<std::uint8_t, 256> kCodes = make_codes();

constexpr char kChars[14] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', ',', '-', ' ', '\n'};

// Two-character expansions of every byte whose nibbles are both plain codes;
// lets unpack emit two characters per input byte on the common path.
struct PairTable {
  std::array<std::array<char, 2>, 256> chars{};
  std::array<bool, 256> plain{};
};
constexpr PairTable make_pairs() {
  PairTable t{};
  for (int b = 0; b < 256; ++b) {
    int hi = b >> 4, lo = b & 15;
    t.plain[b] = hi < 14 && lo < 14;
    if (t.plain[b]) t.chars[b] = {kChars[hi], kChars[lo]};
  }
  return t;
}
constexpr PairTable kPairs = make_pairs();

// Writes 4-bit codes into a buffer sized for the worst case (three codes a
// byte), two codes per byte, high nibble first.
class NibbleWriter {
 public:
  explicit NibbleWriter(char* out) : out_(out) {}
  void put(std::uint8_t code) {
    if (pending_) {
      *out_++ = static_cast<char>((high_ << 4) | code);
      pending_ = false;
    } else {
      high_ = code;
      pending_ = true;
    }
  }
  void put_pair(std::uint8_t a, std::uint8_t b) { *out_++ = static_cast<char>((a << 4) | b); }
  // Writes the end code, padding or completing the last byte.
  char* finish() {
    if (pending_)
      put(kEnd);
    else
      *out_++ = static_cast<char>(0xFF);
    return out_;
  }
  bool pending() const { return pending_; }

 private:
  char* out_;
  std::uint8_t high_ = 0;
  bool pending_ = false;
};

}  // namespace

void MemberSet::add(std::string name, std::string_view content) {
  members_.push_back({std::move(name), content});
}

const Member* MemberSet::find(std::string_view name) const {
  for (auto it = members_.rbegin(); it != members_.rend(); ++it)
    if (it->name == name) return &*it;
  return nullptr;
}

const Member* MemberSet::find_by_extension(std::string_view ext) const {
  for (auto it = members_.rbegin(); it != members_.rend(); ++it) {
    std::size_t dot = it->name.rfind('.');
    if (dot != std::string::npos && std::string_view(it->name).substr(dot + 1) == ext) return &*it;
  }
  return nullptr;
}

void write_member_header(std::string& bundle, std::string_view path) {
  std::size_t cut = path.find_last_of("/\\");
  std::string_view name = cut == std::string_view::npos ? path : path.substr(cut + 1);
  bundle.push_back('#');
  bundle.append(name);
  bundle.push_back('\n');
}

std::string pack(std::string_view text) {
  std::string out;
  out.resize(text.size() + text.size() / 2 + 2);
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  NibbleWriter writer(out.data());
  while (p != end) {
    // Common case: two plain characters on a byte boundary make one byte.
    if (!writer.pending()) {
      while (end - p >= 2) {
        std::uint8_t a = kCodes[p[0]], b = kCodes[p[1]];
        if (a == kEscape || b == kEscape) break;
        writer.put_pair(a, b);
        p += 2;
      }
      if (p == end) break;
    }
    std::uint8_t code = kCodes[*p];
    if (code == kEscape) {
      writer.put(kEscape);
      writer.put(static_cast<std::uint8_t>(*p >> 4));
      writer.put(static_cast<std::uint8_t>(*p & 15));
    } else {
      writer.put(code);
    }
    ++p;
  }
  char* last = writer.finish();
  out.resize(static_cast<std::size_t>(last - out.data()));
  return out;
}

Unpacked unpack(std::string_view packed) {
  Unpacked result;
  std::string& out = result.text;
  out.reserve(packed.size() * 2);
  const auto* p = reinterpret_cast<const unsigned char*>(packed.data());
  const auto* end = p + packed.size();

  // Decoder state for the slow path: how many nibbles of an escape are still
  // owed (0, 2 or 1) and the high nibble gathered so far.
  int owed = 0;
  std::uint8_t literal_high = 0;
  auto take = [&](std::uint8_t code) -> bool {  // false at the end code
    if (owed == 2) {
      literal_high = code;
      owed = 1;
    } else if (owed == 1) {
      out.push_back(static_cast<char>((literal_high << 4) | code));
      owed = 0;
    } else if (code == kEnd) {
      return false;
    } else if (code == kEscape) {
      owed = 2;
    } else {
      out.push_back(kChars[code]);
    }
    return true;
  };

  while (p != end) {
    if (owed == 0) {
      const auto* run = p;
      while (run != end && kPairs.plain[*run]) ++run;
      std::size_t n = static_cast<std::size_t>(run - p);
      if (n) {
        std::size_t old = out.size();
        out.resize(old + 2 * n);
        char* dst = out.data() + old;
        for (; p != run; ++p, dst += 2) {
          dst[0] = kPairs.chars[*p][0];
          dst[1] = kPairs.chars[*p][1];
        }
        if (p == end) break;
      }
    }
    std::uint8_t byte = *p++;
    if (!take(byte >> 4) || !take(byte & 15)) return result;
  }
  result.status = owed ? UnpackStatus::EndsInEscape : UnpackStatus::MissingEnd;
  return result;
}

bool is_safe_member_name(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name)
    if (c == '/' || c == '\\' || c == '\0' || c == ':') return false;
  return true;
}

SplitResult split(std::string_view text) {
  SplitResult result;
  std::string name;
  // A member's content runs from the line after its header line to the next
  // header line.
  std::size_t content_start = 0;
  bool open = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t eol = text.find('\n', pos);
    bool has_eol = eol != std::string_view::npos;
    std::size_t line_end = has_eol ? eol + 1 : text.size();
    std::string_view line = text.substr(pos, line_end - pos);
    std::size_t line_start = pos;
    pos = line_end;
    if (line.front() != '#') continue;
    // A header line; the name runs to the line end. An unterminated last
    // header line names a member that never gets content.
    std::string_view header = has_eol ? line.substr(1, line.size() - 2) : line.substr(1);
    if (open) {
      result.members.add(std::move(name),
                         text.substr(content_start, line_start - content_start));
    }
    open = false;
    name.clear();
    if (!has_eol) break;
    if (header.empty()) break;  // "#" alone ends the bundle
    if (!is_safe_member_name(header) && !result.unsafe_name) result.unsafe_name = std::string(header);
    name.assign(header);
    content_start = pos;
    open = true;
  }
  if (open) result.members.add(std::move(name), text.substr(content_start));
  return result;
}

}  // namespace vosk::bundle
