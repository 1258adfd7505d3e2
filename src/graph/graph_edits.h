#pragma once
// The train graph's 編集 menu and its run deletions without the widget: undo
// and redo through the dia's undo history, 新規運用, the run list that
// 選択ダイヤ編集 / 選択ダイヤ表示 / 臨時ダイヤ削除 choose from, and the
// context menu's ダイヤ削除. Every edit is one undo step under its name.
#include <string>
#include <vector>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "dia/edit_result.h"
#include "dia/undo_history.h"
#include "graph/graph_settings.h"

namespace vosk::graph {

// Names of the undo steps.
inline constexpr const char* kUndoDeleteRun = "ダイヤ削除";
inline constexpr const char* kUndoDeleteTemporary = "臨時ダイヤ削除";
inline constexpr const char* kUndoNewWorking = "新規運用";
inline constexpr const char* kUndoMoveStop = "ダイヤ移動";

inline constexpr const char* kShowUnassignedCaption = "設定確認";
inline constexpr const char* kShowUnassignedQuestion =
    "新規運用を作成しても、運用未指定列車を表示する設定にしないと、このウインドウには表示されません"
    "。"
    "\n\n運用未指定列車を表示する設定に変更しますか？\n";

// One line of the run list dialog (texts UTF-8).
struct RunRow {
  int diagram = 0;
  std::string train_number;
  std::string type;         // the train type's short name
  std::string destination;  // the destination text
  std::string start;        // "%2d:%02d:%02d" of the reference time, empty without one
  int time = 0;             // the reference time, day-wrapped; 0 = none
};

// The runs in use that are no pattern templates, in number order; only the
// temporary dias when `temporary_only`.
std::vector<RunRow> run_list(const datafiles::DataSet& data, bool temporary_only);

// The time the graph centres on for a run: its first timed event, with
// night times after 24:00. 0 when no event has a time (a temporary dia).
int run_reference_time(const dia::Diagram& d);

// The scroll position in minutes that puts `time` in the middle of a view
// `page` minutes wide (the scroll bar clamps it).
constexpr int centred_position(int time, int page) { return time / 60 - page / 2; }

// 新規運用 while runs without a working are hidden: asks whether to show
// them and turns ViewSuspense on for Yes. True when the flag changed.
bool offer_unassigned_runs(ViewFlags& view, Prompt& prompt);

// A rail a new run may start on (those with a stopping mark), with the
// place and rail name for the chooser (UTF-8).
struct StartRail {
  int rail = 0;
  std::string text;
};
std::vector<StartRail> start_rails(const datafiles::DataSet& data);

class GraphEdits {
 public:
  GraphEdits(datafiles::DataSet& data, dia::UndoHistory& history)
      : data_(data), history_(history) {}

  bool can_undo() const { return history_.can_undo(); }
  bool can_redo() const { return history_.can_redo(); }
  bool undo();
  bool redo();

  // ダイヤ削除 (161): frees run n and every link to it. Refused for a run on
  // a working (the formation would lose its run) and for no run.
  dia::EditResult delete_run(int n);
  // 臨時ダイヤ削除: the chosen temporary dias, all in one step. Refused when
  // one of them is no temporary dia; nothing is deleted then.
  dia::EditResult delete_temporary_runs(const std::vector<int>& runs);
  // 新規運用: a run starting at `rail` at `time`, its route built and timed.
  // Done names the new run.
  dia::EditResult new_working(int rail, int time, Prompt& prompt);
  // A change already made (a drag of a stop): `before` is the dia as it was.
  void record(const dia::DiaTables& before, const std::string& name);

 private:
  datafiles::DataSet& data_;
  dia::UndoHistory& history_;
};

}  // namespace vosk::graph
