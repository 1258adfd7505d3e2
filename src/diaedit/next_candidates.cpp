#include "diaedit/next_candidates.h"

#include "base/sjis.h"
#include "diaedit/dia_edit_layout.h"
#include "diaedit/edit_tools.h"

namespace vosk::diaedit {
namespace {

std::string rail_name(const datafiles::DataSet& data, int rail) {
  const auto& rails = data.map.rails;
  if (!rails.names_record(rail)) return std::to_string(rail);
  const map::Rail& r = rails[rail];
  return sjis::to_utf8_lossy(!r.name.empty() ? r.name : r.short_name);
}

}  // namespace

std::vector<CandidateRow> candidate_rows(datafiles::DataSet& data, int n,
                                         dia::NextDirection direction, dia::NextUse use) {
  const EditTools tools(data);
  std::vector<CandidateRow> rows;
  for (int c : dia::next_working_candidates(data.dia, tools.route(), n, direction, use)) {
    const dia::Diagram& d = data.dia.diagrams[c];
    CandidateRow row;
    row.run = c;
    row.train_number = sjis::to_utf8_lossy(d.train_number);
    const auto& types = data.classification.train_types;
    if (types.contains(d.train_type))
      row.train_type = sjis::to_utf8_lossy(types[d.train_type].short_name);
    row.destination = sjis::to_utf8_lossy(d.destination_text);
    const int u = d.run.owning_unit;
    if (data.dia.units.names_record(u)) row.formation = sjis::to_utf8_lossy(data.dia.units[u].name);
    const dia::DiaEvent& first = d.events.front();
    const dia::DiaEvent& last = d.events[d.event_count() - 1];
    row.from = rail_name(data, first.rail);
    row.departure = time_text(first.time);
    row.to = rail_name(data, last.rail);
    row.arrival = time_text(last.time);
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace vosk::diaedit
