#pragma once
// The picture of the dia edit window as a display list: grounds, lines and
// texts with the cells a click can hit. One layout pass serves both the
// drawing and the hit test, so that what is clicked is what was drawn.
#include <cstddef>
#include <string>
#include <vector>

#include "base/surface.h"
#include "datafiles/data_set.h"

namespace vosk::diaedit {

// What a click on a cell asks for.
enum class CellAction {
  PatternInfo,       // the header's pattern label
  PatternDetails,    // 詳細
  PatternSwitch,     // 切替
  PatternRelease,    // 解除
  CoupledRun,        // a run named on a coupling line
  TimeCell,          // a stop's time (± one unit) or a point's cell (switch it)
  TimeInput,         // 入力
  Pass,              // 通
  Stop,              // 発
  ArrivalDeparture,  // 着
  StopNoPassengers,  // the second 着
  Terminate,         // 終
  EventDetail,       // 基
};

struct Cell {
  Rect rect;
  CellAction action = CellAction::EventDetail;
  int diagram = 0;  // CoupledRun
  int event = -1;   // index into the edited run's events
};

struct Paint {
  enum Kind { Fill, Line, Text } kind = Fill;
  Rect rect;   // Fill; Line from (left, top) to (right, top)
  Point at;    // Text, top left
  Rgb colour;  // fill, line or text colour
  std::string text;  // UTF-8
};

struct LayoutInput {
  int diagram = 0;
  bool detail_time = false;  // point events with their times
  bool detail_dia = false;   // a run made from a pattern shows its full table
  int scroll = 0;            // pixels scrolled down
  Size client;
  Font font;
  // Rails where the last check found a platform conflict (drawn red).
  const std::vector<int>* conflict_rails = nullptr;
};

struct Layout {
  std::vector<Paint> paints;
  std::vector<Cell> cells;
  // y bounds of the blocks, in client pixels (after scrolling).
  int edited_top = 0;     // the edited run's block begins (below: previous run)
  int edited_bottom = 0;  // and ends (from here on: the next runs)
  int table_top = 0;
  int row_height = 0;
  std::vector<int> column_x;  // left edges: rail, time, 入力, mark, then the six cells, and the end
  // Each drawn event: its index and its row's top.
  std::vector<std::pair<std::size_t, int>> event_rows;
  int previous_run = 0;
  int content_height = 0;  // of everything laid out, unscrolled
};

// Font heights of the size steps 1 (最小) to 5 (最大).
int font_pixels_for_step(int step);

Rgb grey_ground();

// Measures with `surface` (its font is set to input.font).
Layout lay_out(const datafiles::DataSet& data, const LayoutInput& input, Surface& surface);

// Replays the display list.
void paint(const Layout& layout, const Font& font, Surface& surface);

// The cell under a point, nullptr for none.
const Cell* cell_at(const Layout& layout, Point p);

// "%2d:%02d:%02d".
std::string time_text(int t);

}  // namespace vosk::diaedit
