#pragma once
// The user-interface language, fixed once at start-up.
#include <optional>
#include <string_view>

#include "base/ini.h"

namespace vosk::shell {

enum class UiLanguage { Japanese, English };

struct LanguageChoice {
  // Whether the locale at start was US English (Windows locale 1033). It
  // picks the default font face; the UI language picks the texts.
  bool english_start_locale = false;
  UiLanguage ui = UiLanguage::Japanese;
  // Thread locale the program switches to so that formatting follows the
  // UI: 1041 (Japanese) after an English start with a Japanese UI, 1033
  // after a non-English start with an English UI, else none.
  std::optional<int> thread_locale;
};

inline constexpr int kLocaleEnglishUs = 1033;
inline constexpr int kLocaleJapanese = 1041;

// Language.ini [SystemLanguage]: a nonzero English selects English, then a
// nonzero Japanese selects Japanese, so Japanese wins when both are set.
// Without either, the start locale decides.
LanguageChoice choose_language(bool english_start_locale, const ini::Document& language_file);

// Whether a POSIX locale name (from LC_ALL, else LANG) is US English, the
// counterpart of locale 1033: "en_US", "en_US.UTF-8", "en_US@euro"... A null
// or empty LC_ALL defers to LANG.
bool english_start_locale(const char* lc_all, const char* lang);

}  // namespace vosk::shell
