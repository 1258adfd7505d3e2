// The train graph's display target dialogs and its 編集 menu on the bundled
// sample: a dialog is driven to its OK (or 選択) and the data set checked.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "dia/dia_operations.h"
#include "editor_fixture.h"
#include "ui/dialog_support.h"
#include "ui/display_target_dialogs.h"
#include "ui/graph_window.h"
#include "ui/main_menu.h"
#include "ui/run_list_dialog.h"
#include "ui/timetable_window.h"

namespace vosk::ui {
namespace {

using vosk::testing::TempDir;
constexpr auto kJapanese = shell::UiLanguage::Japanese;

class Ui_GraphEditDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = testing::copy_sample(home_, "sample.qvw");
    ds_ = testing::read_back(file_, home_.path().string());
  }

  int distance(int target, int display_target) const {
    return ds_.map.targets[target].distances[static_cast<std::size_t>(display_target - 1)];
  }

  TempDir home_;
  std::filesystem::path file_;
  datafiles::DataSet ds_;
  vosk::testing::ScriptedPrompt prompt_;
};

TEST_F(Ui_GraphEditDialogs, EditDialogStoresNameFlagsAndTheMovedPlaces) {
  ASSERT_TRUE(datafiles::copy_display_target(ds_, 1).ok());
  const int n = ds_.classification.display_targets.extent();
  DisplayTargetEditDialog dialog(ds_, n, prompt_, kJapanese, nullptr);
  ASSERT_GT(dialog.shown()->count(), 1);
  const int first = dialog.shown()->item(0)->data(Qt::UserRole).toInt();
  dialog.shown()->item(0)->setSelected(true);
  // One selected place: its 表示位置 can be typed.
  ASSERT_TRUE(dialog.position()->isEnabled());
  const int typed = dialog.position()->value() + 55;
  dialog.position()->setValue(typed);
  const int moved_to = dialog.editor().distance(first);
  EXPECT_EQ(moved_to, typed / 10);
  EXPECT_EQ(dialog.position()->value(), typed);  // not rounded under the typing
  const int hidden_before = dialog.hidden()->count();
  dialog.hide_button()->click();
  ASSERT_EQ(dialog.hidden()->count(), hidden_before + 1);
  dialog.name()->setText(QString::fromUtf8("本線"));
  dialog.cross_section()->setChecked(true);
  dialog.protection()->setChecked(true);
  // Protection locks the lists' buttons and the position.
  EXPECT_FALSE(dialog.show_button()->isEnabled());
  EXPECT_FALSE(dialog.position()->isEnabled());
  dialog.try_accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const dia::DisplayTarget& d = ds_.classification.display_targets[n];
  EXPECT_EQ(d.name, to_cp932(QString::fromUtf8("本線")));
  EXPECT_EQ(d.flag, 1);
  EXPECT_EQ(d.is_protected, 1);
  EXPECT_EQ(distance(first, n), -1);
  EXPECT_GE(distance(first, 1), 0);  // the source keeps it
}

// 臨時ダイヤ削除 from the graph window's 編集 menu: the list offers only the
// temporary dias, OK deletes the chosen ones, 元に戻す brings them back.
TEST_F(Ui_GraphEditDialogs, GraphMenuDeletesTemporaryDiasAsOneUndoStep) {
  home_.write("korv.ini", "[VOSKDiaGramWindow]\r\nopen=0\r\n[Setting]\r\nBackupFile=0\r\n");
  testing::Editor editor(home_, testing::Layer::DataSet, {file_.string()});
  editor.window().first_tick();
  datafiles::DataSet* data = editor.data_set().data_set();
  ASSERT_NE(data, nullptr);
  const int rail = data->dia.diagrams[1].events.front().rail;
  const int temporary = data->dia.diagrams.extent() + 1;
  dia::init_temporary_diagram(data->dia.diagrams.grow_to(temporary), rail, 1);
  editor.window().run_command(cmd::kTrainGraphWindow);
  GraphWindow* window = editor.window().graph_window();
  ASSERT_NE(window, nullptr);
  int offered = 0;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<RunListDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    offered = dialog->runs()->topLevelItemCount();
    dialog->runs()->selectAll();
    dialog->accept();
  });
  window->edit_menu()->action(kGraphDeleteTemporary)->trigger();
  EXPECT_EQ(offered, 1);
  EXPECT_FALSE(data->dia.diagrams[temporary].in_use());
  EXPECT_TRUE(editor.data_set().state().edited);
  QAction* undo = window->edit_menu()->action(kGraphUndo);
  ASSERT_TRUE(undo->isEnabled());
  undo->trigger();
  EXPECT_TRUE(data->dia.diagrams[temporary].in_use());
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_TRUE(window->edit_menu()->action(kGraphRedo)->isEnabled());
}

