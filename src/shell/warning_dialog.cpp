#include "shell/warning_dialog.h"

namespace vosk::shell {

WarningFieldStates warning_field_states(int type) {
  if (type >= kWarningPopup && type <= kWarningInformation) return {true, false};
  if (type == kWarningUserSound) return {true, true};
  return {false, false};
}

WarningDialog::WarningDialog(WarningSettings& settings, int first_event)
    : settings_(settings), selected_(first_event), edit_(settings[first_event]) {}

bool WarningDialog::store(Prompt& prompt) {
  if (edit_.delay < 0) {
    prompt.tell(caption::kDataError, warning_dialog_text::kNegativeDelay);
    return false;
  }
  settings_[selected_] = edit_;
  return true;
}

bool WarningDialog::select(int event, Prompt& prompt) {
  if (event < 1 || event >= kWarningEventCount) return false;
  if (!store(prompt)) return false;
  selected_ = event;
  edit_ = settings_[event];
  return true;
}

std::string WarningDialog::browse_initial_name(const std::string& sound_folder) const {
  if (!edit_.wav_file.empty()) return edit_.wav_file;
  return sound_folder + "warning/.wav";
}

void WarningDialog::choose_wav(std::string wav_file) {
  edit_.wav_file = std::move(wav_file);
  edit_.type = kWarningUserSound;
}

bool WarningDialog::test(PopupWarnings& popups, int clock_time) const {
  return fire(edit_, warning_dialog_text::kTestText, clock_time, popups);
}

bool WarningDialog::clear_all_popups(Prompt& prompt) {
  if (prompt.ask(kClearPopupsCaption, kClearPopupsQuestion, Buttons::YesNo) != Answer::Yes)
    return false;
  popups_to_beep(settings_, false);
  if (edit_.type == kWarningPopup) edit_.type = kWarningBeep;
  return true;
}

bool WarningDialog::save(Prompt& prompt, ini::Document& settings_file) {
  if (!store(prompt)) return false;
  settings_.save_event(settings_file, selected_);
  return true;
}

bool WarningDialog::keep_temporarily(Prompt& prompt) { return store(prompt); }

}  // namespace vosk::shell
