#pragma once
// A drawing surface that records every drawing operation with the state it
// was drawn in: tests check what a window draws without pixels or fonts, and
// benchmarks count what a drawing pass emits. Text metrics are the
// approximate ones of approximate_text_size().
#include <string>
#include <vector>

#include "base/surface.h"

namespace vosk {

enum class OpKind { Line, Rectangle, FillRect, Polygon, Text };

struct DrawOp {
  OpKind kind = OpKind::Line;
  Pen pen;                    // pen in effect (Line, Rectangle, Polygon)
  Brush brush;                // brush in effect (Rectangle, Polygon)
  Rgb colour;                 // FillRect colour, Text colour
  Point from, to;             // Line: start and end; Text: reference point in `from`
  Rect rect;                  // Rectangle, FillRect
  std::vector<Point> points;  // Polygon
  std::string text;           // Text
  Font font;                  // Text
  TextAlign align;            // Text
  bool opaque = false;        // Text background mode
  Rgb background;             // Text background colour
};

class RecordingSurface : public Surface {
 public:
  explicit RecordingSurface(Size size = {640, 480}, int logpixelsy = 96)
      : size_(size), dpi_(logpixelsy) {}

  Size size() const override { return size_; }
  int logpixelsx() const override { return dpi_; }
  int logpixelsy() const override { return dpi_; }

  void set_pen(const Pen& pen) override { pen_ = pen; }
  void set_brush(const Brush& brush) override { brush_ = brush; }
  void set_font(const Font& font) override { font_ = font; }
  void set_text_colour(Rgb colour) override { text_colour_ = colour; }
  void set_text_align(TextAlign align) override { align_ = align; }
  void set_background(bool opaque, Rgb colour) override {
    opaque_ = opaque;
    background_ = colour;
  }

  void move_to(Point p) override { position_ = p; }
  void line_to(Point p) override;
  void rectangle(const Rect& r) override;
  void fill_rect(const Rect& r, Rgb colour) override;
  void polygon(std::span<const Point> points) override;
  void text(Point at, std::string_view utf8) override;
  Size measure(std::string_view utf8) override;

  const std::vector<DrawOp>& ops() const { return ops_; }
  std::vector<DrawOp> ops_of(OpKind kind) const;
  // Texts drawn, in order.
  std::vector<std::string> texts() const;
  void clear() { ops_.clear(); }

  // Pixel height of the current font under the approximate metrics.
  int font_pixels() const;

 private:
  Size size_;
  int dpi_;
  Pen pen_;
  Brush brush_;
  Font font_;
  Rgb text_colour_;
  TextAlign align_;
  bool opaque_ = true;
  Rgb background_{255, 255, 255};
  Point position_;
  std::vector<DrawOp> ops_;
};

}  // namespace vosk
