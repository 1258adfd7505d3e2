#include "stock/file_time.h"

#include <sys/stat.h>
#include <ctime>

namespace vosk::stock {

std::optional<FileTime> file_time_of(const std::filesystem::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return std::nullopt;
  std::tm local{};
  time_t seconds = st.st_mtime;
  if (!::localtime_r(&seconds, &local)) return std::nullopt;
  return FileTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace vosk::stock
