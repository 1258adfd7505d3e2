#pragma once
// The drawing surface every window, printed page and picture copy draws on.
//
// The model is the one the windows were designed around: a current pen,
// brush, font, text colour, text alignment and background mode, a current
// position for move_to/line_to, and device capabilities (pixels per inch).
// Coordinates are device pixels, y grows downwards. Texts are UTF-8: record
// texts (CP932 bytes) are converted with sjis::to_utf8_lossy by the caller.
//
// Backends: QPainter on an off-screen image or a printer (src/ui), SVG text
// for headless vector export (svg_surface.h) and a recording surface for
// tests and benchmarks (recording_surface.h).
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vosk {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0, height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Left and top inclusive, right and bottom exclusive, as the window rectangles
// of the settings file and the rectangle calls of the drawing code are.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The Windows pen style numbers stored as nPenStyle in the settings file and
// the data sets. Null draws nothing (used for outline-free fills).
enum class PenStyle : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5 };

// nPenStyle as read from a file; values outside 0..5 draw solid, which is
// what a pen created from an unknown style gives on the original platform.
PenStyle pen_style_from_int(int n_pen_style);

struct Pen {
  PenStyle style = PenStyle::Solid;
  int width = 1;  // pixels; 0 counts as 1
  Rgb colour;
  friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
  Rgb colour{255, 255, 255};
  bool hollow = false;  // interiors are left untouched
  friend bool operator==(const Brush&, const Brush&) = default;
};

// A logical font as the windows create it from their font records.
struct Font {
  std::string face;  // UTF-8
  // Pixels. Negative: character height without internal leading (what the
  // programs store, e.g. -12 for 9 pt at 96 dpi); positive: cell height;
  // 0: derived from point_size and the surface's LOGPIXELSY.
  int height = -12;
  int point_size = 9;
  int weight = 400;  // 100..900, 400 normal, 700 bold
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  int escapement = 0;  // text rotation, tenths of a degree counter-clockwise
  friend bool operator==(const Font&, const Font&) = default;
};

// Where the reference point of a text lies on the text's box.
enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Baseline, Bottom };

struct TextAlign {
  HAlign horizontal = HAlign::Left;
  VAlign vertical = VAlign::Top;
  friend bool operator==(const TextAlign&, const TextAlign&) = default;
};

// SetTextAlign flag values (TA_LEFT 0, TA_RIGHT 2, TA_CENTER 6, TA_TOP 0,
// TA_BOTTOM 8, TA_BASELINE 24); other bits are ignored.
TextAlign text_align_from_flags(unsigned flags);

class Surface {
 public:
  virtual ~Surface() = default;

  // Device capabilities.
  virtual Size size() const = 0;
  virtual int logpixelsx() const = 0;
  virtual int logpixelsy() const = 0;

  // Drawing state.
  virtual void set_pen(const Pen& pen) = 0;
  virtual void set_brush(const Brush& brush) = 0;
  virtual void set_font(const Font& font) = 0;
  virtual void set_text_colour(Rgb colour) = 0;
  virtual void set_text_align(TextAlign align) = 0;
  // Opaque: text boxes are filled with the background colour first.
  virtual void set_background(bool opaque, Rgb colour) = 0;

  // Lines with the current pen; line_to leaves the end point out, as the
  // platform's lines do, and makes it the current position.
  virtual void move_to(Point p) = 0;
  virtual void line_to(Point p) = 0;

  // Rectangle outlined with the pen and filled with the brush; the pen's
  // one-pixel outline covers left..right-1 and top..bottom-1.
  virtual void rectangle(const Rect& r) = 0;
  // Fills left..right-1 × top..bottom-1 with a colour, no pen.
  virtual void fill_rect(const Rect& r, Rgb colour) = 0;
  // Closed polygon outlined with the pen and filled with the brush.
  virtual void polygon(std::span<const Point> points) = 0;

  // Text at a reference point with the current font, colour, alignment and
  // background; rotated about the reference point by the font's escapement.
  virtual void text(Point at, std::string_view utf8) = 0;
  // Width and height of the unrotated text in the current font.
  virtual Size measure(std::string_view utf8) = 0;

  // Convenience: a segment from a to b.
  void line(Point a, Point b) {
    move_to(a);
    line_to(b);
  }
};

// a × b ÷ c rounded half away from zero, with a 64-bit intermediate, as the
// platform's MulDiv; c == 0 gives -1 like it does.
int mul_div(int a, int b, int c);

// A line width in 1/1000 point to whole pixels on a surface with the given
// LOGPIXELSY: width × LOGPIXELSY ÷ 72000 with MulDiv rounding.
int points_to_pixels(int width_thousandths_pt, int logpixelsy);

// Font height in pixels for a point size: -MulDiv(points, LOGPIXELSY, 72).
int font_height_for_points(int point_size, int logpixelsy);

// The character height of a font in pixels at a resolution (its height, or
// the height derived from its point size when that is 0).
int font_pixel_height(const Font& font, int logpixelsy);

// Text metrics for surfaces without a font engine (SVG export, recording):
// an ASCII character is half the character height wide, any other character
// the full height, which is what Japanese fonts with half-width ASCII give.
Size approximate_text_size(const Font& font, int logpixelsy, std::string_view utf8);

// Thick lines are drawn as an n × n grid of one-pixel strokes so that dashed
// and dotted styles stay visible at any thickness (a wide platform pen would
// turn every style solid). The stroke once unshifted, then shifted by (i, j)
// for i, j in 0..n-1; n ≤ 0 leaves the single stroke.
template <typename Stroke>
void for_each_thick_offset(int n, Stroke&& stroke) {
  stroke(0, 0);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) stroke(i, j);
  }
}

// One styled line from a to b, `n` pixels thick, by the rule above. The
// surface's pen is left as the one-pixel pen of the style and colour.
void draw_thick_line(Surface& surface, Point a, Point b, PenStyle style, Rgb colour, int n);

// The same with the width in 1/1000 point, converted for the surface.
void draw_styled_line(Surface& surface, Point a, Point b, PenStyle style, Rgb colour,
                      int width_thousandths_pt);

}  // namespace vosk
