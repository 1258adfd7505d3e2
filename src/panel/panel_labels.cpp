#include "panel/panel_labels.h"

#include <algorithm>

namespace vosk::panel {

Rect text_box(Point at, TextAlign align, Size size) {
  int left = at.x;
  if (align.horizontal == HAlign::Center) left -= size.width / 2;
  if (align.horizontal == HAlign::Right) left -= size.width;
  const int top = align.vertical == VAlign::Top ? at.y : at.y - size.height;
  return {left, top, left + size.width, top + size.height};
}

bool overlaps(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Rect train_label_box(const Rect& bar, Size size, const std::vector<Rect>& keep_clear) {
  // One pixel of black between the bar and its label.
  const int mid_x = (bar.left + bar.right) / 2;
  const int mid_y = (bar.top + bar.bottom) / 2;
  const Rect places[] = {
      text_box({mid_x, bar.top - 1}, {HAlign::Center, VAlign::Bottom}, size),
      text_box({mid_x, bar.bottom + 1}, {HAlign::Center, VAlign::Top}, size),
      text_box({bar.right + 2, mid_y - size.height / 2}, {HAlign::Left, VAlign::Top}, size),
      text_box({bar.left - 2, mid_y - size.height / 2}, {HAlign::Right, VAlign::Top}, size),
  };
  for (const Rect& place : places) {
    const bool clear = std::none_of(keep_clear.begin(), keep_clear.end(),
                                    [&](const Rect& r) { return overlaps(place, r); });
    if (clear) return place;
  }
  return places[0];
}

bool needs_plate(Rgb c) {
  // Perceived brightness, 0 .. 255: pure blue, dark green and dark red fall
  // below the limit; grey, green, yellow, magenta and white do not.
  const int brightness = (299 * c.r + 587 * c.g + 114 * c.b) / 1000;
  return brightness < 96;
}

}  // namespace vosk::panel
