// The dia members (duties, formations, runs, events, accidents) over
// damaged content.
#include "member_fuzz.h"

using vosk::datafiles::Member;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::string> names = vosk::fuzz::member_names(
      {Member::Train, Member::Unit, Member::Diagram, Member::DEvent,
       Member::AccidentBetween, Member::AccidentRail, Member::AccidentPoint,
       Member::AccidentUnit, Member::AccidentStation});
  return vosk::fuzz::fuzz_member(names, data, size);
}
