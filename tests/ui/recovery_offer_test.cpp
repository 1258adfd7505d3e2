// The recovery offer on the editor's first tick after an abnormal end: the
// dia backup named in korv.ini [BackupFile], with its rollback file.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/ini.h"
#include "base/sjis.h"
#include "datafiles/executed_state.h"
#include "datafiles/recovery.h"
#include "datafiles/stack_member.h"
#include "editor_fixture.h"
#include "ui/main_menu.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using testing::Layer;
using vosk::testing::TempDir;

// A program folder left behind by an abnormal end: the sample as the dia
// backup in the temp folder, named in [BackupFile] with a rollback file.
struct CrashedHome {
  TempDir home;
  std::filesystem::path backup = testing::copy_sample(home, "temp/backup.qvb");
  std::string backup_bytes = home.read("temp/backup.qvb");
  datafiles::DataSet on_disk = testing::read_back(backup, home.path().string());

  void name_in_settings(const std::string& qvb, const std::string& stack,
                        const char* backup_setting = "1") {
    home.write("korv.ini", "[Setting]\r\nBackupFile=" + std::string(backup_setting) +
                               "\r\n[BackupFile]\r\nqvb=" + qvb + "\r\nstack=" + stack + "\r\n");
  }
  std::string settings_key(const char* key) const {
    return ini::Document::load_or_empty(home / "korv.ini").get_string("BackupFile", key, "?");
  }
};

int first_run(const datafiles::DataSet& ds) {
  for (int i = 1; i <= ds.dia.diagrams.extent(); ++i)
    if (ds.dia.diagrams[i].direction != 0) return i;
  return 0;
}

TEST(Ui_RecoveryOfferTests, YesOpensTheBackupAndRestoresTheRollbackFile) {
  CrashedHome crashed;
  // The rollback file holds a later state of the backup's dia: one run
  // renumbered.
  const int run = first_run(crashed.on_disk);
  ASSERT_GT(run, 0);
  datafiles::DataSet later = crashed.on_disk;
  later.dia.diagrams[run].train_number = "9999X";
  const std::filesystem::path stack = crashed.home.write(
      "temp/roll_back_4.csv",
      datafiles::stack_member_text(datafiles::make_snapshot(later, 8 * 3600)));
  crashed.name_in_settings(crashed.backup.string(), stack.string());

  Editor editor(crashed.home, Layer::DataSet);
  std::vector<shell::BusyState> busy;
  std::vector<bool> ready;
  editor.prompt.on_ask = [&] {
    busy.push_back(editor.state().busy.state());
    ready.push_back(editor.state().ready);
  };
  editor.prompt.script({Answer::Yes});
  editor.window().first_tick();

  ASSERT_EQ(editor.prompt.count(), 1u);
  EXPECT_EQ(editor.prompt.last().caption, "読み込み確認");
  EXPECT_EQ(editor.prompt.last().text, datafiles::kRecoveryQuestion);
  EXPECT_EQ(editor.prompt.last().buttons, Buttons::YesNo);
  // Asked as a modal operation of the main window, free again afterwards.
  EXPECT_EQ(busy, std::vector<shell::BusyState>{shell::BusyState::MainWindow});
  EXPECT_EQ(ready, std::vector<bool>{false});
  EXPECT_EQ(editor.state().busy.state(), shell::BusyState::Free);
  EXPECT_TRUE(editor.state().ready);

  // The backup's data with the rollback file's state on top.
  const DataSetDocument& doc = editor.data_set();
  ASSERT_TRUE(doc.state().data_loaded);
  EXPECT_EQ(doc.data().dia.diagrams[run].train_number, "9999X");
  EXPECT_EQ(doc.data().header.map.map_name, crashed.on_disk.header.map.map_name);
  EXPECT_EQ(sjis::to_utf8_lossy(editor.state().messages.line_back(0)),
            "ロールバックデータを復元しました。");
  // The backup never becomes the current file, and the recovered work is
  // not lost to a careless close: it counts as unsaved.
  EXPECT_TRUE(doc.state().dia_path.empty());
  EXPECT_TRUE(doc.state().executed_path.empty());
  EXPECT_TRUE(doc.state().file_title.empty());
  EXPECT_TRUE(doc.state().edited);
  EXPECT_EQ(editor.window().windowTitle(),
            QString::fromUtf8("VOSK  ＜" + sjis::to_utf8_lossy(crashed.on_disk.header.dia.dia_title) +
                              "＞  （更新）"));

  // Save dia asks for a name instead of writing into the backup.
  editor.files.script(std::nullopt);
  editor.window().run_command(cmd::kSaveDia);
  EXPECT_EQ(editor.files.saved.size(), 1u);
  EXPECT_EQ(crashed.home.read("temp/backup.qvb"), crashed.backup_bytes);

  // The close asks; a normal end then leaves nothing to recover.
  editor.prompt.script({Answer::No});
  EXPECT_TRUE(editor.window().close());
  EXPECT_EQ(editor.prompt.last().caption, "終了確認");
  EXPECT_EQ(crashed.settings_key("qvb"), "");
  EXPECT_EQ(crashed.settings_key("stack"), "");
  EXPECT_TRUE(std::filesystem::exists(crashed.backup));
}

