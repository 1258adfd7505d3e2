#include "samples/generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>

#include "base/sjis.h"
#include "datafiles/bundle.h"
#include "datafiles/bundle_writer.h"
#include "datafiles/dia_tools.h"
#include "datafiles/header_reader.h"
#include "datafiles/map_checks.h"
#include "datafiles/member_lookup.h"
#include "datafiles/table_loader.h"
#include "dia/running_time.h"
#include "dia/speed_type.h"
#include "dia/stop_time.h"
#include "map/lever_rebuild.h"
#include "map/point_operations.h"
#include "map/rail_check.h"
#include "map/rail_label.h"
#include "map/station.h"
#include "map/track_list.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::samples {
namespace {

using namespace datafiles;

using testing::ScriptedPrompt;
using testing::sj;

constexpr int kDay = 86400;

// Generated data sets are kept: the big one takes a moment.
const DataSet& sample(int stations, int runs, unsigned seed) {
  static std::map<std::tuple<int, int, unsigned>, DataSet> cache;
  auto key = std::make_tuple(stations, runs, seed);
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, make_sample({stations, runs, seed})).first;
  return it->second;
}

struct Size {
  int stations;
  int runs;
  unsigned seed;
};
// The smallest line, the default, odd sizes and a long line.
const Size kSizes[] = {{5, 8, 7}, {12, 150, 1}, {12, 150, 2}, {17, 300, 3}, {40, 600, 4}};

std::string describe(const Size& s) {
  return "stations=" + std::to_string(s.stations) + " runs=" + std::to_string(s.runs) +
         " seed=" + std::to_string(s.seed);
}

bool is_time_event(int type) { return type != dia::kEventPoint && type != dia::kEventPointBoth; }
// Times on the operating day's scale: early-morning times belong to the night.
int day_time(int t) { return t != 0 && t < 10800 ? t + kDay : t; }

// Every positive link names a rail that links back.
void expect_links_mirrored(const RecordTable<map::Rail>& rails, const std::string& where) {
  for (int i = 1; i <= rails.extent(); ++i) {
    const map::Rail& r = rails[i];
    if (r.l_next > 0) {
      ASSERT_TRUE(rails.names_record(r.l_next)) << where << " rail " << i;
      EXPECT_EQ(std::abs(rails[r.l_next].l_back), i) << where << " l_next of rail " << i;
    }
    if (r.l_back > 0) {
      ASSERT_TRUE(rails.names_record(r.l_back)) << where << " rail " << i;
      EXPECT_EQ(std::abs(rails[r.l_back].l_next), i) << where << " l_back of rail " << i;
    }
  }
}

// ---- Map ----

TEST(Datafiles_SampleMapTests, RailDataCheckAsksNothing) {
  for (const Size& s : kSizes) {
    DataSet data = sample(s.stations, s.runs, s.seed);
    ScriptedPrompt prompt;
    EXPECT_EQ(map::check_rail_data(data.map.rails, data.map.prails, true, prompt),
              map::RailCheckResult::Accepted)
        << describe(s);
    EXPECT_EQ(prompt.count(), 0u) << describe(s) << ": " << prompt.last().text;
  }
}

TEST(Datafiles_SampleMapTests, EveryPointPositionKeepsLinksMirroredAndPositionsJoined) {
  for (const Size& s : kSizes) {
    DataSet data = sample(s.stations, s.runs, s.seed);
    MapTables& m = data.map;
    ASSERT_GT(m.points.extent(), 0);
    for (int p = 1; p <= m.points.extent(); ++p) {
      map::Point& point = m.points[p];
      ASSERT_GE(point.position_count, 2) << describe(s) << " point " << p;
      const int start = point.position;
      for (int pos = 0; pos < point.position_count; ++pos) {
        ASSERT_TRUE(map::set_point_position(point, pos, m.rails, m.prails));
        const std::string where =
            describe(s) + " point " + std::to_string(p) + " position " + std::to_string(pos);
        expect_links_mirrored(m.rails, where);
        for (int i = 0; i < point.rail_count; ++i) {
          const map::Rail& rail = m.rails[point.rails[static_cast<std::size_t>(i)]];
          EXPECT_EQ(m.prails[rail.l_pack].open,
                    point.open[static_cast<std::size_t>(i)][static_cast<std::size_t>(pos)])
              << where;
        }
        ScriptedPrompt prompt;
        map::check_rail_data(m.rails, m.prails, true, prompt);
        EXPECT_EQ(prompt.count(), 0u) << where << ": " << prompt.last().text;
      }
      ASSERT_TRUE(map::set_point_position(point, start, m.rails, m.prails));
    }
  }
}

TEST(Datafiles_SampleMapTests, StoredStateIsTheStateOfTheCurrentPositions) {
  const DataSet& data = sample(12, 150, 1);
  MapTables m = data.map;
  // Setting every point to the position it is in must change nothing.
  for (int p = 1; p <= m.points.extent(); ++p) {
    ASSERT_TRUE(map::set_point_position(m.points[p], m.points[p].position, m.rails, m.prails));
  }
  for (int r = 1; r <= m.rails.extent(); ++r) {
    EXPECT_EQ(m.rails[r].l_next, data.map.rails[r].l_next) << r;
    EXPECT_EQ(m.rails[r].l_back, data.map.rails[r].l_back) << r;
  }
  for (int p = 1; p <= m.prails.extent(); ++p)
    EXPECT_EQ(m.prails[p].open, data.map.prails[p].open) << p;
  RecordTable<map::PRail> derived = data.map.prails;
  map::assign_prail_points(data.map.points, data.map.rails, derived);
  for (int p = 1; p <= derived.extent(); ++p)
    EXPECT_EQ(derived[p].point, data.map.prails[p].point) << p;
}

