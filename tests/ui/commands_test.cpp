// The main window's commands: the busy lock, the save question, the title,
// the start command and the dialogs they open.
#include <gtest/gtest.h>

#include <QTest>

#include "base/ini.h"
#include "base/sjis.h"
#include "editor_fixture.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using vosk::testing::TempDir;

constexpr const char* kGraphBusy = "ダイヤグラムウインドウが作業中です。\n";
constexpr const char* kQuitQuestion =
    "終了します。\n現在のダイヤは変更されています。\n現在のデータを保存しますか？";

TEST(Ui_CommandTests, BusyLockRefusesQuitAndFileCommandsOfOtherWindows) {
  TempDir home;
  Editor editor(home, /*with_document=*/true);
  editor.state().busy.lock(shell::BusyState::TrainGraphWindow);

  EXPECT_FALSE(editor.window().close());
  ASSERT_EQ(editor.prompt.count(), 1u);
  EXPECT_EQ(editor.prompt.last().caption, "操作エラー");
  EXPECT_EQ(editor.prompt.last().text, kGraphBusy);
  EXPECT_TRUE(editor.window().timer().isActive());  // still running

  for (int id : {cmd::kOpenDia, cmd::kSaveDia, cmd::kSaveDiaAs, cmd::kImportWinDia})
    editor.window().run_command(id);
  EXPECT_EQ(editor.prompt.count(), 5u);
  EXPECT_EQ(editor.prompt.last().text, kGraphBusy);
  EXPECT_TRUE(editor.files.opened.empty());  // no dialog was shown
  EXPECT_TRUE(editor.files.saved.empty());
  EXPECT_EQ(editor.document.saved_in_place, 0);
  // Nothing about the close was written.
  EXPECT_FALSE(ini::Document::parse(testing::settings_text(home)).has_section("BackupFile"));

  editor.state().busy.unlock();
  editor.prompt.script({});
  EXPECT_TRUE(editor.window().close());
}

TEST(Ui_CommandTests, DialogsHoldTheBusyLockForTheMainWindow) {
  TempDir home;
  Editor editor(home, true);
  std::vector<shell::BusyState> states;
  std::vector<bool> ready;
  const auto observe = [&] {
    states.push_back(editor.state().busy.state());
    ready.push_back(editor.state().ready);
  };
  editor.prompt.on_ask = observe;
  editor.files.on_dialog = observe;

  editor.window().run_command(cmd::kAbout);
  ASSERT_EQ(editor.prompt.count(), 1u);
  EXPECT_EQ(editor.prompt.last().caption, "バージョン情報");
  EXPECT_NE(editor.prompt.last().text.find("VOSK"), std::string::npos);
  editor.files.script(std::nullopt);
  editor.window().run_command(cmd::kOpenDia);
  editor.files.script(std::nullopt);
  editor.window().run_command(cmd::kSaveDiaAs);

  // While each box or dialog was up the main window held the lock and the
  // timer work was off; afterwards both are back.
  EXPECT_EQ(states, std::vector<shell::BusyState>(3, shell::BusyState::MainWindow));
  EXPECT_EQ(ready, std::vector<bool>(3, false));
  EXPECT_EQ(editor.state().busy.state(), shell::BusyState::Free);
  EXPECT_TRUE(editor.state().ready);
}

