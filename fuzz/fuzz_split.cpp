// Splitting arbitrary bundle text: members never hold unsafe names unflagged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "datafiles/bundle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto result = vosk::bundle::split(text);
  if (!result.unsafe_name) {
    for (const auto& m : result.members.members())
      if (!vosk::bundle::is_safe_member_name(m.name)) __builtin_trap();
  }
  std::size_t total = 0;
  for (const auto& m : result.members.members()) total += m.content.size() + m.name.size();
  if (total > size) __builtin_trap();
  return 0;
}
