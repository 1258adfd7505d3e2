#include "graph/page_dialog.h"

#include <utility>

#include "base/time_text.h"

namespace vosk::graph {
namespace {

bool valid_time(long long t) { return t >= 0 && t <= timetext::kMaxInput; }

}  // namespace

PageDialogForm page_dialog_form(PageUse use) {
  switch (use) {
    case PageUse::Display:
      return {"表示時刻範囲", false, false, false, false};
    case PageUse::Copy:
      return {"コピー時刻範囲", true, true, false, false};
    case PageUse::Print:
      break;
  }
  return {"印刷時刻範囲", false, false, true, true};
}

PageDialogValues page_dialog_values(const PageSettings& stored, int start, int end, Size client) {
  PageDialogValues v;
  v.page = stored;
  if (v.page.size_x <= 0) v.page.size_x = client.width;
  if (v.page.size_y <= 0) v.page.size_y = client.height;
  v.page.time_left = start;
  v.page.time_right = end;
  v.from_hours = start / 3600;
  v.from_minutes = start / 60 % 60;
  v.to_hours = end / 3600;
  v.to_minutes = end / 60 % 60;
  return v;
}

dia::EditResult accept_page_dialog(const PageDialogValues& values, PageUse use, PageSettings& out) {
  // 64 bits: the fields are whatever integers the user typed.
  const long long from = values.from_hours * 3600LL + values.from_minutes * 60LL;
  const long long to = values.to_hours * 3600LL + values.to_minutes * 60LL;
  if (!valid_time(from) || !valid_time(to))
    return dia::EditResult::refused(caption::kInputDataError,
                                    "時刻が不正です。再設定して下さい。\n");
  if (use == PageUse::Print && values.page.page_size < 1)
    return dia::EditResult::refused(caption::kInputDataError,
                                    "分割数が不正です。再設定して下さい。\n");
  out = values.page;
  out.time_left = static_cast<int>(from);
  out.time_right = static_cast<int>(to);
  if (out.time_left > out.time_right) std::swap(out.time_left, out.time_right);
  return dia::EditResult::done();
}

}  // namespace vosk::graph
