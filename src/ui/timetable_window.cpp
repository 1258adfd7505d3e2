#include "ui/timetable_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "base/sjis.h"
#include "graph/graph_settings_file.h"
#include "graph/page_split.h"
#include "shell/folders.h"
#include "shell/font_record.h"
#include "shell/line_styles.h"
#include "shell/message_ring.h"
#include "shell/window_placement.h"
#include "timetable/html_export.h"
#include "ui/display_target_dialogs.h"
#include "ui/qpainter_surface.h"
#include "ui/window_geometry.h"

namespace vosk::ui {
namespace {

constexpr const char* kPrintDocument = "時刻表印刷";
constexpr const char* kPrintFailedCaption = "プリント失敗";
constexpr const char* kPrintFailed = "印刷が開始できませんでした。\n";
constexpr const char* kFontSection = "FontVOSKTimeTableWindow";
const shell::Rect kDefaultPlacement{0, 140, 380, 750};

struct ViewFlagItem {
  const char* text;
  bool timetable::TimetableFlags::*flag;
};

constexpr int kXAxisItem = 14;  // 横方向表示, the last of the items below
constexpr ViewFlagItem kViewFlagItems[] = {
    {"下り列車", &timetable::TimetableFlags::view_down},
    {"上り列車", &timetable::TimetableFlags::view_up},
    {"運用未指定列車", &timetable::TimetableFlags::suspense},
    {"併結列車", &timetable::TimetableFlags::coupled},
    {"通過駅表示", &timetable::TimetableFlags::pass},
    {"秒単位表示", &timetable::TimetableFlags::seconds},
    {"時刻区切り表示", &timetable::TimetableFlags::colons},
    {"回送列車表示", &timetable::TimetableFlags::deadhead},
    {"ダイヤタイトル表示", &timetable::TimetableFlags::title},
    {"列車番号表示", &timetable::TimetableFlags::train_name},
    {"列車種別表示", &timetable::TimetableFlags::type},
    {"行先表示", &timetable::TimetableFlags::for_name},
    {"愛称表示", &timetable::TimetableFlags::nickname},
    {"備考表示", &timetable::TimetableFlags::remark},
    {"横方向表示", &timetable::TimetableFlags::x_axis},
};
static_assert(kViewFlagItems[kXAxisItem].flag == &timetable::TimetableFlags::x_axis);

timetable::TimetableKey timetable_key(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return timetable::TimetableKey::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return timetable::TimetableKey::Enter;
    case Qt::Key_Space:
      return timetable::TimetableKey::Space;
    case Qt::Key_Escape:
      return timetable::TimetableKey::Escape;
    case Qt::Key_Left:
      return timetable::TimetableKey::Left;
    case Qt::Key_Right:
      return timetable::TimetableKey::Right;
    case Qt::Key_Up:
      return timetable::TimetableKey::Up;
    case Qt::Key_Down:
      return timetable::TimetableKey::Down;
    default:
      break;
  }
  if (event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9) return timetable::TimetableKey::Digit;
  return timetable::TimetableKey::Other;
}

ini::Document settings_file(const EditorState& state) {
  return ini::Document::load_or_empty(state.start.files.settings_file);
}

QString from_bytes(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

// The output dialog ("駅時刻表出力"): folder, detailed form, label positions
// and sizes. Its values go to the core's checks.
class HtmlExportDialog : public QDialog {
 public:
  HtmlExportDialog(const timetable::ExportDialog& values, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("駅時刻表出力"));
    auto* layout = new QVBoxLayout(this);
    auto* folder_row = new QHBoxLayout;
    folder_row->addWidget(new QLabel(QString::fromUtf8("出力先フォルダ"), this));
    folder_ = new QLineEdit(QString::fromStdString(values.folder), this);
    folder_row->addWidget(folder_, 1);
    auto* browse = new QPushButton(QString::fromUtf8("参照"), this);
    folder_row->addWidget(browse);
    layout->addLayout(folder_row);
    connect(browse, &QPushButton::clicked, this, [this] {
      const QString chosen = QFileDialog::getExistingDirectory(
          this, QString::fromUtf8("フォルダの選択"), folder_->text());
      if (!chosen.isEmpty()) folder_->setText(chosen);
    });
    detailed_ =
        new QCheckBox(QString::fromUtf8("詳細表示(&C)　（先着列車は背景色で表示されます。Microsoft "
                                        "Excelできれいに読み込めます。）"),
                      this);
    detailed_->setChecked(values.options.detailed);
    layout->addWidget(detailed_);
    auto* groups = new QHBoxLayout;
    type_ = add_group(groups, "種別表示", values.options.type_pos, values.options.small_type,
                      small_type_);
    for_ =
        add_group(groups, "行先表示", values.options.for_pos, values.options.small_for, small_for_);
    layout->addLayout(groups);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QString::fromUtf8("出力"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
  }

  timetable::ExportDialog values(const timetable::HtmlOptions& base) const {
    timetable::ExportDialog v{folder_->text().toStdString(), base};
    v.options.detailed = detailed_->isChecked();
    v.options.type_pos = type_->checkedId();
    v.options.for_pos = for_->checkedId();
    v.options.small_type = small_type_->isChecked();
    v.options.small_for = small_for_->isChecked();
    return v;
  }

 private:
  QButtonGroup* add_group(QHBoxLayout* into, const char* title, int position, bool small,
                          QCheckBox*& small_box) {
    auto* box = new QGroupBox(QString::fromUtf8(title), this);
    auto* grid = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    const char* names[] = {"なし", "上", "下", "左", "右"};
    for (int i = 0; i < 5; ++i) {
      auto* radio = new QRadioButton(QString::fromUtf8(names[i]), box);
      group->addButton(radio, i);
      grid->addWidget(radio);
      radio->setChecked(i == position);
    }
    small_box = new QCheckBox(QString::fromUtf8("サイズ小"), box);
    small_box->setChecked(small);
    grid->addWidget(small_box);
    into->addWidget(box);
    return group;
  }

  QLineEdit* folder_;
  QCheckBox* detailed_;
  QButtonGroup* type_;
  QButtonGroup* for_;
  QCheckBox* small_type_ = nullptr;
  QCheckBox* small_for_ = nullptr;
};

std::vector<shell::LineStyle> default_fills() {
  std::vector<shell::LineStyle> fills(3);
  const struct {
    const char* name;
    Rgb colour;
  } entries[] = {{"選択ダイヤ", {192, 192, 192}},
                 {"先着列車－直通", {135, 206, 235}},
                 {"先着列車－乗換", {255, 182, 193}}};
  for (int i = 0; i < 3; ++i) {
    shell::LineStyle& f = fills[static_cast<std::size_t>(i)];
    f.id = i;
    f.red = entries[i].colour.r, f.green = entries[i].colour.g, f.blue = entries[i].colour.b;
    f.item_name = sjis::from_utf8_lossy(entries[i].name);
  }
  return fills;
}

}  // namespace

// --- client area -------------------------------------------------------------------

TimetableView::TimetableView(timetable::TimetableController& timetable, Prompt& prompt,
                             QWidget* parent)
    : PictureView(parent), timetable_(timetable), prompt_(prompt) {
  setFocusPolicy(Qt::StrongFocus);
}

void TimetableView::draw(Surface& surface) {
  timetable_.layout(surface, surface.size());
  timetable_.draw(surface);
  Q_EMIT drawn();
}

void TimetableView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  const timetable::ClickResult result = timetable_.click({p.x(), p.y()});
  switch (result.kind) {
    case timetable::ClickResult::StationDialog:
      Q_EMIT station_dialog_requested(result.target);
      break;
    case timetable::ClickResult::Information:
      Q_EMIT run_selected(result.run);
      Q_EMIT information_requested(result.run);
      break;
    case timetable::ClickResult::Selected:
      Q_EMIT run_selected(result.run);
      break;
    case timetable::ClickResult::TrackChange:
      Q_EMIT track_change_requested(result.run, result.event);
      break;
    case timetable::ClickResult::None:
      break;
  }
  redraw();
}

