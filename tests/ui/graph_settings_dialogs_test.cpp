// The train graph's page-setting, line style and toolbar commands: the
// dialogs refuse or accept their values, and the window applies what OK
// gives (range, margins, clipboard format, line styles, the plot's top).
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QMimeData>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <stdexcept>

#include "base/ini.h"
#include "editor_fixture.h"
#include "graph/graph_settings.h"
#include "ui/graph_window.h"
#include "ui/line_style_dialog.h"
#include "ui/main_menu.h"
#include "ui/page_setting_dialog.h"
#include "ui/timetable_window.h"

namespace vosk::ui {
namespace {

using graph::PageUse;
using testing::Editor;
using testing::Layer;
using vosk::testing::TempDir;
constexpr auto kJapanese = shell::UiLanguage::Japanese;
constexpr int kPrintItems[] = {kGraphPrintPageSetup, kGraphPaperSetup, kGraphPrint};

void save_shot(QWidget& dialog, const char* name) {
  dialog.adjustSize();
  const QImage image = dialog.grab().toImage();
  EXPECT_GT(testing::ink_pixels(image, image.pixel(1, 1)), image.width() * image.height() / 50);
  if (const char* folder = std::getenv("VOSK_DIALOG_SHOTS"))
    image.save(QString::fromLocal8Bit(folder) + "/" + name);
}

graph::PageDialogValues seven_to_nine() {
  graph::PageDialogValues v = graph::page_dialog_values(
      graph::default_page_settings(PageUse::Print), 7 * 3600, 9 * 3600, {640, 480});
  return v;
}

TEST(Ui_PageSettingDialogTests, PrintRefusesATimeAfter28AndNoPages) {
  vosk::testing::ScriptedPrompt prompt;
  PageSettingDialog dialog(PageUse::Print, seven_to_nine(), prompt, kJapanese, nullptr);
  EXPECT_EQ(dialog.range_group()->title(), QString::fromUtf8("印刷時刻範囲"));
  EXPECT_FALSE(dialog.size_x()->isEnabled());
  EXPECT_FALSE(dialog.metafile()->isEnabled());
  EXPECT_TRUE(dialog.pages()->isEnabled());
  dialog.show();

  dialog.to_hours()->setValue(28);
  dialog.to_minutes()->setValue(1);
  dialog.try_accept();
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "入力データエラー");
  EXPECT_EQ(prompt.last().text, "時刻が不正です。再設定して下さい。\n");
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.focusWidget(), dialog.from_hours());

  dialog.to_minutes()->setValue(0);  // 28:00 is the last time allowed
  dialog.pages()->setValue(0);
  dialog.try_accept();
  EXPECT_EQ(prompt.last().text, "分割数が不正です。再設定して下さい。\n");
  EXPECT_EQ(dialog.focusWidget(), dialog.pages());

  dialog.pages()->setValue(3);
  dialog.from_hours()->setValue(29);
  dialog.try_accept();
  EXPECT_EQ(prompt.count(), 3u);
  dialog.from_hours()->setValue(10);  // reversed: swapped
  dialog.to_hours()->setValue(8);
  dialog.try_accept();
  EXPECT_EQ(prompt.count(), 3u);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.page_settings().time_left, 8 * 3600);
  EXPECT_EQ(dialog.page_settings().time_right, 10 * 3600);
  EXPECT_EQ(dialog.page_settings().page_size, 3);
  save_shot(dialog, "page_setting_print.png");
}

