#pragma once
// The settings the shell reads from korv.ini at start-up and writes back
// when the main window closes, and the close sequence itself.
//
// Close, in order:
//   1. may_close(): a held busy lock refuses with its message; then the save
//      question (quit text and caption in the UI language); Cancel stays.
//   2. The caller stops the main timer and clears its ready flag.
//   3. write_close_settings() on korv.ini loaded afresh (other windows and
//      the backup code write their own sections while the program runs),
//      then one save; then the main window is destroyed.
#include <functional>
#include <string>
#include <vector>

#include "base/ini.h"
#include "base/prompt.h"
#include "shell/busy_lock.h"
#include "shell/font_record.h"
#include "shell/language.h"
#include "shell/line_styles.h"
#include "shell/settings.h"
#include "shell/window_placement.h"

namespace vosk::shell {

// Window sections whose `open` key the shell owns.
inline constexpr const char* kTrainGraphWindowSection = "VOSKDiaGramWindow";
inline constexpr const char* kTimetableWindowSection = "VOSKTimeTableWindow";
inline constexpr const char* kMessageWindowSection = "VOSKMsgWindow";
inline constexpr const char* kDiaEditWindowSection = "VOSKDiaEditWindow";
inline constexpr const char* kBackupSection = "BackupFile";

// Which windows to open at start-up, in this order (default: all three).
// The dia edit window's key is written at close but never read.
struct StartWindows {
  bool train_graph = true;
  bool timetable = true;
  bool message = true;
};

struct ShellSettings {
  FontRecord default_font;
  Rect main_window = kMainWindowDefault;  // as stored; see keep_on_screen()
  Settings settings;
  std::vector<LineStyle> line_styles;  // the 22 main window entries
  StartWindows start_windows;
};

// Reads DefaultFont, the main window placement, [Setting], the 22 main
// window line style sections and the three `open` keys; every missing key
// gives its default.
ShellSettings read_shell_settings(const ini::Document& settings_file, bool english_start_locale,
                                  const MachineMemory& machine);

// The main window and its children as they are when the program closes.
struct CloseState {
  bool train_graph_exists = false;
  bool timetable_exists = false;
  bool message_exists = false;
  bool dia_edit_exists = false;
  Rect main_window;
  bool minimised = false;
  bool maximised = false;
};

// Writes, in this order: [BackupFile] qvb and stack emptied (a normal end
// leaves no backup to recover); the four `open` flags; the main window
// placement unless minimised or maximised; every [Setting] key in table
// order; the 22 line style sections; DefaultFont. Other sections and keys
// keep their bytes.
void write_close_settings(ini::Document& settings_file, const ShellSettings& shell,
                          const CloseState& state, bool english_start_locale);

// The save question of the open/save flow: (text, caption) -> proceed.
// It returns false when the user cancels.
using SaveQuestion = std::function<bool(const std::string& text, const std::string& caption)>;

// Step 1 of the close: true when the program may close.
bool may_close(const BusyLock& busy, Prompt& prompt, UiLanguage ui,
               const SaveQuestion& save_question);

}  // namespace vosk::shell
