#include "map/detail_edit.h"

#include "base/format.h"
#include "base/prompt.h"

namespace vosk::map {
namespace {

DetailEditResult input_error(const char* text, int field) {
  return EditError{caption::kInputDataError, text, field};
}

Detail detail_from(int rail, const DetailInput& input) {
  Detail d;
  d.rail = rail;
  d.start = input.start;
  d.end = input.end;
  d.speed_limit = input.limit_on ? input.speed_limit : 0;
  d.gradient = input.gradient;
  d.radius = input.radius;
  return d;
}

}  // namespace

DetailEditResult check_detail(const DetailInput& input, int rail_length) {
  if (input.start < 0) return input_error("開始位置は、正の値にしてください。\n", kDetailStart);
  if (input.start > rail_length) return input_error("開始位置は、区間長より小さくしてください。\n", kDetailStart);
  if (input.end < 0) return input_error("終了位置は、正の値にしてください。\n", kDetailEnd);
  if (input.end > rail_length) return input_error("終了位置は、区間長より小さくしてください。\n", kDetailEnd);
  if (input.end < input.start) return input_error("開始位置は、終了位置より小さくしてください。\n", kDetailStart);
  return std::nullopt;
}

DetailEditResult add_detail(RecordTable<Detail>& details, int rail, int rail_length,
                            const DetailInput& input) {
  if (auto error = check_detail(input, rail_length)) return error;
  details.grow_to(details.extent() + 1) = detail_from(rail, input);
  return std::nullopt;
}

DetailEditResult replace_detail(RecordTable<Detail>& details, int selected, int rail_length,
                                const DetailInput& input) {
  if (!details.names_record(selected)) {
    return EditError{caption::kOperationError, "置換する項目が選択されていません。\n"};
  }
  if (auto error = check_detail(input, rail_length)) return error;
  details[selected] = detail_from(details[selected].rail, input);
  return std::nullopt;
}

DetailEditResult delete_detail(RecordTable<Detail>& details, int selected) {
  if (!details.names_record(selected)) {
    return EditError{caption::kOperationError, "削除する項目が選択されていません。\n"};
  }
  const int last = details.extent();
  for (int n = selected; n < last; ++n) details[n] = details[n + 1];
  details.shrink_to(last - 1);
  return std::nullopt;
}

std::string detail_list_text(const Detail& d) {
  if (d.speed_limit == 0) {
    return format("%dm-%dm:---km/h %d‰ %dm", d.start, d.end, d.gradient, d.radius);
  }
  return format("%dm-%dm:%3dkm/h %d‰ %dm", d.start, d.end, d.speed_limit, d.gradient, d.radius);
}

}  // namespace vosk::map
