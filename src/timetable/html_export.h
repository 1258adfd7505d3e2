#pragma once
// Station timetables as HTML (駅時刻表出力): one file per target and
// direction listing the departures by hour, and the output dialog's
// settings and checks.
#include <filesystem>
#include <string>
#include <vector>

#include "base/ini.h"
#include "base/prompt.h"
#include "timetable/timetable_model.h"

namespace vosk::timetable {

// Where a label stands beside the minutes.
enum LabelPos : int { kNone = 0, kAbove = 1, kBelow = 2, kLeft = 3, kRight = 4 };

struct HtmlOptions {
  bool detailed = false;  // DoubleTable: a table per hour, first trains as backgrounds
  bool small_type = true;
  bool small_for = true;
  int type_pos = kNone;
  int for_pos = kNone;
  // Backgrounds of the first-train marks: direct (1), with a change (2, 3).
  Colour direct{135, 206, 235};
  Colour change{255, 182, 193};
};

struct Departure {
  int run = 0;
  int time = 0;  // after the day wrap
};

// The runs of `runs` that stop at a target (their first stop there), by
// time then run number: indexed by target.
std::vector<std::vector<Departure>> departures_by_target(const datafiles::DataSet& ds,
                                                         const std::vector<int>& runs);
std::vector<Departure> departures_at(const datafiles::DataSet& ds, const std::vector<int>& runs,
                                     int target);

// The whole file's text (CP932, LF line ends).
std::string station_html(const datafiles::DataSet& ds, int target, bool down,
                         const std::vector<Departure>& departures, const HtmlOptions& options);

// "%s（下り）.htm" / "%s（上り）.htm" of the target's name, in UTF-8.
std::string html_file_name(const datafiles::DataSet& ds, int target, bool down);

struct ExportResult {
  bool ok = true;
  int files = 0;
};

// Down, then up: a file for every station of each table. Stops at the first
// file that cannot be written, telling the user; earlier files stay.
ExportResult export_station_html(const datafiles::DataSet& ds, const Timetables& tables,
                                 const std::filesystem::path& folder, const HtmlOptions& options,
                                 Prompt& prompt);

// The output dialog's values.
struct ExportDialog {
  std::string folder;  // UTF-8
  HtmlOptions options;
};

// Section "StationTimeTable" of the settings file.
HtmlOptions read_export_settings(const ini::Document& settings);
void write_export_settings(const HtmlOptions& options, ini::Document& settings);

// The checks of 出力: the trailing separator goes, labels above or below are
// refused without the detailed form, and a missing folder is created once
// the user agrees. False when the export must not run.
bool accept_export_dialog(ExportDialog& dialog, Prompt& prompt);

}  // namespace vosk::timetable
