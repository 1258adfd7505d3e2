#include "datafiles/table_loader.h"

#include <vector>

#include "datafiles/header_members.h"
#include "datafiles/map_lookup.h"
#include "dia/dia_load.h"
#include "dia/dia_members.h"
#include "dia/dia_operations.h"
#include "map/point_operations.h"
#include "map/rail_label.h"
#include "map/track_list.h"
#include "stock/performance_tables.h"
#include "stock/series_csv.h"
#include "stock/series_operations.h"
#include "stock/series_sounds.h"

namespace vosk::datafiles {
namespace {

// Accident members exist from this version on; older files have none.
constexpr int kFirstVersionWithAccidents = 1210;
// Older files keep no speed types of their own.
constexpr int kFirstVersionWithSpeedTypes = 1070;

class Loader {
 public:
  Loader(DataSet& ds, MemberLookup& members, Prompt& prompt)
      : ds_(ds), members_(members), prompt_(prompt), version_(ds.header.loaded_version) {}

  // Reads member `m` with `read` when the data version carries it; warns
  // when a member the header should name is missing.
  template <class Read>
  void read(Member m, Read&& read) {
    const MemberSource& source = ds_.header.member(m);
    MemberWarnings warnings(prompt_, display_name(m));
    std::optional<std::string_view> content = members_.find(source);
    if (!content) {
      if (expected(m)) warnings.missing_member();
      return;
    }
    read(*content, warnings);
  }

  // A member looked up by its own name (the series performance tables).
  template <class Read>
  void read_named(const std::string& name, Read&& read) {
    MemberWarnings warnings(prompt_, name);
    MemberSource source;
    source.name = name;
    std::optional<std::string_view> content = members_.find(source);
    if (!content) {
      if (version_ >= kFirstVersionWithTables) warnings.missing_member();
      return;
    }
    read(*content, warnings);
  }

  void load_map();
  void load_series();
  void load_dia();
  void load_classification();
  void load_sound_and_crew();

 private:
  static constexpr int kFirstVersionWithTables = 1150;

  std::string display_name(Member m) const {
    const MemberSource& s = ds_.header.member(m);
    if (s.from_old_map()) return s.fixed_path;
    return s.name.empty() ? member_file_name(m) : s.name;
  }

  bool expected(Member m) const {
    if (m == Member::Stack) return false;
    if (version_ < member_rule(m).read_from && !member_rule(m).old_map) return false;
    switch (m) {
      case Member::AccidentBetween:
      case Member::AccidentRail:
      case Member::AccidentPoint:
      case Member::AccidentUnit:
      case Member::AccidentStation:
        return version_ >= kFirstVersionWithAccidents;
      case Member::Velocity:
        return version_ >= kFirstVersionWithSpeedTypes;
      default:
        return true;
    }
  }

