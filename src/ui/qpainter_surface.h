#pragma once
// The drawing surface on a QPainter: an off-screen image of a window, a
// printer page or a picture for the clipboard. Lines are aliased and leave
// out their end pixel, pens use the platform's dash lengths, so pixel output
// matches what the drawing code was written for.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>

#include "base/surface.h"

namespace vosk::ui {

QColor to_qcolor(Rgb colour);
// A one-pixel-wide (or wider) cosmetic pen of a Windows pen style.
QPen to_qpen(const Pen& pen);
// A QFont for a logical font at the given vertical resolution.
QFont to_qfont(const Font& font, int logpixelsy);

class QPainterSurface : public Surface {
 public:
  // `painter` must be active on its device for the surface's lifetime.
  explicit QPainterSurface(QPainter& painter);

  Size size() const override;
  int logpixelsx() const override;
  int logpixelsy() const override;

  void set_pen(const Pen& pen) override;
  void set_brush(const Brush& brush) override;
  void set_font(const Font& font) override;
  void set_text_colour(Rgb colour) override { text_colour_ = to_qcolor(colour); }
  void set_text_align(TextAlign align) override { align_ = align; }
  void set_background(bool opaque, Rgb colour) override {
    opaque_ = opaque;
    background_ = to_qcolor(colour);
  }

  void move_to(Point p) override { position_ = p; }
  void line_to(Point p) override;
  void rectangle(const Rect& r) override;
  void fill_rect(const Rect& r, Rgb colour) override;
  void polygon(std::span<const Point> points) override;
  void text(Point at, std::string_view utf8) override;
  Size measure(std::string_view utf8) override;

 private:
  QPainter& painter_;
  Pen pen_;
  Brush brush_;
  QFont font_;
  int escapement_ = 0;
  QColor text_colour_{Qt::black};
  TextAlign align_;
  bool opaque_ = true;  // the platform's default background mode
  QColor background_{Qt::white};
  Point position_;
};

}  // namespace vosk::ui