void TimetableView::keyPressEvent(QKeyEvent* event) {
  const int before = timetable_.selection().run;
  const timetable::KeyResult result = timetable_.key(timetable_key(*event), prompt_);
  switch (result.kind) {
    case timetable::KeyResult::Ignored:
      PictureView::keyPressEvent(event);
      return;
    case timetable::KeyResult::DataChanged:
      Q_EMIT data_changed();
      break;
    case timetable::KeyResult::EditTime:
      Q_EMIT time_input_requested(result.run, result.event);
      break;
    case timetable::KeyResult::Redraw:
      break;
  }
  if (timetable_.selection().run != before && timetable_.selection().run != 0)
    Q_EMIT run_selected(timetable_.selection().run);
  redraw();
}

void TimetableView::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  const int step = 3 * fontMetrics().height();
  if (event->modifiers().testFlag(Qt::ShiftModifier) || delta.x() != 0) {
    timetable_.scroll_by((delta.x() != 0 ? delta.x() : delta.y()) > 0 ? -step : step, 0);
  } else if (delta.y() != 0) {
    timetable_.scroll_by(0, delta.y() > 0 ? -step : step);
  }
  redraw();
  event->accept();
}

// --- window ------------------------------------------------------------------------

TimetableWindow::TimetableWindow(datafiles::DataSet& data, EditorState& state, Prompt& prompt,
                                 QWidget* owner)
    : QWidget(owner, Qt::Window), data_(data), state_(state), prompt_(prompt) {
  const ini::Document file = settings_file(state_);
  const bool english = state_.start.language.english_start_locale;
  timetable_ =
      std::make_unique<timetable::TimetableController>(data, timetable::read_timetable_flags(file));
  timetable_->set_english(state_.english());
  font_record_ =
      shell::load_font_record(file, kFontSection, shell::default_font_record(english), english);
  Font font = shell::drawing_font(font_record_);
  font.height = 0;  // from the point size on each surface, screen or printer
  timetable_->set_font(font);
  auto* bar = new QMenuBar(this);
  tool_bar_ = new QToolBar(this);
  view_ = new TimetableView(*timetable_, prompt_, this);
  horizontal_ = new QScrollBar(Qt::Horizontal, this);
  vertical_ = new QScrollBar(Qt::Vertical, this);
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(bar);
  layout->addWidget(tool_bar_, 0, 0, 1, 2);
  layout->addWidget(view_, 1, 0);
  layout->addWidget(vertical_, 1, 1);
  layout->addWidget(horizontal_, 2, 0);
  connect(view_, &TimetableView::drawn, this, &TimetableWindow::sync_scroll_bars);
  const auto scrolled = [this] {
    timetable_->set_scroll({horizontal_->value(), vertical_->value()});
    view_->redraw();
  };
  connect(horizontal_, &QScrollBar::valueChanged, this, scrolled);
  connect(vertical_, &QScrollBar::valueChanged, this, scrolled);
  build_menu(*bar);
  build_tool_bar();
  connect(view_, &TimetableView::run_selected, this, [this](int run) { Q_EMIT run_selected(run); });
  connect(view_, &TimetableView::data_changed, this, [this] { Q_EMIT edited(); });
  connect(view_, &TimetableView::station_dialog_requested, this,
          &TimetableWindow::station_dialog_requested);
  connect(view_, &TimetableView::information_requested, this,
          &TimetableWindow::information_requested);
  connect(view_, &TimetableView::time_input_requested, this,
          &TimetableWindow::time_input_requested);
  connect(view_, &TimetableView::track_change_requested, this,
          &TimetableWindow::track_change_requested);
  std::vector<shell::LineStyle> fills = default_fills();
  shell::load_line_styles(file, timetable::kTimetableSection, fills);
  for (const shell::LineStyle& f : fills) timetable_->set_fill(f.id, {f.red, f.green, f.blue});
  place_window(*this, shell::read_placement(file, timetable::kTimetableSection, kDefaultPlacement));
  setWindowTitle(QString::fromStdString(timetable_->caption()));
  set_tool_bar_shown(timetable_->flags().tool_bar);
  update_marks();
  view_->setFocus();
}

