// Opening a whole data set from bundle text. Whatever opens must save, and
// the saved text must open again and save to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "datafiles/open_save.h"
#include "fuzz_support.h"

namespace {

std::optional<vosk::datafiles::DataSet> open(std::string_view text, vosk::Prompt& prompt) {
  vosk::datafiles::Session session{.prompt = prompt, .program_folder = "/nonexistent"};
  return vosk::datafiles::read_data_set_text(text, "fuzz.qvp", session);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  vosk::fuzz::GoOnPrompt prompt;
  auto first = open(text, prompt);
  if (!first || vosk::fuzz::has_huge_tables(*first)) return 0;
  std::string written = vosk::datafiles::write_bundle(*first);
  auto second = open(written, prompt);
  if (!second) __builtin_trap();
  if (vosk::datafiles::write_bundle(*second) != written) __builtin_trap();
  return 0;
}
