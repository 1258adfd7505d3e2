#include "dia/classification_fields.h"

#include <climits>
#include <optional>

#include "base/format.h"
#include "base/sjis.h"

namespace vosk::dia {

ColumnLayout::ColumnLayout(std::initializer_list<int> since, int version) {
  int next = 0;
  positions_.reserve(since.size());
  for (int first_version : since) positions_.push_back(version >= first_version ? next++ : -1);
}

int Row::integer(std::size_t column, int fallback) const {
  if (!layout_.has(column)) return fallback;
  return line_.integer(layout_.position(column));
}

std::string Row::text(std::size_t column, std::size_t limit) const {
  if (!layout_.has(column)) return {};
  std::string_view raw = line_.raw(layout_.position(column));
  if (raw.size() > limit) warnings_.text_too_long(line_number_);
  return std::string(sjis::cut(raw, limit));
}

int Row::seconds_hms(std::size_t hours_column) const {
  long long t =
      3600LL * integer(hours_column) + 60LL * integer(hours_column + 1) + integer(hours_column + 2);
  if (t > INT_MAX) return INT_MAX;
  if (t < INT_MIN) return INT_MIN;
  return static_cast<int>(t);
}

bool record_number_in_range(int number, int first, int last, const Row& row,
                            MemberWarnings& warnings) {
  if (number >= first && number <= last) return true;
  warnings.record_out_of_range(row.line_number(), number);
  return false;
}

std::string profile_text(const ini::Document& doc, std::string_view section, std::string_view key,
                         std::string_view fallback, std::size_t limit, MemberWarnings& warnings) {
  std::optional<std::string> value = doc.find(section, key);
  std::string_view v = value ? std::string_view(*value) : fallback;
  if (v.size() > limit) {
    warnings.warn(format("'%s'の[%s]%sの文字列が長すぎるため切り詰めました。\n",
                         warnings.member().c_str(), sjis::to_utf8_lossy(section).c_str(),
                         sjis::to_utf8_lossy(key).c_str()));
  }
  return std::string(sjis::cut(v, limit));
}

std::string fit_text(std::string_view text, std::size_t limit) {
  return std::string(sjis::cut(text, limit));
}

std::string cp932(std::string_view utf8) { return sjis::from_utf8_lossy(utf8); }

}  // namespace vosk::dia
