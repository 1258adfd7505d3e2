#include "dia/speed_type.h"

#include <algorithm>

#include "base/format.h"
#include "base/sjis.h"
#include "dia/classification_fields.h"

namespace vosk::dia {
namespace {

enum Column { kNumber, kSeries, kMaxSpeed, kShort, kName };

EditResult check_values(const SpeedType& values) {
  if (values.max_speed < 0) {
    return EditResult::refused(caption::kDataError, "最高速度は正の値しか指定できません。");
  }
  return EditResult::done();
}

void store_values(SpeedType& s, const SpeedType& values) {
  s.measuring_series = values.measuring_series;
  s.max_speed = values.max_speed;
  s.short_name = fit_text(values.short_name, kShortText);
  s.name = fit_text(values.name, kLongText);
}

}  // namespace

SpeedTypeTable default_speed_types(int max_speed) {
  SpeedTypeTable table;
  table.allocate(kMaxSpeedTypes);
  SpeedType& s = table.grow_to(1);
  s.measuring_series = 1;
  s.max_speed = max_speed;
  s.short_name = cp932("標準");
  s.name = s.short_name;
  return table;
}

EditResult check_speed_type_dialog(int series_count) {
  if (series_count <= 0) {
    return EditResult::refused(
        caption::kDataError,
        "形式データが存在しないため操作できません。\n先に、形式の導入を行ってください。\n");
  }
  return EditResult::done();
}

EditResult add_speed_type(SpeedTypeTable& table, const SpeedType& values) {
  if (table.extent() >= kMaxSpeedTypes) {
    return EditResult::refused(caption::kOperationError, "これ以上は追加できません。");
  }
  if (EditResult r = check_values(values); !r.ok()) return r;
  int n = table.extent() + 1;
  store_values(table.grow_to(n), values);
  return EditResult::done(n);
}

EditResult edit_speed_type(SpeedTypeTable& table, int n, const SpeedType& values) {
  if (!table.names_record(n)) {
    return EditResult::refused(caption::kOperationError, "速度種別が存在しません。\n");
  }
  if (EditResult r = check_values(values); !r.ok()) return r;
  store_values(table[n], values);
  return EditResult::done(n);
}

EditResult delete_speed_type(SpeedTypeTable& table, StopTimeList& stop_times, int n, Prompt& prompt,
                             const SpeedTypeUsers& users) {
  if (!table.names_record(n)) {
    return EditResult::refused(caption::kOperationError, "速度種別が存在しません。\n");
  }
  if (table.extent() <= 1) {
    return EditResult::refused(caption::kOperationError, "これ以上は削除できません。");
  }
  if (users.in_use && users.in_use(n)) {
    return EditResult::refused(caption::kOperationError,
                               "この速度種別を適用しているダイヤがあるため、削除できません。");
  }
  std::string question = format("現在のデータ(%s)を削除します。\nよろしいですか？",
                                sjis::to_utf8_lossy(table[n].name).c_str());
  if (!confirmed(prompt, "操作確認", question)) return EditResult::declined();

  remove_record(table, n);
  remove_speed_type_stop_times(stop_times, n);
  if (users.renumber) users.renumber(n);
  return EditResult::done(n <= table.extent() ? n : table.extent());
}

std::string speed_type_user_line(std::string_view train_number, std::string_view type_name,
                                 std::string_view destination_text) {
  return format("%s %s %s", sjis::to_utf8_lossy(train_number).c_str(),
                sjis::to_utf8_lossy(type_name).c_str(),
                sjis::to_utf8_lossy(destination_text).c_str());
}

void read_velocity(std::string_view content, int version, SpeedTypeTable& table,
                   MemberWarnings& warnings) {
  table.allocate(kMaxSpeedTypes);
  if (version < 1070) return;  // made from the series instead
  ColumnLayout layout({0, 0, 0, 0, 0}, version);
  for_each_row(content, layout, warnings, [&](const Row& row) {
    int n = row.integer(kNumber);
    if (!record_number_in_range(n, 1, kMaxSpeedTypes, row, warnings)) return;
    SpeedType& s = table.grow_to(n);
    s.measuring_series = row.integer(kSeries);
    s.max_speed = row.integer(kMaxSpeed);
    s.short_name = row.text(kShort, kShortText);
    s.name = row.text(kName, kLongText);
  });
}

void write_velocity(const SpeedTypeTable& table, csv::Writer& out) {
  for (int n = 1; n <= table.extent(); ++n) {
    const SpeedType& s = table[n];
    out.printf("%2d,", n);
    out.printf("%2d,", s.measuring_series);
    out.printf("%3d,", s.max_speed);
    out.printf("%s,", s.short_name.c_str());
    out.printf("%s", s.name.c_str());
    out.printf("\n");
  }
}

void speed_types_from_series(const std::vector<SeriesSpeedSource>& series, SpeedTypeTable& table) {
  table.allocate(kMaxSpeedTypes);
  // Series beyond the last speed-type slot get no speed type of their own.
  int count = static_cast<int>(std::min<std::size_t>(series.size(), kMaxSpeedTypes));
  for (int n = 1; n <= count; ++n) {
    const SeriesSpeedSource& source = series[static_cast<std::size_t>(n - 1)];
    SpeedType& s = table.grow_to(n);
    s.measuring_series = n;
    s.max_speed = source.max_speed;
    s.short_name = fit_text(source.name, kShortText);
    s.name = fit_text(format("%s %d", source.name.c_str(), source.cars) + cp932("両"), kLongText);
  }
}

}  // namespace vosk::dia
