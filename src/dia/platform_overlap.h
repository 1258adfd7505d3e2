#pragma once
// 番線重複: two runs of different formations holding the same platform track
// at the same time. A run occupies a stopping place from its arrival (or
// departure − stop time) to its departure; a final arrival holds its track
// until the next working leaves, or until 28:00:00. Times are compared on
// the operating-day scale (before 03:00 counts as the next day).
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "dia/check_context.h"
#include "dia/check_report.h"

namespace vosk::dia {

// One stay of a run at a stopping place.
struct Occupation {
  int run = 0;
  int rail = 0;
  int target = 0;
  int start = 0;  // operating-day seconds
  int end = 0;
};

// Run n's stays, in event order. Stays whose times are unset are left out
// (a time 0 counts as set in a dia imported in WinDIA mode).
std::vector<Occupation> run_occupations(const CheckContext& ctx, int n);

// The stays of every run that can be compared with another (in use, no
// template, with an owning formation), by track (PRail). Build once for
// checking many runs; rebuild after an edit.
class OccupationIndex {
 public:
  explicit OccupationIndex(const CheckContext& ctx);

  // Appends to `out` every indexed stay on `track` whose interval meets
  // [start, end], in order of their start. Costs O((hits + 1) × log stays).
  void overlapping(int track, int start, int end, std::vector<Occupation>& out) const;

  // The key of a rail's track: its PRail, or the rail itself (negated)
  // when it has none.
  static int track_key(const MapTablesRef& map, int rail);

 private:
  struct Track {
    std::vector<Occupation> stays;  // by start
    std::vector<int> starts;        // their starts, compact for the search
    // Segment tree over `stays` (node 1 covers all; children 2k, 2k + 1)
    // holding the latest end below each node.
    std::vector<int> latest_end;
  };
  static void build(Track& track, std::size_t node, std::size_t lo, std::size_t hi);
  static void collect(const Track& track, std::size_t node, std::size_t lo, std::size_t hi,
                      std::size_t upper, int start, std::vector<Occupation>& out);
  const Track* find(int track) const {
    auto it = tracks_.find(track);
    return it == tracks_.end() ? nullptr : &it->second;
  }

  std::unordered_map<int, Track> tracks_;
};

struct OverlapHit {
  int rail = 0;  // the compared run's rail
  int run = 0;   // the compared run

  bool operator==(const OverlapHit&) const = default;
};

struct OverlapResult {
  bool ok = true;
  std::vector<OverlapHit> hits;  // for highlighting
  std::string box_text;          // UTF-8 message box text on failure
};

// "番線重複はありません。" in CP932.
const std::string& no_overlap_text();

// The overlap check of run n, only while `use_duplicate` is on and never for
// a pattern template: each overlap is reported as a line, no overlap as
// "番線重複はありません。".
OverlapResult check_platform_overlap(const CheckContext& ctx, const OccupationIndex& index, int n,
                                     bool use_duplicate, CheckReport& report);

}  // namespace vosk::dia
