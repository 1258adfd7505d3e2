// The header reader over arbitrary text. A header that reads must write, and
// what it writes must read back to the same written text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "datafiles/header_reader.h"
#include "datafiles/header_writer.h"
#include "fuzz_support.h"

namespace {

std::string write(vosk::datafiles::Header header) {
  std::string out;
  vosk::datafiles::write_header(out, header, {});
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  vosk::fuzz::GoOnPrompt prompt;
  auto first = vosk::datafiles::read_header(text, "/nonexistent", prompt);
  if (!first.ok()) return 0;
  std::string written = write(first.header);
  auto second = vosk::datafiles::read_header(written, "/nonexistent", prompt);
  if (!second.ok()) __builtin_trap();
  if (write(second.header) != written) __builtin_trap();
  return 0;
}
