#include "base/csv.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstring>

#include "base/sjis.h"

namespace vosk::csv {
namespace {

constexpr int kMaxFastWidth = 64;  // wider fields go through the C library

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int to_int(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && is_space(field[i])) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) {
    negative = field[i] == '-';
    ++i;
  }
  long long n = 0;
  // Nine digits cannot overflow; only longer numbers need the saturation.
  std::size_t short_end = std::min(field.size(), i + 9);
  for (; i < short_end && field[i] >= '0' && field[i] <= '9'; ++i) n = n * 10 + (field[i] - '0');
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    n = n * 10 + (field[i] - '0');
    if (n > static_cast<long long>(INT_MAX) + 1) n = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) n = -n;
  if (n > INT_MAX) n = INT_MAX;
  return static_cast<int>(n);
}

double to_real(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && is_space(field[i])) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) {
    negative = field[i] == '-';
    ++i;
  }
  // from_chars takes a sign of its own; atof allows only one.
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) return 0.0;
  double value = 0.0;
  const char* first = field.data() + i;
  const char* last = field.data() + field.size();
  auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // from_chars leaves the value alone; atof gives the saturated value.
    value = std::strtod(std::string(first, last).c_str(), nullptr);
  } else if (result.ec != std::errc{}) {
    value = 0.0;
  }
  return negative ? -value : value;
}

std::string_view Line::text(std::size_t k) const {
  return sjis::cut(raw(k), kMaxText);
}

bool Reader::next(Line& line) {
  line.fields_.clear();
  line.overlong_ = false;
  line.too_many_fields_ = false;
  std::size_t end = content_.find('\n', pos_);
  if (end == std::string_view::npos) {
    pos_ = content_.size();
    return false;
  }
  std::string_view text = content_.substr(pos_, end - pos_);
  pos_ = end + 1;
  ++line_number_;
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  if (text.size() > kLineBuffer - 1) {
    text = text.substr(0, kLineBuffer - 1);
    line.overlong_ = true;
  }
  // Fields are short; a plain scan beats a library search per field.
  const char* first = text.data();
  const char* const last = first + text.size();
  for (const char* p = first; p != last; ++p) {
    if (*p != ',') continue;
    if (line.fields_.size() == kMaxFields) {
      line.too_many_fields_ = true;
      return true;
    }
    line.fields_.emplace_back(first, static_cast<std::size_t>(p - first));
    first = p + 1;
  }
  if (line.fields_.size() == kMaxFields) {
    line.too_many_fields_ = true;
    return true;
  }
  line.fields_.emplace_back(first, static_cast<std::size_t>(last - first));
  return true;
}

namespace {

// Appends `text` padded to `width` with spaces, on the left unless `left`.
void append_text(std::string& out, std::string_view text, int width, bool left) {
  std::size_t pad = static_cast<std::size_t>(width) > text.size()
                        ? static_cast<std::size_t>(width) - text.size()
                        : 0;
  if (!left) out.append(pad, ' ');
  out.append(text);
  if (left) out.append(pad, ' ');
}

void append_integer(std::string& out, long long value, int width, bool left, bool zero) {
  char buffer[kMaxFastWidth + 24];
  char* end = format_integer(buffer, value, width, left, zero);
  out.append(buffer, static_cast<std::size_t>(end - buffer));
}

// printf for the conversions the member writers use most: %d, %ld and %s
// with the '-' and '0' flags and a width up to kMaxFastWidth, and %%.
// Anything else (precision, other flags or conversions) undoes what was
// appended and returns false, so the caller can use vsnprintf instead.
// Millions of fields go through here on a save.
bool format_simple(std::string& out, const char* format, va_list args) {
  const std::size_t start = out.size();
  const char* p = format;
  while (*p) {
    const char* run = p;
    while (*p && *p != '%') ++p;
    if (p != run) out.append(run, static_cast<std::size_t>(p - run));
    if (!*p) break;
    ++p;
    if (*p == '%') {
      out.push_back('%');
      ++p;
      continue;
    }
    bool left = false, zero = false;
    for (;; ++p) {
      if (*p == '-') {
        left = true;
      } else if (*p == '0') {
        zero = true;
      } else {
        break;
      }
    }
    int width = 0;
    for (; *p >= '0' && *p <= '9' && width <= kMaxFastWidth; ++p) width = width * 10 + (*p - '0');
    bool is_long = *p == 'l';
    if (is_long) ++p;
    if (width > kMaxFastWidth || (*p != 'd' && (*p != 's' || is_long))) {
      out.resize(start);
      return false;
    }
    if (*p == 'd') {
      long long value = is_long ? va_arg(args, long) : va_arg(args, int);
      append_integer(out, value, width, left, zero);
    } else {  // the '0' flag means nothing for texts
      append_text(out, va_arg(args, const char*), width, left);
    }
    ++p;
  }
  return true;
}

}  // namespace

char* format_integer(char* p, long long value, int width, bool left, bool zero) {
  char digits[24];
  unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                           : static_cast<unsigned long long>(value);
  char* end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
  std::size_t length = static_cast<std::size_t>(end - digits) + (value < 0 ? 1 : 0);
  std::size_t pad = width > 0 && static_cast<std::size_t>(width) > length
                        ? static_cast<std::size_t>(width) - length
                        : 0;
  if (!left && !zero) p = std::fill_n(p, pad, ' ');
  if (value < 0) *p++ = '-';
  if (!left && zero) p = std::fill_n(p, pad, '0');
  p = std::copy(digits, end, p);
  if (left) p = std::fill_n(p, pad, ' ');
  return p;
}


void Writer::printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  bool done = format_simple(out_, format, args);
  va_end(args);
  if (done) return;

  char small[256];
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (n < 0) {
    va_end(copy);
    return;
  }
  if (static_cast<std::size_t>(n) < sizeof small) {
    out_.append(small, static_cast<std::size_t>(n));
  } else {
    std::size_t old = out_.size();
    out_.resize(old + static_cast<std::size_t>(n) + 1);
    std::vsnprintf(out_.data() + old, static_cast<std::size_t>(n) + 1, format, copy);
    out_.resize(old + static_cast<std::size_t>(n));
  }
  va_end(copy);
}

}  // namespace vosk::csv
