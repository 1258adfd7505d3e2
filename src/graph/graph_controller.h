#pragma once
// The train graph window without its widget: the time range and the plot
// rectangle, the vertical layout, the drawing pass shared by the window,
// printed pages and picture copies, the hit test, and the keys, wheel,
// zoom and scrolling. The widget turns toolkit events into these calls and
// copies the drawing to the screen.
#include <functional>
#include <optional>
#include <string>

#include "base/prompt.h"
#include "base/surface.h"
#include "datafiles/data_set.h"
#include "dia/dia_snapshot.h"
#include "graph/context_menu.h"
#include "graph/graph_settings.h"
#include "graph/time_axis.h"
#include "graph/vertical_layout.h"

namespace vosk::graph {

// Which page of how many a drawing pass makes; printing puts the page
// number into the title when there is more than one.
struct DrawPage {
  int index = 0;
  int count = 0;
  bool printing = false;
};

enum class GraphKey { Left, Right, Up, Down, Tab, Escape, Other };

struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
};

// The horizontal scroll bar works in minutes of the day.
enum class ScrollAction { LineLeft, LineRight, PageLeft, PageRight, Track, Top, Bottom };

struct ScrollBar {
  int min = 0;
  int max = 1680;
  int page = 60;     // minutes visible
  int position = 0;  // minutes at the left edge
};

struct PressResult {
  enum Kind { None, TracksToggled, Selected, TargetPicked, DragStarted } kind = None;
  int target = 0;       // TracksToggled, TargetPicked
  int diagram = 0;      // Selected
  std::string message;  // for the message window, UTF-8
};

class GraphController {
 public:
  explicit GraphController(datafiles::DataSet& data,
                           GraphSettings settings = default_graph_settings(GraphMode::Edit, false),
                           bool english = false);

  const datafiles::DataSet& data() const { return data_; }
  GraphSettings& settings() { return settings_; }
  const GraphSettings& settings() const { return settings_; }
  GraphMode mode() const { return mode_; }
  void set_mode(GraphMode mode);

  // The plot rectangle in surface pixels (the window's client area less its
  // margins, or a page's printable area).
  void set_plot(const Rect& plot);
  const Rect& plot() const { return plot_; }

  // The visible range; reversed times are swapped, a span below 60 s is
  // widened to 60 s.
  void set_time_range(int start, int end);
  int start_time() const { return start_; }
  int end_time() const { return end_; }

  // 0-based index into the display targets; changing it relayouts.
  int display_target() const { return display_target_; }
  void set_display_target(int index);
  void next_display_target();
  void previous_display_target();

  // Stations moved (data, track display, row spacing, title, margins).
  void mark_dirty() { dirty_ = true; }

  // The layout a drawing pass starts with: header, vertical positions (when
  // dirty), name column and grid intervals.
  void layout(Surface& surface);
  const VerticalLayout& vertical() const { return vertical_; }
  int name_column_width() const { return name_column_; }
  int header_height() const { return header_height_; }
  GridIntervals grid() const { return grid_; }
  TimeAxis axis() const;

  void draw(Surface& surface, const DrawPage& page = {});

  // "%s　%s": the window title and the current display target's name, UTF-8.
  std::string caption() const;

  int selected() const { return selected_; }
  void select(int diagram) { selected_ = diagram; }
  void clear_selection() { selected_ = 0; }

  // The shown run nearest the point, 0 when no run is shown. Uses the
  // layout of the last drawing pass.
  int hit_test(Point click) const;
  // Left button: in the name column toggles the track display of the
  // nearest place, elsewhere selects the run hit.
  // In display-target mode a press picks the place nearest in y instead.
  PressResult left_press(Point at);
  void right_press();
  // Right button outside display-target mode: the menu of the selected run,
  // or, with nothing selected, no menu and the run hit becomes selected.
  ContextMenu context_menu(Point at);

  // A press on the selected run grabs its fixed time nearest the press in
  // y (its start, or a departure after its own arrival); moving the mouse
  // shifts that time by whole time units and re-times what follows, leaving
  // the plot or the band of stations cancels. In display-target mode the
  // picked place follows the mouse and, on release, takes the distance that
  // puts it there. Release: true when the drag changed data.
  void drag_to(Point at);
  bool left_release(Point at, Prompt& prompt);
  bool stop_drag_active() const { return stop_drag_.has_value(); }
  int selected_target() const { return selected_target_; }
  // What a drag draws over the picture of the last full pass.
  void draw_drag_overlay(Surface& surface);
  // The dia as it was before the last completed stop drag, for the undo step.
  std::optional<dia::DiaSnapshot> take_undo_snapshot();
  // Runs made from a pattern are moved by re-applying their pattern at the
  // shifted start; the window supplies that operation (it needs the route
  // context). Without it such runs cannot be dragged.
  void set_pattern_shift(std::function<bool(int diagram, int start)> shift) {
    pattern_shift_ = std::move(shift);
  }

  // Keys the graph handles itself; true when it handled the key.
  bool key(GraphKey key, KeyModifiers mods, Prompt& prompt);
  // One wheel step: towards the user (> 0) the next display target, away
  // the previous; with Shift a page right or left.
  void wheel(int steps, bool shift);
  void scroll(ScrollAction action, int position = 0);
  ScrollBar scroll_bar() const;
  // New span := span × numerator ÷ denominator, at least 60 s; start stays.
  void zoom(int numerator, int denominator);
  // The 表示内容 menu's down and up trains: turning one off turns the other
  // on when it was off, so that some runs always show.
  void toggle_direction_shown(bool down);

  // platform_ratio ± step, not below the minimum; advises first when no
  // place shows its tracks.
  void change_platform_ratio(int delta, Prompt& prompt);

 private:
  void draw_grid(Surface& s, const TimeAxis& axis);
  void draw_station_lines(Surface& s, bool in_name_column);
  void draw_planned_dia(Surface& s, const TimeAxis& axis);
  void draw_titles(Surface& s, const TimeAxis& axis, const DrawPage& page);
  const shell::LineStyle& station_entry(int target) const;
  void styled_line(Surface& s, int entry, Point a, Point b) const;
  Font graph_font() const;
  bool right_down() const { return data_.header.map.right_down != 0; }
  void set_scroll_position(int minutes);
  int nearest_target(int y) const;
  bool begin_stop_drag(Point at);
  void move_stop_drag(Point at);
  void cancel_stop_drag();
  bool inside_drag_area(Point at) const;
  bool release_target_drag(Point at, Prompt& prompt);
  void draw_target_drag(Surface& surface);

  struct StopDrag {
    int diagram = 0;
    std::size_t event = 0;
    int begin_time = 0;  // the grabbed time when the drag began
    Point press;
    int band_top = 0, band_bottom = 0;  // first and last shown station lines
    dia::DiaSnapshot undo;
  };

  datafiles::DataSet& data_;
  GraphSettings settings_;
  bool english_ = false;
  GraphMode mode_ = GraphMode::Edit;
  Rect plot_{2, 2, 618, 478};
  int start_ = 21600;
  int end_ = 21600 + 3600;
  int display_target_ = 0;
  int selected_ = 0;
  int selected_target_ = 0;  // display-target mode
  bool dragging_ = false;
  int drag_y_ = 0;
  std::optional<StopDrag> stop_drag_;
  std::optional<dia::DiaSnapshot> undo_;
  std::function<bool(int, int)> pattern_shift_;
  bool dirty_ = true;
  VerticalLayout vertical_;
  int name_column_ = 0;
  int header_height_ = 0;
  GridIntervals grid_;
};

}  // namespace vosk::graph
