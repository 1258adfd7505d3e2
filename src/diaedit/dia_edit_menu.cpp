#include "diaedit/dia_edit_menu.h"

#include <algorithm>

namespace vosk::diaedit {
namespace {

struct Text {
  int id;
  const char* ja;
  const char* en;
};

constexpr Text kTexts[] = {
    {kCmdUndo, "元に戻す(&U)\tCtrl+Z", "&Undo\tCtrl+Z"},
    {kCmdRedo, "やり直し(&R)\tCtrl+Y", "&Redo\tCtrl+Y"},
    {kCmdInfo, "情報(&I)", "&Information"},
    {kCmdAutoMeasure, "自動計測・設定(&M)\tTab", "Auto &Measure\tTab"},
    {kCmdDetailTime, "詳細時刻表示(&T)", "Detailed &Times"},
    {kCmdDetailDia, "詳細ダイヤ表示(&D)", "Detailed &Dia"},
    {kCmdAutoCorrect, "時刻自動修正(&S)", "Auto Time Correction(&S)"},
    {kCmdPatternRegister, "ダイヤパターン登録", "Register Dia Pattern"},
    {kCmdPatternApply, "ダイヤパターン適用", "Apply Dia Pattern"},
    {kCmdPatternRelease, "ダイヤパターン解除", "Release Dia Pattern"},
    {kCmdPatternEdit, "ダイヤパターン編集", "Edit Dia Pattern"},
    {kCmdPatternInfo, "ダイヤパターン情報", "Dia Pattern Information"},
    {kCmdPatternManage, "ダイヤパターン管理", "Manage Dia Patterns"},
    {kCmdFirstWorking, "初期運用編集\tShift+←", "First Working\tShift+Left"},
    {kCmdPreviousWorking, "前運用編集\t←", "Previous Working\tLeft"},
    {kCmdCoupledWorking, "併結編成編集", "Coupled Formation"},
    {kCmdNextWorking, "次運用編集\t→", "Next Working\tRight"},
    {kCmdLastWorking, "最終運用編集\tShift+→", "Last Working\tShift+Right"},
    {kCmdChooseNextSame, "次運用選択　同方向", "Choose Next Working, Same Direction"},
    {kCmdChooseNextOpposite, "次運用選択　逆方向", "Choose Next Working, Opposite Direction"},
    {kCmdNewNextSame, "次運用新規　同方向", "New Next Working, Same Direction"},
    {kCmdNewNextOpposite, "次運用新規　逆方向", "New Next Working, Opposite Direction"},
    {kCmdNewNextPattern, "次運用新規　パターン適用", "New Next Working from Pattern"},
    {kCmdEndWorking, "次運用なし（運用終了）", "No Next Working (End of Working)"},
    {kCmdCoupleNext, "次運用併結", "Couple Next Working"},
    {kCmdSplitNext, "次運用分割", "Split Next Working"},
    {kCmdCouplingOrder, "併結順序変更", "Change Coupling Order"},
    {kCmdCommit, "決定(&O)", "C&ommit"},
    {kCmdCancel, "中止(&C)", "&Cancel"},
    {kCmdFontStep1 + 4, "最大", "Largest"},
    {kCmdFontStep1 + 3, "大", "Large"},
    {kCmdFontStep1 + 2, "中", "Medium"},
    {kCmdFontStep1 + 1, "小", "Small"},
    {kCmdFontStep1, "最小", "Smallest"},
};

const Text* find(int id) {
  const auto it = std::find_if(std::begin(kTexts), std::end(kTexts),
                               [id](const Text& t) { return t.id == id; });
  return it == std::end(kTexts) ? nullptr : it;
}

DiaEditMenuItem item(int id, bool english, bool enabled, bool checkable = false,
                     bool checked = false) {
  const Text* t = find(id);
  return {id, t ? (english ? t->en : t->ja) : "", enabled, checkable, checked};
}

DiaEditMenuItem separator() { return {}; }

}  // namespace

std::vector<DiaEditMenu> dia_edit_menus(const MenuState& s, bool en) {
  const bool run = s.selected && !s.is_template;
  std::vector<DiaEditMenu> menus;
  menus.push_back({en ? "&Edit" : "編集(&E)",
                   {item(kCmdUndo, en, s.can_undo), item(kCmdRedo, en, s.can_redo), separator(),
                    item(kCmdInfo, en, s.selected), item(kCmdAutoMeasure, en, s.selected), separator(),
                    item(kCmdDetailTime, en, true, true, s.detail_time),
                    item(kCmdDetailDia, en, true, true, s.detail_dia),
                    item(kCmdAutoCorrect, en, true, true, s.auto_correct), separator(),
                    item(kCmdCommit, en, true), item(kCmdCancel, en, true)}});
  menus.push_back({en ? "Dia &Pattern" : "ダイヤパターン(&P)",
                   {item(kCmdPatternRegister, en, run), item(kCmdPatternApply, en, run),
                    item(kCmdPatternRelease, en, run && s.has_pattern),
                    item(kCmdPatternEdit, en, run && s.has_pattern),
                    item(kCmdPatternInfo, en, s.has_pattern || (s.selected && s.is_template)),
                    item(kCmdPatternManage, en, true)}});
  // While the extended functions are off the coupling operations answer
  // with their message, so they stay enabled to give it.
  auto coupling = [&](bool applies) { return run && (!s.extention || applies); };
  menus.push_back({en ? "&Working" : "運用(&W)",
                   {item(kCmdFirstWorking, en, s.has_previous),
                    item(kCmdPreviousWorking, en, s.has_previous),
                    item(kCmdCoupledWorking, en, s.coupled), item(kCmdNextWorking, en, s.has_next),
                    item(kCmdLastWorking, en, s.has_next), separator(),
                    item(kCmdChooseNextSame, en, run), item(kCmdChooseNextOpposite, en, run),
                    item(kCmdNewNextSame, en, run), item(kCmdNewNextOpposite, en, run),
                    item(kCmdNewNextPattern, en, run), item(kCmdEndWorking, en, run && s.has_next),
                    separator(), item(kCmdCoupleNext, en, coupling(true)),
                    item(kCmdSplitNext, en, coupling(s.has_next)),
                    item(kCmdCouplingOrder, en, coupling(s.coupled))}});
  DiaEditMenu fonts{en ? "&Font" : "フォント(&F)", {}};
  for (int step = 5; step >= 1; --step)
    fonts.items.push_back(item(kCmdFontStep1 + step - 1, en, true, true, s.font_step == step));
  menus.push_back(std::move(fonts));
  return menus;
}

std::string command_text(int id, bool english) {
  const Text* t = find(id);
  if (!t) return {};
  std::string s = english ? t->en : t->ja;
  s = s.substr(0, s.find('\t'));
  for (const char* mark : {"(&", "&"}) {
    const std::size_t at = s.find(mark);
    if (at == std::string::npos) continue;
    if (mark[0] == '(') {
      s.erase(at, s.find(')', at) - at + 1);
    } else {
      s.erase(at, 1);
    }
    break;
  }
  return s;
}

}  // namespace vosk::diaedit
