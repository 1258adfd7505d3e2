#include "base/svg_surface.h"

#include <algorithm>
#include <cstdio>

namespace vosk {
namespace {

std::string hex(Rgb c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
  return buf;
}

// The dash lengths of the platform's cosmetic pens, in pixels.
const char* dash_array(PenStyle style) {
  switch (style) {
    case PenStyle::Dash: return "18,6";
    case PenStyle::Dot: return "3,3";
    case PenStyle::DashDot: return "9,6,3,6";
    case PenStyle::DashDotDot: return "9,3,3,3,3,3";
    default: return nullptr;
  }
}

void append_escaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // Control characters are not allowed in XML 1.0.
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
    }
  }
}

// Pixel centres: a one-pixel stroke along x + 0.5 covers exactly column x.
std::string centre(int v) { return std::to_string(v) + ".5"; }

}  // namespace

SvgSurface::SvgSurface(Size size, int logpixels) : size_(size), dpi_(logpixels) {}

void SvgSurface::set_pen(const Pen& pen) { pen_ = pen; }

void SvgSurface::append_stroke_attributes(const Pen& pen) {
  if (pen.style == PenStyle::Null) {
    body_ += " stroke=\"none\"";
    return;
  }
  body_ += " stroke=\"" + hex(pen.colour) + "\"";
  const int width = std::max(1, pen.width);
  if (width != 1) body_ += " stroke-width=\"" + std::to_string(width) + "\"";
  if (const char* dashes = dash_array(pen.style)) {
    body_ += " stroke-dasharray=\"";
    body_ += dashes;
    body_ += "\"";
  }
}

void SvgSurface::flush_polyline() {
  if (polyline_.size() < 2) {
    polyline_.clear();
    return;
  }
  body_ += "<polyline fill=\"none\"";
  append_stroke_attributes(polyline_pen_);
  body_ += " points=\"";
  for (std::size_t i = 0; i < polyline_.size(); ++i) {
    if (i) body_ += ' ';
    body_ += centre(polyline_[i].x) + "," + centre(polyline_[i].y);
  }
  body_ += "\"/>\n";
  polyline_.clear();
}

void SvgSurface::line_to(Point p) {
  if (pen_.style != PenStyle::Null) {
    const bool continues =
        !polyline_.empty() && polyline_.back() == position_ && polyline_pen_ == pen_;
    if (!continues) {
      flush_polyline();
      polyline_pen_ = pen_;
      polyline_.push_back(position_);
    }
    polyline_.push_back(p);
  }
  position_ = p;
}

void SvgSurface::rectangle(const Rect& r) {
  flush_polyline();
  if (r.width() <= 0 || r.height() <= 0) return;
  if (!brush_.hollow) fill_rect(r, brush_.colour);
  if (pen_.style == PenStyle::Null) return;
  // The outline covers left..right-1 and top..bottom-1.
  body_ += "<rect fill=\"none\"";
  append_stroke_attributes(pen_);
  body_ += " x=\"" + centre(r.left) + "\" y=\"" + centre(r.top) + "\" width=\"" +
           std::to_string(r.width() - 1) + "\" height=\"" + std::to_string(r.height() - 1) +
           "\"/>\n";
}

void SvgSurface::fill_rect(const Rect& r, Rgb colour) {
  flush_polyline();
  if (r.width() <= 0 || r.height() <= 0) return;
  body_ += "<rect fill=\"" + hex(colour) + "\" x=\"" + std::to_string(r.left) + "\" y=\"" +
           std::to_string(r.top) + "\" width=\"" + std::to_string(r.width()) + "\" height=\"" +
           std::to_string(r.height()) + "\"/>\n";
}

void SvgSurface::polygon(std::span<const Point> points) {
  flush_polyline();
  if (points.empty()) return;
  body_ += "<polygon fill=\"";
  body_ += brush_.hollow ? "none" : hex(brush_.colour);
  body_ += "\"";
  append_stroke_attributes(pen_);
  body_ += " points=\"";
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i) body_ += ' ';
    body_ += centre(points[i].x) + "," + centre(points[i].y);
  }
  body_ += "\"/>\n";
}

Size SvgSurface::measure(std::string_view utf8) {
  return approximate_text_size(font_, dpi_, utf8);
}

void SvgSurface::text(Point at, std::string_view utf8) {
  flush_polyline();
  const Size box = measure(utf8);
  const int h = box.height;
  // Ascent and descent of a typical Japanese font: 88% and 12% of the height.
  const int ascent = h * 88 / 100;
  int left = at.x;
  if (align_.horizontal == HAlign::Center) left -= box.width / 2;
  if (align_.horizontal == HAlign::Right) left -= box.width;
  int top = at.y;
  if (align_.vertical == VAlign::Baseline) top -= ascent;
  if (align_.vertical == VAlign::Bottom) top -= h;

  const bool rotated = font_.escapement != 0;
  if (rotated) {
    // Escapement turns counter-clockwise about the reference point.
    char buf[96];
    std::snprintf(buf, sizeof buf, "<g transform=\"rotate(%g %d %d)\">\n",
                  -font_.escapement / 10.0, at.x, at.y);
    body_ += buf;
  }
  if (opaque_) {
    body_ += "<rect fill=\"" + hex(background_) + "\" x=\"" + std::to_string(left) + "\" y=\"" +
             std::to_string(top) + "\" width=\"" + std::to_string(box.width) + "\" height=\"" +
             std::to_string(h) + "\"/>\n";
  }
  body_ += "<text x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(top + ascent) +
           "\" font-family=\"";
  if (!font_.face.empty()) {
    append_escaped(body_, font_.face);
    body_ += ", ";
  }
  body_ += "IPAGothic, sans-serif\" font-size=\"" + std::to_string(h) + "\"";
  if (font_.weight >= 600) body_ += " font-weight=\"bold\"";
  if (font_.italic) body_ += " font-style=\"italic\"";
  if (font_.underline || font_.strike_out) {
    body_ += " text-decoration=\"";
    body_ += font_.underline ? "underline" : "";
    body_ += font_.underline && font_.strike_out ? " " : "";
    body_ += font_.strike_out ? "line-through" : "";
    body_ += "\"";
  }
  // The box is the approximate width: keep the text inside it.
  body_ += " textLength=\"" + std::to_string(box.width) + "\" lengthAdjust=\"spacingAndGlyphs\"";
  body_ += " fill=\"" + hex(text_colour_) + "\" xml:space=\"preserve\">";
  append_escaped(body_, utf8);
  body_ += "</text>\n";
  if (rotated) body_ += "</g>\n";
}

std::string SvgSurface::document() {
  flush_polyline();
  const std::string w = std::to_string(size_.width), h = std::to_string(size_.height);
  char inches[64];
  const double dpi = dpi_ > 0 ? dpi_ : 96;
  std::snprintf(inches, sizeof inches, "width=\"%gin\" height=\"%gin\"", size_.width / dpi,
                size_.height / dpi);
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" ";
  out += inches;
  out += " viewBox=\"0 0 " + w + " " + h + "\" shape-rendering=\"crispEdges\">\n";
  out += body_;
  out += "</svg>\n";
  return out;
}

}  // namespace vosk