TimetableWindow::~TimetableWindow() = default;

QAction* TimetableWindow::action(int id) const {
  return actions_.find(id);
}

void TimetableWindow::build_menu(QMenuBar& bar) {
  const auto add = [this](QMenu* menu, int id, const char* text, auto slot) {
    return actions_.add(menu, id, text, this, slot);
  };
  QMenu* file = bar.addMenu(QString::fromUtf8("ファイル(&F)"));
  add(file, kTimetableExportHtml, "駅時刻表出力(&T)", [this] { export_html(); });
  add(file, kTimetableOpenFolder, "出力フォルダを参照(&F)", [this] {
    QDesktopServices::openUrl(QUrl::fromLocalFile(from_bytes(state_.start.folders.export_html)));
  });
  build_print_items(*file);
  QMenu* view = bar.addMenu(QString::fromUtf8("表示(&V)"));
  const auto moved = [this] {
    setWindowTitle(QString::fromStdString(timetable_->caption()));
    view_->redraw();
  };
  add(view, kTimetableNext, "次", [this, moved] {
    timetable_->next_display_target();
    moved();
  });
  add(view, kTimetablePrevious, "前", [this, moved] {
    timetable_->previous_display_target();
    moved();
  });
  add(view, kTimetableDisplayTargets, "表示対象切替・編集(&S)", [this] { choose_display_target(); });
  add(view, kTimetableBaseStation, "基準駅設定(&O)", [this] { choose_base_station(); });
  add(view, kTimetableFirstTrains, "先着列車抽出(&E)", [this] { search_first_trains(); });
  build_settings_items(*view);
  add(view, kTimetableToolBar, "ツールバー表示(&T)", [this] {
    set_tool_bar_shown(!timetable_->flags().tool_bar);
  })->setCheckable(true);
  QMenu* shown = bar.addMenu(QString::fromUtf8("表示内容(&C)"));
  int id = kTimetableViewFlagFirst;
  for (const ViewFlagItem& item : kViewFlagItems) {
    const auto flag = item.flag;
    add(shown, id++, item.text, [this, flag] {
      timetable::TimetableFlags& f = timetable_->flags();
      f.*flag = !(f.*flag);
      timetable_->rebuild();
      update_marks();
      view_->redraw();
    })->setCheckable(true);
  }
}

