#include "stock/series_file.h"

#include <climits>

#include "base/format.h"
#include "base/sjis.h"
#include "base/text_file.h"
#include "stock/file_time.h"
#include "stock/performance_tables.h"
#include "stock/real_section.h"
#include "stock/series_file_keys.h"

namespace vosk::stock {
namespace {

struct NonZeroCheck {
  int (*value)(const Series&);
  const char* message;
};

// Checked in this order; the first zero value fails.
constexpr NonZeroCheck kSizeChecks[] = {
    {[](const Series& s) { return s.cars; }, "両数が正しく設定されていません。"},
    {[](const Series& s) { return s.train_length; }, "編成長が正しく設定されていません。"},
    {[](const Series& s) { return s.door_count; }, "ドア総数が正しく設定されていません。"},
    {[](const Series& s) { return s.door_width; }, "ドア幅が正しく設定されていません。"},
    {[](const Series& s) { return s.capacity; }, "定員が正しく設定されていません。"},
    {[](const Series& s) { return s.max_load; }, "最大乗車率が正しく設定されていません。"},
    {[](const Series& s) { return s.max_speed; }, "最高速度が正しく設定されていません。"},
    {[](const Series& s) { return s.gauge; }, "軌間が正しく設定されていません。"},
    {[](const Series& s) { return s.acceleration; }, "加速度が正しく設定されていません。"},
    {[](const Series& s) { return s.service_brake[0]; },
     "常用ブレーキ１段が正しく設定されていません。"},
    {[](const Series& s) { return s.service_brake[1]; },
     "常用ブレーキ２段が正しく設定されていません。"},
    {[](const Series& s) { return s.service_brake[2]; },
     "常用ブレーキ３段が正しく設定されていません。"},
    {[](const Series& s) { return s.atc_brake; }, "ＡＴＣブレーキが正しく設定されていません。"},
    {[](const Series& s) { return s.emergency_brake; }, "非常ブレーキが正しく設定されていません。"},
};

constexpr NonZeroCheck kCharacteristicsChecks[] = {
    {[](const Series& s) { return s.train_mass; }, "列車質量が正しく設定されていません。"},
    {[](const Series& s) { return s.motors; }, "モータ個数が正しく設定されていません。"},
};

// The signal margin check applies to maps of signal versions above this.
constexpr int kSignalMarginVersion = 1041;
// Least margin, in 1/1024 km/h/s, between the ATC brake and the map's HandleATC.
constexpr long long kSignalMargin = 98;

std::array<int*, 6> brakes_and_acceleration(Series& s) {
  return {&s.acceleration,     &s.service_brake[0], &s.service_brake[1],
          &s.service_brake[2], &s.atc_brake,        &s.emergency_brake};
}

std::array<int, 6> brakes_and_acceleration(const Series& s) {
  return {s.acceleration,     s.service_brake[0], s.service_brake[1],
          s.service_brake[2], s.atc_brake,        s.emergency_brake};
}

long long to_1024_wide(int value) { return static_cast<long long>(value) * 1024 / 100; }

// A table file named by the series file; reported and left empty when missing.
void load_table(const std::filesystem::path& folder, const std::string& name, TableKind kind,
                PerformanceTable& rows, int& row_count, Prompt& prompt) {
  rows.clear();
  row_count = 0;
  if (name.empty()) return;
  auto table = read_table_file(folder / name, kind);
  if (!table) {
    std::string shown = (folder / sjis::to_utf8_lossy(name)).string();
    prompt.tell(caption::kReadError,
                format("読み込みファイル'%s'は開けませんでした。\n", shown.c_str()));
    return;
  }
  rows = std::move(table->rows);
  row_count = table->line_count;
}

}  // namespace

void read_operating_fields(const ini::Document& doc, Series& s) {
  const SeriesFileKeys& k = series_file_keys();
  for (std::size_t i = 0; i < s.electrification.size(); ++i)
    s.electrification[i] = doc.get_int(k.section, k.electrification[i], 0);
  s.gauge = doc.get_int(k.section, k.gauge, 0);
  constexpr int kTurnback[] = {30, 60, 75};
  constexpr int kCouplingOrSplitting[] = {40, 60, 80};
  for (std::size_t i = 0; i < 3; ++i) {
    s.turnback_time[i] = doc.get_int(k.section, k.turnback_time[i], kTurnback[i]);
    s.coupling_time[i] = doc.get_int(k.section, k.coupling_time[i], kCouplingOrSplitting[i]);
    s.splitting_time[i] = doc.get_int(k.section, k.splitting_time[i], kCouplingOrSplitting[i]);
  }
}

SeriesFileContent parse_series_file(std::string_view text) {
  const SeriesFileKeys& k = series_file_keys();
  const ini::Document doc = ini::Document::parse(text);
  auto integer = [&](const std::string& key, int fallback) {
    return doc.get_int(k.section, key, fallback);
  };
  auto string = [&](const std::string& key, std::size_t limit) {
    return doc.get_string(k.section, key, "", limit);
  };
  auto real = [&](const std::string& key, double fallback) {
    return read_real_key(text, k.section, key, fallback);
  };

  SeriesFileContent content;
  Series& s = content.series;
  s.version = kSeriesVersion;
  s.name = string(k.name, kNameBytes);
  s.short_name = string(k.short_name, kShortNameBytes);
  s.cars = integer(k.cars, 0);
  s.train_length = integer(k.train_length, 0);
  s.door_count = integer(k.door_count, 0);
  s.door_width = integer(k.door_width, 0);
  s.capacity = integer(k.capacity, 0);
  s.max_load = integer(k.max_load, 0);
  s.max_speed = integer(k.max_speed, 0);
  read_operating_fields(doc, s);
  s.acceleration = integer(k.acceleration, 0);
  for (std::size_t i = 0; i < 3; ++i) s.service_brake[i] = integer(k.service_brake[i], 0);
  s.atc_brake = integer(k.atc_brake, 0);
  s.emergency_brake = integer(k.emergency_brake, 0);
  s.characteristics = integer(k.characteristics, 0);
  s.train_mass = integer(k.train_mass, 0);
  s.motors = integer(k.motors, 0);
  s.inertia = real(k.inertia, kDefaultInertia);
  for (std::size_t i = 0; i < 4; ++i)
    s.running_resistance[i] = real(k.running_resistance[i], kDefaultRunningResistance[i]);
  s.curve_resistance = real(k.curve_resistance, kDefaultCurveResistance);
  s.running_sound_speed = integer(k.running_sound_speed, 90);
  content.acceleration_table = string(k.acceleration_table, kNameBytes);
  content.curve_table = string(k.curve_table, kNameBytes);
  s.picture = string(k.picture, kNameBytes);
  s.icon = string(k.icon, kNameBytes);
  for (std::size_t i = 0; i < s.sounds.size(); ++i) s.sounds[i] = string(k.sounds[i], kNameBytes);
  return content;
}

std::optional<std::string> check_series_values(const Series& s, const MapSeriesSettings& map) {
  for (const NonZeroCheck& check : kSizeChecks)
    if (check.value(s) == 0) return check.message;
  for (int v : brakes_and_acceleration(s))
    if (v < 10)
      return "加速度・減速度の中に小さ過ぎるものがあります。\n"
             "単位km/h/sを１００倍して整数で設定して下さい。";
  if (map.signal_version > kSignalMarginVersion) {
    long long deceleration = to_1024_wide(s.atc_brake);
    long long signal = to_1024_wide(map.handle_atc);
    if (deceleration - kSignalMargin < signal)
      return format(
          "この形式の減速度（%0.2f[km/h/s]）は信号設定に対して余裕が足りません。\n"
          "信号設定を変更してから形式読み込みを行って下さい。",
          s.atc_brake * 0.01);
  }
  if (s.characteristics == 1) {
    for (const NonZeroCheck& check : kCharacteristicsChecks)
      if (check.value(s) == 0) return check.message;
  }
  return std::nullopt;
}

int per100_to_1024(int value) {
  long long v = to_1024_wide(value);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

void convert_to_1024(Series& s) {
  for (int* v : brakes_and_acceleration(s)) *v = per100_to_1024(*v);
}

std::optional<Series> read_series_file(const std::filesystem::path& file,
                                       const StockFolders& folders, const MapSeriesSettings& map,
                                       Prompt& prompt) {
  // A file that cannot be read has no keys and fails the first check.
  std::string text = textfile::read_text(file).value_or(std::string{});
  SeriesFileContent content = parse_series_file(text);
  Series s = std::move(content.series);
  load_table(folders.acceleration, content.acceleration_table, TableKind::Acceleration,
             s.acceleration_table, s.acceleration_rows, prompt);
  load_table(folders.curve_limit, content.curve_table, TableKind::CurveLimit, s.curve_table,
             s.curve_rows, prompt);
  s.file_time = file_time_of(file).value_or(FileTime{});

  if (auto failure = check_series_values(s, map)) {
    prompt.tell(caption::kDataError, *failure);
    return std::nullopt;
  }
  convert_to_1024(s);
  return s;
}

}  // namespace vosk::stock
