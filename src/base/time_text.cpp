#include "base/time_text.h"

#include <cstdio>

namespace vosk::timetext {

std::string format(int t, bool colons) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, colons ? "%2d:%02d:%02d" : "%2d%02d%02d", t / 3600,
                t / 60 % 60, t % 60);
  return buffer;
}

std::string format_hm(int t, bool colons) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, colons ? "%2d:%02d" : "%2d%02d", t / 3600, t / 60 % 60);
  return buffer;
}

std::optional<int> parse(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) return std::nullopt;

  int parts[3] = {0, 0, 0};
  int count = 0;
  if (text.find(':') != std::string_view::npos) {
    int value = -1;
    for (char c : text) {
      if (c == ':') {
        if (value < 0 || count == 2) return std::nullopt;
        parts[count++] = value;
        value = -1;
      } else if (c >= '0' && c <= '9') {
        value = (value < 0 ? 0 : value) * 10 + (c - '0');
        if (value > 9999) return std::nullopt;
      } else {
        return std::nullopt;
      }
    }
    if (value < 0) return std::nullopt;
    parts[count++] = value;
  } else {
    for (char c : text)
      if (c < '0' || c > '9') return std::nullopt;
    if (text.size() != 4 && text.size() != 6 && text.size() != 3 && text.size() != 5)
      return std::nullopt;
    // Right-aligned digits: [H]HMM or [H]HMMSS.
    std::size_t n = text.size();
    bool seconds = n >= 5;
    std::size_t hour_digits = n - (seconds ? 4 : 2);
    auto number = [&](std::size_t from, std::size_t len) {
      int v = 0;
      for (std::size_t i = from; i < from + len; ++i) v = v * 10 + (text[i] - '0');
      return v;
    };
    parts[0] = number(0, hour_digits);
    parts[1] = number(hour_digits, 2);
    if (seconds) parts[2] = number(hour_digits + 2, 2);
    count = seconds ? 3 : 2;
  }
  if (count < 2 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
  int t = parts[0] * 3600 + parts[1] * 60 + parts[2];
  if (t < 0 || t > kMaxInput) return std::nullopt;
  return t;
}

}  // namespace vosk::timetext
