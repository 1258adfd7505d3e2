#pragma once
// Series files: INI-form text files in the series folder, every key in the
// section "形式情報". Integer and text keys follow the profile rules; the real
// coefficients go through the series files' own section parser
// (real_section.h). Accelerations and brakes are in 1/100 km/h/s there and
// become 1/1024 km/h/s in the record.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/ini.h"
#include "base/prompt.h"
#include "stock/series.h"

namespace vosk::stock {

// The folders series work needs, from the folder table and the program folder.
struct StockFolders {
  std::filesystem::path series;        // DataSeries
  std::filesystem::path acceleration;  // Acceleration (table files)
  std::filesystem::path curve_limit;   // CurveLimit (table files)
  std::filesystem::path image;         // <program folder>/image: pictures
  std::filesystem::path image16;       // <program folder>/image16: icons
};

// The map settings (header [マップ]) that series checks depend on.
struct MapSeriesSettings {
  int signal_version = 0;           // SignalVersion
  int handle_atc = 360;             // HandleATC, 1/100 km/h/s
  bool use_characteristic = false;  // UseCharacteristic
};

// What a series file holds, before validation: accelerations still in
// 1/100 km/h/s, no tables, no file time.
struct SeriesFileContent {
  Series series;
  std::string acceleration_table;  // file names in the table folders, CP932
  std::string curve_table;
};

// `text` is the whole file in text mode.
SeriesFileContent parse_series_file(std::string_view text);

// The first failed check of a record holding 1/100 km/h/s values, as the
// message text (caption "データエラー"), or nullopt when it passes.
std::optional<std::string> check_series_values(const Series& s, const MapSeriesSettings& map);

// value × 1024 / 100, truncated toward zero, held in the int range.
int per100_to_1024(int value);
// Converts the acceleration and the five brakes.
void convert_to_1024(Series& s);

// Reads, checks and converts a series file (version 1220, tables loaded, file
// time set). A table file that cannot be opened is reported and left empty.
// A failed check is shown with caption "データエラー" and gives nullopt.
std::optional<Series> read_series_file(const std::filesystem::path& file,
                                       const StockFolders& folders, const MapSeriesSettings& map,
                                       Prompt& prompt);

// The electrification flags, gauge and nine standard times of a series file,
// with their defaults: the fields that old records take again from the file.
void read_operating_fields(const ini::Document& doc, Series& s);

}  // namespace vosk::stock
