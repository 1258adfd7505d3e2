#include "stock/series_operations.h"

#include <climits>

#include "base/format.h"
#include "base/ini.h"
#include "base/sjis.h"
#include "stock/series_matching.h"
#include "stock/series_pictures.h"

namespace vosk::stock {
namespace {

constexpr const char* kCannotDispose = "処分不可能データ";
constexpr const char* kReloadCaption = "形式情報更新";
// Records below this version lack the electrification and timing fields.
constexpr int kOperatingFieldsVersion = 1110;

int add_sets(int owned, int sets) {
  long long sum = static_cast<long long>(owned) + sets;
  return sum > INT_MAX ? INT_MAX : static_cast<int>(sum);
}

}  // namespace

int introduce_series(SeriesTable& table, const std::filesystem::path& file, int sets,
                     const StockFolders& folders, const MapSeriesSettings& map, Prompt& prompt) {
  if (sets < 1) return 0;
  int n = find_series_record(table, read_identity(file), folders, Match::Exact);
  if (n != 0) {
    table[n].owned = add_sets(table[n].owned, sets);
  } else {
    if (table.extent() >= kSeriesCapacity) {
      prompt.tell(caption::kOperationError, "これ以上は追加できません。");
      return 0;
    }
    auto series = read_series_file(file, folders, map, prompt);
    if (!series) return 0;
    series->owned = sets;
    n = table.extent() + 1;
    table.grow_to(n) = std::move(*series);
  }
  report_missing_pictures(table[n], folders, prompt);
  return n;
}

bool dispose_series(SeriesTable& table, int n, int sets, std::span<const SpeedTypeRef> speed_types,
                    Prompt& prompt) {
  if (!table.names_record(n)) return false;
  Series& s = table[n];
  if (s.owned == 0) {
    prompt.tell(caption::kOperationError, "この形式は所有されていません。");
    return false;
  }
  if (sets < 1 || sets > s.owned) return false;
  // Sets that units use cannot go: refused whenever fewer than `used` would
  // remain, which includes every disposal once used >= owned.
  if (s.owned - sets < s.used) {
    prompt.tell(kCannotDispose, "この形式は列車に使用されているため、処分できません。");
    return false;
  }
  if (sets == s.owned) {
    for (const SpeedTypeRef& speed_type : speed_types) {
      if (speed_type.measuring_series != n) continue;
      prompt.tell(kCannotDispose,
                  format("この形式は速度種別%sの計測用形式データに指定されているため、"
                         "処分できません。\n",
                         sjis::to_utf8_lossy(speed_type.name).c_str()));
      return false;
    }
  }
  s.owned -= sets;
  return true;
}

void set_used_counts(SeriesTable& table, std::span<const int> unit_series) {
  for (Series& s : table) s.used = 0;
  for (int n : unit_series)
    if (table.names_record(n)) ++table[n].used;
}

ReloadOutcome reload_series(SeriesTable& table, int n, const StockFolders& folders,
                            const MapSeriesSettings& map, Prompt& prompt) {
  if (!table.names_record(n)) return {};
  std::filesystem::path file = find_series_file(table[n], folders, Match::IgnoringTime);
  if (file.empty()) {
    prompt.tell(kReloadCaption, "再読込可能な形式情報ファイルは見つかりませんでした。\n");
    return {ReloadResult::NotFound, 0};
  }
  SeriesFileIdentity identity = read_identity(file);
  for (int m = 1; m <= table.extent(); ++m) {
    if (m == n || !matches(table[m], identity, folders, Match::Exact)) continue;
    table[m].owned = add_sets(table[m].owned, table[n].owned);
    table[m].used += table[n].used;
    table[n].owned = 0;
    table[n].used = 0;
    return {ReloadResult::Merged, m};
  }
  auto series = read_series_file(file, folders, map, prompt);
  if (!series) return {ReloadResult::Failed, 0};
  series->owned = table[n].owned;
  series->used = table[n].used;
  table[n] = std::move(*series);
  return {ReloadResult::Reread, 0};
}

int upgrade_old_series(SeriesTable& table, const StockFolders& folders) {
  int upgraded = 0;
  for (int n = 1; n <= table.extent(); ++n) {
    Series& s = table[n];
    if (s.version >= kOperatingFieldsVersion) continue;
    std::filesystem::path file = find_series_file(s, folders, Match::IgnoringTime);
    if (file.empty()) continue;
    read_operating_fields(ini::Document::load_or_empty(file), s);
    s.version = kSeriesVersion;
    ++upgraded;
  }
  return upgraded;
}

}  // namespace vosk::stock
