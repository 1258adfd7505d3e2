#pragma once
// Coupling at the ends of runs, in the dia edit window: a formation joins
// another train for its next working (次運用併結), leaves the train it runs
// coupled in (次運用分割), or changes its place in the train (併結順序変更).
// Each refusal carries its message; the dia is unchanged after one.
#include "dia/dia_tables.h"
#include "dia/edit_result.h"
#include "dia/workings.h"

namespace vosk::dia {

inline constexpr const char* kCouplingErrorCaption = "併結エラー";
inline constexpr const char* kCannotCoupleHere =
    "この列車は、ここで併結することはできません。";
inline constexpr const char* kNoNextWorkingToSplit = "次運用が設定されていないため、分割できません。";
inline constexpr const char* kNextWorkingNotCoupled = "次運用は併結していないため、分割できません。";
inline constexpr const char* kNotCoupledForOrder =
    "このダイヤは併結していないため、併結順序を変更できません。";

// 次運用併結: the train of run n (n and the runs coupled with it, or n alone
// when it splits or merges at its end) runs on coupled behind the train of
// run `chosen`: each of its runs gets as next working a coupled copy of
// chosen's working chain, at the rear of chosen's train (the rear of n's
// train first after a turnback, where it leads). Refused with
// kCannotCoupleHere (併結エラー) when chosen does not leave the track where n
// ends, is
// part of n's train or its chains come back to it. When a run of n's train
// has a next working, "現在設定されている次運用以降のダイヤを削除しますか？…"
// (削除確認) comes first; Yes deletes the old chains (an executed dia keeps
// them). Done names n's new next working.
EditResult couple_next_working(const WorkingsContext& ctx, DiaTables& dia, int n, int chosen);

// 次運用分割: from run n's next working on, n's formation runs alone: that run
// and every run after it on its working chain leave their coupled trains
// (the runs ahead and behind close up). n then splits from its partner at
// its end. Refused (操作エラー) without a next working or when the next
// working runs alone. Done names n.
EditResult split_next_working(DiaTables& dia, int n);

// 併結順序変更: run n moves one place to the front of its coupled train; the
// front run goes to the rear. Refused (操作エラー) for a run that runs alone.
EditResult change_coupling_order(DiaTables& dia, int n);

}  // namespace vosk::dia
