#pragma once
// Moving data sets between files and memory: open by file kind, save in
// place or under a new name, the save question, and the dia index file.
//
// Opening reads into a fresh DataSet and replaces the current one only when
// everything loaded, so a failed open leaves the open data set and its file
// names as they were. Saving builds the whole file in memory and replaces
// the target only once every byte is on disk.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/prompt.h"
#include "datafiles/bundle_writer.h"
#include "datafiles/data_set.h"
#include "datafiles/document_state.h"
#include "datafiles/signal_settings.h"
#include "shell/folders.h"
#include "shell/language.h"
#include "shell/message_ring.h"
#include "shell/texts.h"
#include "shell/warnings.h"

namespace vosk::datafiles {

// Places where a save can be made to fail on purpose, so that tests can
// walk the failure paths. The program itself never sets one.
struct SaveFaults {
  // Asked with each member's name as the bundle is written; true makes
  // writing that member fail.
  std::function<bool(std::string_view member)> fail_member;
};

// What the flows need from the running program. Optional parts may be null.
struct Session {
  Prompt& prompt;
  std::string program_folder;  // holds korv.ini, system_map.ini, old_map/
  shell::UiLanguage ui = shell::UiLanguage::Japanese;
  bool english_start_locale = false;
  shell::MessageRing* ring = nullptr;
  shell::WarningSettings* warnings = nullptr;   // reloaded from korv.ini at every open
  const shell::FolderTable* folders = nullptr;  // series pictures are looked up there
  const DisplayWindowSource* display_windows = nullptr;
  const SaveFaults* faults = nullptr;
  // The signal settings dialog for the conversion of an old map's aspects;
  // none accepts the proposed values as they are.
  const SignalSettingsDialog* signal_dialog = nullptr;
  StatusText status;  // status texts of long steps (the map checks)

  bool english() const { return ui == shell::UiLanguage::English; }
};

enum class OpenOutcome {
  Opened,
  Failed,
  Retry,  // the user asked to choose another file
};

// Opens `path` by its kind (.qvw/.qvb/.qve packed, .qvp bundle text, any
// other a header file whose members lie beside it). On success `current`
// holds the new data set and `state` names its files.
OpenOutcome open_data_set(const std::filesystem::path& path, DataSet& current,
                          DocumentState& state, Session& session);

// Reads a data set without touching any current state, for batch tools.
// Returns nullopt (after the messages) when it cannot be opened.
std::optional<DataSet> read_data_set(const std::filesystem::path& path, Session& session);

// The same for bundle text already in memory; `path` names it in messages.
std::optional<DataSet> read_data_set_text(std::string_view bundle_text,
                                          const std::filesystem::path& path, Session& session);

// Writes the data set to `target` in the form its extension asks for:
// packed for .qvw/.qvb/.qve, bundle text otherwise. A stack member in
// `options` makes it executed data.
bool write_data_set(const std::filesystem::path& target, DataSet& ds, Session& session,
                    const BundleWriteOptions& options);

// Save dia as: writes to `target` and updates the current file names by the
// target's kind. The edited flag is cleared only on success.
bool save_dia_as(const std::filesystem::path& target, DataSet& ds, DocumentState& state,
                 Session& session);

// Save dia: in place when the current dia file allows it, otherwise through
// `choose_target` (the save dialog; nullopt when cancelled).
bool save_dia(DataSet& ds, DocumentState& state, Session& session,
              const std::function<std::optional<std::filesystem::path>()>& choose_target);

// The save question before `next` replaces unsaved work. Yes runs `save_as`
// and asks again while the data set is still edited. True to proceed.
bool ask_save_question(DocumentState& state, Session& session, const shell::BilingualText& next,
                       const shell::BilingualText& caption, const std::function<void()>& save_as);

// Writes the dia index file section of an opened data set.
void write_dia_index(const std::filesystem::path& index_file, const std::string& file_title,
                     const Header& header);

}  // namespace vosk::datafiles
