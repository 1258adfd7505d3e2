// The property dialogs of the Dia menu and the formation dialog, on the
// bundled sample: a value is changed, the dialog accepted (or refused) and
// the model checked.
#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>

#include "editor_fixture.h"
#include "ui/dia_property_dialog.h"
#include "ui/formation_dialog.h"
#include "ui/dialog_support.h"
#include "ui/main_menu.h"
#include "stock/stock_fixtures.h"
#include "ui/series_list_dialog.h"
#include "ui/speed_types_dialog.h"
#include "ui/stop_times_dialog.h"
#include "ui/train_types_dialog.h"
#include "ui/unit_times_dialog.h"

namespace vosk::ui {
namespace {

using vosk::testing::TempDir;
constexpr auto kJapanese = shell::UiLanguage::Japanese;

class Ui_DiaDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = testing::copy_sample(home_, "sample.qvw");
    ds_ = testing::read_back(file_, home_.path().string());
  }

  TempDir home_;
  std::filesystem::path file_;
  datafiles::DataSet ds_;
  stock::StockFolders folders_;
  vosk::testing::ScriptedPrompt prompt_;
};

TEST_F(Ui_DiaDialogs, TheMenuCommandStoresTheUnitAndMarksTheDiaEdited) {
  home_.write("korv.ini", "[VOSKDiaGramWindow]\r\nopen=0\r\n[Setting]\r\nBackupFile=0\r\n");
  testing::Editor editor(home_, testing::Layer::DataSet, {file_.string()});
  editor.window().first_tick();
  ASSERT_NE(editor.data_set().data_set(), nullptr);
  ASSERT_FALSE(editor.data_set().state().edited);
  bool refused_and_kept_open = false;
  // The dialog runs modally: drive it once it is up.
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<UnitTimesDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->unit()->setValue(0);
    QTest::keyClick(dialog, Qt::Key_Return);  // Enter is OK
    refused_and_kept_open = dialog->isVisible() && dialog->focusWidget() == dialog->unit() &&
                            editor.prompt.count() == 1 &&
                            editor.prompt.last().caption == "入力データエラー";
    dialog->unit()->setValue(30);
    dialog->standard()->setValue(60);
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  editor.window().run_command(cmd::kUnitAndStandardTimes);
  EXPECT_TRUE(refused_and_kept_open);
  const datafiles::DataSet& ds = *editor.data_set().data_set();
  EXPECT_EQ(ds.header.dia.unit, 30);
  EXPECT_EQ(ds.header.dia.standard, 60);
  EXPECT_TRUE(editor.data_set().state().edited);
}

TEST_F(Ui_DiaDialogs, TheDiaMenuOpensTheFormationsAndAChangeIsOneUndoStep) {
  home_.write("korv.ini", "[VOSKDiaGramWindow]\r\nopen=0\r\n[Setting]\r\nBackupFile=0\r\n");
  testing::Editor editor(home_, testing::Layer::DataSet, {file_.string()});
  editor.window().first_tick();
  ASSERT_NE(editor.data_set().data_set(), nullptr);
  ASSERT_EQ(editor.window().dia_edit_window(), nullptr);
  const datafiles::DataSet& ds = *editor.data_set().data_set();
  const int units = ds.dia.units.extent();
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<FormationDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    editor.prompt.script({Answer::No});  // keep the removed formation's runs
    dialog->remove_rear();
    dialog->accept();
  });
  editor.window().run_command(cmd::kFormations);
  ASSERT_EQ(ds.dia.units.extent(), units - 1);
  EXPECT_TRUE(editor.data_set().state().edited);
  dia::UndoHistory& history = editor.window().dia_history();
  ASSERT_EQ(history.undo_name(), "編成・仕業設定");
  ASSERT_TRUE(history.undo(editor.data_set().data_set()->dia));
  EXPECT_EQ(ds.dia.units.extent(), units);
}

