#include "map/point_key.h"

#include <string>

#include "base/format.h"
#include "base/prompt.h"
#include "base/sjis.h"

namespace vosk::map {
namespace {

// ASCII letters folded to lower case; the second byte of a double-byte
// character is left alone, as it may fall in the letter range.
std::string folded(std::string_view key) {
  std::string out(key);
  for (std::size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (sjis::is_lead_byte(c)) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return out;
}

EditError key_in_use() {
  return {kPointKeyCaption, "このポイントキーは、既に設定されているため使用できません。\n"};
}

EditError key_overlaps(std::string_view other) {
  return {kPointKeyCaption,
          format("このポイントキーは、既に設定されている%sと重複するため使用できません。\n",
                 sjis::to_utf8_lossy(other).c_str())};
}

}  // namespace

std::optional<EditError> check_point_key(const RecordTable<Point>& points, int point,
                                         std::string_view key) {
  if (key.empty())
    return EditError{caption::kInputDataError, "ポイントキーが設定されていません。\n"};
  std::string k = folded(key);
  for (int q = 1; q <= points.extent(); ++q) {
    if (q == point || points[q].key.empty()) continue;
    std::string other = folded(points[q].key);
    // The other key is the new key or a prefix of it.
    if (other.size() <= k.size() && k.compare(0, other.size(), other) == 0) {
      return other.size() == k.size() ? key_in_use() : key_overlaps(points[q].key);
    }
    // The new key is a prefix of the other key.
    if (other.compare(0, k.size(), k) == 0) return key_overlaps(points[q].key);
  }
  return std::nullopt;
}

}  // namespace vosk::map
