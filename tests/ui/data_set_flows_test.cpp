// The editor over its own data-set layer: a data set named on the command
// line, an edit and the save question at the close.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/sjis.h"
#include "datafiles/data_set_summary.h"
#include "dia/speed_type.h"
#include "editor_fixture.h"
#include "support/recording_surface.h"
#include "ui/main_menu.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using testing::Layer;
using vosk::testing::sj;
using vosk::testing::TempDir;

constexpr const char* kQuitQuestion =
    "終了します。\n現在のダイヤは変更されています。\n現在のデータを保存しますか？";

// What the main view shows, line by line.
std::vector<std::string> view_texts(Editor& editor) {
  vosk::testing::RecordingSurface surface;
  editor.window().view()->canvas()->draw(surface);
  return surface.texts();
}

bool shows(const std::vector<std::string>& texts, const std::string& line) {
  return std::find(texts.begin(), texts.end(), line) != texts.end();
}

// "VOSK  ＜<dia title>＞  <file title><mark>" for a data set read from disk.
QString expected_title(const datafiles::DataSet& ds, const std::string& file_title,
                       bool edited) {
  return QString::fromUtf8("VOSK  ＜" + sjis::to_utf8_lossy(ds.header.dia.dia_title) + "＞  " +
                           file_title + (edited ? "（更新）" : ""));
}

TEST(Ui_DataSetFlowTests, SampleNamedOnTheCommandLineOpens) {
  TempDir home;
  const std::filesystem::path file = testing::copy_sample(home, "data dir/sample.qvw");
  const datafiles::DataSet on_disk = testing::read_back(file, home.path().string());
  ASSERT_GT(datafiles::run_count(on_disk.dia), 0);

  // As the program gets it: vosk --home DIR "<path with a space>/sample.qvw".
  Editor editor(home, Layer::DataSet, {file.string()});
  EXPECT_EQ(editor.window().windowTitle(), QStringLiteral("VOSK"));  // nothing before the tick
  editor.window().first_tick();

  EXPECT_EQ(editor.prompt.count(), 0u);  // no error, no recovery question
  const datafiles::DocumentState& doc = editor.data_set().state();
  EXPECT_TRUE(doc.data_loaded);
  EXPECT_FALSE(doc.edited);
  EXPECT_EQ(doc.dia_path, file);
  EXPECT_TRUE(doc.can_save_in_place());
  EXPECT_EQ(editor.window().windowTitle(), expected_title(on_disk, "sample", false));

  // The layer's summary lists the map, the dia and every table size of the
  // data set as it is on disk; the view now shows its track panel instead.
  const std::vector<std::string> texts = editor.data_set().summary();
  const std::vector<std::string> summary = datafiles::data_set_summary(on_disk, false);
  ASSERT_GE(summary.size(), 3u);
  EXPECT_EQ(summary[0], "マップ：" + sjis::to_utf8_lossy(on_disk.header.map.map_name));
  for (const std::string& line : summary) EXPECT_TRUE(shows(texts, line)) << line;
  EXPECT_TRUE(shows(texts, "列車: " + std::to_string(datafiles::run_count(on_disk.dia))));
  EXPECT_NE(editor.window().view()->panel(), nullptr);
  EXPECT_FALSE(shows(view_texts(editor), "データセットは開かれていません。"));

  // The message window was told what was opened.
  EXPECT_EQ(sjis::to_utf8_lossy(editor.state().messages.line_back(1)),
            "マップデータ「" + sjis::to_utf8_lossy(on_disk.header.map.map_name) + "」を開きました。");
  EXPECT_EQ(editor.state().busy.state(), shell::BusyState::Free);
  EXPECT_TRUE(editor.state().ready);
}

TEST(Ui_DataSetFlowTests, MissingFileOnTheCommandLineIsToldAndTheEditorStaysEmpty) {
  TempDir home;
  const std::string missing = (home / "qvw_data" / "no such.qvw").string();
  Editor editor(home, Layer::DataSet, {missing});
  editor.window().first_tick();

  ASSERT_EQ(editor.prompt.count(), 1u);
  EXPECT_EQ(editor.prompt.last().caption, "ファイル読み込みエラー");
  EXPECT_EQ(editor.prompt.last().buttons, Buttons::Ok);
  EXPECT_NE(editor.prompt.last().text.find(missing), std::string::npos);

  EXPECT_FALSE(editor.data_set().state().data_loaded);
  EXPECT_TRUE(editor.data_set().state().dia_path.empty());
  // The loading title is replaced by the plain one again.
  EXPECT_EQ(editor.window().windowTitle(), QStringLiteral("VOSK"));
  EXPECT_TRUE(shows(view_texts(editor), "データセットは開かれていません。"));
  // Still running, with the file commands usable.
  EXPECT_TRUE(editor.window().timer().isActive());
  EXPECT_TRUE(editor.state().ready);
  EXPECT_TRUE(editor.window().action(cmd::kOpenDia)->isEnabled());
  EXPECT_EQ(editor.state().busy.state(), shell::BusyState::Free);
  EXPECT_TRUE(editor.window().close());  // nothing to save: no question
  EXPECT_EQ(editor.prompt.count(), 1u);
}

