// Unpacking arbitrary bytes, and packing what came out again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "datafiles/bundle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto unpacked = vosk::bundle::unpack(bytes);
  auto again = vosk::bundle::unpack(vosk::bundle::pack(unpacked.text));
  if (again.text != unpacked.text || again.status != vosk::bundle::UnpackStatus::Ok) __builtin_trap();
  return 0;
}
