#pragma once
// Section [Setting] of korv.ini: the user's options, read at start-up and
// written back at close. Many keys only pass through this program (they
// belong to the sibling simulator); they are read and written unchanged.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/ini.h"

namespace vosk::shell {

inline constexpr const char* kSettingSection = "Setting";

// Machine figures that some defaults depend on.
struct MachineMemory {
  std::uint64_t total_page_file = 0;  // bytes: commit limit, RAM plus swap
};

// MemTotal plus SwapTotal of /proc/meminfo text ("kB" lines); 0 when absent.
MachineMemory parse_meminfo(std::string_view meminfo);
// The same for this machine; 0 when /proc/meminfo cannot be read.
MachineMemory read_machine_memory();

struct Settings {
  int call_speed = 4;  // CallSpeed 1-16, clock multiplier; sets the main timer period
  int view_speed = 1;  // ViewSpeed 0-3, carried through
  int accident_size = 10;
  std::array<int, 4> accident_frequency{0, 3600, 1800, 900};  // AccidentFrequency00-03
  std::array<int, 4> accident_repair{0, 600, 1800, 7200};     // AccidentRepair00-03
  int view_type = 2;  // ViewType 0-3: train type on train labels
  int view_for = 2;   // ViewFor 0-3: destination on train labels
  bool smart_view = false;
  bool track_view = false;
  bool route_view = true;
  bool inter_view = true;
  bool view_image16 = true;
  bool tool_window = true;  // child windows get the tool-window style
  bool inet_check = true;   // ask before opening a web page
  bool roll_back_file = false;
  bool roll_back_train = true;
  bool roll_back_fast = true;
  // Memory limits in bytes; the file holds megabytes.
  std::uint64_t min_avail_phys = 0;
  std::uint64_t min_avail_page_file = 0;  // default: total page file / 10
  bool use_undo = true;
  bool use_duplicate = true;
  bool backup_file = true;  // automatic backup and the recovery check at start
  bool extention = false;   // key name spelled as in the file

  // Every default, with the page-file limit taken from the machine.
  static Settings defaults(const MachineMemory& machine);
};

// Keys missing from the file keep the defaults. Ints follow the profile-int
// rules; a flag is set by any nonzero value; the memory limits are stored
// in MB (a negative stored value counts as 0).
Settings read_settings(const ini::Document& settings_file, const MachineMemory& machine);

// Writes every key in table order: ints "%d", flags "1"/"0", memory limits
// as whole megabytes.
void write_settings(ini::Document& settings_file, const Settings& settings);

// CallSpeed: the main timer period and the speed menu item it checks.
struct SpeedItem {
  int call_speed;
  int period_ms;
  int menu_id;
  const char* label;  // menu text, e.g. "0.5x"
};
std::span<const SpeedItem> speed_items();

struct TimerSpeed {
  int period_ms;
  std::optional<int> menu_id;  // none: no speed item is checked
};
// Any CallSpeed outside 1-16 gives 1000 ms and no checked item.
TimerSpeed timer_speed(int call_speed);

// Flags that have a check-mark menu item. Reading sets the mark; the item's
// command toggles the flag and the mark.
struct FlagMenuItem {
  const char* key;
  int menu_id;
  bool Settings::*flag;
};
std::span<const FlagMenuItem> flag_menu_items();

// Radio menu items: ViewSpeed 0-3, ViewType 0-3, ViewFor 0-3. nullopt for a
// value outside 0-3 (no item checked).
std::optional<int> view_speed_menu_id(int view_speed);
std::optional<int> view_type_menu_id(int view_type);
std::optional<int> view_for_menu_id(int view_for);

}  // namespace vosk::shell
