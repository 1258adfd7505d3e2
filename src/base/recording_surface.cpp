#include "base/recording_surface.h"

namespace vosk {

void RecordingSurface::line_to(Point p) {
  DrawOp op;
  op.kind = OpKind::Line;
  op.pen = pen_;
  op.from = position_;
  op.to = p;
  ops_.push_back(op);
  position_ = p;
}

void RecordingSurface::rectangle(const Rect& r) {
  DrawOp op;
  op.kind = OpKind::Rectangle;
  op.pen = pen_;
  op.brush = brush_;
  op.rect = r;
  ops_.push_back(op);
}

void RecordingSurface::fill_rect(const Rect& r, Rgb colour) {
  DrawOp op;
  op.kind = OpKind::FillRect;
  op.rect = r;
  op.colour = colour;
  ops_.push_back(op);
}

void RecordingSurface::polygon(std::span<const Point> points) {
  DrawOp op;
  op.kind = OpKind::Polygon;
  op.pen = pen_;
  op.brush = brush_;
  op.points.assign(points.begin(), points.end());
  ops_.push_back(op);
}

void RecordingSurface::text(Point at, std::string_view utf8) {
  DrawOp op;
  op.kind = OpKind::Text;
  op.from = at;
  op.text = std::string(utf8);
  op.font = font_;
  op.colour = text_colour_;
  op.align = align_;
  op.opaque = opaque_;
  op.background = background_;
  ops_.push_back(op);
}

int RecordingSurface::font_pixels() const { return font_pixel_height(font_, dpi_); }

Size RecordingSurface::measure(std::string_view utf8) {
  return approximate_text_size(font_, dpi_, utf8);
}

std::vector<DrawOp> RecordingSurface::ops_of(OpKind kind) const {
  std::vector<DrawOp> out;
  for (const auto& op : ops_) {
    if (op.kind == kind) out.push_back(op);
  }
  return out;
}

std::vector<std::string> RecordingSurface::texts() const {
  std::vector<std::string> out;
  for (const auto& op : ops_) {
    if (op.kind == OpKind::Text) out.push_back(op.text);
  }
  return out;
}

}  // namespace vosk
