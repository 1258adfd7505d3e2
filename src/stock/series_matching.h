#pragma once
// Which series file a record came from, and which record a file gave.
//
// A file matches a record when its 略記, 形式名 and 両数 equal the record's
// short name, name and cars. An exact match also needs the file's last-write
// time to equal the record's file time to the second and, for a record with
// running characteristics, the file's two tables to hold exactly the
// record's rows.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "stock/series.h"
#include "stock/series_file.h"

namespace vosk::stock {

enum class Match { IgnoringTime, Exact };

struct SeriesFileIdentity {
  std::filesystem::path file;
  std::string short_name;  // CP932, cut as the record's fields are
  std::string name;
  int cars = 0;
  std::optional<FileTime> time;    // nullopt when the file cannot be examined
  std::string acceleration_table;  // table file names, CP932
  std::string curve_table;
};

SeriesFileIdentity read_identity(const std::filesystem::path& file);

// Table files are read from the folders only for an exact match of a record
// with running characteristics; one that cannot be opened counts as empty.
bool matches(const Series& record, const SeriesFileIdentity& file, const StockFolders& folders,
             Match match);

// The regular files of the series folder, in name order; empty when the
// folder cannot be read.
std::vector<std::filesystem::path> series_files(const std::filesystem::path& folder);

// First file of the series folder that matches, or an empty path.
std::filesystem::path find_series_file(const Series& record, const StockFolders& folders,
                                       Match match);

// First record 1 .. extent that matches the file, or 0.
int find_series_record(const SeriesTable& table, const SeriesFileIdentity& file,
                       const StockFolders& folders, Match match);

}  // namespace vosk::stock