void TimetableWindow::build_tool_bar() {
  // Short labels for the buttons; the menu keeps the full texts.
  const struct {
    int id;
    const char* label;
  } buttons[] = {
      {kTimetableExportHtml, "駅時刻表出力"},
      {kTimetablePrint, "印刷"},
      {kTimetablePrevious, "前"},
      {kTimetableNext, "次"},
      {kTimetableBaseStation, "基準駅設定"},
      {kTimetableFirstTrains, "先着列車抽出"},
      {kTimetableViewFlagFirst + kXAxisItem, "横方向表示"},
  };
  for (const auto& b : buttons) {
    QAction* a = action(b.id);
    a->setIconText(QString::fromUtf8(b.label));
    if (b.id == kTimetablePrint || b.id == kTimetableBaseStation) tool_bar_->addSeparator();
    tool_bar_->addAction(a);
  }
  tool_bar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  tool_bar_->setFocusPolicy(Qt::NoFocus);
}

void TimetableWindow::set_tool_bar_shown(bool shown) {
  timetable_->flags().tool_bar = shown;
  tool_bar_->setVisible(shown);
  action(kTimetableToolBar)->setChecked(shown);
}

void TimetableWindow::update_marks() {
  int id = kTimetableViewFlagFirst;
  for (const ViewFlagItem& item : kViewFlagItems)
    action(id++)->setChecked(timetable_->flags().*item.flag);
}

void TimetableWindow::sync_scroll_bars() {
  const Size all = timetable_->extent();
  const Point at = timetable_->scroll();
  const QSignalBlocker block_h(horizontal_), block_v(vertical_);
  horizontal_->setRange(0, std::max(0, all.width - view_->width()));
  horizontal_->setPageStep(std::max(1, view_->width()));
  horizontal_->setSingleStep(std::max(1, view_->fontMetrics().averageCharWidth() * 4));
  horizontal_->setValue(at.x);
  vertical_->setRange(0, std::max(0, all.height - view_->height()));
  vertical_->setPageStep(std::max(1, view_->height()));
  vertical_->setSingleStep(std::max(1, view_->fontMetrics().height()));
  vertical_->setValue(at.y);
}

