// info and convert: whole data sets, opened and saved as the editor does.
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/sjis.h"
#include "cli_prompt.h"
#include "commands.h"
#include "datafiles/data_set_summary.h"
#include "datafiles/file_kind.h"
#include "datafiles/open_save.h"
#include "shell/home.h"

namespace vosk::cli {

std::optional<OpenOptions> parse_open_options(const Args& args, bool allow_json) {
  OpenOptions o;
  for (const std::string& a : args) {
    if (a == "--json" && allow_json)
      o.json = true;
    else if (a == "--yes")
      o.policy.yes_to_repairs = true;
    else if (a == "--strict")
      o.policy.fail_on_warning = true;
    else if (a.size() > 2 && a.rfind("--", 0) == 0)
      return std::nullopt;
    else
      o.positional.push_back(a);
  }
  return o;
}

namespace {

std::string json_text(const std::string& cp932) {
  std::string utf8 = sjis::to_utf8_lossy(cp932), out;
  for (unsigned char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int count_running_times(const dia::SpeedTypeTable& types) {
  std::size_t n = 0;
  for (int k = 1; k <= types.extent(); ++k) n += types[k].running_times.size();
  return static_cast<int>(n);
}

}  // namespace

// The program folder for batch work: old_map files and settings live there.
std::string cli_program_folder() {
  std::string error;
  return shell::locate_home(std::nullopt, &error).value_or(".");
}

int run_info(const Args& args) {
  auto o = parse_open_options(args, true);
  if (!o || o->positional.size() != 1) return usage_error("info takes FILE [--json]");
  CliPrompt prompt(o->policy);
  datafiles::Session session{prompt, cli_program_folder()};
  auto ds = datafiles::read_data_set(o->positional[0], session);
  if (!ds || prompt.strict_failure()) return kDataError;

  const datafiles::MapTables& m = ds->map;
  const dia::ClassificationTables& c = ds->classification;
  struct Row {
    const char* name;
    int count;
  };
  const Row rows[] = {
      {"rail", m.rails.extent()},
      {"p_rail", m.prails.extent()},
      {"point", m.points.extent()},
      {"target", m.targets.extent()},
      {"station", m.stations.extent()},
      {"station_draw", m.station_draws.extent()},
      {"row", m.rows.extent()},
      {"jump", m.jumps.extent()},
      {"detail", m.details.extent()},
      {"signal_set", m.signals.sets.extent()},
      {"route_lever", m.route_levers.extent()},
      {"route_button", m.route_buttons.extent()},
      {"series", ds->series.extent()},
      {"train", ds->dia.trains.extent()},
      {"unit", ds->dia.units.extent()},
      {"diagram", datafiles::run_count(ds->dia)},
      {"train_type", c.train_types.extent()},
      {"display_target", c.display_targets.extent()},
      {"pattern", c.patterns.extent()},
      {"speed_type", c.speed_types.extent()},
      {"running_time", count_running_times(c.speed_types)},
      {"stop_time", static_cast<int>(c.stop_times.size())},
      {"passenger", static_cast<int>(c.passengers.size())},
      {"accident_between", ds->dia.accidents.between.extent()},
      {"accident_rail", ds->dia.accidents.rail.extent()},
      {"accident_point", ds->dia.accidents.point.extent()},
      {"accident_unit", ds->dia.accidents.unit.extent()},
      {"accident_station", ds->dia.accidents.station.extent()},
  };
  const datafiles::Header& h = ds->header;
  if (o->json) {
    std::printf("{\"version\": %d, \"map_name\": \"%s\", \"dia_title\": \"%s\", \"tables\": {",
                h.loaded_version, json_text(h.map.map_name).c_str(),
                json_text(h.dia.dia_title).c_str());
    bool first = true;
    for (const Row& r : rows) {
      std::printf("%s\"%s\": %d", first ? "" : ", ", r.name, r.count);
      first = false;
    }
    std::printf("}}\n");
  } else {
    std::printf("version    %d\nmap name   %s\ndia title  %s\n", h.loaded_version,
                sjis::to_utf8_lossy(h.map.map_name).c_str(),
                sjis::to_utf8_lossy(h.dia.dia_title).c_str());
    for (const Row& r : rows) std::printf("%-18s %d\n", r.name, r.count);
  }
  return kOk;
}

int run_convert(const Args& args) {
  auto o = parse_open_options(args, false);
  if (!o || o->positional.size() != 2) return usage_error("convert takes IN OUT [--yes] [--strict]");
  CliPrompt prompt(o->policy);
  datafiles::Session session{prompt, cli_program_folder()};
  auto ds = datafiles::read_data_set(o->positional[0], session);
  if (!ds || prompt.strict_failure()) return kDataError;
  if (!datafiles::write_data_set(o->positional[1], *ds, session, {})) return kDataError;
  return kOk;
}

}  // namespace vosk::cli
