#include "datafiles/bundle_writer.h"

#include "base/csv.h"
#include "datafiles/bundle.h"
#include "datafiles/header_writer.h"
#include "dia/dia_members.h"
#include "map/signal_member.h"
#include "map/station.h"
#include "stock/performance_tables.h"
#include "stock/series_csv.h"
#include "stock/series_sounds.h"

namespace vosk::datafiles {
namespace {

class MemberStream {
 public:
  MemberStream(std::string& bundle, const BundleWriteOptions& options)
      : bundle_(bundle), options_(options) {}

  // Writes "#name" and then the content produced by `write`.
  template <class Write>
  void member(std::string_view name, Write&& write) {
    if (options_.on_member) options_.on_member(name);
    bundle::write_member_header(bundle_, name);
    csv::Writer out;
    out.buffer().swap(bundle_);
    write(out);
    out.buffer().swap(bundle_);
  }

 private:
  std::string& bundle_;
  const BundleWriteOptions& options_;
};

}  // namespace

TableSizes table_records(const DataSet& ds) {
  TableSizes t = TableSizes::all(0);
  const MapTables& m = ds.map;
  t[Table::Rail] = m.rails.capacity();
  t[Table::PRail] = m.prails.capacity();
  t[Table::Point] = m.points.capacity();
  t[Table::Target] = m.targets.capacity();
  t[Table::Station] = m.stations.capacity();
  t[Table::StationDraw] = m.station_draws.capacity();
  t[Table::Row] = m.rows.capacity();
  t[Table::Jump] = m.jumps.capacity();
  t[Table::Detail] = m.details.capacity();
  t[Table::RouteLever] = m.route_levers.capacity();
  t[Table::RouteButton] = m.route_buttons.capacity();
  dia::DiaCapacities c = dia::dia_capacities(ds.dia);
  t[Table::AccidentBetween] = c.accident_between;
  t[Table::AccidentRail] = c.accident_rail;
  t[Table::AccidentPoint] = c.accident_point;
  t[Table::AccidentUnit] = c.accident_unit;
  t[Table::AccidentStation] = c.accident_station;
  t[Table::Diagram] = c.diagram;
  t[Table::Train] = c.train;
  t[Table::Unit] = c.unit;
  return t;
}

std::string write_bundle(DataSet& ds, const BundleWriteOptions& options) {
  std::string bundle;
  // The event lines are most of a large dia (about 20 bytes each); room for
  // them up front saves copying the text as it grows.
  std::size_t events = 0;
  for (const dia::Diagram& d : ds.dia.diagrams) events += d.events.size();
  bundle.reserve((std::size_t{1} << 20) + 24 * events);
  MemberStream s(bundle, options);
  const MapTables& m = ds.map;
  const stock::SeriesTable& series = ds.series;
  const dia::DiaTables& d = ds.dia;
  const dia::ClassificationTables& t = ds.classification;

  HeaderWriteInput header_input;
  header_input.records = table_records(ds);
  header_input.with_stack = static_cast<bool>(options.stack_member);
  header_input.english_start_locale = options.english_start_locale;
  header_input.display_windows = options.display_windows;
  s.member(kHeaderMemberName, [&](csv::Writer& out) {
    write_header(out.buffer(), ds.header, header_input);
  });

  s.member("rail.csv", [&](csv::Writer& out) { map::write_rails(m.rails, out); });
  s.member("p_rail.csv", [&](csv::Writer& out) { map::write_prails(m.prails, out); });
  s.member("point1.csv", [&](csv::Writer& out) { map::write_point1(m.points, out); });
  s.member("point2.csv", [&](csv::Writer& out) { map::write_point2(m.points, out); });
  s.member("target.csv", [&](csv::Writer& out) { map::write_targets(m.targets, out); });
  s.member("station.csv", [&](csv::Writer& out) { map::write_stations(m.stations, out); });
  s.member("station_draw.csv", [&](csv::Writer& out) { map::write_station_draw(m.station_draws, out); });
  s.member("row.csv", [&](csv::Writer& out) { map::write_row(m.rows, out); });
  s.member("jump.csv", [&](csv::Writer& out) { map::write_jump(m.jumps, out); });
  s.member("detail.csv", [&](csv::Writer& out) { map::write_detail(m.details, out); });
  s.member("signal_set.csv", [&](csv::Writer& out) { map::write_signal_set(m.signals, out); });
  s.member("signal.csv", [&](csv::Writer& out) { map::write_signal(m.signals, out); });

  s.member("series.csv", [&](csv::Writer& out) { stock::write_series(series, out); });
  for (int n = 1; n <= series.extent(); ++n)
    s.member(stock::acceleration_member_name(n),
             [&](csv::Writer& out) { stock::write_acceleration_member(series, n, out); });
  for (int n = 1; n <= series.extent(); ++n)
    s.member(stock::curve_limit_member_name(n),
             [&](csv::Writer& out) { stock::write_curve_limit_member(series, n, out); });

  s.member("train.csv", [&](csv::Writer& out) { dia::write_train(d, out); });
  s.member("unit.csv", [&](csv::Writer& out) { dia::write_unit(d, out); });
  s.member("diagram.csv", [&](csv::Writer& out) { dia::write_diagram(d, out); });
  s.member("d_event.csv", [&](csv::Writer& out) { dia::write_d_event(d, out); });
  s.member("d_pattern.csv", [&](csv::Writer& out) { dia::write_d_pattern(t.patterns, out); });
  s.member("d_type.csv", [&](csv::Writer& out) { dia::write_d_type(t.train_types, out); });
  s.member("d_mode.csv", [&](csv::Writer& out) { dia::write_d_mode(t.display_targets, out); });
  s.member("velocity.csv", [&](csv::Writer& out) { dia::write_velocity(t.speed_types, out); });
  s.member("require_time.csv", [&](csv::Writer& out) { dia::write_require_time(t.speed_types, out); });
  s.member("stop_time.csv", [&](csv::Writer& out) { dia::write_stop_time(t.stop_times, out); });
  s.member("passenger.csv", [&](csv::Writer& out) { dia::write_passenger(t.passengers, out); });
  s.member("route_lever.csv", [&](csv::Writer& out) { map::write_route_lever(m.route_levers, out); });
  s.member("route_button.csv", [&](csv::Writer& out) { map::write_route_button(m.route_buttons, out); });
  s.member("accident_between.csv", [&](csv::Writer& out) { dia::write_accident_between(d, out); });
  s.member("accident_rail.csv", [&](csv::Writer& out) { dia::write_accident_rail(d, out); });
  s.member("accident_point.csv", [&](csv::Writer& out) { dia::write_accident_point(d, out); });
  s.member("accident_unit.csv", [&](csv::Writer& out) { dia::write_accident_unit(d, out); });
  s.member("accident_station.csv", [&](csv::Writer& out) { dia::write_accident_station(d, out); });

  dia::SoundParts parts;
  parts.station_melodies = [&](csv::Writer& out) { map::write_station_melodies(m.stations, out); };
  parts.series_sounds = [&](dia::SeriesSound sound, csv::Writer& out) {
    stock::write_series_sound_lines(series, static_cast<int>(sound), out);
  };
  s.member("sound.ini", [&](csv::Writer& out) { dia::write_sound(t.sound, parts, out); });
  s.member("crew_msg.ini", [&](csv::Writer& out) { dia::write_crew_msg(t.crew_messages, out); });
  if (options.stack_member)
    s.member("stack.csv", [&](csv::Writer& out) { options.stack_member(out.buffer()); });
  return bundle;
}

}  // namespace vosk::datafiles
