#include "shell/message_ring.h"

#include <algorithm>

#include "base/sjis.h"

namespace vosk::shell {
namespace {

constexpr int kMaxRows = 255;

std::size_t char_length(std::string_view text, std::size_t at) {
  bool lead = sjis::is_lead_byte(static_cast<unsigned char>(text[at]));
  return (lead && at + 1 < text.size()) ? 2 : 1;
}

// Byte offsets of every character end in `text`.
std::vector<std::size_t> character_ends(std::string_view text) {
  std::vector<std::size_t> ends;
  for (std::size_t at = 0; at < text.size();) {
    at += char_length(text, at);
    ends.push_back(at);
  }
  return ends;
}

}  // namespace

void MessageRing::add(std::string_view text) {
  newest_ = (newest_ + 1) % kLines;
  std::string_view stored = text.empty() ? kBlankLine : sjis::cut(text, kMaxLineBytes);
  lines_[static_cast<std::size_t>(newest_)] = std::string(stored);
  if (observer_) observer_();
}

void MessageRing::clear() {
  for (std::string& l : lines_) l.clear();
  newest_ = 0;
  if (observer_) observer_();
}

const std::string& MessageRing::line(int index) const {
  return lines_[static_cast<std::size_t>(((index % kLines) + kLines) % kLines)];
}

const std::string& MessageRing::line_back(int age) const { return line(newest_ - age); }

std::vector<std::string> wrap_line(std::string_view line, int max_width,
                                   const TextWidth& text_width) {
  std::vector<std::string> rows;
  std::string_view rest = line;
  do {
    std::vector<std::size_t> ends = character_ends(rest);
    if (ends.empty() || text_width(rest) <= max_width) {
      rows.emplace_back(rest);
      break;
    }
    // Widths of prefixes grow with their length: find the longest prefix
    // that fits by bisection, keeping at least one character per row.
    std::size_t lo = 0, hi = ends.size() - 1;  // ends[hi] is known not to fit
    while (lo < hi) {
      std::size_t mid = (lo + hi + 1) / 2;
      if (text_width(rest.substr(0, ends[mid - 1])) <= max_width)
        lo = mid;
      else
        hi = mid - 1;
    }
    std::size_t take = ends[std::max<std::size_t>(lo, 1) - 1];
    rows.emplace_back(rest.substr(0, take));
    rest.remove_prefix(take);
  } while (!rest.empty());
  return rows;
}

std::vector<std::string> message_rows(const MessageRing& ring, int client_width, int client_height,
                                      int text_height, const TextWidth& text_width) {
  const int row_height = std::max(1, text_height + 1);
  const int fit = std::clamp(client_height / row_height, 0, kMaxRows);
  std::vector<std::string> bottom_up;
  for (int age = 0; age < MessageRing::kLines && static_cast<int>(bottom_up.size()) < fit; ++age) {
    std::vector<std::string> rows = wrap_line(ring.line_back(age), client_width, text_width);
    for (auto it = rows.rbegin(); it != rows.rend() && static_cast<int>(bottom_up.size()) < fit;
         ++it)
      bottom_up.push_back(std::move(*it));
  }
  return {bottom_up.rbegin(), bottom_up.rend()};
}

}  // namespace vosk::shell