TEST(Ui_CommandTests, OpenDialogUsesTheDiaFolderAndFilter) {
  TempDir home;
  Editor editor(home, true);
  editor.files.script(std::string((home / "qvw_data" / "line.qvw").string()));
  editor.window().run_command(cmd::kOpenDia);
  ASSERT_EQ(editor.files.opened.size(), 1u);
  const FileDialogRequest& request = editor.files.opened[0];
  EXPECT_EQ(request.filter, QString::fromUtf8("ダイヤデータ(*.qvw)|*.qvw||"));
  EXPECT_EQ(request.default_suffix, QStringLiteral("qvw"));
  EXPECT_EQ(request.folder.toStdString(), (home / "qvw_data").string() + "/");
  ASSERT_EQ(editor.document.opened.size(), 1u);
  EXPECT_EQ(editor.document.opened[0], (home / "qvw_data" / "line.qvw").string());
  // The title names the open file; an edit adds the mark.
  editor.document.title = sjis::from_utf8_lossy("平日ダイヤ");
  editor.window().refresh_title();
  EXPECT_EQ(editor.window().windowTitle(), QString::fromUtf8("VOSK  ＜平日ダイヤ＞  line"));
  editor.document.mutable_state().edited = true;
  editor.window().refresh_title();
  EXPECT_EQ(editor.window().windowTitle(), QString::fromUtf8("VOSK  ＜平日ダイヤ＞  line（更新）"));
}

TEST(Ui_CommandTests, RetryOnTheNewerVersionWarningShowsTheOpenDialogAgain) {
  TempDir home;
  Editor editor(home, true);
  editor.document.retries = 1;
  editor.files.script(std::string((home / "new.qvw").string()));
  editor.files.script(std::string((home / "old.qvw").string()));
  editor.window().run_command(cmd::kOpenDia);
  EXPECT_EQ(editor.files.opened.size(), 2u);
  EXPECT_EQ(editor.document.opened,
            (std::vector<std::string>{(home / "new.qvw").string(), (home / "old.qvw").string()}));
}

TEST(Ui_CommandTests, SaveGoesInPlaceOnlyForACurrentFileOfThisVersion) {
  TempDir home;
  Editor editor(home, true);
  editor.document.open((home / "a.qvw").string());
  editor.window().run_command(cmd::kSaveDia);
  EXPECT_EQ(editor.document.saved_in_place, 1);
  EXPECT_TRUE(editor.files.saved.empty());

  editor.document.mutable_state().loaded_version = 1219;  // an older file asks for a name
  editor.files.script(std::string((home / "b.qvw").string()));
  editor.window().run_command(cmd::kSaveDia);
  EXPECT_EQ(editor.document.saved_in_place, 1);
  ASSERT_EQ(editor.files.saved.size(), 1u);
  EXPECT_EQ(editor.files.saved[0].default_suffix, QStringLiteral("qvw"));
  EXPECT_EQ(editor.document.saved_as, std::vector<std::string>{(home / "b.qvw").string()});
}

TEST(Ui_CommandTests, QuitAsksTheSaveQuestionWhileEdited) {
  TempDir home;
  Editor editor(home, true);
  editor.document.open((home / "a.qvw").string());
  editor.document.mutable_state().edited = true;

  editor.prompt.script({Answer::Cancel});
  EXPECT_FALSE(editor.window().close());
  ASSERT_EQ(editor.prompt.count(), 1u);
  EXPECT_EQ(editor.prompt.last().caption, "終了確認");
  EXPECT_EQ(editor.prompt.last().text, kQuitQuestion);
  EXPECT_EQ(editor.prompt.last().buttons, Buttons::YesNoCancel);
  EXPECT_TRUE(editor.window().timer().isActive());

  // Yes saves under a chosen name; a cancelled save dialog asks again.
  editor.prompt.script({Answer::Yes, Answer::Yes});
  editor.files.script(std::nullopt);
  editor.files.script(std::string((home / "saved.qvw").string()));
  EXPECT_TRUE(editor.window().close());
  EXPECT_EQ(editor.prompt.count(), 3u);
  EXPECT_EQ(editor.document.saved_as, std::vector<std::string>{(home / "saved.qvw").string()});
  EXPECT_TRUE(editor.prompt.script_used_up());
}

