#pragma once
// Short texts that exist in Japanese and English, picked by the UI language
// at the moment they are used. Message texts are UTF-8.
#include <string>
#include <string_view>

#include "shell/language.h"

namespace vosk::shell {

struct BilingualText {
  const char* japanese;
  const char* english;
  const char* pick(UiLanguage ui) const { return ui == UiLanguage::English ? english : japanese; }
};

namespace text {
// Save question: "%s" is the line naming what happens next (the quit or
// open text below).
inline constexpr BilingualText kSaveQuestionFormat{
    "%s\n現在のダイヤは変更されています。\n現在のデータを保存しますか？",
    "%s\nThe dia has been changed.\nDo you save the dia?"};
inline constexpr BilingualText kQuit{"終了します。", "Quit."};
inline constexpr BilingualText kQuitCaption{"終了確認", "Confirmation of Quiting"};
inline constexpr BilingualText kOpenMap{"マップデータを開きます。", "Open map."};
inline constexpr BilingualText kOpenDia{"ダイヤデータを開きます。", "Open dia."};
inline constexpr BilingualText kOpenCaption{"読み込み確認", "Confirmation of Opening"};
}  // namespace text

// The save question for `next` (e.g. text::kQuit), in the UI language.
std::string save_question(UiLanguage ui, const BilingualText& next);

// Train states shown in status columns.
enum class TrainState {
  Held,              // 抑止
  WaitingToDepart,   // 発車待
  WaitingAtSignal,   // 信号待
  WaitingForRoute,   // 進路待
  ElectricMismatch,  // 電化違
  BeingHeld,         // 抑止中
  WaitingForNotice,  // 通知待
  DepartureBell,     // 発車音
  DoorsClosing,      // ドア閉
  Accelerating,      // 加速中
  Running,           // 走行中
  Braking,           // 減速中
};
inline constexpr int kTrainStateCount = 12;

// The state's text as CP932 bytes for drawing. The English forms are padded
// with spaces to the byte width of the Japanese ones (4 or 6 bytes), so
// status columns line up in either language.
const std::string& train_state_text(TrainState state, UiLanguage ui);

}  // namespace vosk::shell
