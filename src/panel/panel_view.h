#pragma once
// What one track panel window shows and how: its scale and scroll, its
// display settings from the data set's header, and the conversion of item
// positions (row, x, y) into window pixels.
#include <optional>

#include "base/surface.h"
#include "datafiles/data_set.h"

namespace vosk::panel {

struct PanelView {
  int scale_x = 4096;  // 4096 = one map unit per pixel
  int scale_y = 4096;
  // Window pixels added to every position: minus the scroll position.
  int offset_x = 0;
  int offset_y = 0;
  Size window{1280, 720};
  int rail_view = 0;       // 0 aspects, 1 aspects only where they restrict, 2 occupancy
  int inter_view = 0;      // 0 no levers or buttons, 1 all, 2 those whose symbol is shown
  int clock_position = 0;  // 0 none, 1..4 top left, top right, bottom left, bottom right
  int rail_thickness = 2;  // pixels, at least 1
  bool tool_bar = true;    // ViewToolBar: the window's row and zoom tools shown
  Font font;
};

// The smallest scale factor zooming out leaves.
inline constexpr int kMinScale = 64;
inline constexpr int kZoomStep = 64;

// Rails are as thick as two map units at the window's vertical scale, and at
// least one pixel.
int rail_thickness_for(int scale_y);

// Panel units (row origin and shift applied) to window pixels.
inline int pixel_x(const PanelView& v, int panel_x) {
  return mul_div(panel_x, v.scale_x, 4096) + v.offset_x;
}
inline int pixel_y(const PanelView& v, int panel_y) {
  return mul_div(panel_y, v.scale_y, 4096) + v.offset_y;
}
// Window pixels back to panel units (scroll removed).
int panel_x_of(const PanelView& v, int px);
int panel_y_of(const PanelView& v, int py);

// Where an item at (x, y) of `row` is drawn. Row 0 (and a row the table does
// not have) places the item at its own panel position; so does
// `rows_ignored`, set while the row breaks are being edited.
Point item_pixel(const datafiles::MapTables& map, const PanelView& v, int row, int x, int y,
                 bool rows_ignored);

// The settings of display window `window` (0 = the main window's panel) as
// the header carries them; a window without stored lines gets the defaults
// and the data set's display scale.
PanelView window_view(const datafiles::Header& header, int window);

// Whether display window `window`'s section in the header has `key`; the
// window's own settings in korv.ini stand in for the keys it lacks.
bool window_section_has(const datafiles::Header& header, int window, const char* key);

// Where a display window's section places it on the screen (the defaults
// when it stores no placement).
datafiles::WindowRect window_placement(const datafiles::Header& header, int window);

// The lines a window writes back on save: the keys its section carried, with
// what the window shows now (scale, scroll, colouring, clock, tool bar,
// placement, none while minimised or maximised) laid over them. The font
// record is written as carried until the window's font is changed.
datafiles::DisplayWindowView window_lines(const datafiles::DisplayWindowSection& carried,
                                          const PanelView& view,
                                          std::optional<datafiles::WindowRect> placement);

// One scroll step of a panel window, in pixels; scroll positions are stored
// in steps.
inline constexpr int kScrollStep = 20;

}  // namespace vosk::panel
