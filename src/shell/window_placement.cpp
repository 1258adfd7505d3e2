#include "shell/window_placement.h"

#include <algorithm>

#include "base/format.h"

namespace vosk::shell {
namespace {

// Shift for one axis so that `need` pixels of [lo, hi) lie within [min, max).
long shift_into(long lo, long hi, long min, long max) {
  long need = std::clamp(hi - lo, 0L, kVisibleMargin);
  if (lo > max - need) return (max - need) - lo;
  if (hi < min + need) return (min + need) - hi;
  return 0;
}

}  // namespace

Rect read_placement(const ini::Document& settings, std::string_view section, const Rect& fallback) {
  Rect r;
  r.left = settings.get_int(section, "PosLeft", static_cast<int>(fallback.left));
  r.top = settings.get_int(section, "PosTop", static_cast<int>(fallback.top));
  r.right = settings.get_int(section, "PosRight", static_cast<int>(fallback.right));
  r.bottom = settings.get_int(section, "PosBottom", static_cast<int>(fallback.bottom));
  return r;
}

bool write_placement(ini::Document& settings, std::string_view section, const Rect& window,
                     bool minimised, bool maximised) {
  if (minimised || maximised) return false;
  settings.set_string(section, "PosLeft", format("%ld", window.left));
  settings.set_string(section, "PosTop", format("%ld", window.top));
  settings.set_string(section, "PosRight", format("%ld", window.right));
  settings.set_string(section, "PosBottom", format("%ld", window.bottom));
  return true;
}

Rect keep_on_screen(const Rect& window, const Rect& screen) {
  long dx = shift_into(window.left, window.right, screen.left, screen.right);
  long dy = shift_into(window.top, window.bottom, screen.top, screen.bottom);
  return {window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
}

}  // namespace vosk::shell
