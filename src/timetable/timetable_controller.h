#pragma once
// The timetable window without its widget: the down and up tables of the
// current display target, their layout (runs as rows with stations from
// left to right, or runs as columns as printed), the hit test, the clicks
// and keys, and the drawing pass shared by the window and printed pages.
#include <optional>
#include <string>
#include <vector>

#include "base/prompt.h"
#include "base/surface.h"
#include "datafiles/data_set.h"
#include "dia/connection_search.h"
#include "timetable/page_breaks.h"
#include "timetable/timetable_model.h"
#include "timetable/timetable_settings.h"

namespace vosk::timetable {

enum class TimetableKey { Tab, Enter, Space, Escape, Left, Right, Up, Down, Digit, Other };

// What a slot of a run's lane holds: the header items, then one table row.
enum class SlotKind { TrainNumber, Type, Destination, Nickname, Remarks, Row };

struct Slot {
  SlotKind kind = SlotKind::Row;
  int row = -1;   // index into the table's rows for SlotKind::Row
  int start = 0;  // offset along the slot axis from the block's first slot
  int size = 0;
};

// Where a point lies in the tables.
struct TableHit {
  bool down = true;
  int run = 0;                    // 0: the station (label) lane
  int slot = -1;                  // index into the block's slots, -1 for the corner
  SlotKind kind = SlotKind::Row;  // of the slot
};

struct ClickResult {
  enum Kind { None, StationDialog, Selected, Information, TrackChange } kind = None;
  int target = 0;  // StationDialog; the selected cell's target otherwise
  int run = 0;
  int event = -1;  // TrackChange: the stop whose track changes
};

struct KeyResult {
  enum Kind { Ignored, Redraw, EditTime, DataChanged } kind = Ignored;
  int run = 0;
  int event = -1;  // EditTime: the event whose time is typed
};

// The selected cell: a run and, when a table cell was clicked, its target
// and row kind.
struct Selection {
  int run = 0;
  int target = 0;
  RowKind row = RowKind::Departure;
};

class TimetableController {
 public:
  TimetableController(datafiles::DataSet& data, TimetableFlags flags = {});

  const datafiles::DataSet& data() const { return data_; }
  TimetableFlags& flags() { return flags_; }
  const TimetableFlags& flags() const { return flags_; }
  const Timetables& tables() const { return tables_; }

  // Rebuilds the tables from the data set (Tab, a flag or the data changed).
  void rebuild();

  int display_target() const { return display_target_; }
  void set_display_target(int index);
  void next_display_target();
  void previous_display_target();
  // The window title with the display target's name, UTF-8: "時刻表ウインドウ"
  // (English "Timatable Window", the title as the program has always had it).
  std::string caption() const;
  void set_english(bool english) { english_ = english; }

  // 先着列車抽出: every run's marks are cleared, then the journeys from
  // target `from` to target `to` mark their runs. Returns the journeys found.
  int search_first_trains(int from, int to, dia::Progress& progress);
  // 基準駅設定: the running order is worked out again from `target` and the
  // tables rebuilt. False when the target is no stopping place.
  bool set_base_station(int target);

  // The fills: 0 the selected run, 1 first trains direct, 2 with a change.
  void set_fill(int entry, Rgb colour);
  Rgb fill(int entry) const { return fills_[entry >= 0 && entry < 3 ? entry : 0]; }
  void set_font(const Font& font) { font_ = font; }
  const Font& font() const { return font_; }

  // Runs as rows (the window's horizontal layout) or as columns; printing
  // forces columns.
  bool runs_as_rows() const { return flags_.x_axis && !printing_; }
  void set_printing(bool printing) { printing_ = printing; }

  // The layout a drawing pass starts with, for a plot of `plot_height`
  // pixels (it bounds the remarks block).
  void layout(Surface& surface, Size plot);
  // Total size of both tables at the last layout.
  Size extent() const;

  void draw(Surface& surface, Point origin = {0, 0});

  // Printed pages show `count` runs of each table from run `first` on, with
  // the station lane repeated; a count below 0 shows them all.
  void set_lane_window(int first, int count);
  // How many runs fit `width` beside the station lane, at least 1; and the
  // most runs a table has.
  int lanes_per_page(int width) const;
  int lane_count() const;
  // The strips of the last layout that pages `page_height` high show, each
  // ending at a row's edge (see page_bands).
  std::vector<PageBand> print_pages(int page_height) const;

  // Scrolling of the window's picture, in pixels.
  Point scroll() const { return scroll_; }
  void scroll_by(int dx, int dy);
  void set_scroll(Point at) { scroll_ = at; }

  const Selection& selection() const { return selection_; }
  void select_run(int run);
  void clear_selection() { selection_ = {}; }

  // Uses the layout of the last drawing pass; `at` is in window pixels.
  std::optional<TableHit> hit_test(Point at) const;
  ClickResult click(Point at);
  KeyResult key(TimetableKey key, Prompt& prompt);

  // The event of a run behind a cell: the first event at the target, or the
  // departure that follows its arrival there for a departure cell. -1 when
  // the run has no event there.
  int cell_event(int run, int target, RowKind row) const;

 private:
  struct Block {
    bool down = true;
    bool rows = false;  // runs as rows
    const Table* table = nullptr;
    Point origin;   // top left of the block, before scrolling
    int label = 0;  // thickness of the station lane
    int lane = 0;   // thickness of a run's lane
    std::vector<Slot> slots;
    int slots_size = 0;
    int first_lane = 0;  // the first run shown (pages)
    int lanes = 0;       // runs shown from it
    Rect rect() const;
  };

  Rect cell_rect(const Block& b, int lane, int slot) const;  // lane -1 = labels
  void draw_block(Surface& s, const Block& b, Point shift);
  void draw_slot_text(Surface& s, const Rect& r, const Slot& slot, int run);
  std::optional<Rgb> cell_fill(int run, const Block& b, const Slot& slot) const;
  int neighbour_run(int run, bool larger) const;

  datafiles::DataSet& data_;
  TimetableFlags flags_;
  Font font_;
  Rgb fills_[3] = {{192, 192, 192}, {135, 206, 235}, {255, 182, 193}};
  int display_target_ = 0;
  bool english_ = false;
  bool printing_ = false;
  Timetables tables_;
  std::vector<Block> blocks_;
  bool rows_layout_ = true;
  int title_height_ = 0;
  int margin_ = 1;
  int char_height_ = 12;
  Point scroll_;
  int window_first_ = 0, window_count_ = -1;
  Selection selection_;
};

}  // namespace vosk::timetable