void TimetableWindow::choose_display_target() {
  int chosen = 0;
  bool changed = false;
  {
    ModalScope modal(state_);
    DisplayTargetListDialog dialog(data_, timetable_->display_target() + 1, prompt_, state_.ui(),
                                   this);
    dialog.exec();
    chosen = dialog.chosen();
    changed = dialog.changed();
  }
  if (chosen != 0) timetable_->set_display_target(chosen - 1);
  data_changed();
  if (changed) Q_EMIT edited();
}

void TimetableWindow::data_changed() {
  // A deleted display target may have been the one shown: the first takes over.
  if (timetable_->display_target() >= data_.classification.display_targets.extent())
    timetable_->set_display_target(timetable_->display_target());
  timetable_->rebuild();
  setWindowTitle(QString::fromStdString(timetable_->caption()));
  view_->redraw();
}

void TimetableWindow::select_run(int run) {
  if (run == timetable_->selection().run) return;
  timetable_->select_run(run);
  view_->redraw();
}

void TimetableWindow::write_settings() {
  const shell::Rect at = placement_of(*this);
  const bool minimised = isMinimized(), maximised = isMaximized();
  const timetable::TimetableFlags flags = timetable_->flags();
  const bool english = state_.start.language.english_start_locale;
  update_settings_file(state_.start.files, [&](ini::Document& doc) {
    shell::write_placement(doc, timetable::kTimetableSection, at, minimised, maximised);
    timetable::write_timetable_flags(flags, doc);
    shell::save_font_record(doc, kFontSection, font_record_, english);
    shell::save_line_styles(doc, timetable::kTimetableSection, fills());
    return true;
  });
}

std::vector<shell::LineStyle> TimetableWindow::fills() const {
  std::vector<shell::LineStyle> fills = default_fills();
  for (shell::LineStyle& f : fills) {
    const Rgb c = timetable_->fill(f.id);
    f.red = c.r, f.green = c.g, f.blue = c.b;
  }
  return fills;
}

bool TimetableWindow::print_on(QPrinter& printer) {
  const graph::PageSettings page =
      graph::load_page_settings(settings_file(state_), graph::PageUse::Print);
  printer.setDocName(QString::fromUtf8(kPrintDocument));
  printer.setFullPage(true);  // the margins are measured from the paper's edge
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  QPainterSurface surface(painter);
  const Rect plot = graph::print_plot({printer.width(), printer.height()}, printer.logicalDpiX(),
                                      printer.logicalDpiY(), page);
  const Point saved_scroll = timetable_->scroll();
  const Size page_size{plot.width(), plot.height()};
  // Runs as columns while printing. Each page shows as many whole runs as
  // fit beside the station lane; tables taller than the page go on over
  // further pages, broken between rows.
  timetable_->set_printing(true);
  timetable_->set_lane_window(0, -1);
  timetable_->layout(surface, page_size);
  const int per_page = timetable_->lanes_per_page(page_size.width);
  const int runs = std::max(1, timetable_->lane_count());
  bool first = true;
  for (int lane = 0; lane < runs; lane += per_page) {
    timetable_->set_lane_window(lane, per_page);
    timetable_->layout(surface, page_size);
    for (const timetable::PageBand& band : timetable_->print_pages(page_size.height)) {
      if (!first) printer.newPage();
      first = false;
      painter.save();
      // The strip ends at its row edge: the row below starts the next page.
      painter.setClipRect(QRect(plot.left, plot.top, plot.width(), band.bottom - band.top + 1));
      timetable_->set_scroll({0, band.top});
      timetable_->draw(surface, {plot.left, plot.top});
      painter.restore();
    }
  }
  painter.end();
  timetable_->set_lane_window(0, -1);
  timetable_->set_printing(false);
  timetable_->set_scroll(saved_scroll);
  view_->redraw();
  return true;
}

