// The CSV line reader over arbitrary member content.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/csv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view content(reinterpret_cast<const char*>(data), size);
  vosk::csv::Reader reader(content);
  vosk::csv::Line line;
  while (reader.next(line)) {
    if (line.size() > vosk::csv::kMaxFields) __builtin_trap();
    for (std::size_t k = 0; k < line.size() + 1; ++k) {
      if (line.text(k).size() > vosk::csv::kMaxText) __builtin_trap();
      (void)line.integer(k);
      (void)line.real(k);
    }
  }
  return 0;
}
