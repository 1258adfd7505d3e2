#pragma once
// Point keys (ポイントキー): the names by which the user and the interlocking
// refer to points. Keys compare without regard to letter case, and no key
// may be a prefix of another, so that typing a key names one point.
#include <optional>
#include <string_view>

#include "base/record_table.h"
#include "map/edit_error.h"
#include "map/point.h"

namespace vosk::map {

inline constexpr const char* kPointKeyCaption = "ポイントキー設定エラー";

// Checks `key` (CP932) as the new key of point `point` against the keys of
// every other point. An empty key is refused as not set.
std::optional<EditError> check_point_key(const RecordTable<Point>& points, int point,
                                         std::string_view key);

}  // namespace vosk::map
