// The dia edit window's 情報 and pattern dialogs over the sample.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <cstdlib>

#include "dia/dia_operations.h"
#include "diaedit/pattern_commands.h"
#include "editor_fixture.h"
#include "ui/dialog_support.h"
#include "ui/formation_dialog.h"
#include "ui/pattern_dialogs.h"
#include "ui/run_settings_dialog.h"

namespace vosk::ui {
namespace {

using vosk::testing::TempDir;
constexpr auto kJapanese = shell::UiLanguage::Japanese;

class Ui_RunAndPatternDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto file = testing::copy_sample(home_, "qvw_data/sample.qvw");
    ds_ = testing::read_back(file, home_.path().string());
    controller_ = std::make_unique<diaedit::DiaEditController>(ds_);
    for (int n = 1; n <= ds_.dia.diagrams.extent() && run_ == 0; ++n) {
      const dia::Diagram& d = ds_.dia.diagrams[n];
      if (d.in_use() && d.pattern_template == 0 && d.event_count() > 1) run_ = n;
    }
    ASSERT_NE(run_, 0);
    controller_->select(run_);
  }

  static void shoot(QWidget& w, const char* name) {
    w.adjustSize();
    const QImage image = w.grab().toImage();
    EXPECT_GT(testing::ink_pixels(image, image.pixel(1, 1)), image.width() * image.height() / 50)
        << name;
    if (const char* folder = std::getenv("VOSK_DIALOG_SHOTS"))
      image.save(QString::fromLocal8Bit(folder) + "/" + name);
  }

  TempDir home_;
  datafiles::DataSet ds_;
  std::unique_ptr<diaedit::DiaEditController> controller_;
  vosk::testing::ScriptedPrompt prompt_;
  int run_ = 0;
};

TEST_F(Ui_RunAndPatternDialogs, RunSettingsStayOpenOnARefusalAndStoreOnOk) {
  RunSettingsDialog dialog(*controller_, prompt_, kJapanese, false, nullptr);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_EQ(dialog.train_number()->text(), from_cp932(ds_.dia.diagrams[run_].train_number));
  dialog.remarks()->setText(QStringLiteral("平日,土休日"));
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(prompt_.count(), 1u);
  EXPECT_EQ(prompt_.last().caption, "入力データエラー");
  EXPECT_EQ(QApplication::focusWidget(), dialog.remarks());

  dialog.remarks()->setText(QStringLiteral("平日のみ"));
  dialog.train_number()->setText(QStringLiteral("901M"));
  dialog.crew()->setCurrentIndex(0);  // ワンマン
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const dia::Diagram& d = ds_.dia.diagrams[run_];
  EXPECT_EQ(d.train_number, "901M");
  EXPECT_EQ(d.crew, 0);
  EXPECT_EQ(from_cp932(d.remarks), QStringLiteral("平日のみ"));
}

TEST_F(Ui_RunAndPatternDialogs, ManageListsDescribesAndDeletesPatterns) {
  ASSERT_TRUE(controller_->register_pattern(prompt_).ok());
  const int p = ds_.classification.patterns.extent();
  PatternManageDialog manage(*controller_, prompt_, kJapanese, nullptr);
  ASSERT_EQ(manage.patterns()->count(), p);
  EXPECT_EQ(manage.patterns()->currentRow(), p - 1);  // the run's own pattern

  PatternInfoDialog info(*controller_, p, prompt_, kJapanese, nullptr);
  info.interval()->setText(QStringLiteral("29:00:00"));
  info.accept();
  EXPECT_EQ(prompt_.last().text, "時刻が不正です。再設定して下さい。\n");
  info.interval()->setText(QStringLiteral("0:15:00"));
  info.accept();
  EXPECT_EQ(info.result(), QDialog::Accepted);
  EXPECT_EQ(ds_.classification.patterns[p].interval, 900);

  shoot(manage, "pattern_manage.png");
  shoot(info, "pattern_info.png");
  RunSettingsDialog settings(*controller_, prompt_, kJapanese, true, nullptr);
  shoot(settings, "run_settings.png");

  prompt_.script({Answer::Yes});
  manage.delete_selected();
  EXPECT_EQ(prompt_.last().caption, "削除確認");
  EXPECT_TRUE(manage.changed());
  EXPECT_EQ(manage.patterns()->count(), p - 1);
  EXPECT_EQ(ds_.dia.diagrams[run_].applied_pattern, 0);
}

// 編成・仕業設定's first-working buttons: a temporary dia, then a run from the
// duty's position that replaces it without a question.
TEST_F(Ui_RunAndPatternDialogs, FormationDialogMakesTheDutysFirstWorking) {
  FormationDialog dialog(ds_, stock::StockFolders{}, prompt_, kJapanese, 1, nullptr);
  const int old_first = ds_.dia.trains[1].first_diagram;
  dialog.start_time()->setText(QStringLiteral("29:00:00"));
  dialog.create_first_run();
  EXPECT_EQ(prompt_.last().caption, "入力データエラー");
  EXPECT_EQ(ds_.dia.trains[1].first_diagram, old_first);
  EXPECT_FALSE(dialog.changed());

  prompt_.script({Answer::No});  // 削除確認: keep the old runs as temporary dias
  dialog.create_temporary_run();
  const int temporary = ds_.dia.trains[1].first_diagram;
  ASSERT_NE(temporary, old_first);
  EXPECT_TRUE(dia::is_temporary(ds_.dia, temporary));
  EXPECT_TRUE(ds_.dia.diagrams[old_first].in_use());
  EXPECT_TRUE(dialog.changed());

  const std::size_t asked = prompt_.count();
  dialog.start_time()->setText(QStringLiteral("7:00:00"));
  dialog.create_first_run();
  const int first = ds_.dia.trains[1].first_diagram;
  ASSERT_NE(first, temporary) << prompt_.last().text;
  EXPECT_EQ(prompt_.count(), asked);
  // Gone (its slot may hold the coupled copy for the duty's next formation).
  EXPECT_FALSE(dia::is_temporary(ds_.dia, temporary));
  EXPECT_EQ(ds_.dia.diagrams[first].events[0].time, 7 * 3600);
  EXPECT_GT(ds_.dia.diagrams[first].event_count(), 1u);
}

// 初期ダイヤ選択: the run kept when a temporary dia replaced it becomes the
// first working again, and the temporary dia goes without a question.
TEST_F(Ui_RunAndPatternDialogs, FormationDialogChoosesAnExistingRunAsTheFirstWorking) {
  FormationDialog dialog(ds_, stock::StockFolders{}, prompt_, kJapanese, 1, nullptr);
  const int old_first = ds_.dia.trains[1].first_diagram;
  prompt_.script({Answer::No});  // keep the old runs
  dialog.create_temporary_run();
  const int temporary = ds_.dia.trains[1].first_diagram;
  ASSERT_NE(temporary, old_first);
  dialog.ask_run = [] { return 0; };  // the list dialog cancelled
  dialog.choose_first_run();
  EXPECT_EQ(ds_.dia.trains[1].first_diagram, temporary);

  const std::size_t asked = prompt_.count();
  dialog.ask_run = [&] { return old_first; };
  dialog.choose_first_run();
  EXPECT_EQ(ds_.dia.trains[1].first_diagram, old_first) << prompt_.last().text;
  EXPECT_EQ(prompt_.count(), asked);
  EXPECT_FALSE(dia::is_temporary(ds_.dia, temporary));
}

}  // namespace
}  // namespace vosk::ui