TEST(Datafiles_SampleMapTests, RailPairsShareTrackLengthAndMirroredProfile) {
  const DataSet& data = sample(17, 300, 3);
  const auto& rails = data.map.rails;
  const auto& prails = data.map.prails;
  for (int p = 1; p <= prails.extent(); ++p) {
    const map::PRail& pr = prails[p];
    ASSERT_TRUE(pr.rail_a != 0 && pr.rail_b != 0) << p;
    const map::Rail& a = rails[pr.rail_a];
    const map::Rail& b = rails[pr.rail_b];
    EXPECT_EQ(a.l_dual, pr.rail_b);
    EXPECT_EQ(b.l_dual, pr.rail_a);
    EXPECT_EQ(a.length, b.length);
    EXPECT_GT(a.length, 0);
    EXPECT_EQ(a.gradient, -b.gradient);
    EXPECT_EQ(a.radius, -b.radius);
    EXPECT_EQ(a.area, b.area);
    EXPECT_EQ(a.direction, map::rail_direction(a));
    EXPECT_EQ(b.direction, map::rail_direction(b));
    EXPECT_NE(a.direction, b.direction) << "rails of PRail " << p;
    EXPECT_NE(a.signal, 0);
    EXPECT_NE(a.row, 0);
    EXPECT_EQ(pr.electrification, 3);
  }
}

TEST(Datafiles_SampleMapTests, PlatformsStopWithinTheirRailsAndTrackNumbersFollowTheTrackList) {
  for (const Size& s : kSizes) {
    DataSet data = sample(s.stations, s.runs, s.seed);
    MapTables& m = data.map;
    std::set<int> stations_with_platforms;
    for (int r = 1; r <= m.rails.extent(); ++r) {
      const map::Rail& rail = m.rails[r];
      if (rail.stop_distance == 0) {
        EXPECT_EQ(rail.target, 0) << describe(s) << " rail " << r;
        continue;
      }
      EXPECT_GE(rail.stop_distance, 5) << r;
      EXPECT_LE(rail.stop_distance, rail.length - 5) << r;
      ASSERT_TRUE(m.targets.names_record(rail.target)) << r;
      EXPECT_EQ(rail.station, m.targets[rail.target].station) << r;
      EXPECT_EQ(rail.gradient, 0) << "a stopping section has no gradient, rail " << r;
      stations_with_platforms.insert(rail.station);
    }
    EXPECT_EQ(static_cast<int>(stations_with_platforms.size()), s.stations) << describe(s);
    EXPECT_EQ(m.stations.extent(), s.stations);
    // The track lists rebuilt from the rails number the platforms as the
    // rail names do.
    map::build_track_lists(m.prails, m.rails, m.targets, false);
    for (int t = 1; t <= m.targets.extent(); ++t) {
      const map::Target& target = m.targets[t];
      ASSERT_FALSE(target.tracks.empty()) << t;
      for (const map::TrackEntry& e : target.tracks) {
        std::string expected = target.short_name + e.short_label;
        EXPECT_EQ(m.rails[e.rail_a].short_name, expected) << describe(s) << " target " << t;
        EXPECT_EQ(m.rails[e.rail_b].short_name, expected);
      }
    }
  }
}

TEST(Datafiles_SampleMapTests, StationsAndTargetsAgree) {
  const DataSet& data = sample(17, 300, 3);
  const MapTables& m = data.map;
  for (int n = 1; n <= m.stations.extent(); ++n) {
    const map::Station& st = m.stations[n];
    const map::Target& t = m.targets[n];
    EXPECT_EQ(t.station, n);
    EXPECT_EQ(t.scale, st.scale);
    EXPECT_EQ(t.name, st.name);
    EXPECT_EQ(t.short_name, st.short_name);
    EXPECT_TRUE(st.scale >= 1 && st.scale <= 3);
    EXPECT_LT(st.door_close_min, st.door_close_mid);
    EXPECT_LT(st.door_close_mid, st.door_close_max);
    EXPECT_TRUE(sjis::to_utf8(st.name).has_value()) << n;
    EXPECT_LE(st.short_name.size(), 20u);
    EXPECT_FALSE(st.name.empty());
    EXPECT_EQ(st.name.find(','), std::string::npos);
  }
  std::set<std::string> names;
  for (int n = 1; n <= m.stations.extent(); ++n) names.insert(m.stations[n].name);
  EXPECT_EQ(static_cast<int>(names.size()), m.stations.extent()) << "station names repeat";
}

TEST(Datafiles_SampleMapTests, DistancesIncreaseAlongEachDisplayTarget) {
  for (const Size& s : kSizes) {
    const DataSet& data = sample(s.stations, s.runs, s.seed);
    const MapTables& m = data.map;
    for (std::size_t column : {0u, 1u}) {
      std::vector<std::pair<int, int>> along;  // (station distance, target distance)
      for (int t = 1; t <= m.targets.extent(); ++t) {
        int d = m.targets[t].distances[column];
        if (d >= 0) along.push_back({m.stations[t].distance, d});
      }
      ASSERT_GE(along.size(), 3u) << describe(s) << " column " << column;
      std::sort(along.begin(), along.end());
      for (std::size_t k = 1; k < along.size(); ++k) {
        EXPECT_LT(along[k - 1].first, along[k].first) << describe(s);
        EXPECT_LT(along[k - 1].second, along[k].second) << describe(s);
      }
      for (int t = 1; t <= m.targets.extent(); ++t) {
        for (std::size_t c = 2; c < map::kDisplayTargetCount; ++c)
          EXPECT_EQ(m.targets[t].distances[c], -1);
      }
    }
  }
}

