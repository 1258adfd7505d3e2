#include "shell/popup_warnings.h"

#include <algorithm>

namespace vosk::shell {

void PopupWarnings::add(std::string text, int clock_time) {
  if (last_clock_time_ && *last_clock_time_ != clock_time) lines_.clear();
  last_clock_time_ = clock_time;
  lines_.push_back(std::move(text));
}

void PopupWarnings::clear() {
  lines_.clear();
  last_clock_time_.reset();
}

int PopupWarnings::longest_line_width(
    const std::function<int(std::string_view utf8)>& text_width) const {
  int widest = 0;
  for (const std::string& l : lines_) widest = std::max(widest, text_width(l));
  return widest;
}

bool fire(const WarningSetting& setting, std::string_view text, int clock_time,
          PopupWarnings& popups) {
  if (setting.type != kWarningPopup) return false;
  popups.add(std::string(text), clock_time);
  return true;
}

}  // namespace vosk::shell
