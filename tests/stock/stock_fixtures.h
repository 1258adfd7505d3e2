#pragma once
// Series files and folders for the stock tests.
#include <filesystem>
#include <string>
#include <string_view>

#include "stock/series_file.h"
#include "support/temp_dir.h"

namespace vosk::stock::testing {

using vosk::testing::sj;

// The keys of a valid series file in check order, values in 1/100 km/h/s.
inline constexpr std::string_view kValidKeys[] = {
    "両数=4",
    "編成長=80",
    "ドア総数=16",
    "ドア幅=1300",
    "定員=600",
    "最大乗車率=250",
    "最高速度=110",
    "軌間=1067",
    "加速度=250",
    "常用ブレーキ１段=100",
    "常用ブレーキ２段=200",
    "常用ブレーキ３段=300",
    "ＡＴＣブレーキ=450",
    "非常ブレーキ=500",
};

// A series file (CP932) with the valid keys, a name and `extra` lines (UTF-8).
inline std::string series_file(std::string_view name, std::string_view short_name,
                               std::string_view extra = "") {
  std::string text = "[形式情報]\r\n";
  text += "形式名=" + std::string(name) + "\r\n";
  text += "略記=" + std::string(short_name) + "\r\n";
  for (std::string_view line : kValidKeys) text += std::string(line) + "\r\n";
  text += extra;
  return sj(text);
}

// A program folder with the series, table and picture folders.
struct StockPlace {
  vosk::testing::TempDir dir;
  StockFolders folders;

  StockPlace() {
    folders = {dir / "series_data", dir / "table" / "acceleration", dir / "table" / "curve_limit",
               dir / "image", dir / "image16"};
    for (const auto* folder : {&folders.series, &folders.acceleration, &folders.curve_limit,
                               &folders.image, &folders.image16})
      std::filesystem::create_directories(*folder);
  }

  std::filesystem::path write(const std::filesystem::path& folder, std::string_view name,
                              std::string_view bytes) const {
    return dir.write(
        std::filesystem::relative(folder, dir.path()).string() + "/" + std::string(name), bytes);
  }
  std::filesystem::path write_series(std::string_view file, std::string_view bytes) const {
    return write(folders.series, file, bytes);
  }
};

// Moves a file's last-write time by whole seconds.
inline void shift_time(const std::filesystem::path& file, int seconds) {
  std::filesystem::last_write_time(
      file, std::filesystem::last_write_time(file) + std::chrono::seconds(seconds));
}

}  // namespace vosk::stock::testing
