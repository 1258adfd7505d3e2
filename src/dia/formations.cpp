#include "dia/formations.h"

#include <vector>

#include "base/sjis.h"
#include "dia/dia_load.h"
#include "dia/dia_operations.h"
#include "dia/dia_snapshot.h"
#include "dia/renumbering.h"
#include "dia/working_chains.h"
#include "map/electrification.h"
#include "stock/equal_performance.h"
#include "stock/series_operations.h"

namespace vosk::dia {
namespace {

const stock::Series* series_at(const stock::SeriesTable& series, int n) {
  return series.names_record(n) ? &series[n] : nullptr;
}

std::string utf8(std::string_view cp932) { return sjis::to_utf8_lossy(cp932); }

// "%s %d両": a series' name and car count as the messages show them.
std::string cars_text(const stock::Series* s) {
  return (s != nullptr ? utf8(s->name) : std::string()) + " " +
         std::to_string(s != nullptr ? s->cars : 0) + "両";
}

// The duty's units from the head along unit_behind.
std::vector<int> duty_units(const DiaTables& dia, int train) {
  std::vector<int> units;
  if (!dia.trains.names_record(train)) return units;
  int u = dia.trains[train].head_unit;
  for (int steps = dia.units.extent(); dia.units.names_record(u) && steps-- > 0;
       u = dia.units[u].unit_behind) {
    units.push_back(u);
  }
  return units;
}

void update_after_change(const FormationContext& ctx, DiaTables& dia) {
  recompute_owners(dia);
  std::vector<int> unit_series;
  for (int u = 1; u <= dia.units.extent(); ++u) unit_series.push_back(dia.units[u].series);
  stock::set_used_counts(ctx.series, unit_series);
}

// Shows the performance warning when the two series run differently.
void warn_performance(const FormationContext& ctx, const stock::Series* a, const stock::Series* b,
                      const char* caption) {
  if (a == nullptr || b == nullptr || stock::equal_performance(*a, *b, ctx.use_characteristic)) {
    return;
  }
  ctx.workings.prompt.tell(caption, cars_text(a) + "と" + cars_text(b) +
                                        "は列車性能が違うため、併結後は低い方が適用されます。");
}

// Takes unit u out of the table; references to the units above it follow.
void remove_unit(DiaTables& dia, int u) {
  for (Unit& unit : dia.units) {
    unit.unit_ahead = renumbered_after_removal(unit.unit_ahead, u);
    unit.unit_behind = renumbered_after_removal(unit.unit_behind, u);
  }
  for (Train& t : dia.trains) t.head_unit = renumbered_after_removal(t.head_unit, u);
  remove_record(dia.units, u);
}

}  // namespace

bool formation_fits(const MapView& map, int rail, int length) {
  const map::Rail* r = map.rail(rail);
  if (r == nullptr) return false;
  int room = r->stop_distance;
  if (room == 0 && map.rail(map.dual(rail)) != nullptr)
    room = map.rail(map.dual(rail))->stop_distance;
  if (room == 0) room = r->length;
  int at = rail;
  for (int steps = map.rails.extent(); room < length; --steps) {
    int behind = map.back_rail(at);
    if (behind == 0 || steps <= 0 || map.point_of(behind) != 0) return false;
    room += map.rails[behind].length;
    at = behind;
  }
  return true;
}

DutySize duty_size(const DiaTables& dia, const stock::SeriesTable& series, int train) {
  DutySize size;
  for (int u : duty_units(dia, train)) {
    if (const stock::Series* s = series_at(series, dia.units[u].series)) {
      size.length += s->train_length;
      size.cars += s->cars;
    }
  }
  return size;
}

EditResult place_duty(const FormationContext& ctx, DiaTables& dia, int train, int rail) {
  const MapView& map = ctx.workings.route.map;
  if (!dia.trains.names_record(train) || map.rail(rail) == nullptr) return EditResult::declined();
  int dual = map.dual(rail);
  for (int t = 1; t <= dia.trains.extent(); ++t) {
    if (t == train) continue;
    int at = duty_rail(dia.trains[t]);
    if (at != 0 && (at == rail || at == dual)) {
      return EditResult::refused("配置エラー", "指定された初期位置には、既に列車が存在します。\n");
    }
  }
  std::vector<int> units = duty_units(dia, train);
  const stock::Series* head =
      units.empty() ? nullptr : series_at(ctx.series, dia.units[units.front()].series);
  DutySize size = duty_size(dia, ctx.series, train);
  if (!formation_fits(map, rail, size.length)) {
    return EditResult::refused(
        "編成長エラー", "指定された形式(" + (head != nullptr ? utf8(head->name) : std::string()) +
                            " " + std::to_string(size.cars) +
                            "両)は、編成長が長すぎるため、初期位置のレールに入れません。");
  }
  if (ctx.use_electri && head != nullptr) {
    const map::PRail* track = map.tables().track_of(rail);
    int system = track != nullptr ? track->electrification : -1;
    if (system >= 0 && system < map::kElectrificationCount &&
        head->electrification[static_cast<std::size_t>(system)] == 0) {
      return EditResult::refused(
          "電化方式エラー",
          utf8(head->name) + "は、" + utf8(map.rails[rail].name) + "(" +
              std::string(map::kElectrificationLabels[static_cast<std::size_t>(system)]) +
              ")に入れません。");
    }
  }
  if (rail == duty_rail(dia.trains[train])) return EditResult::done(train);

  DiaSnapshot before(dia);
  Train& duty = dia.trains[train];
  duty.initial_rail = rail;
  MapTablesRef tables = map.tables();
  set_train_position(duty, MapTablesLookup(tables));
  if (run_in_use(dia, duty.first_diagram)) {
    EditResult r = recreate_first_working(ctx.workings, dia, train);
    if (!r.ok()) {
      std::move(before).restore_into(dia);
      return r;
    }
  }
  update_after_change(ctx, dia);
  return EditResult::done(train);
}

EditResult add_rear_formation(const FormationContext& ctx, DiaTables& dia, int train,
                              const std::string& name, int series) {
  const stock::Series* added = series_at(ctx.series, series);
  std::vector<int> units = duty_units(dia, train);
  if (added == nullptr || units.empty()) return EditResult::declined();
  DutySize size = duty_size(dia, ctx.series, train);
  if (!formation_fits(ctx.workings.route.map, dia.trains[train].initial_rail,
                      size.length + added->train_length)) {
    return EditResult::refused(
        "編成長エラー",
        cars_text(added) + "を併結後は、編成長が長すぎるため、初期位置のレールに入れません。");
  }
  int last = units.back();
  warn_performance(ctx, series_at(ctx.series, dia.units[last].series), added, "列車性能確認");

  int u = dia.units.extent() + 1;
  if (!allocate_unit(dia, u)) return EditResult::declined();
  Unit& unit = dia.units[u];
  unit.name = std::string(sjis::cut(name, kUnitNameBytes));
  unit.series = series;
  unit.train = train;
  unit.unit_ahead = last;
  dia.units[last].unit_behind = u;
  int first = dia.units[last].first_diagram;
  if (run_in_use(dia, first)) {
    dia.units[u].first_diagram = copy_chain_coupled(dia, first, copies_go_behind(dia, first));
  }
  update_after_change(ctx, dia);
  return EditResult::done(u);
}

EditResult remove_rear_formation(const FormationContext& ctx, DiaTables& dia, int train) {
  std::vector<int> units = duty_units(dia, train);
  if (units.empty()) return EditResult::declined();
  if (units.size() == 1) {
    return EditResult::refused(caption::kOperationError,
                               "この編成は併結していないため、これ以上削除できません。");
  }
  int last = units.back();
  std::vector<int> runs = working_chain(dia, dia.units[last].first_diagram);
  for (int r : runs) uncouple(dia, r);
  if (confirmed(ctx.workings.prompt, "削除確認",
                "削除する編成のダイヤを削除しますか？\n"
                "「いいえ」を選ぶと、臨時のダイヤとして保存されます。")) {
    free_runs(dia, runs);
  }
  dia.units[units[units.size() - 2]].unit_behind = 0;
  remove_unit(dia, last);
  update_after_change(ctx, dia);
  return EditResult::done(train);
}

EditResult edit_formation(const FormationContext& ctx, DiaTables& dia, int unit,
                          const std::string& name, int series) {
  const stock::Series* chosen = series_at(ctx.series, series);
  if (!dia.units.names_record(unit) || chosen == nullptr) return EditResult::declined();
  const Unit& u = dia.units[unit];
  int other = dia.units.names_record(u.unit_ahead) ? u.unit_ahead : u.unit_behind;
  if (dia.units.names_record(other)) {
    warn_performance(ctx, series_at(ctx.series, dia.units[other].series), chosen, "列車性能警告");
  }
  dia.units[unit].name = std::string(sjis::cut(name, kUnitNameBytes));
  dia.units[unit].series = series;
  update_after_change(ctx, dia);
  return EditResult::done(unit);
}

EditResult delete_duty(const FormationContext& ctx, DiaTables& dia, int train) {
  if (!dia.trains.names_record(train)) return EditResult::declined();
  if (dia.trains.extent() <= 1) {
    return EditResult::refused(caption::kOperationError, "これ以上は削除できません。");
  }
  std::vector<int> units = duty_units(dia, train);
  std::string name = units.empty() ? std::string() : utf8(dia.units[units.front()].name);
  if (ctx.workings.prompt.ask("操作確認",
                              "現在のデータ（" + name + "編成）を削除します。\nよろしいですか？",
                              Buttons::OkCancel) != Answer::Ok) {
    return EditResult::declined();
  }
  // Every unit that names the duty goes, also one no longer on its chain.
  for (int u = dia.units.extent(); u >= 1; --u) {
    if (dia.units[u].train == train) remove_unit(dia, u);
  }
  for (Unit& unit : dia.units) unit.train = renumbered_after_removal(unit.train, train);
  remove_record(dia.trains, train);
  update_after_change(ctx, dia);
  return EditResult::done(train);
}

}  // namespace vosk::dia
