#pragma once
// The page-setting dialog ("コピー設定") shared by display, copy and print:
// what each use offers, the values it opens with, and the checks made before
// they are stored.
#include "base/surface.h"
#include "dia/edit_result.h"
#include "graph/graph_settings.h"

namespace vosk::graph {

struct PageDialogValues {
  PageSettings page;  // margins, type, sizes and page count as entered
  int from_hours = 0, from_minutes = 0;
  int to_hours = 0, to_minutes = 0;
};

// What the dialog offers for one use. Display keeps the window's own size,
// format and a single page; copy has no pages; print has paper instead of a
// picture size and its margins are millimetres.
struct PageDialogForm {
  const char* range_caption;  // "表示時刻範囲", "コピー時刻範囲", "印刷時刻範囲"
  bool size_enabled;
  bool type_enabled;
  bool pages_enabled;
  bool margins_in_mm;
};

PageDialogForm page_dialog_form(PageUse use);

// The dialog's fields for the stored settings of a use, with the window's
// current range (to the minute) and, where no picture size is stored, the
// window's client size.
PageDialogValues page_dialog_values(const PageSettings& stored, int start, int end, Size client);

// Each time must lie in 0:00 .. 28:00 and, for print, the page count must
// be at least 1; otherwise the refusal the dialog shows (and stays open
// with). On success `out` holds the values with the two times ordered.
dia::EditResult accept_page_dialog(const PageDialogValues& values, PageUse use, PageSettings& out);

}  // namespace vosk::graph
