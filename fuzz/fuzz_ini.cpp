// The INI reader and writer over arbitrary text: a write keeps every other
// key readable with its old value.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto doc = vosk::ini::Document::parse(text);
  auto before = doc.find("Setting", "CallSpeed");
  (void)doc.get_int("K-ORV", "version", 0);
  doc.set_string("Path", "DataQvw", "/x/");
  if (doc.find("Setting", "CallSpeed") != before) __builtin_trap();
  if (doc.find("Path", "DataQvw") != std::string("/x/")) {
    // Only a [Path] section header hidden by an earlier equal-named one can
    // make the value land elsewhere; the first section always wins.
    __builtin_trap();
  }
  auto reparsed = vosk::ini::Document::parse(doc.text());
  if (reparsed.find("Path", "DataQvw") != std::string("/x/")) __builtin_trap();
  return 0;
}
