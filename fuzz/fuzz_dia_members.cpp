// The dia members (duties, formations, runs, events, accidents) over
// damaged content.
#include "member_fuzz.h"

using vosk::datafiles::Member;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n;
    for (Member m : {Member::Train, Member::Unit, Member::Diagram, Member::DEvent,
                     Member::AccidentBetween, Member::AccidentRail, Member::AccidentPoint,
                     Member::AccidentUnit, Member::AccidentStation})
      n.push_back(vosk::fuzz::member_name(m));
    return n;
  }();
  return vosk::fuzz::fuzz_member(names, data, size);
}
