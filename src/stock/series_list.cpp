#include "stock/series_list.h"

#include <system_error>

#include "base/format.h"
#include "base/ini.h"
#include "base/sjis.h"
#include "stock/series_file_keys.h"
#include "stock/series_matching.h"

namespace vosk::stock {
namespace {

std::string utf8(std::string_view cp932) { return sjis::to_utf8_lossy(cp932); }

// Keys the list shows that series reading does not use.
std::string info_key(const char* utf8_key) { return sjis::from_utf8_lossy(utf8_key); }

}  // namespace

std::vector<std::string> series_info_lines(const std::filesystem::path& file) {
  const ini::Document doc = ini::Document::load_or_empty(file);
  const SeriesFileKeys& k = series_file_keys();
  auto text = [&](const std::string& key) {
    return utf8(doc.find(k.section, key).value_or(std::string()));
  };
  auto rate = [&](const std::string& key) { return doc.get_int(k.section, key, 0) / 100.0; };
  std::vector<std::string> lines;
  lines.push_back("形式：" + text(k.name));
  lines.push_back("用途：" + text(info_key("用途")));
  lines.push_back("客室：" + text(info_key("客室")));
  lines.push_back("制御方式：" + text(info_key("制御方式")));
  lines.push_back("両数：" + text(k.cars) + "両");
  lines.push_back("定員：" + text(k.capacity) + "人");
  lines.push_back("最大乗車率：" + text(k.max_load) + "％");
  lines.push_back("最高速：" + text(k.max_speed) + "km/h");
  lines.push_back(format("加速度：%0.2fkm/h/s", rate(k.acceleration)));
  const char* brakes[] = {"常用ブレーキ１段", "常用ブレーキ２段", "常用ブレーキ３段"};
  for (std::size_t i = 0; i < 3; ++i) {
    lines.push_back(format("%s：%0.2fkm/h/s", brakes[i], rate(k.service_brake[i])));
  }
  lines.push_back(format("ＡＴＣブレーキ：%0.2fkm/h/s", rate(k.atc_brake)));
  lines.push_back(format("非常ブレーキ：%0.2fkm/h/s", rate(k.emergency_brake)));
  lines.push_back(doc.get_int(k.section, k.characteristics, 0) == 1
                      ? "走行特性シミュレート：対応"
                      : "走行特性シミュレート：非対応");
  return lines;
}

std::string ownership_text(const SeriesTable& table, int n) {
  if (!table.names_record(n) || table[n].owned <= 0) return "未導入";
  const Series& s = table[n];
  return format("%d編成  使用：%d／所有：%d", s.owned, s.used, s.owned);
}

SeriesList list_series(const SeriesTable& table, const StockFolders& folders) {
  SeriesList list;
  std::error_code ec;
  if (!std::filesystem::is_directory(folders.series, ec)) {
    list.error = "形式データのフォルダ\n" + folders.series.string() + "\nが開けませんでした。";
    return list;
  }
  const SeriesFileKeys& k = series_file_keys();
  for (const std::filesystem::path& file : series_files(folders.series)) {
    const ini::Document doc = ini::Document::load_or_empty(file);
    if (!doc.has_section(k.section)) continue;  // not a series file
    SeriesListEntry entry;
    entry.file = file;
    entry.title = utf8(doc.find(k.section, k.name).value_or(std::string()));
    entry.lines = series_info_lines(file);
    const SeriesFileIdentity identity = read_identity(file);
    entry.record = find_series_record(table, identity, folders, Match::Exact);
    entry.reloadable_record =
        entry.record != 0 ? entry.record
                          : find_series_record(table, identity, folders, Match::IgnoringTime);
    entry.ownership = ownership_text(table, entry.record);
    list.entries.push_back(std::move(entry));
  }
  if (list.entries.empty()) list.error = "形式データが見つかりませんでした。";
  return list;
}

}  // namespace vosk::stock