TEST(Datafiles_SampleMapTests, PointKeysAreUniqueAndNoneIsAPrefixOfAnother) {
  const DataSet& data = sample(100, 8, 5);
  const auto& points = data.map.points;
  for (int a = 1; a <= points.extent(); ++a) {
    ASSERT_FALSE(points[a].key.empty());
    for (int b = 1; b <= points.extent(); ++b) {
      if (a == b) continue;
      EXPECT_NE(points[b].key.rfind(points[a].key, 0), 0u)
          << points[a].key << " / " << points[b].key;
    }
  }
}

TEST(Datafiles_SampleMapTests, DisplayRowsHoldEveryItemWithinTheirWidth) {
  const DataSet& data = sample(40, 600, 4);
  const MapTables& m = data.map;
  ASSERT_GE(m.rows.extent(), 3) << "a long line is folded into several rows";
  for (int r = 1; r <= m.rails.extent(); ++r) {
    const map::Rail& rail = m.rails[r];
    ASSERT_TRUE(m.rows.names_record(rail.row)) << r;
    const map::Row& row = m.rows[rail.row];
    int left = std::min(rail.row_pos_x_back, rail.row_pos_x_next) + row.x_shift;
    int right = std::max(rail.row_pos_x_back, rail.row_pos_x_next) + row.x_shift;
    EXPECT_GE(left, 0) << "rail " << r << " lies left of its row";
    EXPECT_LE(right, 1400) << "rail " << r << " lies beyond its row";
  }
  for (int n = 1; n <= m.station_draws.extent(); ++n) {
    const map::StationDraw& d = m.station_draws[n];
    ASSERT_TRUE(m.targets.names_record(d.target));
    ASSERT_TRUE(m.rows.names_record(d.row));
    EXPECT_LT(d.left_x, d.right_x);
    EXPECT_GE(d.left_x + m.rows[d.row].x_shift, 0);
  }
  for (int p = 1; p <= m.points.extent(); ++p)
    EXPECT_TRUE(m.rows.names_record(m.points[p].symbol_row));
  EXPECT_EQ(m.jumps.extent(), m.rows.extent() - 1);
  EXPECT_GE(m.details.extent(), 1);
  for (int n = 1; n <= m.details.extent(); ++n) {
    const map::Detail& d = m.details[n];
    EXPECT_LE(d.end, m.rails[d.rail].length);
    EXPECT_LE(d.start, d.end);
  }
}

// The sample opens as an interlocking panel: its levers and buttons are the
// ones switching the mode on builds, under request control, and the main
// window's panel shows those whose symbols are shown.
TEST(Datafiles_SampleMapTests, LeversAndButtonsAreTheOnesTheInterlockingSwitchBuilds) {
  for (const Size& s : {Size{12, 150, 1}, Size{5, 8, 7}, Size{40, 600, 4}}) {
    SCOPED_TRACE(describe(s));
    DataSet data = sample(s.stations, s.runs, s.seed);
    const MapTables& m = data.map;
    EXPECT_EQ(data.header.map.use_interlocking, 1);
    ScriptedPrompt silent;
    EXPECT_TRUE(map::check_interlocking_prerequisites(data.header.map.use_area != 0, m.rails,
                                                      m.prails, silent));
    EXPECT_EQ(silent.count(), 0u);
    ASSERT_GT(m.route_levers.extent(), 0);
    ASSERT_GT(m.route_buttons.extent(), 0);
    int shown = 0;
    for (int l = 1; l <= m.route_levers.extent(); ++l) {
      EXPECT_NE(m.route_levers[l].mode, map::kLeverRestore) << l;
      shown += m.route_levers[l].lever_shown;
    }
    EXPECT_GT(shown, 0);
    const auto& main_panel = data.header.display_windows[0];
    EXPECT_TRUE(main_panel.open);
    EXPECT_NE(std::find(main_panel.lines.begin(), main_panel.lines.end(), "InterView=2"),
              main_panel.lines.end());

    DataSet again = data;
    ScriptedPrompt off, on;
    ASSERT_EQ(toggle_interlocking(again, off), InterlockingSwitch::SwitchedOff);
    on.script({Answer::Yes});
    ASSERT_EQ(toggle_interlocking(again, on), InterlockingSwitch::SwitchedOn);
    const MapTables& r = again.map;
    ASSERT_EQ(r.route_levers.extent(), m.route_levers.extent());
    ASSERT_EQ(r.route_buttons.extent(), m.route_buttons.extent());
    for (int j = 1; j <= m.rails.extent(); ++j) {
      EXPECT_EQ(r.rails[j].route_lever, m.rails[j].route_lever) << j;
      EXPECT_EQ(r.rails[j].route_button, m.rails[j].route_button) << j;
      EXPECT_EQ(r.rails[j].normal_route_lever, m.rails[j].normal_route_lever) << j;
    }
    for (int l = 1; l <= m.route_levers.extent(); ++l) {
      const map::RouteLever &a = m.route_levers[l], &b = r.route_levers[l];
      EXPECT_EQ(std::tie(a.mode, a.current_route, a.lever_shown, a.lever_x, a.lever_y, a.button_y),
                std::tie(b.mode, b.current_route, b.lever_shown, b.lever_x, b.lever_y, b.button_y))
          << l;
    }
  }
}

