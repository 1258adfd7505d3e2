#pragma once
// A drawing surface that writes an SVG document: the vector picture of a
// window for headless export, the counterpart of the metafile a window
// copies to the clipboard. One-pixel pens stay one pixel (crisp edges), pen
// styles become dash arrays of the platform's cosmetic dash lengths, text
// metrics are the approximate ones (no font engine here).
#include <string>
#include <vector>

#include "base/surface.h"

namespace vosk {

class SvgSurface : public Surface {
 public:
  // `size` in pixels; the document says `logpixels` dots per inch.
  explicit SvgSurface(Size size, int logpixels = 96);

  Size size() const override { return size_; }
  int logpixelsx() const override { return dpi_; }
  int logpixelsy() const override { return dpi_; }

  void set_pen(const Pen& pen) override;
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

  // The whole document, closed, with everything drawn so far.
  std::string document();

 private:
  void flush_polyline();
  void append_stroke_attributes(const Pen& pen);

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
  std::string body_;
  // Consecutive segments with one pen are joined into one polyline, which
  // keeps a train graph of thousands of runs a reasonable size.
  std::vector<Point> polyline_;
  Pen polyline_pen_;
};

}  // namespace vosk
