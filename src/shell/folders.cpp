#include "shell/folders.h"

#include <filesystem>
#include <system_error>

namespace vosk::shell {
namespace {

// The folders that end with '/', with their names under the program folder,
// in the order they are written.
struct FixedFolder {
  const char* key;
  const char* name;
  bool created;
};
constexpr FixedFolder kFixedFolders[] = {
    {"SystemMap", "/system_map/", false},   {"DataQvb", "/dia_data/", true},
    {"DataQvm", "/map_data/", true},        {"DataQvw", "/qvw_data/", true},
    {"DataSeries", "/series_data/", false}, {"DataLog", "/log_data/", true},
    {"SystemTemp", "/temp/", true},         {"SoundWarning", "/sound/warning/", true},
};

std::string stored(const ini::Document& settings, const char* key) {
  return settings.find(kPathSection, key).value_or("");
}

// Step 2 for one key: keep a non-empty value unless the folder moved.
std::string check_user_folder(ini::Document& settings, const char* key, const std::string& fallback,
                              bool moved, const FolderCreator& create, bool& wrote) {
  std::string value = stored(settings, key);
  if (!value.empty() && !moved) return value;
  settings.set_string(kPathSection, key, fallback);
  create(fallback);
  wrote = true;
  return fallback;
}

}  // namespace

void create_folder(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
}

bool reset_folders(ini::Document& settings, const std::string& program_folder,
                   const FolderCreator& create) {
  const std::string& home = program_folder;
  auto current = settings.find(kPathSection, "CurrentPath");
  const bool moved = !current || *current != home;
  bool wrote = false;

  if (moved) {
    settings.set_string(kPathSection, "CurrentPath", home);
    for (const FixedFolder& f : kFixedFolders)
      settings.set_string(kPathSection, f.key, home + f.name);
    for (const FixedFolder& f : kFixedFolders)
      if (f.created) create(home + f.name);
    wrote = true;
  }

  check_user_folder(settings, "ExportHtml", home + "/export_html", moved, create, wrote);
  check_user_folder(settings, "ExportWdia", home + "/export_dia", moved, create, wrote);
  std::string table = check_user_folder(settings, "Table", home + "/table", moved, create, wrote);
  check_user_folder(settings, "Acceleration", table + "/acceleration", moved, create, wrote);
  check_user_folder(settings, "CurveLimit", table + "/curve_limit", moved, create, wrote);
  return wrote;
}

FolderTable read_folder_table(const ini::Document& settings) {
  FolderTable t;
  t.system_map = stored(settings, "SystemMap");
  t.data_qvb = stored(settings, "DataQvb");
  t.data_qvm = stored(settings, "DataQvm");
  t.data_qvw = stored(settings, "DataQvw");
  t.data_series = stored(settings, "DataSeries");
  t.data_log = stored(settings, "DataLog");
  t.system_temp = stored(settings, "SystemTemp");
  t.sound_warning = stored(settings, "SoundWarning");
  t.export_html = stored(settings, "ExportHtml");
  t.export_wdia = stored(settings, "ExportWdia");
  t.table = stored(settings, "Table");
  t.acceleration = stored(settings, "Acceleration");
  t.curve_limit = stored(settings, "CurveLimit");
  t.load_wdia = stored(settings, "LoadWdia");
  return t;
}

}  // namespace vosk::shell
