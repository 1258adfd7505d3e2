#include "base/ini.h"

#include <cctype>
#include <cstdio>
#include <system_error>

#include "base/csv.h"
#include "base/sjis.h"
#include "base/text_file.h"

namespace vosk::ini {
namespace {

constexpr std::size_t npos = std::string::npos;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (is_blank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII letters compare ignoring case; the trail byte of a double-byte
// character is compared exactly even when it looks like a letter.
bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (sjis::is_lead_byte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Section name of a "[name]" line, nullopt for any other line.
std::optional<std::string_view> section_name(std::string_view line) {
  std::string_view t = trim(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  std::size_t close = t.find(']');
  if (close == npos) return trim(t.substr(1));
  return trim(t.substr(1, close - 1));
}

// Key of a "key=value" line, nullopt for a line without '='.
std::optional<std::string_view> key_name(std::string_view line) {
  std::size_t eq = line.find('=');
  if (eq == npos) return std::nullopt;
  return trim(line.substr(0, eq));
}

std::string_view value_of(std::string_view line) {
  std::string_view v = trim(line.substr(line.find('=') + 1));
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
  // Values are C strings to every program that reads them: a NUL ends the
  // value. Blanks before it are trimmed as at a line end, so that writing
  // the value back and reading it again gives the same text.
  if (std::size_t nul = v.find('\0'); nul != npos) v = trim(v.substr(0, nul));
  return v;
}

}  // namespace

int parse_profile_int(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size() && is_blank(value[i])) ++i;
  // Past the blanks the rule is the CSV integer's: sign, digits, saturation.
  // Any other white space there ends the number before it starts.
  if (i < value.size() && std::isspace(static_cast<unsigned char>(value[i]))) return 0;
  return csv::to_int(value.substr(i));
}

Document Document::parse(std::string_view text) {
  Document doc;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == npos) {
      doc.lines_.push_back({std::string(text.substr(start))});
      doc.final_newline_ = false;
      break;
    }
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    doc.lines_.push_back({std::string(line)});
    start = end + 1;
  }
  return doc;
}

std::optional<Document> Document::load(const std::filesystem::path& file) {
  auto text = textfile::read_text(file);
  if (!text) return std::nullopt;
  return parse(*text);
}

Document Document::load_or_empty(const std::filesystem::path& file) {
  auto doc = load(file);
  return doc ? std::move(*doc) : Document{};
}

std::optional<Document> Document::load_for_update(const std::filesystem::path& file) {
  if (std::optional<Document> doc = load(file)) return doc;
  std::error_code ec;
  if (std::filesystem::exists(file, ec) || ec) return std::nullopt;
  return Document{};
}

std::size_t Document::find_section(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    auto name = section_name(lines_[i].raw);
    if (name && same_name(*name, section)) return i;
  }
  return npos;
}

std::size_t Document::section_end(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && !section_name(lines_[i].raw)) ++i;
  return i;
}

std::size_t Document::find_key(std::size_t header, std::string_view key) const {
  std::size_t end = section_end(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    auto name = key_name(lines_[i].raw);
    if (name && same_name(*name, key)) return i;
  }
  return npos;
}

bool Document::has_section(std::string_view section) const {
  return find_section(section) != npos;
}

std::optional<std::string> Document::find(std::string_view section,
                                          std::string_view key) const {
  std::size_t header = find_section(section);
  if (header == npos) return std::nullopt;
  std::size_t line = find_key(header, key);
  if (line == npos) return std::nullopt;
  return std::string(value_of(lines_[line].raw));
}

std::string Document::get_string(std::string_view section, std::string_view key,
                                 std::string_view fallback, std::size_t max_bytes) const {
  auto value = find(section, key);
  std::string_view v = value ? std::string_view(*value) : fallback;
  return std::string(sjis::cut(v, max_bytes));
}

int Document::get_int(std::string_view section, std::string_view key, int fallback) const {
  auto value = find(section, key);
  // As the Windows function does, an empty value counts as missing.
  if (!value || value->empty()) return fallback;
  return parse_profile_int(*value);
}

void Document::set_string(std::string_view section, std::string_view key,
                          std::string_view value) {
  std::string line;
  line.reserve(key.size() + 1 + value.size());
  line.append(key).append("=").append(value);

  std::size_t header = find_section(section);
  if (header == npos) {
    lines_.push_back({"[" + std::string(section) + "]"});
    lines_.push_back({std::move(line)});
    final_newline_ = true;
    return;
  }
  std::size_t existing = find_key(header, key);
  if (existing != npos) {
    lines_[existing].raw = std::move(line);
    return;
  }
  // Append after the last non-blank line of the section, before any blank
  // separator lines that precede the next section.
  std::size_t at = section_end(header);
  while (at > header + 1 && trim(lines_[at - 1].raw).empty()) --at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(line)});
  if (at == lines_.size() - 1) final_newline_ = true;
}

void Document::set_int(std::string_view section, std::string_view key, int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d", value);
  set_string(section, key, buffer);
}

void Document::set_flag(std::string_view section, std::string_view key, bool value) {
  set_string(section, key, value ? "1" : "0");
}

std::string Document::text() const {
  std::string out;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i].raw;
    if (i + 1 < lines_.size() || final_newline_) out += '\n';
  }
  return out;
}

bool Document::save(const std::filesystem::path& file) const {
  return textfile::write_text_atomic(file, text());
}

}  // namespace vosk::ini
