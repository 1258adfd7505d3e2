#pragma once
// The process-wide shell state the editor's windows share: what start-up
// read from the program folder, and the models created before any window.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/ini.h"
#include "shell/busy_lock.h"
#include "shell/message_ring.h"
#include "shell/popup_warnings.h"
#include "shell/startup.h"
#include "shell/warnings.h"

namespace vosk::ui {

struct EditorState {
  shell::ShellStart start;     // program files, language, folders, settings
  std::string command_text;    // the start command, scanned on the first tick
  shell::MessageRing messages;
  shell::BusyLock busy;
  shell::WarningSettings warnings;
  shell::PopupWarnings popups;
  // The operating clock, seconds after midnight; warnings at a new clock
  // time start a fresh popup list. No simulation runs here, so it stays 0.
  int clock_time = 0;
  bool ready = false;          // timer work may run
  bool startup_done = false;   // the first-tick work has run

  bool english() const { return start.language.ui == shell::UiLanguage::English; }
  shell::UiLanguage ui() const { return start.language.ui; }
  shell::ShellSettings& shell() { return start.shell; }
  shell::Settings& settings() { return start.shell.settings; }
};

// A dialog or message box of the main window, or a modal operation that
// shows them: holds the busy lock for the main window and keeps the timer
// work out (ready flag clear) for its lifetime.
class ModalScope {
 public:
  explicit ModalScope(EditorState& state)
      : busy_(state.busy, shell::BusyState::MainWindow), ready_(state.ready), was_ready_(state.ready) {
    ready_ = false;
  }
  ~ModalScope() { ready_ = was_ready_; }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  shell::BusyScope busy_;
  bool& ready_;
  bool was_ready_;
};

// Start-up up to the windows: the program folder (`--home DIR`, else the
// usual places), the language, and everything korv.ini holds. `arguments`
// are the program's arguments without its name. nullopt with `error` set
// when the program folder cannot be found or created.
std::optional<EditorState> prepare_editor_state(const std::vector<std::string>& arguments,
                                                std::string* error);

// Changes one part of korv.ini on disk at once: loads it as it is now,
// applies `change` and saves it when `change` returns true. A file that
// exists but cannot be read is left alone. Windows use it for their own
// sections (placements, warning settings, the last import folder) while the
// program runs. True when saved.
bool update_settings_file(const shell::ProgramFiles& files,
                          const std::function<bool(ini::Document&)>& change);

}  // namespace vosk::ui
