#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "base/format.h"
#include "base/sjis.h"
#include "datafiles/dia_tools.h"
#include "datafiles/file_kind.h"
#include "shell/command_line.h"
#include "shell/folders.h"
#include "shell/home.h"
#include "shell/settings.h"
#include "datafiles/table_loader.h"
#include "ui/app_info.h"
#include "ui/dia_property_dialog.h"
#include "ui/dropped_files.h"
#include "ui/font_convert.h"
#include "ui/fonts.h"
#include "ui/main_menu.h"
#include "ui/qt_prompt.h"
#include "ui/speed_types_dialog.h"
#include "ui/stop_times_dialog.h"
#include "ui/train_types_dialog.h"
#include "ui/unit_times_dialog.h"
#include "ui/tool_window_style.h"
#include "ui/warning_settings_dialog.h"
#include "ui/undoable_edits.h"
#include "ui/window_geometry.h"

namespace vosk::ui {

namespace {

QString from_bytes(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

// Commands whose windows, dialogs or models this build does not have yet,
// and アンケート回答, for which no questionnaire exists.
constexpr int kUnavailableCommands[] = {
    cmd::kEnquete,
    cmd::kSimulationStart, cmd::kSimulationStop,
    cmd::kFastSimulation, cmd::kRollback, cmd::kInitialState,
};

// Commands that work on the open data set: greyed while none is open.
constexpr int kDataSetCommands[] = {
    cmd::kTrainGraphWindow, cmd::kDiaEdit, cmd::kDiaView, cmd::kDeleteTemporaryDia, cmd::kPassengerWindow, cmd::kTimetableWindow, cmd::kNumberByUnit, cmd::kNumberSerial, cmd::kStationInfo,
    cmd::kUnitAndStandardTimes, cmd::kTrainTypes, cmd::kStandardStopTimes, cmd::kSpeedTypes,
    cmd::kDiaProperty, cmd::kFormations, cmd::kAutoRow,          cmd::kClearRow,     cmd::kAdjustSpan,   cmd::kRowPause,
    cmd::kRowPosition,      cmd::kWiderX,       cmd::kNarrowerX,    cmd::kTallerY,
    cmd::kShorterY};

// The panel tools the View menu's panel items run on the main window's panel.
constexpr std::pair<int, PanelTool> kPanelToolCommands[] = {
    {cmd::kAutoRow, PanelTool::AutoRow},         {cmd::kClearRow, PanelTool::ClearRow},
    {cmd::kAdjustSpan, PanelTool::AdjustSpan},   {cmd::kRowPause, PanelTool::RowPause},
    {cmd::kRowPosition, PanelTool::RowPosition}, {cmd::kWiderX, PanelTool::WiderX},
    {cmd::kNarrowerX, PanelTool::NarrowerX},     {cmd::kTallerY, PanelTool::TallerY},
    {cmd::kShorterY, PanelTool::ShorterY},
};

constexpr const char* kInetQuestion = "インターネットに接続します。よろしいですか？";
constexpr const char* kInetCaption = "インターネット接続確認";
constexpr const char* kInetOffQuestion =
    "インターネットに接続するときに、確認を行わないようにします。\nよろしいですか？\n\n"
    "常時接続でない方は、「いいえ」を選び変更しないことをおすすめします。";
constexpr const char* kInetOffCaption = "インターネット確認";
constexpr const char* kAboutCaption = "バージョン情報";
constexpr const char* kImportFilterJapanese = "ダイヤデータファイル(*.dia)|*.dia||";
constexpr const char* kImportFilterEnglish = "WinDIA Data File(*.dia)|*.dia||";

// Message boxes asked one at a time, each inside its own modal scope, for
// flows that call back into commands which take the scope themselves.
class ModalPrompt : public Prompt {
 public:
  ModalPrompt(EditorState& state, Prompt& prompt) : state_(state), prompt_(prompt) {}
  Answer ask(const std::string& caption, const std::string& text, Buttons buttons) override {
    ModalScope modal(state_);
    return prompt_.ask(caption, text, buttons);
  }

 private:
  EditorState& state_;
  Prompt& prompt_;
};

// Local files of a drag, as file system bytes; empty when it carries none.
std::vector<std::string> local_files(const QMimeData* mime) {
  std::vector<std::string> paths;
  if (!mime || !mime->hasUrls()) return paths;
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  return paths;
}

}  // namespace

MainWindow::MainWindow(EditorState state, EditorServices services)
    : state_(std::move(state)), open_url_(std::move(services.open_url)) {
  manual_ = shell::find_manual(
      shell::executable_folder(), state_.start.files.folder,
      [](const std::string& file) { return QFileInfo(QString::fromStdString(file)).isFile(); });
  if (services.prompt) {
    prompt_ = services.prompt;
  } else {
    own_prompt_ = std::make_unique<QtPrompt>(this);
    prompt_ = own_prompt_.get();
  }
  if (services.files) {
    files_ = services.files;
  } else {
    own_files_ = std::make_unique<QtFileChooser>();
    files_ = own_files_.get();
  }
  if (services.document) {
    document_ = services.document;
  } else {
    if (services.make_document) own_document_ = services.make_document(state_, *prompt_);
    if (!own_document_) own_document_ = std::make_unique<NoDocument>();
    document_ = own_document_.get();
  }
  if (!open_url_) {
    open_url_ = [](const std::string& url) {
      QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
    };
  }

  view_ = new PanelWidget(state_, *document_, *prompt_, 0, this);
  setCentralWidget(view_);
  connect(view_, &PanelWidget::model_changed, this, [this] { redraw_all(); });
  connect(view_, &PanelWidget::key_buffer_changed, this, [this] { refresh_title(); });
  connect(view_, &PanelWidget::raise_window, this, &MainWindow::raise_panel_window);
  // The View menu's row switches follow the panel's tools too.
  connect(view_->tool_bar(), &PanelToolBar::chosen, this, [this] { apply_menu_marks(); });
  panel_windows_ = std::make_unique<PanelWindowsSource>(*document_, [this](int n) -> PanelWidget* {
    if (n == 0) return view_;
    DisplayWindow* w = display_window(n);
    return w ? w->view() : nullptr;
  });
  document_->set_display_windows(panel_windows_.get());
  document_->set_change_listener([this] { after_document_change(); });
  place_from_settings();
  build_menu();
  refresh_title();

  apply_timer_period();
  apply_menu_marks();
  graph_wanted_ = state_.shell().start_windows.train_graph;
  if (state_.shell().start_windows.message) open_message_window();
  // The train graph and the timetable window open with the first data set.
  timetable_wanted_ = state_.shell().start_windows.timetable;

  setAcceptDrops(true);
  connect(&timer_, &QTimer::timeout, this, &MainWindow::first_tick);
  state_.ready = true;
  timer_.start();
}

MainWindow::~MainWindow() {
  timer_.stop();
  document_->set_change_listener({});  // a borrowed layer may outlive the window
  delete graph_window_.data();
  delete passenger_window_.data();
  delete timetable_window_.data();
  document_->set_display_windows(nullptr);
  close_display_windows();
  delete view_;                        // the panel refers to the data set
  delete message_window_.data();
  delete popup_window_.data();
}

QAction* MainWindow::action(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::build_menu() {
  actions_ = build_menu_bar(*menuBar(), state_.ui());
  for (const auto& [id, action] : actions_) {
    const int command = id;
    connect(action, &QAction::triggered, this, [this, command] { run_command(command); });
  }
  for (int id : kUnavailableCommands) action(id)->setEnabled(false);
  const bool files = document_->available();
  for (int id : {cmd::kOpenDia, cmd::kSaveDia, cmd::kSaveDiaAs, cmd::kImportWinDia})
    action(id)->setEnabled(files);
  // Until a data set is open.
  for (int id : kDataSetCommands) action(id)->setEnabled(false);
  // The program's home page is its manual; without one both stay greyed.
  for (int id : {cmd::kManual, cmd::kHomePage}) action(id)->setEnabled(!manual_.empty());
}

void MainWindow::apply_menu_marks() {
  const shell::Settings& s = state_.settings();
  for (const shell::FlagMenuItem& item : shell::flag_menu_items())
    action(item.menu_id)->setChecked(s.*item.flag);
  const auto mark_one = [this](std::initializer_list<int> ids, std::optional<int> on) {
    for (int id : ids) action(id)->setChecked(on && *on == id);
  };
  for (const shell::SpeedItem& item : shell::speed_items()) {
    action(item.menu_id)->setChecked(shell::timer_speed(s.call_speed).menu_id == item.menu_id);
  }
  mark_one({40017, 40018, 40019, 40321}, shell::view_speed_menu_id(s.view_speed));
  mark_one({40417, 40418, 40419, 40420}, shell::view_type_menu_id(s.view_type));
  mark_one({40421, 40422, 40423, 40424}, shell::view_for_menu_id(s.view_for));
  action(cmd::kMessageWindow)->setChecked(message_window_ != nullptr);
  const panel::TrackPanel* panel = view_ ? view_->panel() : nullptr;
  const panel::RowMode mode = panel ? panel->row_mode() : panel::RowMode::Normal;
  action(cmd::kRowPause)->setChecked(mode == panel::RowMode::Pause);
  action(cmd::kRowPosition)->setChecked(mode == panel::RowMode::Position);
  action(cmd::kTrainGraphWindow)->setChecked(graph_window_ != nullptr);
  action(cmd::kPassengerWindow)->setChecked(passenger_window_ != nullptr);
  action(cmd::kTimetableWindow)->setChecked(timetable_window_ != nullptr);
  action(cmd::kDiaEdit)->setChecked(dia_edit_window_ != nullptr);
}

void MainWindow::apply_timer_period() {
  timer_.setInterval(shell::timer_speed(state_.settings().call_speed).period_ms);
}


void MainWindow::place_from_settings() { place_window(*this, state_.shell().main_window); }

void MainWindow::refresh_title() {
  if (const panel::TrackPanel* panel = view_->panel(); panel && !panel->key_buffer().text().empty()) {
    setWindowTitle(QString::fromStdString(
        datafiles::point_key_title("", sjis::to_utf8_lossy(panel->key_buffer().text()))));
    return;
  }
  const datafiles::DocumentState& doc = document_->state();
  if (!doc.data_loaded) {
    setWindowTitle(QString::fromUtf8(kAppTitle));
    return;
  }
  setWindowTitle(QString::fromStdString(
      datafiles::window_title(kAppTitle, document_->dia_title(), doc, state_.english())));
}

void MainWindow::redraw_all() {
  view_->redraw();
  for (const QPointer<DisplayWindow>& w : display_windows_)
    if (w) w->view()->redraw();
  if (message_window_) message_window_->view()->redraw();
  if (graph_window_) graph_window_->view()->redraw();
  if (passenger_window_) passenger_window_->view()->redraw();

  if (timetable_window_) timetable_window_->view()->redraw();
  if (dia_edit_window_) dia_edit_window_->view()->redraw();
}

// --- child windows -----------------------------------------------------------

void MainWindow::open_message_window() {
  if (message_window_) return;
  const shell::Rect stored = shell::read_placement(
      ini::Document::load_or_empty(state_.start.files.settings_file),
      shell::kMessageWindowSection, kMessageWindowDefault);
  message_window_ = new MessageWindow(state_.messages, state_.shell().default_font,
                                      state_.english(), state_.settings().tool_window, this);
  place_window(*message_window_, stored);
  message_window_->setAcceptDrops(true);
  message_window_->installEventFilter(this);
  connect(message_window_, &MessageWindow::closed, this, [this] { close_message_window(); });
  message_window_->show();
  action(cmd::kMessageWindow)->setChecked(true);
}

void MainWindow::write_message_placement() {
  if (!message_window_) return;
  const shell::Rect rect = placement_of(*message_window_);
  const bool minimised = message_window_->isMinimized();
  const bool maximised = message_window_->isMaximized();
  update_settings_file(state_.start.files, [&](ini::Document& doc) {
    return shell::write_placement(doc, shell::kMessageWindowSection, rect, minimised, maximised);
  });
}

void MainWindow::close_message_window() {
  if (!message_window_) return;
  write_message_placement();
  MessageWindow* window = message_window_;
  message_window_ = nullptr;
  window->detach();  // a window opened before this one is deleted keeps the ring
  window->hide();
  window->deleteLater();  // may be inside its own close event
  action(cmd::kMessageWindow)->setChecked(false);
}

void MainWindow::open_graph_window() {
  datafiles::DataSet* data = document_->data_set();
  if (graph_window_ || !data) return;
  graph_window_ = new GraphWindow(*data, state_, *prompt_, this);
  graph_window_->set_file_chooser(*files_);
  graph_window_->edit_menu()->share_history(dia_history_);
  connect(graph_window_, &GraphWindow::close_requested, this, [this] {
    if (state_.busy.check(*prompt_)) close_graph_window();
  });
  connect(graph_window_, &GraphWindow::edited, this, [this] {
    document_->mark_edited();
    after_document_change();
  });
  set_tool_window_style(*graph_window_, state_.settings().tool_window);
  connect(graph_window_, &GraphWindow::selection_changed, this, [this](int diagram) {
    if (dia_edit_window_) dia_edit_window_->select(diagram);
  });
  connect(graph_window_, &GraphWindow::stop_item_chosen, this, [this](int n, int event, int c) {
    datafiles::DataSet* data = document_->data_set();
    if (!data) return;
    const dia::DiaSnapshot before(data->dia);
    const bool through_window = dia_edit_window_ != nullptr;  // records its own step
    if (!run_stop_item(dia_edit_window_, *data, *prompt_, n, event, c)) return;
    if (!through_window) dia_history_.record(before.tables(), "停車・通過の変更");
    document_->mark_edited();
    after_document_change();
  });
  connect(graph_window_, &GraphWindow::working_item_chosen, this, [this](int n, int c) {
    datafiles::DataSet* data = document_->data_set();
    if (!data || !state_.busy.check(*prompt_)) return;
    const dia::DiaSnapshot before(data->dia);
    const int chosen =
        run_working_item(dia_edit_window_, *data, state_, *prompt_, n, c, graph_window_);
    if (chosen == 0) return;
    // With the dia edit window open the step is its own, in the same history.
    if (!dia_edit_window_) dia_history_.record(before.tables(), "次運用の変更");
    document_->mark_edited();
    after_document_change();
    if (!graph_window_) return;
    graph_window_->graph().select(chosen);
    graph_window_->view()->redraw();
    if (dia_edit_window_) dia_edit_window_->select(chosen);
  });
  graph_window_->show();
  graph_wanted_ = true;
  action(cmd::kTrainGraphWindow)->setChecked(true);
}

void MainWindow::close_graph_window() {
  if (!graph_window_) return;
  graph_window_->write_settings();
  GraphWindow* window = graph_window_;
  graph_window_ = nullptr;
  graph_wanted_ = false;
  window->hide();
  window->deleteLater();  // may be inside its own close event
  action(cmd::kTrainGraphWindow)->setChecked(false);
}

void MainWindow::open_passenger_window() {
  datafiles::DataSet* data = document_->data_set();
  if (passenger_window_ || !data) return;
  passenger_window_ = new PassengerWindow(*data, state_, *prompt_, view_, this);
  connect(passenger_window_, &PassengerWindow::close_requested, this, [this] {
    if (state_.busy.check(*prompt_)) close_passenger_window();
  });
  connect(passenger_window_, &PassengerWindow::edited, this, [this] {
    document_->mark_edited();
    after_document_change();
  });
  connect(passenger_window_, &PassengerWindow::files_dropped, this,
          &MainWindow::accept_dropped_files);
  passenger_window_->show();
  action(cmd::kPassengerWindow)->setChecked(true);
}

void MainWindow::close_passenger_window() {
  if (!passenger_window_) return;
  passenger_window_->write_settings();
  PassengerWindow* window = passenger_window_;
  passenger_window_ = nullptr;
  window->hide();
  window->deleteLater();  // may be inside its own close event
  action(cmd::kPassengerWindow)->setChecked(false);
}

void MainWindow::apply_tool_window_style() {
  const bool on = state_.settings().tool_window;
  if (message_window_) message_window_->set_tool_window(on);
  if (graph_window_) set_tool_window_style(*graph_window_, on);
  if (passenger_window_) set_tool_window_style(*passenger_window_, on);
  if (timetable_window_) set_tool_window_style(*timetable_window_, on);
  if (dia_edit_window_) set_tool_window_style(*dia_edit_window_, on);
  for (const QPointer<DisplayWindow>& w : display_windows_)
    if (w) set_tool_window_style(*w, on);
}

void MainWindow::open_timetable_window() {
  datafiles::DataSet* data = document_->data_set();
  if (timetable_window_ || !data) return;
  timetable_window_ = new TimetableWindow(*data, state_, *prompt_, this);
  timetable_window_->setAcceptDrops(true);  // files dropped there are taken as here
  timetable_window_->installEventFilter(this);
  connect(timetable_window_, &TimetableWindow::close_requested, this, [this] {
    if (state_.busy.check(*prompt_)) close_timetable_window();
  });
  connect(timetable_window_, &TimetableWindow::edited, this, [this] {
    document_->mark_edited();
    after_document_change();
  });
  // A run chosen in the timetable is the one the graph shows selected too.
  connect(timetable_window_, &TimetableWindow::run_selected, this, [this](int run) {
    if (dia_edit_window_) dia_edit_window_->select(run);
    if (!graph_window_) return;
    graph_window_->graph().select(run);
    graph_window_->view()->redraw();
  });
  answer_timetable_requests();
  timetable_window_->show();
  timetable_wanted_ = true;
  action(cmd::kTimetableWindow)->setChecked(true);
}

void MainWindow::close_timetable_window() {
  if (!timetable_window_) return;
  timetable_window_->write_settings();
  TimetableWindow* window = timetable_window_;
  timetable_window_ = nullptr;
  timetable_wanted_ = false;
  window->hide();
  window->deleteLater();  // may be inside its own close event
  action(cmd::kTimetableWindow)->setChecked(false);
}

// ダイヤ編集: the dia edit window follows the train graph's selection and
// tells this window when its edits changed the dia.
void MainWindow::open_dia_edit_window() {
  datafiles::DataSet* data = document_->data_set();
  if (dia_edit_window_ || !data) return;
  dia_edit_window_ = new DiaEditWindow(*data, state_, *prompt_, this);
  dia_edit_window_->controller().share_history(dia_history_);
  connect(dia_edit_window_, &DiaEditWindow::close_requested, this, [this] {
    if (state_.busy.check(*prompt_)) close_dia_edit_window();
  });
  connect(dia_edit_window_, &DiaEditWindow::edited, this, [this] {
    document_->mark_edited();
    after_document_change();
  });
  connect(dia_edit_window_, &DiaEditWindow::raise_main_requested, this, [this] {
    raise();
    activateWindow();
  });
  if (graph_window_) dia_edit_window_->select(graph_window_->graph().selected());
  dia_edit_window_->show();
  action(cmd::kDiaEdit)->setChecked(true);
}

void MainWindow::close_dia_edit_window() {
  if (!dia_edit_window_) return;
  dia_edit_window_->write_settings();
  DiaEditWindow* window = dia_edit_window_;
  dia_edit_window_ = nullptr;
  window->hide();
  window->deleteLater();  // may be inside its own close event
  action(cmd::kDiaEdit)->setChecked(false);
}

void MainWindow::show_popup_warnings() {
  if (!popup_window_) {
    popup_window_ = new PopupWarningWindow(state_.popups, state_.warnings, *prompt_,
                                           state_.english(), this);
  }
  popup_window_->refresh();
  popup_window_->show();
  popup_window_->raise();
  QApplication::beep();
}

void MainWindow::close_popup_warnings() {
  if (popup_window_) popup_window_->close();
}

void MainWindow::fire_warning(const shell::WarningSetting& setting, const std::string& text) {
  if (shell::fire(setting, text, state_.clock_time, state_.popups)) show_popup_warnings();
}

DisplayWindow* MainWindow::display_window(int number) const {
  if (number < 1 || number >= datafiles::kDisplayWindowCount) return nullptr;
  return display_windows_[static_cast<std::size_t>(number)];
}

void MainWindow::close_display_windows() {
  for (QPointer<DisplayWindow>& w : display_windows_) {
    delete w.data();
    w = nullptr;
  }
}

// The windows the open data set's header has open, in place of any before.
void MainWindow::restore_display_windows() {
  close_display_windows();
  const datafiles::DataSet* data = document_->data_set();
  if (!data) return;
  for (int n = 1; n < datafiles::kDisplayWindowCount; ++n) {
    if (!data->header.display_windows[static_cast<std::size_t>(n)].open) continue;
    auto* w = new DisplayWindow(state_, *document_, *prompt_, n, this);
    connect(w->view(), &PanelWidget::model_changed, this, [this] { redraw_all(); });
    connect(w->view(), &PanelWidget::key_buffer_changed, this, [this] { refresh_title(); });
    connect(w->view(), &PanelWidget::raise_window, this, &MainWindow::raise_panel_window);
    display_windows_[static_cast<std::size_t>(n)] = w;
    set_tool_window_style(*w, state_.settings().tool_window);
    w->show();
  }
}

void MainWindow::raise_panel_window(int number) {
  QWidget* w = number == 0 ? static_cast<QWidget*>(this) : display_window(number);
  if (!w) return;
  w->raise();
  w->activateWindow();
}

// --- commands ----------------------------------------------------------------

void MainWindow::run_command(int id) {
  QAction* item = action(id);
  if (!item || !item->isEnabled()) return;
  shell::Settings& s = state_.settings();
  for (const auto& [command, tool] : kPanelToolCommands) {
    if (command != id) continue;
    view_->run_tool(tool);
    apply_menu_marks();
    return;
  }
  switch (id) {
    case cmd::kQuit:
      close();
      return;
    case cmd::kOpenDia:
      open_dia();
      return;
    case cmd::kSaveDia:
      save_dia();
      return;
    case cmd::kSaveDiaAs:
      if (state_.busy.check(*prompt_)) save_dia_as();
      return;
    case cmd::kImportWinDia:
      import_windia();
      return;
    case cmd::kFontSetting:
      choose_default_font();
      return;
    case cmd::kMessageWindow:
      if (message_window_) {
        close_message_window();
      } else {
        open_message_window();
      }
      return;
    case cmd::kDiaEdit:
      if (dia_edit_window_) {
        close_dia_edit_window();
      } else {
        open_dia_edit_window();
      }
      break;
    case cmd::kDiaView:
      // 選択ダイヤ表示 of the train graph, which opens for it.
      open_graph_window();
      if (graph_window_) graph_window_->edit_menu()->choose_run(false);
      return;
    case cmd::kDeleteTemporaryDia:
      if (datafiles::DataSet* data = document_->data_set();
          data && run_temporary_dia_deletion(*data, dia_history_, state_, *prompt_, this)) {
        document_->mark_edited();
        after_document_change();
      }
      return;
    case cmd::kTrainGraphWindow:
      if (graph_window_) {
        close_graph_window();
      } else {
        open_graph_window();
      }
      return;
    case cmd::kPassengerWindow:
      if (passenger_window_) {
        close_passenger_window();
      } else {
        open_passenger_window();
      }
      return;
    case cmd::kTimetableWindow:
      if (timetable_window_) {
        close_timetable_window();
      } else {
        open_timetable_window();
      }
      return;
    case cmd::kNumberByUnit:
    case cmd::kNumberSerial:
      number_runs(id == cmd::kNumberSerial);
      return;
    case cmd::kUnitAndStandardTimes:
      run_dia_dialog([&](datafiles::DataSet& ds, Prompt& p) {
        UnitTimesDialog dialog(ds.header, p, state_.ui(), this);
        return dialog.exec() == QDialog::Accepted && dialog.changed();
      });
      return;
    case cmd::kTrainTypes:
      run_dia_dialog([&](datafiles::DataSet& ds, Prompt& p) {
        TrainTypesDialog dialog(ds.classification.train_types, p, state_.ui(), this);
        return dialog.exec() == QDialog::Accepted && dialog.changed();
      });
      return;
    case cmd::kStandardStopTimes:
      run_dia_dialog([&](datafiles::DataSet& ds, Prompt& p) {
        return run_stop_times_dialog(ds, p, state_.ui(), this);
      });
      return;
    case cmd::kSpeedTypes:
      run_dia_dialog([&](datafiles::DataSet& ds, Prompt& p) {
        return run_speed_types_dialog(ds, p, state_.ui(), this);
      });
      return;
    case cmd::kDiaProperty:
      run_dia_dialog([&](datafiles::DataSet& ds, Prompt& p) {
        DiaPropertyDialog dialog(ds, p, state_.ui(), this);
        return dialog.exec() == QDialog::Accepted && dialog.changed();
      });
      return;
    case cmd::kFormations:
      open_formation_dialog();
      return;
    case cmd::kWarningSettings:
      open_warning_settings();
      return;
    case cmd::kStationInfo:
      if (state_.busy.check(*prompt_)) view_->open_station_dialog(0);
      return;
    case cmd::kHomePage:
      open_home_page();
      return;
    case cmd::kManual:
      open_manual();
      return;
    case cmd::kAbout:
      show_about();
      return;
    default:
      break;
  }
  for (const shell::SpeedItem& speed : shell::speed_items()) {
    if (speed.menu_id == id) {
      s.call_speed = speed.call_speed;
      apply_timer_period();
    }
  }
  const int view_speed_ids[] = {40017, 40018, 40019, 40321};
  for (int i = 0; i < 4; ++i) {
    if (id == view_speed_ids[i]) s.view_speed = i;
    if (id == 40417 + i) s.view_type = i;
    if (id == 40421 + i) s.view_for = i;
  }
  toggle_flag(id);
  apply_menu_marks();
}

void MainWindow::toggle_flag(int id) {
  shell::Settings& s = state_.settings();
  for (const shell::FlagMenuItem& item : shell::flag_menu_items()) {
    if (item.menu_id != id) continue;
    bool& flag = s.*item.flag;
    if (id == cmd::kInetCheck && flag) {
      // Turning the check off asks first; turning it on does not.
      Answer answer;
      {
        ModalScope modal(state_);
        answer = prompt_->ask(kInetOffCaption, kInetOffQuestion, Buttons::YesNo);
      }
      if (answer != Answer::Yes) return;
    }
    flag = !flag;
    if (id == cmd::kToolWindow) apply_tool_window_style();
  }
}

// Open and save-as dialogs of dia data: the .qvw filter in the DataQvw folder.
FileDialogRequest MainWindow::qvw_request() const {
  FileDialogRequest request;
  request.filter = QString::fromUtf8(datafiles::qvw_filter(state_.english()));
  request.default_suffix = QStringLiteral("qvw");
  request.folder = from_bytes(state_.start.folders.data_qvw);
  return request;
}

bool MainWindow::ask_save_question(const std::string& next, const std::string& caption) {
  const std::string question =
      format(shell::text::kSaveQuestionFormat.pick(state_.ui()), next.c_str());
  while (document_->state().edited) {
    Answer answer;
    {
      ModalScope modal(state_);
      answer = prompt_->ask(caption, question, Buttons::YesNoCancel);
    }
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::No) return true;
    save_dia_as();  // a cancelled or failed save leaves the flag: ask again
  }
  return true;
}

void MainWindow::open_dia() {
  if (!state_.busy.check(*prompt_)) return;
  const shell::UiLanguage ui = state_.ui();
  if (!ask_save_question(shell::text::kOpenDia.pick(ui), shell::text::kOpenCaption.pick(ui))) return;
  const FileDialogRequest request = qvw_request();
  // Retry on the newer-version warning chooses the file again.
  do {
    std::optional<std::string> path;
    {
      ModalScope modal(state_);
      path = files_->open_file(this, request);
    }
    if (!path) return;
    open_dia_file(*path);
  } while (document_->available() && document_->open_wants_another_file());
}

// The open after the question and the dialog (or the drop) have named the file.
void MainWindow::open_dia_file(const std::string& path) {
  if (!document_->available()) {
    tell_no_drivers(path);
  } else {
    document_->open(path);
  }
  after_document_change(true);
}

void MainWindow::tell_no_drivers(const std::string& path) {
  // Say so instead of dropping the file without a word.
  state_.messages.add(sjis::from_utf8_lossy(
      format(state_.english() ? "Cannot open \"%s\": this build cannot read data sets yet."
                              : "「%s」を開けません。この版ではまだデータセットを読めません。",
             path.c_str())));
}

void MainWindow::save_dia() {
  if (!state_.busy.check(*prompt_)) return;
  if (!document_->state().can_save_in_place()) {
    save_dia_as();
    return;
  }
  document_->save_in_place();
  after_document_change();
}

bool MainWindow::save_dia_as() {
  const FileDialogRequest request = qvw_request();
  std::optional<std::string> path;
  {
    ModalScope modal(state_);
    path = files_->save_file(this, request);
  }
  if (!path) return false;
  const bool saved = document_->save_as(*path);
  after_document_change();
  return saved;
}

void MainWindow::import_windia() {
  if (!state_.busy.check(*prompt_)) return;
  FileDialogRequest request;
  request.filter =
      QString::fromUtf8(state_.english() ? kImportFilterEnglish : kImportFilterJapanese);
  request.default_suffix = QStringLiteral("dia");
  request.folder = from_bytes(state_.start.folders.load_wdia);
  std::optional<std::string> path;
  {
    ModalScope modal(state_);
    path = files_->open_file(this, request);
  }
  if (!path) return;
  // The import replaces the open dia as an open does.
  const shell::UiLanguage ui = state_.ui();
  if (!ask_save_question(shell::text::kOpenDia.pick(ui), shell::text::kOpenCaption.pick(ui)))
    return;
  // The folder of the chosen file is where the next import starts.
  const std::string folder =
      QFile::encodeName(QFileInfo(from_bytes(*path)).absolutePath()).toStdString();
  state_.start.folders.load_wdia = folder;
  update_settings_file(state_.start.files, [&](ini::Document& doc) {
    doc.set_string(shell::kPathSection, "LoadWdia", folder);
    return true;
  });
  document_->import_windia(*path);
  after_document_change(true);
}

void MainWindow::after_document_change(bool reloaded) {
  if (reloaded) {
    dia_history_.clear();
    view_->reload();
    restore_display_windows();
  }
  refresh_title();
  const bool open = document_->data_set() != nullptr;
  for (int id : kDataSetCommands) action(id)->setEnabled(open);
  if (passenger_window_) {
    if (open) {
      passenger_window_->data_changed();
    } else {
      close_passenger_window();
    }
  }
  if (!open) {
    if (graph_window_) {
      close_graph_window();
      graph_wanted_ = true;  // closed with the data set, not by the user
    }
  } else if (graph_window_) {
    graph_window_->data_changed();
  } else if (graph_wanted_) {
    open_graph_window();
  }
  if (!open) {
    if (timetable_window_) {
      close_timetable_window();
      timetable_wanted_ = true;
    }
  } else if (timetable_window_) {
    timetable_window_->data_changed();
  } else if (timetable_wanted_) {
    open_timetable_window();
  }
  if (!open) {
    close_dia_edit_window();
  } else if (dia_edit_window_ && reloaded) {
    dia_edit_window_->data_reloaded();
  } else if (dia_edit_window_) {
    dia_edit_window_->data_changed();
  }
  redraw_all();
}

// 列車番号自動設定: the command asks its own question; any change marks the
// data set edited and redraws every window.
void MainWindow::number_runs(bool serial) {
  datafiles::DataSet* ds = document_->data_set();
  if (!ds || !state_.busy.check(*prompt_)) return;
  ModalPrompt prompt(state_, *prompt_);
  const std::optional<int> changed = datafiles::number_runs(*ds, serial, prompt);
  // Marking the data set edited tells the change listener, which redraws.
  if (changed && *changed > 0) document_->mark_edited();
}

// The dialogs of the Dia menu edit the open data set under the busy lock; a
// change rebuilds the derived dia data, marks the data set edited and (through
// the change listener) redraws every window.
void MainWindow::run_dia_dialog(
    const std::function<bool(datafiles::DataSet&, Prompt&)>& dialog) {
  datafiles::DataSet* ds = document_->data_set();
  if (!ds || !state_.busy.check(*prompt_)) return;
  bool changed = false;
  {
    ModalScope modal(state_);
    changed = dialog(*ds, *prompt_);
  }
  if (!changed) return;
  datafiles::rebuild_derived_data(*ds, state_.english());
  document_->mark_edited();
}

void MainWindow::open_formation_dialog() {
  datafiles::DataSet* ds = document_->data_set();
  if (!ds || !state_.busy.check(*prompt_)) return;
  if (!run_formation_dialog(dia_edit_window_, dia_history_, state_, *ds, *prompt_, 0, this))
    return;
  document_->mark_edited();
  after_document_change();
}

void MainWindow::choose_default_font() {
  shell::FontRecord& record = state_.shell().default_font;
  std::optional<Font> chosen;
  {
    ModalScope modal(state_);
    chosen = choose_font(this, drawing_font(record), view_->logicalDpiY());
  }
  if (!chosen) return;
  record = font_record_from(*chosen, record);
  if (message_window_) message_window_->set_font_record(record);
  redraw_all();
}

void MainWindow::open_warning_settings() {
  ModalScope modal(state_);
  WarningSettingsDialog dialog(
      state_, *prompt_, *files_, [this] { show_popup_warnings(); },
      [this] { close_popup_warnings(); }, this);
  dialog.exec();
}

void MainWindow::open_home_page() {
  if (state_.settings().inet_check) {
    Answer answer;
    {
      ModalScope modal(state_);
      answer = prompt_->ask(kInetCaption, kInetQuestion, Buttons::YesNo);
    }
    if (answer != Answer::Yes) return;
  }
  open_manual();
}

void MainWindow::open_manual() {
  if (!manual_.empty())
    open_url_(QUrl::fromLocalFile(QString::fromStdString(manual_)).toString().toStdString());
}

void MainWindow::show_about() {
  ModalScope modal(state_);
  prompt_->tell(kAboutCaption, about_text(state_.english()));
}

// --- timer and close -----------------------------------------------------------

void MainWindow::first_tick() {
  if (!state_.ready || state_.startup_done) return;
  state_.startup_done = true;
  const shell::StartCommand start = shell::classify_start_command(state_.command_text);
  switch (start.action) {
    case shell::StartAction::None:
      break;
    case shell::StartAction::OpenDia:
      setWindowTitle(QString::fromStdString(start.title));
      [[fallthrough]];
    case shell::StartAction::ImportWinDia:
      if (!document_->available()) {
        tell_no_drivers(start.file);
      } else if (start.action == shell::StartAction::OpenDia) {
        document_->open(start.file);
      } else {
        document_->import_windia(start.file);
      }
      after_document_change(true);
      break;
    case shell::StartAction::StartError: {
      ModalScope modal(state_);
      prompt_->tell(start.caption, start.message);
      break;
    }
  }
  if (state_.settings().backup_file) {
    document_->offer_recovery();
    after_document_change(true);
  }
}

// --- dropped files -------------------------------------------------------------

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!local_files(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (!local_files(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = local_files(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  QMetaObject::invokeMethod(
      this, [this, paths = std::move(paths)] { accept_dropped_files(paths); },
      Qt::QueuedConnection);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != nullptr &&
      (watched == message_window_.data() || watched == timetable_window_.data())) {
    switch (event->type()) {
      case QEvent::DragEnter:
        dragEnterEvent(static_cast<QDragEnterEvent*>(event));
        return true;
      case QEvent::DragMove:
        dragMoveEvent(static_cast<QDragMoveEvent*>(event));
        return true;
      case QEvent::Drop:
        dropEvent(static_cast<QDropEvent*>(event));
        return true;
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::accept_dropped_files(const std::vector<std::string>& paths) {
  if (!state_.busy.check(*prompt_)) return;
  ModalPrompt prompt(state_, *prompt_);
  DropHandlers handlers;
  handlers.open_dia = [this](const std::string& path) {
    // The same open as the menu's, the save question first.
    const shell::UiLanguage ui = state_.ui();
    if (!ask_save_question(shell::text::kOpenDia.pick(ui), shell::text::kOpenCaption.pick(ui)))
      return;
    open_dia_file(path);
  };
  handlers.import_windia = [this](const std::string& path) {
    const shell::UiLanguage ui = state_.ui();
    if (!ask_save_question(shell::text::kOpenDia.pick(ui), shell::text::kOpenCaption.pick(ui)))
      return;
    if (!document_->available()) {
      tell_no_drivers(path);
    } else {
      document_->import_windia(path);
    }
    after_document_change(true);
  };
  handlers.choose_folder = [this](DroppedKind kind) {
    ModalScope modal(state_);
    return choose_import_folder(this, kind);
  };
  datafiles::accept_dropped_files(paths, state_.start.files.folder, prompt, handlers);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  const bool may = shell::may_close(state_.busy, *prompt_, state_.ui(),
                                    [this](const std::string& text, const std::string& caption) {
                                      return ask_save_question(text, caption);
                                    });
  if (!may) {
    event->ignore();
    return;
  }
  timer_.stop();
  state_.ready = false;

  shell::CloseState close;
  // Windows this build cannot create keep the `open` choice they were read
  // with, so the next full build opens them as the user left them; the
  // train graph keeps it while no data set was opened.
  close.train_graph_exists = graph_window_ != nullptr || graph_wanted_;
  close.timetable_exists = timetable_window_ != nullptr || timetable_wanted_;
  close.message_exists = message_window_ != nullptr;
  close.dia_edit_exists = dia_edit_window_ != nullptr;
  close.main_window = placement_of(*this);
  close.minimised = isMinimized();
  close.maximised = isMaximized();
  close_dia_edit_window();
  close_graph_window();
  close_passenger_window();
  close_timetable_window();
  close_message_window();
  close_popup_warnings();
  shell::save_shell_at_close(state_.start.files, state_.shell(), close,
                             state_.start.language.english_start_locale);
  // The panel windows keep their own sections.
  view_->write_own_settings();
  for (const QPointer<DisplayWindow>& w : display_windows_)
    if (w) w->view()->write_own_settings();
  event->accept();
}

}  // namespace vosk::ui
