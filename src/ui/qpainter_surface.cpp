#include "ui/qpainter_surface.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPolygon>
#include <QString>
#include <QVector>
#include <algorithm>

namespace vosk::ui {

namespace {

// Dash lengths in pixels of the platform's one-pixel styled pens.
QVector<qreal> dash_pattern(PenStyle style) {
  switch (style) {
    case PenStyle::Dash:
      return {18, 6};
    case PenStyle::Dot:
      return {3, 3};
    case PenStyle::DashDot:
      return {9, 6, 3, 6};
    case PenStyle::DashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

QString qstring(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

QColor to_qcolor(Rgb colour) { return QColor(colour.r, colour.g, colour.b); }

QPen to_qpen(const Pen& pen) {
  if (pen.style == PenStyle::Null) return QPen(Qt::NoPen);
  QPen q(to_qcolor(pen.colour));
  q.setWidth(std::max(1, pen.width));
  q.setCosmetic(true);
  q.setCapStyle(Qt::FlatCap);  // a line leaves out its end pixel
  q.setJoinStyle(Qt::MiterJoin);
  const auto pattern = dash_pattern(pen.style);
  if (!pattern.isEmpty()) {
    // Qt scales the pattern by the pen width; the platform does not.
    QVector<qreal> scaled = pattern;
    for (auto& v : scaled) v /= std::max(1, pen.width);
    q.setDashPattern(scaled);
  }
  return q;
}

QFont to_qfont(const Font& font, int logpixelsy) {
  QFont q(QString::fromStdString(font.face));
  int pixels = font.height;
  if (pixels == 0) pixels = font_height_for_points(font.point_size, logpixelsy);
  if (pixels < 0) {
    q.setPixelSize(std::max(1, -pixels));
  } else {
    // A positive height is the cell height; scale the em size to fit it.
    q.setPixelSize(std::max(1, pixels));
    const int cell = QFontMetrics(q).height();
    if (cell > 0) q.setPixelSize(std::max(1, pixels * pixels / cell));
  }
  const int weight = font.weight <= 0 ? 400 : std::clamp(font.weight, 100, 900);
  q.setWeight(static_cast<QFont::Weight>(weight));
  q.setItalic(font.italic);
  q.setUnderline(font.underline);
  q.setStrikeOut(font.strike_out);
  return q;
}

QPainterSurface::QPainterSurface(QPainter& painter) : painter_(painter) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  font_ = to_qfont(Font{}, logpixelsy());
  set_pen(pen_);
  set_brush(brush_);
}

Size QPainterSurface::size() const {
  const QPaintDevice* device = painter_.device();
  return device ? Size{device->width(), device->height()} : Size{};
}

int QPainterSurface::logpixelsx() const {
  const QPaintDevice* device = painter_.device();
  return device ? device->logicalDpiX() : 96;
}

int QPainterSurface::logpixelsy() const {
  const QPaintDevice* device = painter_.device();
  return device ? device->logicalDpiY() : 96;
}

void QPainterSurface::set_pen(const Pen& pen) {
  pen_ = pen;
  painter_.setPen(to_qpen(pen));
}

void QPainterSurface::set_brush(const Brush& brush) {
  brush_ = brush;
  painter_.setBrush(brush.hollow ? QBrush(Qt::NoBrush) : QBrush(to_qcolor(brush.colour)));
}

void QPainterSurface::set_font(const Font& font) {
  font_ = to_qfont(font, logpixelsy());
  escapement_ = font.escapement;
}

void QPainterSurface::line_to(Point p) {
  painter_.drawLine(QPoint(position_.x, position_.y), QPoint(p.x, p.y));
  position_ = p;
}

void QPainterSurface::rectangle(const Rect& r) {
  if (r.width() <= 0 || r.height() <= 0) return;
  if (!brush_.hollow) painter_.fillRect(QRect(r.left, r.top, r.width(), r.height()), to_qcolor(brush_.colour));
  if (pen_.style == PenStyle::Null) return;
  painter_.save();
  painter_.setBrush(Qt::NoBrush);
  QPen outline = to_qpen(pen_);
  outline.setCapStyle(Qt::SquareCap);  // closed outline, corners filled
  painter_.setPen(outline);
  // An aliased one-pixel outline of QRect(x, y, w, h) covers x..x+w.
  painter_.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
  painter_.restore();
}

void QPainterSurface::fill_rect(const Rect& r, Rgb colour) {
  if (r.width() <= 0 || r.height() <= 0) return;
  painter_.fillRect(QRect(r.left, r.top, r.width(), r.height()), to_qcolor(colour));
}

void QPainterSurface::polygon(std::span<const Point> points) {
  if (points.empty()) return;
  QPolygon poly;
  poly.reserve(static_cast<qsizetype>(points.size()));
  for (const auto& p : points) poly << QPoint(p.x, p.y);
  painter_.drawPolygon(poly);
}

void QPainterSurface::text(Point at, std::string_view utf8) {
  const QString s = qstring(utf8);
  const QFontMetrics metrics(font_, painter_.device());
  const int width = metrics.horizontalAdvance(s);
  const int ascent = metrics.ascent();
  const int height = metrics.height();

  int left = 0;
  if (align_.horizontal == HAlign::Center) left = -width / 2;
  if (align_.horizontal == HAlign::Right) left = -width;
  int top = 0;
  if (align_.vertical == VAlign::Baseline) top = -ascent;
  if (align_.vertical == VAlign::Bottom) top = -height;

  painter_.save();
  painter_.translate(at.x, at.y);
  // Escapement turns counter-clockwise; y grows downwards on the device.
  if (escapement_ != 0) painter_.rotate(-escapement_ / 10.0);
  if (opaque_) painter_.fillRect(QRect(left, top, width, height), background_);
  painter_.setFont(font_);
  painter_.setPen(text_colour_);
  painter_.drawText(QPoint(left, top + ascent), s);
  painter_.restore();
}

Size QPainterSurface::measure(std::string_view utf8) {
  const QFontMetrics metrics(font_, painter_.device());
  return Size{metrics.horizontalAdvance(qstring(utf8)), metrics.height()};
}

}  // namespace vosk::ui
