// The train graph window's settings, paper and export commands: the three
// uses of the page-setting dialog, printer setup, the font and line style
// dialogs, the toolbar, the clipboard copy and the WinDIA export.
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QUrl>

#include "base/svg_surface.h"
#include "base/text_file.h"
#include "exchange/windia_export.h"
#include "graph/graph_settings_file.h"
#include "ui/font_convert.h"
#include "ui/fonts.h"
#include "ui/graph_window.h"
#include "ui/line_style_dialog.h"
#include "ui/page_setting_dialog.h"
#include "ui/qpainter_surface.h"

namespace vosk::ui {
namespace {

constexpr const char* kExportFilterJapanese = "ダイヤデータファイル(*.dia)|*.dia||";
constexpr const char* kExportFilterEnglish = "WinDIA Data File(*.dia)|*.dia||";
constexpr const char* kWriteErrorCaption = "ファイル書き込みエラー";
constexpr const char* kWriteError = "書き込みファイル'%1'は開けませんでした。\n";
// The commands that only print mode offers.
constexpr int kPrintItems[] = {kGraphPrintPageSetup, kGraphPaperSetup, kGraphPrint};

ini::Document settings_of(const EditorState& state) {
  return ini::Document::load_or_empty(state.start.files.settings_file);
}

}  // namespace

void GraphWindow::build_file_menu(QMenu& file) {
  const auto add = [this](QMenu* menu, int id, const char* text, auto slot) {
    return actions_.add(menu, id, text, this, slot);
  };
  add(&file, kGraphExport, "エクスポート(&E)", [this] { export_windia(); });
  add(&file, kGraphOpenExportFolder, "出力フォルダを参照(&F)", [this] {
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QFile::decodeName(state_.start.folders.export_wdia.c_str())));
  });
  file.addSeparator();
  add(&file, kGraphPrintPageSetup, "印刷ページ設定(&P)", [this] { edit_print_page(); });
  add(&file, kGraphPaperSetup, "用紙設定(&S)", [this] { setup_paper(); });
  add(&file, kGraphPrint, "印刷(&I)", [this] { print(); });
  file.addSeparator();
  add(&file, kGraphCopy, "クリップボードにコピー(&C)", [this] { copy_to_clipboard(); });
}

void GraphWindow::build_settings_items(QMenu& view) {
  const auto add = [this](QMenu* menu, int id, const char* text, auto slot) {
    return actions_.add(menu, id, text, this, slot);
  };
  view.addSeparator();
  add(&view, kGraphDisplayPageSetup, "表示ページ設定(&P)", [this] { edit_display_page(); });
  add(&view, kGraphFont, "フォント設定(&F)", [this] { choose_graph_font(); });
  add(&view, kGraphLineStyles, "線種・配色設定(&L)", [this] { edit_line_styles(); });
  add(&view, kGraphToolBar, "ツールバー表示(&T)", [this] {
    toggle_tool_bar();
  })->setCheckable(true);
}

// The toolbar offers the window's own actions, so it follows their enabling
// (the print items only in print mode) and check marks.
void GraphWindow::build_tool_bar() {
  tool_bar_ = new QToolBar(view_);
  tool_bar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  tool_bar_->setFixedHeight(graph::kToolBarHeight);
  tool_bar_->setAutoFillBackground(true);
  for (int id : {kGraphPrevious, kGraphNext}) tool_bar_->addAction(action(id));
  tool_bar_->addSeparator();
  for (int id : {kGraphModeEdit, kGraphModePrint, kGraphModeDisplayTarget})
    tool_bar_->addAction(action(id));
  tool_bar_->addSeparator();
  for (int id : {+kGraphPrintPageSetup, +kGraphPrint, +kGraphCopy})
    tool_bar_->addAction(action(id));
  view_->set_tool_bar(tool_bar_);
  tool_bar_->setGeometry(0, 0, view_->width(), graph::kToolBarHeight);
}

void GraphWindow::show_tool_bar() {
  tool_bar_->setVisible(graph_->settings().view.view_toolbar);
  update_settings_marks();
}

void GraphWindow::update_settings_marks() {
  const bool print_mode = graph_->mode() == graph::GraphMode::Print;
  for (int id : kPrintItems) action(id)->setEnabled(print_mode);
  action(kGraphToolBar)->setChecked(graph_->settings().view.view_toolbar);
}

void GraphWindow::toggle_tool_bar() {
  bool& shown = graph_->settings().view.view_toolbar;
  shown = !shown;
  show_tool_bar();
  graph_->mark_dirty();  // the plot's top moves
  view_->redraw();
}