TEST(Datafiles_SampleMapTests, TablesHaveRoomAndTheHeaderSaysSo) {
  for (const Size& s : {Size{12, 150, 1}, Size{100, 8, 5}}) {
    const DataSet& data = sample(s.stations, s.runs, s.seed);
    const MapTables& m = data.map;
    const TableSizes& sizes = data.header.sizes;
    auto check = [&](Table t, int extent, int capacity) {
      EXPECT_GE(capacity, extent) << describe(s) << " " << table_key(t);
      EXPECT_EQ(sizes[t], capacity) << describe(s) << " " << table_key(t);
    };
    check(Table::Rail, m.rails.extent(), m.rails.capacity());
    check(Table::PRail, m.prails.extent(), m.prails.capacity());
    check(Table::Point, m.points.extent(), m.points.capacity());
    check(Table::Target, m.targets.extent(), m.targets.capacity());
    check(Table::Station, m.stations.extent(), m.stations.capacity());
    check(Table::StationDraw, m.station_draws.extent(), m.station_draws.capacity());
    check(Table::Row, m.rows.extent(), m.rows.capacity());
    check(Table::Jump, m.jumps.extent(), m.jumps.capacity());
    check(Table::Detail, m.details.extent(), m.details.capacity());
    check(Table::Diagram, data.dia.diagrams.extent(), data.dia.diagrams.capacity());
    check(Table::Train, data.dia.trains.extent(), data.dia.trains.capacity());
    check(Table::Unit, data.dia.units.extent(), data.dia.units.capacity());
    check(Table::RouteLever, m.route_levers.extent(), m.route_levers.capacity());
    check(Table::RouteButton, m.route_buttons.extent(), m.route_buttons.capacity());
    EXPECT_EQ(sizes[Table::AccidentStation], 0);
    EXPECT_GE(m.rails.capacity(), map::kDefaultRailCapacity);
    EXPECT_FALSE(data.header.map.map_name.empty());
    EXPECT_TRUE(data.header.map.map_pos_check);
    EXPECT_GE(data.header.map.signal_version, 1042) << "no signal conversion is offered";
    EXPECT_EQ(data.header.member(Member::Rail).name, "rail.csv");
    EXPECT_FALSE(data.header.has_stack());
  }
}

// ---- Dia ----

class MapSnapshot {
 public:
  explicit MapSnapshot(const MapTables& m) : rails(m.rails), prails(m.prails), points(m.points) {}
  RecordTable<map::Rail> rails;
  RecordTable<map::PRail> prails;
  RecordTable<map::Point> points;
};

// Follows a run over the map: every point entry sets its point as recorded,
// and each event's rail must be reached along l_next from the one before.
void expect_run_follows_rails(MapSnapshot& m, const dia::Diagram& d, int n) {
  ASSERT_GE(d.events.size(), 3u) << "diagram " << n;
  int at = d.events.front().rail;
  for (std::size_t k = 1; k + 1 < d.events.size(); ++k) {
    const dia::DiaEvent& e = d.events[k];
    if (!is_time_event(e.type)) {
      const int point = m.prails[m.rails[e.rail].l_pack].point;
      ASSERT_NE(point, 0) << "diagram " << n << " event " << k << " is no point";
      ASSERT_TRUE(map::set_point_position(m.points[point], e.time, m.rails, m.prails))
          << "diagram " << n << " event " << k << " setting " << e.time;
    }
    int steps = 0;
    while (at != e.rail && steps++ < 200) at = std::abs(m.rails[at].l_next);
    ASSERT_EQ(at, e.rail) << "diagram " << n << " cannot reach event " << k;
  }
}

TEST(Datafiles_SampleDiaTests, EveryRunFollowsLinkedRailsFromPlatformToPlatform) {
  for (const Size& s : kSizes) {
    const DataSet& data = sample(s.stations, s.runs, s.seed);
    MapSnapshot m(data.map);
    for (int n = 1; n <= data.dia.diagrams.extent(); ++n) {
      const dia::Diagram& d = data.dia.diagrams[n];
      ASSERT_TRUE(d.in_use()) << describe(s) << " diagram " << n;
      expect_run_follows_rails(m, d, n);
      if (::testing::Test::HasFatalFailure()) return;
      const dia::DiaEvent& first = d.events.front();
      const dia::DiaEvent& end = d.events.back();
      const dia::DiaEvent& last = d.events[d.events.size() - 2];
      EXPECT_EQ(first.type, dia::kEventStop) << n;
      EXPECT_EQ(last.type, dia::kEventArrival) << n;
      EXPECT_EQ(end.type, dia::kEventEnd) << n;
      EXPECT_EQ(end.rail, last.rail) << n;
      EXPECT_EQ(end.time, last.time) << n;
      EXPECT_EQ(d.direction, data.map.rails[first.rail].direction) << n;
      for (const dia::DiaEvent& e : d.events) {
        const map::Rail& rail = data.map.rails[e.rail];
        if (is_time_event(e.type)) {
          EXPECT_NE(rail.stop_distance, 0) << "diagram " << n << " stops off a platform";
        } else {
          const map::Point& p = data.map.points[data.map.prails[rail.l_pack].point];
          EXPECT_TRUE(e.time >= 0 && e.time < p.position_count) << n;
        }
      }
    }
  }
}

