#pragma once
// Edits of a run's route that keep the rest of its list: moving its start,
// attaching the next working to its end, extending it beyond its end, and
// making it a duty's first working. Each checks first and changes the dia
// only when it succeeds.
#include <optional>
#include <vector>

#include "dia/coupling_relations.h"
#include "dia/dia_tables.h"
#include "dia/edit_result.h"
#include "dia/route_context.h"

namespace vosk::dia {

// The events of `run` with its start moved to `rail` (to rail's l_dual when
// the rail runs the other way): the point entries between the start and the
// first stop or pass are replaced by a point path from the new start, each
// timed start time + standard running time from the new start rail (0 when
// none is registered). nullopt when the run has no stop or pass after its
// start or no point path leads there.
std::optional<std::vector<DiaEvent>> moved_start(const RouteContext& ctx, const Diagram& run,
                                                 int rail);
// moved_start applied to run n; false changes nothing.
bool move_run_start(const RouteContext& ctx, DiaTables& dia, int n, int rail);

// Makes `next` the next working of run n. The link is made only when n's
// last event lies at the stopping place where `next` starts; when the two
// rails lie on different tracks, next's start is first moved to n's last
// rail. False (and nothing changed) when that fails. On success the owning
// units are recomputed. Coupled runs are the workings module's: it relinks
// them through its RouteFollowUp.
bool attach_next_working(const RouteContext& ctx, DiaTables& dia, int n, int next);

// 延長: run n's end entry becomes a stop at the old end time plus the
// type-independent standard stop time of its rail (not earlier than
// `simulated_time` in an executed dia), and the route continues from there.
// Then the follow-up relinks, re-times from the new stop and checks the run,
// and the automatic destination is recomputed. Refused with "これ以上の経路が
// 見つかりません。" ("経路エラー") when no further route exists; the run keeps
// its end. (Runs that couple at their end are refused by the caller first.)
EditResult extend_run(const RouteContext& ctx, DiaTables& dia, int n,
                      std::optional<int> simulated_time = std::nullopt);

// Run n becomes duty `train`'s first working (and its head formation's):
// when n does not start at the duty's current rail, its start is moved
// there. Refused with "このダイヤを設定した場合、経路が見つかりません。"
// ("進路エラー") when that fails; nothing changes then. The question about the
// old chain and the coupled formations' chains are the workings module's.
EditResult set_first_working(const RouteContext& ctx, DiaTables& dia, int train, int n);

// The follow-up the editor uses after a route change: the next working is
// attached to the new end again (the link is dropped when that fails) and the
// run is re-timed by the correction when automatic timing is on. A workings
// module that also relinks coupled runs derives from it. The correction
// needs the split and merge relations: pass them when re-timing many runs
// at once (they are otherwise derived from the whole dia for every run).
class StandardRouteFollowUp : public RouteFollowUp {
 public:
  StandardRouteFollowUp(const MapView& map, const RailIndex& index, const TimingLookup& timing,
                        bool correct_times, const CouplingRelations* relations = nullptr)
      : map_(map),
        index_(index),
        timing_(timing),
        correct_times_(correct_times),
        relations_(relations) {}

  void relink(DiaTables& dia, int n, int next_working) override;
  void retime(DiaTables& dia, int n, std::size_t first) override;

 private:
  const MapView& map_;
  const RailIndex& index_;
  const TimingLookup& timing_;
  bool correct_times_;
  const CouplingRelations* relations_;
};

}  // namespace vosk::dia
