#include "shell/close_sequence.h"

#include "shell/texts.h"

namespace vosk::shell {
namespace {

constexpr const char* kOpenKey = "open";

}  // namespace

ShellSettings read_shell_settings(const ini::Document& settings_file, bool english_start_locale,
                                  const MachineMemory& machine) {
  ShellSettings s;
  s.default_font =
      load_font_record(settings_file, kDefaultFontSection,
                       default_font_record(english_start_locale), english_start_locale);
  s.main_window = read_placement(settings_file, kMainWindowSection, kMainWindowDefault);
  s.settings = read_settings(settings_file, machine);
  s.line_styles = builtin_main_window_line_styles();
  load_line_styles(settings_file, kMainWindowLinePrefix, s.line_styles);
  s.start_windows.train_graph = settings_file.get_int(kTrainGraphWindowSection, kOpenKey, 1) != 0;
  s.start_windows.timetable = settings_file.get_int(kTimetableWindowSection, kOpenKey, 1) != 0;
  s.start_windows.message = settings_file.get_int(kMessageWindowSection, kOpenKey, 1) != 0;
  return s;
}

void write_close_settings(ini::Document& settings_file, const ShellSettings& shell,
                          const CloseState& state, bool english_start_locale) {
  settings_file.set_string(kBackupSection, "qvb", "");
  settings_file.set_string(kBackupSection, "stack", "");
  settings_file.set_flag(kTrainGraphWindowSection, kOpenKey, state.train_graph_exists);
  settings_file.set_flag(kTimetableWindowSection, kOpenKey, state.timetable_exists);
  settings_file.set_flag(kMessageWindowSection, kOpenKey, state.message_exists);
  settings_file.set_flag(kDiaEditWindowSection, kOpenKey, state.dia_edit_exists);
  write_placement(settings_file, kMainWindowSection, state.main_window, state.minimised,
                  state.maximised);
  write_settings(settings_file, shell.settings);
  save_line_styles(settings_file, kMainWindowLinePrefix, shell.line_styles);
  save_font_record(settings_file, kDefaultFontSection, shell.default_font, english_start_locale);
}

bool may_close(const BusyLock& busy, Prompt& prompt, UiLanguage ui,
               const SaveQuestion& save_question) {
  if (!busy.check(prompt)) return false;
  return save_question(text::kQuit.pick(ui), text::kQuitCaption.pick(ui));
}

}  // namespace vosk::shell
