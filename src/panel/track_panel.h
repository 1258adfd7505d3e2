#pragma once
// The track panel: the main window's client area and every display window.
// It lays the map out in display rows, paints it as a relay-interlocking
// panel and tells what lies under the mouse. The widget turns events into
// the calls below and copies the painted picture to the screen.
#include <optional>
#include <string>
#include <vector>

#include "base/prompt.h"
#include "base/surface.h"
#include "datafiles/data_set.h"
#include "panel/interlocking.h"
#include "panel/panel_view.h"
#include "panel/point_key_buffer.h"
#include "shell/busy_lock.h"
#include "shell/line_styles.h"

namespace vosk::panel {

// Row editing modes; they exclude each other.
enum class RowMode { Normal, Pause, Position };

// What a click hit, nearest first in the order levers, end buttons of
// levers, buttons, point symbols, station drawings.
struct PanelHit {
  enum Kind { None, Lever, LeverButton, Button, PointSymbol, StationDrawing };
  Kind kind = None;
  int record = 0;  // the lever, button, point or station drawing
  int rail = 0;    // the rail the lever or button belongs to
};

// What a click, a key or a menu command did: messages for the message
// window (each with a beep), whether the model changed (every window
// redraws), and what the window is asked to do next.
struct PanelResult {
  std::vector<std::string> messages;
  bool changed = false;
  int open_station_target = 0;         // the station dialog of this target
  int point_key_dialog = 0;            // the point key dialog of this point
  int rail_dialog = 0;                 // the rail property dialog of this rail
  int switch_on_run = 0;               // this point, on the dia edit window's run
  int raise_window = -1;               // this display window to the front
  std::optional<Point> new_window_at;  // a new display window centred here
};

// What the panel asks for while a point symbol move is armed.
inline constexpr const char* kPointMoveRequest = "ポイント記号の表示位置を、クリックして下さい。";

// One entry of a context menu; id 0 is a caption that cannot be chosen.
struct MenuEntry {
  int id = 0;
  std::string text;  // UTF-8
  bool enabled = true;
  bool checked = false;
  friend bool operator==(const MenuEntry&, const MenuEntry&) = default;
};

// The commands that rebuild or edit the display rows.
enum class RowCommand { AutoRow, ClearRow, AdjustSpan, RowPause, RowPosition };

// The panel's context-menu commands.
enum PanelCommand : int {
  kCmdSwitch = 1,  // 転換 / 正順転換
  kCmdSwitchBack,  // 逆順転換
  kCmdPointMode0,  // .. kCmdPointMode0 + 5: the six point modes
  kCmdPointNormal = kCmdPointMode0 + 6,
  kCmdPointKey,
  kCmdPointMove,
  kCmdReroute,
  kCmdLeverMode0,  // .. + 2: the three lever modes
  kCmdLeverNormal = kCmdLeverMode0 + 3,
  kCmdLeverShown,
  kCmdLeverButtonShown,
  kCmdButtonShown,
  kCmdNewWindowHere,
  kCmdRailProperties,  // the rail property dialog of the rail under the cursor
  kCmdToolBar,         // the window's row and zoom tools shown or hidden
};

class TrackPanel {
 public:
  // `styles`: the main window's line style entries; only their colours are used.
  TrackPanel(datafiles::DataSet& data, std::vector<shell::LineStyle> styles);

  PanelView& view() { return view_; }
  const PanelView& view() const { return view_; }

  // ---- Run-time state drawn but not stored ----
  // The train whose body covers a rail (0 none), and the aspect step of the
  // rail's signal (0 .. 1023). Sized for the map when the panel is made;
  // reset_run_state() again after a map change.
  void reset_run_state();
  void set_train_on_rail(int rail, int train);
  void set_aspect_step(int rail, int step);
  int train_on_rail(int rail) const;
  int aspect_step(int rail) const;

  // Pending interlocking state from clicks.
  void set_pending_start(int rail) { pending_start_ = rail; }
  int pending_start() const { return pending_start_; }
  void set_pending_symbol_move(int point) { pending_move_point_ = point; }
  int pending_symbol_move() const { return pending_move_point_; }

  // The time of day the clock shows; none draws no clock.
  void set_clock(std::optional<int> seconds) { clock_ = seconds; }

  // ---- Row commands ----
  void auto_row();
  void clear_row();
  void adjust_span();
  // Switches; turning one on turns the other off.
  void toggle_row_pause();
  void toggle_row_position();
  // A row command from the menu or the tool bar: refused, with the busy
  // window named through `prompt`, while another window holds the busy lock.
  // True when the command ran.
  bool row_command(RowCommand command, const shell::BusyLock& lock, Prompt& prompt);
  RowMode row_mode() const { return mode_; }
  int current_row() const { return current_row_; }
  // The status text of the row mode, UTF-8; in normal mode the point-symbol
  // move's request while one is armed, else empty.
  std::string status_text() const;
  // A click in a row mode (pixels); true when the mode took it.
  bool row_mode_click(Point at, bool right_button);
  // The break of the current row in panel units (the next row's start, or
  // the row's right end for the last row).
  int current_break() const;

