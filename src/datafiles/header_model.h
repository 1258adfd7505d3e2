#pragma once
// The header member temp.qvd: which format version wrote the data set, which
// member holds which table, how many records each table may hold, and the
// settings of the dia, the map and the display windows that belong to the
// data set. A default-constructed Header is the header of a new data set.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "datafiles/header_display.h"

namespace vosk::datafiles {

// The only version this program writes; an in-place save needs it loaded.
inline constexpr int kFormatVersion = 1220;
inline constexpr const char* kHeaderMemberName = "temp.qvd";

// Texts of the header are CP932 bytes held in 256-byte fields.
inline constexpr std::size_t kMaxHeaderText = 255;

struct DiaSettings {
  int unit = 15;      // seconds: the step of every stop and turnback time chooser
  int standard = 45;  // default standard stop time, seconds
  int reverse = 120;  // default standard turnback time, seconds
  int base_target = 0;
  int stop_time_velocity = 0;  // 1: standard stop times per speed type, 0: per train type
  std::string dia_title;       // DiaTitle
  std::string dia_comment;
};

enum class SafetySystem { Atc = 0, Ats = 1, DigitalAtc = 2 };

struct MapSettings {
  int signal_version = 0;  // written under both SignalVersion and the older signal_version
  std::string map_name;
  bool map_pos_check = true;
  int use_atc = 1;
  int use_ats = 0;
  int use_interlocking = 0;
  int use_area = 0;
  int use_electri = 0;
  int use_characteristic = 0;
  int right_down = 0;  // nonzero: direction 1 is down
  int view_direc = 0;
  int area_order = 0;
  int route_warning_dist = 2000;  // metres
  int route_check_dist = 400;
  int break_spare_dist = 10;
  int limit_spare_dist = 50;
  int stop_spare_dist = 15;
  int signal_find_dist = 600;
  int max_speed = 120;  // km/h
  int re_accel_speed = 5;
  int guidance_speed = 15;
  int handle_atc = 360;
  // Has no key of its own: ATC when UseATC is nonzero, else ATS. The map
  // checks may turn it into digital ATC from the signal version.
  SafetySystem safety_system = SafetySystem::Atc;
};

struct PassengerFlags {
  bool sp_avoid = false;
  bool sp_graph = true;
  bool sp_hour = false;
  bool sp_train = false;
};

// The members named in [ファイル], in the order they are written.
enum class Member {
  Rail,
  PRail,
  Point1,
  Point2,
  Target,
  Station,
  StationDraw,
  Row,
  Jump,
  Detail,
  SignalSet,
  Signal,
  Series,
  Train,
  Unit,
  Diagram,
  DEvent,
  DType,
  DMode,
  DPattern,
  Velocity,
  RequireTime,
  StopTime,
  Passenger,
  RouteLever,
  RouteButton,
  AccidentBetween,
  AccidentRail,
  AccidentPoint,
  AccidentUnit,
  AccidentStation,
  Sound,
  CrewMsg,
  Stack,
};
inline constexpr std::size_t kMemberCount = static_cast<std::size_t>(Member::Stack) + 1;

// Key of the member in files of the current version ("rail", "series", ...).
const char* member_key(Member m);
// The member name the writer gives the table ("rail.csv", "sound.ini", ...).
const char* member_file_name(Member m);

// Where a table comes from. Files of old versions take some tables from
// fixed files in the program's old_map folder instead of from the bundle.
struct MemberSource {
  std::string name;        // the key's value as read (CP932, untrusted); empty when missing
  std::string fixed_path;  // program folder + "/old_map/..." when set; `name` is then unused

  bool from_old_map() const { return !fixed_path.empty(); }
  // The fixed file, or the member folder (ending in '/') + name.
  std::string path_in(std::string_view member_folder) const;
};

// The tables sized by [StructSize], in the order they are written.
enum class Table {
  Rail,
  PRail,
  Point,
  Target,
  Station,
  StationDraw,
  Row,
  Jump,
  Detail,
  RouteLever,
  RouteButton,
  AccidentBetween,
  AccidentRail,
  AccidentPoint,
  AccidentUnit,
  AccidentStation,
  Diagram,
  Train,
  Unit,
};
inline constexpr std::size_t kTableCount = static_cast<std::size_t>(Table::Unit) + 1;

// Largest table size accepted from a file; larger values are cut to it.
inline constexpr int kMaxTableSize = 1'000'000;

const char* table_key(Table t);
// The size a table gets when its key is missing.
int table_default_size(Table t);

// Highest usable record number per table: a table of size N holds 0 .. N.
class TableSizes {
 public:
  // Every table at its default size.
  TableSizes();
  // Every table at `n`.
  static TableSizes all(int n);

  int operator[](Table t) const { return n_[static_cast<std::size_t>(t)]; }
  int& operator[](Table t) { return n_[static_cast<std::size_t>(t)]; }
  bool operator==(const TableSizes&) const = default;

 private:
  std::array<int, kTableCount> n_{};
};

struct Header {
  // The version read; the writer sets it to kFormatVersion.
  int loaded_version = kFormatVersion;
  int wdia_mode = 0;          // 1: the dia came from a WinDIA import
  int start_time = 6 * 3600;  // seconds after midnight
  DiaSettings dia;
  MapSettings map;
  PassengerFlags passengers;
  std::array<MemberSource, kMemberCount> members;
  TableSizes sizes;
  DisplaySettings display;
  DisplayWindowSections display_windows;

  const MemberSource& member(Member m) const { return members[static_cast<std::size_t>(m)]; }
  MemberSource& member(Member m) { return members[static_cast<std::size_t>(m)]; }
  // Executed data: the header names a stack member.
  bool has_stack() const { return !member(Member::Stack).name.empty(); }
};

}  // namespace vosk::datafiles
