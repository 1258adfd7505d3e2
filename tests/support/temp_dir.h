#pragma once
// A fresh folder under the system temp folder, removed with its contents.
#include <filesystem>
#include <string>
#include <string_view>

namespace vosk::testing {

class TempDir {
 public:
  TempDir();
  // The same below `parent` instead of the system temp folder.
  explicit TempDir(const std::filesystem::path& parent);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  // Writes raw bytes into a file below the folder and returns its path.
  std::filesystem::path write(std::string_view name, std::string_view bytes) const;
  // Raw bytes of a file, empty text when missing.
  std::string read(std::string_view name) const;

 private:
  std::filesystem::path path_;
};

// CP932 bytes of a UTF-8 literal, for fixtures holding Japanese text.
std::string sj(std::string_view utf8);

}  // namespace vosk::testing
