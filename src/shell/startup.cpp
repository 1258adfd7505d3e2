#include "shell/startup.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace vosk::shell {
namespace {

// The settings file as it is on disk: empty when missing, nullopt when it
// exists but cannot be read. Saving over an unreadable file would lose the
// keys the program only carries through, so such a file is never written.
std::optional<ini::Document> load_existing(const std::string& file) {
  if (auto doc = ini::Document::load(file)) return doc;
  std::error_code ec;
  if (std::filesystem::exists(file, ec) || ec) return std::nullopt;
  return ini::Document{};
}

}  // namespace

ShellStart start_shell(const std::string& program_folder, bool english_start_locale,
                       const MachineMemory& machine, const FolderCreator& create) {
  ShellStart start;
  start.files = ProgramFiles::under(program_folder);
  start.language = choose_language(english_start_locale,
                                   ini::Document::load_or_empty(start.files.language_file));
  std::optional<ini::Document> on_disk = load_existing(start.files.settings_file);
  const bool writable = on_disk.has_value();
  ini::Document settings_file = writable ? std::move(*on_disk) : ini::Document{};
  if (reset_folders(settings_file, program_folder, create) && writable)
    settings_file.save(start.files.settings_file);
  start.folders = read_folder_table(settings_file);
  start.shell = read_shell_settings(settings_file, english_start_locale, machine);
  return start;
}

bool save_shell_at_close(const ProgramFiles& files, const ShellSettings& shell,
                         const CloseState& state, bool english_start_locale) {
  std::optional<ini::Document> settings_file = load_existing(files.settings_file);
  if (!settings_file) return false;
  write_close_settings(*settings_file, shell, state, english_start_locale);
  return settings_file->save(files.settings_file);
}

}  // namespace vosk::shell
