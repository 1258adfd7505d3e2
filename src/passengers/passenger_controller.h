#pragma once
// The passenger edit window without its widget: which pair is shown, the
// time and count scales, the mouse editing of the curve, the commands of
// the buttons, keys and menu, the copy buffer, the header texts and the
// drawing. The widget turns toolkit events into these calls.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/prompt.h"
#include "base/surface.h"
#include "datafiles/data_set.h"
#include "passengers/passenger_profile.h"

namespace vosk::passengers {

inline constexpr int kHeaderHeight = 100;  // the band of texts and buttons
inline constexpr int kBottomMargin = 20;   // below the zero line: the hour labels

inline constexpr double kScaleUp = 1.05;
inline constexpr double kScaleDown = 0.9523809523809523;  // 1 ÷ 1.05

// The time a click at x gives, rounded to the nearest 10 minutes.
int time_at(int x, int seconds_per_pixel, int left_time);

enum class PassengerCommand {
  NextFrom,        // button 発駅, F2
  NextTo,          // button 着駅
  Reverse,         // button 逆方向
  ScaleUp,         // ＋ beside the curve
  ScaleDown,       // －
  PerHourUp,       // F5
  PerHourDown,     // F6
  PerTrainUp,      // F7
  PerTrainDown,    // F8
  Earlier,         // Left arrow
  Later,           // Right arrow
  FewerPerPixel,   // Up arrow
  MorePerPixel,    // Down arrow
  ZoomIn,          // 横拡大
  ZoomOut,         // 横縮小
  ChooseStations,  // 発着駅選択: the widget's dialog, then choose_stations()
  Copy,            // コピー
  Paste,           // 貼り付け
};

enum class PassengerKey { F2, F5, F6, F7, F8, Left, Right, Up, Down, Other };

enum class Outcome {
  NotHandled,   // a key the window leaves to the main window
  Redraw,       // the view changed, or a refusal was told
  DataChanged,  // the dia changed: mark it modified, redraw the others too
};

struct HeaderButton {
  PassengerCommand command;
  const char* text;  // UTF-8
  Rect rect;
};

struct MenuEntry {
  PassengerCommand command;
  const char* text;  // UTF-8; the same in both languages
};

struct HeaderText {
  Point at;          // top-left
  std::string text;  // UTF-8
};

// What the window shows: the pair and the two scales.
struct PassengerView {
  int from = 0;  // 1 .. last station, 0 only without stations
  int to = 0;    // 0 = every other station
  int left_time = 21600;
  int seconds_per_pixel = 30;
  int passengers_per_pixel = 10;
  friend bool operator==(const PassengerView&, const PassengerView&) = default;
};

class PassengerController {
 public:
  explicit PassengerController(datafiles::DataSet& data);

  int from_station() const { return from_; }
  int to_station() const { return to_; }
  int left_time() const { return left_; }
  int seconds_per_pixel() const { return seconds_per_pixel_; }
  int passengers_per_pixel() const { return passengers_per_pixel_; }
  bool has_copy() const { return copy_.has_value(); }
  PassengerView view() const {
    return {from_, to_, left_, seconds_per_pixel_, passengers_per_pixel_};
  }
  // As given (tests, a restored window); data_changed() makes the pair valid.
  void set_view(const PassengerView& v) {
    from_ = v.from;
    to_ = v.to;
    left_ = v.left_time;
    seconds_per_pixel_ = v.seconds_per_pixel;
    passengers_per_pixel_ = v.passengers_per_pixel;
  }

  // The client area the mouse works in (its height places the zero line).
  void set_client_size(Size size) { client_ = size; }
  void set_font(const Font& font) { font_ = font; }

  Outcome run(PassengerCommand command, Prompt& prompt);
  Outcome key(PassengerKey key, Prompt& prompt);
  // The dialog's choice: from 1 .. last, to 0 .. last, different. False,
  // with nothing changed, for any other pair.
  bool choose_stations(int from, int to);

  // The (time, count) a click at `at` stands for; none in the header band.
  std::optional<ProfilePoint> point_at(Point at) const;
  // Left: sets the count at the click's time. Right: removes the point at
  // that time. True when the dia changed.
  bool left_click(Point at);
  bool right_click(Point at);

  // The data set changed outside the window: stations may be gone.
  void data_changed();

  static std::span<const HeaderButton> buttons();
  static std::span<const MenuEntry> menu();
  // Station names in the header and the dialog, UTF-8; "指定以外各駅" for 0.
  std::string station_name(int station) const;
  int station_count() const { return data_.map.stations.extent(); }
  std::vector<HeaderText> header_texts() const;

  void draw(Surface& surface);

 private:
  void draw_grid(Surface& s, Size area);
  void draw_curve(Surface& s, Size area, const Profile& profile, Rgb colour, bool circles);
  Point to_pixel(Size area, const ProfilePoint& p) const;
  map::Station* from_record();

  datafiles::DataSet& data_;
  int from_ = 0;
  int to_ = 0;
  int left_ = 21600;
  int seconds_per_pixel_ = 30;
  int passengers_per_pixel_ = 10;
  Size client_{700, 400};
  Font font_;
  std::optional<Profile> copy_;
};

}  // namespace vosk::passengers
