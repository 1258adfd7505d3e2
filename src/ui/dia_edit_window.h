#pragma once
// The dia edit window: the controller's drawing in the client area, mouse,
// keys and wheel passed to it, the window menu built from its menu model,
// and the dialogs its outcomes ask for. The window keeps its placement and
// font step in the settings file and tells its owner when the dia changed.
#include <QWidget>
#include <map>
#include <memory>

#include "diaedit/dia_edit_controller.h"
#include "ui/editor_state.h"
#include "ui/picture_view.h"

class QAction;
class QMenuBar;

namespace vosk::ui {

// Placement the window takes when the settings file has none.
inline constexpr shell::Rect kDiaEditWindowDefault{700, 40, 1000, 140};
inline constexpr const char* kDiaEditFontKey = "font";

class DiaEditView : public PictureView {
  Q_OBJECT

 public:
  DiaEditView(diaedit::DiaEditController& controller, QWidget* parent);

 Q_SIGNALS:
  void clicked(QPoint at, bool right_button);
  void key(int qt_key, bool shift);
  void wheeled(int steps);

 protected:
  void draw(Surface& surface) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  // Tab measures the run instead of moving the focus.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  diaedit::DiaEditController& controller_;
};

class DiaEditWindow : public QWidget {
  Q_OBJECT

 public:
  // Reads the placement and the font step; `data` must outlive the window.
  DiaEditWindow(datafiles::DataSet& data, EditorState& state, Prompt& prompt, QWidget* owner);
  ~DiaEditWindow() override;

  diaedit::DiaEditController& controller() { return *controller_; }
  DiaEditView* view() const { return view_; }
  QAction* action(int id) const;

  // Edits run n (the train graph's selection; 0 = none).
  void select(int n);
  // The dia changed outside the window.
  void data_changed();
  // Another data set was opened: undo steps and the correction switch go.
  void data_reloaded();
  void write_settings();
  // Runs a window menu command as if chosen.
  void run_command(int id);
  // A stop operation on event `event` of run n from another window (the
  // train graph's context menu): n becomes the edited run and the edit is
  // one undo step. True when the dia changed.
  bool run_stop_command(int n, std::size_t event, diaedit::StopCommand command);
  // A working command (a window menu id) on run n from another window: n
  // becomes the edited run, the command runs with its dialogs as one undo
  // step. The run edited afterwards, 0 when the dia did not change.
  int run_working_command(int n, int id);
  // Another window changed the dia from `before`: one undo step here.
  void record_outside_edit(const dia::DiaTables& before, const std::string& name);

 Q_SIGNALS:
  void close_requested();
  // A window operation changed the dia.
  void edited();
  // 決定 and 中止 bring the main window forward.
  void raise_main_requested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void rebuild_menu();
  // True when the dia changed.
  bool follow(const diaedit::Outcome& outcome);
  void on_click(QPoint at, bool right_button);
  void on_key(int qt_key, bool shift);
  void refresh();
  // The checks of the edited run, written afresh to the message window.
  void report_checks();

  datafiles::DataSet& data_;
  EditorState& state_;
  Prompt& prompt_;
  std::unique_ptr<diaedit::DiaEditController> controller_;
  QMenuBar* bar_;
  DiaEditView* view_;
  std::map<int, QAction*> actions_;
  bool warned_too_tall_ = false;
};

// The train graph's stop items: through the dia edit window when it is open
// (so that the edit can be undone there), else on the data set directly.
// Refusals are shown on `prompt`. True when the dia changed.
bool run_stop_item(DiaEditWindow* window, datafiles::DataSet& data, Prompt& prompt, int n,
                   int event, int command);

// The train graph's working items (a diaedit::WorkingCommand) on run n, with
// the candidate list or the pattern choice they ask for (over `parent`):
// through the dia edit window when it is open (one undo step there), else on
// the data set directly. Refusals are shown on `prompt`. The run to select
// afterwards, 0 when the dia did not change.
int run_working_item(DiaEditWindow* window, datafiles::DataSet& data, EditorState& state,
                     Prompt& prompt, int n, int command, QWidget* parent);

}  // namespace vosk::ui
