#pragma once
// 電化方式: whether the series of a run's formation can run on every track of
// its route.
#include <string>

#include "dia/check_context.h"
#include "dia/check_report.h"

namespace vosk::dia {

struct ElectrificationCheck {
  bool ok = true;
  int rail = 0;  // the first rail the series cannot enter
  std::string box_text;  // UTF-8 "電化方式が違います。\n%s(%s %s編成)は%s(%s)から先に入れません。"
};

// Only while `use_electri` is on, for a run in use that is no template and has
// an owning formation: the first event on a track whose system (codes 0 .. 5;
// others are accepted) the series does not support stops the walk. The
// message window gets "電化方式が違います。" and the line naming the place by
// its stopping place (the rail's name outside stopping places); the box text
// names the rail.
ElectrificationCheck check_electrification(const CheckContext& ctx, int n, bool use_electri,
                                           CheckReport& report);

}  // namespace vosk::dia
