#pragma once
// The menu of the dia edit window: ids, texts in both languages, check
// marks and enabling for the state of the window.
#include <string>
#include <vector>

namespace vosk::diaedit {

enum DiaEditCommand : int {
  kCmdUndo = 1,
  kCmdRedo,
  kCmdInfo,
  kCmdAutoMeasure,
  kCmdDetailTime,
  kCmdDetailDia,
  kCmdAutoCorrect,
  kCmdPatternRegister,
  kCmdPatternApply,
  kCmdPatternRelease,
  kCmdPatternEdit,
  kCmdPatternInfo,
  kCmdPatternManage,
  kCmdFirstWorking,
  kCmdPreviousWorking,
  kCmdCoupledWorking,
  kCmdNextWorking,
  kCmdLastWorking,
  kCmdChooseNextSame,
  kCmdChooseNextOpposite,
  kCmdNewNextSame,
  kCmdNewNextOpposite,
  kCmdNewNextPattern,
  kCmdEndWorking,
  kCmdCoupleNext,
  kCmdSplitNext,
  kCmdCouplingOrder,
  kCmdCommit,
  kCmdCancel,
  kCmdFontStep1 = 101,  // 最小; kCmdFontStep1 + 4 is 最大
  kCmdSeparator = 0,
};

struct DiaEditMenuItem {
  int id = kCmdSeparator;
  std::string text;  // UTF-8, with the & mnemonic and a tab before the key
  bool enabled = true;
  bool checkable = false;
  bool checked = false;
};

struct DiaEditMenu {
  std::string title;
  std::vector<DiaEditMenuItem> items;
};

// What the enabling depends on.
struct MenuState {
  bool selected = false;        // a run is being edited
  bool is_template = false;     // it is a pattern's template
  bool has_pattern = false;     // a pattern is applied to it
  bool has_previous = false;
  bool has_next = false;
  bool coupled = false;         // something runs coupled with it
  bool can_undo = false;
  bool can_redo = false;
  bool detail_time = false;
  bool detail_dia = false;
  bool auto_correct = false;
  bool extention = false;       // the extended functions are switched on
  int font_step = 3;
};

std::vector<DiaEditMenu> dia_edit_menus(const MenuState& state, bool english);

// The menu item's text without mnemonic, for messages and tests.
std::string command_text(int id, bool english);

}  // namespace vosk::diaedit
