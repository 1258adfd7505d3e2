#pragma once
// 有効長: whether a run's formation fits at its stopping tracks. The train
// stands with its head at the stop mark and needs more than 5 m to spare;
// what does not fit on the stopping rail extends over the rails behind it
// (l_back), which must not be point tracks, and at a turnback must stay
// within the stopping place.
#include <string>

#include "base/prompt.h"
#include "dia/check_context.h"
#include "dia/check_report.h"

namespace vosk::dia {

// Metres: the owning formation's series plus the series of the owning
// formations of every run it is coupled behind (along coupled_ahead); 0 for
// a run without an owning formation.
int formation_length(const CheckContext& ctx, int n);

struct LengthCheck {
  bool ok = true;
  std::string text;  // CP932 message of the first failure
};

// Checks each stop (type 1 or 7) and the end of run n; the first failure
// ends the check. Runs without an owning formation and rails without a stop
// mark are not checked.
LengthCheck check_effective_length(const CheckContext& ctx, int n);

// The check, reported line by line; true when it passed.
bool report_effective_length(const CheckContext& ctx, int n, CheckReport& report);
// The check started from a dialog: a failure is shown in a box "編成長エラー".
bool effective_length_box(const CheckContext& ctx, int n, Prompt& prompt);

}  // namespace vosk::dia
