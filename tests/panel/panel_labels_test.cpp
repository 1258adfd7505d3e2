#include "panel/panel_labels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "shell/line_styles.h"

namespace vosk::panel {
namespace {

// A bar from x 100 to 121, y 40 to 47, and a label 20 x 10: the places in
// turn, each taken when the ones before meet something to keep clear of.
TEST(Panel_LabelTests, ATrainLabelTakesTheFirstPlaceClearOfTheStationNames) {
  const Rect bar{100, 40, 121, 47};
  const Size label{20, 10};
  const Rect above{100, 29, 120, 39}, below{100, 48, 120, 58};
  const Rect right{123, 38, 143, 48}, left{78, 38, 98, 48};
  struct Row {
    std::vector<Rect> names;
    Rect expected;
  };
  const Row rows[] = {
      {{}, above},
      {{{0, 0, 50, 50}}, above},      // a name elsewhere
      {{{105, 20, 115, 30}}, below},  // a name above
      {{{105, 20, 115, 30}, {90, 55, 130, 70}}, right},
      {{{105, 20, 115, 30}, {90, 55, 130, 70}, {140, 40, 150, 45}}, left},
      {{{60, 0, 160, 39}, {60, 48, 160, 80}}, above},  // nowhere clear
  };
  for (const Row& row : rows) EXPECT_EQ(train_label_box(bar, label, row.names), row.expected);
}

// Point keys in the dark mode colours get a plate; the bright ones and the
// grey of a failed point stand on black as they are.
TEST(Panel_LabelTests, OnlyDarkPointKeyColoursGetAPlate) {
  struct Row {
    int entry;
    bool plate;
  };
  const Row rows[] = {{0, false}, {1, true}, {2, false}, {3, false},
                      {4, false}, {5, true}, {6, true}};
  const auto styles = shell::builtin_main_window_line_styles();
  for (const Row& row : rows) {
    const auto s = std::find_if(styles.begin(), styles.end(),
                                [&](const shell::LineStyle& l) { return l.id == row.entry; });
    ASSERT_NE(s, styles.end());
    EXPECT_EQ(needs_plate({s->red, s->green, s->blue}), row.plate) << "entry " << row.entry;
  }
  EXPECT_FALSE(needs_plate({128, 128, 128}));
}

}  // namespace
}  // namespace vosk::panel
