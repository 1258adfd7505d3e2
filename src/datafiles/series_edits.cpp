#include "datafiles/series_edits.h"

#include <vector>

namespace vosk::datafiles {

stock::StockFolders stock_folders(const shell::FolderTable& folders,
                                  const std::string& program_folder) {
  stock::StockFolders f;
  f.series = folders.data_series;
  f.acceleration = folders.acceleration;
  f.curve_limit = folders.curve_limit;
  f.image = program_folder + "/image";
  f.image16 = program_folder + "/image16";
  return f;
}

stock::MapSeriesSettings map_series_settings(const Header& header) {
  return {header.map.signal_version, header.map.handle_atc, header.map.use_characteristic != 0};
}

void count_series_use(DataSet& ds) {
  std::vector<int> unit_series;
  for (int u = 1; u <= ds.dia.units.extent(); ++u) unit_series.push_back(ds.dia.units[u].series);
  stock::set_used_counts(ds.series, unit_series);
}

int introduce_series(DataSet& ds, const std::filesystem::path& file, int sets,
                     const stock::StockFolders& folders, Prompt& prompt) {
  int n = stock::introduce_series(ds.series, file, sets, folders,
                                  map_series_settings(ds.header), prompt);
  count_series_use(ds);
  return n;
}

bool dispose_series(DataSet& ds, int n, int sets, Prompt& prompt) {
  count_series_use(ds);
  // A file the dia has no record of is a series it does not own.
  if (!ds.series.names_record(n) || ds.series[n].owned == 0) {
    prompt.tell(caption::kOperationError, "この形式は所有されていません。");
    return false;
  }
  if (sets < 1 || sets > ds.series[n].owned) {
    prompt.tell(caption::kOperationError, "処分する編成数が所有数を超えています。\n");
    return false;
  }
  std::vector<stock::SpeedTypeRef> speed_types;
  const dia::SpeedTypeTable& table = ds.classification.speed_types;
  for (int s = 1; s <= table.extent(); ++s) {
    speed_types.push_back({table[s].measuring_series, table[s].name});
  }
  return stock::dispose_series(ds.series, n, sets, speed_types, prompt);
}

stock::ReloadOutcome reload_series(DataSet& ds, int n, const stock::StockFolders& folders,
                                   Prompt& prompt) {
  count_series_use(ds);
  stock::ReloadOutcome outcome =
      stock::reload_series(ds.series, n, folders, map_series_settings(ds.header), prompt);
  if (outcome.result == stock::ReloadResult::Merged) {
    const int to = outcome.merged_into;
    for (dia::Unit& u : ds.dia.units) {
      if (u.series == n) u.series = to;
    }
    for (dia::SpeedType& s : ds.classification.speed_types) {
      if (s.measuring_series == n) s.measuring_series = to;
    }
    count_series_use(ds);
  }
  return outcome;
}

}  // namespace vosk::datafiles
