#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <filesystem>

#include "base/ini.h"
#include "editor_fixture.h"
#include "ui/main_menu.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using vosk::testing::TempDir;

ini::Document settings_of(const TempDir& home) {
  return ini::Document::parse(testing::settings_text(home));
}

QString text_of(Editor& editor, int id) { return editor.window().action(id)->text(); }

TEST(Ui_MainWindowTests, StartsInAFreshHomeWithTheJapaneseMenu) {
  TempDir home;
  Editor editor(home);
  // The folder reset rule ran in the program folder given by --home.
  EXPECT_TRUE(std::filesystem::is_directory(home / "qvw_data"));
  EXPECT_TRUE(std::filesystem::is_directory(home / "temp"));
  EXPECT_EQ(settings_of(home).get_string("Path", "CurrentPath", ""), home.path().string());

  EXPECT_EQ(text_of(editor, cmd::kOpenDia), QString::fromUtf8("ダイヤデータを開く(&O)"));
  EXPECT_EQ(text_of(editor, cmd::kQuit), QString::fromUtf8("終了(&Q)"));
  EXPECT_EQ(text_of(editor, cmd::kAbout), QString::fromUtf8("バージョン情報(&A)..."));
  EXPECT_EQ(editor.window().windowTitle(), QStringLiteral("VOSK"));
  // Commands without a handler are greyed, and those on a data set while none is open.
  for (int id : {cmd::kDiaEdit, cmd::kDeleteTemporaryDia, cmd::kDiaView, cmd::kEnquete})
    EXPECT_FALSE(editor.window().action(id)->isEnabled()) << id;
  // Without the open and save drivers the file commands are present but off.
  EXPECT_FALSE(editor.window().action(cmd::kOpenDia)->isEnabled());
  EXPECT_TRUE(editor.window().action(cmd::kQuit)->isEnabled());

  // Default settings: check marks, CallSpeed 4 = 2x at 500 ms, message window open.
  EXPECT_TRUE(editor.window().action(40314)->isChecked());   // RouteView
  EXPECT_FALSE(editor.window().action(40262)->isChecked());  // SmartView
  EXPECT_TRUE(editor.window().action(40006)->isChecked());
  EXPECT_FALSE(editor.window().action(40004)->isChecked());
  EXPECT_TRUE(editor.window().action(40419)->isChecked());   // ViewType 2
  EXPECT_TRUE(editor.window().action(40018)->isChecked());   // ViewSpeed 1
  EXPECT_EQ(editor.window().timer().interval(), 500);
  EXPECT_TRUE(editor.window().timer().isActive());
  EXPECT_TRUE(editor.state().ready);
  ASSERT_NE(editor.window().message_window(), nullptr);
  EXPECT_TRUE(editor.window().action(cmd::kMessageWindow)->isChecked());
  EXPECT_TRUE(editor.window().message_window()->windowFlags().testFlag(Qt::Tool));  // ToolWindow 1
  EXPECT_EQ(editor.window().message_window()->windowTitle(),
            QString::fromUtf8("メッセージウインドウ"));
}

TEST(Ui_MainWindowTests, LanguageFileSwitchesToEnglish) {
  TempDir home;
  home.write("Language.ini", "[SystemLanguage]\r\nEnglish=1\r\n");
  Editor editor(home);
  EXPECT_EQ(text_of(editor, cmd::kOpenDia), QStringLiteral("&Open Dia..."));
  EXPECT_EQ(editor.window().message_window()->windowTitle(), QStringLiteral("Message Window"));
  // Fixed texts of the display level menu are the same in both languages.
  EXPECT_EQ(text_of(editor, 40017), QStringLiteral("High(&H)"));
}

