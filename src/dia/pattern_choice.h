#pragma once
// The model of the pattern choice dialog ("適用するダイヤパターンと、始発駅時刻を
// 指定し下さい。"): which patterns it offers and the start-time buttons.
#include <string>
#include <vector>

#include "dia/dia_tables.h"
#include "dia/edit_result.h"
#include "dia/pattern.h"
#include "dia/timing_lookup.h"

namespace vosk::dia {

struct PatternChoice {
  int pattern = 0;    // 0 = "パターンなし"
  std::string label;  // UTF-8: "パターンなし" or "<%s> %s" (short name, name)
};

struct PatternDialogSetup {
  std::vector<PatternChoice> choices;  // "パターンなし" first
  int preselected = 0;
  std::string heading;  // UTF-8 "%s　発車時刻" when creating a next working, else empty
  int start_time = 0;   // proposed start time
};

// For applying a pattern to run n: the patterns whose template runs in n's
// direction and starts at the target where n starts (any start for a run
// without events); preselects n's pattern and proposes n's first time.
PatternDialogSetup pattern_setup_for_run(const DiaTables& dia, const PatternTable& patterns,
                                         const TimingLookup& timing, int n);

// For creating the next working of run n: the patterns whose template starts
// at the target of n's last rail, preselecting the next_pattern of n's
// pattern, with the heading "%s　発車時刻" (that target's name) and the start
// time n's last time + the standard turnback time of its last rail, moved by
// 時刻自動 at once when the preselected pattern has an interval.
PatternDialogSetup pattern_setup_for_next_working(const DiaTables& dia,
                                                  const PatternTable& patterns,
                                                  const TimingLookup& timing, int n);

enum class PatternTimeButton {
  Automatic,  // 時刻自動: the first base_time + k × interval not earlier than the entry
  Next,       // 次: entry + interval
  Previous,   // 前: entry − interval
};

// The time a button proposes for `entered` with pattern `pattern`. Refused
// for an entry or a result outside 0 .. 28:00:00 ("時刻が不正です。…",
// 入力データエラー) and for a pattern without interval ("このダイヤパターンは、
// 発駅時刻自動指定がされていません。", 自動設定不可). The time is in number().
EditResult pattern_button_time(const PatternTable& patterns, int pattern, PatternTimeButton button,
                               int entered);

}  // namespace vosk::dia
