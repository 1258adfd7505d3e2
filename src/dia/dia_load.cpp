#include "dia/dia_load.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "base/format.h"
#include "base/sjis.h"
#include "dia/dia_members.h"
#include "dia/dia_operations.h"

namespace vosk::dia {
namespace {

void check_unit_series(DiaTables& dia, int series_count, Prompt& prompt) {
  for (int u = 1; u <= dia.units.extent(); ++u) {
    Unit& unit = dia.units[u];
    if (unit.series <= series_count) continue;
    std::string text =
        format("編成データが不正です。\n%s編成の形式情報を自動修正します。\nよろしいですか？\n",
               sjis::to_utf8_lossy(unit.name).c_str());
    if (prompt.ask(caption::kReadWarning, text, Buttons::YesNo) == Answer::Yes) {
      unit.series = series_count;
    }
  }
}

}  // namespace

void rebuild_unit_first_diagrams(DiaTables& dia) {
  for (int t = 1; t <= dia.trains.extent(); ++t) {
    int first = dia.trains[t].first_diagram;
    int u = dia.trains[t].head_unit;
    int steps = dia.units.extent();  // a damaged unit chain may loop
    while (dia.units.names_record(u) && steps-- > 0) {
      dia.units[u].first_diagram = first;
      first = dia.diagrams.names_record(first) ? dia.diagrams[first].coupled_behind : 0;
      u = dia.units[u].unit_behind;
    }
  }
}

void finish_dia_load(DiaTables& dia, int version, int series_count, Prompt& prompt) {
  check_unit_series(dia, series_count, prompt);
  if (version < kFirstVersionWithUnitChains) rebuild_unit_first_diagrams(dia);
  recompute_owners(dia);
}

void set_train_position(Train& train, const MapLookup& map) {
  TrainPosition& p = train.position;
  p.current_rail = train.initial_rail;
  p.direction = map.rail_direction(train.initial_rail);
  p.stop_distance = map.rail_stop_distance(train.initial_rail);
  if (p.stop_distance == 0) {
    p.stop_distance = map.rail_stop_distance(std::abs(map.rail_dual(train.initial_rail)));
  }
  p.stop_distance_1024 = static_cast<int>(std::clamp(
      p.stop_distance * 1024LL, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}

void complete_train_positions(DiaTables& dia, const MapLookup& map) {
  for (Train& train : dia.trains) set_train_position(train, map);
}

}  // namespace vosk::dia
