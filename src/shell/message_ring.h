#pragma once
// The message ring: the last 256 one-line reports (file opened, saved,
// rollback restored, memory short), shown by the message window. Texts are
// CP932 bytes.
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vosk::shell {

class MessageRing {
 public:
  static constexpr int kLines = 256;
  static constexpr std::size_t kMaxLineBytes = 255;
  // What an empty text is stored as, so that blank separator lines show:
  // the full-width space "　".
  static constexpr std::string_view kBlankLine{"\x81\x40"};

  // Stores `text` in the line after the newest one (replacing the oldest
  // when the ring is full), cut to 255 bytes without splitting a
  // double-byte character, then tells the observer.
  void add(std::string_view text);
  // Empties all lines and sets the newest index to 0, then tells the observer.
  void clear();

  // Index of the newest line, 0-255. Lines never written are empty. A new
  // ring starts at 255, so that its first line lands in slot 0 and the
  // 257th line, replacing the first, is again in slot 0.
  int newest() const { return newest_; }
  const std::string& line(int index) const;
  // The line `age` steps before the newest one (age 0 is the newest).
  const std::string& line_back(int age) const;

  // The attached message window: called after every change so it can lay
  // out and repaint. An empty function detaches.
  void set_observer(std::function<void()> observer) { observer_ = std::move(observer); }

 private:
  std::array<std::string, kLines> lines_{};
  int newest_ = kLines - 1;
  std::function<void()> observer_;
};

// Width in pixels of a CP932 text as drawn with the window's font.
using TextWidth = std::function<int(std::string_view cp932)>;

// Display rows of the message window, top to bottom, newest line at the
// bottom. Rows that fit: min(255, client_height / (text_height + 1)). Lines
// are taken from the newest backwards; a line wider than the client area is
// split into several rows, each ending at the last character that still
// fits (at least one character per row, never half of a double-byte one).
// When the rows of the oldest line shown do not all fit, its first rows
// are the ones left out.
std::vector<std::string> message_rows(const MessageRing& ring, int client_width, int client_height,
                                      int text_height, const TextWidth& text_width);

// A line split into rows no wider than `max_width` (see message_rows). An
// empty line gives one empty row.
std::vector<std::string> wrap_line(std::string_view line, int max_width,
                                   const TextWidth& text_width);

}  // namespace vosk::shell
