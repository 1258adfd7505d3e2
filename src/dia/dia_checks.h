#pragma once
// The dia checks together: a dia may be saved in any state, so inconsistent
// runs are reported, never refused or changed. When a run is selected in the
// dia edit window the caller clears the message window, then runs
// check_selected_run (missing times, platform overlap with the
// pattern-changed reminder, electrification). The effective-length check
// (effective_length.h) runs after a run is created, extended or re-routed
// and after stop edits.
#include <vector>

#include "dia/check_context.h"
#include "dia/check_report.h"
#include "dia/electrification_check.h"
#include "dia/platform_overlap.h"

namespace vosk::dia {

// "時刻が未設定の部分があります。TABキーを押して、自動計測を行って下さい。" for a
// run with missing times; true when written.
bool report_missing_times(const DiaTables& dia, int n, CheckReport& report);

// "ダイヤパターンが変更されています。TABキーを押して、再適用を行って下さい。" for a
// run whose applied pattern changed since; true when written.
bool report_pattern_changed(const DiaTables& dia, int n, CheckReport& report);

struct SelectionCheck {
  bool times_missing = false;
  OverlapResult overlap;  // hits for highlighting
  bool pattern_changed = false;
  ElectrificationCheck electrification;
};

SelectionCheck check_selected_run(const CheckContext& ctx, const OccupationIndex& index, int n,
                                  const CheckSettings& settings, CheckReport& report);

// What the checks found in one run.
struct RunFindings {
  int run = 0;
  ReportLines lines;  // CP932 report lines
};

// Every run in use that is no template, in number order: missing times,
// effective length, platform overlap with the pattern reminder,
// electrification. Only runs with a finding are listed, and without the
// "番線重複はありません。" line.
std::vector<RunFindings> check_all_runs(const CheckContext& ctx, const CheckSettings& settings);

}  // namespace vosk::dia
