#pragma once
// The popup warning window's list, and firing a warning.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/warnings.h"

namespace vosk::shell {

// Texts shown by the popup warning window (UTF-8). Warnings that arrive at
// the same clock time pile up; the first one at a new clock time starts a
// fresh list.
class PopupWarnings {
 public:
  // `clock_time`: the operating clock, seconds after midnight.
  void add(std::string text, int clock_time);
  // The window closed: forget the texts.
  void clear();

  const std::vector<std::string>& lines() const { return lines_; }
  // Width the window needs: its longest line as measured by `text_width`
  // (0 for an empty list).
  int longest_line_width(const std::function<int(std::string_view utf8)>& text_width) const;

 private:
  std::vector<std::string> lines_;
  std::optional<int> last_clock_time_;
};

// Announces `text` as `setting` says. Type 1 (popup) adds the text to
// `popups` and returns true: the caller opens the popup window if needed,
// sizes it to the longest line and sounds the default beep. Every other
// type does nothing here (this program plays no warning sounds).
bool fire(const WarningSetting& setting, std::string_view text, int clock_time,
          PopupWarnings& popups);

}  // namespace vosk::shell
