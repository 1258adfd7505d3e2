#include "ui/editor_state.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "shell/command_line.h"
#include "shell/home.h"
#include "shell/language.h"
#include "shell/settings.h"

namespace vosk::ui {

std::optional<EditorState> prepare_editor_state(const std::vector<std::string>& arguments,
                                                std::string* error) {
  const shell::StartArguments split = shell::split_home_argument(arguments);
  const std::optional<std::string> home = shell::locate_home(split.home, error);
  if (!home) return std::nullopt;
  const bool english_start =
      shell::english_start_locale(std::getenv("LC_ALL"), std::getenv("LANG"));
  EditorState state;
  state.start = shell::start_shell(*home, english_start, shell::read_machine_memory());
  state.command_text = shell::command_text_from_arguments(split.rest);
  return state;
}

bool update_settings_file(const shell::ProgramFiles& files,
                          const std::function<bool(ini::Document&)>& change) {
  std::optional<ini::Document> doc = ini::Document::load(files.settings_file);
  if (!doc) {
    std::error_code ec;
    if (std::filesystem::exists(files.settings_file, ec) || ec) return false;
    doc = ini::Document{};
  }
  return change(*doc) && doc->save(files.settings_file);
}

}  // namespace vosk::ui
