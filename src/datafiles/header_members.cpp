#include "datafiles/header_members.h"

namespace vosk::datafiles {
namespace {

constexpr int kAlways = 0;
constexpr int kOldMap = kFirstVersionWithoutOldMap;

// One row per member, in the order of [ファイル].
constexpr MemberRule kRules[kMemberCount] = {
    {Member::Rail, "rail", nullptr, "rail.csv", kOldMap, "rail.csv"},
    {Member::PRail, "p_rail", nullptr, "p_rail.csv", kOldMap, "p_rail.csv"},
    {Member::Point1, "point1", nullptr, "point1.csv", kOldMap, "point1.csv"},
    {Member::Point2, "point2", nullptr, "point2.csv", kOldMap, "point2.csv"},
    {Member::Target, "target", nullptr, "target.csv", kAlways, nullptr},
    {Member::Station, "station", nullptr, "station.csv", kOldMap, "station.csv"},
    {Member::StationDraw, "station_draw", nullptr, "station_draw.csv", kAlways, nullptr},
    {Member::Row, "row", nullptr, "row.csv", 1010, nullptr},
    {Member::Jump, "jump", nullptr, "jump.csv", 1110, nullptr},
    {Member::Detail, "detail", nullptr, "detail.csv", 1150, nullptr},
    {Member::SignalSet, "signal_set", nullptr, "signal_set.csv", kAlways, nullptr},
    {Member::Signal, "signal", nullptr, "signal.csv", kOldMap, "signal.csv"},
    {Member::Series, "series", "train_type", "series.csv", kOldMap, "train_type.csv"},
    {Member::Train, "train", nullptr, "train.csv", kAlways, nullptr},
    {Member::Unit, "unit", nullptr, "unit.csv", kAlways, nullptr},
    {Member::Diagram, "diagram", nullptr, "diagram.csv", kAlways, nullptr},
    {Member::DEvent, "d_event", nullptr, "d_event.csv", kAlways, nullptr},
    {Member::DType, "d_type", nullptr, "d_type.csv", 1010, "d_type.csv"},
    {Member::DMode, "d_mode", nullptr, "d_mode.csv", 1010, "d_mode.csv"},
    {Member::DPattern, "d_pattern", nullptr, "d_pattern.csv", 1020, "d_pattern.csv"},
    {Member::Velocity, "velocity", nullptr, "velocity.csv", kAlways, nullptr},
    {Member::RequireTime, "require_time", "s_time", "require_time.csv", kAlways, nullptr},
    {Member::StopTime, "stop_time", nullptr, "stop_time.csv", kAlways, nullptr},
    {Member::Passenger, "passenger", nullptr, "passenger.csv", kAlways, nullptr},
    {Member::RouteLever, "route_lever", nullptr, "route_lever.csv", kAlways, nullptr},
    {Member::RouteButton, "route_button", nullptr, "route_button.csv", kAlways, nullptr},
    {Member::AccidentBetween, "accident_between", nullptr, "accident_between.csv", kAlways,
     nullptr},
    {Member::AccidentRail, "accident_rail", nullptr, "accident_rail.csv", kAlways, nullptr},
    {Member::AccidentPoint, "accident_point", nullptr, "accident_point.csv", kAlways, nullptr},
    {Member::AccidentUnit, "accident_unit", nullptr, "accident_unit.csv", kAlways, nullptr},
    {Member::AccidentStation, "accident_station", nullptr, "accident_station.csv", kAlways,
     nullptr},
    {Member::Sound, "sound", nullptr, "sound.ini", kOldMap, "sound.ini"},
    {Member::CrewMsg, "crew_msg", nullptr, "crew_msg.ini", 1010, "crew_msg.ini"},
    {Member::Stack, "stack", nullptr, "stack.csv", kAlways, nullptr},
};

constexpr bool rows_in_enum_order() {
  for (std::size_t i = 0; i < kMemberCount; ++i)
    if (static_cast<std::size_t>(kRules[i].member) != i) return false;
  return true;
}
static_assert(rows_in_enum_order());

}  // namespace

const MemberRule& member_rule(Member m) { return kRules[static_cast<std::size_t>(m)]; }

const char* member_key(Member m) { return member_rule(m).key; }

const char* member_file_name(Member m) { return member_rule(m).file; }

}  // namespace vosk::datafiles
