#pragma once
// The passenger connection search: the fastest journeys between two
// stopping places over the whole dia, with transfers. Each journey found is
// one that no other beats on both ends (a later departure, an earlier
// arrival); the runs that form it are marked in their run-time fields for
// the windows to show.
#include <string>
#include <vector>

#include "dia/dia_tables.h"
#include "dia/timing_lookup.h"

namespace vosk::dia {

// Where the search shows its progress: a window in the editor, standard
// output in the command-line tool. Texts are UTF-8.
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void report(const std::string& utf8_text) = 0;
};

// Marks a run carries after a search (DiagramRunState::search_kind).
enum SearchMark : int {
  kSearchUnmarked = 0,
  kSearchDirect = 1,   // runs from the departure place to the arrival place
  kSearchLastLeg = 2,  // the last run of a journey with transfers
  kSearchFeeder = 3,   // an earlier run of such a journey
};

// One run of a journey, boarded at `from_target` and left at `to_target`.
struct JourneyLeg {
  int diagram = 0;
  int from_target = 0;
  int to_target = 0;

  bool operator==(const JourneyLeg&) const = default;
};

// Times on the operating-day scale (a time before 03:00:00 counts as the
// next day's, 86400 added).
struct Journey {
  int departure = 0;             // from the departure place
  int arrival = 0;               // at the arrival place
  std::vector<JourneyLeg> legs;  // in travel order
};

// Searches journeys from target `from_target` to target `to_target` over the
// runs in use that are no pattern templates and whose train type carries
// passengers. Clears every run's marks first, then marks the runs of each
// journey found (direct: from/to are the two places; with transfers: each
// run's own boarding and leaving places), with the journey's departure as
// the best time. Reports "経路探索中　（探索範囲：%s発%s－%s着%s）" before each
// step and "探索終了" at the end; `colons` chooses the time text form. The
// journeys are returned in the order found (by arrival).
std::vector<Journey> search_connections(DiaTables& dia, const TimingLookup& timing, int from_target,
                                        int to_target, Progress& progress, bool colons = true);

}  // namespace vosk::dia
