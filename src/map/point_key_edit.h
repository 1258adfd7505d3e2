#pragma once
// The point key dialog's edit: a new key for one point, checked against
// every other point's key before it is stored.
#include <optional>
#include <string_view>

#include "base/record_table.h"
#include "map/edit_error.h"
#include "map/point.h"

namespace vosk::map {

// `key` (CP932) is cut to the field's 20 bytes first, so the key checked is
// the key stored. On refusal nothing changes.
std::optional<EditError> edit_point_key(RecordTable<Point>& points, int point, std::string_view key);

}  // namespace vosk::map
