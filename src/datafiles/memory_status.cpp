#include "datafiles/memory_status.h"

#include <algorithm>
#include <optional>

#include "base/text_file.h"

namespace vosk::datafiles {
namespace {

// Bytes of the "Name:   1234 kB" line, nullopt when there is none.
std::optional<std::uint64_t> kilobyte_line(std::string_view text, std::string_view name) {
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (!line.starts_with(name) || line.size() <= name.size() || line[name.size()] != ':') {
      continue;
    }
    std::string_view digits = line.substr(name.size() + 1);
    digits.remove_prefix(std::min(digits.find_first_not_of(' '), digits.size()));
    std::uint64_t kb = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') break;
      kb = kb * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return kb * 1024;
  }
  return std::nullopt;
}

}  // namespace

MemoryStatus parse_memory_status(std::string_view meminfo) {
  std::optional<std::uint64_t> available = kilobyte_line(meminfo, "MemAvailable");
  if (!available) available = kilobyte_line(meminfo, "MemFree");
  MemoryStatus m;
  m.avail_phys = available.value_or(0);
  m.avail_page_file = m.avail_phys + kilobyte_line(meminfo, "SwapFree").value_or(0);
  return m;
}

MemoryStatus read_memory_status() {
  std::optional<std::string> text = textfile::read_binary("/proc/meminfo");
  return text ? parse_memory_status(*text) : MemoryStatus{};
}

}  // namespace vosk::datafiles