// 新規運用 makes a run at the chosen rail and time and selects it; 選択ダイヤ
// 編集 selects the chosen run and puts its start in the middle of the view.
TEST_F(Ui_GraphEditDialogs, GraphMenuMakesANewWorkingAndCentresAChosenRun) {
  home_.write("korv.ini", "[VOSKDiaGramWindow]\r\nopen=0\r\n[Setting]\r\nBackupFile=0\r\n");
  testing::Editor editor(home_, testing::Layer::DataSet, {file_.string()});
  editor.window().first_tick();
  datafiles::DataSet* data = editor.data_set().data_set();
  ASSERT_NE(data, nullptr);
  editor.window().run_command(cmd::kTrainGraphWindow);
  GraphWindow* window = editor.window().graph_window();
  ASSERT_NE(window, nullptr);
  const int rail = data->dia.diagrams[1].events.front().rail;
  const auto runs_in_use = [data] {
    int count = 0;
    for (const dia::Diagram& d : data->dia.diagrams) count += d.in_use() ? 1 : 0;
    return count;
  };
  const int before = runs_in_use();
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<NewWorkingDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->rail()->setCurrentIndex(dialog->rail()->findData(rail));
    dialog->time()->setText(QStringLiteral("6:10"));
    dialog->try_accept();
  });
  window->edit_menu()->action(kGraphNewWorking)->trigger();
  const int made = window->graph().selected();
  ASSERT_GT(made, 0);
  EXPECT_EQ(runs_in_use(), before + 1);
  EXPECT_EQ(data->dia.diagrams[made].events.front().rail, rail);
  EXPECT_EQ(data->dia.diagrams[made].events.front().time, 6 * 3600 + 600);
  EXPECT_EQ(window->edit_menu()->history().undo_name(), graph::kUndoNewWorking);

  const int page = window->graph().scroll_bar().page;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<RunListDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->runs()->setCurrentItem(dialog->runs()->topLevelItem(0));
    dialog->accept();
  });
  window->edit_menu()->action(kGraphEditRun)->trigger();
  EXPECT_EQ(window->graph().selected(), 1);
  const int first = graph::run_reference_time(data->dia.diagrams[1]);
  EXPECT_EQ(window->graph().start_time(), std::max(0, first / 60 - page / 2) * 60);
  // The main window offers the same deletion while a data set is open.
  EXPECT_TRUE(editor.window().action(cmd::kDeleteTemporaryDia)->isEnabled());
  EXPECT_TRUE(editor.window().action(cmd::kDiaView)->isEnabled());
  if (const char* folder = std::getenv("VOSK_DIALOG_SHOTS"))
    window->grab().save(QString::fromLocal8Bit(folder) + "/graph_centred_run.png");
}

// The timetable's 表示対象切替・編集: 選択 shows the copy there; deleting the
// display target the train graph shows moves the graph to a display target
// that still exists.
TEST_F(Ui_GraphEditDialogs, TimetableListDialogTellsTheOtherWindows) {
  home_.write("korv.ini",
              "[VOSKDiaGramWindow]\r\nopen=0\r\n[VOSKTimeTableWindow]\r\nopen=0\r\n"
              "[Setting]\r\nBackupFile=0\r\n");
  testing::Editor editor(home_, testing::Layer::DataSet, {file_.string()});
  editor.window().first_tick();
  datafiles::DataSet* data = editor.data_set().data_set();
  ASSERT_NE(data, nullptr);
  editor.window().run_command(cmd::kTrainGraphWindow);
  editor.window().run_command(cmd::kTimetableWindow);
  GraphWindow* graph = editor.window().graph_window();
  TimetableWindow* timetable = editor.window().timetable_window();
  ASSERT_TRUE(graph && timetable);
  const int count = data->classification.display_targets.extent();
  const auto drive = [](auto&& steps) {
    QTimer::singleShot(0, [steps] {
      auto* dialog = qobject_cast<DisplayTargetListDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      steps(*dialog);
    });
  };
  drive([](DisplayTargetListDialog& d) {
    d.copy_button()->click();
    d.select_button()->click();
  });
  timetable->action(kTimetableDisplayTargets)->trigger();
  ASSERT_EQ(data->classification.display_targets.extent(), count + 1);
  EXPECT_EQ(timetable->timetable().display_target(), count);
  EXPECT_TRUE(timetable->windowTitle().contains(QString::fromUtf8("（コピー）")));
  EXPECT_TRUE(editor.data_set().state().edited);

  graph->graph().set_display_target(count);
  editor.prompt.script({Answer::Yes});
  drive([](DisplayTargetListDialog& d) {
    d.delete_button()->click();
    d.close_button()->click();
  });
  timetable->action(kTimetableDisplayTargets)->trigger();
  EXPECT_EQ(data->classification.display_targets.extent(), count);
  EXPECT_LT(graph->graph().display_target(), count);
  EXPECT_LT(timetable->timetable().display_target(), count);
  EXPECT_FALSE(graph->windowTitle().contains(QString::fromUtf8("（コピー）")));
}

// Pictures of the dialogs; written to VOSK_DIALOG_SHOTS when it names a folder.
TEST_F(Ui_GraphEditDialogs, DialogsDrawTheirFields) {
  ASSERT_TRUE(datafiles::copy_display_target(ds_, 1).ok());
  DisplayTargetListDialog list(ds_, 1, prompt_, kJapanese, nullptr);
  DisplayTargetEditDialog edit(ds_, 2, prompt_, kJapanese, nullptr);
  edit.shown()->item(0)->setSelected(true);
  edit.hide_button()->click();
  RunListDialog runs(graph::run_list(ds_, false), RunListDialog::Use::EditRun, kJapanese, nullptr);
  const std::pair<QWidget*, const char*> shots[] = {
      {&list, "display_targets.png"}, {&edit, "display_target_edit.png"}, {&runs, "run_list.png"}};
  for (const auto& [dialog, name] : shots) {
    dialog->adjustSize();
    const QImage image = dialog->grab().toImage();
    EXPECT_GT(testing::ink_pixels(image, image.pixel(1, 1)), image.width() * image.height() / 50)
        << name;
    if (const char* folder = std::getenv("VOSK_DIALOG_SHOTS"))
      image.save(QString::fromLocal8Bit(folder) + "/" + name);
  }
  EXPECT_GT(runs.runs()->topLevelItemCount(), 0);
}

}  // namespace
}  // namespace vosk::ui