TEST(Datafiles_SampleDiaTests, TimesNeverGoBackwardsAndStayWithinTheDay) {
  for (const Size& s : kSizes) {
    const DataSet& data = sample(s.stations, s.runs, s.seed);
    bool after_midnight = false;
    for (int n = 1; n <= data.dia.diagrams.extent(); ++n) {
      const dia::Diagram& d = data.dia.diagrams[n];
      int previous = 0;
      for (const dia::DiaEvent& e : d.events) {
        if (!is_time_event(e.type)) continue;
        EXPECT_NE(e.time, 0) << n;
        EXPECT_TRUE(e.time > 0 && e.time <= 100800) << n;
        after_midnight |= e.time < 10800;
        EXPECT_GE(day_time(e.time), previous) << describe(s) << " diagram " << n;
        previous = day_time(e.time);
      }
      EXPECT_GE(day_time(d.events.front().time), 5 * 3600) << n;
      EXPECT_LE(day_time(d.events.back().time), 26 * 3600) << n;
    }
    if (s.runs >= 150) {
      EXPECT_TRUE(after_midnight) << describe(s) << ": the last runs end after 24:00";
    }
  }
}

TEST(Datafiles_SampleDiaTests, StopsAndRunningTimesMatchTheStandardTimes) {
  const DataSet& data = sample(12, 150, 1);
  const auto& cls = data.classification;
  const dia::StopTimeDefaults defaults{data.header.dia.standard, data.header.dia.reverse,
                                       data.header.dia.stop_time_velocity != 0};
  int checked = 0;
  for (const dia::Diagram& d : data.dia.diagrams) {
    if (!d.in_use()) continue;
    int departure = d.events.front().time;
    int from = d.events.front().rail;
    for (std::size_t k = 1; k + 1 < d.events.size(); ++k) {
      const dia::DiaEvent& e = d.events[k];
      if (!is_time_event(e.type)) continue;
      int arrival = day_time(e.time);
      if (e.type == dia::kEventStop) {
        dia::StopTimeQuery q;
        q.rail = e.rail;
        q.rail_target = data.map.rails[e.rail].target;
        q.train_type = d.train_type;
        q.speed_type = d.speed_type;
        arrival -= dia::standard_stop_time(cls.stop_times, defaults, q);
      }
      EXPECT_EQ(dia::standard_running_time(cls.speed_types, from, e.rail, e.type, d.speed_type),
                arrival - day_time(departure));
      ++checked;
      if (e.type == dia::kEventStop) {
        departure = e.time;
        from = e.rail;
      }
    }
  }
  EXPECT_GT(checked, 1000);
}

TEST(Datafiles_SampleDiaTests, DutiesFormationsAndWorkingsReferToEachOther) {
  for (const Size& s : kSizes) {
    const DataSet& data = sample(s.stations, s.runs, s.seed);
    const dia::DiaTables& dia = data.dia;
    ASSERT_GT(dia.trains.extent(), 0);
    std::vector<int> owner_seen(static_cast<std::size_t>(dia.diagrams.extent()) + 1, 0);
    for (int t = 1; t <= dia.trains.extent(); ++t) {
      const dia::Train& train = dia.trains[t];
      ASSERT_TRUE(dia.diagrams.names_record(train.first_diagram)) << t;
      EXPECT_EQ(train.initial_rail, dia.diagrams[train.first_diagram].events.front().rail);
      EXPECT_EQ(train.position.current_rail, train.initial_rail);
      EXPECT_FALSE(train.name.empty());
      int u = train.head_unit;
      int previous = 0;
      for (int guard = 0; u != 0 && guard < 10; ++guard) {
        ASSERT_TRUE(dia.units.names_record(u)) << t;
        const dia::Unit& unit = dia.units[u];
        EXPECT_EQ(unit.train, t);
        EXPECT_EQ(unit.unit_ahead, previous);
        EXPECT_TRUE(data.series.names_record(unit.series));
        previous = u;
        u = unit.unit_behind;
      }
      EXPECT_EQ(u, 0) << "the unit chain of duty " << t << " ends";
      EXPECT_EQ(dia.units[train.head_unit].first_diagram, train.first_diagram);
    }
    for (int u = 1; u <= dia.units.extent(); ++u) {
      ASSERT_TRUE(dia.trains.names_record(dia.units[u].train)) << u;
      int n = dia.units[u].first_diagram;
      for (int guard = 0; n != 0 && guard < 100000; ++guard) {
        ASSERT_TRUE(dia.diagrams.names_record(n)) << u;
        const dia::Diagram& d = dia.diagrams[n];
        EXPECT_EQ(d.run.owning_unit, u);
        ++owner_seen[static_cast<std::size_t>(n)];
        if (d.next_working != 0) {
          // The set turns back on the platform it arrived at, or the train
          // goes on under its next number after its stop there.
          const dia::Diagram& next = dia.diagrams[d.next_working];
          const auto& rails = data.map.rails;
          const int arrival = d.events.back().rail;
          const int departure = next.events.front().rail;
          EXPECT_EQ(rails[departure].l_pack, rails[arrival].l_pack);
          const int wait = day_time(next.events.front().time) - day_time(d.events.back().time);
          if (next.direction == d.direction) {
            EXPECT_EQ(departure, arrival) << describe(s) << " diagram " << n;
            EXPECT_GT(wait, 0) << describe(s) << " diagram " << n;
          } else {
            EXPECT_GE(wait, 180) << describe(s) << " diagram " << n;
          }
        }
        n = d.next_working;
      }
    }
    for (int n = 1; n <= dia.diagrams.extent(); ++n) {
      const dia::Diagram& d = dia.diagrams[n];
      EXPECT_EQ(owner_seen[static_cast<std::size_t>(n)], d.pattern_template ? 0 : 1)
          << describe(s) << " diagram " << n;
      EXPECT_TRUE(data.classification.train_types.names_record(d.train_type)) << n;
      EXPECT_TRUE(data.classification.speed_types.names_record(d.speed_type)) << n;
      EXPECT_EQ(d.destination, data.map.rails[d.events.back().rail].target) << n;
      EXPECT_EQ(d.destination_text, data.map.stations[d.destination].name) << n;
      EXPECT_FALSE(d.train_number.empty());
    }
  }
}

