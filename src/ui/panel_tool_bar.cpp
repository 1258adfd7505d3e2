#include "ui/panel_tool_bar.h"

namespace vosk::ui {

namespace {

struct ToolDef {
  PanelTool tool;
  const char* japanese;
  const char* english;
  const char* keys;  // the keys that do the same on the panel, or null
  bool is_switch;
};

constexpr ToolDef kTools[] = {
    {PanelTool::AutoRow, "表示位置自動修正", "Auto Row", nullptr, false},
    {PanelTool::ClearRow, "表示位置初期化", "Clear Row", nullptr, false},
    {PanelTool::AdjustSpan, "表示間隔自動修正", "Adjust Span", nullptr, false},
    {PanelTool::RowPause, "表示区切り変更", "Row Pause", nullptr, true},
    {PanelTool::RowPosition, "表示位置変更", "Row Position", nullptr, true},
    {PanelTool::WiderX, "横拡大", "Wider", "Shift+→", false},
    {PanelTool::NarrowerX, "横縮小", "Narrower", "Shift+←", false},
    {PanelTool::TallerY, "縦拡大", "Taller", "Shift+↓", false},
    {PanelTool::ShorterY, "縦縮小", "Shorter", "Shift+↑", false},
    {PanelTool::Font, "フォント設定", "Font...", nullptr, false},
};

}  // namespace

PanelToolBar::PanelToolBar(bool english, QWidget* parent) : QToolBar(parent) {
  setFocusPolicy(Qt::NoFocus);  // the panel keeps the keys
  for (const ToolDef& def : kTools) {
    if (def.tool == PanelTool::WiderX || def.tool == PanelTool::Font) addSeparator();
    QAction* action = addAction(QString::fromUtf8(english ? def.english : def.japanese));
    action->setCheckable(def.is_switch);
    if (def.keys) action->setToolTip(action->text() + " (" + QString::fromUtf8(def.keys) + ")");
    const PanelTool tool = def.tool;
    connect(action, &QAction::triggered, this, [this, tool] { Q_EMIT chosen(tool); });
    actions_[def.tool] = action;
  }
}

void PanelToolBar::show_mode(panel::RowMode mode) {
  actions_.at(PanelTool::RowPause)->setChecked(mode == panel::RowMode::Pause);
  actions_.at(PanelTool::RowPosition)->setChecked(mode == panel::RowMode::Position);
}

}  // namespace vosk::ui