// A copy of the sample in the program's dia folder, opened from the command
// line, and a speed type added to it through the data-set layer.
struct EditedSample {
  TempDir home;
  std::filesystem::path file = testing::copy_sample(home, "qvw_data/line.qvw");
  std::string original = home.read("qvw_data/line.qvw");
  datafiles::DataSet on_disk = testing::read_back(file, home.path().string());
  Editor editor{home, Layer::DataSet, {file.string()}};
  dia::SpeedType added;

  EditedSample() {
    editor.window().first_tick();
    added.measuring_series = 1;
    added.max_speed = 95;
    added.short_name = sj("臨快");
    added.name = sj("臨時快速");
  }

  bool add_speed_type() {
    return editor.data_set().apply([this](datafiles::DataSet& ds) {
      return dia::add_speed_type(ds.classification.speed_types, added);
    });
  }
};

TEST(Ui_DataSetFlowTests, AnEditMarksTheTitleARefusedOneDoesNot) {
  EditedSample s;
  ASSERT_TRUE(s.editor.data_set().state().data_loaded);
  EXPECT_EQ(s.editor.window().windowTitle(), expected_title(s.on_disk, "line", false));

  // A refused edit is told and leaves the data set unedited.
  EXPECT_FALSE(s.editor.data_set().apply([&](datafiles::DataSet& ds) {
    return dia::edit_speed_type(ds.classification.speed_types, 999, s.added);
  }));
  ASSERT_EQ(s.editor.prompt.count(), 1u);
  EXPECT_EQ(s.editor.prompt.last().caption, "操作エラー");
  EXPECT_FALSE(s.editor.data_set().state().edited);
  EXPECT_EQ(s.editor.window().windowTitle(), expected_title(s.on_disk, "line", false));

  // A done edit changes the model, sets the flag and the title follows at once.
  const int before = s.editor.data_set().data().classification.speed_types.extent();
  ASSERT_TRUE(s.add_speed_type());
  EXPECT_EQ(s.editor.data_set().data().classification.speed_types.extent(), before + 1);
  EXPECT_TRUE(s.editor.data_set().state().edited);
  EXPECT_EQ(s.editor.window().windowTitle(), expected_title(s.on_disk, "line", true));
  EXPECT_TRUE(shows(s.editor.data_set().summary(), "速度種別: " + std::to_string(before + 1)));
  EXPECT_EQ(s.home.read("qvw_data/line.qvw"), s.original);  // nothing written yet
}

TEST(Ui_DataSetFlowTests, TrainNumbersAreSetAfterTheQuestionAndMarkTheDataSetEdited) {
  EditedSample s;
  QAction* serial = s.editor.window().action(cmd::kNumberSerial);
  ASSERT_TRUE(serial->isEnabled());

  // No: nothing changes.
  s.editor.prompt.script({Answer::No});
  s.editor.window().run_command(cmd::kNumberSerial);
  ASSERT_EQ(s.editor.prompt.count(), 1u);
  EXPECT_EQ(s.editor.prompt.last().caption, "列車番号自動設定確認");
  EXPECT_FALSE(s.editor.data_set().state().edited);

  // Yes: the first down run in running order is "1", and the title shows the edit.
  s.editor.prompt.script({Answer::Yes});
  s.editor.window().run_command(cmd::kNumberSerial);
  const dia::DiagramTable& runs = s.editor.data_set().data().dia.diagrams;
  bool has_one = false;
  for (int n = 1; n <= runs.extent(); ++n) has_one = has_one || runs[n].train_number == "1";
  EXPECT_TRUE(has_one);
  EXPECT_TRUE(s.editor.data_set().state().edited);
  EXPECT_EQ(s.editor.window().windowTitle(), expected_title(s.on_disk, "line", true));
}

TEST(Ui_DataSetFlowTests, DataSetCommandsAreGreyedWhileNothingIsOpen) {
  TempDir home;
  Editor editor(home, Layer::DataSet);
  for (int id : {cmd::kNumberByUnit, cmd::kNumberSerial, cmd::kTrainGraphWindow})
    EXPECT_FALSE(editor.window().action(id)->isEnabled()) << id;
}