TEST_F(Ui_DiaDialogs, EscapeLeavesTheDiaPropertyAsItWas) {
  const std::string title = ds_.header.dia.dia_title;
  DiaPropertyDialog dialog(ds_, prompt_, kJapanese, nullptr);
  dialog.title()->setText(QStringLiteral("changed"));
  dialog.hour()->setValue(29);  // past 28:00:00
  dialog.try_accept();
  EXPECT_EQ(prompt_.last().text, "時刻が不正です。再設定して下さい。\n");
  EXPECT_EQ(dialog.focusWidget(), dialog.hour());
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(ds_.header.dia.dia_title, title);
}

TEST_F(Ui_DiaDialogs, TrainTypesAreStoredOnlyOnOk) {
  const int types = ds_.classification.train_types.extent();
  TrainTypesDialog dialog(ds_.classification.train_types, prompt_, kJapanese, nullptr);
  dialog.types()->setCurrentRow(1);
  dialog.name()->setText(QString::fromUtf8("快速列車"));
  dialog.line_width()->setCurrentIndex(dialog.line_width()->findData(1500));
  dialog.add_type();
  EXPECT_EQ(dialog.types()->currentRow(), types);  // the new one is selected
  EXPECT_EQ(ds_.classification.train_types.extent(), types);  // not stored yet
  dialog.try_accept();
  const dia::TrainTypeTable& t = ds_.classification.train_types;
  ASSERT_EQ(t.extent(), types + 1);
  EXPECT_EQ(from_cp932(t[2].name), QString::fromUtf8("快速列車"));
  EXPECT_EQ(t[2].line_width, 1500);
  EXPECT_EQ(from_cp932(t[types + 1].short_name), QString::fromUtf8("新規"));
}

TEST_F(Ui_DiaDialogs, ANegativeMaximumSpeedKeepsTheSelectionAndCancelRestores) {
  const int max_speed = ds_.classification.speed_types[1].max_speed;
  SpeedTypesDialog dialog(ds_, prompt_, kJapanese, nullptr);
  dialog.max_speed()->setValue(-5);
  dialog.add_speed_type();
  EXPECT_EQ(prompt_.last().text, "最高速度は正の値しか指定できません。");
  EXPECT_EQ(dialog.focusWidget(), dialog.max_speed());
  dialog.max_speed()->setValue(max_speed + 10);
  dialog.add_speed_type();
  EXPECT_EQ(ds_.classification.speed_types[1].max_speed, max_speed + 10);  // applied at once
  dialog.reject();
  EXPECT_EQ(ds_.classification.speed_types[1].max_speed, max_speed);
}

// The sample's first duty runs two formations and has no room for a third.
TEST_F(Ui_DiaDialogs, TheRearFormationIsRemovedAndCoupledAgain) {
  const int units = ds_.dia.units.extent();
  FormationDialog dialog(ds_, folders_, prompt_, kJapanese, 1, nullptr);
  ASSERT_EQ(dialog.formations()->count(), 2);
  const int rear_series = ds_.dia.units[ds_.dia.units[ds_.dia.trains[1].head_unit].unit_behind].series;
  int offered = 0;
  dialog.ask_values = [&](const FormationValues& initial) {
    offered = initial.series;  // the series of the formation it couples to
    return std::optional<FormationValues>(FormationValues{"X", initial.series});
  };
  dialog.add_rear();
  EXPECT_EQ(prompt_.last().caption, "編成長エラー");
  EXPECT_EQ(ds_.dia.units.extent(), units);
  EXPECT_FALSE(dialog.changed());

  prompt_.script({Answer::No});  // keep the removed formation's runs
  dialog.remove_rear();
  ASSERT_EQ(ds_.dia.units.extent(), units - 1);
  EXPECT_EQ(dialog.formations()->count(), 1);
  dialog.add_rear();
  ASSERT_EQ(ds_.dia.units.extent(), units);
  EXPECT_EQ(offered, rear_series);
  EXPECT_EQ(ds_.dia.units[units].name, "X");
  EXPECT_EQ(ds_.dia.units[units].train, 1);
  EXPECT_EQ(dialog.formations()->count(), 2);
  EXPECT_TRUE(dialog.changed());
}

