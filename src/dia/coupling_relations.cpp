#include "dia/coupling_relations.h"

#include <algorithm>

#include "dia/dia_operations.h"

namespace vosk::dia {
namespace {

bool live(const DiaTables& dia, int n) {
  return dia.diagrams.names_record(n) && dia.diagrams[n].in_use();
}

}  // namespace

CouplingRelations::CouplingRelations(const DiaTables& dia) {
  auto size = static_cast<std::size_t>(dia.diagrams.extent()) + 1;
  merge_.assign(size, 0);
  split_.assign(size, 0);
  merged_by_.assign(size, {});
  split_by_.assign(size, {});
  std::vector<bool> seen(size, false);
  for (int u = 1; u <= dia.units.extent(); ++u) {
    // A damaged chain may loop or be shared: each run is taken once.
    for (int a = dia.units[u].first_diagram; live(dia, a) && !seen[static_cast<std::size_t>(a)];
         a = dia.diagrams[a].next_working) {
      seen[static_cast<std::size_t>(a)] = true;
      const Diagram& run = dia.diagrams[a];
      int n = run.next_working;
      if (!live(dia, n)) continue;
      const Diagram& next = dia.diagrams[n];
      bool same_direction = run.direction == next.direction;
      int partner = same_direction ? run.coupled_ahead : run.coupled_behind;
      int c = next.coupled_ahead;
      auto slot = static_cast<std::size_t>(a);
      if (partner == 0 && live(dia, c)) {
        merge_[slot] = previous_working(dia, c, nullptr);
      } else if (partner != 0 && c == 0) {
        split_[slot] = partner;
      }
    }
  }
  for (std::size_t a = 0; a < size; ++a) {
    int m = merge_[a];
    if (m > 0 && static_cast<std::size_t>(m) < size)
      merged_by_[static_cast<std::size_t>(m)].push_back(static_cast<int>(a));
    int s = split_[a];
    if (s > 0 && static_cast<std::size_t>(s) < size)
      split_by_[static_cast<std::size_t>(s)].push_back(static_cast<int>(a));
  }
}

std::vector<int> CouplingRelations::partners(int n) const {
  std::vector<int> out;
  auto add = [&](int r) {
    if (r != 0 && std::find(out.begin(), out.end(), r) == out.end()) out.push_back(r);
  };
  add(merge_partner(n));
  add(split_partner(n));
  for (int r : merged_by(n)) add(r);
  for (int r : split_by(n)) add(r);
  return out;
}

}  // namespace vosk::dia
