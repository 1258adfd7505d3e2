#pragma once
// Where the dia checks write their one-line reports: the message window, or
// the text of a message box when a dialog asked for the check. Lines are
// CP932 bytes, one report line each (a check's multi-line message arrives as
// several lines).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vosk::dia {

class CheckReport {
 public:
  virtual ~CheckReport() = default;
  virtual void line(std::string_view cp932_text) = 0;
};

// Collects the lines, e.g. for a message box.
class CollectedReport : public CheckReport {
 public:
  void line(std::string_view cp932_text) override { lines_.emplace_back(cp932_text); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

// Report lines kept back to back in one buffer: a dia with many conflicts
// reports millions of lines, and one allocation per line would cost more
// than the checks themselves.
class ReportLines {
 public:
  void push_back(std::string_view line) {
    text_.append(line);
    ends_.push_back(text_.size());
  }
  void clear() {
    text_.clear();
    ends_.clear();
  }
  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  std::string_view operator[](std::size_t i) const {
    std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(text_).substr(begin, ends_[i] - begin);
  }

  class const_iterator {
   public:
    const_iterator(const ReportLines* lines, std::size_t i) : lines_(lines), i_(i) {}
    std::string_view operator*() const { return (*lines_)[i_]; }
    const_iterator& operator++() {
      ++i_;
      return *this;
    }
    bool operator==(const const_iterator& other) const { return i_ == other.i_; }

   private:
    const ReportLines* lines_;
    std::size_t i_;
  };
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, ends_.size()}; }

 private:
  std::string text_;
  std::vector<std::size_t> ends_;
};

// Writes a CP932 text line by line (split at "\n"; a trailing "\n" adds no
// empty line).
inline void report_lines(CheckReport& report, std::string_view cp932_text) {
  while (!cp932_text.empty()) {
    std::size_t end = cp932_text.find('\n');
    report.line(cp932_text.substr(0, end));
    if (end == std::string_view::npos) break;
    cp932_text.remove_prefix(end + 1);
  }
}

}  // namespace vosk::dia
