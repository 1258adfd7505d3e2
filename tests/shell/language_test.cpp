#include "shell/language.h"

#include <gtest/gtest.h>

namespace vosk::shell {
namespace {

struct LanguageCase {
  bool english_start;
  const char* language_ini;
  UiLanguage ui;
  std::optional<int> thread_locale;
};

void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.language_ini; }

class Shell_LanguageTests : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(Shell_LanguageTests, UiLanguageAndThreadLocale) {
  const LanguageCase& c = GetParam();
  LanguageChoice choice = choose_language(c.english_start, ini::Document::parse(c.language_ini));
  EXPECT_EQ(choice.english_start_locale, c.english_start);
  EXPECT_EQ(choice.ui, c.ui);
  EXPECT_EQ(choice.thread_locale, c.thread_locale);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Shell_LanguageTests,
    ::testing::Values(
        // No Language.ini: the start locale decides, nothing to switch.
        LanguageCase{true, "", UiLanguage::English, std::nullopt},
        LanguageCase{false, "", UiLanguage::Japanese, std::nullopt},
        // Forced English on a Japanese start.
        LanguageCase{false, "[SystemLanguage]\nEnglish=1\n", UiLanguage::English, 1033},
        // Forced Japanese on an English start.
        LanguageCase{true, "[SystemLanguage]\nJapanese=1\n", UiLanguage::Japanese, 1041},
        // Both set: Japanese wins.
        LanguageCase{false, "[SystemLanguage]\nEnglish=1\nJapanese=1\n", UiLanguage::Japanese,
                     std::nullopt},
        LanguageCase{true, "[SystemLanguage]\nEnglish=1\nJapanese=1\n", UiLanguage::Japanese, 1041},
        // Zero values and words do not select.
        LanguageCase{true, "[SystemLanguage]\nEnglish=0\nJapanese=no\n", UiLanguage::English,
                     std::nullopt}));

TEST(Shell_LanguageLocaleTests, OnlyUsEnglishCountsAsAnEnglishStart) {
  EXPECT_TRUE(english_start_locale(nullptr, "en_US.UTF-8"));
  EXPECT_TRUE(english_start_locale("en_US", "ja_JP.UTF-8"));
  EXPECT_TRUE(english_start_locale("", "en_US@euro"));
  EXPECT_FALSE(english_start_locale("ja_JP.UTF-8", "en_US.UTF-8"));  // LC_ALL wins
  EXPECT_FALSE(english_start_locale(nullptr, "en_GB.UTF-8"));
  EXPECT_FALSE(english_start_locale(nullptr, "en_USX"));
  EXPECT_FALSE(english_start_locale(nullptr, "C"));
  EXPECT_FALSE(english_start_locale(nullptr, nullptr));
}

}  // namespace
}  // namespace vosk::shell
