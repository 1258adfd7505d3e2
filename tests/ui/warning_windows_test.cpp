// The warning settings dialog and the popup warning window over the shell's
// warning model.
#include <gtest/gtest.h>

#include <QTest>

#include "base/ini.h"
#include "editor_fixture.h"
#include "ui/warning_settings_dialog.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using vosk::testing::TempDir;

class Ui_WarningWindowTests : public ::testing::Test {
 protected:
  Ui_WarningWindowTests() : editor(home) {}

  std::unique_ptr<WarningSettingsDialog> dialog() {
    return std::make_unique<WarningSettingsDialog>(
        editor.state(), editor.prompt, editor.files, [this] { ++popups_shown; },
        [this] { ++popups_closed; }, &editor.window());
  }
  ini::Document settings() { return ini::Document::parse(testing::settings_text(home)); }

  TempDir home;
  Editor editor;
  int popups_shown = 0;
  int popups_closed = 0;
};

TEST_F(Ui_WarningWindowTests, ListsTheNineEventsAndTheEightTypes) {
  auto d = dialog();
  ASSERT_EQ(d->events()->count(), 9);
  EXPECT_EQ(d->events()->item(0)->text(), QString::fromUtf8("運転支障発生時"));
  EXPECT_EQ(d->events()->item(8)->text(), QString::fromUtf8("番線重複"));
  ASSERT_EQ(d->types()->count(), 8);
  EXPECT_EQ(d->types()->itemText(4), QString::fromUtf8("Windows メッセージ (問い合わせ) "));
  EXPECT_EQ(d->windowTitle(), QString::fromUtf8("警告設定"));
  // The first event: popup, no delay; the delay may be edited, the path not.
  EXPECT_EQ(d->types()->currentIndex(), 1);
  EXPECT_FALSE(d->delay()->isReadOnly());
  EXPECT_TRUE(d->wav_file()->isReadOnly());
}

TEST_F(Ui_WarningWindowTests, FieldStatesFollowTheType) {
  auto d = dialog();
  d->types()->setCurrentIndex(0);
  EXPECT_TRUE(d->delay()->isReadOnly());
  EXPECT_TRUE(d->wav_file()->isReadOnly());
  d->types()->setCurrentIndex(7);
  EXPECT_FALSE(d->delay()->isReadOnly());
  EXPECT_FALSE(d->wav_file()->isReadOnly());
}

TEST_F(Ui_WarningWindowTests, NegativeDelayIsRefusedAndNothingIsSaved) {
  auto d = dialog();
  d->delay()->setValue(-1);
  d->save_button()->click();
  ASSERT_EQ(editor.prompt.count(), 1u);
  EXPECT_EQ(editor.prompt.last().caption, "データエラー");
  EXPECT_EQ(editor.prompt.last().text, "時間は正の値しか指定できません。");
  EXPECT_FALSE(settings().has_section("WE_ACC_ON"));
  EXPECT_EQ(d->result(), QDialog::Rejected);
  EXPECT_EQ(popups_closed, 0);
  // Choosing another event is refused too, and the selection stays.
  d->events()->setCurrentRow(3);
  EXPECT_EQ(editor.prompt.count(), 2u);
  EXPECT_EQ(d->events()->currentRow(), 0);
  EXPECT_EQ(editor.state().warnings[1].delay, 0);  // memory unchanged
}

TEST_F(Ui_WarningWindowTests, SaveWritesTheSelectedEvent) {
  auto d = dialog();
  d->events()->setCurrentRow(2);  // WE_REP
  EXPECT_EQ(d->delay()->value(), 10);
  d->types()->setCurrentIndex(3);
  d->delay()->setValue(25);
  d->save_button()->click();
  EXPECT_EQ(editor.prompt.count(), 0u);
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(popups_closed, 1);
  const ini::Document saved = settings();
  EXPECT_EQ(saved.get_string("WE_REP", "type", ""), "3");
  EXPECT_EQ(saved.get_string("WE_REP", "delay", ""), "25");
  EXPECT_FALSE(saved.has_section("WE_ACC_ON"));  // only the selected event
  EXPECT_EQ(editor.state().warnings[3].type, 3);
}