TEST(Datafiles_SampleDiaTests, CoupledRunsPointAtEachOtherAndRunTogether) {
  const DataSet& data = sample(12, 150, 1);
  const auto& diagrams = data.dia.diagrams;
  int pairs = 0;
  for (int n = 1; n <= diagrams.extent(); ++n) {
    const dia::Diagram& d = diagrams[n];
    if (d.coupled_ahead != 0) {
      ASSERT_TRUE(diagrams.names_record(d.coupled_ahead));
      EXPECT_EQ(diagrams[d.coupled_ahead].coupled_behind, n);
    }
    if (d.coupled_behind == 0) continue;
    ++pairs;
    ASSERT_TRUE(diagrams.names_record(d.coupled_behind));
    const dia::Diagram& c = diagrams[d.coupled_behind];
    EXPECT_EQ(c.coupled_ahead, n);
    EXPECT_EQ(c.events, d.events);
    EXPECT_EQ(c.train_number, d.train_number);
    EXPECT_EQ(c.follow_coupled, 1);
    EXPECT_NE(c.run.owning_unit, d.run.owning_unit);
    const dia::Unit& head = data.dia.units[d.run.owning_unit];
    EXPECT_EQ(head.unit_behind, c.run.owning_unit) << "the second unit runs behind the head unit";
    if (d.next_working != 0) {
      EXPECT_EQ(diagrams[d.next_working].coupled_behind, c.next_working);
    }
  }
  EXPECT_GT(pairs, 0);
  int formations = 0;
  for (const dia::Unit& u : data.dia.units) formations += u.unit_behind != 0;
  EXPECT_GT(formations, 0) << "some duties run two units";
}

TEST(Datafiles_SampleDiaTests, ClassificationTablesAreFilled) {
  const DataSet& data = sample(12, 150, 1);
  const auto& cls = data.classification;
  EXPECT_EQ(cls.train_types.extent(), 17);
  EXPECT_EQ(cls.display_targets.extent(), 2);
  EXPECT_EQ(cls.speed_types.extent(), 3);
  for (int n = 1; n <= cls.speed_types.extent(); ++n) {
    const dia::SpeedType& st = cls.speed_types[n];
    EXPECT_TRUE(data.series.names_record(st.measuring_series));
    EXPECT_FALSE(st.running_times.empty()) << n;
  }
  EXPECT_FALSE(cls.stop_times.empty());
  EXPECT_FALSE(cls.passengers.empty());
  for (std::size_t k = 1; k < cls.passengers.size(); ++k) {
    const auto& a = cls.passengers[k - 1];
    const auto& b = cls.passengers[k];
    EXPECT_LT(std::tie(a.from_station, a.to_station, a.time),
              std::tie(b.from_station, b.to_station, b.time));
  }
  ASSERT_EQ(cls.patterns.extent(), 2);
  for (int p = 1; p <= 2; ++p) {
    const dia::Pattern& pattern = cls.patterns[p];
    ASSERT_TRUE(data.dia.diagrams.names_record(pattern.template_diagram));
    const dia::Diagram& t = data.dia.diagrams[pattern.template_diagram];
    EXPECT_EQ(t.pattern_template, p);
    EXPECT_EQ(pattern.next_pattern, 3 - p);
    EXPECT_EQ(pattern.base_time, t.events.front().time);
    EXPECT_GT(pattern.interval, 0);
    int applied = 0;
    for (const dia::Diagram& d : data.dia.diagrams) applied += d.applied_pattern == p;
    EXPECT_GT(applied, 0);
    // The next pattern starts where this one ends.
    const dia::Diagram& next =
        data.dia.diagrams[cls.patterns[pattern.next_pattern].template_diagram];
    EXPECT_EQ(data.map.rails[next.events.front().rail].target,
              data.map.rails[t.events.back().rail].target);
  }
  for (int s = 1; s <= data.series.extent(); ++s) {
    const stock::Series& series = data.series[s];
    EXPECT_GT(series.used, 0);
    EXPECT_GE(series.owned, series.used);
    EXPECT_EQ(series.acceleration_rows, static_cast<int>(series.acceleration_table.size()));
    // Enough margin for the signal deceleration of the map.
    EXPECT_GE(series.atc_brake - 98, data.header.map.handle_atc * 1024 / 100);
  }
  EXPECT_FALSE(data.header.dia.dia_title.empty());
  EXPECT_FALSE(data.header.dia.dia_comment.empty());
}

