#include "shell/language.h"

namespace vosk::shell {

LanguageChoice choose_language(bool english_start_locale, const ini::Document& language_file) {
  LanguageChoice c;
  c.english_start_locale = english_start_locale;
  c.ui = english_start_locale ? UiLanguage::English : UiLanguage::Japanese;
  if (language_file.get_int("SystemLanguage", "English", 0) != 0) c.ui = UiLanguage::English;
  if (language_file.get_int("SystemLanguage", "Japanese", 0) != 0) c.ui = UiLanguage::Japanese;
  if (english_start_locale && c.ui == UiLanguage::Japanese) c.thread_locale = kLocaleJapanese;
  if (!english_start_locale && c.ui == UiLanguage::English) c.thread_locale = kLocaleEnglishUs;
  return c;
}

bool english_start_locale(const char* lc_all, const char* lang) {
  const char* name = (lc_all && *lc_all) ? lc_all : lang;
  if (!name) return false;
  std::string_view n(name);
  if (n.substr(0, 5) != "en_US") return false;
  return n.size() == 5 || n[5] == '.' || n[5] == '@';
}

}  // namespace vosk::shell
