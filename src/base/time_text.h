#pragma once
// Times are signed seconds after midnight of the operating day. A non-zero
// time before 03:00:00 belongs to the end of the operating day.
#include <optional>
#include <string>
#include <string_view>

namespace vosk::timetext {

constexpr int kDay = 86400;
constexpr int kDayBreak = 10800;   // 03:00:00
constexpr int kMaxInput = 100800;  // 28:00:00

// Key for ordering and display: t + 86400 for a non-zero t below 03:00:00.
constexpr int order_key(int t) { return (t != 0 && t < kDayBreak) ? t + kDay : t; }

// t moved earlier by `seconds`; a result at or before midnight wraps into the
// end of the operating day instead of becoming unset or negative.
constexpr int earlier_by(int t, int seconds) {
  int r = t - seconds;
  return r <= 0 ? r + kDay : r;
}

// `to` − `from` on the clock, taken within half a day either way: a time just
// after midnight follows one just before it, whichever side of 03:00:00 they
// lie, and a time shortly before `from` stays negative.
constexpr int clock_difference(int from, int to) {
  int d = (to - from) % kDay;
  if (d > kDay / 2) d -= kDay;
  if (d <= -kDay / 2) d += kDay;
  return d;
}

// Rounding to the dia's time unit (unit > 0).
constexpr int round_down(int t, int unit) {
  int q = t / unit;
  if (t % unit != 0 && t < 0) --q;
  return unit * q;
}
constexpr int round_up(int t, int unit) { return round_down(t + unit - 1, unit); }

// "%2d:%02d:%02d" or, without colons, "%2d%02d%02d".
std::string format(int t, bool colons);
// "%2d:%02d" or "%2d%02d" (hours and minutes only).
std::string format_hm(int t, bool colons);

// Accepts "H:MM:SS", "H:MM", "HHMMSS" and "HHMM" with optional leading blanks;
// nullopt for other text or a time outside 0 .. 28:00:00.
std::optional<int> parse(std::string_view text);

}  // namespace vosk::timetext
