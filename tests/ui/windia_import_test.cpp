// WinDIA files imported in the editor: from the command line into a fresh,
// unnamed data set, and a file that cannot be read.
#include <gtest/gtest.h>

#include "base/sjis.h"
#include "editor_fixture.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using testing::Layer;
using vosk::testing::sj;
using vosk::testing::TempDir;

TEST(Ui_WindiaImportTests, ACommandLineFileBecomesAnUnnamedEditedDataSet) {
  TempDir home;
  home.write("korv.ini", "[Setting]\r\nBackupFile=0\r\n");
  const std::filesystem::path file = home.write(
      "old.dia", sj("[WinDIA]\r\n試験線\r\n\r\n[駅]\r\np,甲\r\n,乙\r\n\r\n[線種]\r\nLINES=112,\r\n"
                    "Train00=普通,普\r\n\r\n[下り]\r\n0,101,,0,600,610\r\n"
                    "0,123456789012345678901234,,0,700,710\r\n\r\n[上り]\r\n\r\n"));
  Editor editor(home, Layer::DataSet, {file.string()});
  editor.window().first_tick();

  EXPECT_EQ(editor.prompt.count(), 0u);
  const datafiles::DocumentState& doc = editor.data_set().state();
  ASSERT_TRUE(doc.data_loaded);
  EXPECT_TRUE(doc.edited);  // lives in no file yet
  EXPECT_TRUE(doc.dia_path.empty());
  EXPECT_FALSE(doc.can_save_in_place());
  const datafiles::DataSet& ds = editor.data_set().data();
  EXPECT_EQ(ds.header.dia.dia_title, sj("試験線"));
  EXPECT_EQ(ds.header.wdia_mode, 1);
  EXPECT_EQ(ds.map.stations.extent(), 2);
  EXPECT_EQ(ds.dia.diagrams.extent(), 2);
  EXPECT_TRUE(editor.window().windowTitle().contains(QString::fromUtf8("試験線")));
  // The train number too long for its field is reported in the message window.
  bool warned = false;
  for (int i = 0; i < shell::MessageRing::kLines; ++i)
    warned =
        warned || sjis::to_utf8_lossy(editor.state().messages.line(i))
                          .find("train 12345678901234567890: a text longer") != std::string::npos;
  EXPECT_TRUE(warned);
}

TEST(Ui_WindiaImportTests, AnUnreadableFileIsToldAndNothingOpens) {
  TempDir home;
  home.write("korv.ini", "[Setting]\r\nBackupFile=0\r\n");
  const std::string missing = (home / "none.dia").string();
  Editor editor(home, Layer::DataSet, {missing});
  editor.window().first_tick();
  ASSERT_EQ(editor.prompt.count(), 1u);
  EXPECT_EQ(editor.prompt.last().caption, "ファイル読み込みエラー");
  EXPECT_EQ(editor.prompt.last().text, "読み込みファイル'" + missing + "'は開けませんでした。\n");
  EXPECT_FALSE(editor.data_set().state().data_loaded);
}

}  // namespace
}  // namespace vosk::ui
