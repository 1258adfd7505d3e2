#pragma once
// The tools of a track panel window ("ViewToolBar"): the row commands, the
// zoom items and the window's font. The panel widget runs what is chosen.
#include <QAction>
#include <QToolBar>
#include <map>

#include "panel/track_panel.h"

namespace vosk::ui {

enum class PanelTool {
  AutoRow,      // 表示位置自動修正
  ClearRow,     // 表示位置初期化
  AdjustSpan,   // 表示間隔自動修正
  RowPause,     // 表示区切り変更 (a switch)
  RowPosition,  // 表示位置変更 (a switch)
  WiderX,       // 横拡大
  NarrowerX,    // 横縮小
  TallerY,      // 縦拡大
  ShorterY,     // 縦縮小
  Font,         // the window's font
};

class PanelToolBar : public QToolBar {
  Q_OBJECT

 public:
  PanelToolBar(bool english, QWidget* parent);

  QAction* action(PanelTool tool) const { return actions_.at(tool); }
  // The two row switches show the panel's mode.
  void show_mode(panel::RowMode mode);

 Q_SIGNALS:
  void chosen(vosk::ui::PanelTool tool);

 private:
  std::map<PanelTool, QAction*> actions_;
};

}  // namespace vosk::ui
