#pragma once
// The warning settings dialog ("警告設定") without its widgets: which event
// is selected, the edited fields, their states, validation and the commands.
// The dialog edits the live settings: choosing another event stores the
// edits of the one left.
#include <string>

#include "base/ini.h"
#include "base/prompt.h"
#include "shell/popup_warnings.h"
#include "shell/warnings.h"

namespace vosk::shell {

namespace warning_dialog_text {
inline constexpr const char* kCaption = "警告設定";
inline constexpr const char* kDelayLabel = "警告開始時間";
inline constexpr const char* kDelayUnit = "秒後";
inline constexpr const char* kWavLabel = "ユーザ設定警告音　ＷＡＶファイル";
inline constexpr const char* kBrowse = "参照(&B)";
inline constexpr const char* kTest = "警告テスト(&T)";
inline constexpr const char* kClearPopups = "ポップアップ警告の全解除(&A)";
inline constexpr const char* kSave = "設定保存";
inline constexpr const char* kTemporary = "一時変更";
inline constexpr const char* kTemporaryNote = "一時変更はダイヤデータ読み込み時まで有効です。";
// Open dialog of the browse button: file must exist.
inline constexpr const char* kWavFilter = "ＷＡＶファイル(*.wav)|*.wav||";
inline constexpr const char* kWavDefaultExtension = "wav";
inline constexpr const char* kTestText = "ここに警告内容が表示されます。";
inline constexpr const char* kNegativeDelay = "時間は正の値しか指定できません。";
}  // namespace warning_dialog_text

// Which fields the user may edit for a type: 0 neither, 1-6 the delay,
// 7 the delay and the WAV path. A type outside 0-7 allows neither.
struct WarningFieldStates {
  bool delay_editable = false;
  bool wav_editable = false;
};
WarningFieldStates warning_field_states(int type);

class WarningDialog {
 public:
  // Opens on `first_event` (1-9).
  explicit WarningDialog(WarningSettings& settings, int first_event = 1);

  int selected() const { return selected_; }
  // The selected event's fields as edited so far.
  WarningSetting& edit() { return edit_; }
  const WarningSetting& edit() const { return edit_; }
  WarningFieldStates field_states() const { return warning_field_states(edit_.type); }

  // Chooses another event (1-9): the edits of the current one are checked
  // and stored first. On a negative delay tells the data error and stays.
  bool select(int event, Prompt& prompt);

  // Initial name of the browse dialog: the WAV path, or when empty
  // `sound_folder` (with its trailing '/') + "warning/.wav".
  std::string browse_initial_name(const std::string& sound_folder) const;
  // A file chosen by browsing: sets the path and type 7.
  void choose_wav(std::string wav_file);

  // "警告テスト": fires the edited fields with the test text.
  bool test(PopupWarnings& popups, int clock_time) const;

  // "ポップアップ警告の全解除": asks (Yes/No, "解除確認"); Yes turns every
  // popup event into a beep, the edited fields included. In memory only.
  bool clear_all_popups(Prompt& prompt);

  // "設定保存": checks and stores the edits and writes the selected event's
  // section. True when done: the caller stops any sound, closes the popup
  // window and the dialog. On a negative delay nothing is stored or written.
  bool save(Prompt& prompt, ini::Document& settings_file);

  // "一時変更": checks and stores the edits in memory only. True when the
  // dialog may close.
  bool keep_temporarily(Prompt& prompt);

 private:
  bool store(Prompt& prompt);

  WarningSettings& settings_;
  int selected_;
  WarningSetting edit_;
};

}  // namespace vosk::shell