TEST_F(Ui_DiaDialogs, ATrackStopTimeIsSetForOneTrainTypeAndShownInTheList) {
  ds_.header.dia.stop_time_velocity = 0;
  const std::size_t entries = ds_.classification.stop_times.size();
  StopTimesDialog dialog(ds_, prompt_, kJapanese, nullptr);
  EXPECT_FALSE(dialog.speed_type()->isEnabled());
  dialog.track_mode()->setChecked(true);
  dialog.train_type()->setCurrentIndex(3);  // type 3
  ASSERT_GT(dialog.places()->count(), 0);
  dialog.places()->setCurrentRow(0);
  dialog.stop()->setCurrentIndex(dialog.stop()->findData(0));  // 通過
  EXPECT_TRUE(dialog.places()->item(0)->text().contains(QString::fromUtf8("　通過／")));
  EXPECT_EQ(ds_.classification.stop_times.size(), entries);  // the copy until OK
  dialog.try_accept();
  ASSERT_EQ(ds_.classification.stop_times.size(), entries + 1);
  const dia::StopTime& e = ds_.classification.stop_times.back();
  EXPECT_NE(e.rail, 0);
  EXPECT_EQ(e.target, 0);
  EXPECT_EQ(e.train_type, 3);
  EXPECT_EQ(e.seconds, 0);
  EXPECT_TRUE(dialog.changed());
}

TEST_F(Ui_DiaDialogs, TheSeriesListIntroducesAndDisposesOfTrainSets) {
  stock::testing::StockPlace place;
  place.write_series("e233.ini", stock::testing::series_file("E233系", "E233"));
  const int records = ds_.series.extent();
  SeriesListDialog dialog(ds_, place.folders, prompt_, kJapanese, nullptr);
  ASSERT_TRUE(dialog.has_list());
  ASSERT_EQ(dialog.files()->count(), 1);
  EXPECT_EQ(dialog.information()->item(0)->text(), QString::fromUtf8("形式：E233系"));
  dialog.sets()->setValue(3);
  dialog.introduce();
  ASSERT_EQ(ds_.series.extent(), records + 1);
  EXPECT_EQ(ds_.series[records + 1].owned, 3);
  dialog.sets()->setValue(1);
  dialog.dispose();
  EXPECT_EQ(ds_.series[records + 1].owned, 2);
  EXPECT_TRUE(dialog.changed());
  EXPECT_EQ(prompt_.count(), 0u);
}

// Pictures of the dialogs; written to VOSK_DIALOG_SHOTS when it names a
// folder, so that they can be looked at.
TEST_F(Ui_DiaDialogs, DialogsDrawTheirFields) {
  UnitTimesDialog unit(ds_.header, prompt_, kJapanese, nullptr);
  StopTimesDialog stops(ds_, prompt_, kJapanese, nullptr);
  FormationDialog formations(ds_, folders_, prompt_, kJapanese, 1, nullptr);
  TrainTypesDialog types(ds_.classification.train_types, prompt_, kJapanese, nullptr);
  SpeedTypesDialog speeds(ds_, prompt_, kJapanese, nullptr);
  const std::pair<QWidget*, const char*> shots[] = {{&unit, "unit_times.png"},
                                                    {&stops, "stop_times.png"},
                                                    {&formations, "formations.png"},
                                                    {&types, "train_types.png"},
                                                    {&speeds, "speed_types.png"}};
  for (const auto& [dialog, name] : shots) {
    dialog->adjustSize();
    const QImage image = dialog->grab().toImage();
    const QRgb background = image.pixel(1, 1);
    EXPECT_GT(testing::ink_pixels(image, background), image.width() * image.height() / 50) << name;
    if (const char* folder = std::getenv("VOSK_DIALOG_SHOTS")) {
      image.save(QString::fromLocal8Bit(folder) + "/" + name);
    }
  }
  EXPECT_GT(stops.places()->count(), 0);
}

}  // namespace
}  // namespace vosk::ui
