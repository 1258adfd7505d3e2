#pragma once
// The dia edit window without its widget: the edited run, the two display
// flags, the font step and the scroll position; the layout pass shared by
// drawing and hit testing; clicks, keys and the window menu; the undo steps
// of its edits. The widget turns toolkit events into these calls, opens the
// dialogs an outcome asks for and tells the main window when the dia changed.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/prompt.h"
#include "base/surface.h"
#include "datafiles/data_set.h"
#include "dia/auto_timing.h"
#include "dia/undo_history.h"
#include "diaedit/dia_edit_layout.h"
#include "diaedit/dia_edit_menu.h"
#include "diaedit/next_candidates.h"
#include "diaedit/run_operations.h"
#include "diaedit/run_settings.h"
#include "dia/pattern_choice.h"

namespace vosk::diaedit {

inline constexpr int kDefaultFontStep = 3;
// Pictures this high or higher are not edited reliably; the window warns.
inline constexpr int kTooTallPixels = 2048;
inline constexpr const char* kTooTallText =
    "ダイヤ編集ウインドウが大きすぎます。\n正しく編集できない場合があります。";
inline constexpr const char* kNoNextWorkingText = "編集する次運用が設定されていません。";
inline constexpr const char* kNoCandidatesText = "選択できるダイヤがありません。";
inline constexpr const char* kExtentionCaption = "拡張機能エラー";
inline constexpr const char* kExtentionText =
    "この機能は拡張機能です。\n拡張機能を使用する設定になっていない場合、設定変更は使用できません。";

enum class EditKey { Tab, Left, Right, Up, Down, Escape, Other };

// What the widget does after a click, key or menu command.
struct Outcome {
  enum class Request {
    None,
    TimeInput,        // the time input dialog for `event`
    EventDetail,      // the event detail dialog for `event`
    PatternChoice,    // the pattern choice dialog for the edited run
    NextFromPattern,  // the pattern choice dialog for a new next working
    NextCandidates,   // the candidate list for `command` (choose or couple)
    RaiseMain,        // bring the main window forward
    RunSettings,      // the dia settings dialog (情報) of the edited run
    PatternInfo,      // the information of `pattern`
    PatternManage,    // the list of the patterns
  };
  bool handled = false;            // false: the key belongs to the main window
  bool changed = false;            // the dia changed: tell the main window
  bool selection_changed = false;  // another run is edited (or none)
  Request request = Request::None;
  int event = -1;
  int command = 0;  // the menu command a dialog goes on with
  int pattern = 0;  // PatternInfo
};

// What the event detail dialog shows of one event (texts UTF-8).
struct EventFacts {
  std::string rail;
  std::string station;
  int type = 0;
  int time = 0;
  int arrival = 0;    // arrival time for display
  int stop_time = 0;  // standard stop time of the rail for the run's types
};

class DiaEditController {
 public:
  DiaEditController(datafiles::DataSet& data, bool english = false);
  DiaEditController(const DiaEditController&) = delete;
  DiaEditController& operator=(const DiaEditController&) = delete;

  const datafiles::DataSet& data() const { return data_; }

  int diagram() const { return diagram_; }
  // Edits run n (0 = none); the scroll goes back to the top.
  void select(int n);
  // The data set changed outside: a run that is gone is no longer edited.
  void data_changed();
  // A data set was opened: the undo steps and the correction switch go.
  void reset_for_new_data();

  bool detail_time() const { return detail_time_; }
  bool detail_dia() const { return detail_dia_; }
  int font_step() const { return font_step_; }
  void set_font_step(int step);
  int scroll() const { return scroll_; }
  void set_base_font(const Font& font) { base_font_ = font; }
  // The main font with the step's height.
  Font font() const;
  void set_extention(bool on) { extention_ = on; }
  const dia::AutoCorrectionSwitch& correction() const { return correction_; }
  const dia::UndoHistory& history() const { return *history_; }
  // Keeps the undo steps in `shared` (which must outlive the controller)
  // instead of its own, so that other windows' edits of the same dia undo in
  // one order with these.
  void share_history(dia::UndoHistory& shared) {
    history_ = &shared;
    saw_dia();
  }

  // Lays the window out for a client of `client` pixels and keeps the
  // layout for hit tests.
  const Layout& layout(Surface& surface);
  const Layout& last_layout() const { return layout_; }
  void draw(Surface& surface);
  // "ダイヤ編集　…", UTF-8; the window's own title when nothing is edited.
  std::string caption() const;

