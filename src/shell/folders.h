#pragma once
// The folder table: section [Path] of korv.ini.
//
// The eight folders SystemMap ... SoundWarning end with '/'; CurrentPath and
// the five folders ExportHtml ... CurveLimit do not, and code that appends a
// file name to those adds the separator itself. The table is read once at
// start-up, after the reset rule, and every path the program composes comes
// from it, never from the file.
#include <functional>
#include <string>

#include "base/ini.h"

namespace vosk::shell {

struct FolderTable {
  std::string system_map;     // SystemMap
  std::string data_qvb;       // DataQvb
  std::string data_qvm;       // DataQvm
  std::string data_qvw;       // DataQvw
  std::string data_series;    // DataSeries
  std::string data_log;       // DataLog
  std::string system_temp;    // SystemTemp: where bundles are unpacked
  std::string sound_warning;  // SoundWarning
  std::string export_html;    // ExportHtml
  std::string export_wdia;    // ExportWdia
  std::string table;          // Table
  std::string acceleration;   // Acceleration, normally below Table
  std::string curve_limit;    // CurveLimit, normally below Table
  std::string load_wdia;      // LoadWdia: last folder of the WinDIA import dialog
};

inline constexpr const char* kPathSection = "Path";

// Creates one folder; failures are the callee's to ignore.
using FolderCreator = std::function<void(const std::string& folder)>;

// Creates the folder and any missing parents, ignoring failures.
void create_folder(const std::string& folder);

// The reset rule, in its fixed order:
// 1. When [Path] CurrentPath is not byte-for-byte `program_folder` (a missing
//    key counts as different), CurrentPath and the eight folders SystemMap ...
//    SoundWarning are rewritten under `program_folder`, and dia_data,
//    map_data, qvw_data, log_data, temp and sound/warning are created
//    (system_map and series_data are not).
// 2. ExportHtml, ExportWdia, Table, Acceleration, CurveLimit, in that order,
//    are rewritten and created when empty or when step 1 found a different
//    CurrentPath; Acceleration and CurveLimit go below the Table value that
//    results from Table's own check.
// Returns true when anything was written to `settings`.
bool reset_folders(ini::Document& settings, const std::string& program_folder,
                   const FolderCreator& create);

// The folder table as stored (values kept whole, not cut to a buffer size).
FolderTable read_folder_table(const ini::Document& settings);

}  // namespace vosk::shell
