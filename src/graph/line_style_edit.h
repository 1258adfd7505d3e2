#pragma once
// The line style dialog ("線種・配色設定") without its widgets: it edits
// copies of a window's line style entries, offers the styles and widths a
// line may take, and draws the preview of the selected entry. OK hands the
// copies back; the window stores them and redraws.
#include <span>
#include <string>
#include <vector>

#include "base/surface.h"
#include "shell/line_styles.h"

namespace vosk::graph {

// The styles offered, in radio button order: 実線, 破線, 点線, 一点鎖線.
inline constexpr int kLineStyleChoices = 4;

// The widths offered, in 1/1000 point (0.10 .. 5.00 points).
std::span<const int> line_width_choices();
// "%4.2lf" of the width in points.
std::string line_width_label(int point_width);
// The list row of a width, -1 when the stored width is none of them.
int line_width_row(int point_width);

class LineStyleEdit {
 public:
  explicit LineStyleEdit(std::vector<shell::LineStyle> entries);

  const std::vector<shell::LineStyle>& entries() const { return entries_; }
  int count() const { return static_cast<int>(entries_.size()); }
  // 0-based entry; nullptr when out of range.
  const shell::LineStyle* entry(int index) const;
  // Only line entries (ForLine 1) take a style and width; any entry a
  // colour. Values outside the offered choices are ignored.
  void set_pen_style(int index, int style);
  void set_point_width(int index, int point_width);
  void set_colour(int index, Rgb colour);

  // OK: the copies replace `stored`; true when anything differs.
  bool commit(std::vector<shell::LineStyle>& stored) const;

 private:
  shell::LineStyle* editable(int index);

  std::vector<shell::LineStyle> entries_;
};

// The preview box: white, with a line entry drawn across its middle in its
// style, colour and width, or filled with a fill entry's colour.
void draw_line_style_preview(Surface& surface, const shell::LineStyle& entry, const Rect& box);

}  // namespace vosk::graph