TEST(Ui_DataSetFlowTests, EditsAreRefusedWhileNothingIsOpen) {
  TempDir home;
  Editor editor(home, Layer::DataSet);
  bool ran = false;
  EXPECT_FALSE(editor.data_set().apply([&](datafiles::DataSet&) {
    ran = true;
    return dia::EditResult::done();
  }));
  editor.data_set().mark_edited();
  EXPECT_FALSE(ran);
  EXPECT_FALSE(editor.data_set().state().edited);
  EXPECT_EQ(editor.window().windowTitle(), QStringLiteral("VOSK"));
}

TEST(Ui_DataSetFlowTests, CloseAnsweredNoLeavesTheFileAsItWas) {
  EditedSample s;
  ASSERT_TRUE(s.add_speed_type());
  s.editor.prompt.script({Answer::No});
  EXPECT_TRUE(s.editor.window().close());
  ASSERT_EQ(s.editor.prompt.count(), 1u);
  EXPECT_EQ(s.editor.prompt.last().caption, "終了確認");
  EXPECT_EQ(s.editor.prompt.last().text, kQuitQuestion);
  EXPECT_EQ(s.editor.prompt.last().buttons, Buttons::YesNoCancel);
  EXPECT_TRUE(s.editor.files.saved.empty());
  EXPECT_FALSE(s.editor.window().timer().isActive());
  EXPECT_EQ(s.home.read("qvw_data/line.qvw"), s.original);
  // Nothing else was saved beside it either.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(s.home / "qvw_data"),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(Ui_DataSetFlowTests, CloseAnsweredCancelStaysOpenAndEdited) {
  EditedSample s;
  ASSERT_TRUE(s.add_speed_type());
  s.editor.prompt.script({Answer::Cancel});
  EXPECT_FALSE(s.editor.window().close());
  EXPECT_EQ(s.editor.prompt.count(), 1u);
  EXPECT_TRUE(s.editor.files.saved.empty());
  EXPECT_TRUE(s.editor.window().timer().isActive());
  EXPECT_TRUE(s.editor.state().ready);
  EXPECT_TRUE(s.editor.data_set().state().edited);
  EXPECT_EQ(s.editor.window().windowTitle(), expected_title(s.on_disk, "line", true));
  EXPECT_EQ(s.home.read("qvw_data/line.qvw"), s.original);
  // The next close asks again.
  s.editor.prompt.script({Answer::No});
  EXPECT_TRUE(s.editor.window().close());
  EXPECT_EQ(s.editor.prompt.count(), 2u);
}

TEST(Ui_DataSetFlowTests, CloseAnsweredYesSavesThroughTheDialogThenCloses) {
  EditedSample s;
  ASSERT_TRUE(s.add_speed_type());
  // Yes runs Save dia as; a cancelled dialog leaves the work unsaved and the
  // question comes again; the second time the user saves over the file.
  s.editor.prompt.script({Answer::Yes, Answer::Yes});
  s.editor.files.script(std::nullopt);
  s.editor.files.script(s.file.string());
  EXPECT_TRUE(s.editor.window().close());
  EXPECT_EQ(s.editor.prompt.count(), 2u);
  ASSERT_EQ(s.editor.files.saved.size(), 2u);
  EXPECT_EQ(s.editor.files.saved[0].default_suffix, QStringLiteral("qvw"));
  EXPECT_EQ(s.editor.files.saved[0].folder.toStdString(), (s.home / "qvw_data").string() + "/");
  EXPECT_FALSE(s.editor.data_set().state().edited);
  EXPECT_EQ(sjis::to_utf8_lossy(s.editor.state().messages.line_back(1)),
            "マップデータ「" + sjis::to_utf8_lossy(s.on_disk.header.map.map_name) +
                "」を保存しました。");

  // The file opens again with the edit and everything else as it was.
  EXPECT_NE(s.home.read("qvw_data/line.qvw"), s.original);
  const datafiles::DataSet saved = testing::read_back(s.file, s.home.path().string());
  const auto& types = saved.classification.speed_types;
  ASSERT_EQ(types.extent(), s.on_disk.classification.speed_types.extent() + 1);
  EXPECT_EQ(types[types.extent()].name, sj("臨時快速"));
  EXPECT_EQ(types[types.extent()].short_name, sj("臨快"));
  EXPECT_EQ(types[types.extent()].max_speed, 95);
  EXPECT_EQ(datafiles::data_set_summary(saved, false)[0],
            datafiles::data_set_summary(s.on_disk, false)[0]);
  EXPECT_EQ(datafiles::run_count(saved.dia), datafiles::run_count(s.on_disk.dia));
}

}  // namespace
}  // namespace vosk::ui
