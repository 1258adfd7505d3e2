#pragma once
// Working chains (next_working) and coupling chains (coupled_ahead /
// coupled_behind) of runs: walking them, giving a formation a coupled copy of
// another formation's chain, and deleting chains. Chains read from files may
// be damaged (loops, links to free slots); every walk is bounded and links to
// free slots end it.
#include <vector>

#include "dia/dia_tables.h"

namespace vosk::dia {

bool run_in_use(const DiaTables& dia, int n);

// `first` and the runs after it along next_working.
std::vector<int> working_chain(const DiaTables& dia, int first);
// True when `n` lies on the working chain that starts at `first`.
bool on_working_chain(const DiaTables& dia, int first, int n);

// The runs coupled with n, n included, from the front (nothing coupled ahead)
// to the rear.
std::vector<int> coupling_chain(const DiaTables& dia, int n);

// Couples run c at the rear or the front of the coupling chain holding r.
void couple_at_rear(DiaTables& dia, int r, int c);
void couple_at_front(DiaTables& dia, int r, int c);
// Takes n out of its coupling chain; the runs ahead of and behind it are
// coupled with each other.
void uncouple(DiaTables& dia, int n);

// A copy of run `src`, train information and events, in a new slot, on no
// chain and no pattern's template. 0 when no number is left.
int copy_run(DiaTables& dia, int src);

// The coupled copy of a working chain that a formation coupled to another
// gets: every run from `first` on is copied, the copies are chained like
// their sources, and each copy is coupled to its source's coupling chain at
// the rear when it runs like `first` and `behind` is set (at the front when
// not), the other way round for a run in the opposite direction (after a
// turnback the rear of the train leads). Returns the first copy, 0 when none
// could be made.
int copy_chain_coupled(DiaTables& dia, int first, bool behind);

// Whether a copy of run r's formation goes behind r: false only when r leads
// a coupled train (something is coupled behind it and nothing ahead).
bool copies_go_behind(const DiaTables& dia, int r);

// Frees the runs, then clears every link to them: next workings, couplings,
// and the first workings of formations and duties. Owners are recomputed.
void free_runs(DiaTables& dia, const std::vector<int>& runs);

// Deleting a chain: n, every run coupled ahead of or behind it, and all their
// following workings.
std::vector<int> chain_to_delete(const DiaTables& dia, int n);
void delete_chain(DiaTables& dia, int n);

}  // namespace vosk::dia
