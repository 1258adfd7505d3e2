#include "shell/window_placement.h"

#include <gtest/gtest.h>

namespace vosk::shell {
namespace {

TEST(Shell_WindowPlacementTests, ReadGivesDefaultsForMissingKeys) {
  auto doc = ini::Document::parse("[VOSKMainWindow]\nPosLeft=-20\nPosBottom=900\n");
  EXPECT_EQ(read_placement(doc, kMainWindowSection, kMainWindowDefault), (Rect{-20, 0, 1000, 900}));
  EXPECT_EQ(read_placement(ini::Document{}, kMainWindowSection, kMainWindowDefault),
            kMainWindowDefault);
  EXPECT_EQ(kMainWindowDefault.width(), 1000);
  EXPECT_EQ(kMainWindowDefault.height(), 750);
}

TEST(Shell_WindowPlacementTests, WrittenOnlyWhenNeitherMinimisedNorMaximised) {
  const std::string stored = "[VOSKMainWindow]\nPosLeft=1\nPosTop=2\nPosRight=3\nPosBottom=4\n";
  Rect now{-8, 10, 1200, 800};
  for (auto [minimised, maximised] : {std::pair{true, false}, {false, true}, {true, true}}) {
    auto doc = ini::Document::parse(stored);
    EXPECT_FALSE(write_placement(doc, kMainWindowSection, now, minimised, maximised));
    EXPECT_EQ(doc.text(), stored);
  }
  auto doc = ini::Document::parse(stored);
  EXPECT_TRUE(write_placement(doc, kMainWindowSection, now, false, false));
  EXPECT_EQ(doc.text(), "[VOSKMainWindow]\nPosLeft=-8\nPosTop=10\nPosRight=1200\nPosBottom=800\n");
}

struct ScreenCase {
  const char* what;
  Rect window;
  Rect expected;
};

void PrintTo(const ScreenCase& c, std::ostream* os) { *os << c.what; }

class Shell_KeepOnScreenTests : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(Shell_KeepOnScreenTests, MovesBackUntilAHundredPixelsShow) {
  const Rect screen{0, 0, 1920, 1080};
  const ScreenCase& c = GetParam();
  Rect moved = keep_on_screen(c.window, screen);
  EXPECT_EQ(moved, c.expected) << c.what;
  EXPECT_EQ(moved.width(), c.window.width()) << c.what;
  EXPECT_EQ(moved.height(), c.window.height()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Shell_KeepOnScreenTests,
    ::testing::Values(
        ScreenCase{"on screen", {100, 100, 600, 400}, {100, 100, 600, 400}},
        ScreenCase{
            "exactly 100 px left of the right edge", {1820, 0, 2320, 300}, {1820, 0, 2320, 300}},
        ScreenCase{"off to the right", {3000, 50, 3500, 350}, {1820, 50, 2320, 350}},
        ScreenCase{"off to the left", {-900, 50, -100, 350}, {-700, 50, 100, 350}},
        ScreenCase{"below the screen", {10, 2000, 410, 2300}, {10, 980, 410, 1280}},
        ScreenCase{"above the screen", {10, -700, 410, -20}, {10, -580, 410, 100}},
        ScreenCase{"off in both directions", {-5000, -5000, -4500, -4600}, {-400, -300, 100, 100}},
        ScreenCase{
            "narrow window must lie wholly on screen", {1900, 10, 1950, 60}, {1870, 10, 1920, 60}},
        ScreenCase{"partly off but 100 px show", {-300, -50, 200, 300}, {-300, -50, 200, 300}}));

TEST(Shell_WindowPlacementTests, ScreenNeedNotStartAtTheOrigin) {
  Rect screen{1920, 0, 3840, 1080};  // a second monitor
  EXPECT_EQ(keep_on_screen({0, 0, 800, 600}, screen), (Rect{1220, 0, 2020, 600}));
}

}  // namespace
}  // namespace vosk::shell
