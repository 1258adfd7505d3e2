#include "shell/warnings.h"

#include "base/format.h"

namespace vosk::shell {
namespace {

struct EventInfo {
  const char* section;
  const char* label;
  int type;
  int delay;
};

constexpr EventInfo kEvents[kWarningEventCount] = {
    {"WE_NONE", "", kWarningNone, 0},
    {"WE_ACC_ON", "運転支障発生時", kWarningPopup, 0},
    {"WE_ACC_OFF", "運転支障復旧時", kWarningPopup, 0},
    {"WE_REP", "信号待ち", kWarningPopup, 10},
    {"WE_ROUTE", "進路待ち", kWarningPopup, 10},
    {"WE_NOTICE", "通知待ち", kWarningPopup, 10},
    {"WE_ATC", "停止信号", kWarningPopup, 10},
    {"WE_TARGET", "進路不定", kWarningPopup, 10},
    {"WE_LEVER", "進路未構成", kWarningPopup, 10},
    {"WE_REPEAT", "番線重複", kWarningPopup, 0},
};

constexpr const char* kTypeTexts[kWarningTypeCount] = {
    "警告なし",
    "ポップアップ警告",
    "Windows 一般の警告音",
    "Windows システムエラー",
    "Windows メッセージ (問い合わせ) ",
    "Windows メッセージ (警告) ",
    "Windows メッセージ (情報) ",
    "ユーザ設定警告音",
};

const EventInfo& info(int event) { return kEvents[static_cast<std::size_t>(event)]; }

bool ask_yes(Prompt& prompt, const char* question) {
  return prompt.ask(kClearPopupsCaption, question, Buttons::YesNo) == Answer::Yes;
}

}  // namespace

// One literal per message line, so each can be checked by eye.
// clang-format off
const char* const kClearPopupsQuestion =
    "現在「ポップアップ警告」に設定されている警告条件を全て「Windows 一般の警告音」の設定に変更します。\n"
    "ただし、運転支障の発生や復旧が気づきにくくなる可能性があります。\n"
    "よろしいですか？\n";
const char* const kPopupsToBeepQuestion =
    "現在「ポップアップ警告」に設定されている警告条件を全て「Windows 一般の警告音」の設定に変更します。\n"
    "ただし、運転支障の発生や復旧が気づきにくくなる可能性があります。\n"
    "よろしいですか？\n"
    "\n"
    "この変更はダイヤデータ読み込み時まで有効です。\n";
const char* const kPopupsExceptDisruptionToBeepQuestion =
    "現在「ポップアップ警告」に設定されている警告条件のうち運転支障以外を全て「Windows 一般の警告音」の設定に変更します。\n"
    "よろしいですか？\n"
    "\n"
    "この変更はダイヤデータ読み込み時まで有効です。\n";
// clang-format on

std::span<const char* const> warning_type_texts() { return kTypeTexts; }

std::optional<int> type_list_row(int type) {
  if (type < 0 || type >= kWarningTypeCount) return std::nullopt;
  return type;
}

const char* warning_section(int event) { return info(event).section; }
const char* warning_label(int event) { return info(event).label; }

WarningSetting default_warning(int event) {
  return {info(event).type, info(event).delay, std::string()};
}

WarningSettings::WarningSettings() {
  for (int e = 0; e < kWarningEventCount; ++e) (*this)[e] = default_warning(e);
}

void WarningSettings::load(const ini::Document& settings_file) {
  for (int e = 1; e < kWarningEventCount; ++e) {
    const char* section = warning_section(e);
    WarningSetting& w = (*this)[e];
    w.type = settings_file.get_int(section, "type", info(e).type);
    w.delay = settings_file.get_int(section, "delay", info(e).delay);
    w.wav_file = settings_file.find(section, "wav_file").value_or("");
  }
}

void WarningSettings::save_event(ini::Document& settings_file, int event) const {
  const char* section = warning_section(event);
  const WarningSetting& w = (*this)[event];
  settings_file.set_string(section, "type", format("%d", w.type));
  settings_file.set_string(section, "delay", format("%d", w.delay));
  settings_file.set_string(section, "wav_file", w.wav_file);
}

int popups_to_beep(WarningSettings& settings, bool keep_disruption) {
  int changed = 0;
  for (int e = 0; e < kWarningEventCount; ++e) {
    bool disruption = e == static_cast<int>(WarningEvent::AccidentOn) ||
                      e == static_cast<int>(WarningEvent::AccidentOff);
    if (keep_disruption && disruption) continue;
    if (settings[e].type == kWarningPopup) {
      settings[e].type = kWarningBeep;
      ++changed;
    }
  }
  return changed;
}

bool convert_all_popups(WarningSettings& settings, Prompt& prompt) {
  if (!ask_yes(prompt, kPopupsToBeepQuestion)) return false;
  popups_to_beep(settings, false);
  return true;
}

bool convert_popups_except_disruption(WarningSettings& settings, Prompt& prompt) {
  if (!ask_yes(prompt, kPopupsExceptDisruptionToBeepQuestion)) return false;
  popups_to_beep(settings, true);
  return true;
}

}  // namespace vosk::shell