TEST(Ui_MainWindowTests, ChildWindowsHaveTheirEnglishTitlesInTheEnglishInterface) {
  TempDir home;
  home.write("Language.ini", "[SystemLanguage]\r\nEnglish=1\r\n");
  home.write("korv.ini", "[VOSKDiaGramWindow]\r\nopen=0\r\n[Setting]\r\nBackupFile=0\r\n");
  const std::filesystem::path file = vosk::ui::testing::copy_sample(home, "sample.qvw");
  Editor editor(home, vosk::ui::testing::Layer::DataSet, {file.string()});
  editor.window().first_tick();
  ASSERT_NE(editor.data_set().data_set(), nullptr);
  // Open whichever did not open with the data set.
  if (!editor.window().graph_window()) editor.window().run_command(cmd::kTrainGraphWindow);
  if (!editor.window().timetable_window()) editor.window().run_command(cmd::kTimetableWindow);
  if (!editor.window().dia_edit_window()) editor.window().run_command(cmd::kDiaEdit);
  ASSERT_NE(editor.window().graph_window(), nullptr);
  ASSERT_NE(editor.window().timetable_window(), nullptr);
  ASSERT_NE(editor.window().dia_edit_window(), nullptr);
  EXPECT_TRUE(editor.window().graph_window()->windowTitle().startsWith("Diagram Window"));
  EXPECT_TRUE(editor.window().timetable_window()->windowTitle().startsWith("Timatable Window"));
  EXPECT_EQ(editor.window().dia_edit_window()->windowTitle(), QStringLiteral("Diaedit Window"));
}