TEST(Ui_CommandTests, OpenAsksTheSaveQuestionWithTheOpenTexts) {
  TempDir home;
  Editor editor(home, true);
  editor.document.mutable_state().edited = true;
  editor.prompt.script({Answer::No});
  editor.files.script(std::nullopt);  // then the open dialog is cancelled
  editor.window().run_command(cmd::kOpenDia);
  ASSERT_EQ(editor.prompt.count(), 1u);
  EXPECT_EQ(editor.prompt.last().caption, "読み込み確認");
  EXPECT_EQ(editor.prompt.last().text,
            "ダイヤデータを開きます。\n現在のダイヤは変更されています。\n現在のデータを保存しますか？");
  EXPECT_EQ(editor.files.opened.size(), 1u);
  EXPECT_TRUE(editor.document.opened.empty());
}

TEST(Ui_CommandTests, ImportStoresItsFolderForTheNextImport) {
  TempDir home;
  std::filesystem::create_directory(home / "wdia");
  Editor editor(home, true);
  editor.files.script(std::string((home / "wdia" / "line.dia").string()));
  editor.window().run_command(cmd::kImportWinDia);
  ASSERT_EQ(editor.files.opened.size(), 1u);
  EXPECT_EQ(editor.files.opened[0].filter, QString::fromUtf8("ダイヤデータファイル(*.dia)|*.dia||"));
  EXPECT_EQ(editor.document.imported, std::vector<std::string>{(home / "wdia" / "line.dia").string()});
  EXPECT_EQ(ini::Document::parse(testing::settings_text(home)).get_string("Path", "LoadWdia", ""),
            (home / "wdia").string());
  editor.files.script(std::nullopt);
  editor.window().run_command(cmd::kImportWinDia);
  EXPECT_EQ(editor.files.opened[1].folder.toStdString(), (home / "wdia").string());
}

TEST(Ui_CommandTests, FirstTickRunsTheStartCommandOnce) {
  TempDir home;
  Editor editor(home, true, {(home / "my dia.qvw").string()});
  editor.window().first_tick();
  editor.window().first_tick();
  EXPECT_EQ(editor.document.opened, std::vector<std::string>{(home / "my dia.qvw").string()});
  EXPECT_EQ(editor.document.recovery_offers, 1);  // BackupFile is on by default
}

TEST(Ui_CommandTests, UnknownStartFileIsAStartError) {
  TempDir home;
  home.write("korv.ini", "[Setting]\r\nBackupFile=0\r\n");
  Editor editor(home, true, {"/f", "x.qvb"});
  editor.window().first_tick();
  ASSERT_EQ(editor.prompt.count(), 1u);
  EXPECT_EQ(editor.prompt.last().caption, "起動エラー");
  EXPECT_EQ(editor.prompt.last().text, "起動コマンドが確認できません。\n");
  EXPECT_TRUE(editor.document.opened.empty());
  EXPECT_EQ(editor.document.recovery_offers, 0);
}

TEST(Ui_CommandTests, StartFileWithoutDriversIsReportedNotLost) {
  TempDir home;
  Editor editor(home, false, {"sample.qvw"});
  editor.window().first_tick();
  EXPECT_EQ(editor.prompt.count(), 0u);
  EXPECT_NE(sjis::to_utf8_lossy(editor.state().messages.line_back(0)).find("sample.qvw"),
            std::string::npos);
  EXPECT_EQ(editor.window().windowTitle(), QStringLiteral("VOSK"));
}

