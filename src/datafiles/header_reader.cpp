#include "datafiles/header_reader.h"

#include <algorithm>
#include <climits>

#include "base/format.h"
#include "base/ini.h"
#include "base/load_warnings.h"
#include "datafiles/header_format.h"
#include "datafiles/header_members.h"

namespace vosk::datafiles {
namespace {

namespace sec = header_section;

constexpr const char* kNewerVersionText =
    "このデータは、現在お使いの当ソフトウェアよりも新しいバージョンで作られています。\n"
    "当ソフトウェアのバージョンアップをおすすめします。\n"
    "読み込みを続けた場合、正しく動作しない可能性があります。\n";

constexpr const char* kTableLoadFailedText =
    "データの読み込みに失敗しました。\nこのまま続けた場合、正しく動作しない可能性があります。\n";

ReadStatus ask_abort_retry_ignore(Prompt& prompt, const char* text) {
  switch (prompt.ask(caption::kReadWarning, text, Buttons::AbortRetryIgnore)) {
    case Answer::Ignore:
      return ReadStatus::Ok;
    case Answer::Retry:
      return ReadStatus::Retry;
    default:
      return ReadStatus::Abort;
  }
}

bool read_flag(const ini::Document& doc, const char* section, const char* key, bool fallback) {
  return doc.get_int(section, key, fallback ? 1 : 0) != 0;
}

// Seconds; absurd hours cannot overflow the 32-bit time.
int read_start_time(const ini::Document& doc) {
  long long t = 3600LL * doc.get_int(sec::kStartTime, "hour", 6) +
                60LL * doc.get_int(sec::kStartTime, "minute", 0) +
                doc.get_int(sec::kStartTime, "second", 0);
  return static_cast<int>(std::clamp<long long>(t, INT_MIN, INT_MAX));
}

DiaSettings read_dia_settings(const ini::Document& doc) {
  const char* s = sec::kDiaSettings;
  DiaSettings d;
  d.unit = doc.get_int(s, "unit", d.unit);
  d.standard = doc.get_int(s, "standard", d.standard);
  d.reverse = doc.get_int(s, "reverse", d.reverse);
  d.base_target = doc.get_int(s, "base_target", d.base_target);
  d.stop_time_velocity = doc.get_int(s, "stop_time_velocity", d.stop_time_velocity);
  d.dia_title = doc.get_string(s, "DiaTitle", "", kMaxHeaderText);
  d.dia_comment = doc.get_string(s, "dia_comment", "", kMaxHeaderText);
  return d;
}

MapSettings read_map_settings(const ini::Document& doc) {
  const char* s = sec::kMap;
  MapSettings m;
  m.map_name = doc.get_string(s, "map_name", "", kMaxHeaderText);
  m.map_pos_check = read_flag(doc, s, "MapPosCheck", m.map_pos_check);
  // Older files only have signal_version; a 0 under the new key defers to it.
  m.signal_version = doc.get_int(s, "SignalVersion", 0);
  if (m.signal_version == 0) m.signal_version = doc.get_int(s, "signal_version", 0);
  m.use_atc = doc.get_int(s, "UseATC", m.use_atc);
  m.use_ats = doc.get_int(s, "UseATS", m.use_ats);
  m.use_interlocking = doc.get_int(s, "UseInterlocking", m.use_interlocking);
  m.use_area = doc.get_int(s, "UseArea", m.use_area);
  m.use_electri = doc.get_int(s, "UseElectri", m.use_electri);
  m.use_characteristic = doc.get_int(s, "UseCharacteristic", m.use_characteristic);
  m.right_down = doc.get_int(s, "RightDown", m.right_down);
  m.view_direc = doc.get_int(s, "ViewDirec", m.view_direc);
  m.area_order = doc.get_int(s, "AreaOrder", m.area_order);
  m.route_warning_dist = doc.get_int(s, "RouteWarningDist", m.route_warning_dist);
  m.route_check_dist = doc.get_int(s, "RouteCheckDist", m.route_check_dist);
  m.break_spare_dist = doc.get_int(s, "BreakSpareDist", m.break_spare_dist);
  m.limit_spare_dist = doc.get_int(s, "LimitSpareDist", m.limit_spare_dist);
  m.stop_spare_dist = doc.get_int(s, "StopSpareDist", m.stop_spare_dist);
  m.signal_find_dist = doc.get_int(s, "SignalFindDist", m.signal_find_dist);
  m.max_speed = doc.get_int(s, "MaxSpeed", m.max_speed);
  m.re_accel_speed = doc.get_int(s, "ReAccelSpeed", m.re_accel_speed);
  m.guidance_speed = doc.get_int(s, "GuidanceSpeed", m.guidance_speed);
  m.handle_atc = doc.get_int(s, "HandleATC", m.handle_atc);
  m.safety_system = m.use_atc != 0 ? SafetySystem::Atc : SafetySystem::Ats;
  return m;
}

PassengerFlags read_passenger_flags(const ini::Document& doc) {
  const char* s = sec::kPassengers;
  PassengerFlags p;
  p.sp_avoid = read_flag(doc, s, "SPAvoid", p.sp_avoid);
  p.sp_graph = read_flag(doc, s, "SPGraph", p.sp_graph);
  p.sp_hour = read_flag(doc, s, "SPHour", p.sp_hour);
  p.sp_train = read_flag(doc, s, "SPTrain", p.sp_train);
  return p;
}

std::string old_map_path(std::string_view program_folder, const char* file) {
  std::string path(program_folder);
  while (!path.empty() && path.back() == '/') path.pop_back();
  path += "/old_map/";
  path += file;
  return path;
}

MemberSource read_member(const ini::Document& doc, const MemberRule& rule, int version,
                         std::string_view program_folder) {
  MemberSource source;
  if (version < rule.read_from) {
    if (rule.old_map) source.fixed_path = old_map_path(program_folder, rule.old_map);
    return source;
  }
  const char* key =
      rule.older_key && version < kFirstVersionWithNewKeys ? rule.older_key : rule.key;
  source.name = doc.get_string(sec::kFiles, key, "", kMaxHeaderText);
  return source;
}

// A size below 0 or above kMaxTableSize cannot be meant: a negative one
// falls back to the default, a huge one is cut to the limit. One warning
// for the whole section.
TableSizes read_table_sizes(const ini::Document& doc, Prompt& prompt) {
  MemberWarnings warnings(prompt, kHeaderMemberName);
  TableSizes sizes;
  for (std::size_t i = 0; i < kTableCount; ++i) {
    Table t = static_cast<Table>(i);
    int n = doc.get_int(sec::kStructSize, table_key(t), table_default_size(t));
    int kept = n < 0 ? table_default_size(t) : std::min(n, kMaxTableSize);
    if (kept != n)
      warnings.warn(format("'%s'の[StructSize]の%s=%dは範囲外のため、%dとして読み込みます。\n",
                           kHeaderMemberName, table_key(t), n, kept));
    sizes[t] = kept;
  }
  return sizes;
}

}  // namespace

HeaderReadResult read_header(std::string_view content, std::string_view program_folder,
                             Prompt& prompt) {
  HeaderReadResult result;
  Header& h = result.header;
  ini::Document doc = ini::Document::parse(content);

  int version = doc.get_int(sec::kFormat, "version", 0);
  if (version > kFormatVersion) {
    result.status = ask_abort_retry_ignore(prompt, kNewerVersionText);
    if (!result.ok()) return result;
  }
  h.loaded_version = version;
  h.wdia_mode = doc.get_int(sec::kFormat, "WdiaMode", 0);
  h.start_time = read_start_time(doc);
  h.dia = read_dia_settings(doc);
  h.map = read_map_settings(doc);
  h.passengers = read_passenger_flags(doc);
  for (std::size_t i = 0; i < kMemberCount; ++i)
    h.members[i] = read_member(doc, member_rule(static_cast<Member>(i)), version, program_folder);

  h.sizes = read_table_sizes(doc, prompt);
  h.display = read_display_settings(doc);
  h.display_windows = read_display_windows(content, doc);
  return result;
}

ReadStatus ask_after_failed_table_load(Prompt& prompt) {
  return ask_abort_retry_ignore(prompt, kTableLoadFailedText);
}

}  // namespace vosk::datafiles
