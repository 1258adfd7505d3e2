// The series list and the series performance tables over damaged content.
#include "member_fuzz.h"
#include "stock/performance_tables.h"

using vosk::datafiles::Member;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::string> names = {
      vosk::fuzz::member_name(Member::Series), vosk::stock::acceleration_member_name(1),
      vosk::stock::curve_limit_member_name(1)};
  return vosk::fuzz::fuzz_member(names, data, size);
}