  DataSet& ds_;
  MemberLookup& members_;
  Prompt& prompt_;
  int version_;
};

void Loader::load_map() {
  MapTables& m = ds_.map;
  const TableSizes& sizes = ds_.header.sizes;
  m.rails.allocate(sizes[Table::Rail]);
  m.prails.allocate(sizes[Table::PRail]);
  m.points.allocate(sizes[Table::Point]);
  m.targets.allocate(sizes[Table::Target]);
  m.stations.allocate(sizes[Table::Station]);
  m.station_draws.allocate(sizes[Table::StationDraw]);
  m.rows.allocate(sizes[Table::Row]);
  m.jumps.allocate(sizes[Table::Jump]);
  m.details.allocate(sizes[Table::Detail]);
  m.route_levers.allocate(sizes[Table::RouteLever]);
  m.route_buttons.allocate(sizes[Table::RouteButton]);
  m.signals.clear();

  int v = version_;
  read(Member::Rail, [&](auto c, auto& w) { map::read_rails(c, v, m.rails, w); });
  read(Member::PRail, [&](auto c, auto& w) { map::read_prails(c, v, m.prails, w); });
  // point2.csv takes its layout from point1.csv's counts.
  read(Member::Point1, [&](auto c, auto& w) { map::read_point1(c, v, m.points, w); });
  read(Member::Point2, [&](auto c, auto& w) { map::read_point2(c, v, m.points, w); });
  read(Member::Station, [&](auto c, auto& w) { map::read_stations(c, v, m.stations, w); });
  read(Member::Target, [&](auto c, auto& w) { map::read_targets(c, v, m.targets, w); });
  map::copy_station_distances(v, m.stations, m.targets);
  read(Member::StationDraw, [&](auto c, auto& w) { map::read_station_draw(c, v, m.station_draws, w); });
  read(Member::Row, [&](auto c, auto& w) { map::read_row(c, v, m.rows, w); });
  read(Member::Jump, [&](auto c, auto& w) { map::read_jump(c, v, m.jumps, w); });
  read(Member::Detail, [&](auto c, auto& w) { map::read_detail(c, v, m.details, w); });
  // Old maps without signal sets still get the single default set.
  bool has_sets = ds_.header.member(Member::SignalSet).from_old_map() ||
                  !ds_.header.member(Member::SignalSet).name.empty();
  if (has_sets) {
    read(Member::SignalSet, [&](auto c, auto& w) { map::read_signal_set(c, v, m.signals, w); });
  } else {
    MemberWarnings none(prompt_, member_file_name(Member::SignalSet));
    map::read_signal_set("", v, m.signals, none);
  }
  read(Member::Signal, [&](auto c, auto& w) { map::read_signal(c, v, m.signals, w); });
  read(Member::RouteLever, [&](auto c, auto& w) { map::read_route_lever(c, v, m.route_levers, w); });
  read(Member::RouteButton, [&](auto c, auto& w) { map::read_route_button(c, v, m.route_buttons, w); });
}

void Loader::load_series() {
  stock::reset_series(ds_.series);
  int v = version_;
  read(Member::Series, [&](auto c, auto& w) { stock::read_series(c, v, ds_.series, w); });
  for (int n = 1; n <= ds_.series.extent(); ++n) {
    read_named(stock::acceleration_member_name(n), [&](auto c, auto& w) {
      stock::read_acceleration_member(c, v, n, ds_.series, w);
    });
  }
  for (int n = 1; n <= ds_.series.extent(); ++n) {
    read_named(stock::curve_limit_member_name(n), [&](auto c, auto& w) {
      stock::read_curve_limit_member(c, v, n, ds_.series, w);
    });
  }
}

void Loader::load_dia() {
  const TableSizes& sizes = ds_.header.sizes;
  dia::DiaCapacities capacities;
  capacities.diagram = sizes[Table::Diagram];
  capacities.train = sizes[Table::Train];
  capacities.unit = sizes[Table::Unit];
  capacities.accident_between = sizes[Table::AccidentBetween];
  capacities.accident_rail = sizes[Table::AccidentRail];
  capacities.accident_point = sizes[Table::AccidentPoint];
  capacities.accident_unit = sizes[Table::AccidentUnit];
  capacities.accident_station = sizes[Table::AccidentStation];
  // Runs are numbered freely and the table grows on demand; an old header
  // without a Diagram size must not make every run unreadable. Read with
  // room for any sane number, then keep the header's size as the capacity.
  dia::DiaCapacities reading = capacities;
  reading.diagram = dia::kMaxDiaRecordNumber;
  dia::allocate_dia_tables(ds_.dia, reading);
  // Room for a run's events: every point, both ends of every target, the end entry.
  ds_.dia.event_capacity = ds_.map.points.extent() + 2 * ds_.map.targets.extent() + 1;

  int v = version_;
  dia::DiaTables& d = ds_.dia;
  read(Member::Train, [&](auto c, auto& w) { dia::read_train(c, v, d, w); });
  read(Member::Unit, [&](auto c, auto& w) { dia::read_unit(c, v, d, w); });
  read(Member::Diagram, [&](auto c, auto& w) { dia::read_diagram(c, v, d, w); });
  read(Member::DEvent, [&](auto c, auto& w) { dia::read_d_event(c, v, d, w); });
  read(Member::AccidentBetween, [&](auto c, auto& w) { dia::read_accident_between(c, v, d, w); });
  read(Member::AccidentRail, [&](auto c, auto& w) { dia::read_accident_rail(c, v, d, w); });
  read(Member::AccidentPoint, [&](auto c, auto& w) { dia::read_accident_point(c, v, d, w); });
  read(Member::AccidentUnit, [&](auto c, auto& w) { dia::read_accident_unit(c, v, d, w); });
  read(Member::AccidentStation, [&](auto c, auto& w) { dia::read_accident_station(c, v, d, w); });
  d.diagrams.set_capacity(capacities.diagram);
}

void Loader::load_classification() {
  dia::ClassificationTables& t = ds_.classification;
  t = dia::new_classification_tables(ds_.header.map.max_speed);
  int v = version_;
  read(Member::DPattern, [&](auto c, auto& w) { dia::read_d_pattern(c, v, t.patterns, w); });
  read(Member::DType, [&](auto c, auto& w) { dia::read_d_type(c, v, t.train_types, w); });
  read(Member::DMode, [&](auto c, auto& w) { dia::read_d_mode(c, v, t.display_targets, w); });
  if (v >= kFirstVersionWithSpeedTypes) {
    read(Member::Velocity, [&](auto c, auto& w) { dia::read_velocity(c, v, t.speed_types, w); });
  } else {
    // Older data keeps one speed type per series, numbered like the series.
    std::vector<dia::SeriesSpeedSource> sources;
    for (int n = 1; n <= ds_.series.extent(); ++n)
      sources.push_back({ds_.series[n].name, ds_.series[n].cars, ds_.series[n].max_speed});
    dia::speed_types_from_series(sources, t.speed_types);
  }
  read(Member::RequireTime, [&](auto c, auto& w) { dia::read_require_time(c, v, t.speed_types, w); });
  read(Member::StopTime, [&](auto c, auto& w) { dia::read_stop_time(c, v, t.stop_times, w); });
  read(Member::Passenger, [&](auto c, auto& w) { dia::read_passenger(c, v, t.passengers, w); });
}

void Loader::load_sound_and_crew() {
  dia::ClassificationTables& t = ds_.classification;
  int v = version_;
  read(Member::Sound, [&](auto c, auto& w) { dia::read_sound(c, v, t.sound, w); });
  map::load_station_melodies(t.sound.document, ds_.map.stations);
  stock::load_series_sounds(t.sound.document, v, ds_.series);
  read(Member::CrewMsg, [&](auto c, auto& w) { dia::read_crew_msg(c, v, t.crew_messages, w); });
}

}  // namespace

void load_tables(DataSet& ds, MemberLookup& members, Prompt& prompt, const LoadOptions& options) {
  Loader loader(ds, members, prompt);
  loader.load_map();
  loader.load_series();
  loader.load_dia();
  loader.load_classification();
  loader.load_sound_and_crew();
  dia::finish_dia_load(ds.dia, ds.header.loaded_version, ds.series.extent(), prompt);
  rebuild_derived_data(ds, options.english);
}

void rebuild_derived_data(DataSet& ds, bool english) {
  MapTables& m = ds.map;
  map::assign_prail_points(m.points, m.rails, m.prails);
  map::build_rail_labels(m.rails, ds.header.map.view_direc != 0, ds.header.map.right_down != 0,
                         english);
  map::build_track_lists(m.prails, m.rails, m.targets, ds.header.wdia_mode != 0);

  std::vector<int> unit_series;
  for (int u = 1; u <= ds.dia.units.extent(); ++u) unit_series.push_back(ds.dia.units[u].series);
  stock::set_used_counts(ds.series, unit_series);

  TablesMapLookup lookup(m);
  dia::complete_train_positions(ds.dia, lookup);
  dia::recompute_owners(ds.dia);
}

}  // namespace vosk::datafiles
