#include "ui/graph_window.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QWheelEvent>
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "base/ini.h"
#include "editor_fixture.h"
#include "ui/main_menu.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using testing::Layer;
using vosk::testing::TempDir;

// The sample opened from the command line with the graph window left closed
// at start-up, so the Window menu opens it.
class Ui_GraphWindowTests : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.write("korv.ini", "[VOSKDiaGramWindow]\r\nopen=0\r\n[Setting]\r\nBackupFile=0\r\n");
    file_ = testing::copy_sample(home_, "qvw_data/sample.qvw");
    editor_ =
        std::make_unique<Editor>(home_, Layer::DataSet, std::vector<std::string>{file_.string()});
  }

  GraphWindow& open_graph() {
    editor_->window().first_tick();
    editor_->window().run_command(cmd::kTrainGraphWindow);
    GraphWindow* window = editor_->window().graph_window();
    if (!window) throw std::runtime_error("the graph window did not open");
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    return *window;
  }

  static void wheel(QWidget* view, int angle, Qt::KeyboardModifiers mods) {
    const QPointF at(view->width() / 2.0, view->height() / 2.0);
    QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
  }

  ini::Document settings() const { return ini::Document::parse(testing::settings_text(home_)); }

  TempDir home_;
  std::filesystem::path file_;
  std::unique_ptr<Editor> editor_;
};

// Pixels in the colour of a train type other than black (text is black):
// runs and their labels.
int run_pixels(const QImage& image, const datafiles::DataSet& data) {
  std::vector<QRgb> colours;
  const auto& types = data.classification.train_types;
  for (int n = 1; n <= types.extent(); ++n) {
    if (!types.contains(n)) continue;
    const QRgb c = qRgb(types[n].red, types[n].green, types[n].blue);
    if ((c & 0xFFFFFF) != 0 && (c & 0xFFFFFF) != 0xFFFFFF) colours.push_back(c);
  }
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (std::find(colours.begin(), colours.end(), image.pixel(x, y)) != colours.end()) ++count;
  return count;
}

TEST_F(Ui_GraphWindowTests, WindowMenuShowsTheGraphOfTheOpenDataSet) {
  MainWindow& main = editor_->window();
  EXPECT_FALSE(main.action(cmd::kTrainGraphWindow)->isEnabled());  // nothing open yet
  main.first_tick();
  ASSERT_NE(editor_->data_set().data_set(), nullptr);
  EXPECT_TRUE(main.action(cmd::kTrainGraphWindow)->isEnabled());
  EXPECT_EQ(main.graph_window(), nullptr);  // the settings said closed

  GraphWindow& graph = open_graph();
  EXPECT_TRUE(main.action(cmd::kTrainGraphWindow)->isChecked());
  EXPECT_TRUE(graph.windowTitle().startsWith(QString::fromUtf8("ダイヤグラムウインドウ　")));
  // The stored default rectangle: 620 × 610, the view below the menu bar.
  EXPECT_EQ(graph.width(), 620);
  const QImage& picture = graph.view()->picture();
  EXPECT_EQ(picture.size(), graph.view()->size());
  EXPECT_GT(testing::ink_pixels(picture), 5000);
  EXPECT_GT(run_pixels(picture, editor_->data_set().data()), 200);
  // 6:00 for an hour: the bar shows minute 360 with a page of 60.
  EXPECT_EQ(graph.scroll_bar()->value(), 360);
  EXPECT_EQ(graph.scroll_bar()->pageStep(), 60);
  EXPECT_EQ(graph.scroll_bar()->maximum(), 1681 - 60);
}

