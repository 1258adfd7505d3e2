// Train types, display targets, patterns, speed types, running and stop
// times, passengers, sounds and crew messages over damaged content.
#include "member_fuzz.h"

using vosk::datafiles::Member;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::string> names = vosk::fuzz::member_names(
      {Member::DType, Member::DMode, Member::DPattern, Member::Velocity,
       Member::RequireTime, Member::StopTime, Member::Passenger, Member::Sound,
       Member::CrewMsg});
  return vosk::fuzz::fuzz_member(names, data, size);
}
