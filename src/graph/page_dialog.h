#pragma once
// The page-setting dialog ("コピー設定") shared by display, copy and print:
// the values it collects are checked here before they are stored.
#include "dia/edit_result.h"
#include "graph/graph_settings.h"

namespace vosk::graph {

struct PageDialogValues {
  PageSettings page;  // margins, type, sizes and page count as entered
  int from_hours = 0, from_minutes = 0;
  int to_hours = 0, to_minutes = 0;
};

// Each time must lie in 0:00 .. 28:00 and, for print, the page count must
// be at least 1; otherwise the refusal the dialog shows (and stays open
// with). On success `out` holds the values with the two times ordered.
dia::EditResult accept_page_dialog(const PageDialogValues& values, PageUse use, PageSettings& out);

}  // namespace vosk::graph
