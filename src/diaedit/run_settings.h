#pragma once
// The train information of one run as the dia settings dialog (情報) edits
// it: number, types, destination, crew, nickname and remarks. The operation
// checks every value first and names the field in error; once stored, the
// coupled runs take the information, the users of an edited pattern template
// are marked and the run is measured again where its types changed.
#include <string>
#include <vector>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "dia/edit_result.h"
#include "diaedit/edit_tools.h"

namespace vosk::diaedit {

// Texts are CP932 bytes, as the records keep them.
struct RunSettings {
  std::string train_number;
  int train_type = 1;
  int speed_type = 1;
  // > 0: the target chosen as destination; otherwise the text is free and
  // the value is kept as it was (the last automatic target, negated).
  int destination = 0;
  std::string destination_text;
  int crew = 1;  // 0 one-man, 1 .. 10 conductors
  std::string nickname;
  int car_number = 0;  // the "号" number, 0 = none
  std::string remarks;
  bool follow_coupled = true;  // 併結列車一括指定
};

enum class RunSettingsField {
  None,
  TrainNumber,
  TrainType,
  SpeedType,
  Destination,
  DestinationText,
  Crew,
  Nickname,
  CarNumber,
  Remarks,
};

inline constexpr int kMaxCrew = 10;
inline constexpr int kMaxCarNumber = 999;

RunSettings run_settings_of(const dia::Diagram& d);

// One entry of the destination chooser: the stations in station-number
// order, each standing for the first target of that station.
struct DestinationChoice {
  int target = 0;
  std::string label;  // UTF-8 station name
  std::string text;   // CP932 station name cut to the destination text's room
};
std::vector<DestinationChoice> destination_choices(const datafiles::DataSet& data);

// The first value a run cannot take, with its refusal (入力データエラー);
// None and Done when all can be stored.
struct RunSettingsCheck {
  RunSettingsField field = RunSettingsField::None;
  dia::EditResult result = dia::EditResult::done();
};
RunSettingsCheck check_run_settings(const datafiles::DataSet& data, int n,
                                    const RunSettings& values);

// Stores the values into run n. `change_stop_pass` is the dialog's
// "種別変更時停通自動設定". Refused (nothing changed) with the field in `field`.
dia::EditResult apply_run_settings(EditTools& tools, int n, const RunSettings& values,
                                   bool change_stop_pass, RunSettingsField* field = nullptr);

}  // namespace vosk::diaedit