TEST(Ui_GraphWindowStartTests, OpensWithTheDataSetAsTheSettingsSayAndRemembersAClose) {
  TempDir home;
  const auto file = testing::copy_sample(home, "qvw_data/sample.qvw");
  {
    Editor editor(home, Layer::DataSet, {file.string()});
    EXPECT_EQ(editor.window().graph_window(), nullptr);  // no data set before the first tick
    editor.window().first_tick();
    ASSERT_NE(editor.window().graph_window(), nullptr);   // the default: open
    editor.window().run_command(cmd::kTrainGraphWindow);  // the user closes it
    editor.window().close();
  }
  EXPECT_EQ(
      ini::Document::parse(testing::settings_text(home)).get_int("VOSKDiaGramWindow", "open", 1),
      0);
  Editor again(home, Layer::DataSet, {file.string()});
  again.window().first_tick();
  EXPECT_EQ(again.window().graph_window(), nullptr);
}

TEST_F(Ui_GraphWindowTests, KeysWheelAndScrollBarMoveTheVisibleRange) {
  GraphWindow& graph = open_graph();
  QWidget* view = graph.view();
  const QImage before = graph.view()->picture();

  QTest::keyClick(view, Qt::Key_Right);  // a page is half the span
  EXPECT_EQ(graph.graph().start_time(), 21600 + 1800);
  EXPECT_EQ(graph.scroll_bar()->value(), 390);
  EXPECT_NE(graph.view()->picture(), before);

  QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);  // a line is 5 of 60 minutes
  EXPECT_EQ(graph.graph().start_time(), 21600 + 1800 + 300);
  wheel(view, -120, Qt::ShiftModifier);  // towards the user with Shift: page right
  EXPECT_EQ(graph.graph().start_time(), 21600 + 3600 + 300);
  wheel(view, 120, Qt::ShiftModifier);
  EXPECT_EQ(graph.graph().start_time(), 21600 + 1800 + 300);

  QTest::keyClick(view, Qt::Key_Right, Qt::ControlModifier);  // zoom in: half the span
  EXPECT_EQ(graph.graph().end_time() - graph.graph().start_time(), 1800);
  EXPECT_EQ(graph.scroll_bar()->pageStep(), 30);

  graph.scroll_bar()->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(graph.graph().start_time(), 0);
  EXPECT_EQ(graph.scroll_bar()->value(), 0);
  graph.scroll_bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(graph.graph().start_time(), 15 * 60);
  graph.scroll_bar()->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(graph.graph().end_time(), 1681 * 60);
  EXPECT_EQ(graph.scroll_bar()->value(), graph.scroll_bar()->maximum());

  // The plain wheel and Tab step through the display targets, cyclic.
  const int targets = editor_->data_set().data().classification.display_targets.extent();
  ASSERT_GE(targets, 1);
  wheel(view, -120, Qt::NoModifier);
  EXPECT_EQ(graph.graph().display_target(), 1 % targets);
  QTest::keyClick(view, Qt::Key_Tab);
  EXPECT_EQ(graph.graph().display_target(), 2 % targets);
  wheel(view, 120, Qt::NoModifier);
  EXPECT_EQ(graph.graph().display_target(), 1 % targets);
}

TEST_F(Ui_GraphWindowTests, ClickOnAStationNameShowsItsTracks) {
  GraphWindow& graph = open_graph();
  const graph::VerticalLayout& layout = graph.graph().vertical();
  int target = 0;
  for (int n = 1; n < static_cast<int>(layout.rows.size()) && !target; ++n)
    if (layout.rows[n].y != 0) target = n;
  ASSERT_NE(target, 0);
  const auto& place = editor_->data_set().data().map.targets[target];
  const bool was = place.show_track_numbers;
  QTest::mouseClick(graph.view(), Qt::LeftButton, {}, QPoint(3, layout.rows[target].y));
  EXPECT_NE(place.show_track_numbers, was);
}

