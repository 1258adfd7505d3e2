#pragma once
// Window placement in korv.ini: PosLeft, PosTop, PosRight, PosBottom in
// screen pixels, in the window's own section ("VOSK" + window name).
#include <string_view>

#include "base/ini.h"

namespace vosk::shell {

struct Rect {
  long left = 0, top = 0, right = 0, bottom = 0;
  long width() const { return right - left; }
  long height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline constexpr const char* kMainWindowSection = "VOSKMainWindow";
inline constexpr Rect kMainWindowDefault{0, 0, 1000, 750};

// The stored rectangle; each missing key keeps the value of `fallback`.
Rect read_placement(const ini::Document& settings, std::string_view section, const Rect& fallback);

// Writes the four keys ("%ld") unless the window is minimised or maximised,
// in which case the stored placement stays as it was. True when written.
bool write_placement(ini::Document& settings, std::string_view section, const Rect& window,
                     bool minimised, bool maximised);

// Pixels of a window that must stay on the screen.
inline constexpr long kVisibleMargin = 100;

// `window` moved (never resized) until at least 100 pixels of it lie on
// `screen` across and down; a window smaller than that must lie wholly
// on the screen in that direction. A window already far enough on the
// screen is returned unchanged.
Rect keep_on_screen(const Rect& window, const Rect& screen);

}  // namespace vosk::shell
