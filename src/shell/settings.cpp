#include "shell/settings.h"

#include <climits>
#include <string>

#include "base/format.h"
#include "base/text_file.h"

namespace vosk::shell {
namespace {

constexpr int kMegaByteShift = 20;

// The keys of [Setting] in table order; the file is written in this order,
// so a new settings file lists them exactly so.
template <class S, class Visitor>
void visit_settings(S& s, Visitor& v) {
  v.number("CallSpeed", s.call_speed);
  v.number("ViewSpeed", s.view_speed);
  v.number("AccidentSize", s.accident_size);
  for (std::size_t i = 0; i < s.accident_frequency.size(); ++i)
    v.number(format("AccidentFrequency%02d", static_cast<int>(i)), s.accident_frequency[i]);
  for (std::size_t i = 0; i < s.accident_repair.size(); ++i)
    v.number(format("AccidentRepair%02d", static_cast<int>(i)), s.accident_repair[i]);
  v.number("ViewType", s.view_type);
  v.number("ViewFor", s.view_for);
  v.flag("SmartView", s.smart_view);
  v.flag("TrackView", s.track_view);
  v.flag("RouteView", s.route_view);
  v.flag("InterView", s.inter_view);
  v.flag("ViewImage16", s.view_image16);
  v.flag("ToolWindow", s.tool_window);
  v.flag("InetCheck", s.inet_check);
  v.flag("RollBackFile", s.roll_back_file);
  v.flag("RollBackTrain", s.roll_back_train);
  v.flag("RollBackFast", s.roll_back_fast);
  v.megabytes("MinAvailPhys", s.min_avail_phys);
  v.megabytes("MinAvailPageFile", s.min_avail_page_file);
  v.flag("UseUndo", s.use_undo);
  v.flag("UseDuplicate", s.use_duplicate);
  v.flag("BackupFile", s.backup_file);
  v.flag("Extention", s.extention);
}

// Whole megabytes as the file holds them ("%d", so at most INT_MAX).
int to_megabytes(std::uint64_t bytes) {
  std::uint64_t mb = bytes >> kMegaByteShift;
  return mb > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(mb);
}

class Reader {
 public:
  explicit Reader(const ini::Document& doc) : doc_(doc) {}
  void number(const std::string& key, int& value) {
    value = doc_.get_int(kSettingSection, key, value);
  }
  void flag(const std::string& key, bool& value) {
    value = doc_.get_int(kSettingSection, key, value ? 1 : 0) != 0;
  }
  // A negative count would turn into an enormous byte limit after the
  // shift; no limit (0) is the safe reading.
  void megabytes(const std::string& key, std::uint64_t& bytes) {
    int mb = doc_.get_int(kSettingSection, key, to_megabytes(bytes));
    bytes = mb < 0 ? 0 : static_cast<std::uint64_t>(mb) << kMegaByteShift;
  }

 private:
  const ini::Document& doc_;
};

class Writer {
 public:
  explicit Writer(ini::Document& doc) : doc_(doc) {}
  void number(const std::string& key, const int& value) {
    doc_.set_string(kSettingSection, key, format("%d", value));
  }
  void flag(const std::string& key, const bool& value) {
    doc_.set_string(kSettingSection, key, value ? "1" : "0");
  }
  void megabytes(const std::string& key, const std::uint64_t& bytes) {
    doc_.set_string(kSettingSection, key, format("%d", to_megabytes(bytes)));
  }

 private:
  ini::Document& doc_;
};

constexpr SpeedItem kSpeedItems[] = {
    {1, 2000, 40003, "0.5x"}, {2, 1000, 40004, "1x"}, {3, 667, 40005, "1.5x"},
    {4, 500, 40006, "2x"},    {5, 333, 40007, "3x"},  {6, 250, 40008, "4x"},
    {7, 166, 40009, "6x"},    {8, 125, 40010, "8x"},  {9, 100, 40011, "10x"},
    {10, 66, 40012, "15x"},   {11, 33, 40013, "30x"}, {12, 17, 40016, "60x"},
    {13, 8, 40129, "120x"},   {14, 4, 40130, "240x"}, {15, 2, 40240, "480x"},
    {16, 1, 40241, "960x"},
};
constexpr int kUnknownSpeedPeriodMs = 1000;

constexpr FlagMenuItem kFlagMenuItems[] = {
    {"SmartView", 40262, &Settings::smart_view},
    {"TrackView", 40308, &Settings::track_view},
    {"RouteView", 40314, &Settings::route_view},
    {"InterView", 40337, &Settings::inter_view},
    {"ViewImage16", 40213, &Settings::view_image16},
    {"ToolWindow", 40485, &Settings::tool_window},
    {"InetCheck", 40226, &Settings::inet_check},
    {"UseUndo", 40433, &Settings::use_undo},
    {"UseDuplicate", 40434, &Settings::use_duplicate},
    {"BackupFile", 40320, &Settings::backup_file},
    {"Extention", 40256, &Settings::extention},
};

std::optional<int> radio_item(const std::array<int, 4>& ids, int value) {
  if (value < 0 || value >= static_cast<int>(ids.size())) return std::nullopt;
  return ids[static_cast<std::size_t>(value)];
}

// Value of a "Name:   1234 kB" line of /proc/meminfo, in bytes.
std::uint64_t meminfo_bytes(std::string_view text, std::string_view name) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (line.size() > name.size() && line.substr(0, name.size()) == name &&
        line[name.size()] == ':') {
      std::uint64_t kb = 0;
      for (char c : line.substr(name.size() + 1)) {
        if (c >= '0' && c <= '9')
          kb = kb * 10 + static_cast<std::uint64_t>(c - '0');
        else if (kb > 0)
          break;
      }
      return kb * 1024;
    }
    at = end + 1;
  }
  return 0;
}

}  // namespace

MachineMemory parse_meminfo(std::string_view meminfo) {
  return {meminfo_bytes(meminfo, "MemTotal") + meminfo_bytes(meminfo, "SwapTotal")};
}

MachineMemory read_machine_memory() {
  auto text = textfile::read_binary("/proc/meminfo");
  return text ? parse_meminfo(*text) : MachineMemory{};
}

Settings Settings::defaults(const MachineMemory& machine) {
  Settings s;
  s.min_avail_page_file = machine.total_page_file / 10;
  return s;
}

Settings read_settings(const ini::Document& settings_file, const MachineMemory& machine) {
  Settings s = Settings::defaults(machine);
  Reader reader(settings_file);
  visit_settings(s, reader);
  return s;
}

void write_settings(ini::Document& settings_file, const Settings& settings) {
  Writer writer(settings_file);
  visit_settings(settings, writer);
}

std::span<const SpeedItem> speed_items() { return kSpeedItems; }

TimerSpeed timer_speed(int call_speed) {
  for (const SpeedItem& item : kSpeedItems)
    if (item.call_speed == call_speed) return {item.period_ms, item.menu_id};
  return {kUnknownSpeedPeriodMs, std::nullopt};
}

std::span<const FlagMenuItem> flag_menu_items() { return kFlagMenuItems; }

std::optional<int> view_speed_menu_id(int view_speed) {
  return radio_item({40017, 40018, 40019, 40321}, view_speed);
}
std::optional<int> view_type_menu_id(int view_type) {
  return radio_item({40417, 40418, 40419, 40420}, view_type);
}
std::optional<int> view_for_menu_id(int view_for) {
  return radio_item({40421, 40422, 40423, 40424}, view_for);
}

}  // namespace vosk::shell