TEST(Datafiles_SampleDiaTests, RunsCoverBothDirectionsOfMainLineAndBranch) {
  const DataSet& data = sample(12, 150, 1);
  int runs = 0;
  std::set<std::pair<int, int>> kinds;  // (speed type, direction)
  for (const dia::Diagram& d : data.dia.diagrams) {
    if (!d.in_use() || d.pattern_template) continue;
    ++runs;
    kinds.insert({d.speed_type, d.direction});
  }
  EXPECT_GE(runs, 150);
  EXPECT_EQ(kinds.size(), 6u);
}

// Platform overlaps the dia check reports, over every run.
int overlap_lines(const DataSet& data) {
  const std::string overlap = sj("で番線重複しています。");
  int lines = 0;
  for (const dia::RunFindings& run : check_every_run(data, true)) {
    for (std::string_view line : run.lines) lines += line.find(overlap) != std::string_view::npos;
  }
  return lines;
}

TEST(Datafiles_SampleDiaTests, NoTwoFormationsShareAPlatformAtOnce) {
  for (const Size& s : kSizes) {
    EXPECT_EQ(overlap_lines(sample(s.stations, s.runs, s.seed)), 0) << describe(s);
  }
}

TEST(Datafiles_SampleDiaTests, SetsStableAlongTheLineAndTheDefaultSizeRunsWholeJourneys) {
  const DataSet& data = sample(12, 150, 1);
  const dia::DiaTables& dia = data.dia;
  int stabled_on_the_way = 0;
  for (int t = 1; t <= dia.trains.extent(); ++t) {
    int n = dia.trains[t].first_diagram;
    for (int guard = 0; dia.diagrams[n].next_working != 0 && guard < 1000; ++guard) {
      const dia::Diagram& d = dia.diagrams[n];
      // Every working turns back: a default-sized line needs no sections.
      EXPECT_NE(dia.diagrams[d.next_working].direction, d.direction);
      n = d.next_working;
    }
    const int last = dia.diagrams[n].events.back().rail;
    stabled_on_the_way += data.map.stations[data.map.rails[last].station].scale != map::kMajor;
  }
  EXPECT_GT(stabled_on_the_way, 0);
}

// Runs that go on in the same direction under another number.
int sections_of_journeys(const DataSet& data) {
  int sections = 0;
  for (const dia::Diagram& d : data.dia.diagrams) {
    if (!d.in_use() || d.pattern_template || d.next_working == 0) continue;
    sections += data.dia.diagrams[d.next_working].direction == d.direction;
  }
  return sections;
}

TEST(Datafiles_SampleGeneratorTests, StressSetRunsEveryTripWholeHoweverCrowded) {
  const SampleOptions options{12, 2000, 3};
  EXPECT_GT(sections_of_journeys(make_sample(options)), 0);
  SampleOptions whole = options;
  whole.whole_journeys = true;
  const DataSet stress = make_sample(whole);
  EXPECT_EQ(sections_of_journeys(stress), 0);
  int runs = 0;
  for (const dia::Diagram& d : stress.dia.diagrams) runs += d.in_use() && !d.pattern_template;
  EXPECT_GE(runs, 2000);
}

TEST(Datafiles_SampleGeneratorTests, SameSeedSameDataOtherSeedOtherData) {
  DataSet a = make_sample({12, 150, 9});
  DataSet b = make_sample({12, 150, 9});
  DataSet c = make_sample({12, 150, 10});
  auto signature = [](const DataSet& d) {
    std::string s;
    for (const map::Rail& r : d.map.rails) s += std::to_string(r.length) + r.name + ";";
    for (const map::Station& st : d.map.stations) s += st.name + ";";
    for (const dia::Diagram& g : d.dia.diagrams) {
      for (const dia::DiaEvent& e : g.events)
        s += std::to_string(e.rail) + ":" + std::to_string(e.time) + ",";
    }
    return s;
  };
  EXPECT_EQ(signature(a), signature(b));
  EXPECT_NE(signature(a), signature(c));
}

TEST(Datafiles_SampleGeneratorTests, OptionsOutsideTheRangeAreBroughtIntoIt) {
  DataSet tiny = make_sample({0, 0, 3});
  EXPECT_EQ(tiny.map.stations.extent(), 5);
  int runs = 0;
  for (const dia::Diagram& d : tiny.dia.diagrams) runs += d.in_use() && !d.pattern_template;
  EXPECT_GE(runs, 8);
  ScriptedPrompt prompt;
  map::check_rail_data(tiny.map.rails, tiny.map.prails, true, prompt);
  EXPECT_EQ(prompt.count(), 0u);

  // The longest line still has every run within the operating day.
  DataSet longest = make_sample({100000, 8, 3});
  EXPECT_EQ(longest.map.stations.extent(), 300);
  for (const dia::Diagram& d : longest.dia.diagrams) {
    if (!d.in_use()) continue;
    EXPECT_LE(day_time(d.events.back().time), 26 * 3600);
    EXPECT_GE(day_time(d.events.back().time), day_time(d.events.front().time));
  }
}

