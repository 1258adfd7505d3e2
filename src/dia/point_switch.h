#pragma once
// ポイント切替: a point on a run's route set to its next branch, and the route
// built again from there.
#include <cstddef>

#include "dia/dia_tables.h"
#include "dia/edit_result.h"
#include "dia/route_context.h"

namespace vosk::dia {

// Event i of run n is a point entry: its rail is replaced by the next rail,
// in cyclic rail-number order, that follows the same rail, and the route is
// built on from there; branches without a way on are passed over. Refused:
// a run with an applied pattern ("ダイヤパターンが適用されているダイヤのポイントの
// 変更はできません。", 操作エラー); no branch giving a route ("ポイントを切り替え
// た場合に、経路が見つかりません。", ポイントエラー); a run that couples at its end
// and would end on another rail ("ポイントを切り替えた場合に、併結できません。",
// 併結エラー). Refusals leave the dia as it was. On success the follow-up
// relinks and re-times the run from the point on. Declined for an event that
// is no point entry.
EditResult switch_point(const RouteContext& ctx, DiaTables& dia, int n, std::size_t i);

}  // namespace vosk::dia
