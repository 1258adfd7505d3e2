// The display target list and edit dialog over a data set: the distance
// columns of the map's targets follow copies, deletions and edits.
#include "datafiles/display_target_edits.h"

#include <gtest/gtest.h>

#include "base/sjis.h"
#include "dia/classification.h"
#include "support/scripted_prompt.h"

namespace vosk::datafiles {
namespace {

using testing::ScriptedPrompt;

// Four places; display target 1 shows A, B and C, display target 2 shows
// only C, display target 3 shows B and D. D lies on none but 3.
class Datafiles_DisplayTargetEditTests : public ::testing::Test {
 protected:
  void SetUp() override {
    ds_.classification = dia::new_classification_tables(120);
    dia::DisplayTargetTable& table = ds_.classification.display_targets;
    table[1].is_protected = 0;
    table.grow_to(2).name = "line2";
    table.grow_to(3).name = "line3";
    const char* names[] = {"A", "B", "C", "D"};
    for (int n = 1; n <= 4; ++n) {
      map::Target& t = ds_.map.targets.grow_to(n);
      t.distances.fill(-1);
      t.name = names[n - 1];
    }
    set(1, {0, -1, -1});
    set(2, {100, -1, 40});
    set(3, {300, 20, -1});
    set(4, {-1, -1, 70});
  }

  void set(int target, std::initializer_list<int> columns) {
    std::size_t k = 0;
    for (int d : columns) ds_.map.targets[target].distances[k++] = d;
  }
  int at(int target, int display_target) const {
    return ds_.map.targets[target].distances[static_cast<std::size_t>(display_target - 1)];
  }

  DataSet ds_;
  ScriptedPrompt prompt_;
};

TEST_F(Datafiles_DisplayTargetEditTests, ListsShownByDistanceWithMetresAndHiddenByNumber) {
  DisplayTargetEditor editor(ds_, 1);
  const auto shown = editor.shown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, "A (0[m])");
  EXPECT_EQ(shown[2].text, "C (3000[m])");
  ASSERT_EQ(editor.hidden().size(), 1u);
  EXPECT_EQ(editor.hidden()[0].target, 4);
}

// A place moved in takes its distance from the first display target that
// has one (in number order, the edited one included), else 0.
TEST_F(Datafiles_DisplayTargetEditTests, MovedInPlaceTakesTheFirstDistanceFound) {
  struct Row {
    int display_target;
    int target;
    int expected;
  } rows[] = {
      {3, 3, 300},  // C: display target 1 has 300
      {2, 2, 100},  // B: the first one wins over display target 3's 40
      {1, 4, 70},   // D: only display target 3 has it
  };
  for (const Row& row : rows) {
    DisplayTargetEditor editor(ds_, row.display_target);
    editor.show({row.target});
    EXPECT_EQ(editor.distance(row.target), row.expected) << row.target;
  }
  set(4, {-1, -1, -1});
  DisplayTargetEditor editor(ds_, 1);
  editor.show({4});
  EXPECT_EQ(editor.distance(4), 0);  // on no display target at all
}

TEST_F(Datafiles_DisplayTargetEditTests, ProtectionLocksMembershipAndPositions) {
  ds_.classification.display_targets[2].is_protected = 1;
  DisplayTargetEditor editor(ds_, 2);
  ASSERT_TRUE(editor.is_protected());
  editor.show({1});
  editor.hide({3});
  EXPECT_FALSE(editor.set_position(3, 500).ok());
  EXPECT_EQ(editor.distance(1), -1);
  EXPECT_EQ(editor.distance(3), 20);
  editor.set_protected(false);  // unticked in the dialog: editable again
  editor.hide({3});
  EXPECT_EQ(editor.distance(3), -1);
}

TEST_F(Datafiles_DisplayTargetEditTests, StoreWritesNameFlagsAndOnlyItsOwnColumn) {
  DisplayTargetEditor editor(ds_, 3);
  editor.set_name("renamed");
  editor.set_cross_section(true);
  editor.hide({2});
  editor.show({1});
  // 表示位置 is typed in metres and kept in units of 10 m.
  ASSERT_TRUE(editor.set_position(4, 1234).ok());
  EXPECT_EQ(editor.set_position(4, -10).status(), dia::EditResult::Status::Refused);
  EXPECT_FALSE(editor.set_position(2, 50).ok());  // hidden places have no position
  // Nothing reaches the data set before OK.
  EXPECT_EQ(at(2, 3), 40);
  editor.set_protected(true);
  editor.store(ds_);
  const dia::DisplayTarget& d = ds_.classification.display_targets[3];
  EXPECT_EQ(d.name, "renamed");
  EXPECT_EQ(d.flag, 1);
  EXPECT_EQ(d.is_protected, 1);
  EXPECT_EQ(at(1, 3), 0);
  EXPECT_EQ(at(2, 3), -1);
  EXPECT_EQ(at(3, 3), -1);
  EXPECT_EQ(at(4, 3), 123);
  EXPECT_EQ(at(2, 1), 100);  // other display targets keep theirs
}

TEST_F(Datafiles_DisplayTargetEditTests, CopyAndDeleteCarryTheDistanceColumns) {
  const dia::EditResult copy = copy_display_target(ds_, 3);
  ASSERT_TRUE(copy.ok());
  EXPECT_EQ(copy.number(), 4);
  EXPECT_EQ(at(2, 4), 40);
  EXPECT_EQ(at(4, 4), 70);
  EXPECT_EQ(at(1, 4), -1);

  prompt_.script({Answer::Yes});
  const dia::EditResult removed = delete_display_target(ds_, 2, prompt_);
  ASSERT_TRUE(removed.ok());
  EXPECT_EQ(removed.number(), 2);  // display target 3 moved into its place
  EXPECT_EQ(ds_.classification.display_targets.extent(), 3);
  EXPECT_EQ(at(2, 2), 40);
  EXPECT_EQ(at(4, 3), 70);  // the copy moved down too
  EXPECT_EQ(at(4, 4), -1);  // the freed column holds no place
  EXPECT_EQ(at(2, 1), 100);
}

}  // namespace
}  // namespace vosk::datafiles
