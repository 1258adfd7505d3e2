#include "ui/display_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "datafiles/open_save.h"
#include "editor_fixture.h"
#include "ui/main_menu.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using testing::Layer;
using vosk::testing::TempDir;

// The sample with display window 3 open in its header, written as the core
// writes it with no panel windows (the carried lines go out as read).
std::filesystem::path sample_with_window_3(
    const TempDir& home,
    std::vector<std::string> lines = {"PosLeft=300", "PosTop=200", "PosRight=700",
                                      "PosBottom=500", "ViewType=1", "SmartView=1", "RailView=2",
                                      "InterView=1", "ScaleX=3072", "ScaleY=4096",
                                      "ScrollPosX=2", "ScrollPosY=0", "FlatteryTrain=7"}) {
  const std::filesystem::path plain = testing::copy_sample(home, "qvw_data/plain.qvw");
  datafiles::DataSet ds = testing::read_back(plain, home.path().string());
  datafiles::DisplayWindowSection& w = ds.header.display_windows[3];
  w.open = true;
  w.lines = std::move(lines);
  const std::filesystem::path file = home / "qvw_data" / "windows.qvw";
  vosk::testing::ScriptedPrompt quiet;
  datafiles::Session session{quiet, home.path().string()};
  EXPECT_TRUE(datafiles::write_data_set(file, ds, session, {}));
  return file;
}

TEST(Ui_DisplayWindowTests, OpenWindowsOfTheHeaderAreRestoredAndWrittenBackFromTheWindows) {
  TempDir home;
  const std::filesystem::path file = sample_with_window_3(home);
  Editor editor(home, Layer::DataSet, {file.string()});
  editor.window().first_tick();
  for (int n = 1; n < datafiles::kDisplayWindowCount; ++n)
    EXPECT_EQ(editor.window().display_window(n) != nullptr, n == 3) << n;
  DisplayWindow& w = *editor.window().display_window(3);
  EXPECT_EQ(w.pos(), QPoint(300, 200));
  EXPECT_EQ(w.size(), QSize(400, 300));
  ASSERT_NE(w.view()->panel(), nullptr);
  const panel::PanelView& v = w.view()->panel()->view();
  EXPECT_EQ(v.scale_x, 3072);
  EXPECT_EQ(v.rail_view, 2);
  EXPECT_EQ(v.offset_x, -40);  // two scroll steps
  // The main window's panel keeps its own settings.
  EXPECT_EQ(editor.window().view()->panel()->view().scale_x, 4096);

  // The user moves and zooms the window; the save writes what it shows and
  // keeps the keys the panel does not use.
  w.move(320, 210);
  w.view()->panel()->zoom_x(1);
  const std::filesystem::path saved = home / "qvw_data" / "saved.qvw";
  ASSERT_TRUE(editor.data_set().save_as(saved.string()));
  const datafiles::DataSet back = testing::read_back(saved, home.path().string());
  const datafiles::DisplayWindowSection& s = back.header.display_windows[3];
  ASSERT_TRUE(s.open);
  auto has = [&](const std::string& line) {
    return std::find(s.lines.begin(), s.lines.end(), line) != s.lines.end();
  };
  for (const char* line : {"PosLeft=320", "PosTop=210", "PosRight=720", "ScaleX=3136",
                           "ScrollPosX=2", "RailView=2", "ViewType=1", "SmartView=1",
                           "FlatteryTrain=7"})
    EXPECT_TRUE(has(line)) << line;
  // A window closed by the user is written closed; the others stay closed.
  // The main window's panel (0) keeps the section the sample gives it.
  w.close();
  QCoreApplication::processEvents();
  EXPECT_EQ(editor.window().display_window(3), nullptr);
  ASSERT_TRUE(editor.data_set().save_as(saved.string()));
  const datafiles::DataSet closed = testing::read_back(saved, home.path().string());
  EXPECT_TRUE(closed.header.display_windows[0].open);
  for (std::size_t n = 1; n < closed.header.display_windows.size(); ++n)
    EXPECT_FALSE(closed.header.display_windows[n].open) << n;
}

TEST(Ui_DisplayWindowTests, OpeningAnotherDataSetReplacesTheWindows) {
  TempDir home;
  const std::filesystem::path with_window = sample_with_window_3(home);
  const std::filesystem::path plain = home / "qvw_data" / "plain.qvw";
  Editor editor(home, Layer::DataSet, {with_window.string()});
  editor.window().first_tick();
  ASSERT_NE(editor.window().display_window(3), nullptr);
  editor.files.script(plain.string());
  editor.window().run_command(cmd::kOpenDia);
  EXPECT_EQ(editor.window().display_window(3), nullptr);
}

TEST(Ui_DisplayWindowTests, WhatTheDataSetDoesNotSayComesFromTheWindowsOwnSettings) {
  TempDir home;
  const std::filesystem::path file = sample_with_window_3(home, {"RailView=1"});
  {
    std::ofstream korv(home / "korv.ini", std::ios::app | std::ios::binary);
    korv << "[DisplayWindow03]\r\nPosLeft=50\r\nPosTop=60\r\nPosRight=450\r\n"
            "PosBottom=360\r\nViewToolBar=0\r\n";
  }
  Editor editor(home, Layer::DataSet, {file.string()});
  editor.window().first_tick();
  DisplayWindow& w = *editor.window().display_window(3);
  EXPECT_EQ(w.pos(), QPoint(50, 60));
  EXPECT_FALSE(w.view()->panel()->view().tool_bar);
  EXPECT_FALSE(w.view()->tool_bar()->isVisibleTo(&w));

  // Closing the window keeps where it was and what it showed.
  w.move(70, 80);
  w.view()->panel()->view().tool_bar = true;
  w.close();
  const std::string korv = testing::settings_text(home);
  EXPECT_NE(korv.find("[DisplayWindow03]\nPosLeft=70\nPosTop=80\n"), std::string::npos) << korv;
  EXPECT_NE(korv.find("ViewToolBar=1\n"), std::string::npos);
  EXPECT_NE(korv.find("[FontDisplayWindow03]\n"), std::string::npos);
}

}  // namespace
}  // namespace vosk::ui