TEST(Ui_PageSettingDialogTests, CopyOffersSizeAndFormatButNoPages) {
  vosk::testing::ScriptedPrompt prompt;
  PageSettingDialog copy(PageUse::Copy, seven_to_nine(), prompt, kJapanese, nullptr);
  EXPECT_EQ(copy.range_group()->title(), QString::fromUtf8("コピー時刻範囲"));
  EXPECT_TRUE(copy.size_x()->isEnabled());
  EXPECT_TRUE(copy.metafile()->isEnabled());
  EXPECT_FALSE(copy.pages()->isEnabled());
  EXPECT_EQ(copy.size_x()->value(), 640);
  copy.metafile()->setChecked(true);
  copy.size_y()->setValue(300);
  copy.try_accept();
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_EQ(copy.page_settings().type, 1);
  EXPECT_EQ(copy.page_settings().size_y, 300);
  EXPECT_EQ(copy.page_settings().time_left, 7 * 3600);
  save_shot(copy, "page_setting_copy.png");

  PageSettingDialog display(PageUse::Display, seven_to_nine(), prompt, kJapanese, nullptr);
  EXPECT_FALSE(display.size_x()->isEnabled());
  EXPECT_FALSE(display.metafile()->isEnabled());
  EXPECT_FALSE(display.pages()->isEnabled());
  EXPECT_TRUE(display.margin_left()->isEnabled());
}

TEST(Ui_LineStyleDialogTests, OkStoresTheEditedCopiesAndCancelLeavesThem) {
  std::vector<shell::LineStyle> entries = graph::default_graph_line_styles();
  const std::vector<shell::LineStyle> before = entries;
  {
    LineStyleDialog dialog(entries, kJapanese, nullptr);
    ASSERT_EQ(dialog.items()->count(), 8);
    EXPECT_EQ(dialog.items()->item(1)->text(), QString::fromUtf8("時刻目盛補助線"));
    dialog.items()->setCurrentRow(1);
    EXPECT_TRUE(dialog.style_button(2)->isChecked());  // dotted
    EXPECT_EQ(dialog.widths()->currentText(), QStringLiteral("0.25"));
    dialog.style_button(3)->click();
    dialog.widths()->setCurrentIndex(dialog.widths()->findText(QStringLiteral("1.50")));
    dialog.set_colour({9, 8, 7});
    dialog.reject();
  }
  EXPECT_EQ(entries[1].pen_style, before[1].pen_style);
  EXPECT_EQ(entries[1].red, before[1].red);

  LineStyleDialog dialog(entries, kJapanese, nullptr);
  dialog.items()->setCurrentRow(1);
  dialog.style_button(3)->click();
  dialog.widths()->setCurrentIndex(dialog.widths()->findText(QStringLiteral("1.50")));
  dialog.set_colour({9, 8, 7});
  dialog.items()->setCurrentRow(0);  // moving on keeps the edit
  EXPECT_TRUE(dialog.style_button(0)->isChecked());
  save_shot(dialog, "line_styles.png");
  dialog.try_accept();
  EXPECT_TRUE(dialog.changed());
  EXPECT_EQ(entries[1].pen_style, 3);
  EXPECT_EQ(entries[1].point_width, 1500);
  EXPECT_EQ(entries[1].green, 8);
  EXPECT_EQ(entries[0].pen_style, before[0].pen_style);
}

// The sample opened from the command line; the graph window opened from
// the Window menu.
class Ui_GraphSettingsTests : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.write("korv.ini", "[VOSKDiaGramWindow]\r\nopen=0\r\n[Setting]\r\nBackupFile=0\r\n");
    editor_ = testing::open_sample(home_, &file_);
    editor_->window().run_command(cmd::kTrainGraphWindow);
    graph_ = editor_->window().graph_window();
    if (!graph_) throw std::runtime_error("the graph window did not open");
    EXPECT_TRUE(QTest::qWaitForWindowExposed(graph_));
  }

  // Answers the page-setting dialog the command opens: `fill` sets fields,
  // then OK. A dialog still open afterwards (refused) is cancelled.
  static void answer_page_dialog(std::function<void(PageSettingDialog&)> fill) {
    QTimer::singleShot(0, [fill] {
      auto* dialog = qobject_cast<PageSettingDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      fill(*dialog);
      dialog->try_accept();
      if (dialog->isVisible()) dialog->reject();
    });
  }

  ini::Document settings() const { return ini::Document::parse(testing::settings_text(home_)); }

  TempDir home_;
  std::filesystem::path file_;
  std::unique_ptr<Editor> editor_;
  GraphWindow* graph_ = nullptr;
};

