#pragma once
// The train graph window: its client area shows the graph controller's
// drawing, mouse, keys and wheel go to the controller, the scroll bar
// works in minutes of the day. The window keeps its settings sections in
// the settings file and prints and copies through the same drawing pass.
#include <QPrinter>
#include <QScrollBar>
#include <QToolBar>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ui/menu_actions.h"
#include "graph/graph_controller.h"
#include "graph/page_split.h"
#include "ui/editor_state.h"
#include "ui/file_dialogs.h"
#include "ui/graph_edit_menu.h"
#include "ui/picture_view.h"

class QAction;
class QMenuBar;

namespace vosk::ui {

// Commands of the window's own menu.
enum GraphCommand : int {
  kGraphPrint = 1,
  kGraphCopy,
  kGraphNext,
  kGraphPrevious,
  kGraphModeOperation,
  kGraphModeEdit,
  kGraphModePrint,
  kGraphModeDisplayTarget,
  kGraphViewFlagFirst = 100,  // the 表示内容 items follow in menu order
};

// The settings, paper and export commands of the window's menu.
enum GraphSettingsCommand : int {
  kGraphExport = 200,
  kGraphOpenExportFolder,
  kGraphPrintPageSetup,
  kGraphPaperSetup,
  kGraphDisplayPageSetup,
  kGraphFont,
  kGraphLineStyles,
  kGraphToolBar,
};

// The client area: one drawing pass per redraw, the drag drawn over it.
class GraphView : public PictureView {
  Q_OBJECT

 public:
  GraphView(graph::GraphController& graph, Prompt& prompt, QWidget* parent);
  // The display page margins the plot keeps inside the client area.
  void set_margins(const graph::PageSettings& display) { margins_ = display; }
  // The toolbar lies over the top of the area, as wide as it.
  void set_tool_bar(QWidget* bar) { tool_bar_ = bar; }

 Q_SIGNALS:
  // The range, the display target or the selection may have changed.
  void drawn();
  // A drag changed the open data set.
  void data_changed();
  // A line for the message window, UTF-8.
  void message(const std::string& text);
  // A stop item (131 .. 137) of the context menu was chosen for an event.
  void stop_item_chosen(int diagram, int event, int menu_id);
  // A working item (162 .. 167) was chosen for the selected run.
  void working_item_chosen(int diagram, int command);
  // ダイヤ削除 (161) was chosen for the selected run.
  void delete_run_chosen(int diagram);

 protected:
  void draw(Surface& surface) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Tab changes the display target instead of moving the focus.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  void show_context_menu(QPoint at, QPoint global);

  graph::GraphController& graph_;
  Prompt& prompt_;
  graph::PageSettings margins_ = graph::default_page_settings(graph::PageUse::Display);
  QWidget* tool_bar_ = nullptr;
};

class GraphWindow : public QWidget {
  Q_OBJECT

 public:
  // Reads the edit mode's settings and the display page settings, and
  // moves the window to its stored rectangle. `data` must outlive it.
  GraphWindow(datafiles::DataSet& data, EditorState& state, Prompt& prompt, QWidget* owner);
  ~GraphWindow() override;

  graph::GraphController& graph() { return *graph_; }
  GraphView* view() const { return view_; }
  QScrollBar* scroll_bar() const { return scroll_; }
  QAction* action(int id) const;
  QToolBar* tool_bar() const { return tool_bar_; }
  // The save dialog of エクスポート (tests answer it).
  void set_file_chooser(FileChooser& files) { files_ = &files; }
  GraphEditMenu* edit_menu() const { return edit_menu_; }

  // The data set changed outside the window: stations may have moved and
  // the selected run may be gone.
  void data_changed();
  // Writes the current mode's section (the rectangle unless minimised or
  // maximised).
  void write_settings();
  void switch_mode(graph::GraphMode mode);

  // Pages of the print section's count over the current range on a printer
  // (or PDF writer) that is set up; false when the document could not start.
  bool print_on(QPrinter& printer);
  // The print dialog, then print_on; a failure is told on the prompt.
  void print();
  // The page-setting dialog for copy, then the graph at its size on the
  // clipboard: a bitmap, or for the metafile format an SVG document.
  void copy_to_clipboard();
  // The page-setting dialog for display (range and window margins) and for
  // print (range).
  void edit_display_page();
  void edit_print_page();
  // The printer setup dialog; the printer and paper are kept for 印刷.
  void setup_paper();
  void choose_graph_font();
  void edit_line_styles();
  void toggle_tool_bar();
  // The WinDIA text export of the open dia through the current display
  // target, to a file chosen in a save dialog.
  void export_windia();

 Q_SIGNALS:
  // The user asked to close; the owner decides (busy lock) and destroys it.
  void close_requested();
  // A window operation changed the open data set.
  void edited();
  // Another run is selected (0 = none).
  void selection_changed(int diagram);
  // The context menu's stop item `command` (a diaedit::StopCommand) for an
  // event of a run; the owner runs it as the dia edit window does.
  void stop_item_chosen(int diagram, int event, int command);
  // The context menu's working item `command` (a diaedit::WorkingCommand)
  // for a run; the owner runs it on the data set.
  void working_item_chosen(int diagram, int command);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class GraphEditMenu;  // refreshes the check marks after its question
  void build_menu(QMenuBar& bar);
  // Settings, paper and export items (graph_window_settings.cpp).
  void build_file_menu(QMenu& file);
  void build_settings_items(QMenu& view);
  void build_tool_bar();
  void show_tool_bar();
  void update_settings_marks();
  // The page-setting dialog of a use with the window's range; OK writes the
  // use's section and returns the checked values.
  std::optional<graph::PageSettings> page_dialog(graph::PageUse use);
  // The copy of the last page dialog, drawn on the clipboard's formats.
  void copy_picture(const graph::PageSettings& copy);
  void read_mode_settings(bool move_window);
  void sync_scroll_bar();
  void update_marks();
  void toggle_view_flag(bool graph::ViewFlags::*flag);
  void scroll_action(int action);
  // One pass on another surface with its own plot and range; the window's
  // are restored afterwards.
  void draw_page(Surface& surface, const Rect& plot, graph::PageRange range,
                 const graph::DrawPage& page);

  datafiles::DataSet& data_;
  EditorState& state_;
  Prompt& prompt_;
  std::unique_ptr<graph::GraphController> graph_;
  GraphView* view_;
  QScrollBar* scroll_;
  MenuActions actions_;
  GraphEditMenu* edit_menu_;
  int reported_selection_ = 0;
  QPrinter printer_;  // the printer and paper chosen last, for this window's life
  QToolBar* tool_bar_ = nullptr;
  QtFileChooser own_files_;
  FileChooser* files_ = &own_files_;
};

}  // namespace vosk::ui
