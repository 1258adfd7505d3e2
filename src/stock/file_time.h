#pragma once
// Last-write times of series files, as the six integers a series record keeps.
#include <filesystem>
#include <optional>

#include "stock/series.h"

namespace vosk::stock {

// Local time of the file's last write, nullopt when the file cannot be
// examined. Tests set times with std::filesystem::last_write_time.
std::optional<FileTime> file_time_of(const std::filesystem::path& file);

}  // namespace vosk::stock
