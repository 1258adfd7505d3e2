#pragma once
// The point-key buffer: what the user has typed into a panel window, matched
// against the point keys as it grows. Shown in the main window's title while
// it is not empty.
#include <optional>
#include <string>

#include "base/record_table.h"
#include "map/point.h"

namespace vosk::panel {

class PointKeyBuffer {
 public:
  static constexpr std::size_t kCapacity = 20;

  // What typing a character found.
  struct Match {
    int point = 0;            // the point whose key was typed, 0 none
    int display_window = -1;  // "%dx": the display window to bring forward
  };

  // Adds a character (CP932 byte) and matches the buffer.
  Match add(char c, const RecordTable<map::Point>& points);
  void remove_last();              // Backspace, Delete
  void clear() { text_.clear(); }  // Enter, Esc, Space

  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace vosk::panel
