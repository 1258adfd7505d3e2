#include "ui/passenger_window.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "base/ini.h"
#include "editor_fixture.h"
#include "passengers/passenger_profile.h"
#include "ui/dropped_files.h"
#include "ui/main_menu.h"

namespace vosk::ui {
namespace {

using passengers::PassengerCommand;
using testing::Editor;
using vosk::testing::TempDir;

// The sample opened from the command line; the Window menu opens the
// passenger window over it.
class Ui_PassengerWindowTests : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.write("korv.ini",
                "[VOSKDiaGramWindow]\r\nopen=0\r\n[Setting]\r\nBackupFile=0\r\n"
                "[VOSKPassengerEditWindow]\r\nPosLeft=20\r\nPosTop=60\r\nPosRight=760\r\n"
                "PosBottom=480\r\n");
    editor_ = testing::open_sample(home_, &file_);
  }

  PassengerWindow& open_window() {
    editor_->window().run_command(cmd::kPassengerWindow);
    PassengerWindow* window = editor_->window().passenger_window();
    if (!window) throw std::runtime_error("the passenger window did not open");
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    return *window;
  }

  datafiles::DataSet& data() { return *editor_->data_set().data_set(); }

  TempDir home_;
  std::filesystem::path file_;
  std::unique_ptr<Editor> editor_;
};

TEST_F(Ui_PassengerWindowTests, ClickOnTheSampleSetsAPointAndMarksTheDiaEdited) {
  PassengerWindow& window = open_window();
  EXPECT_TRUE(editor_->window().action(cmd::kPassengerWindow)->isChecked());
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("乗客数編集ウインドウ"));
  EXPECT_GE(window.view()->height(), passengers::kHeaderHeight + 200);
  window.run(PassengerCommand::NextTo);  // the first station to the second
  const int from = window.passengers().from_station();
  const int to = window.passengers().to_station();
  ASSERT_EQ(from, 1);
  ASSERT_EQ(to, 2);
  EXPECT_FALSE(editor_->data_set().state().edited);

  // 20 px right of 06:00 at 30 s/px is 06:10; 50 px above the zero line.
  PassengerView* view = window.view();
  const QPoint at(20, view->height() - passengers::kBottomMargin - 50);
  QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at);
  const passengers::Profile profile =
      passengers::profile_of(data().classification.passengers, from, to);
  const auto point =
      std::find(profile.begin(), profile.end(), passengers::ProfilePoint{22200, 500});
  EXPECT_NE(point, profile.end());
  EXPECT_TRUE(editor_->data_set().state().edited);

  // The header's button runs its command; the view keeps the picture.
  QTest::mouseClick(view->button(0), Qt::LeftButton);
  EXPECT_EQ(window.passengers().from_station(), 3);
  EXPECT_GT(testing::ink_pixels(view->picture()), 1000);
}

TEST_F(Ui_PassengerWindowTests, ToggledTwiceKeepsItsPlacementInItsSection) {
  PassengerWindow& window = open_window();
  window.move(40, 80);
  editor_->window().run_command(cmd::kPassengerWindow);
  EXPECT_EQ(editor_->window().passenger_window(), nullptr);
  EXPECT_FALSE(editor_->window().action(cmd::kPassengerWindow)->isChecked());
  const ini::Document settings = ini::Document::parse(testing::settings_text(home_));
  EXPECT_EQ(settings.get_string("VOSKPassengerEditWindow", "PosLeft", ""), "40");
  EXPECT_EQ(settings.get_string("VOSKPassengerEditWindow", "PosTop", ""), "80");
  open_window();
}

TEST_F(Ui_PassengerWindowTests, CompactTitleBarsSwitchEveryChildWindow) {
  PassengerWindow& window = open_window();
  editor_->window().run_command(cmd::kTrainGraphWindow);
  GraphWindow* graph = editor_->window().graph_window();
  ASSERT_NE(graph, nullptr);
  ASSERT_TRUE(editor_->state().settings().tool_window);  // the default
  EXPECT_EQ(window.windowType(), Qt::Tool);
  EXPECT_EQ(graph->windowType(), Qt::Tool);
  editor_->window().run_command(cmd::kToolWindow);
  EXPECT_EQ(window.windowType(), Qt::Window);
  EXPECT_EQ(graph->windowType(), Qt::Window);
  EXPECT_EQ(editor_->window().message_window()->windowType(), Qt::Window);
  EXPECT_TRUE(window.isVisible());
}

TEST_F(Ui_PassengerWindowTests, DroppedFilesGoToTheEditorsDropHandling) {
  PassengerWindow& window = open_window();
  const std::size_t asked = editor_->prompt.count();
  Q_EMIT window.files_dropped({(home_ / "notes.txt").string()});
  ASSERT_EQ(editor_->prompt.count(), asked + 1);
  EXPECT_EQ(editor_->prompt.last().caption, kDropCaption);
  EXPECT_EQ(editor_->prompt.last().text, "この形式は受付できません。");
}

TEST_F(Ui_PassengerWindowTests, StationDialogOffersOnlyTwoDifferentStations) {
  PassengerWindow& window = open_window();
  StationPairDialog dialog(window.passengers(), &window);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("発駅着駅選択"));
  dialog.choose(2, 2);
  EXPECT_FALSE(dialog.ok_button()->isEnabled());
  dialog.choose(2, 0);
  EXPECT_TRUE(dialog.ok_button()->isEnabled());
  EXPECT_EQ(dialog.to(), 0);
}

}  // namespace
}  // namespace vosk::ui