TEST(Datafiles_SampleGeneratorTests, BenchmarkSizeHasTenThousandRunsOnAHundredStations) {
  const DataSet& data = sample(100, 10000, 1);
  EXPECT_EQ(data.map.stations.extent(), 100);
  int runs = 0;
  for (const dia::Diagram& d : data.dia.diagrams) runs += d.in_use() && !d.pattern_template;
  EXPECT_GE(runs, 10000);
  // So many runs are sections of longer journeys, each train changing its
  // number along the way; rapid trains keep theirs from end to end.
  int sections = 0;
  int rapids_end_to_end = 0;
  for (const dia::Diagram& d : data.dia.diagrams) {
    if (!d.in_use() || d.pattern_template) continue;
    const bool goes_on =
        d.next_working != 0 && data.dia.diagrams[d.next_working].direction == d.direction;
    sections += goes_on;
    if (d.speed_type != 2) continue;
    EXPECT_FALSE(goes_on) << "rapid run " << d.train_number;
    const map::Station& first = data.map.stations[data.map.rails[d.events.front().rail].station];
    const map::Station& last = data.map.stations[data.map.rails[d.events.back().rail].station];
    rapids_end_to_end += first.scale == map::kMajor && last.scale == map::kMajor;
  }
  EXPECT_GT(sections, 5000);
  EXPECT_GT(rapids_end_to_end, 20);
  // A handful of overlaps remain where the branch sets that run through
  // find no platform of their own for the night.
  EXPECT_LT(overlap_lines(data), 50);
  DataSet copy = data;
  ScriptedPrompt prompt;
  EXPECT_EQ(map::check_rail_data(copy.map.rails, copy.map.prails, true, prompt),
            map::RailCheckResult::Accepted);
  EXPECT_EQ(prompt.count(), 0u);
  // A sample of the runs, spread over the day.
  MapSnapshot m(data.map);
  for (int n = 1; n <= data.dia.diagrams.extent(); n += 97) {
    expect_run_follows_rails(m, data.dia.diagrams[n], n);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// ---- Written and read back ----

// Reads bundle text the way opening a file does, minus the files.
DataSet load_bundle(const std::string& text, ScriptedPrompt& prompt) {
  bundle::SplitResult split = bundle::split(text);
  const bundle::Member* header = split.members.find_by_extension("qvd");
  DataSet ds;
  if (!header) {
    ADD_FAILURE() << "no header member";
    return ds;
  }
  HeaderReadResult read = read_header(header->content, "/nonexistent-program-folder", prompt);
  EXPECT_TRUE(read.ok());
  ds.header = std::move(read.header);
  BundleMemberLookup lookup(split.members);
  load_tables(ds, lookup, prompt, LoadOptions{});
  return ds;
}

// The line where two bundle texts part, with the member it lies in.
std::string first_difference(const std::string& a, const std::string& b) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  std::size_t line_start = a.rfind('\n', at == 0 ? 0 : at - 1);
  line_start = line_start == std::string::npos ? 0 : line_start + 1;
  std::size_t member = a.rfind("\n#", at);
  std::string member_name = member == std::string::npos
                                ? "?"
                                : a.substr(member + 1, a.find('\n', member + 1) - member - 1);
  return member_name + ": '" + a.substr(line_start, a.find('\n', at) - line_start) + "' / '" +
         b.substr(line_start, b.find('\n', at) - line_start) + "'";
}

TEST(Datafiles_SampleRoundTripTests, WrittenBundleLoadsSilentlyAndWritesTheSameBytes) {
  for (const Size& s : {Size{12, 150, 1}, Size{5, 8, 7}, Size{40, 600, 4}}) {
    DataSet generated = sample(s.stations, s.runs, s.seed);
    const std::string first = write_bundle(generated);
    ScriptedPrompt prompt;
    DataSet loaded = load_bundle(first, prompt);
    EXPECT_EQ(prompt.count(), 0u) << describe(s) << ": " << prompt.last().text;
    ScriptedPrompt check;
    EXPECT_EQ(map::check_rail_data(loaded.map.rails, loaded.map.prails,
                                   loaded.header.map.map_pos_check, check),
              map::RailCheckResult::Accepted);
    EXPECT_EQ(check.count(), 0u) << describe(s);

    const std::string second = write_bundle(loaded);
    EXPECT_EQ(first.size(), second.size()) << describe(s);
    EXPECT_TRUE(first == second) << describe(s) << " " << first_difference(first, second);

    // What the files carry comes back as generated.
    ASSERT_EQ(loaded.dia.diagrams.extent(), generated.dia.diagrams.extent());
    for (int n = 1; n <= loaded.dia.diagrams.extent(); ++n) {
      const dia::Diagram& a = generated.dia.diagrams[n];
      const dia::Diagram& b = loaded.dia.diagrams[n];
      EXPECT_EQ(a.events, b.events) << n;
      EXPECT_EQ(a.next_working, b.next_working) << n;
      EXPECT_EQ(a.coupled_behind, b.coupled_behind) << n;
      EXPECT_EQ(a.run.owning_unit, b.run.owning_unit) << n;
    }
    for (int r = 1; r <= loaded.map.rails.extent(); ++r) {
      EXPECT_EQ(loaded.map.rails[r].label, generated.map.rails[r].label) << r;
      EXPECT_EQ(loaded.map.rails[r].l_next, generated.map.rails[r].l_next) << r;
    }
    EXPECT_EQ(loaded.header.sizes, generated.header.sizes);
    EXPECT_EQ(loaded.classification.passengers.size(), generated.classification.passengers.size());
    for (int t = 1; t <= loaded.dia.trains.extent(); ++t) {
      EXPECT_EQ(loaded.dia.trains[t].position, generated.dia.trains[t].position) << t;
    }
    for (int sr = 1; sr <= loaded.series.extent(); ++sr) {
      EXPECT_EQ(loaded.series[sr].used, generated.series[sr].used) << sr;
      EXPECT_EQ(loaded.series[sr].acceleration_table, generated.series[sr].acceleration_table);
    }
  }
}

}  // namespace
}  // namespace vosk::samples
