#include "shell/texts.h"

#include <array>

#include "base/format.h"
#include "base/sjis.h"

namespace vosk::shell {
namespace {

constexpr BilingualText kTrainStates[kTrainStateCount] = {
    {"抑止", "Susp"},     {"発車待", "Wait  "}, {"信号待", "Signal"}, {"進路待", "Route "},
    {"電化違", "Elec  "}, {"抑止中", "InSusp"}, {"通知待", "Notice"}, {"発車音", "InBell"},
    {"ドア閉", "Close "}, {"加速中", "Accel "}, {"走行中", "Run   "}, {"減速中", "Decel "},
};

struct TrainStateTexts {
  std::array<std::string, kTrainStateCount> japanese;
  std::array<std::string, kTrainStateCount> english;
  TrainStateTexts() {
    for (int i = 0; i < kTrainStateCount; ++i) {
      japanese[static_cast<std::size_t>(i)] = sjis::from_utf8_lossy(kTrainStates[i].japanese);
      english[static_cast<std::size_t>(i)] = kTrainStates[i].english;
    }
  }
};

}  // namespace

std::string save_question(UiLanguage ui, const BilingualText& next) {
  return format(text::kSaveQuestionFormat.pick(ui), next.pick(ui));
}

const std::string& train_state_text(TrainState state, UiLanguage ui) {
  static const TrainStateTexts texts;
  auto i = static_cast<std::size_t>(state);
  return ui == UiLanguage::English ? texts.english.at(i) : texts.japanese.at(i);
}

}  // namespace vosk::shell
