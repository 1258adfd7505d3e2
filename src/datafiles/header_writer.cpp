#include "datafiles/header_writer.h"

#include <algorithm>

#include "base/csv.h"
#include "datafiles/header_format.h"

namespace vosk::datafiles {
namespace {

const char* flag_line(bool on, const char* on_line, const char* off_line) {
  return on ? on_line : off_line;
}

void write_format(csv::Writer& out, const Header& h) {
  out.text("[K-ORV]\n");
  out.printf("version=%d\n", kFormatVersion);
  out.printf("WdiaMode=%d\n", h.wdia_mode);
  out.text("\n");
}

void write_members(csv::Writer& out, bool with_stack) {
  auto file = member_file_name;
  out.printf("[%s]\n", header_section::kFiles);
  out.printf("rail=%s\n", file(Member::Rail));
  out.printf("p_rail=%s\n", file(Member::PRail));
  out.printf("point1=%s\n", file(Member::Point1));
  out.printf("point2=%s\n", file(Member::Point2));
  out.printf("target=%s\n", file(Member::Target));
  out.printf("station=%s\n", file(Member::Station));
  out.printf("station_draw=%s\n", file(Member::StationDraw));
  out.printf("row=%s\n", file(Member::Row));
  out.printf("jump=%s\n", file(Member::Jump));
  out.printf("detail=%s\n", file(Member::Detail));
  out.printf("signal_set=%s\n", file(Member::SignalSet));
  out.printf("signal=%s\n", file(Member::Signal));
  out.printf("series=%s\n", file(Member::Series));
  out.printf("train=%s\n", file(Member::Train));
  out.printf("unit=%s\n", file(Member::Unit));
  out.printf("diagram=%s\n", file(Member::Diagram));
  out.printf("d_event=%s\n", file(Member::DEvent));
  out.printf("d_type=%s\n", file(Member::DType));
  out.printf("d_mode=%s\n", file(Member::DMode));
  out.printf("d_pattern=%s\n", file(Member::DPattern));
  out.printf("velocity=%s\n", file(Member::Velocity));
  out.printf("require_time=%s\n", file(Member::RequireTime));
  out.printf("stop_time=%s\n", file(Member::StopTime));
  out.printf("passenger=%s\n", file(Member::Passenger));
  out.printf("route_lever=%s\n", file(Member::RouteLever));
  out.printf("route_button=%s\n", file(Member::RouteButton));
  out.printf("accident_between=%s\n", file(Member::AccidentBetween));
  out.printf("accident_rail=%s\n", file(Member::AccidentRail));
  out.printf("accident_point=%s\n", file(Member::AccidentPoint));
  out.printf("accident_unit=%s\n", file(Member::AccidentUnit));
  out.printf("accident_station=%s\n", file(Member::AccidentStation));
  out.printf("sound=%s\n", file(Member::Sound));
  out.printf("crew_msg=%s\n", file(Member::CrewMsg));
  if (with_stack) out.printf("stack=%s\n", file(Member::Stack));
  out.text("\n");
}

void write_start_time(csv::Writer& out, int t) {
  out.printf("[%s]\n", header_section::kStartTime);
  out.printf("hour=%02d\n", t / 3600);
  out.printf("minute=%02d\n", t / 60 % 60);
  out.printf("second=%02d\n", t % 60);
  out.text("\n");
}

void write_dia_settings(csv::Writer& out, const DiaSettings& d) {
  out.printf("[%s]\n", header_section::kDiaSettings);
  out.printf("unit=%02d\n", d.unit);
  out.printf("standard=%02d\n", d.standard);
  out.printf("reverse=%02d\n", d.reverse);
  out.printf("base_target=%02d\n", d.base_target);
  out.printf("stop_time_velocity=%02d\n", d.stop_time_velocity);
  out.printf("DiaTitle=%s\n", value_text(d.dia_title).c_str());
  out.printf("dia_comment=%s\n", value_text(d.dia_comment).c_str());
  out.text("\n");
}

void write_map_settings(csv::Writer& out, const MapSettings& m) {
  out.printf("[%s]\n", header_section::kMap);
  out.printf("signal_version=%d\n", m.signal_version);
  out.printf("map_name=%s\n", value_text(m.map_name).c_str());
  out.text(flag_line(m.map_pos_check, "MapPosCheck=1\n", "MapPosCheck=0\n"));
  out.printf("SignalVersion=%d\n", m.signal_version);
  out.printf("UseATC=%d\n", m.use_atc);
  out.printf("UseATS=%d\n", m.use_ats);
  out.printf("UseInterlocking=%d\n", m.use_interlocking);
  out.printf("UseArea=%d\n", m.use_area);
  out.printf("UseElectri=%d\n", m.use_electri);
  out.printf("UseCharacteristic=%d\n", m.use_characteristic);
  out.printf("RightDown=%d\n", m.right_down);
  out.printf("ViewDirec=%d\n", m.view_direc);
  out.printf("AreaOrder=%d\n", m.area_order);
  out.printf("RouteWarningDist=%d\n", m.route_warning_dist);
  out.printf("RouteCheckDist=%d\n", m.route_check_dist);
  out.printf("BreakSpareDist=%d\n", m.break_spare_dist);
  out.printf("LimitSpareDist=%d\n", m.limit_spare_dist);
  out.printf("StopSpareDist=%d\n", m.stop_spare_dist);
  out.printf("SignalFindDist=%d\n", m.signal_find_dist);
  out.printf("MaxSpeed=%d\n", m.max_speed);
  out.printf("ReAccelSpeed=%d\n", m.re_accel_speed);
  out.printf("GuidanceSpeed=%d\n", m.guidance_speed);
  out.printf("HandleATC=%d\n", m.handle_atc);
  out.text("\n");
}

void write_display_settings(csv::Writer& out, const DisplaySettings& d) {
  out.printf("[%s]\n", header_section::kDisplay);
  out.printf("font_size_mode=%d\n", d.font_size_mode);
  out.printf("scale_x=%d\n", d.scale_x);
  out.printf("scale_y=%d\n", d.scale_y);
  out.text("\n");
}

// A closed window is only "Open=0", with no blank line after it.
void write_display_windows(csv::Writer& out, const Header& h, const HeaderWriteInput& in) {
  for (int i = 0; i < kDisplayWindowCount; ++i) {
    out.printf("[%s]\n", display_window_section_name(i).c_str());
    if (in.display_windows) {
      auto view = in.display_windows->open_window(i);
      if (!view) {
        out.text("Open=0\n");
        continue;
      }
      out.text("Open=1\n");
      write_display_window_lines(out, *view, in.english_start_locale);
    } else {
      const DisplayWindowSection& kept = h.display_windows[static_cast<std::size_t>(i)];
      if (!kept.open) {
        out.text("Open=0\n");
        continue;
      }
      out.text("Open=1\n");
      for (const std::string& line : kept.lines) {
        out.text(line);
        out.text("\n");
      }
    }
    out.text("\n");
  }
}

void write_passenger_flags(csv::Writer& out, const PassengerFlags& p) {
  out.printf("[%s]\n", header_section::kPassengers);
  out.text(flag_line(p.sp_avoid, "SPAvoid=1\n", "SPAvoid=0\n"));
  out.text(flag_line(p.sp_graph, "SPGraph=1\n", "SPGraph=0\n"));
  out.text(flag_line(p.sp_hour, "SPHour=1\n", "SPHour=0\n"));
  out.text(flag_line(p.sp_train, "SPTrain=1\n", "SPTrain=0\n"));
  out.text("\n");
}

// The dia tables are sized by the caller; every other table keeps the
// size read, raised to hold what was added since.
TableSizes sizes_to_write(const TableSizes& read, const TableSizes& records) {
  TableSizes out;
  for (std::size_t i = 0; i < kTableCount; ++i) {
    Table t = static_cast<Table>(i);
    bool dia_table = t == Table::Diagram || t == Table::Train || t == Table::Unit;
    out[t] = dia_table ? records[t] : std::max(read[t], records[t]);
  }
  return out;
}

void write_table_sizes(csv::Writer& out, const TableSizes& s) {
  out.text("[StructSize]\n");
  out.printf("Rail=%d\n", s[Table::Rail]);
  out.printf("PRail=%d\n", s[Table::PRail]);
  out.printf("Point=%d\n", s[Table::Point]);
  out.printf("Target=%d\n", s[Table::Target]);
  out.printf("Station=%d\n", s[Table::Station]);
  out.printf("StationDraw=%d\n", s[Table::StationDraw]);
  out.printf("Row=%d\n", s[Table::Row]);
  out.printf("Jump=%d\n", s[Table::Jump]);
  out.printf("Detail=%d\n", s[Table::Detail]);
  out.printf("RouteLever=%d\n", s[Table::RouteLever]);
  out.printf("RouteButton=%d\n", s[Table::RouteButton]);
  out.printf("AccidentBetween=%d\n", s[Table::AccidentBetween]);
  out.printf("AccidentRail=%d\n", s[Table::AccidentRail]);
  out.printf("AccidentPoint=%d\n", s[Table::AccidentPoint]);
  out.printf("AccidentUnit=%d\n", s[Table::AccidentUnit]);
  out.printf("AccidentStation=%d\n", s[Table::AccidentStation]);
  out.printf("Diagram=%d\n", s[Table::Diagram]);
  out.printf("Train=%d\n", s[Table::Train]);
  out.printf("Unit=%d\n", s[Table::Unit]);
  out.text("\n");
}

}  // namespace

void write_header(std::string& bundle, Header& header, const HeaderWriteInput& input) {
  csv::Writer out;
  out.buffer() = std::move(bundle);

  TableSizes sizes = sizes_to_write(header.sizes, input.records);
  write_format(out, header);
  write_members(out, input.with_stack);
  write_start_time(out, header.start_time);
  write_dia_settings(out, header.dia);
  write_map_settings(out, header.map);
  write_display_settings(
      out, input.display_windows ? input.display_windows->display_settings() : header.display);
  write_display_windows(out, header, input);
  write_passenger_flags(out, header.passengers);
  write_table_sizes(out, sizes);

  bundle = out.take();
  header.loaded_version = kFormatVersion;
  header.sizes = sizes;
}

}  // namespace vosk::datafiles
