#include "shell/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/text_file.h"
#include "support/temp_dir.h"

namespace vosk::shell {
namespace {

constexpr MachineMemory kMachine{10ULL << 30};

TEST(Shell_StartupTests, FirstStartWritesFoldersAndCreatesThem) {
  testing::TempDir dir;
  const std::string home = dir.path().string();
  ShellStart start = start_shell(home, false, kMachine);
  EXPECT_EQ(start.files.settings_file, home + "/korv.ini");
  EXPECT_EQ(start.folders.system_temp, home + "/temp/");
  EXPECT_EQ(start.language.ui, UiLanguage::Japanese);
  EXPECT_TRUE(std::filesystem::is_directory(home + "/temp"));
  EXPECT_TRUE(std::filesystem::is_directory(home + "/sound/warning"));
  EXPECT_TRUE(std::filesystem::is_directory(home + "/table/curve_limit"));
  EXPECT_FALSE(std::filesystem::exists(home + "/series_data"));
  // The reset is saved at once, with CR LF line ends.
  std::string on_disk = dir.read("korv.ini");
  const std::string head = "[Path]\r\nCurrentPath=" + home + "\r\nSystemMap=";
  EXPECT_EQ(on_disk.substr(0, head.size()), head);
  EXPECT_EQ(start.shell.settings.min_avail_page_file, 1024ULL << 20);
  EXPECT_EQ(start.shell.line_styles.size(), 22u);
}

TEST(Shell_StartupTests, SettledStartWritesNothing) {
  testing::TempDir dir;
  const std::string home = dir.path().string();
  start_shell(home, false, kMachine);
  const std::string before = dir.read("korv.ini");
  std::vector<std::string> created;
  start_shell(home, false, kMachine, [&](const std::string& f) { created.push_back(f); });
  EXPECT_TRUE(created.empty());
  EXPECT_EQ(dir.read("korv.ini"), before);
}

TEST(Shell_StartupTests, LanguageFileDecidesTheUi) {
  testing::TempDir dir;
  dir.write("Language.ini", "[SystemLanguage]\r\nEnglish=1\r\nJapanese=1\r\n");
  EXPECT_EQ(start_shell(dir.path().string(), true, kMachine).language.ui, UiLanguage::Japanese);
  dir.write("Language.ini", "[SystemLanguage]\r\nEnglish=1\r\n");
  ShellStart english = start_shell(dir.path().string(), false, kMachine);
  EXPECT_EQ(english.language.ui, UiLanguage::English);
  // The face still follows the start locale, not the UI.
  EXPECT_NE(english.shell.default_font.face_name, "MS Gothic");
}

TEST(Shell_StartupTests, CloseWritesOverTheFileAsItIsThen) {
  testing::TempDir dir;
  const std::string home = dir.path().string();
  ShellStart start = start_shell(home, false, kMachine);
  // Written by another window after start-up: must survive the close.
  auto now = ini::Document::load_or_empty(start.files.settings_file);
  now.set_string("VOSKDiaGramWindowLine00", "ForLine", "1");
  now.set_string("BackupFile", "qvb", home + "/temp/b.qvb");
  ASSERT_TRUE(now.save(start.files.settings_file));

  start.shell.settings.call_speed = 2;
  CloseState state;
  state.main_window = {1, 2, 3, 4};
  ASSERT_TRUE(save_shell_at_close(start.files, start.shell, state, false));
  auto after = ini::Document::load_or_empty(start.files.settings_file);
  EXPECT_EQ(after.find("VOSKDiaGramWindowLine00", "ForLine"), "1");
  EXPECT_EQ(after.find("BackupFile", "qvb"), "");
  EXPECT_EQ(after.find("Setting", "CallSpeed"), "2");
  EXPECT_EQ(after.find("Path", "CurrentPath"), home);

  ShellStart again = start_shell(home, false, kMachine);
  EXPECT_EQ(again.shell.settings.call_speed, 2);
  EXPECT_EQ(again.shell.main_window, (Rect{1, 2, 3, 4}));
  EXPECT_FALSE(again.shell.start_windows.message);
}

TEST(Shell_StartupTests, UnreadableSettingsFileIsNeverWrittenOver) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir / "korv.ini");  // exists, cannot be read as a file
  std::vector<std::string> created;
  ShellStart start = start_shell(dir.path().string(), false, kMachine,
                                 [&](const std::string& f) { created.push_back(f); });
  EXPECT_EQ(start.folders.data_qvw, dir.path().string() + "/qvw_data/");  // defaults in memory
  EXPECT_FALSE(created.empty());
  EXPECT_TRUE(std::filesystem::is_directory(dir / "korv.ini"));
  EXPECT_FALSE(save_shell_at_close(start.files, start.shell, CloseState{}, false));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "korv.ini"));
}

}  // namespace
}  // namespace vosk::shell
