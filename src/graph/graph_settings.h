#pragma once
// What the train graph window keeps per mode in the settings file: the view
// flags, the track row spacing, the visible span, the graph font and the
// eight line style entries; and the three page settings (display, copy,
// print). Values here are the defaults a missing key falls back on.
#include <string>
#include <vector>

#include "shell/font_record.h"
#include "shell/line_styles.h"

namespace vosk::graph {

enum class GraphMode : int { Operation = 0, Edit = 1, Print = 2, DisplayTarget = 3 };

// The line style entries of the graph, by number.
enum LineEntry : int {
  kMajorTimeLine = 0,
  kMinorTimeLine = 1,
  kMainStationLine = 2,
  kOrdinaryStationLine = 3,
  kMainStationSelected = 4,
  kOrdinaryStationSelected = 5,
  kMainStationUnselected = 6,
  kOrdinaryStationUnselected = 7,
  kLineEntryCount = 8,
};

struct ViewFlags {
  bool flattery = false;        // auto-follow
  bool timelocal_view = true;   // planned dia (計画ダイヤ)
  bool timereal_view = false;   // actual dia (実績ダイヤ)
  bool view_down = true;        // ViewDown
  bool view_up = true;          // ViewUp
  bool view_active = true;      // runs with a working (運用指定列車)
  bool view_suspense = true;    // runs without a working (運用未指定列車)
  bool view_double = true;      // coupled runs (併結列車)
  bool view_pass = false;       // pass events drawn
  bool view_title = true;       // ViewTitle
  bool view_train_name = true;  // ViewTrainName
  bool view_nickname = true;    // ViewNickName
  bool view_toolbar = true;     // ViewToolBar
  int view_type = 0;            // train type in labels: 0 none, 1 letter, 2 short name, 3 name
  int view_for = 0;             // destination in labels: 0 none, 1 one character, 2 short, 3 name
};

struct GraphSettings {
  ViewFlags view;
  int platform_ratio = 10;  // track row spacing, thousandths of the distance span
  int time_scale = 3600;    // visible span, seconds
  shell::FontRecord font;
  std::vector<shell::LineStyle> line_styles;  // kLineEntryCount entries
};

inline constexpr int kPlatformRatioStep = 4;
inline constexpr int kMinPlatformRatio = 2;

// The settings of a mode before anything is read: operation mode follows
// the clock and shows the actual dia, every other mode starts with both off.
GraphSettings default_graph_settings(GraphMode mode, bool english_start_locale);

// The eight entries of the graph (ItemName texts in CP932).
std::vector<shell::LineStyle> default_graph_line_styles();

enum class PageUse { Display, Copy, Print };

// One use of the page-setting dialog. Margins are pixels, except for print
// where they are millimetres.
struct PageSettings {
  int margin_left = 2, margin_right = 2, margin_top = 2, margin_bottom = 2;
  int type = 0;           // copy: 0 bitmap, 1 enhanced metafile
  int time_left = 21600;  // the dia clock's default, 6:00
  int time_right = 21600 + 3600;
  int page_size = 1;           // number of pages (print)
  int size_x = 0, size_y = 0;  // 0: the window's client size
};

PageSettings default_page_settings(PageUse use);

}  // namespace vosk::graph
