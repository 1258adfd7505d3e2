#include "graph/page_dialog.h"

#include <utility>

#include "base/time_text.h"

namespace vosk::graph {
namespace {

bool valid_time(long long t) { return t >= 0 && t <= timetext::kMaxInput; }

}  // namespace

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