TEST(Ui_RecoveryOfferTests, NoOpensNothingAndKeepsTheBackupUntilANormalClose) {
  CrashedHome crashed;
  crashed.name_in_settings(crashed.backup.string(), "");
  Editor editor(crashed.home, Layer::DataSet);
  editor.prompt.script({Answer::No});
  editor.window().first_tick();
  editor.window().first_tick();  // asked once only

  EXPECT_EQ(editor.prompt.count(), 1u);
  EXPECT_FALSE(editor.data_set().state().data_loaded);
  EXPECT_EQ(editor.window().windowTitle(), QStringLiteral("VOSK"));
  EXPECT_EQ(editor.state().busy.state(), shell::BusyState::Free);
  // Declining changes no file: the backup and its entry stay until the
  // program ends normally, which empties the entry (the file is not the
  // program's to delete).
  EXPECT_EQ(crashed.settings_key("qvb"), crashed.backup.string());
  EXPECT_TRUE(editor.window().close());
  EXPECT_EQ(editor.prompt.count(), 1u);  // nothing edited: no save question
  EXPECT_EQ(crashed.settings_key("qvb"), "");
  EXPECT_EQ(crashed.home.read("temp/backup.qvb"), crashed.backup_bytes);
}

TEST(Ui_RecoveryOfferTests, NoOfferWhileAutomaticBackupIsOffOrNothingIsNamed) {
  for (const char* backup_setting : {"0", "1"}) {
    SCOPED_TRACE(backup_setting);
    CrashedHome crashed;
    const bool on = backup_setting[0] == '1';
    crashed.name_in_settings(on ? "" : crashed.backup.string(), "", backup_setting);
    Editor editor(crashed.home, Layer::DataSet);
    editor.window().first_tick();
    EXPECT_EQ(editor.prompt.count(), 0u);
    EXPECT_FALSE(editor.data_set().state().data_loaded);
  }
}

TEST(Ui_RecoveryOfferTests, UnusableFilesAreToldAndWhatOpenedStays) {
  {
    SCOPED_TRACE("the backup is gone");
    CrashedHome crashed;
    const std::string gone = (crashed.home / "temp" / "gone.qvb").string();
    crashed.name_in_settings(gone, "");
    Editor editor(crashed.home, Layer::DataSet);
    editor.prompt.script({Answer::Yes});
    editor.window().first_tick();
    ASSERT_EQ(editor.prompt.count(), 2u);
    EXPECT_EQ(editor.prompt.last().caption, "ファイル読み込みエラー");
    EXPECT_NE(editor.prompt.last().text.find(gone), std::string::npos);
    EXPECT_FALSE(editor.data_set().state().data_loaded);
    EXPECT_FALSE(editor.data_set().state().edited);
    EXPECT_EQ(editor.window().windowTitle(), QStringLiteral("VOSK"));
  }
  {
    SCOPED_TRACE("the rollback file is gone");
    CrashedHome crashed;
    const std::string gone = (crashed.home / "temp" / "roll_back_1.csv").string();
    crashed.name_in_settings(crashed.backup.string(), gone);
    Editor editor(crashed.home, Layer::DataSet);
    editor.prompt.script({Answer::Yes});
    editor.window().first_tick();
    ASSERT_EQ(editor.prompt.count(), 2u);
    EXPECT_EQ(editor.prompt.last().caption, "ファイル読み込みエラー");
    EXPECT_NE(editor.prompt.last().text.find(gone), std::string::npos);
    // The backup itself is open, as unsaved work.
    EXPECT_TRUE(editor.data_set().state().data_loaded);
    EXPECT_TRUE(editor.data_set().state().edited);
    EXPECT_TRUE(editor.data_set().state().dia_path.empty());
  }
}

}  // namespace
}  // namespace vosk::ui
