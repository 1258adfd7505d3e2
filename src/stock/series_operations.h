#pragma once
// Changes to the dia's series table. Each operation checks first and changes
// the table only when it succeeds; failures are shown through the prompt with
// their exact texts and captions.
#include <filesystem>
#include <span>
#include <string>

#include "base/prompt.h"
#include "stock/series.h"
#include "stock/series_file.h"

namespace vosk::stock {

// Shown while old records are upgraded.
inline constexpr const char* kUpgradeStatusText = "形式データバージョンアップ中";

// Introduces `sets` (>= 1) train sets of the series in `file` ("導入"): a
// record that matches the file exactly gains them; otherwise the file is read
// into the next record number. Afterwards missing pictures are reported.
// Returns the record number, or 0 when nothing changed.
int introduce_series(SeriesTable& table, const std::filesystem::path& file, int sets,
                     const StockFolders& folders, const MapSeriesSettings& map, Prompt& prompt);

// A speed type as disposal sees it: the series it measures with and its name.
struct SpeedTypeRef {
  int measuring_series = 0;
  std::string name;  // CP932
};

// Disposes of `sets` (1 .. owned) train sets of series `n` ("処分"). The
// used counts must be current (set_used_counts). True when done.
bool dispose_series(SeriesTable& table, int n, int sets, std::span<const SpeedTypeRef> speed_types,
                    Prompt& prompt);

// Sets every record's used count from the series number of each unit.
void set_used_counts(SeriesTable& table, std::span<const int> unit_series);

enum class ReloadResult { NotFound, Failed, Reread, Merged };
struct ReloadOutcome {
  ReloadResult result = ReloadResult::NotFound;
  // For Merged: the record that now holds the selected record's train sets.
  // The caller moves every reference to the selected record (units, speed
  // types' measuring series) to this one.
  int merged_into = 0;
};

// Reloads series `n` from its series file ("形式情報更新"), found without
// comparing file times.
ReloadOutcome reload_series(SeriesTable& table, int n, const StockFolders& folders,
                            const MapSeriesSettings& map, Prompt& prompt);

// Records of versions below 1110 found in the series folder (ignoring file
// times) become version 1220 and take their electrification flags, gauge and
// standard times from the file. Returns how many were upgraded.
int upgrade_old_series(SeriesTable& table, const StockFolders& folders);

}  // namespace vosk::stock
