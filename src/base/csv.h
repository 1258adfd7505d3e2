#pragma once
// The CSV dialect of every table member: no header line, no quoting, fields
// split at each comma, every field read both as an integer (like C atoi) and
// as a real number (like C atof), text fields taken raw.
#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vosk::csv {

constexpr std::size_t kLineBuffer = 4608;  // bytes, terminator included
constexpr std::size_t kMaxFields = 1024;
constexpr std::size_t kMaxText = 255;  // bytes a text field keeps

// Leading blanks, optional sign, digits; no digits gives 0. Saturates at the
// int range instead of overflowing.
int to_int(std::string_view field);
// Leading blanks, then the longest decimal real; nothing usable gives 0.
double to_real(std::string_view field);

class Line {
 public:
  std::size_t size() const { return fields_.size(); }
  bool has(std::size_t k) const { return k < fields_.size(); }
  // Missing fields read as 0, 0.0 and the empty text.
  int integer(std::size_t k) const { return has(k) ? to_int(fields_[k]) : 0; }
  double real(std::size_t k) const { return has(k) ? to_real(fields_[k]) : 0.0; }
  // At most kMaxText bytes, never ending in half a double-byte character.
  std::string_view text(std::size_t k) const;
  // The whole field, for callers that report over-long texts.
  std::string_view raw(std::size_t k) const { return has(k) ? fields_[k] : std::string_view{}; }

  // The line was longer than the line buffer and was cut.
  bool overlong() const { return overlong_; }
  // The line had more than kMaxFields fields; the rest were dropped.
  bool too_many_fields() const { return too_many_fields_; }

 private:
  friend class Reader;
  std::vector<std::string_view> fields_;
  bool overlong_ = false;
  bool too_many_fields_ = false;
};

// Reads lines of a member held in memory (text-mode bytes, LF line ends).
// A CR right before the LF is dropped. A last line without LF is not read.
class Reader {
 public:
  explicit Reader(std::string_view content) : content_(content) {}
  // Fills `line` with the next line's fields; false at the end. The fields
  // point into the content, which must outlive the line.
  bool next(Line& line);
  // 1-based number of the line last returned.
  std::size_t line_number() const { return line_number_; }

 private:
  std::string_view content_;
  std::size_t pos_ = 0;
  std::size_t line_number_ = 0;
};

// Writes `value` at `p` as printf writes "%d" with the given width and
// flags ('-': `left`, '0': `zero`); returns the end. Room needed: the width
// or 21 bytes, whichever is more.
char* format_integer(char* p, long long value, int width, bool left = false, bool zero = false);


// Appends printf-formatted text. Formats are part of the file format and are
// written as literals at the call site, next to the field they format.
class Writer {
 public:
  void printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void text(std::string_view s) { out_.append(s); }
  std::string& buffer() { return out_; }
  const std::string& str() const { return out_; }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

}  // namespace vosk::csv