  Outcome click(Point at, bool right_button, Prompt& prompt);
  Outcome key(EditKey key, bool shift, Prompt& prompt);
  // One wheel notch away from the user (< 0) scrolls up a page.
  void wheel(int steps);
  std::vector<DiaEditMenu> menus() const;
  Outcome command(int id, Prompt& prompt);

  // The dialogs' operations on the edited run, each one undo step.
  dia::EditResult input_time(std::size_t event, int time, Prompt& prompt);
  dia::EditResult stop_command(std::size_t event, StopCommand command, Prompt& prompt);
  dia::EditResult apply_pattern(int pattern, int time, Prompt& prompt);
  dia::EditResult next_from_pattern(int pattern, int time, Prompt& prompt);
  // 次運用選択 同方向 / 逆方向 (kCmdChooseNextSame / kCmdChooseNextOpposite) and
  // 次運用併結 (kCmdCoupleNext): the runs offered, and the choice of one; the
  // run chosen (or the new coupled next working) is edited afterwards.
  std::vector<CandidateRow> next_candidates(int command) const;
  dia::EditResult choose_candidate(int command, int chosen, Prompt& prompt);

  // 情報: the dia settings of the edited run, one undo step; the field in
  // error of a refusal goes to `field`.
  dia::EditResult set_run_settings(const RunSettings& values, bool change_stop_pass,
                                   Prompt& prompt, RunSettingsField* field = nullptr);

  // The pattern items. Patterns live outside the dia the undo steps keep, so
  // registering and removing one drop the undo steps (an undo past them
  // would leave patterns naming freed templates).
  int current_pattern() const;
  dia::EditResult register_pattern(Prompt& prompt);
  dia::EditResult set_pattern_info(int pattern, const dia::Pattern& values);
  dia::EditResult remove_pattern(int pattern, Prompt& prompt);
  // 編集: the template of `pattern` becomes the edited run, after the
  // question of an applied pattern. True when it did.
  bool edit_pattern_template(int pattern, Prompt& prompt);

  // An edit another window made (graph working items, 編成・仕業設定)
  // becomes an undo step here; `before` is the dia as it was.
  void record_outside_edit(const dia::DiaTables& before, std::string name);

  // 番線変更 of the edited run's stop `event` (the timetable window's track cell).
  dia::EditResult change_track(std::size_t event, Prompt& prompt);

  bool undo();
  bool redo();

  // The checks of the edited run for the message window (CP932 lines):
  // missing times, platform overlaps with the pattern reminder and
  // electrification. The rails of the overlaps are drawn red until the next
  // check.
  std::vector<std::string> check_selection(bool use_duplicate);

  // For the dialogs: an event of the edited run (nullopt past its end), the
  // pattern choice for the run or for a new next working, and the pattern
  // dialog's start-time buttons.
  std::optional<EventFacts> event_facts(std::size_t event) const;
  dia::PatternDialogSetup pattern_setup(bool for_next_working) const;
  dia::EditResult pattern_button(int pattern, dia::PatternTimeButton button, int entered) const;

  // The runs navigation reaches from the edited one (0 = none).
  int previous_run() const;
  int next_run() const;
  int first_run() const;
  int last_run() const;
  int coupled_run() const;

 private:
  template <class Edit>
  dia::EditResult edit(const char* name, Prompt& prompt, Edit&& operation);
  Outcome navigate(int target, Prompt& prompt, bool tell_none);
  // The candidate list for `command`, or the message that there is none.
  Outcome candidates_for(int command, Prompt& prompt);
  Outcome run_cell(const Cell& cell, bool right_button, Prompt& prompt);
  // The information and pattern items of command(); nullopt for others.
  std::optional<Outcome> pattern_command(int id, Prompt& prompt);
  void page(int direction);
  bool live(int n) const;

  datafiles::DataSet& data_;
  bool english_;
  int diagram_ = 0;
  bool detail_time_ = false;
  bool detail_dia_ = false;
  int font_step_ = kDefaultFontStep;
  int scroll_ = 0;
  bool extention_ = false;
  Font base_font_;
  dia::AutoCorrectionSwitch correction_;
  dia::UndoHistory own_history_;
  dia::UndoHistory* history_ = &own_history_;
  Layout layout_;
  std::vector<int> conflict_rails_;
  // The dia as this window last left it: a change made elsewhere and not
  // recorded here drops the undo steps, which would silently take it back.
  std::uint64_t seen_ = 0;
  std::uint64_t seen_revision_ = 0;  // of the history when seen_ was taken
  void saw_dia();
  Size client_{300, 100};
};

}  // namespace vosk::diaedit
