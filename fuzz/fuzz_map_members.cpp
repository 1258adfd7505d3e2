// Every map member loader over damaged content.
#include "member_fuzz.h"

using vosk::datafiles::Member;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::string> names = vosk::fuzz::member_names(
      {Member::Rail, Member::PRail, Member::Point1, Member::Point2, Member::Target,
       Member::Station, Member::StationDraw, Member::Row, Member::Jump, Member::Detail,
       Member::SignalSet, Member::Signal, Member::RouteLever, Member::RouteButton});
  return vosk::fuzz::fuzz_member(names, data, size);
}
