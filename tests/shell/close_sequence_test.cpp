#include "shell/close_sequence.h"

#include <gtest/gtest.h>

#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::shell {
namespace {

using testing::ScriptedPrompt;
using testing::sj;

constexpr MachineMemory kMachine{1ULL << 33};  // 8 GiB: default limit 819 MB

CloseState normal_close() {
  CloseState s;
  s.train_graph_exists = true;
  s.message_exists = true;
  s.main_window = {10, 20, 1010, 770};
  return s;
}

std::vector<std::string> section_order(const std::string& text) {
  std::vector<std::string> out;
  std::size_t at = 0;
  while ((at = text.find('[', at)) != std::string::npos) {
    std::size_t end = text.find(']', at);
    out.push_back(text.substr(at + 1, end - at - 1));
    at = end;
  }
  return out;
}

TEST(Shell_CloseSequenceTests, FreshFileIsWrittenInCloseOrder) {
  ShellSettings shell = read_shell_settings(ini::Document{}, false, kMachine);
  ini::Document doc;
  write_close_settings(doc, shell, normal_close(), false);
  std::vector<std::string> expected{"BackupFile",    "VOSKDiaGramWindow", "VOSKTimeTableWindow",
                                    "VOSKMsgWindow", "VOSKDiaEditWindow", "VOSKMainWindow",
                                    "Setting"};
  for (const LineStyle& s : shell.line_styles)
    expected.push_back(line_style_section("MainWindow", s.id));
  expected.push_back("DefaultFont");
  const std::string text = doc.text();
  EXPECT_EQ(section_order(text), expected);
  EXPECT_EQ(text.substr(0, text.find("[Setting]")),
            "[BackupFile]\nqvb=\nstack=\n"
            "[VOSKDiaGramWindow]\nopen=1\n"
            "[VOSKTimeTableWindow]\nopen=0\n"
            "[VOSKMsgWindow]\nopen=1\n"
            "[VOSKDiaEditWindow]\nopen=0\n"
            "[VOSKMainWindow]\nPosLeft=10\nPosTop=20\nPosRight=1010\nPosBottom=770\n");
  EXPECT_EQ(doc.find("Setting", "MinAvailPageFile"), "819");
  EXPECT_EQ(doc.find("DefaultFont", "FaceName"), sj("ＭＳ ゴシック"));
  EXPECT_FALSE(doc.find("DefaultFont", "FaceNameEnglish"));
}

TEST(Shell_CloseSequenceTests, MinimisedOrMaximisedKeepsTheStoredPlacement) {
  auto stored =
      ini::Document::parse("[VOSKMainWindow]\nPosLeft=5\nPosTop=6\nPosRight=705\nPosBottom=506\n");
  ShellSettings shell = read_shell_settings(stored, false, kMachine);
  EXPECT_EQ(shell.main_window, (Rect{5, 6, 705, 506}));
  for (bool minimised : {true, false}) {
    ini::Document doc = stored;
    CloseState state = normal_close();
    state.minimised = minimised;
    state.maximised = !minimised;
    state.main_window = {-32000, -32000, -31840, -31973};
    write_close_settings(doc, shell, state, false);
    EXPECT_EQ(read_placement(doc, kMainWindowSection, {}), (Rect{5, 6, 705, 506}));
  }
}

// A settings file as a previous close left it, with the sibling simulator's
// keys, comments, odd spacing and Japanese sections mixed in.
std::string lived_in_file() {
  ShellSettings shell = read_shell_settings(ini::Document{}, false, kMachine);
  ini::Document doc = ini::Document::parse(
      "; written by hand\n"
      "[Path]\nCurrentPath=/p\nSimulatorPath = /sim \n"
      "[Setting]\nSimOnlyBefore=1\n"
      "[" +
      sj("運転設定") + "]\n" + sj("速度") + "=\"quoted\"\n\n");
  write_close_settings(doc, shell, normal_close(), false);
  doc.set_string("Setting", "SimOnlyAfter", "x y");
  doc.set_string("DefaultFont", "Charset", "128");
  doc.set_string("VOSKMainWindow", "Extra", "");
  return doc.text();
}

TEST(Shell_CloseSequenceTests, UnchangedSettingsRoundTripByteForByte) {
  const std::string before = lived_in_file();
  ini::Document doc = ini::Document::parse(before);
  ShellSettings shell = read_shell_settings(doc, false, kMachine);
  write_close_settings(doc, shell, normal_close(), false);
  EXPECT_EQ(doc.text(), before);
}

TEST(Shell_CloseSequenceTests, ChangedSettingsKeepUnknownKeys) {
  ini::Document doc = ini::Document::parse(lived_in_file());
  ShellSettings shell = read_shell_settings(doc, false, kMachine);
  shell.settings.call_speed = 16;
  shell.line_styles[0].red = 1;
  CloseState state = normal_close();
  state.timetable_exists = true;
  write_close_settings(doc, shell, state, false);
  const std::string after = doc.text();
  for (const std::string& kept :
       {std::string("; written by hand\n"), std::string("SimulatorPath = /sim \n"),
        std::string("SimOnlyBefore=1\n"), std::string("SimOnlyAfter=x y\n"),
        sj("速度") + "=\"quoted\"\n", std::string("Charset=128\n"), std::string("Extra=\n")})
    EXPECT_NE(after.find(kept), std::string::npos) << kept;
  EXPECT_EQ(doc.find("Setting", "CallSpeed"), "16");
  EXPECT_EQ(doc.find("MainWindowLine17", "ColorRValue"), "1");
  EXPECT_EQ(doc.find("VOSKTimeTableWindow", "open"), "1");
}

TEST(Shell_CloseSequenceTests, BackupKeysAreEmptiedAtANormalEnd) {
  auto doc = ini::Document::parse(
      "[BackupFile]\nqvb=/p/temp/backup.qvb\nstack=/p/temp/s.csv\n"
      "other=keep\n");
  write_close_settings(doc, read_shell_settings(doc, false, kMachine), normal_close(), false);
  EXPECT_EQ(doc.find("BackupFile", "qvb"), "");
  EXPECT_EQ(doc.find("BackupFile", "stack"), "");
  EXPECT_EQ(doc.find("BackupFile", "other"), "keep");
}

TEST(Shell_CloseSequenceTests, StartWindowsFollowTheirOpenKeys) {
  auto doc = ini::Document::parse(
      "[VOSKDiaGramWindow]\nopen=0\n[VOSKMsgWindow]\nopen=2\n"
      "[VOSKDiaEditWindow]\nopen=1\n");
  StartWindows w = read_shell_settings(doc, true, kMachine).start_windows;
  EXPECT_FALSE(w.train_graph);
  EXPECT_TRUE(w.timetable);  // missing: open
  EXPECT_TRUE(w.message);
  EXPECT_EQ(read_shell_settings(doc, true, kMachine).default_font.face_name, "MS Gothic");
}

TEST(Shell_CloseSequenceTests, BusyLockRefusesBeforeTheSaveQuestion) {
  BusyLock busy;
  busy.lock(BusyState::TrainGraphWindow);
  ScriptedPrompt prompt;
  int asked = 0;
  auto question = [&](const std::string&, const std::string&) { return ++asked, true; };
  EXPECT_FALSE(may_close(busy, prompt, UiLanguage::Japanese, question));
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(prompt.last().text, "ダイヤグラムウインドウが作業中です。\n");
}

TEST(Shell_CloseSequenceTests, SaveQuestionDecidesAndSpeaksTheUiLanguage) {
  BusyLock busy;
  ScriptedPrompt prompt;
  std::vector<std::pair<std::string, std::string>> asked;
  bool answer = false;
  auto question = [&](const std::string& text, const std::string& caption) {
    asked.emplace_back(text, caption);
    return answer;
  };
  EXPECT_FALSE(may_close(busy, prompt, UiLanguage::Japanese, question));
  answer = true;
  EXPECT_TRUE(may_close(busy, prompt, UiLanguage::English, question));
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], (std::pair<std::string, std::string>{"終了します。", "終了確認"}));
  EXPECT_EQ(asked[1], (std::pair<std::string, std::string>{"Quit.", "Confirmation of Quiting"}));
  EXPECT_EQ(prompt.count(), 0u);
}

}  // namespace
}  // namespace vosk::shell
