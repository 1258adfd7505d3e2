#pragma once
// What the editor knows about the data set it holds: the current files, the
// edited flag, the loaded data version, and the main window title built
// from them.
#include <filesystem>
#include <string>

#include "datafiles/header_model.h"

namespace vosk::datafiles {

struct DocumentState {
  std::filesystem::path dia_path;       // .qvb or .qvw; empty when none
  std::filesystem::path executed_path;  // .qve; empty when none
  std::string file_title;               // opened file's name without folder and extension
  int loaded_version = 0;
  bool edited = false;
  bool data_loaded = false;

  // An in-place save is possible only for a current dia file of the version
  // this program writes; otherwise saving asks for a name. While executed
  // data is open the dia path still names the dia opened before it, whose
  // contents the executed data would replace, so saving asks then too.
  bool can_save_in_place() const {
    return !dia_path.empty() && executed_path.empty() && loaded_version == kFormatVersion;
  }
  void forget_files() {
    dia_path.clear();
    executed_path.clear();
  }
};

// The main window title. `dia_title` is CP932 (the header's DiaTitle);
// `speed` above 1 adds the speed mark. Returns UTF-8.
std::string window_title(const std::string& app_title, const std::string& dia_title,
                         const DocumentState& state, bool english, int speed = 1);

// The title while a point key is typed on the track panel; `clock` is empty
// or the current time text (shown while the alternate working set is active).
std::string point_key_title(const std::string& clock, const std::string& typed_key);

}  // namespace vosk::datafiles
