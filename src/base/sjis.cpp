#include "base/sjis.h"

#include <cerrno>
#include <iconv.h>

namespace vosk::sjis {
namespace {

// iconv descriptors are cheap to keep; one per direction per thread.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts the whole input; stops with nullopt at the first bad sequence.
  std::optional<std::string> run(std::string_view in) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.resize(in.size() * 3 / 2 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    std::size_t used = 0;
    while (true) {
      char* dst = out.data() + used;
      std::size_t dst_left = out.size() - used;
      std::size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      used = out.size() - dst_left;
      if (rc != static_cast<std::size_t>(-1)) {
        // Flush any shift state.
        dst = out.data() + used;
        dst_left = out.size() - used;
        iconv(cd_, nullptr, nullptr, &dst, &dst_left);
        used = out.size() - dst_left;
        out.resize(used);
        return out;
      }
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      return std::nullopt;  // EILSEQ or EINVAL: bad or truncated input
    }
  }

 private:
  iconv_t cd_;
};

Converter& to_utf8_converter() {
  thread_local Converter c("UTF-8", "CP932");
  return c;
}
Converter& from_utf8_converter() {
  thread_local Converter c("CP932", "UTF-8");
  return c;
}

bool is_ascii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

// Length in bytes of the UTF-8 sequence starting with `c`, 0 if `c` cannot start one.
std::size_t utf8_length(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 0;
}

}  // namespace

std::string_view cut(std::string_view text, std::size_t max_bytes) {
  if (text.size() <= max_bytes) return text;
  std::size_t i = 0;
  while (i < max_bytes) {
    std::size_t step = is_lead_byte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + step > max_bytes) break;
    i += step;
  }
  return text.substr(0, i);
}

std::optional<std::string> to_utf8(std::string_view cp932) {
  if (is_ascii(cp932)) return std::string(cp932);
  return to_utf8_converter().run(cp932);
}

std::optional<std::string> from_utf8(std::string_view utf8) {
  if (is_ascii(utf8)) return std::string(utf8);
  return from_utf8_converter().run(utf8);
}

std::string to_utf8_lossy(std::string_view cp932) {
  if (auto whole = to_utf8(cp932)) return *whole;
  std::string out;
  std::size_t i = 0;
  while (i < cp932.size()) {
    std::size_t step = is_lead_byte(static_cast<unsigned char>(cp932[i])) ? 2 : 1;
    if (i + step > cp932.size()) step = 1;
    if (auto piece = to_utf8_converter().run(cp932.substr(i, step)))
      out += *piece;
    else
      out += "\xEF\xBF\xBD";
    i += step;
  }
  return out;
}

std::string from_utf8_lossy(std::string_view utf8) {
  if (auto whole = from_utf8(utf8)) return *whole;
  std::string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::size_t step = utf8_length(static_cast<unsigned char>(utf8[i]));
    if (step == 0 || i + step > utf8.size()) step = 1;
    if (auto piece = from_utf8_converter().run(utf8.substr(i, step)))
      out += *piece;
    else
      out += '?';
    i += step;
  }
  return out;
}

}  // namespace vosk::sjis