TEST(Ui_MainWindowTests, SettingsAreWrittenAtCloseAndReadBack) {
  TempDir home;
  {
    Editor editor(home);
    editor.window().run_command(40262);  // SmartView on
    editor.window().run_command(40320);  // BackupFile off
    editor.window().run_command(40010);  // CallSpeed 8
    editor.window().run_command(40420);  // ViewType 3
    editor.window().run_command(cmd::kToolWindow);
    EXPECT_FALSE(editor.window().message_window()->windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(editor.window().timer().interval(), 125);
    EXPECT_TRUE(editor.window().action(40010)->isChecked());
    EXPECT_FALSE(editor.window().action(40006)->isChecked());
    // A second click on the checked radio item keeps it checked.
    editor.window().run_command(40420);
    EXPECT_TRUE(editor.window().action(40420)->isChecked());
    editor.window().move(30, 20);
    editor.window().resize(640, 480);
    editor.window().message_window()->move(5, 300);
    editor.window().message_window()->resize(500, 90);
    // Settings stay in memory until the close.
    EXPECT_EQ(settings_of(home).get_int("Setting", "SmartView", -1), -1);
    EXPECT_TRUE(editor.window().close());
    EXPECT_FALSE(editor.window().timer().isActive());
    EXPECT_FALSE(editor.state().ready);
  }
  const ini::Document saved = settings_of(home);
  EXPECT_EQ(saved.get_string("Setting", "SmartView", ""), "1");
  EXPECT_EQ(saved.get_string("Setting", "BackupFile", ""), "0");
  EXPECT_EQ(saved.get_string("Setting", "CallSpeed", ""), "8");
  EXPECT_EQ(saved.get_string("Setting", "ViewType", ""), "3");
  EXPECT_EQ(saved.get_string("Setting", "ToolWindow", ""), "0");
  EXPECT_EQ(saved.get_string("VOSKMainWindow", "PosLeft", ""), "30");
  EXPECT_EQ(saved.get_string("VOSKMainWindow", "PosRight", ""), "670");
  EXPECT_EQ(saved.get_string("VOSKMainWindow", "PosBottom", ""), "500");
  EXPECT_EQ(saved.get_string("VOSKMsgWindow", "open", ""), "1");
  EXPECT_EQ(saved.get_string("VOSKMsgWindow", "PosTop", ""), "300");
  EXPECT_EQ(saved.get_string("VOSKMsgWindow", "PosRight", ""), "505");
  // Windows this build cannot show keep the choice they were read with.
  EXPECT_EQ(saved.get_string("VOSKDiaGramWindow", "open", ""), "1");
  EXPECT_EQ(saved.get_string("VOSKDiaEditWindow", "open", ""), "0");
  EXPECT_TRUE(saved.has_section("BackupFile"));
  EXPECT_TRUE(saved.has_section("MainWindowLine17"));
  EXPECT_TRUE(saved.has_section("DefaultFont"));

  Editor again(home);
  EXPECT_TRUE(again.window().action(40262)->isChecked());
  EXPECT_FALSE(again.window().action(40320)->isChecked());
  EXPECT_TRUE(again.window().action(40010)->isChecked());
  EXPECT_TRUE(again.window().action(40420)->isChecked());
  EXPECT_EQ(again.window().timer().interval(), 125);
  EXPECT_EQ(again.window().pos(), QPoint(30, 20));
  EXPECT_EQ(again.window().size(), QSize(640, 480));
  ASSERT_NE(again.window().message_window(), nullptr);
  EXPECT_FALSE(again.window().message_window()->windowFlags().testFlag(Qt::Tool));
  EXPECT_EQ(again.window().message_window()->pos(), QPoint(5, 300));
  EXPECT_EQ(again.window().message_window()->size(), QSize(500, 90));
}

TEST(Ui_MainWindowTests, WindowStoredOffScreenIsPulledBack) {
  TempDir home;
  home.write("korv.ini",
             "[VOSKMainWindow]\r\nPosLeft=5000\r\nPosTop=-4000\r\nPosRight=5640\r\n"
             "PosBottom=-3520\r\n[VOSKMsgWindow]\r\nPosLeft=-9000\r\nPosTop=40\r\n"
             "PosRight=-8000\r\nPosBottom=140\r\n");
  Editor editor(home);
  const QRect screen = QGuiApplication::primaryScreen()->virtualGeometry();
  const QRect main(editor.window().pos(), editor.window().size());
  EXPECT_EQ(main.size(), QSize(640, 480));  // moved, never resized
  EXPECT_GE(screen.right() + 1 - main.left(), 100);
  EXPECT_GE(main.bottom() + 1 - screen.top(), 100);
  const QRect message(editor.window().message_window()->pos(),
                      editor.window().message_window()->size());
  EXPECT_EQ(message.size(), QSize(1000, 100));
  EXPECT_GE(message.right() + 1 - screen.left(), 100);
}

TEST(Ui_MainWindowTests, ClosingWhileMinimisedKeepsTheStoredPlacement) {
  TempDir home;
  home.write("korv.ini", "[VOSKMainWindow]\r\nPosLeft=10\r\nPosTop=20\r\nPosRight=410\r\n"
                         "PosBottom=320\r\n");
  {
    Editor editor(home);
    editor.window().move(50, 60);
    editor.window().showMinimized();
    EXPECT_TRUE(editor.window().close());
  }
  const ini::Document saved = settings_of(home);
  EXPECT_EQ(saved.get_string("VOSKMainWindow", "PosLeft", ""), "10");
  EXPECT_EQ(saved.get_string("VOSKMainWindow", "PosBottom", ""), "320");
}

TEST(Ui_MainWindowTests, MessageWindowClosedStaysClosedNextTime) {
  TempDir home;
  {
    Editor editor(home);
    editor.state().messages.add("first line");
    editor.window().run_command(cmd::kMessageWindow);
    EXPECT_EQ(editor.window().message_window(), nullptr);
    EXPECT_FALSE(editor.window().action(cmd::kMessageWindow)->isChecked());
    // Toggling it again brings it back; the ring kept its lines.
    editor.window().run_command(cmd::kMessageWindow);
    ASSERT_NE(editor.window().message_window(), nullptr);
    EXPECT_EQ(editor.state().messages.line_back(0), "first line");
    // The first window goes away later; the new one keeps hearing the ring.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    editor.window().message_window()->resize(400, 100);
    editor.state().messages.clear();
    EXPECT_EQ(testing::ink_pixels(editor.window().message_window()->view()->picture()), 0);
    editor.state().messages.add("second line");
    EXPECT_GT(testing::ink_pixels(editor.window().message_window()->view()->picture()), 20);
    // The user closes it with its own close box.
    editor.window().message_window()->close();
    EXPECT_EQ(editor.window().message_window(), nullptr);
    EXPECT_FALSE(editor.window().action(cmd::kMessageWindow)->isChecked());
    EXPECT_TRUE(editor.window().close());
  }
  EXPECT_EQ(settings_of(home).get_string("VOSKMsgWindow", "open", ""), "0");
  Editor again(home);
  EXPECT_EQ(again.window().message_window(), nullptr);
}

TEST(Ui_MainWindowTests, SettingsFileThatCannotBeReadIsNeverWrittenOver) {
  TempDir home;
  std::filesystem::create_directory(home / "korv.ini");  // exists, cannot be read as a file
  {
    Editor editor(home);
    EXPECT_EQ(editor.window().timer().interval(), 500);  // defaults
    editor.window().run_command(cmd::kMessageWindow);    // writes its placement: refused
    EXPECT_TRUE(editor.window().close());
  }
  EXPECT_TRUE(std::filesystem::is_directory(home / "korv.ini"));
  EXPECT_TRUE(std::filesystem::is_empty(home / "korv.ini"));
}

}  // namespace
}  // namespace vosk::ui
