#include "graph/line_style_edit.h"

#include <algorithm>
#include <iterator>

#include "dia/train_type.h"

namespace vosk::graph {
namespace {

bool same(const shell::LineStyle& a, const shell::LineStyle& b) {
  return a.id == b.id && a.for_line == b.for_line && a.pen_style == b.pen_style &&
         a.point_width == b.point_width && a.red == b.red && a.green == b.green &&
         a.blue == b.blue && a.item_name == b.item_name;
}

constexpr Rgb kWhite{255, 255, 255};

}  // namespace

// The same widths the train types offer for their lines.
std::span<const int> line_width_choices() { return dia::kLineWidths; }

std::string line_width_label(int point_width) { return dia::line_width_text(point_width); }

int line_width_row(int point_width) {
  const std::span<const int> widths = line_width_choices();
  const auto it = std::find(widths.begin(), widths.end(), point_width);
  return it == widths.end() ? -1 : static_cast<int>(std::distance(widths.begin(), it));
}

LineStyleEdit::LineStyleEdit(std::vector<shell::LineStyle> entries)
    : entries_(std::move(entries)) {}

const shell::LineStyle* LineStyleEdit::entry(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return &entries_[static_cast<std::size_t>(index)];
}

shell::LineStyle* LineStyleEdit::editable(int index) {
  if (index < 0 || index >= count()) return nullptr;
  return &entries_[static_cast<std::size_t>(index)];
}

void LineStyleEdit::set_pen_style(int index, int style) {
  shell::LineStyle* e = editable(index);
  if (e == nullptr || e->for_line == 0 || style < 0 || style >= kLineStyleChoices) return;
  e->pen_style = style;
}

void LineStyleEdit::set_point_width(int index, int point_width) {
  shell::LineStyle* e = editable(index);
  if (e == nullptr || e->for_line == 0 || line_width_row(point_width) < 0) return;
  e->point_width = point_width;
}

void LineStyleEdit::set_colour(int index, Rgb colour) {
  shell::LineStyle* e = editable(index);
  if (e == nullptr) return;
  e->red = colour.r;
  e->green = colour.g;
  e->blue = colour.b;
}

bool LineStyleEdit::commit(std::vector<shell::LineStyle>& stored) const {
  const bool changed =
      !std::equal(entries_.begin(), entries_.end(), stored.begin(), stored.end(), same);
  if (changed) stored = entries_;
  return changed;
}

void draw_line_style_preview(Surface& surface, const shell::LineStyle& entry, const Rect& box) {
  const Rgb colour{entry.red, entry.green, entry.blue};
  if (entry.for_line == 0) {
    surface.fill_rect(box, colour);
    return;
  }
  surface.fill_rect(box, kWhite);
  // A thick line grows right and down from its stroke; start it so that it
  // stays inside the box, centred in height.
  const int n = points_to_pixels(entry.point_width, surface.logpixelsy());
  const int grow = std::max(0, n - 1);
  const int y = box.top + (box.height() - grow) / 2;
  draw_thick_line(surface, {box.left, y}, {box.right - grow, y},
                  pen_style_from_int(entry.pen_style), colour, n);
}

}  // namespace vosk::graph
