#pragma once
// The timetable window: the timetable controller's drawing in the client
// area, clicks and keys passed to it, its own menu (HTML export, printing,
// display targets, the view flags), and its settings section.
#include <QPrinter>
#include <QScrollBar>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/menu_actions.h"
#include "shell/font_record.h"
#include "shell/line_styles.h"
#include "timetable/timetable_controller.h"
#include "ui/editor_state.h"
#include "ui/picture_view.h"

class QAction;
class QMenuBar;
class QToolBar;

namespace vosk::ui {

enum TimetableCommand : int {
  kTimetableExportHtml = 1,
  kTimetablePrint,
  kTimetableNext,
  kTimetablePrevious,
  kTimetableOpenFolder,
  kTimetableBaseStation,
  kTimetableFirstTrains,
  kTimetableDisplayTargets,
  kTimetableToolBar,
  kTimetableViewFlagFirst = 100,  // the 表示内容 items follow in menu order
};

// The page, paper, font and colour commands of the window's menu.
enum TimetableSettingsCommand : int {
  kTimetablePrintPageSetup = 200,
  kTimetablePaperSetup,
  kTimetableFont,
  kTimetableFills,
};

class TimetableView : public PictureView {
  Q_OBJECT

 public:
  TimetableView(timetable::TimetableController& timetable, Prompt& prompt, QWidget* parent);

 Q_SIGNALS:
  // The picture was drawn again: the scroll bars follow.
  void drawn();
  void run_selected(int run);
  void station_dialog_requested(int target);
  void information_requested(int run);
  void data_changed();
  void time_input_requested(int run, int event);
  void track_change_requested(int run, int event);

 protected:
  void draw(Surface& surface) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool focusNextPrevChild(bool) override { return false; }  // Tab rebuilds

 private:
  timetable::TimetableController& timetable_;
  Prompt& prompt_;
};

class TimetableWindow : public QWidget {
  Q_OBJECT

 public:
  // Reads the window's settings and moves it to its stored rectangle.
  // `data` must outlive it.
  TimetableWindow(datafiles::DataSet& data, EditorState& state, Prompt& prompt, QWidget* owner);
  ~TimetableWindow() override;

  timetable::TimetableController& timetable() { return *timetable_; }
  TimetableView* view() const { return view_; }
  QScrollBar* vertical_bar() const { return vertical_; }
  QToolBar* tool_bar() const { return tool_bar_; }
  QAction* action(int id) const;

  // The data set changed outside the window.
  void data_changed();
  // Another window selected a run.
  void select_run(int run);
  void write_settings();

  // The tables laid out as printed, in pages of the print section's
  // margins; false when the document could not start.
  bool print_on(QPrinter& printer);
  void print();
  // The output dialog, its checks, then the files.
  void export_html();
  // 先着列車抽出 and 基準駅設定: a choice of stations, then the operation.
  void search_first_trains();
  void choose_base_station();
  // The page-setting dialog for print (margins and pages of the print
  // section), the printer setup, the font dialog and the colour dialog of
  // the three fill entries.
  void edit_print_page();
  void setup_paper();
  void choose_timetable_font();
  void edit_fills();
  // 表示対象切替・編集: 選択 shows the chosen display target here; edits,
  // copies and deletions are told as edits of the data set.
  void choose_display_target();

 Q_SIGNALS:
  void close_requested();
  void edited();
  // The user selected a run here (the dia edit window follows it).
  void run_selected(int run);
  // Requests for the windows that own these operations: the station
  // dialog, a run's information, the time input of an event (Enter) and the
  // track change of a stop (a second click on its track cell).
  void station_dialog_requested(int target);
  void information_requested(int run);
  void time_input_requested(int run, int event);
  void track_change_requested(int run, int event);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build_menu(QMenuBar& bar);
  void build_tool_bar();
  void set_tool_bar_shown(bool shown);
  void sync_scroll_bars();
  // Station names of the current display target in down order, UTF-8.
  std::vector<std::pair<int, std::string>> stations() const;
  void update_marks();
  // Settings items (timetable_window_settings.cpp).
  void build_print_items(QMenu& file);
  void build_settings_items(QMenu& view);
  // The fill entries with the colours in use.
  std::vector<shell::LineStyle> fills() const;

  datafiles::DataSet& data_;
  EditorState& state_;
  Prompt& prompt_;
  std::unique_ptr<timetable::TimetableController> timetable_;
  TimetableView* view_;
  QScrollBar* horizontal_;
  QScrollBar* vertical_;
  QToolBar* tool_bar_;
  MenuActions actions_;
  QPrinter printer_;
  shell::FontRecord font_record_;
};

}  // namespace vosk::ui
