#include "stock/series_matching.h"

#include <algorithm>

#include "base/ini.h"
#include "stock/file_time.h"
#include "stock/performance_tables.h"
#include "stock/series_file_keys.h"

namespace vosk::stock {
namespace {

PerformanceTable table_rows(const std::filesystem::path& folder, const std::string& name,
                            TableKind kind) {
  if (name.empty()) return {};
  auto table = read_table_file(folder / name, kind);
  return table ? std::move(table->rows) : PerformanceTable{};
}

}  // namespace

SeriesFileIdentity read_identity(const std::filesystem::path& file) {
  const SeriesFileKeys& k = series_file_keys();
  const ini::Document doc = ini::Document::load_or_empty(file);
  SeriesFileIdentity id;
  id.file = file;
  id.short_name = doc.get_string(k.section, k.short_name, "", kShortNameBytes);
  id.name = doc.get_string(k.section, k.name, "", kNameBytes);
  id.cars = doc.get_int(k.section, k.cars, 0);
  id.time = file_time_of(file);
  id.acceleration_table = doc.get_string(k.section, k.acceleration_table, "", kNameBytes);
  id.curve_table = doc.get_string(k.section, k.curve_table, "", kNameBytes);
  return id;
}

bool matches(const Series& record, const SeriesFileIdentity& file, const StockFolders& folders,
             Match match) {
  if (file.short_name != record.short_name || file.name != record.name || file.cars != record.cars)
    return false;
  if (match == Match::IgnoringTime) return true;
  if (file.time != record.file_time) return false;
  if (record.characteristics != 1) return true;
  return table_rows(folders.acceleration, file.acceleration_table, TableKind::Acceleration) ==
             record.acceleration_table &&
         table_rows(folders.curve_limit, file.curve_table, TableKind::CurveLimit) ==
             record.curve_table;
}

std::vector<std::filesystem::path> series_files(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code type_ec;
    if (it->is_regular_file(type_ec)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
    return a.filename().native() < b.filename().native();
  });
  return files;
}

std::filesystem::path find_series_file(const Series& record, const StockFolders& folders,
                                       Match match) {
  for (const auto& file : series_files(folders.series))
    if (matches(record, read_identity(file), folders, match)) return file;
  return {};
}

int find_series_record(const SeriesTable& table, const SeriesFileIdentity& file,
                       const StockFolders& folders, Match match) {
  for (int n = 1; n <= table.extent(); ++n)
    if (matches(table[n], file, folders, match)) return n;
  return 0;
}

}  // namespace vosk::stock
