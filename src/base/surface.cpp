#include "base/surface.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

namespace vosk {

PenStyle pen_style_from_int(int n_pen_style) {
  if (n_pen_style < 0 || n_pen_style > static_cast<int>(PenStyle::Null)) return PenStyle::Solid;
  return static_cast<PenStyle>(n_pen_style);
}

TextAlign text_align_from_flags(unsigned flags) {
  constexpr unsigned kRight = 2, kCenter = 6, kBottom = 8, kBaseline = 24;
  TextAlign align;
  if ((flags & kCenter) == kCenter) {
    align.horizontal = HAlign::Center;
  } else if (flags & kRight) {
    align.horizontal = HAlign::Right;
  }
  if ((flags & kBaseline) == kBaseline) {
    align.vertical = VAlign::Baseline;
  } else if (flags & kBottom) {
    align.vertical = VAlign::Bottom;
  }
  return align;
}

int mul_div(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t divisor = c;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const std::int64_t half = divisor / 2;
  const std::int64_t result = product < 0 ? (product - half) / divisor : (product + half) / divisor;
  if (result > INT_MAX || result < INT_MIN) return -1;
  return static_cast<int>(result);
}

int points_to_pixels(int width_thousandths_pt, int logpixelsy) {
  return mul_div(width_thousandths_pt, logpixelsy, 72000);
}

int font_height_for_points(int point_size, int logpixelsy) {
  return -mul_div(point_size, logpixelsy, 72);
}

int font_pixel_height(const Font& font, int logpixelsy) {
  if (font.height != 0) return std::abs(font.height);
  return std::abs(font_height_for_points(font.point_size, logpixelsy));
}

Size approximate_text_size(const Font& font, int logpixelsy, std::string_view utf8) {
  const int h = font_pixel_height(font, logpixelsy);
  int width = 0;
  for (unsigned char c : utf8) {
    if (c < 0x80) {
      width += h / 2;
    } else if (c >= 0xC0) {  // lead byte of a multi-byte character
      width += h;
    }
  }
  return Size{width, h};
}

void draw_thick_line(Surface& surface, Point a, Point b, PenStyle style, Rgb colour, int n) {
  surface.set_pen(Pen{style, 1, colour});
  for_each_thick_offset(n, [&](int dx, int dy) {
    surface.line(Point{a.x + dx, a.y + dy}, Point{b.x + dx, b.y + dy});
  });
}

void draw_styled_line(Surface& surface, Point a, Point b, PenStyle style, Rgb colour,
                      int width_thousandths_pt) {
  draw_thick_line(surface, a, b, style, colour,
                  points_to_pixels(width_thousandths_pt, surface.logpixelsy()));
}

}  // namespace vosk
