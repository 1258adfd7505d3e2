#include "panel/point_key_buffer.h"

#include <algorithm>

#include "base/format.h"

namespace vosk::panel {
namespace {

char fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool same_ignoring_case(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return fold(x) == fold(y); });
}

// A buffer starting like this is a developer command line, not a key.
bool is_command_line(const std::string& s) { return !s.empty() && (s[0] == '/' || s[0] == '\\'); }

}  // namespace

PointKeyBuffer::Match PointKeyBuffer::add(char c, const RecordTable<map::Point>& points) {
  std::size_t longest = 0;
  for (int n = 1; n <= points.extent(); ++n) longest = std::max(longest, points[n].key.size());
  if ((text_.size() >= longest && !is_command_line(text_)) || text_.size() > kCapacity - 1)
    text_.clear();
  text_ += c;

  Match m;
  for (int n = 1; n <= points.extent(); ++n) {
    if (!points[n].key.empty() && same_ignoring_case(text_, points[n].key)) {
      text_.clear();
      m.point = n;
      return m;
    }
  }
  for (int w = 0; w < 16; ++w) {
    if (same_ignoring_case(text_, format("%dx", w))) {
      text_.clear();
      m.display_window = w;
      return m;
    }
  }
  return m;
}

void PointKeyBuffer::remove_last() {
  if (!text_.empty()) text_.pop_back();
}

}  // namespace vosk::panel
