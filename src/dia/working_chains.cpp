#include "dia/working_chains.h"

#include <algorithm>

#include "dia/dia_operations.h"

namespace vosk::dia {
namespace {

// Follows `link` from n while it names a run in use, at most as many steps as
// the table has slots; `visit` sees each run after n.
template <class Visit>
void follow(const DiaTables& dia, int n, int Diagram::*link, Visit visit) {
  int steps = dia.diagrams.extent();
  for (int r = dia.diagrams[n].*link; r != n && run_in_use(dia, r) && steps-- > 0;
       r = dia.diagrams[r].*link) {
    if (!visit(r)) return;
  }
}

int chain_end(const DiaTables& dia, int n, int Diagram::*link) {
  int end = n;
  follow(dia, n, link, [&](int r) {
    end = r;
    return true;
  });
  return end;
}

void clear_if_freed(const DiaTables& dia, int& link) {
  if (link != 0 && !run_in_use(dia, link)) link = 0;
}

}  // namespace

bool run_in_use(const DiaTables& dia, int n) {
  return dia.diagrams.names_record(n) && dia.diagrams[n].in_use();
}

std::vector<int> working_chain(const DiaTables& dia, int first) {
  std::vector<int> chain;
  if (!run_in_use(dia, first)) return chain;
  chain.push_back(first);
  std::vector<bool> seen(static_cast<std::size_t>(dia.diagrams.extent()) + 1, false);
  seen[static_cast<std::size_t>(first)] = true;
  follow(dia, first, &Diagram::next_working, [&](int r) {
    if (seen[static_cast<std::size_t>(r)]) return false;
    seen[static_cast<std::size_t>(r)] = true;
    chain.push_back(r);
    return true;
  });
  return chain;
}

bool on_working_chain(const DiaTables& dia, int first, int n) {
  std::vector<int> chain = working_chain(dia, first);
  return std::find(chain.begin(), chain.end(), n) != chain.end();
}

std::vector<int> coupling_chain(const DiaTables& dia, int n) {
  if (!run_in_use(dia, n)) return {};
  int front = chain_end(dia, n, &Diagram::coupled_ahead);
  std::vector<int> chain{front};
  follow(dia, front, &Diagram::coupled_behind, [&](int r) {
    if (std::find(chain.begin(), chain.end(), r) != chain.end()) return false;
    chain.push_back(r);
    return true;
  });
  return chain;
}

void couple_at_rear(DiaTables& dia, int r, int c) {
  int rear = coupling_chain(dia, r).back();
  dia.diagrams[rear].coupled_behind = c;
  dia.diagrams[c].coupled_ahead = rear;
}

void couple_at_front(DiaTables& dia, int r, int c) {
  int front = coupling_chain(dia, r).front();
  dia.diagrams[front].coupled_ahead = c;
  dia.diagrams[c].coupled_behind = front;
}

void uncouple(DiaTables& dia, int n) {
  if (!run_in_use(dia, n)) return;
  Diagram& run = dia.diagrams[n];
  int ahead = run_in_use(dia, run.coupled_ahead) ? run.coupled_ahead : 0;
  int behind = run_in_use(dia, run.coupled_behind) ? run.coupled_behind : 0;
  if (ahead != 0) dia.diagrams[ahead].coupled_behind = behind;
  if (behind != 0) dia.diagrams[behind].coupled_ahead = ahead;
  run.coupled_ahead = 0;
  run.coupled_behind = 0;
}

int copy_run(DiaTables& dia, int src) {
  if (!run_in_use(dia, src)) return 0;
  int n = allocate_diagram(dia);
  if (n == 0) return 0;
  copy_diagram(dia, n, src);
  Diagram& copy = dia.diagrams[n];
  copy.events = dia.diagrams[src].events;
  copy.next_working = 0;
  copy.coupled_ahead = 0;
  copy.coupled_behind = 0;
  copy.running_order = 0;
  copy.pattern_template = 0;
  return n;
}

bool copies_go_behind(const DiaTables& dia, int r) {
  if (!run_in_use(dia, r)) return true;
  const Diagram& run = dia.diagrams[r];
  return !(run.coupled_ahead == 0 && run.coupled_behind != 0);
}

int copy_chain_coupled(DiaTables& dia, int first, bool behind) {
  std::vector<int> sources = working_chain(dia, first);
  if (sources.empty()) return 0;
  const int direction = dia.diagrams[first].direction;
  int first_copy = 0;
  int previous = 0;
  for (int src : sources) {
    int copy = copy_run(dia, src);
    if (copy == 0) break;
    bool at_rear = (dia.diagrams[src].direction == direction) == behind;
    if (at_rear) {
      couple_at_rear(dia, src, copy);
    } else {
      couple_at_front(dia, src, copy);
    }
    if (previous != 0) dia.diagrams[previous].next_working = copy;
    if (first_copy == 0) first_copy = copy;
    previous = copy;
  }
  return first_copy;
}

void free_runs(DiaTables& dia, const std::vector<int>& runs) {
  if (runs.empty()) return;
  for (int n : runs) clear_diagram(dia, n);
  for (Diagram& d : dia.diagrams) {
    if (!d.in_use()) continue;
    clear_if_freed(dia, d.next_working);
    clear_if_freed(dia, d.coupled_ahead);
    clear_if_freed(dia, d.coupled_behind);
  }
  for (Unit& u : dia.units) clear_if_freed(dia, u.first_diagram);
  for (Train& t : dia.trains) clear_if_freed(dia, t.first_diagram);
  recompute_owners(dia);
}

std::vector<int> chain_to_delete(const DiaTables& dia, int n) {
  std::vector<int> runs;
  std::vector<bool> taken(static_cast<std::size_t>(dia.diagrams.extent()) + 1, false);
  for (int c : coupling_chain(dia, n)) {
    for (int r : working_chain(dia, c)) {
      if (taken[static_cast<std::size_t>(r)]) continue;
      taken[static_cast<std::size_t>(r)] = true;
      runs.push_back(r);
    }
  }
  return runs;
}

void delete_chain(DiaTables& dia, int n) { free_runs(dia, chain_to_delete(dia, n)); }

}  // namespace vosk::dia
