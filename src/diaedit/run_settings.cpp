#include "diaedit/run_settings.h"

#include "base/format.h"
#include "base/sjis.h"
#include "dia/auto_timing.h"
#include "dia/dia_operations.h"
#include "dia/pattern_apply.h"

namespace vosk::diaedit {
namespace {

using dia::EditResult;
using Field = RunSettingsField;

RunSettingsCheck refuse(Field field, const std::string& text) {
  return {field, EditResult::refused(caption::kInputDataError, text)};
}

// The record texts are written between commas, one run a line: a comma or a
// line break in them would split the record when the file is read again.
bool writable(const std::string& text) { return text.find_first_of(",\r\n") == std::string::npos; }

std::optional<RunSettingsCheck> check_text(const std::string& text, std::size_t limit, Field field,
                                           const char* label) {
  if (!writable(text)) {
    return refuse(field, format("%sに「,」（カンマ）や改行は使用できません。\n", label));
  }
  if (text.size() > limit) {
    return refuse(field, format("%sが長すぎます。半角%zu文字（全角%zu文字）までです。\n", label,
                                limit, limit / 2));
  }
  return std::nullopt;
}

}  // namespace

RunSettings run_settings_of(const dia::Diagram& d) {
  RunSettings s;
  s.train_number = d.train_number;
  s.train_type = d.train_type;
  s.speed_type = d.speed_type;
  s.destination = d.destination;
  s.destination_text = d.destination_text;
  s.crew = d.crew;
  s.nickname = d.nickname;
  s.car_number = d.car_number;
  s.remarks = d.remarks;
  s.follow_coupled = d.follow_coupled != 0;
  return s;
}

std::vector<DestinationChoice> destination_choices(const datafiles::DataSet& data) {
  const auto& targets = data.map.targets;
  const auto& stations = data.map.stations;
  std::vector<DestinationChoice> out;
  for (int s = 1; s <= stations.extent(); ++s) {
    int target = 0;
    for (int t = 1; t <= targets.extent() && target == 0; ++t)
      if (targets[t].station == s) target = t;
    if (target == 0) continue;  // a station no run can stop at
    const std::string& name = stations[s].name.empty() ? stations[s].short_name : stations[s].name;
    out.push_back({target, sjis::to_utf8_lossy(name),
                   std::string(sjis::cut(name, dia::kDestinationTextBytes))});
  }
  return out;
}

RunSettingsCheck check_run_settings(const datafiles::DataSet& data, int n, const RunSettings& v) {
  if (auto r = check_text(v.train_number, dia::kTrainNumberBytes, Field::TrainNumber, "列車番号"))
    return *r;
  // A temporary dia has no train type and may keep it that way.
  const bool typeless =
      v.train_type == 0 && dia::is_temporary(data.dia, n) && data.dia.diagrams[n].train_type == 0;
  if (!typeless && !data.classification.train_types.names_record(v.train_type))
    return refuse(Field::TrainType, "列車種別が不正です。再設定して下さい。\n");
  if (!data.classification.speed_types.names_record(v.speed_type))
    return refuse(Field::SpeedType, "速度種別が不正です。再設定して下さい。\n");
  if (v.destination > 0 && !data.map.targets.names_record(v.destination))
    return refuse(Field::Destination, "行先が不正です。再設定して下さい。\n");
  if (auto r = check_text(v.destination_text, dia::kDestinationTextBytes, Field::DestinationText,
                          "行先表示"))
    return *r;
  if (v.crew < 0 || v.crew > kMaxCrew)
    return refuse(Field::Crew, format("車掌の人数は0（ワンマン）から%d人までです。\n", kMaxCrew));
  if (auto r = check_text(v.nickname, dia::kNicknameBytes, Field::Nickname, "愛称")) return *r;
  if (v.car_number < 0 || v.car_number > kMaxCarNumber)
    return refuse(Field::CarNumber, format("号数は0（なし）から%dまでです。\n", kMaxCarNumber));
  if (auto r = check_text(v.remarks, dia::kRemarksBytes, Field::Remarks, "備考")) return *r;
  return {};
}

EditResult apply_run_settings(EditTools& tools, int n, const RunSettings& v, bool change_stop_pass,
                              RunSettingsField* field) {
  auto& diagrams = tools.dia().diagrams;
  if (!diagrams.names_record(n) || !diagrams[n].in_use()) return EditResult::declined();
  const RunSettingsCheck check = check_run_settings(tools.data(), n, v);
  if (field) *field = check.field;
  if (!check.result.ok()) return check.result;

  dia::Diagram& d = diagrams[n];
  const int old_train_type = d.train_type;
  const int old_speed_type = d.speed_type;
  d.train_number = v.train_number;
  d.train_type = v.train_type;
  d.speed_type = v.speed_type;
  if (v.destination > 0) {
    d.destination = v.destination;
  } else if (d.destination > 0) {
    d.destination = -d.destination;  // free text: keep the last target, negated
  }
  d.destination_text = v.destination_text;
  d.crew = v.crew;
  d.nickname = v.nickname;
  d.car_number = v.car_number;
  d.remarks = v.remarks;
  d.follow_coupled = v.follow_coupled ? 1 : 0;

  dia::measure_after_settings_dialog(tools.dia(), n, tools.timing(), old_train_type, old_speed_type,
                                     change_stop_pass);
  dia::mark_pattern_users(tools.dia(), n);
  dia::propagate_to_coupled(tools.dia(), n);
  return EditResult::done(n);
}

}  // namespace vosk::diaedit
