#include "map/rail_label.h"

#include <string_view>

namespace vosk::map {
namespace {

// CP932 bytes, as labels are record texts.
constexpr std::string_view kDownJapanese = "\x81\x69\x89\xba\x82\xe8\x81\x6a";  // （下り）
constexpr std::string_view kUpJapanese = "\x81\x69\x8f\xe3\x82\xe8\x81\x6a";    // （上り）
constexpr std::string_view kDownEnglish = "(Dn)";
constexpr std::string_view kUpEnglish = "(Up)";

}  // namespace

std::string rail_label(const Rail& rail, bool view_direc, bool right_down, bool english) {
  std::string label = rail.name;
  if (!view_direc) return label;
  bool down = (rail.direction == 1) != right_down;
  if (english) {
    label += down ? kDownEnglish : kUpEnglish;
  } else {
    label += down ? kDownJapanese : kUpJapanese;
  }
  return label;
}

void build_rail_labels(RecordTable<Rail>& rails, bool view_direc, bool right_down, bool english) {
  for (int n = 1; n <= rails.extent(); ++n) {
    rails[n].label = rail_label(rails[n], view_direc, right_down, english);
  }
}

}  // namespace vosk::map
