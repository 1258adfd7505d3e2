#pragma once
// The track panel's client area: the panel picture with its scroll bars.
// It turns mouse, wheel, key and scroll bar events into TrackPanel calls and
// paints what the panel draws; everything the panel decides stays in the
// panel. While no data set is open it shows an account of what is open.
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>
#include <functional>
#include <memory>

#include "panel/track_panel.h"
#include "ui/document_controller.h"
#include "ui/editor_state.h"
#include "ui/panel_tool_bar.h"
#include "ui/picture_view.h"

namespace vosk::ui {

class PanelWidget;

// The picture part; its events go to the PanelWidget that owns it.
class PanelCanvas : public PictureView {
  Q_OBJECT

 public:
  explicit PanelCanvas(PanelWidget& owner);
  // Public so that tests and the F2 copy can draw on any surface.
  void draw(Surface& surface) override;

 protected:
  Rgb background() const override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  PanelWidget& owner_;
};

class PanelWidget : public QWidget {
  Q_OBJECT

 public:
  // `window` is the display window number whose header settings the panel
  // starts from (0: the main window's client area).
  PanelWidget(EditorState& state, DocumentController& document, Prompt& prompt, int window,
              QWidget* parent);
  ~PanelWidget() override;

  // A data set was opened, imported or restored (or closed): a fresh panel
  // with the header's settings for this window, or none.
  void reload();
  // Draws the picture again (after any change of the model or the view).
  void redraw();

  // Null while no data set is open.
  panel::TrackPanel* panel() { return panel_.get(); }
  PanelCanvas* canvas() const { return canvas_; }
  QScrollBar* horizontal_bar() const { return hbar_; }
  QScrollBar* vertical_bar() const { return vbar_; }
  PanelToolBar* tool_bar() const { return tools_; }
  // The row modes' request, shown above the panel while a mode is on.
  QLabel* status_line() const { return status_; }

  // The whole map as a picture (a null image while nothing is open).
  QImage whole_map_picture();
  // F2: the whole map to the clipboard as a bitmap.
  void copy_picture();

  // ---- Input, in canvas pixels; the canvas events call these ----
  void left_click(QPoint at, bool ctrl);
  void right_click(QPoint at, QPoint global);
  // True when the key was taken.
  bool key(int qt_key, const QString& text, Qt::KeyboardModifiers modifiers);
  void scroll_by(int dx, int dy);
  // A context-menu command chosen (the menu's own run calls this).
  void menu_command(int id);
  // A tool of the tool bar chosen.
  void run_tool(PanelTool tool);

  // The map property dialogs, modal under the busy lock; true when OK
  // changed the data set (every window then redraws). Target 0 lets the
  // station dialog choose the stopping place (the main menu's entry).
  bool open_station_dialog(int target);
  bool open_rail_dialog(int rail);
  bool open_point_key_dialog(int point);
  // How those dialogs are run; tests replace it. Returns the dialog's result.
  std::function<int(QDialog&)> run_dialog;

  // The window's own settings in korv.ini (placement, ViewToolBar, font),
  // written when the window closes; nothing while no data set is shown.
  void write_own_settings();

  // How the context menu is shown; tests replace it. Returns the chosen
  // command id or 0.
  std::function<int(const std::vector<panel::MenuEntry>&, QPoint global)> show_menu;

 Q_SIGNALS:
  // The panel changed the open data set (every window redraws).
  void model_changed();
  // The point-key buffer changed (the main window's title shows it).
  void key_buffer_changed();
  // A typed "%dx": display window n (0 the main window) to the front.
  void raise_window(int number);

 private:
  friend class PanelCanvas;
  void handle(const panel::PanelResult& result);
  bool run_map_dialog(QDialog& dialog, bool rebuild_derived);
  void show_tools();
  void sync_view_size();
  void update_scroll_bars();
  void take_scroll_position();

  EditorState& state_;
  DocumentController& document_;
  Prompt& prompt_;
  int window_;
  std::unique_ptr<panel::TrackPanel> panel_;
  PanelCanvas* canvas_ = nullptr;
  QScrollBar* hbar_ = nullptr;
  QScrollBar* vbar_ = nullptr;
  PanelToolBar* tools_ = nullptr;
  QLabel* status_ = nullptr;
  bool updating_bars_ = false;
};

// The context menu of the panel on a QMenu; returns the chosen id or 0.
int run_panel_menu(QWidget* parent, const std::vector<panel::MenuEntry>& entries, QPoint global);

}  // namespace vosk::ui