  // Following a train: `at` is where the train is drawn now. Once it lies
  // more than a fifth of the window from the centre, the view scrolls by
  // whole 20-pixel steps to bring it back.
  void follow(Point at);

  // Zoom: ±64 on a scale factor, never below kMinScale.
  void zoom_x(int steps);
  void zoom_y(int steps);

  // ---- Drawing ----
  void draw(Surface& surface) const;
  // The window's picture: cleared to black, then painted.
  void redraw(Surface& surface) const;
  // The picture copy (F2): the whole map from offset 0 on a surface of
  // map_extent(); the view is left as it was.
  void paint_whole_map(Surface& surface);
  // The size of the whole map's picture at the view's scale, from offset 0:
  // the extent of every item rounded up to whole 20-pixel scroll steps.
  Size map_extent() const;

  // ---- Hit tests (pixels) ----
  PanelHit hit(Point at) const;
  // The drawn rail nearest to a pixel, within a few pixels of its line; 0
  // when none is that close. Rails are not operated by clicks, so they are
  // kept out of hit().
  int rail_at(Point at) const;

  // ---- Input ----
  // A left click at a pixel, `ctrl` when Ctrl is held. While another window
  // holds the busy lock the click only shows its refusal through `prompt`.
  PanelResult left_click(Point at, bool ctrl, const shell::BusyLock& lock, Prompt& prompt);
  PlacedTrains placed_trains() const;

  // A typed character (CP932 byte) for the point-key buffer; `dia_edit_open`
  // when the dia edit window shows a run.
  PanelResult key_typed(char c, bool ctrl, bool shift, bool dia_edit_open);
  PointKeyBuffer& key_buffer() { return keys_; }
  const PointKeyBuffer& key_buffer() const { return keys_; }

  // The context menu for a right click: selects what lies there.
  std::vector<MenuEntry> context_menu(Point at);
  // Forgets the pending start, the pending symbol move and the selections:
  // the panel closes or the data set was reloaded.
  void forget_interaction();
  PanelResult menu_command(int id, Prompt& prompt);

  // The colour a rail is drawn in.
  Rgb rail_colour(int rail) const;
  // The rail's base colour by signal aspect; `restricting_only` gives white
  // where the aspect allows the rail's own speed.
  Rgb aspect_colour(int rail, bool restricting_only) const;

 private:
  Rgb style_colour(int id) const;
  bool rows_ignored() const { return mode_ == RowMode::Pause; }
  Point at(int row, int x, int y) const;
  bool interlocking() const { return data_.header.map.use_interlocking != 0; }
  bool symbol_visible(int shown_flag) const;
  void scroll_to_panel_x(int x);

  void click_point(int point, bool ctrl, PanelResult& result);
  void click_lever(const PanelHit& hit, bool ctrl, PanelResult& result);
  void move_pending_symbol(Point at);
  void advance_point_mode(int point, PanelResult& result);

  void draw_guides(Surface& s) const;
  void draw_point_keys(Surface& s) const;
  void draw_jumps(Surface& s) const;
  void draw_station_drawings(Surface& s) const;
  // Each station drawing's rectangle in pixels and its station's short name.
  struct StationDrawing {
    Rect rect;
    std::string name;  // UTF-8
  };
  std::vector<StationDrawing> station_drawings() const;
  // The boxes the station names cover, centred in their drawings.
  std::vector<Rect> station_name_boxes(Surface& s) const;
  void draw_rails(Surface& s) const;
  void draw_trains(Surface& s) const;
  void draw_buttons(Surface& s) const;
  void draw_levers(Surface& s) const;
  void draw_lever(Surface& s, int rail, int lever) const;
  void draw_clock(Surface& s) const;

  bool occupied(int rail) const;  // a train on the rail or its twin
  Rgb interlocking_colour(int rail, Rgb colour) const;
  Rgb row_mode_colour(int rail) const;

  datafiles::DataSet& data_;
  std::vector<shell::LineStyle> styles_;
  PanelView view_;
  std::vector<int> train_on_rail_;
  std::vector<int> aspect_step_;
  int pending_start_ = 0;
  int pending_move_point_ = 0;
  std::optional<int> clock_;
  RowMode mode_ = RowMode::Normal;
  int current_row_ = 0;
  PointKeyBuffer keys_;
  // The right click's selections.
  int selected_point_ = 0;
  int selected_lever_rail_ = 0;
  int selected_end_button_rail_ = 0;
  int selected_button_rail_ = 0;
  int selected_rail_ = 0;
  Point menu_at_;
};

}  // namespace vosk::panel
