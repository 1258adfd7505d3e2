#pragma once
// Workings (運用): creating runs for duties, choosing a duty's first working,
// and creating, choosing and ending next workings. Each operation checks
// first, asks its questions through the prompt, takes a snapshot of the dia
// before it touches several runs and restores it when a route check fails;
// refusals carry the exact message for the caller to show.
#include <optional>

#include "base/prompt.h"
#include "dia/dia_tables.h"
#include "dia/edit_result.h"
#include "dia/pattern.h"
#include "dia/route_context.h"

namespace vosk::dia {

struct WorkingsContext {
  // The follow-up should be a WorkingsRouteFollowUp, so that coupled runs
  // follow route changes.
  const RouteContext& route;
  Prompt& prompt;
  // Set in a dia opened from an executed state: the simulated time. Next
  // workings then start no earlier, and their questions are not asked.
  std::optional<int> executed_time;
};

// Where duty `train` stands now: its current rail, else its initial rail.
int duty_rail(const Train& duty);

// The train information the dia settings dialog gave a new run: its stored
// fields other than the direction, links, pattern marks and events are
// taken. nullptr keeps the values every new run starts with.
using RunSettings = const Diagram*;

// 指定位置から: a new run with a stop at `rail` at `time`, its route built and
// fully measured with stops and passes set by the standard stop times.
// Refused: a start time outside 0 .. 28:00:00 (入力データエラー), no route
// ("指定位置からのダイヤを作成できません", 操作エラー). Done names the run.
EditResult create_run_at(const WorkingsContext& ctx, DiaTables& dia, int rail, int time,
                         RunSettings settings = nullptr);

// 現在位置から: as create_run_at from duty `train`'s current rail; the new run
// becomes the first working of the duty and its head formation, and every
// following formation gets a coupled copy. When the duty already has a first
// working that is no temporary dia, "現在設定されている運用以降のダイヤを削除し
// ますか？…" (削除確認) comes first: Cancel declines, Yes deletes the old
// chain once the new run stands, No keeps its runs on no formation. A
// temporary first working is deleted without asking. Refused with
// "現在位置からのダイヤを作成できません" (操作エラー) when no route exists.
EditResult create_run_at_duty(const WorkingsContext& ctx, DiaTables& dia, int train, int time,
                              RunSettings settings = nullptr);

// 臨時運用（初期ダイヤなし）: after the same question, a temporary dia at the
// duty's current rail becomes its first working.
EditResult create_temporary_run(const WorkingsContext& ctx, DiaTables& dia, int train);

// After duty `train` moved: its first working is made again at the duty's
// current rail, with the old first working's train information and start
// time, after the question of create_run_at_duty; a temporary dia when the
// old one was temporary or no route starts there. Done names the new run.
EditResult recreate_first_working(const WorkingsContext& ctx, DiaTables& dia, int train);

// Run n becomes duty `train`'s first working, after the same question; its
// start moves to the duty's rail ("このダイヤを設定した場合、経路が見つかりませ
// ん。", 進路エラー, when that fails). On Yes the old chain is deleted, but
// never n and what follows it. Any run whose next working was n loses
// that link.
EditResult choose_first_working(const WorkingsContext& ctx, DiaTables& dia, int train, int n);

// 次運用作成: a new next working of run n, continuing from its end or turning
// back (折返し) onto the other direction's rail of the same track. It starts
// at n's last time plus the standard stop time (turnback time) of the last
// rail. When n already has a next working, "現在設定されている次運用以降のダイ
// ヤを削除しますか？…" (削除確認) comes first (not in an executed dia, which
// keeps the chain). Unless n splits or merges at its end, the run that gets
// the new working is the rear of n's coupling chain as the train runs on,
// and every run coupled with it gets a coupled copy. Refused with
// "次運用のダイヤを作成できません" (操作エラー) when no route exists. Done names
// the new run.
EditResult create_next_working(const WorkingsContext& ctx, DiaTables& dia, int n, bool turn_back,
                               RunSettings settings = nullptr);

// The next working from dia pattern `pattern` at start time `time`: it
// continues when the pattern's template runs like n and turns back
// otherwise, and the pattern is applied to it. A refusal of the pattern
// restores the dia.
EditResult create_next_from_pattern(const WorkingsContext& ctx, DiaTables& dia, int n, int pattern,
                                    int time, const PatternTable& patterns);

// 次運用選択: an existing run becomes n's next working. Of the chosen run's
// coupling chain only the rear run is kept (the runs ahead are deleted with
// their following workings); runs whose next working it was lose that link;
// its start moves to n's end, and the dia is restored with
// "このダイヤを設定した場合、経路が見つかりません。" (進路エラー) when that fails.
// The runs coupled with n get coupled copies of the chosen chain. When n's
// old next working is not on the chosen chain the deletion question comes
// first (Yes deletes it). A choice that would make the working chain a loop
// is refused like a missing route.
EditResult choose_next_working(const WorkingsContext& ctx, DiaTables& dia, int n, int chosen);

// 次運用なし（運用終了）: n and every run coupled with it get no next working;
// after the deletion question the old chains are deleted on Yes.
EditResult end_working(const WorkingsContext& ctx, DiaTables& dia, int n);

// The question before a run's next workings are replaced ("削除確認"): true
// deletes them, false keeps them as temporary runs, nullopt is Cancel.
std::optional<bool> ask_delete_next_workings(Prompt& prompt);

}  // namespace vosk::dia
