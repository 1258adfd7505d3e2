#pragma once
// The series operations (導入, 処分, 形式情報更新) over a whole data set: the
// map settings they check against come from the header, the used counts
// from the units, and a merged record's references move with it.
#include <filesystem>
#include <string>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "shell/folders.h"
#include "stock/series_file.h"
#include "stock/series_operations.h"

namespace vosk::datafiles {

stock::StockFolders stock_folders(const shell::FolderTable& folders,
                                  const std::string& program_folder);
stock::MapSeriesSettings map_series_settings(const Header& header);

// Brings every series' used count up to date with the units.
void count_series_use(DataSet& ds);

// The record number, 0 when nothing changed.
int introduce_series(DataSet& ds, const std::filesystem::path& file, int sets,
                     const stock::StockFolders& folders, Prompt& prompt);
// Disposes of `sets` train sets of record n (0: a file not introduced);
// a count beyond the owned sets is refused rather than ignored.
bool dispose_series(DataSet& ds, int n, int sets, Prompt& prompt);
// On a merge the units and the speed types' measuring series that named
// record n name the record it merged into.
stock::ReloadOutcome reload_series(DataSet& ds, int n, const stock::StockFolders& folders,
                                   Prompt& prompt);

}  // namespace vosk::datafiles