TEST_F(Ui_GraphWindowTests, DraggingTheStartOfTheSelectedRunEditsTheDataSet) {
  GraphWindow& graph = open_graph();
  datafiles::DataSet& data = editor_->data_set().data();
  const graph::TimeAxis axis = graph.graph().axis();
  // A run of its own (no pattern) that starts in view at a shown station.
  int run = 0;
  QPoint start;
  for (int n = 1; n <= data.dia.diagrams.extent() && !run; ++n) {
    if (!data.dia.diagrams.names_record(n)) continue;
    const dia::Diagram& d = data.dia.diagrams[n];
    if (!d.in_use() || d.applied_pattern != 0 || d.pattern_template != 0 || d.events.empty())
      continue;
    const int t = d.events[0].time;
    const int y = graph.graph().vertical().target_y_of_rail(data.map.rails, d.events[0].rail);
    if (y == 0 || t < graph.graph().start_time() + 300 || t > graph.graph().end_time() - 900)
      continue;
    run = n;
    start = QPoint(axis.x(t), y);
  }
  ASSERT_NE(run, 0);
  const int before = data.dia.diagrams[run].events[0].time;
  graph.graph().select(run);
  EXPECT_FALSE(editor_->data_set().state().edited);

  // Ten minutes to the right, in pixels of the current axis.
  const int ten_minutes =
      axis.x(graph.graph().start_time() + 600) - axis.x(graph.graph().start_time());
  QTest::mousePress(graph.view(), Qt::LeftButton, {}, start);
  ASSERT_TRUE(graph.graph().stop_drag_active());
  QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(ten_minutes, 0)),
                   graph.view()->mapToGlobal(QPointF(start + QPoint(ten_minutes, 0))), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(graph.view(), &move);
  QTest::mouseRelease(graph.view(), Qt::LeftButton, {}, start + QPoint(ten_minutes, 0));

  const int moved = data.dia.diagrams[run].events[0].time - before;
  EXPECT_GE(moved, 540);
  EXPECT_LE(moved, 600);
  // The document knows: edited flag and the title's mark.
  EXPECT_TRUE(editor_->data_set().state().edited);
  EXPECT_TRUE(editor_->window().windowTitle().contains(QString::fromUtf8("（更新）")));
  EXPECT_EQ(graph.graph().selected(), run);  // an edit keeps the run selected
  // The drag is one step of the 編集 menu's 元に戻す.
  QAction* undo = graph.edit_menu()->action(kGraphUndo);
  ASSERT_TRUE(undo->isEnabled());
  undo->trigger();
  EXPECT_EQ(data.dia.diagrams[run].events[0].time, before);
}

TEST_F(Ui_GraphWindowTests, SettingsAreWrittenBackOnClose) {
  MainWindow& main = editor_->window();
  GraphWindow& graph = open_graph();
  QTest::keyClick(graph.view(), Qt::Key_Right, Qt::ControlModifier);  // span 1800
  graph.graph().settings().view.view_pass = true;
  graph.move(50, 60);
  graph.close();  // the main window takes the request
  QApplication::processEvents();
  EXPECT_EQ(main.graph_window(), nullptr);
  EXPECT_FALSE(main.action(cmd::kTrainGraphWindow)->isChecked());

  const ini::Document file = settings();
  EXPECT_EQ(file.get_int("VOSKDiaGramWindowEdit", "TimeScale", 0), 1800);
  EXPECT_EQ(file.get_int("VOSKDiaGramWindowEdit", "ViewPass", 0), 1);
  EXPECT_EQ(file.get_int("VOSKDiaGramWindowEdit", "PosLeft", 0), 50);
  EXPECT_EQ(file.get_int("VOSKDiaGramWindowEdit", "PosRight", 0), 50 + 620);

  // Opened again, it starts as it was left.
  main.run_command(cmd::kTrainGraphWindow);
  ASSERT_NE(main.graph_window(), nullptr);
  EXPECT_EQ(main.graph_window()->graph().end_time() - main.graph_window()->graph().start_time(),
            1800);
  EXPECT_TRUE(main.graph_window()->graph().settings().view.view_pass);
  // The main window's close keeps it open for the next start.
  main.close();
  EXPECT_EQ(settings().get_int("VOSKDiaGramWindow", "open", 0), 1);
}

