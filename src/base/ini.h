#pragma once
// INI ("profile") files with the Windows semantics the data sets rely on.
//
// Names and values are CP932 bytes. Section and key names compare ignoring
// ASCII case; the first matching section and key win. Blanks around keys and
// values are trimmed and a value's surrounding double quotes are removed on
// read. A write replaces the value in place or appends the key to the end of
// its section, creating the section (at the end) when needed; every other
// line keeps its bytes. Documents are held with LF line ends; files use CR LF.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vosk::ini {

// Integer by the profile-int rules: optional sign, then leading digits;
// anything else reads as 0. Values beyond the int range saturate.
int parse_profile_int(std::string_view value);

class Document {
 public:
  Document() = default;
  // Parses LF-separated text (a CR before an LF is tolerated and dropped).
  static Document parse(std::string_view text);
  // nullopt when the file cannot be read; a missing file is not an error for
  // profile reads, so callers usually use load_or_empty().
  static std::optional<Document> load(const std::filesystem::path& file);
  static Document load_or_empty(const std::filesystem::path& file);
  // The file for changing a few of its keys: empty when the file does not
  // exist, nullopt when it exists but cannot be read, so that it is never
  // replaced by those few keys alone.
  static std::optional<Document> load_for_update(const std::filesystem::path& file);

  // Value of the key, nullopt when the section or key is missing. The value
  // is cut to `max_bytes` (the caller's buffer size less the terminator).
  std::optional<std::string> find(std::string_view section, std::string_view key) const;
  std::string get_string(std::string_view section, std::string_view key,
                         std::string_view fallback, std::size_t max_bytes = 255) const;
  // Missing key (or empty value) gives `fallback`; otherwise the profile-int rule.
  int get_int(std::string_view section, std::string_view key, int fallback) const;
  bool has_section(std::string_view section) const;

  void set_string(std::string_view section, std::string_view key, std::string_view value);
  void set_int(std::string_view section, std::string_view key, int value);
  void set_flag(std::string_view section, std::string_view key, bool value);

  // The document as LF text.
  std::string text() const;
  // Writes the document with CR LF line ends, replacing the file atomically.
  bool save(const std::filesystem::path& file) const;

 private:
  struct Line {
    std::string raw;
  };
  // Index of the line holding "[section]", or npos.
  std::size_t find_section(std::string_view section) const;
  // Index of the key line inside the section starting at `header`, or npos.
  std::size_t find_key(std::size_t header, std::string_view key) const;
  std::size_t section_end(std::size_t header) const;

  std::vector<Line> lines_;
  bool final_newline_ = true;
};

}  // namespace vosk::ini
