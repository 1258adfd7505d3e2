#pragma once
// The run-level edits of the dia edit window, also called by the train
// graph's context menu: stop-type edits on one event, shifting a departure,
// typing a time, automatic timing with the series question, and the pattern
// and working operations on the edited run. Each returns the model's
// EditResult; the caller shows refusals and records the undo step.
#include <cstddef>

#include "base/prompt.h"
#include "dia/auto_timing.h"
#include "dia/edit_result.h"
#include "diaedit/edit_tools.h"

namespace vosk::diaedit {

// The stop operations by what the user picks (the table's action cells and
// the graph's items 131 .. 137).
enum class StopCommand {
  StopStandard,      // 発 / 131: a stop whose arrival follows from the standard stop time
  StopLonger,        // 132 and the time cell: departure + one time unit
  StopShorter,       // 133 and the time cell's right button: departure − one unit
  StopAtDeparture,   // 着 / 134: an arrival and a departure, both given
  StopNoPassengers,  // second 着: a kind-7 stop with arrival and departure
  Pass,              // 通 / 136
  Terminate,         // 終 / 137
};

// Whether the command changes event i of run d (the enabling rule of the
// action cells): points and the end entry take none, the run's start can
// neither be passed nor end the run, and a command that would leave the
// event as it is does not apply.
bool stop_command_applies(const dia::Diagram& d, std::size_t i, StopCommand command);

// Runs the command on event i of run n; re-times the run when `correct`.
dia::EditResult run_stop_command(EditTools& tools, int n, std::size_t i, StopCommand command,
                                 bool correct, Prompt& prompt);

// The time input (入力) of event i: a departure or an arrival takes `time`
// (0 .. 28:00:00, else the input-error refusal). A run with an applied
// pattern whose start is typed gets the pattern again at that start;
// otherwise the following events are corrected while the automatic
// correction switch says so (it asks the first time).
dia::EditResult set_event_time(EditTools& tools, dia::AutoCorrectionSwitch& correction, int n,
                               std::size_t i, int time, Prompt& prompt);

// 自動計測 of run n; for a run on a formation whose series runs unlike the
// series its speed type was measured with, asks "このダイヤに設定されている形式と
// …" (形式確認) first (Declined on No).
dia::EditResult auto_measure(EditTools& tools, int n, Prompt& prompt);

// The working items the train graph offers for its selected run (162 .. 167).
enum class WorkingCommand {
  NewNextSameDirection,         // 次運用新規　同方向: continues from n's end
  NewNextOppositeDirection,     // 次運用新規　逆方向: turns back at n's end
  EndWorking,                   // 次運用なし（運用終了）
  ChooseNextSameDirection,      // 次運用選択　同方向: a run from the candidate list
  ChooseNextOppositeDirection,  // 次運用選択　逆方向
  NewNextFromPattern,           // 次運用新規　パターン適用: from the pattern choice
};

// Runs a working command that needs no choice (the first three) on run n;
// the others are declined, as their choice comes from a dialog. The
// result's number is the run that the caller should select afterwards (the
// new next run, or n).
dia::EditResult run_working_command(EditTools& tools, int n, WorkingCommand command,
                                    Prompt& prompt);

// Whether run n's formation's series differs in performance from its speed
// type's measuring series (false when either is not set).
bool series_differs_from_speed_type(const datafiles::DataSet& data, int n);

}  // namespace vosk::diaedit
