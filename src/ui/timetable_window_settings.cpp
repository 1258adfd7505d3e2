// The timetable window's page, paper, font and fill colour commands, with
// the dialogs the train graph uses.
#include <QMenu>
#include <QPageSetupDialog>

#include "graph/graph_settings_file.h"
#include "graph/page_dialog.h"
#include "ui/font_convert.h"
#include "ui/fonts.h"
#include "ui/line_style_dialog.h"
#include "ui/page_setting_dialog.h"
#include "ui/timetable_window.h"
#include "ui/window_geometry.h"

namespace vosk::ui {

void TimetableWindow::build_print_items(QMenu& file) {
  const auto add = [this](QMenu* menu, int id, const char* text, auto slot) {
    return actions_.add(menu, id, text, this, slot);
  };
  add(&file, kTimetablePrintPageSetup, "印刷ページ設定", [this] { edit_print_page(); });
  add(&file, kTimetablePaperSetup, "用紙設定", [this] { setup_paper(); });
  add(&file, kTimetablePrint, "印刷", [this] { print(); });
}

void TimetableWindow::build_settings_items(QMenu& view) {
  const auto add = [this](QMenu* menu, int id, const char* text, auto slot) {
    return actions_.add(menu, id, text, this, slot);
  };
  view.addSeparator();
  add(&view, kTimetableFont, "フォント設定(&F)", [this] { choose_timetable_font(); });
  add(&view, kTimetableFills, "線種・配色設定(&L)", [this] { edit_fills(); });
}

// The timetable has no time range of its own: the dialog shows the one the
// print section keeps, and OK stores margins and pages for printing.
void TimetableWindow::edit_print_page() {
  const ini::Document file = ini::Document::load_or_empty(state_.start.files.settings_file);
  const graph::PageSettings stored = graph::load_page_settings(file, graph::PageUse::Print);
  const graph::PageDialogValues values = graph::page_dialog_values(
      stored, stored.time_left, stored.time_right, {view_->width(), view_->height()});
  graph::PageSettings chosen;
  {
    ModalScope modal(state_);
    PageSettingDialog dialog(graph::PageUse::Print, values, prompt_, state_.ui(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    chosen = dialog.page_settings();
  }
  update_settings_file(state_.start.files, [&](ini::Document& doc) {
    graph::save_page_settings(doc, graph::PageUse::Print, chosen);
    return true;
  });
}

void TimetableWindow::setup_paper() {
  ModalScope modal(state_);
  QPageSetupDialog dialog(&printer_, this);
  dialog.exec();  // the printer keeps what was chosen
}

void TimetableWindow::choose_timetable_font() {
  std::optional<Font> chosen;
  {
    ModalScope modal(state_);
    chosen = choose_font(this, shell::drawing_font(font_record_), view_->logicalDpiY());
  }
  if (!chosen) return;
  font_record_ = font_record_from(*chosen, font_record_);
  Font font = shell::drawing_font(font_record_);
  font.height = 0;  // from the point size on each surface, screen or printer
  timetable_->set_font(font);
  view_->redraw();
}

void TimetableWindow::edit_fills() {
  std::vector<shell::LineStyle> entries = fills();
  {
    ModalScope modal(state_);
    LineStyleDialog dialog(entries, state_.ui(), this);
    if (dialog.exec() != QDialog::Accepted || !dialog.changed()) return;
  }
  for (const shell::LineStyle& f : entries) timetable_->set_fill(f.id, {f.red, f.green, f.blue});
  view_->redraw();
}

}  // namespace vosk::ui
