#include "datafiles/executed_state.h"

#include <algorithm>
#include <span>

#include "base/sjis.h"
#include "datafiles/map_lookup.h"
#include "dia/dia_load.h"
#include "dia/dia_operations.h"
#include "dia/diagram.h"
#include "dia/train.h"
#include "dia/unit.h"
#include "map/member_columns.h"
#include "map/point_operations.h"

namespace vosk::datafiles {
namespace {

// Which values of a stack line are fields of a model record. Numbers and
// texts are counted from the start of the line's numbers and texts; the
// positions not listed are carried.
template <class Record>
struct TextPlace {
  std::string Record::*field;
  std::size_t max_bytes;  // the record's field size less the terminator
};

template <class Record>
struct Placement {
  std::span<int Record::*const> numbers;
  std::span<const TextPlace<Record>> texts;
};

// Diagram: numbers 0 .. 17 are the stored fields in diagram.csv order and
// texts 0 .. 3 its four texts. Numbers 18 .. 34 (7 ints, 4 longs, 6 ints)
// are run-time values of the simulators; the editor's own run-time fields
// (owning unit, ordering and search marks) are rebuilt instead.
constexpr int dia::Diagram::*kDiagramNumbers[] = {
    &dia::Diagram::direction,
    &dia::Diagram::destination,
    &dia::Diagram::flag_a,
    &dia::Diagram::flag_b,
    &dia::Diagram::running_order,
    &dia::Diagram::next_working,
    &dia::Diagram::crew,
    &dia::Diagram::train_type,
    &dia::Diagram::pattern_template,
    &dia::Diagram::applied_pattern,
    &dia::Diagram::pattern_changed,
    &dia::Diagram::speed_type,
    &dia::Diagram::flag_c,
    &dia::Diagram::follow_coupled,
    &dia::Diagram::coupled_behind,
    &dia::Diagram::coupled_ahead,
    &dia::Diagram::value_d,
    &dia::Diagram::car_number,
};
constexpr TextPlace<dia::Diagram> kDiagramTexts[] = {
    {&dia::Diagram::train_number, dia::kTrainNumberBytes},
    {&dia::Diagram::destination_text, dia::kDestinationTextBytes},
    {&dia::Diagram::nickname, dia::kNicknameBytes},
    {&dia::Diagram::remarks, dia::kRemarksBytes},
};
constexpr Placement<dia::Diagram> kDiagramPlace{kDiagramNumbers, kDiagramTexts};

// Train (duty): numbers 0 .. 2 and text 0 in train.csv order. The rest of
// the line (73 numbers, 6 reals, the closing text) is the simulators' train
// in motion: position, run control, timing.
constexpr int dia::Train::*kTrainNumbers[] = {&dia::Train::first_diagram, &dia::Train::initial_rail,
                                              &dia::Train::head_unit};
constexpr TextPlace<dia::Train> kTrainTexts[] = {{&dia::Train::name, dia::kTrainNameBytes}};
constexpr Placement<dia::Train> kTrainPlace{kTrainNumbers, kTrainTexts};

// Unit (formation): numbers 0 .. 4 and the text in unit.csv order; the
// number closing the line and the entry list are carried.
constexpr int dia::Unit::*kUnitNumbers[] = {&dia::Unit::first_diagram, &dia::Unit::train,
                                            &dia::Unit::unit_ahead, &dia::Unit::unit_behind,
                                            &dia::Unit::series};
constexpr TextPlace<dia::Unit> kUnitTexts[] = {{&dia::Unit::name, dia::kUnitNameBytes}};
constexpr Placement<dia::Unit> kUnitPlace{kUnitNumbers, kUnitTexts};

// Point, last line: the scalar fields in the order the map record defines
// them (numbers 0 .. 9) and the key, the line's only text. Numbers 10 .. 20
// and 22 .. 47 are carried; number 21 is the length of the sequence list
// that precedes the rail blocks.
constexpr int map::Point::*kPointNumbers[] = {
    &map::Point::position,    &map::Point::position_count,  &map::Point::rail_count,
    &map::Point::active_mode, &map::Point::configured_mode, &map::Point::normal_position,
    &map::Point::symbol_row,  &map::Point::symbol_x,        &map::Point::symbol_y,
    &map::Point::failed,
};
constexpr TextPlace<map::Point> kPointTexts[] = {{&map::Point::key, map::kShortTextBytes}};
constexpr Placement<map::Point> kPointPlace{kPointNumbers, kPointTexts};

// RouteLever: numbers 0 .. 12 are the route_lever.csv columns; the long
// and the two ints after them are run-time values.
constexpr int map::RouteLever::*kRouteLeverNumbers[] = {
    &map::RouteLever::mode,         &map::RouteLever::normal_route, &map::RouteLever::current_route,
    &map::RouteLever::flag1,        &map::RouteLever::direction,    &map::RouteLever::lever_shown,
    &map::RouteLever::lever_row,    &map::RouteLever::lever_x,      &map::RouteLever::lever_y,
    &map::RouteLever::button_shown, &map::RouteLever::button_row,   &map::RouteLever::button_x,
    &map::RouteLever::button_y,
};
constexpr Placement<map::RouteLever> kRouteLeverPlace{kRouteLeverNumbers, {}};

// RouteButton: numbers 0 .. 6 are the route_button.csv columns, numbers 7
// and 8 run-time values.
constexpr int map::RouteButton::*kRouteButtonNumbers[] = {
    &map::RouteButton::owner, &map::RouteButton::flag1, &map::RouteButton::flag2,
    &map::RouteButton::shown, &map::RouteButton::row,   &map::RouteButton::x,
    &map::RouteButton::y,
};
constexpr Placement<map::RouteButton> kRouteButtonPlace{kRouteButtonNumbers, {}};

// Station: numbers 0 .. 8 are its numeric fields and texts 0 .. 3 its four
// texts, in the order the map record defines them; numbers 9 .. 13 are
// carried, as are the per-station columns (the eight station-by-station
// tables of the dia model, which the editor does not keep).
constexpr int map::Station::*kStationNumbers[] = {
    &map::Station::distance,       &map::Station::value_b,        &map::Station::scale,
    &map::Station::melody_time,    &map::Station::door_close_min, &map::Station::door_close_mid,
    &map::Station::door_close_max, &map::Station::value_c,        &map::Station::value_d,
};
constexpr TextPlace<map::Station> kStationTexts[] = {
    {&map::Station::one_char_name, map::kShortTextBytes},
    {&map::Station::short_name, map::kShortTextBytes},
    {&map::Station::name, map::kLongTextBytes},
    {&map::Station::melody_file, map::kLongTextBytes},
};
constexpr Placement<map::Station> kStationPlace{kStationNumbers, kStationTexts};

// PRail: its two state fields, the open flag and the holding lever.
constexpr int map::PRail::*kPRailNumbers[] = {&map::PRail::open, &map::PRail::lever};
constexpr Placement<map::PRail> kPRailPlace{kPRailNumbers, {}};

// The seven rail values are not fields the editor can name; rails are
// carried whole.
constexpr Placement<map::Rail> kRailPlace{{}, {}};

static_assert(kStackPointBlocks == map::kPointMaxRails);
static_assert(kStackPointBlockLines == map::kPointMaxPositions);

template <class Record>
void place_out(const Record& record, const Placement<Record>& place, StackRecord& line) {
  for (std::size_t k = 0; k < place.numbers.size(); ++k) line.numbers[k] = record.*place.numbers[k];
  for (std::size_t k = 0; k < place.texts.size(); ++k) {
    line.texts[k] = record.*place.texts[k].field;
  }
}

template <class Record>
void place_in(const StackRecord& line, const Placement<Record>& place, Record& record) {
  for (std::size_t k = 0; k < place.numbers.size(); ++k) record.*place.numbers[k] = line.numbers[k];
  for (std::size_t k = 0; k < place.texts.size(); ++k) {
    // The simulators keep these texts in fixed fields; never hold more.
    record.*place.texts[k].field = std::string(sjis::cut(line.texts[k], place.texts[k].max_bytes));
  }
}

// The carried record number n of a section, or nullptr.
template <class State>
const State* carried_at(const std::vector<State>* section, int n) {
  if (section == nullptr || n < 0 || static_cast<std::size_t>(n) >= section->size()) return nullptr;
  return &(*section)[static_cast<std::size_t>(n)];
}

// Highest record number of a section; an empty section counts as record 0.
template <class State>
int highest(const std::vector<State>& section) {
  return section.empty() ? 0 : static_cast<int>(section.size()) - 1;
}

// The table holds exactly records 0 .. n; its capacity never drops.
template <class Record>
void resize_table(RecordTable<Record>& table, int n) {
  table.shrink_to(n);
  table.grow_to(n);
}

// The record line of a section's state.
StackRecord& line_of(StackRecord& r) { return r; }
const StackRecord& line_of(const StackRecord& r) { return r; }
template <class State>
StackRecord& line_of(State& s) {
  return s.line;
}
template <class State>
const StackRecord& line_of(const State& s) {
  return s.line;
}

// Records 0 .. extent of a table. Each starts as the carried record of its
// number (nested lists included; a line of the wrong shape is replaced by
// a blank one) or as a blank record, then takes the placed fields, and
// `finish` adds what else the model holds.
template <class State, class Record, class Finish>
std::vector<State> snapshot_section(const RecordTable<Record>& table,
                                    const std::vector<State>* carried, const StackLayout& layout,
                                    const Placement<Record>& place, Finish finish) {
  std::vector<State> out(static_cast<std::size_t>(table.extent()) + 1);
  for (int n = 0; n <= table.extent(); ++n) {
    State& s = out[static_cast<std::size_t>(n)];
    if (const State* kept = carried_at(carried, n)) s = *kept;
    if (!line_of(s).fits(layout)) line_of(s) = StackRecord::blank(layout);
    place_out(table[n], place, line_of(s));
    finish(table[n], s);
  }
  return out;
}

template <class State, class Record>
std::vector<State> snapshot_section(const RecordTable<Record>& table,
                                    const std::vector<State>* carried, const StackLayout& layout,
                                    const Placement<Record>& place) {
  return snapshot_section(table, carried, layout, place, [](const Record&, State&) {});
}

// Resizes the table to the section and copies the placed values of every
// record whose line has the layout's shape.
template <class State, class Record>
void restore_lines(const std::vector<State>& section, const StackLayout& layout,
                   const Placement<Record>& place, RecordTable<Record>& table) {
  resize_table(table, highest(section));
  for (std::size_t n = 0; n < section.size(); ++n) {
    const StackRecord& line = line_of(section[n]);
    if (line.fits(layout)) place_in(line, place, table[static_cast<int>(n)]);
  }
}

template <class Record>
std::vector<Record> snapshot_accidents(const RecordTable<Record>& table) {
  // An accident table holds its capacity's records, whatever its extent.
  std::vector<Record> out(static_cast<std::size_t>(table.capacity()) + 1);
  for (int n = 0; n <= table.capacity() && n <= table.extent(); ++n) {
    out[static_cast<std::size_t>(n)] = table[n];
  }
  return out;
}

template <class Record>
void restore_accidents(const std::vector<Record>& section, RecordTable<Record>& table) {
  int n = highest(section);
  table.allocate(n);
  table.grow_to(n);
  for (std::size_t k = 0; k < section.size(); ++k) table[static_cast<int>(k)] = section[k];
}

// A diagram without events goes into the stack as a lone end entry on rail
// 0, which no real run has; it comes back without events.
bool is_placeholder_end(const std::vector<dia::DiaEvent>& events) {
  return events.size() == 1 && events[0] == dia::DiaEvent{};
}

void restore_diagrams(const std::vector<DiagramState>& section, dia::DiagramTable& table) {
  resize_table(table, highest(section));
  for (std::size_t k = 0; k < section.size(); ++k) {
    const DiagramState& s = section[k];
    dia::Diagram& d = table[static_cast<int>(k)];
    if (s.line.fits(kDiagramLine)) place_in(s.line, kDiagramPlace, d);
    d.events.clear();
    if (d.in_use() && !is_placeholder_end(s.events)) d.events = s.events;
    d.run = {};
  }
}

void restore_points(const std::vector<PointState>& section, RecordTable<map::Point>& table,
                    RecordTable<map::Rail>& rails, RecordTable<map::PRail>& prails) {
  int old_extent = table.extent();
  std::vector<int> old_position;
  for (int n = 0; n <= old_extent; ++n) old_position.push_back(table[n].position);

  resize_table(table, highest(section));
  for (std::size_t k = 0; k < section.size(); ++k) {
    const PointState& s = section[k];
    map::Point& p = table[static_cast<int>(k)];
    p.rails = s.rails;
    p.open = s.open;
    p.next = s.next;
    p.back = s.back;
    if (s.line.fits(kPointLine)) place_in(s.line, kPointPlace, p);
    // Limited as point1.csv limits them: the arrays hold 20 x 20.
    p.rail_count = std::clamp(p.rail_count, 0, map::kPointMaxRails);
    p.position_count = std::clamp(p.position_count, 0, map::kPointMaxPositions);
  }
  // A point that changed position takes its new links; the others keep the
  // rails as they are.
  for (int n = 1; n <= table.extent(); ++n) {
    bool moved = n > old_extent || old_position[static_cast<std::size_t>(n)] != table[n].position;
    if (moved) map::set_point_position(table[n], table[n].position, rails, prails);
  }
}

}  // namespace

StackRecord StackRecord::blank(const StackLayout& layout) {
  StackRecord r;
  r.numbers.assign(static_cast<std::size_t>(layout.numbers()), 0);
  r.texts.assign(static_cast<std::size_t>(layout.texts()), std::string());
  r.reals.assign(static_cast<std::size_t>(layout.reals()), std::string("0.000000"));
  return r;
}

bool StackRecord::fits(const StackLayout& layout) const {
  return numbers.size() == static_cast<std::size_t>(layout.numbers()) &&
         texts.size() == static_cast<std::size_t>(layout.texts()) &&
         reals.size() == static_cast<std::size_t>(layout.reals());
}

ExecutedState make_snapshot(const DataSet& live, std::int32_t time, const ExecutedState* carried) {
  ExecutedState s;
  s.full = true;
  s.time = time;
  if (carried != nullptr) s.manager = carried->manager;
  const dia::DiaTables& dia = live.dia;
  const MapTables& map = live.map;
  auto kept = [carried](auto ExecutedState::*section) {
    return carried != nullptr ? &(carried->*section) : nullptr;
  };

  s.diagrams = snapshot_section(dia.diagrams, kept(&ExecutedState::diagrams), kDiagramLine,
                                kDiagramPlace, [](const dia::Diagram& diagram, DiagramState& d) {
                                  d.events.clear();
                                  if (diagram.in_use()) d.events = diagram.events;
                                });
  s.trains = snapshot_section(dia.trains, kept(&ExecutedState::trains), kTrainLine, kTrainPlace);
  s.units = snapshot_section(dia.units, kept(&ExecutedState::units), kUnitLine, kUnitPlace);
  s.points = snapshot_section(map.points, kept(&ExecutedState::points), kPointLine, kPointPlace,
                              [](const map::Point& point, PointState& p) {
                                p.rails = point.rails;
                                p.open = point.open;
                                p.next = point.next;
                                p.back = point.back;
                              });
  s.route_levers = snapshot_section(map.route_levers, kept(&ExecutedState::route_levers),
                                    kRouteLeverLine, kRouteLeverPlace);
  s.route_buttons = snapshot_section(map.route_buttons, kept(&ExecutedState::route_buttons),
                                     kRouteButtonLine, kRouteButtonPlace);
  // One column per station 1 .. the highest station number.
  std::size_t columns = static_cast<std::size_t>(map.stations.extent());
  s.stations = snapshot_section(
      map.stations, kept(&ExecutedState::stations), kStationLine, kStationPlace,
      [columns](const map::Station&, StationState& st) { st.columns.resize(columns); });
  s.rails = snapshot_section(map.rails, kept(&ExecutedState::rails), kRailLine, kRailPlace);
  s.p_rails = snapshot_section(map.prails, kept(&ExecutedState::p_rails), kPRailLine, kPRailPlace);
  s.accident_between = snapshot_accidents(dia.accidents.between);
  s.accident_rail = snapshot_accidents(dia.accidents.rail);
  s.accident_point = snapshot_accidents(dia.accidents.point);
  s.accident_unit = snapshot_accidents(dia.accidents.unit);
  s.accident_station = snapshot_accidents(dia.accidents.station);
  return s;
}

void restore_snapshot(const ExecutedState& snapshot, DataSet& live) {
  dia::DiaTables& dia = live.dia;
  MapTables& tables = live.map;

  restore_diagrams(snapshot.diagrams, dia.diagrams);
  restore_lines(snapshot.trains, kTrainLine, kTrainPlace, dia.trains);
  restore_lines(snapshot.units, kUnitLine, kUnitPlace, dia.units);
  restore_accidents(snapshot.accident_between, dia.accidents.between);
  restore_accidents(snapshot.accident_rail, dia.accidents.rail);
  restore_accidents(snapshot.accident_point, dia.accidents.point);
  restore_accidents(snapshot.accident_unit, dia.accidents.unit);
  restore_accidents(snapshot.accident_station, dia.accidents.station);

  restore_lines(snapshot.p_rails, kPRailLine, kPRailPlace, tables.prails);
  restore_points(snapshot.points, tables.points, tables.rails, tables.prails);
  restore_lines(snapshot.route_levers, kRouteLeverLine, kRouteLeverPlace, tables.route_levers);
  restore_lines(snapshot.route_buttons, kRouteButtonLine, kRouteButtonPlace, tables.route_buttons);
  restore_lines(snapshot.stations, kStationLine, kStationPlace, tables.stations);

  dia::recompute_owners(dia);
  dia::complete_train_positions(dia, TablesMapLookup(tables));
}

}  // namespace vosk::datafiles
