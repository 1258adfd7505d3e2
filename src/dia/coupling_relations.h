#pragma once
// Split (分割) and merge (併合) relations at the ends of runs, derived from the
// working chains and the coupling links. For each unit's working chain and
// each run A with next working N:
// - same direction: A merges when it has no coupled_ahead but N has one, C;
//   A's merge partner is C's previous working. A's partner run is its
//   coupled_ahead.
// - turnback: A merges when it has no coupled_behind but N has a
//   coupled_ahead C; the merge partner is C's previous working. A's partner
//   run is its coupled_behind.
// - A splits from its partner run P when N has no coupled_ahead.
// Each relation is also kept on the partner, reversed. Recompute after every
// chain change; needs the owning units (recompute_owners).
#include <span>
#include <vector>

#include "dia/dia_tables.h"

namespace vosk::dia {

class CouplingRelations {
 public:
  explicit CouplingRelations(const DiaTables& dia);

  int merge_partner(int n) const { return at(merge_, n); }
  int split_partner(int n) const { return at(split_, n); }
  // Runs whose merge (split) partner is n.
  std::span<const int> merged_by(int n) const { return list(merged_by_, n); }
  std::span<const int> split_by(int n) const { return list(split_by_, n); }

  // A run with a merge relation in either direction couples at its end.
  bool couples_at_end(int n) const { return merge_partner(n) != 0 || !merged_by(n).empty(); }

  // n's merge and split partners in both directions, each once.
  std::vector<int> partners(int n) const;

 private:
  static int at(const std::vector<int>& v, int n) {
    return n >= 0 && static_cast<std::size_t>(n) < v.size() ? v[static_cast<std::size_t>(n)] : 0;
  }
  static std::span<const int> list(const std::vector<std::vector<int>>& v, int n) {
    if (n < 0 || static_cast<std::size_t>(n) >= v.size()) return {};
    return v[static_cast<std::size_t>(n)];
  }

  std::vector<int> merge_;
  std::vector<int> split_;
  std::vector<std::vector<int>> merged_by_;
  std::vector<std::vector<int>> split_by_;
};

}  // namespace vosk::dia