TEST_F(Ui_GraphSettingsTests, DisplayPageSettingsSetTheRangeAndTheMargins) {
  answer_page_dialog([](PageSettingDialog& d) {
    d.from_hours()->setValue(8);
    d.from_minutes()->setValue(0);
    d.to_hours()->setValue(10);
    d.to_minutes()->setValue(30);
    d.margin_left()->setValue(40);
  });
  graph_->action(kGraphDisplayPageSetup)->trigger();
  EXPECT_EQ(graph_->graph().start_time(), 8 * 3600);
  EXPECT_EQ(graph_->graph().end_time(), 10 * 3600 + 1800);
  EXPECT_EQ(graph_->graph().plot().left, 40);
  const ini::Document file = settings();
  EXPECT_EQ(file.find("DiaGramCopyFigureDisply", "TimeLeft"), "28800");
  EXPECT_EQ(file.find("DiaGramCopyFigureDisply", "MarginLeft"), "40");

  // A refused dialog changes nothing.
  answer_page_dialog([](PageSettingDialog& d) { d.to_hours()->setValue(29); });
  graph_->action(kGraphDisplayPageSetup)->trigger();
  EXPECT_EQ(editor_->prompt.last().text, "時刻が不正です。再設定して下さい。\n");
  EXPECT_EQ(graph_->graph().end_time(), 10 * 3600 + 1800);
}

TEST_F(Ui_GraphSettingsTests, PrintItemsAreOfferedOnlyInPrintMode) {
  for (int id : kPrintItems) EXPECT_FALSE(graph_->action(id)->isEnabled()) << id;
  graph_->switch_mode(graph::GraphMode::Print);
  for (int id : kPrintItems) EXPECT_TRUE(graph_->action(id)->isEnabled()) << id;
  answer_page_dialog([](PageSettingDialog& d) {
    d.from_hours()->setValue(12);
    d.from_minutes()->setValue(0);
    d.to_hours()->setValue(18);
    d.pages()->setValue(3);
  });
  graph_->action(kGraphPrintPageSetup)->trigger();
  EXPECT_EQ(graph_->graph().start_time(), 12 * 3600);
  EXPECT_EQ(settings().find("DiaGramCopyFigurePrint", "PageSize"), "3");
}

TEST_F(Ui_GraphSettingsTests, CopyPutsTheChosenFormatOnTheClipboard) {
  answer_page_dialog([](PageSettingDialog& d) {
    d.size_x()->setValue(800);
    d.size_y()->setValue(500);
    d.bitmap()->setChecked(true);
  });
  graph_->action(kGraphCopy)->trigger();
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  const QImage image = qvariant_cast<QImage>(mime->imageData());
  EXPECT_EQ(image.size(), QSize(800, 500));
  EXPECT_GT(testing::ink_pixels(image), 2000);
  EXPECT_FALSE(mime->hasFormat(QStringLiteral("image/svg+xml")));
  EXPECT_EQ(graph_->graph().plot().right, graph_->view()->width() - 2);  // the window's again

  answer_page_dialog([](PageSettingDialog& d) { d.metafile()->setChecked(true); });
  graph_->action(kGraphCopy)->trigger();
  mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_TRUE(mime->data(QStringLiteral("image/svg+xml")).contains("viewBox=\"0 0 800 500\""));
  EXPECT_FALSE(mime->hasImage());
  EXPECT_EQ(settings().find("DiaGramCopyFigureClip", "Type"), "1");
}

TEST_F(Ui_GraphSettingsTests, TheToolbarTakesTheTopOfThePlot) {
  ASSERT_TRUE(graph_->graph().settings().view.view_toolbar);
  EXPECT_TRUE(graph_->tool_bar()->isVisible());
  EXPECT_TRUE(graph_->action(kGraphToolBar)->isChecked());
  EXPECT_EQ(graph_->graph().plot().top, 2 + 26);
  if (const char* folder = std::getenv("VOSK_DIALOG_SHOTS"))
    graph_->grab().save(QString::fromLocal8Bit(folder) + "/graph_tool_bar.png");
  graph_->action(kGraphToolBar)->trigger();
  EXPECT_FALSE(graph_->tool_bar()->isVisible());
  EXPECT_FALSE(graph_->action(kGraphToolBar)->isChecked());
  EXPECT_EQ(graph_->graph().plot().top, 2);
  // Kept with the mode's settings.
  graph_->switch_mode(graph::GraphMode::Print);
  EXPECT_EQ(settings().find("VOSKDiaGramWindowEdit", "ViewToolBar"), "0");
}

