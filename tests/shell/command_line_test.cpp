#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace vosk::shell {
namespace {

struct TokenCase {
  const char* what;
  std::string_view text;
  std::optional<std::string> file;
};

void PrintTo(const TokenCase& c, std::ostream* os) { *os << c.what; }

class Shell_CommandLineTokenTests : public ::testing::TestWithParam<TokenCase> {};

TEST_P(Shell_CommandLineTokenTests, FileNamed) {
  const TokenCase& c = GetParam();
  EXPECT_EQ(command_line_file(c.text), c.file) << c.what;
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Rules, Shell_CommandLineTokenTests,
    ::testing::Values(
        TokenCase{"empty", "", std::nullopt}, TokenCase{"blanks only", "   ", std::nullopt},
        TokenCase{"plain file", "a.qvw", "a.qvw"},
        TokenCase{"quoted path with spaces", "\"C:/My Data/line one.qvw\"",
                  "C:/My Data/line one.qvw"},
        TokenCase{"quotes in the middle join", "My\" \"Data.qvw", "My Data.qvw"},
        TokenCase{"unquoted absolute path reads as option h", "/home/a.qvw", std::nullopt},
        TokenCase{"option f then file", "/f d.qvw", "d.qvw"},
        TokenCase{"option f eats the character after it", "/fxd.qvw", "d.qvw"},
        TokenCase{"option f then quoted file", "/f \"a b.qvw\"", "a b.qvw"},
        TokenCase{"later token replaces earlier", "a.qvw b.dia", "b.dia"},
        TokenCase{"tokens after /m are ignored", "a.qvw /m b.qvw", "a.qvw"},
        TokenCase{"tokens after /v are ignored", "/v b.qvw", std::nullopt},
        TokenCase{"f after m names files again", "/m a.qvw /f b.qvw", "b.qvw"},
        TokenCase{"slash inside quotes is kept", "\"/home/u/a.qvw\"", "/home/u/a.qvw"},
        TokenCase{"slash outside quotes ends the token", "a.qvw/m b.qvw", "a.qvw"},
        TokenCase{"unclosed quote drops the token", "a.qvw \"b c.qvw", "a.qvw"},
        TokenCase{"newline ends the text", "a.qvw\nb.qvw", "a.qvw"},
        TokenCase{"newline inside quotes stops", "\"a.qvw\nb\"", std::nullopt},
        TokenCase{"NUL ends the text", "a.qvw\0b.qvw"sv, "a.qvw"},
        TokenCase{"empty quotes name nothing", "a.qvw \"\"", "a.qvw"},
        TokenCase{"slash at the very end", "a.qvw /", "a.qvw"},
        TokenCase{"option letter at the very end", "a.qvw /f", "a.qvw"},
        TokenCase{"tab is part of a name", "a\tb.qvw", "a\tb.qvw"}));

TEST(Shell_CommandLineTests, ArgumentsBecomeACommandTextThatKeepsPaths) {
  std::vector<std::string> args{"/f", "/home/u/My Data/a.qvw"};
  std::string text = command_text_from_arguments(args);
  EXPECT_EQ(text, "/f \"/home/u/My Data/a.qvw\"");
  EXPECT_EQ(command_line_file(text), "/home/u/My Data/a.qvw");
  EXPECT_EQ(command_line_file(command_text_from_arguments({"/m", "/tmp/x.qvw"})), std::nullopt);
  EXPECT_EQ(command_text_from_arguments({}), "");
}

struct StartCase {
  const char* text;
  StartAction action;
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.text; }

class Shell_StartCommandTests : public ::testing::TestWithParam<StartCase> {};

TEST_P(Shell_StartCommandTests, ActionByExtension) {
  StartCommand c = classify_start_command(GetParam().text);
  EXPECT_EQ(c.action, GetParam().action) << GetParam().text;
  EXPECT_EQ(c.message.empty(), c.action != StartAction::StartError);
  EXPECT_EQ(c.title.empty(), c.action != StartAction::OpenDia);
}

INSTANTIATE_TEST_SUITE_P(Extensions, Shell_StartCommandTests,
                         ::testing::Values(StartCase{"", StartAction::None},
                                           StartCase{"a.qvw", StartAction::OpenDia},
                                           StartCase{"A.QvW", StartAction::OpenDia},
                                           StartCase{"x.dia", StartAction::ImportWinDia},
                                           StartCase{"x.DIA", StartAction::ImportWinDia},
                                           StartCase{"a.qvb", StartAction::StartError},
                                           StartCase{"a.qvw.bak", StartAction::StartError},
                                           StartCase{"noext", StartAction::StartError},
                                           StartCase{"\"/dir.qvw/file\"", StartAction::StartError},
                                           StartCase{"/m a.qvb", StartAction::None}));

TEST(Shell_StartCommandTests, TextsOfOpenAndError) {
  StartCommand open = classify_start_command("\"/home/u/ダイヤ 1.qvw\"");
  EXPECT_EQ(open.file, "/home/u/ダイヤ 1.qvw");
  EXPECT_EQ(open.title, "「/home/u/ダイヤ 1.qvw」を読み込んでいます。");

  StartCommand bad = classify_start_command("/f old.qvb");
  EXPECT_EQ(bad.file, "old.qvb");
  EXPECT_EQ(bad.message, "起動コマンドが確認できません。\n");
  EXPECT_EQ(bad.caption, "起動エラー");
}

}  // namespace
}  // namespace vosk::shell
