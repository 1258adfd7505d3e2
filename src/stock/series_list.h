#pragma once
// The series list window's content: one entry per file of the series folder,
// with the information lines it shows and the dia's ownership of it.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "stock/series.h"
#include "stock/series_file.h"

namespace vosk::stock {

struct SeriesListEntry {
  std::filesystem::path file;
  std::string title;               // "形式名" of the file, UTF-8
  std::vector<std::string> lines;  // "形式：%s" ... "走行特性シミュレート：…", UTF-8
  int record = 0;                  // the dia's record of this file (exact match), 0: none
  // The record that came from this file, also when the file changed since
  // (matched without file times): the one 形式情報更新 brings up to date.
  int reloadable_record = 0;
  std::string ownership;           // "%d編成  使用：%d／所有：%d" or "未導入", UTF-8
};

struct SeriesList {
  std::vector<SeriesListEntry> entries;
  // A refusal to show instead (caption "データエラー"): the folder cannot be
  // opened, or holds no series file.
  std::optional<std::string> error;
};

// The used counts of `table` must be current.
SeriesList list_series(const SeriesTable& table, const StockFolders& folders);

// The information lines of one series file (its values as the file holds them).
std::vector<std::string> series_info_lines(const std::filesystem::path& file);

// The ownership line of record n, "未導入" for 0 or an unowned record.
std::string ownership_text(const SeriesTable& table, int n);

// Shown when the chosen entry's file has gone since the list was made.
inline constexpr const char* kSeriesFileGone = "形式情報ファイルが見つかりません。再読込を行って下さい。";

}  // namespace vosk::stock
