#include "base/csv.h"

#include <charconv>
#include <climits>
#include <cstdio>

#include "base/sjis.h"

namespace vosk::csv {
namespace {

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
  std::size_t start = 0;
  while (true) {
    std::size_t comma = text.find(',', start);
    if (line.fields_.size() == kMaxFields) {
      line.too_many_fields_ = true;
      break;
    }
    if (comma == std::string_view::npos) {
      line.fields_.push_back(text.substr(start));
      break;
    }
    line.fields_.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  return true;
}

void Writer::printf(const char* format, ...) {
  char small[256];
  va_list args;
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