TEST_F(Ui_WarningWindowTests, TemporaryChangeStaysInMemory) {
  auto d = dialog();
  d->types()->setCurrentIndex(0);
  d->temporary_button()->click();
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(editor.state().warnings[1].type, 0);
  EXPECT_FALSE(settings().has_section("WE_ACC_ON"));
}

TEST_F(Ui_WarningWindowTests, BrowsingPicksAUserSound) {
  auto d = dialog();
  editor.files.script(std::string("/sounds/bell.wav"));
  d->browse_button()->click();
  ASSERT_EQ(editor.files.opened.size(), 1u);
  EXPECT_EQ(editor.files.opened[0].filter, QString::fromUtf8("ＷＡＶファイル(*.wav)|*.wav||"));
  EXPECT_EQ(editor.files.opened[0].default_suffix, QStringLiteral("wav"));
  EXPECT_EQ(editor.files.opened[0].initial_name.toStdString(),
            home.path().string() + "/sound/warning/.wav");
  EXPECT_EQ(d->types()->currentIndex(), 7);
  EXPECT_EQ(d->wav_file()->text(), QStringLiteral("/sounds/bell.wav"));
  EXPECT_FALSE(d->wav_file()->isReadOnly());
}

TEST_F(Ui_WarningWindowTests, TestFiresOnlyPopups) {
  auto d = dialog();
  d->test_button()->click();
  EXPECT_EQ(popups_shown, 1);
  EXPECT_EQ(editor.state().popups.lines(),
            std::vector<std::string>{"ここに警告内容が表示されます。"});
  d->types()->setCurrentIndex(5);  // a sound: nothing shown here
  d->test_button()->click();
  EXPECT_EQ(popups_shown, 1);
}

TEST_F(Ui_WarningWindowTests, ClearAllPopupsAsksFirst) {
  auto d = dialog();
  editor.prompt.script({Answer::No});
  d->clear_button()->click();
  EXPECT_EQ(editor.prompt.last().caption, "解除確認");
  EXPECT_EQ(d->types()->currentIndex(), 1);
  editor.prompt.script({Answer::Yes});
  d->clear_button()->click();
  EXPECT_EQ(d->types()->currentIndex(), 2);
  for (int e = 1; e < shell::kWarningEventCount; ++e)
    EXPECT_NE(editor.state().warnings[e].type, shell::kWarningPopup) << e;
}

TEST_F(Ui_WarningWindowTests, PopupWindowListsWarningsAndFitsTheLongest) {
  shell::WarningSetting popup{shell::kWarningPopup, 0, {}};
  editor.window().fire_warning(popup, "短い");
  PopupWarningWindow* window = editor.window().popup_window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  const int narrow = window->width();
  const std::string longest(120, 'W');
  editor.window().fire_warning(popup, longest);
  ASSERT_EQ(window->list()->count(), 2);
  EXPECT_EQ(window->list()->item(1)->text().toStdString(), longest);
  EXPECT_GT(window->width(), narrow);
  EXPECT_GE(window->width(), window->list()->fontMetrics().horizontalAdvance(
                                 QString::fromStdString(longest)));
  // A sound type shows nothing; a new clock time starts a fresh list.
  editor.window().fire_warning(shell::WarningSetting{shell::kWarningSystemError, 0, {}}, "x");
  EXPECT_EQ(window->list()->count(), 2);
  editor.state().clock_time = 3600;
  editor.window().fire_warning(popup, "next");
  EXPECT_EQ(window->list()->count(), 1);
  // Closing the window forgets its texts.
  window->close();
  EXPECT_TRUE(editor.state().popups.lines().empty());
}

}  // namespace
}  // namespace vosk::ui