TEST(Ui_CommandTests, WebPagesAskWhileTheInternetCheckIsOn) {
  TempDir home;
  home.write("README.md", "# VOSK\n");
  Editor editor(home);
  EXPECT_TRUE(editor.window().action(cmd::kHomePage)->isEnabled());
  EXPECT_TRUE(editor.window().action(cmd::kManual)->isEnabled());
  EXPECT_FALSE(editor.window().action(cmd::kEnquete)->isEnabled());  // no questionnaire exists
  editor.prompt.script({Answer::No});
  editor.window().run_command(cmd::kHomePage);
  EXPECT_EQ(editor.prompt.last().caption, "インターネット接続確認");
  EXPECT_TRUE(editor.urls.empty());
  editor.prompt.script({Answer::Yes});
  editor.window().run_command(cmd::kHomePage);
  ASSERT_EQ(editor.urls.size(), 1u);
  EXPECT_EQ(editor.urls[0], "file://" + (home / "README.md").string());
  // The manual is a local file: no question.
  const std::size_t asked_before_manual = editor.prompt.count();
  editor.window().run_command(cmd::kManual);
  EXPECT_EQ(editor.prompt.count(), asked_before_manual);
  ASSERT_EQ(editor.urls.size(), 2u);
  editor.urls.pop_back();

  editor.prompt.script({Answer::No});
  editor.window().run_command(cmd::kInetCheck);
  EXPECT_EQ(editor.prompt.last().caption, "インターネット確認");
  EXPECT_TRUE(editor.state().settings().inet_check);
  EXPECT_TRUE(editor.window().action(cmd::kInetCheck)->isChecked());
  editor.prompt.script({Answer::Yes});
  editor.window().run_command(cmd::kInetCheck);
  EXPECT_FALSE(editor.state().settings().inet_check);
  EXPECT_FALSE(editor.window().action(cmd::kInetCheck)->isChecked());
  const std::size_t asked = editor.prompt.count();
  editor.window().run_command(cmd::kHomePage);  // no question now
  EXPECT_EQ(editor.urls.size(), 2u);
  editor.window().run_command(cmd::kInetCheck);
  EXPECT_EQ(editor.prompt.count(), asked);
  EXPECT_TRUE(editor.state().settings().inet_check);
}

TEST(Ui_CommandTests, MainAndMessageWindowsDrawSomething) {
  TempDir home;
  Editor editor(home);
  editor.window().show();
  editor.state().messages.add(sjis::from_utf8_lossy("マップデータ「test」を開きました。"));
  QCoreApplication::processEvents();
  const QImage main = editor.window().view()->canvas()->picture();
  EXPECT_GT(main.width(), 100);
  EXPECT_GT(testing::ink_pixels(main), 50);
  const QImage messages = editor.window().message_window()->view()->picture();
  EXPECT_GT(testing::ink_pixels(messages), 50);
  // The picture follows the window size.
  editor.window().message_window()->resize(300, 60);
  QCoreApplication::processEvents();
  EXPECT_EQ(editor.window().message_window()->view()->picture().size(),
            editor.window().message_window()->view()->size());
  editor.state().messages.clear();
  EXPECT_EQ(testing::ink_pixels(editor.window().message_window()->view()->picture()), 0);
}

TEST(Ui_CommandTests, DocumentLayerIsMadeOverTheWindowsOwnState) {
  TempDir home;
  std::string error;
  auto state = prepare_editor_state({"--home", home.path().string()}, &error);
  ASSERT_TRUE(state) << error;
  vosk::testing::ScriptedPrompt prompt;
  EditorState* seen_state = nullptr;
  Prompt* seen_prompt = nullptr;
  EditorServices services;
  services.prompt = &prompt;
  services.make_document = [&](EditorState& s, Prompt& p) {
    seen_state = &s;
    seen_prompt = &p;
    return std::make_unique<testing::FakeDocument>();
  };
  MainWindow window(std::move(*state), services);
  EXPECT_EQ(seen_state, &window.state());
  EXPECT_EQ(seen_prompt, &prompt);
  EXPECT_TRUE(window.action(cmd::kOpenDia)->isEnabled());  // the drivers exist now

  // A factory that makes nothing leaves the file commands off.
  auto again = prepare_editor_state({"--home", home.path().string()}, &error);
  services.make_document = [](EditorState&, Prompt&) { return nullptr; };
  MainWindow without(std::move(*again), services);
  EXPECT_FALSE(without.action(cmd::kOpenDia)->isEnabled());
}

}  // namespace
}  // namespace vosk::ui
