#pragma once
// The display part of the header member: [表示設定] and the sixteen
// "DisplayWindow%02d" sections. They belong to the data set, but only the
// track panel understands them; until a panel exists they are carried and
// written back as read.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/csv.h"
#include "base/ini.h"

namespace vosk::datafiles {

inline constexpr int kDisplayWindowCount = 16;

struct DisplaySettings {
  int font_size_mode = 0;
  int scale_x = 4096;  // 4096 = 1:1
  int scale_y = 4096;
};

// One "DisplayWindow%02d" section as read: whether the window was open and,
// for an open window, its lines exactly as they stood (without the Open key,
// blank lines and line ends).
struct DisplayWindowSection {
  bool open = false;
  std::vector<std::string> lines;
};

using DisplayWindowSections = std::array<DisplayWindowSection, kDisplayWindowCount>;

// "DisplayWindow%02d"
std::string display_window_section_name(int index);

DisplaySettings read_display_settings(const ini::Document& doc);

// Reads every display window section of the header text. `doc` is the same
// text parsed, used for the Open value so that it follows the profile rules.
DisplayWindowSections read_display_windows(std::string_view header_text, const ini::Document& doc);

// ---- Lines of an open track panel window, for a panel that supplies them ----

struct WindowRect {
  long left = 0;
  long top = 0;
  long right = 0;
  long bottom = 0;
};

// The window's font record; which face key is written depends on the start locale.
struct DisplayFont {
  std::string face_name;  // CP932
  int point_size = 9;
  int height = -12;
  int weight = 400;
  int italic = 0;
  int underline = 0;
  int strike_out = 0;
};

struct DisplayWindowView {
  std::optional<WindowRect> position;  // none while minimised or maximised
  int view_type = 0;
  int view_for = 0;
  bool smart_view = false;
  bool track_view = false;
  int rail_view = 0;
  bool route_view = false;
  bool board_view = false;
  bool flattery_view = false;
  int inter_view = 0;
  bool view_image16 = false;
  int clock_position = 0;
  bool view_tool_bar = true;
  DisplayFont font;
  int scale_x = 4096;
  int scale_y = 4096;
  int scroll_pos_x = 0;
  int scroll_pos_y = 0;
  int flattery_train = 0;
};

// Implemented by the track panel once it exists: the header writer then
// takes the display part from the live windows instead of what was read.
class DisplayWindowSource {
 public:
  virtual ~DisplayWindowSource() = default;
  virtual DisplaySettings display_settings() const = 0;
  // Window `index` (0 .. 15) when it is open, nullopt when it is closed.
  virtual std::optional<DisplayWindowView> open_window(int index) const = 0;
};

// Appends the lines of one open window (without "Open=1" and the blank line).
void write_display_window_lines(csv::Writer& out, const DisplayWindowView& view,
                                bool english_start_locale);

}  // namespace vosk::datafiles
