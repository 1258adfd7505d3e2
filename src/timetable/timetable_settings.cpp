#include "timetable/timetable_settings.h"

namespace vosk::timetable {
namespace {

struct FlagKey {
  const char* key;
  bool TimetableFlags::*flag;
  bool read;  // false: written only
};

constexpr FlagKey kKeys[] = {
    {"ViewDown", &TimetableFlags::view_down, true},
    {"ViewUp", &TimetableFlags::view_up, true},
    {"ViewSuspense", &TimetableFlags::suspense, false},
    {"ViewDouble", &TimetableFlags::coupled, false},
    {"ViewPass", &TimetableFlags::pass, true},
    {"ViewSecond", &TimetableFlags::seconds, true},
    {"ViewColon", &TimetableFlags::colons, true},
    {"ViewSphere", &TimetableFlags::sphere, true},
    {"ViewDeadHead", &TimetableFlags::deadhead, true},
    {"ViewTitle", &TimetableFlags::title, true},
    {"ViewTrainName", &TimetableFlags::train_name, true},
    {"ViewType", &TimetableFlags::type, true},
    {"ViewForName", &TimetableFlags::for_name, true},
    {"ViewNickName", &TimetableFlags::nickname, true},
    {"ViewRemark", &TimetableFlags::remark, true},
    {"ViewXAxis", &TimetableFlags::x_axis, true},
    {"ViewToolBar", &TimetableFlags::tool_bar, true},
};

}  // namespace

TimetableFlags read_timetable_flags(const ini::Document& settings) {
  TimetableFlags flags;
  for (const FlagKey& k : kKeys)
    if (k.read) flags.*k.flag = settings.get_int(kTimetableSection, k.key, flags.*k.flag) != 0;
  return flags;
}

void write_timetable_flags(const TimetableFlags& flags, ini::Document& settings) {
  for (const FlagKey& k : kKeys) settings.set_flag(kTimetableSection, k.key, flags.*k.flag);
}

}  // namespace vosk::timetable
