#pragma once
// Warning settings: how each kind of operating warning is announced (popup,
// system sound, user sound or nothing) and after what delay. One section of
// korv.ini per event, WE_ACC_ON ... WE_REPEAT, keys type, delay, wav_file.
// The settings are read again at every successful dia read, so a change
// kept only in memory lasts until then.
#include <array>
#include <optional>
#include <span>
#include <string>

#include "base/ini.h"
#include "base/prompt.h"

namespace vosk::shell {

enum class WarningEvent : int {
  None = 0,           // WE_NONE, never loaded or shown
  AccidentOn = 1,     // WE_ACC_ON: operation disrupted
  AccidentOff = 2,    // WE_ACC_OFF: disruption cleared
  SignalWait = 3,     // WE_REP
  RouteWait = 4,      // WE_ROUTE
  NoticeWait = 5,     // WE_NOTICE
  StopSignal = 6,     // WE_ATC
  RouteUnknown = 7,   // WE_TARGET
  RouteNotSet = 8,    // WE_LEVER
  TrackRepeated = 9,  // WE_REPEAT: track number duplicated
};
inline constexpr int kWarningEventCount = 10;

// Warning types, in the order of the dialog's list.
enum WarningType : int {
  kWarningNone = 0,
  kWarningPopup = 1,
  kWarningBeep = 2,  // Windows default beep
  kWarningSystemError = 3,
  kWarningQuestion = 4,
  kWarningExclamation = 5,
  kWarningInformation = 6,
  kWarningUserSound = 7,  // the event's WAV file
};
inline constexpr int kWarningTypeCount = 8;

// List texts of the eight types (UTF-8; types 4-6 end with a space).
std::span<const char* const> warning_type_texts();
// Row of the type list to select; nullopt (no selection) outside 0-7.
std::optional<int> type_list_row(int type);

struct WarningSetting {
  int type = kWarningNone;  // kept as read, even outside 0-7
  int delay = 0;            // seconds before the warning starts
  std::string wav_file;     // CP932, as stored
};

// Section name, display label (UTF-8) and defaults of each event.
const char* warning_section(int event);
const char* warning_label(int event);
WarningSetting default_warning(int event);

class WarningSettings {
 public:
  WarningSettings();  // every event at its default

  // Reads the nine sections WE_ACC_ON ... WE_REPEAT; missing keys give the
  // defaults (not the values in memory).
  void load(const ini::Document& settings_file);
  // Writes type and delay ("%d") and wav_file of one event.
  void save_event(ini::Document& settings_file, int event) const;

  WarningSetting& operator[](int event) { return events_.at(static_cast<std::size_t>(event)); }
  const WarningSetting& operator[](int event) const {
    return events_.at(static_cast<std::size_t>(event));
  }

 private:
  std::array<WarningSetting, kWarningEventCount> events_;
};

inline constexpr const char* kClearPopupsCaption = "解除確認";
// Question of the settings dialog's "clear all popup warnings".
extern const char* const kClearPopupsQuestion;
// Questions of the popup window's two commands (memory only).
extern const char* const kPopupsToBeepQuestion;
extern const char* const kPopupsExceptDisruptionToBeepQuestion;

// Every popup event becomes a beep; with `keep_disruption` the two
// disruption events (WE_ACC_ON, WE_ACC_OFF) stay as they are. Returns the
// number of events changed.
int popups_to_beep(WarningSettings& settings, bool keep_disruption);

// The popup window's commands: ask (Yes/No, caption "解除確認") and on Yes
// convert in memory. True when converted.
bool convert_all_popups(WarningSettings& settings, Prompt& prompt);
bool convert_popups_except_disruption(WarningSettings& settings, Prompt& prompt);

}  // namespace vosk::shell
