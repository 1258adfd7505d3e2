#pragma once
// A small live model for the executed-state, stack member, rollback and
// recovery tests: four rails through one two-way point, a route lever with
// two buttons, two stations, three diagrams (one running, one free slot,
// one in use without events), a duty with its formation and two accident
// tables.
#include "datafiles/data_set.h"
#include "support/temp_dir.h"

namespace vosk::datafiles::testing_fixtures {

using vosk::testing::sj;

inline DataSet small_data_set() {
  DataSet ds;
  MapTables& m = ds.map;
  // Rail 1 leads into the point's rails 2 (position 0) and 3 (position 1),
  // both of which lead on to rail 4.
  for (int r = 1; r <= 4; ++r) {
    map::Rail& rail = m.rails.grow_to(r);
    rail.direction = 2;
    rail.l_pack = r;
    rail.length = 100 * r;
    rail.stop_distance = r == 4 ? 40 : 0;
    m.prails.grow_to(r).rail_a = r;
  }
  m.rails[1].l_next = 2;
  m.rails[2].l_back = 1;
  m.rails[2].l_next = 4;
  m.rails[4].l_back = 2;
  m.prails[2].open = 1;
  m.prails[3].open = 0;
  map::Point& p = m.points.grow_to(1);
  p.rail_count = 2;
  p.position_count = 2;
  p.rails[0] = 2;
  p.rails[1] = 3;
  p.open[0][0] = 1;
  p.next[0][0] = 4;
  p.back[0][0] = 1;
  p.open[1][1] = 1;
  p.next[1][1] = 4;
  p.back[1][1] = 1;
  p.active_mode = 2;
  p.configured_mode = 3;
  p.normal_position = 0;
  p.symbol_row = 1;
  p.symbol_x = 120;
  p.symbol_y = -8;
  p.key = "A1";

  map::RouteLever& lever = m.route_levers.grow_to(1);
  lever.mode = 1;
  lever.normal_route = 2;
  lever.current_route = 1;
  lever.flag1 = 7;
  lever.direction = 2;
  lever.lever_shown = 1;
  lever.lever_row = 3;
  lever.lever_x = 44;
  lever.lever_y = 55;
  lever.button_shown = 1;
  lever.button_row = 4;
  lever.button_x = 66;
  lever.button_y = 77;
  map::RouteButton& b1 = m.route_buttons.grow_to(1);
  b1 = {1, 1, 0, 1, 2, 300, 20};
  m.route_buttons.grow_to(2) = {0, 0, 1, 0, 2, 400, 24};

  for (int s = 1; s <= 2; ++s) {
    map::Station& st = m.stations.grow_to(s);
    st.distance = 150 * s;
    st.value_b = s;
    st.scale = s + 1;
    st.melody_time = 10;
    st.door_close_min = 5;
    st.door_close_mid = 10;
    st.door_close_max = 20;
    st.value_c = -s;
    st.value_d = 9;
  }
  m.stations[1].one_char_name = sj("東");
  m.stations[1].short_name = sj("東");
  m.stations[1].name = sj("東駅");
  m.stations[1].melody_file = "east.wav";
  m.stations[2].short_name = "W";
  m.stations[2].name = "West";
  m.stations[2].melody_file = "station.wav";

  dia::DiaTables& d = ds.dia;
  dia::Diagram& run = d.diagrams.grow_to(1);
  run.direction = 2;
  run.destination = 2;
  run.flag_a = 1;
  run.flag_b = 2;
  run.running_order = 3;
  run.crew = 1;
  run.train_type = 4;
  run.speed_type = 5;
  run.flag_c = 1;
  run.follow_coupled = 1;
  run.value_d = 8;
  run.car_number = 5;
  run.train_number = "101M";
  run.destination_text = sj("西");
  run.nickname = sj("はやて");
  run.remarks = "";
  run.events = {{1, 36000, dia::kEventStop},
                {2, 0, dia::kEventPoint},
                {4, 36300, dia::kEventArrival},
                {4, 36300, dia::kEventEnd}};
  d.diagrams.grow_to(2);  // a free slot
  dia::Diagram& bare = d.diagrams.grow_to(3);
  bare.direction = 1;
  bare.train_number = "NONE";

  dia::Train& t = d.trains.grow_to(1);
  t.first_diagram = 1;
  t.initial_rail = 4;
  t.head_unit = 1;
  t.name = sj("仕業1");
  dia::Unit& u = d.units.grow_to(1);
  u.first_diagram = 1;
  u.train = 1;
  u.series = 2;
  u.name = "K1";

  d.accidents.between.allocate(2);
  d.accidents.between.grow_to(1).numbers = {1, 2, 3, 4, 5, 6};
  d.accidents.between[1].block = {7, 8, 9, 10};
  d.accidents.between[1].texts = {"a", "", "c", "", ""};
  d.accidents.station.allocate(1);
  d.accidents.station.grow_to(1).numbers = {4, 3, 2, 1};
  d.accidents.station[1].block = {11, 12, 13, 14};
  return ds;
}

}  // namespace vosk::datafiles::testing_fixtures