TEST_F(Ui_GraphWindowTests, ShownContentsMenuTogglesTheViewFlags) {
  GraphWindow& graph = open_graph();
  const graph::ViewFlags& view = graph.graph().settings().view;
  QAction* down = graph.action(kGraphViewFlagFirst + 2);
  QAction* up = graph.action(kGraphViewFlagFirst + 3);
  QAction* planned = graph.action(kGraphViewFlagFirst);
  ASSERT_TRUE(down && up && planned);
  EXPECT_EQ(down->text(), QString::fromUtf8("下り列車"));
  EXPECT_TRUE(down->isChecked());

  down->trigger();
  EXPECT_FALSE(view.view_down);
  EXPECT_FALSE(down->isChecked());
  up->trigger();  // both off is not allowed: down comes back
  EXPECT_FALSE(view.view_up);
  EXPECT_TRUE(view.view_down);
  EXPECT_TRUE(down->isChecked());

  const int with_runs = run_pixels(graph.view()->picture(), editor_->data_set().data());
  planned->trigger();
  EXPECT_FALSE(view.timelocal_view);
  EXPECT_LT(run_pixels(graph.view()->picture(), editor_->data_set().data()), with_runs);
  EXPECT_EQ(run_pixels(graph.view()->picture(), editor_->data_set().data()), 0);
}

TEST_F(Ui_GraphWindowTests, CloseIsRefusedWhileAnotherWindowIsBusy) {
  GraphWindow& graph = open_graph();
  const std::size_t asked = editor_->prompt.count();
  {
    shell::BusyScope busy(editor_->state().busy, shell::BusyState::DiaEditWindow);
    graph.close();
  }
  EXPECT_EQ(editor_->window().graph_window(), &graph);
  EXPECT_TRUE(graph.isVisible());
  EXPECT_EQ(editor_->prompt.count(), asked + 1);  // the busy refusal
  graph.close();
  EXPECT_EQ(editor_->window().graph_window(), nullptr);
}

TEST_F(Ui_GraphWindowTests, ModeSwitchKeepsEachModesOwnSection) {
  GraphWindow& graph = open_graph();
  EXPECT_FALSE(graph.action(kGraphPrint)->isEnabled());
  EXPECT_FALSE(graph.action(kGraphModeOperation)->isEnabled());
  QTest::keyClick(graph.view(), Qt::Key_Right, Qt::ControlModifier);
  graph.switch_mode(graph::GraphMode::Print);
  EXPECT_TRUE(graph.action(kGraphPrint)->isEnabled());
  EXPECT_TRUE(graph.action(kGraphModePrint)->isChecked());
  EXPECT_EQ(graph.pos(), QPoint(0, 0));  // the print mode's own rectangle
  EXPECT_EQ(graph.graph().end_time() - graph.graph().start_time(), 3600);
  graph.switch_mode(graph::GraphMode::Edit);
  EXPECT_EQ(graph.graph().end_time() - graph.graph().start_time(), 1800);
}

TEST_F(Ui_GraphWindowTests, PrintsThePagesOfThePrintSection) {
  home_.write("korv.ini",
              "[VOSKDiaGramWindow]\r\nopen=0\r\n[DiaGramCopyFigurePrint]\r\nPageSize=3\r\n");
  GraphWindow& graph = open_graph();
  const int start = graph.graph().start_time();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const std::filesystem::path pdf = home_ / "graph.pdf";
  printer.setOutputFileName(QString::fromStdString(pdf.string()));
  ASSERT_TRUE(graph.print_on(printer));
  const std::string bytes = home_.read("graph.pdf");
  int pages = 0;
  for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos;
       at = bytes.find("/Type /Page", at + 1))
    if (bytes.compare(at, 12, "/Type /Pages") != 0) ++pages;
  EXPECT_EQ(pages, 3);
  EXPECT_EQ(graph.graph().start_time(), start);  // the window's range is back
  EXPECT_EQ(graph.graph().plot().right, graph.view()->width() - 2);

  // A printer that cannot start reports false and leaves the window alone.
  QPrinter broken(QPrinter::HighResolution);
  broken.setOutputFormat(QPrinter::PdfFormat);
  broken.setOutputFileName(QString::fromStdString((home_ / "no such dir/x.pdf").string()));
  EXPECT_FALSE(graph.print_on(broken));
}

}  // namespace
}  // namespace vosk::ui
