// The classification tables of the sample dia, before any run exists.
#include <algorithm>
#include <cstdlib>

#include "base/format.h"
#include "samples/dia.h"
#include "samples/names.h"
#include "map/station.h"

namespace vosk::samples {
namespace {

constexpr std::size_t kShortBytes = 20;
constexpr std::size_t kNameBytes = 255;

void add_stop_time(dia::StopTimeList& list, int target, int rail, int kind, int seconds,
                   int train_type = 0) {
  dia::StopTime e;
  e.target = rail != 0 ? 0 : target;
  e.rail = rail;
  e.kind = kind;
  e.seconds = seconds;
  e.train_type = train_type;
  list.push_back(e);
}

// Stop times by station (the header's default stop time covers the major
// stations), longer stops of rapids at major stations, a longer stop of
// through trains in the junction's bay, and turnback times at the terminals.
void write_stop_times(const SampleLine& line, dia::StopTimeList& list) {
  for (const auto* stations : {&line.main, &line.branch}) {
    for (const StationPlan& st : *stations) {
      if (st.scale != map::kMajor) add_stop_time(list, st.number, 0, dia::kStopTime, 30);
      if (st.scale == map::kMajor) add_stop_time(list, st.number, 0, dia::kStopTime, 60, 2);
    }
  }
  const StationPlan& junction = line.main[static_cast<std::size_t>(line.junction)];
  add_stop_time(list, 0, TrackBuilder::rail_a(junction.bay), dia::kStopTime, 60);
  add_stop_time(list, 0, TrackBuilder::rail_b(junction.bay), dia::kStopTime, 60);
  add_stop_time(list, line.main.front().number, 0, dia::kTurnbackTime, 300);
  add_stop_time(list, line.main.back().number, 0, dia::kTurnbackTime, 240);
  add_stop_time(list, junction.number, 0, dia::kTurnbackTime, 180);
  add_stop_time(list, line.branch.back().number, 0, dia::kTurnbackTime, 180);
}

// Passengers per hour between stations: every station to and from the
// major ones, and between near neighbours. Flows toward the west terminal
// peak in the morning, the others in the evening.
void write_passengers(const SampleLine& line, const MapTables& map, dia::PassengerList& list) {
  const int count = line.station_count();
  auto weight = [&](int n) {
    int scale = map.stations[n].scale;
    return scale == map::kMajor ? 8 : scale == map::kStaffed ? 3 : 1;
  };
  for (int from = 1; from <= count; ++from) {
    for (int to = 1; to <= count; ++to) {
      if (from == to) continue;
      const int metres = std::abs(map.stations[from].distance - map.stations[to].distance) * 10;
      const bool major = weight(from) == 8 || weight(to) == 8;
      if (!major && metres > 6000) continue;
      const int base = std::max(1, 40 * weight(from) * weight(to) / (1 + metres / 4000));
      const bool westward = map.stations[to].distance < map.stations[from].distance;
      const int morning = westward ? base : base * 6 / 10;
      const int evening = westward ? base * 6 / 10 : base;
      const int profile[][2] = {{0, 0},
                                {6 * 3600, base / 4},
                                {8 * 3600, morning},
                                {12 * 3600, base / 2},
                                {18 * 3600, evening},
                                {22 * 3600, base / 4},
                                {100800, 0}};
      for (const auto& p : profile) list.push_back({from, to, p[0], p[1]});
    }
  }
}

void write_crew_messages(dia::CrewMessages& messages) {
  messages.set("走行中・到着", "主要駅・車掌乗務・定時",
               record_text("まもなく到着です。お出口は左側です。", kNameBytes));
  messages.set("走行中・駅間", "車掌乗務・定時",
               record_text("次の停車駅まで約３分です。", kNameBytes));
  messages.set("停車中・発車", "間際", record_text("まもなく発車します。", kNameBytes));
}

}  // namespace

void write_classification(const SampleLine& line, const MapTables& map, const Header& header,
                          dia::ClassificationTables& tables) {
  tables = dia::new_classification_tables(header.map.max_speed);

  // The rapids stand out in the train graph.
  dia::TrainType& rapid_type = tables.train_types[2];
  rapid_type.red = 220;
  rapid_type.green = 60;
  rapid_type.blue = 0;
  rapid_type.line_width = 750;

  // Display target 1 shows the main line, a second one the branch.
  tables.display_targets[1].name = record_text("本線", kNameBytes);
  dia::DisplayTarget& branch = tables.display_targets.grow_to(2);
  branch.name = record_text(
      line.names[static_cast<std::size_t>(line.branch.back().number)] + "支線", kNameBytes);

  dia::SpeedType& standard = tables.speed_types[1];
  standard.measuring_series = 1;
  standard.max_speed = 110;
  dia::SpeedType& rapid = tables.speed_types.grow_to(2);
  rapid.measuring_series = 2;
  rapid.max_speed = 120;
  rapid.short_name = record_text("快速", kShortBytes);
  rapid.name = record_text("快速（8000系）", kNameBytes);
  dia::SpeedType& branch_speed = tables.speed_types.grow_to(3);
  branch_speed.measuring_series = 3;
  branch_speed.max_speed = 95;
  branch_speed.short_name = record_text("支線", kShortBytes);
  branch_speed.name = record_text("支線（2000系）", kNameBytes);

  write_stop_times(line, tables.stop_times);
  write_passengers(line, map, tables.passengers);
  write_crew_messages(tables.crew_messages);
}

}  // namespace vosk::samples
