#pragma once
// Where the dia checks write their one-line reports: the message window, or
// the text of a message box when a dialog asked for the check. Lines are
// CP932 bytes, one report line each (a check's multi-line message arrives as
// several lines).
#include <string>
#include <string_view>
#include <vector>

namespace vosk::dia {

class CheckReport {
 public:
  virtual ~CheckReport() = default;
  virtual void line(const std::string& cp932_text) = 0;
};

// Collects the lines, e.g. for a message box or the command-line tool.
class CollectedReport : public CheckReport {
 public:
  void line(const std::string& cp932_text) override { lines_.push_back(cp932_text); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

// Writes a CP932 text line by line (split at "\n"; a trailing "\n" adds no
// empty line).
inline void report_lines(CheckReport& report, std::string_view cp932_text) {
  while (!cp932_text.empty()) {
    std::size_t end = cp932_text.find('\n');
    report.line(std::string(cp932_text.substr(0, end)));
    if (end == std::string_view::npos) break;
    cp932_text.remove_prefix(end + 1);
  }
}

}  // namespace vosk::dia