TEST_F(Ui_GraphSettingsTests, TheFontDialogStoresSizeAndEffectsAndMovesTheHeader) {
  const int header = graph_->graph().header_height();
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    // A face with bold and oblique styles on every test machine.
    QFont font(QStringLiteral("DejaVu Sans"), 18);
    font.setBold(true);
    font.setItalic(true);
    dialog->setCurrentFont(font);
    dialog->accept();
  });
  graph_->action(kGraphFont)->trigger();
  const shell::FontRecord& font = graph_->graph().settings().font;
  EXPECT_EQ(font.point_size, 18);
  EXPECT_EQ(font.weight, 700);
  EXPECT_EQ(font.italic, 1);
  EXPECT_EQ(font.underline, 0);
  EXPECT_EQ(font.face_name, "DejaVu Sans");
  EXPECT_GT(graph_->graph().header_height(), header);
}

TEST_F(Ui_GraphSettingsTests, ExportWritesTheWinDiaFileChosen) {
  const std::filesystem::path out = home_ / "export.dia";
  editor_->files.script(out.string());
  graph_->action(kGraphExport)->trigger();
  ASSERT_EQ(editor_->files.saved.size(), 1u);
  EXPECT_EQ(editor_->files.saved[0].default_suffix, QStringLiteral("dia"));
  EXPECT_EQ(home_.read("export.dia").rfind("[WinDIA]\r\n", 0), 0u);
}

// The timetable window edits its three fill colours with the same dialog:
// fills take a colour but no style or width, and are written on close.
TEST(Ui_TimetableSettingsTests, FillColoursAreEditedAndKept) {
  TempDir home;
  home.write("korv.ini", "[VOSKTimeTableWindow]\r\nopen=0\r\n[Setting]\r\nBackupFile=0\r\n");
  const auto file = testing::copy_sample(home, "qvw_data/sample.qvw");
  Editor editor(home, Layer::DataSet, std::vector<std::string>{file.string()});
  editor.window().first_tick();
  editor.window().run_command(cmd::kTimetableWindow);
  TimetableWindow* window = editor.window().timetable_window();
  ASSERT_NE(window, nullptr);
  bool shown = false;
  QTimer::singleShot(0, [&shown] {
    auto* dialog = qobject_cast<LineStyleDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    shown = true;
    EXPECT_EQ(dialog->items()->count(), 3);
    EXPECT_EQ(dialog->items()->item(2)->text(), QString::fromUtf8("先着列車－乗換"));
    dialog->items()->setCurrentRow(2);
    EXPECT_FALSE(dialog->style_button(0)->isEnabled());
    EXPECT_FALSE(dialog->widths()->isEnabled());
    EXPECT_TRUE(dialog->colour_button()->isEnabled());
    dialog->set_colour({1, 2, 3});
    dialog->try_accept();
  });
  window->action(kTimetableFills)->trigger();
  ASSERT_TRUE(shown);
  EXPECT_EQ(window->timetable().fill(2), (Rgb{1, 2, 3}));
  EXPECT_EQ(window->timetable().fill(0), (Rgb{192, 192, 192}));
  window->write_settings();
  const ini::Document settings = ini::Document::parse(testing::settings_text(home));
  EXPECT_EQ(settings.find("VOSKTimeTableWindowLine02", "ColorGValue"), "2");
  EXPECT_EQ(settings.find("FontVOSKTimeTableWindow", "PointSize"), "9");
}

}  // namespace
}  // namespace vosk::ui
