// The timetable window on the sample: opened from the Window menu, clicks
// reported as signals, and a printed PDF.
#include "ui/timetable_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <cstdlib>
#include <stdexcept>

#include "editor_fixture.h"
#include "ui/main_menu.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using vosk::testing::TempDir;

class Ui_TimetableWindowTests : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.write("korv.ini", "[VOSKTimeTableWindow]\r\nopen=0\r\n[Setting]\r\nBackupFile=0\r\n");
    editor_ = testing::open_sample(home_, &file_);
    editor_->window().run_command(cmd::kTimetableWindow);
    window_ = editor_->window().timetable_window();
    if (!window_) throw std::runtime_error("the timetable window did not open");
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_));
    window_->view()->redraw();  // lays the tables out for the hit test
  }

  // The first point of the view whose hit is a table row's cell in the
  // station lane or in a run's lane.
  std::optional<QPoint> find(bool station) const {
    const auto& c = window_->timetable();
    for (int y = 1; y < window_->view()->height(); y += 3)
      for (int x = 1; x < window_->view()->width(); x += 3) {
        const auto hit = c.hit_test({x, y});
        if (!hit || hit->slot < 0 || hit->kind != timetable::SlotKind::Row) continue;
        if ((hit->run == 0) == station) return QPoint(x, y);
      }
    return std::nullopt;
  }

  TempDir home_;
  std::filesystem::path file_;
  std::unique_ptr<Editor> editor_;
  TimetableWindow* window_ = nullptr;
};

TEST_F(Ui_TimetableWindowTests, ClicksSelectAStationAndARun) {
  EXPECT_TRUE(editor_->window().action(cmd::kTimetableWindow)->isChecked());
  EXPECT_TRUE(window_->windowTitle().startsWith(QStringLiteral("時刻表ウインドウ")));
  QSignalSpy stations(window_->view(), &TimetableView::station_dialog_requested);
  QSignalSpy runs(window_, &TimetableWindow::run_selected);
  const std::optional<QPoint> station = find(true);
  ASSERT_TRUE(station);
  QTimer::singleShot(0, [] {  // the station dialog the click opens
    if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
  });
  QTest::mouseClick(window_->view(), Qt::LeftButton, {}, *station);
  ASSERT_EQ(stations.count(), 1);
  EXPECT_GT(stations.at(0).at(0).toInt(), 0);

  const std::optional<QPoint> cell = find(false);
  ASSERT_TRUE(cell);
  QTest::mouseClick(window_->view(), Qt::LeftButton, {}, *cell);
  ASSERT_EQ(runs.count(), 1);
  const int run = runs.at(0).at(0).toInt();
  EXPECT_EQ(window_->timetable().selection().run, run);
  EXPECT_GT(window_->timetable().selection().target, 0);
  QTest::keyClick(window_->view(), Qt::Key_Escape);
  EXPECT_EQ(window_->timetable().selection().run, 0);
}

TEST_F(Ui_TimetableWindowTests, TheScrollBarMovesThePicture) {
  QScrollBar* bar = window_->vertical_bar();
  ASSERT_GT(bar->maximum(), 0);  // the sample's tables are taller than the window
  bar->setValue(bar->maximum());
  EXPECT_EQ(window_->timetable().scroll().y, bar->maximum());
  QTest::keyClick(window_->view(), Qt::Key_Up);
  EXPECT_LT(bar->value(), bar->maximum());  // keys scroll and the bar follows
  EXPECT_EQ(bar->value(), window_->timetable().scroll().y);
}

TEST_F(Ui_TimetableWindowTests, PrintsToPdfAndKeepsTheScreenLayout) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  const std::filesystem::path pdf = home_ / "timetable.pdf";
  printer.setOutputFileName(QString::fromStdString(pdf.string()));
  ASSERT_TRUE(window_->print_on(printer));
  EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
  EXPECT_TRUE(window_->timetable().runs_as_rows());  // printing is over
  editor_->window().run_command(cmd::kTimetableWindow);
  EXPECT_EQ(editor_->window().timetable_window(), nullptr);
  EXPECT_NE(testing::settings_text(home_).find("ViewXAxis=1"), std::string::npos);
}

TEST_F(Ui_TimetableWindowTests, TheToolBarTogglesAndOpensAsStored) {
  if (const char* dir = std::getenv("VOSK_SCREENSHOT_DIR")) {
    window_->resize(1000, 800);
    window_->view()->redraw();
    window_->grab().save(QString::fromLocal8Bit(dir) + "/timetable_window.png");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(dir) + "/timetable.pdf");
    EXPECT_TRUE(window_->print_on(printer));
  }
  EXPECT_TRUE(window_->tool_bar()->isVisible());
  EXPECT_TRUE(window_->action(kTimetableToolBar)->isChecked());
  window_->action(kTimetableToolBar)->trigger();
  EXPECT_FALSE(window_->tool_bar()->isVisible());
  EXPECT_FALSE(window_->timetable().flags().tool_bar);

  editor_->window().run_command(cmd::kTimetableWindow);  // closes and writes the settings
  EXPECT_NE(testing::settings_text(home_).find("ViewToolBar=0"), std::string::npos);
  editor_->window().run_command(cmd::kTimetableWindow);
  ASSERT_NE(editor_->window().timetable_window(), nullptr);
  EXPECT_TRUE(editor_->window().timetable_window()->tool_bar()->isHidden());
}

TEST_F(Ui_TimetableWindowTests, FilesDroppedHereAreTakenAsOnTheMainWindow) {
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString((home_ / "notes.txt").string()))});
  const QPoint at(20, 20);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  enter.ignore();
  QCoreApplication::sendEvent(window_, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window_, &drop);
  QCoreApplication::processEvents();
  ASSERT_EQ(editor_->prompt.count(), 1u);
  EXPECT_EQ(editor_->prompt.last().text, "この形式は受付できません。");
}

}  // namespace
}  // namespace vosk::ui