std::optional<graph::PageSettings> GraphWindow::page_dialog(graph::PageUse use) {
  const graph::PageSettings stored = graph::load_page_settings(settings_of(state_), use);
  const graph::PageDialogValues values = graph::page_dialog_values(
      stored, graph_->start_time(), graph_->end_time(), {view_->width(), view_->height()});
  graph::PageSettings chosen;
  {
    ModalScope modal(state_);
    PageSettingDialog dialog(use, values, prompt_, state_.ui(), this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    chosen = dialog.page_settings();
  }
  update_settings_file(state_.start.files, [&](ini::Document& doc) {
    graph::save_page_settings(doc, use, chosen);
    return true;
  });
  return chosen;
}

void GraphWindow::edit_display_page() {
  const std::optional<graph::PageSettings> display = page_dialog(graph::PageUse::Display);
  if (!display) return;
  graph_->set_time_range(display->time_left, display->time_right);
  view_->set_margins(*display);
  graph_->mark_dirty();
  view_->redraw();
}

void GraphWindow::edit_print_page() {
  if (graph_->mode() != graph::GraphMode::Print) return;
  const std::optional<graph::PageSettings> print = page_dialog(graph::PageUse::Print);
  if (!print) return;
  graph_->set_time_range(print->time_left, print->time_right);
  graph_->mark_dirty();
  view_->redraw();
}

void GraphWindow::setup_paper() {
  if (graph_->mode() != graph::GraphMode::Print) return;
  ModalScope modal(state_);
  QPageSetupDialog dialog(&printer_, this);
  dialog.exec();  // the printer keeps what was chosen
}

void GraphWindow::choose_graph_font() {
  shell::FontRecord& record = graph_->settings().font;
  std::optional<Font> chosen;
  {
    ModalScope modal(state_);
    chosen = choose_font(this, shell::drawing_font(record), view_->logicalDpiY());
  }
  if (!chosen) return;
  record = font_record_from(*chosen, record);
  graph_->mark_dirty();  // the header and the name column follow the font
  view_->redraw();
}

void GraphWindow::edit_line_styles() {
  bool changed = false;
  {
    ModalScope modal(state_);
    LineStyleDialog dialog(graph_->settings().line_styles, state_.ui(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    changed = dialog.changed();
  }
  if (changed) view_->redraw();
}

void GraphWindow::copy_to_clipboard() {
  const std::optional<graph::PageSettings> copy = page_dialog(graph::PageUse::Copy);
  if (copy) copy_picture(*copy);
}

void GraphWindow::copy_picture(const graph::PageSettings& copy) {
  const Size size{copy.size_x > 0 ? copy.size_x : view_->width(),
                  copy.size_y > 0 ? copy.size_y : view_->height()};
  const Rect plot = graph::window_plot(size, copy, graph_->settings().view.view_toolbar);
  const graph::PageRange range{copy.time_left, copy.time_right};
  auto* mime = new QMimeData;
  if (copy.type == 1) {
    // The vector picture of this platform stands for the enhanced metafile.
    SvgSurface svg(size, view_->logicalDpiY());
    draw_page(svg, plot, range, {0, 0, false});
    mime->setData(QStringLiteral("image/svg+xml"), QByteArray::fromStdString(svg.document()));
  } else {
    QImage bitmap(size.width, size.height, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    {
      QPainter painter(&bitmap);
      QPainterSurface surface(painter);
      draw_page(surface, plot, range, {0, 0, false});
    }
    mime->setImageData(bitmap);
  }
  QGuiApplication::clipboard()->setMimeData(mime);
  view_->redraw();
}

void GraphWindow::export_windia() {
  FileDialogRequest request;
  request.filter =
      QString::fromUtf8(state_.english() ? kExportFilterEnglish : kExportFilterJapanese);
  request.default_suffix = QStringLiteral("dia");
  request.folder = QFile::decodeName(state_.start.folders.export_wdia.c_str());
  std::optional<std::string> path;
  {
    ModalScope modal(state_);
    path = files_->save_file(this, request);
  }
  if (!path) return;
  exchange::WindiaExportOptions options;
  options.display_target = graph_->display_target();
  options.view_pass = graph_->settings().view.view_pass;
  const std::string bytes = exchange::export_windia(data_, options);
  if (!textfile::write_binary_atomic(*path, bytes)) {
    ModalScope modal(state_);
    const QString text = QString::fromUtf8(kWriteError).arg(QFile::decodeName(path->c_str()));
    prompt_.tell(kWriteErrorCaption, text.toStdString());
  }
  view_->redraw();
}

}  // namespace vosk::ui
