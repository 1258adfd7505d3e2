#pragma once
// The main window: the menu bar of every command, the title, the main timer
// with the deferred start-up work, the child windows and the close.
#include <QAction>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shell/texts.h"
#include "ui/document_controller.h"
#include "ui/editor_state.h"
#include "ui/file_dialogs.h"
#include "ui/graph_window.h"
#include "ui/timetable_window.h"
#include "ui/message_window.h"
#include "ui/dia_edit_window.h"
#include "ui/display_window.h"
#include "ui/panel_widget.h"
#include "ui/passenger_window.h"
#include "ui/popup_warning_window.h"

namespace vosk::ui {

// What the main window talks to outside itself. Null members get the real
// thing: message boxes, Qt file dialogs, no data set, the desktop browser.
struct EditorServices {
  Prompt* prompt = nullptr;
  FileChooser* files = nullptr;
  // The data-set layer, either borrowed or made by the window once its
  // shell state and prompt exist (the drivers report to the message ring,
  // reload the warning settings, use the folders and the busy lock). With
  // neither, nothing can be opened.
  DocumentController* document = nullptr;
  std::function<std::unique_ptr<DocumentController>(EditorState&, Prompt&)> make_document;
  std::function<void(const std::string& url)> open_url;
};

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Creates the window at its stored placement, applies the settings to the
  // menu and the timer, opens the child windows the settings ask for, sets
  // the ready flag and starts the main timer. The caller shows it.
  MainWindow(EditorState state, EditorServices services = {});
  ~MainWindow() override;

  EditorState& state() { return state_; }
  QAction* action(int id) const;
  MessageWindow* message_window() const { return message_window_; }
  GraphWindow* graph_window() const { return graph_window_; }
  PassengerWindow* passenger_window() const { return passenger_window_; }
  TimetableWindow* timetable_window() const { return timetable_window_; }
  DiaEditWindow* dia_edit_window() const { return dia_edit_window_; }
  // The undo steps every window's dia edits share.
  dia::UndoHistory& dia_history() { return dia_history_; }
  // Display window 1 .. 15 while it is open, else null.
  DisplayWindow* display_window(int number) const;
  PopupWarningWindow* popup_window() const { return popup_window_; }
  // The client area: the track panel of the open data set.
  PanelWidget* view() const { return view_; }
  const QTimer& timer() const { return timer_; }
  Prompt& prompt() { return *prompt_; }

  // Runs a menu command as if chosen (disabled commands do nothing).
  void run_command(int id);
  // The first-tick work (the start command, then the recovery offer); runs
  // once, while the ready flag is set. The timer calls it.
  void first_tick();
  // Files dropped on the window, file system bytes in the desktop's order
  // (dropped_files.h sorts them). A drop event calls it once the drop is
  // over, so its message boxes do not hold up the program it came from.
  void accept_dropped_files(const std::vector<std::string>& paths);

  void refresh_title();
  void redraw_all();
  // Announces a warning as its setting says (popup window and beep).
  void fire_warning(const shell::WarningSetting& setting, const std::string& text);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // Files dropped on the message or timetable window are taken as on this window.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_menu();
  void apply_menu_marks();
  void apply_timer_period();
  void place_from_settings();
  void open_message_window();
  void close_message_window();
  void write_message_placement();
  void open_graph_window();
  void close_graph_window();
  void open_passenger_window();
  // Every child window's title bar as the ToolWindow setting says.
  void apply_tool_window_style();
  void close_passenger_window();
  void open_timetable_window();
  void close_timetable_window();
  // The timetable's station dialog, time input, track change and
  // information requests (main_window_timetable.cpp).
  void answer_timetable_requests();
  void open_dia_edit_window();
  void close_dia_edit_window();
  void show_popup_warnings();
  void close_popup_warnings();
  void restore_display_windows();
  void close_display_windows();
  void raise_panel_window(int number);

  FileDialogRequest qvw_request() const;
  bool ask_save_question(const std::string& next, const std::string& caption);
  void open_dia();
  void open_dia_file(const std::string& path);
  void tell_no_drivers(const std::string& path);
  void save_dia();
  bool save_dia_as();
  void import_windia();
  // `reloaded`: a data set was opened, imported or restored, so the panel
  // starts afresh from its header.
  void after_document_change(bool reloaded = false);
  void toggle_flag(int id);
  void number_runs(bool serial);
  // `dialog` runs on the open data set and says whether it changed it.
  void run_dia_dialog(const std::function<bool(datafiles::DataSet&, Prompt&)>& dialog);
  void choose_default_font();
  void open_warning_settings();
  void open_formation_dialog();  // 編成・仕業設定, one undo step
  void open_home_page();  // after the connection question while InetCheck is on
  void open_manual();
  void show_about();

  EditorState state_;
  std::unique_ptr<Prompt> own_prompt_;
  std::unique_ptr<FileChooser> own_files_;
  std::unique_ptr<DocumentController> own_document_;
  Prompt* prompt_;
  FileChooser* files_;
  DocumentController* document_;
  std::function<void(const std::string&)> open_url_;
  std::string manual_;  // README.md beside the program or in the program folder; empty if none

  std::map<int, QAction*> actions_;
  PanelWidget* view_ = nullptr;
  QPointer<MessageWindow> message_window_;
  QPointer<PopupWarningWindow> popup_window_;
  QPointer<GraphWindow> graph_window_;
  QPointer<PassengerWindow> passenger_window_;
  QPointer<DiaEditWindow> dia_edit_window_;
  // The train graph opens with a data set while this is set: read from the
  // settings, then the user's last choice.
  bool graph_wanted_ = false;
  QPointer<TimetableWindow> timetable_window_;
  bool timetable_wanted_ = false;  // the same for the timetable window
  std::array<QPointer<DisplayWindow>, datafiles::kDisplayWindowCount> display_windows_;
  std::unique_ptr<PanelWindowsSource> panel_windows_;
  // The undo steps of the dia, shared by the train graph and the dia edit
  // window so that they undo in the order they were made.
  dia::UndoHistory dia_history_;
  QTimer timer_;
};

}  // namespace vosk::ui
