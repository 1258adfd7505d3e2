#include "ui/qt_prompt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace vosk::ui {
namespace {

struct Shown {
  QString caption, text;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton default_button = QMessageBox::NoButton;
};

// Once the next message box is up, records it and closes it with `press`
// (NoButton: the Escape key).
void answer_next_box(QMessageBox::StandardButton press, Shown* shown) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, press, shown] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    timer->stop();
    timer->deleteLater();
    shown->caption = box->windowTitle();
    shown->text = box->text();
    shown->buttons = box->standardButtons();
    if (box->defaultButton()) shown->default_button = box->standardButton(box->defaultButton());
    if (press == QMessageBox::NoButton) {
      QTest::keyClick(box, Qt::Key_Escape);
    } else {
      box->button(press)->click();
    }
  });
  timer->start();
}

TEST(Ui_QtPromptTests, ButtonSetsForEachQuestionKind) {
  EXPECT_EQ(standard_buttons(Buttons::Ok), QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(standard_buttons(Buttons::YesNo), QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(standard_buttons(Buttons::YesNoCancel),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(standard_buttons(Buttons::AbortRetryIgnore),
            QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
  // The first button is the default one.
  EXPECT_EQ(default_button(Buttons::YesNoCancel), QMessageBox::Yes);
  EXPECT_EQ(default_button(Buttons::AbortRetryIgnore), QMessageBox::Abort);
}

TEST(Ui_QtPromptTests, EveryButtonMapsToItsAnswer) {
  EXPECT_EQ(answer_for(QMessageBox::Ok, Buttons::Ok), Answer::Ok);
  EXPECT_EQ(answer_for(QMessageBox::Yes, Buttons::YesNo), Answer::Yes);
  EXPECT_EQ(answer_for(QMessageBox::No, Buttons::YesNo), Answer::No);
  EXPECT_EQ(answer_for(QMessageBox::Yes, Buttons::YesNoCancel), Answer::Yes);
  EXPECT_EQ(answer_for(QMessageBox::No, Buttons::YesNoCancel), Answer::No);
  EXPECT_EQ(answer_for(QMessageBox::Cancel, Buttons::YesNoCancel), Answer::Cancel);
  EXPECT_EQ(answer_for(QMessageBox::Abort, Buttons::AbortRetryIgnore), Answer::Abort);
  EXPECT_EQ(answer_for(QMessageBox::Retry, Buttons::AbortRetryIgnore), Answer::Retry);
  EXPECT_EQ(answer_for(QMessageBox::Ignore, Buttons::AbortRetryIgnore), Answer::Ignore);
}

TEST(Ui_QtPromptTests, ClosingWithoutAButtonChangesNothing) {
  EXPECT_EQ(answer_for(QMessageBox::NoButton, Buttons::Ok), Answer::Ok);
  EXPECT_EQ(answer_for(QMessageBox::NoButton, Buttons::YesNo), Answer::No);
  EXPECT_EQ(answer_for(QMessageBox::NoButton, Buttons::YesNoCancel), Answer::Cancel);
  EXPECT_EQ(answer_for(QMessageBox::NoButton, Buttons::AbortRetryIgnore), Answer::Abort);
  // A button the box did not show cannot answer it.
  EXPECT_EQ(answer_for(QMessageBox::Yes, Buttons::AbortRetryIgnore), Answer::Abort);
  EXPECT_EQ(answer_for(QMessageBox::Cancel, Buttons::YesNo), Answer::No);
}

TEST(Ui_QtPromptTests, ShowsTheExactCaptionTextAndButtons) {
  QtPrompt prompt;
  Shown shown;
  answer_next_box(QMessageBox::No, &shown);
  const Answer answer = prompt.ask("終了確認", "終了します。\n現在のダイヤは変更されています。\n",
                                   Buttons::YesNoCancel);
  EXPECT_EQ(answer, Answer::No);
  EXPECT_EQ(shown.caption, QString::fromUtf8("終了確認"));
  EXPECT_EQ(shown.text, QString::fromUtf8("終了します。\n現在のダイヤは変更されています。\n"));
  EXPECT_EQ(shown.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(shown.default_button, QMessageBox::Yes);

  answer_next_box(QMessageBox::Retry, &shown);
  EXPECT_EQ(prompt.ask("データエラー", "x\n", Buttons::AbortRetryIgnore), Answer::Retry);
  EXPECT_EQ(shown.buttons, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);

  answer_next_box(QMessageBox::NoButton, &shown);  // Escape on a Yes/No box
  EXPECT_EQ(prompt.ask("解除確認", "よろしいですか？\n", Buttons::YesNo), Answer::No);

  answer_next_box(QMessageBox::Ok, &shown);
  prompt.tell("操作エラー", "メインウインドウが作業中です。\n");
  EXPECT_EQ(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(shown.caption, QString::fromUtf8("操作エラー"));
}

}  // namespace
}  // namespace vosk::ui
