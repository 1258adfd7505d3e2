#pragma once
// Duties and their formations (編成・仕業設定): placing a duty on its initial
// rail, coupling a formation at the rear and removing it again, editing a
// formation and deleting a duty. Each checks first and returns the exact
// refusal; afterwards the owning units and the series' used counts are
// brought up to date.
#include <string>

#include "dia/dia_tables.h"
#include "dia/edit_result.h"
#include "dia/workings.h"
#include "stock/series.h"

namespace vosk::dia {

struct FormationContext {
  const WorkingsContext& workings;
  stock::SeriesTable& series;
  bool use_electri = false;         // header UseElectri: check the rail's electrification
  bool use_characteristic = false;  // header UseCharacteristic: for the performance comparison
};

// Whether a train of `length` metres stands at `rail`: the rail's stop
// distance (its l_dual's when it has none) and then the rails behind it, one
// by one along l_back, until the train fits; a point track or the end of the
// track before that means it does not.
bool formation_fits(const MapView& map, int rail, int length);

// The duty's formations together.
struct DutySize {
  int length = 0;  // metres
  int cars = 0;
};
DutySize duty_size(const DiaTables& dia, const stock::SeriesTable& series, int train);

// 編集適用: duty `train` is placed on `rail`. Refused when another duty stands
// on the rail or its l_dual rail (配置エラー), when the formations do not fit
// there (編成長エラー), or when the head formation's series cannot run on the
// rail's electrification (電化方式エラー, with UseElectri). When the rail
// changed the duty moves there and its first working is made again from the
// new position (recreate_first_working); declining its question leaves the
// duty where it was.
EditResult place_duty(const FormationContext& ctx, DiaTables& dia, int train, int rail);

// 最後尾編成追加: a formation `name` of series `series` coupled at the rear of
// duty `train`, with a coupled copy of the last formation's working chain.
// Refused when the duty would no longer fit at its initial rail (編成長エラー);
// a difference in performance from the last formation is shown (列車性能確認)
// and the coupling goes ahead. Done names the new unit.
EditResult add_rear_formation(const FormationContext& ctx, DiaTables& dia, int train,
                              const std::string& name, int series);

// 最後尾編成削除: refused for a duty of one formation (操作エラー). The last
// formation's runs are uncoupled from their partners, then "削除する編成のダイ
// ヤを削除しますか？…" (削除確認, Yes/No): Yes deletes its working chain, No
// keeps the runs on no formation. The unit is removed.
EditResult remove_rear_formation(const FormationContext& ctx, DiaTables& dia, int train);

// 情報編集: a formation's name (CP932, cut to the field) and series; a
// difference in performance from the formation ahead (for the head, the one
// behind) is shown (列車性能警告).
EditResult edit_formation(const FormationContext& ctx, DiaTables& dia, int unit,
                          const std::string& name, int series);

// Deletes duty `train` and all its formations after "現在のデータ（%s編成）を
// 削除します。\nよろしいですか？" (操作確認, OK/Cancel); refused for the last
// duty ("これ以上は削除できません。"). Its runs stay, on no formation. The
// duties and units above move down by one.
EditResult delete_duty(const FormationContext& ctx, DiaTables& dia, int train);

}  // namespace vosk::dia
