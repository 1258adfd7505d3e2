#include "graph/graph_edits.h"

#include "base/format.h"
#include "base/sjis.h"
#include "datafiles/dia_editing.h"
#include "dia/dia_operations.h"
#include "dia/dia_snapshot.h"
#include "dia/working_chains.h"
#include "dia/workings.h"
#include "graph/time_axis.h"

namespace vosk::graph {
namespace {

bool listed(const dia::Diagram& d) { return d.in_use() && d.pattern_template == 0; }

std::string clock_text(int t) { return format("%2d:%02d:%02d", t / 3600, t / 60 % 60, t % 60); }

}  // namespace

int run_reference_time(const dia::Diagram& d) {
  for (const dia::DiaEvent& e : d.events) {
    if (e.type == dia::kEventEnd) break;
    if (e.type == dia::kEventPointBoth || e.type == dia::kEventPoint) continue;
    if (e.time != 0) return wrap_time(e.time);
  }
  return 0;
}

std::vector<RunRow> run_list(const datafiles::DataSet& data, bool temporary_only) {
  std::vector<RunRow> rows;
  const auto& diagrams = data.dia.diagrams;
  const auto& types = data.classification.train_types;
  for (int n = 1; n <= diagrams.extent(); ++n) {
    const dia::Diagram& d = diagrams[n];
    if (!listed(d)) continue;
    if (temporary_only && !dia::is_temporary(data.dia, n)) continue;
    RunRow row;
    row.diagram = n;
    row.train_number = sjis::to_utf8_lossy(d.train_number);
    if (types.names_record(d.train_type))
      row.type = sjis::to_utf8_lossy(types[d.train_type].short_name);
    row.destination = sjis::to_utf8_lossy(d.destination_text);
    row.time = run_reference_time(d);
    if (row.time != 0) row.start = clock_text(row.time);
    rows.push_back(std::move(row));
  }
  return rows;
}

bool offer_unassigned_runs(ViewFlags& view, Prompt& prompt) {
  if (view.view_suspense) return false;
  if (!dia::confirmed(prompt, kShowUnassignedCaption, kShowUnassignedQuestion)) return false;
  view.view_suspense = true;
  return true;
}

std::vector<StartRail> start_rails(const datafiles::DataSet& data) {
  std::vector<StartRail> rails;
  const auto& map = data.map;
  for (int r = 1; r <= map.rails.extent(); ++r) {
    const map::Rail& rail = map.rails[r];
    if (rail.stop_distance == 0) continue;
    std::string place = rail.name;
    if (map.targets.names_record(rail.target)) place = map.targets[rail.target].name + "  " + place;
    rails.push_back({r, sjis::to_utf8_lossy(place)});
  }
  return rails;
}

bool GraphEdits::undo() { return history_.undo(data_.dia); }

bool GraphEdits::redo() { return history_.redo(data_.dia); }

dia::EditResult GraphEdits::delete_run(int n) {
  const auto& diagrams = data_.dia.diagrams;
  if (!diagrams.names_record(n) || !diagrams[n].in_use()) {
    return dia::EditResult::refused(caption::kOperationError, "ダイヤが選択されていません。");
  }
  if (diagrams[n].run.owning_unit != 0) {
    return dia::EditResult::refused(caption::kOperationError,
                                    "運用に指定されているダイヤは削除できません。");
  }
  history_.record(data_.dia, kUndoDeleteRun);
  dia::free_runs(data_.dia, {n});
  return dia::EditResult::done(n);
}

dia::EditResult GraphEdits::delete_temporary_runs(const std::vector<int>& runs) {
  if (runs.empty()) return dia::EditResult::declined();
  for (int n : runs) {
    if (!data_.dia.diagrams.names_record(n) || !data_.dia.diagrams[n].in_use() ||
        !dia::is_temporary(data_.dia, n)) {
      return dia::EditResult::refused(caption::kOperationError,
                                      "臨時ダイヤではないダイヤが含まれています。");
    }
  }
  history_.record(data_.dia, kUndoDeleteTemporary);
  dia::free_runs(data_.dia, runs);
  return dia::EditResult::done(static_cast<int>(runs.size()));
}

dia::EditResult GraphEdits::new_working(int rail, int time, Prompt& prompt) {
  const dia::DiaSnapshot before(data_.dia);
  dia::EditResult result = dia::EditResult::declined();
  {
    datafiles::DiaEditing editing(data_, prompt);
    result = dia::create_run_at(editing.workings(), data_.dia, rail, time);
  }
  if (result.ok()) history_.record(before.tables(), kUndoNewWorking);
  return result;
}

void GraphEdits::record(const dia::DiaTables& before, const std::string& name) {
  history_.record(before, name);
}

}  // namespace vosk::graph
