#include "map/point_key_edit.h"

#include <string>

#include "base/prompt.h"
#include "base/sjis.h"
#include "map/member_columns.h"
#include "map/point_key.h"

namespace vosk::map {

std::optional<EditError> edit_point_key(RecordTable<Point>& points, int point,
                                        std::string_view key) {
  if (!points.names_record(point)) {
    return EditError{caption::kOperationError, "指定されたレコードが存在しません。\n"};
  }
  const std::string cut(sjis::cut(key, kShortTextBytes));
  if (auto error = check_point_key(points, point, cut)) return error;
  points[point].key = cut;
  return std::nullopt;
}

}  // namespace vosk::map
