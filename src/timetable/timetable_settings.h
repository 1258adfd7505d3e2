#pragma once
// The timetable window's view flags, kept in section "VOSKTimeTableWindow"
// of the settings file beside the window rectangle.
#include "base/ini.h"
#include "timetable/timetable_model.h"

namespace vosk::timetable {

inline constexpr const char* kTimetableSection = "VOSKTimeTableWindow";

struct TimetableFlags {
  bool view_down = true;
  bool view_up = true;
  bool suspense = true;  // ViewSuspense: written only, starts on
  bool coupled = false;  // ViewDouble: written only, starts off
  bool pass = false;
  bool seconds = false;
  bool colons = false;
  bool sphere = false;  // kept for the file; nothing shows it
  bool deadhead = false;
  bool title = true;
  bool train_name = true;
  bool type = true;
  bool for_name = true;
  bool nickname = true;
  bool remark = true;
  bool x_axis = true;  // ViewXAxis: runs as rows, stations from left to right
  bool tool_bar = true;

  TableView table_view() const { return {suspense, coupled, deadhead, pass, seconds, colons}; }
};

// ViewSuspense and ViewDouble are not read back: a window starts with every
// unit-less run shown and coupled runs hidden.
TimetableFlags read_timetable_flags(const ini::Document& settings);
void write_timetable_flags(const TimetableFlags& flags, ini::Document& settings);

}  // namespace vosk::timetable
