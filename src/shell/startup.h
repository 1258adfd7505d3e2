#pragma once
// Start-up and close as file operations over the program folder, for the
// window layer to call: everything the shell reads before its windows
// exist, and the one write at the end.
#include <string>

#include "shell/close_sequence.h"
#include "shell/folders.h"
#include "shell/home.h"
#include "shell/language.h"
#include "shell/settings.h"

namespace vosk::shell {

struct ShellStart {
  ProgramFiles files;
  LanguageChoice language;
  FolderTable folders;
  ShellSettings shell;
};

// In order: the language from Language.ini and the start locale; then from
// korv.ini the default font, the [Path] reset rule (korv.ini is saved
// at once when the rule wrote anything; a failed save is ignored and the
// next start tries again), the folder table, the main window placement,
// [Setting] and the line styles. Missing files give the defaults. A
// korv.ini that exists but cannot be read is never written over.
ShellStart start_shell(const std::string& program_folder, bool english_start_locale,
                       const MachineMemory& machine, const FolderCreator& create = create_folder);

// The close-time write: loads korv.ini as it is now, applies
// write_close_settings() and saves it once. False when it cannot be read
// (it is then left alone) or saved.
bool save_shell_at_close(const ProgramFiles& files, const ShellSettings& shell,
                         const CloseState& state, bool english_start_locale);

}  // namespace vosk::shell