void TimetableWindow::print() {
  {
    ModalScope modal(state_);
    QPrintDialog dialog(&printer_, this);
    if (dialog.exec() != QDialog::Accepted) return;
  }
  if (!print_on(printer_)) {
    ModalScope modal(state_);
    prompt_.tell(kPrintFailedCaption, kPrintFailed);
  }
}

void TimetableWindow::export_html() {
  ModalScope modal(state_);
  const ini::Document file = settings_file(state_);
  timetable::HtmlOptions options = timetable::read_export_settings(file);
  timetable::ExportDialog values{from_bytes(state_.start.folders.export_html).toStdString(),
                                 options};
  HtmlExportDialog dialog(values, this);
  for (;;) {
    if (dialog.exec() != QDialog::Accepted) return;
    values = dialog.values(options);
    const Rgb direct = timetable_->fill(1), change = timetable_->fill(2);
    values.options.direct = {direct.r, direct.g, direct.b};
    values.options.change = {change.r, change.g, change.b};
    if (timetable::accept_export_dialog(values, prompt_)) break;
  }
  const std::string folder = QFile::encodeName(QString::fromStdString(values.folder)).toStdString();
  state_.start.folders.export_html = folder;
  update_settings_file(state_.start.files, [&](ini::Document& doc) {
    timetable::write_export_settings(values.options, doc);
    doc.set_string(shell::kPathSection, "ExportHtml", folder);
    return true;
  });
  timetable::export_station_html(timetable_->data(), timetable_->tables(), folder, values.options,
                                 prompt_);
}

std::vector<std::pair<int, std::string>> TimetableWindow::stations() const {
  std::vector<std::pair<int, std::string>> out;
  const datafiles::DataSet& ds = timetable_->data();
  for (int t : timetable_->tables().down.stations)
    out.emplace_back(t, sjis::to_utf8_lossy(ds.map.targets[t].short_name));
  return out;
}

void TimetableWindow::choose_base_station() {
  ModalScope modal(state_);
  const auto list = stations();
  QStringList names;
  int current = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    names << QString::fromStdString(list[i].second);
    if (list[i].first == timetable_->data().header.dia.base_target) current = static_cast<int>(i);
  }
  if (names.isEmpty()) return;
  bool ok = false;
  const QString chosen =
      QInputDialog::getItem(this, QString::fromUtf8("基準駅設定"), QString::fromUtf8("基準駅"),
                            names, current, false, &ok);
  const auto index = names.indexOf(chosen);
  if (!ok || index < 0) return;
  if (!timetable_->set_base_station(list[static_cast<std::size_t>(index)].first)) return;
  view_->redraw();
  Q_EMIT edited();
}

void TimetableWindow::search_first_trains() {
  ModalScope modal(state_);
  const auto list = stations();
  if (list.size() < 2) return;
  QDialog dialog(this);
  dialog.setWindowTitle(QString::fromUtf8("先着列車抽出"));
  auto* layout = new QGridLayout(&dialog);
  auto* from = new QComboBox(&dialog);
  auto* to = new QComboBox(&dialog);
  for (const auto& [target, name] : list) {
    from->addItem(QString::fromStdString(name), target);
    to->addItem(QString::fromStdString(name), target);
  }
  to->setCurrentIndex(to->count() - 1);
  layout->addWidget(new QLabel(QString::fromUtf8("出発駅"), &dialog), 0, 0);
  layout->addWidget(from, 0, 1);
  layout->addWidget(new QLabel(QString::fromUtf8("到着駅"), &dialog), 1, 0);
  layout->addWidget(to, 1, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons, 2, 0, 1, 2);
  if (dialog.exec() != QDialog::Accepted || from->currentData() == to->currentData()) return;
  // The search reports its steps in the message window.
  struct Messages : dia::Progress {
    explicit Messages(shell::MessageRing& ring) : ring(ring) {}
    void report(const std::string& text) override { ring.add(sjis::from_utf8_lossy(text)); }
    shell::MessageRing& ring;
  } progress(state_.messages);
  timetable_->search_first_trains(from->currentData().toInt(), to->currentData().toInt(), progress);
  view_->redraw();
}

void TimetableWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Q_EMIT close_requested();
}

}  // namespace vosk::ui
