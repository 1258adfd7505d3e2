#include "base/text_file.h"

#include <gtest/gtest.h>

#include "base/record_table.h"
#include "support/temp_dir.h"

namespace vosk {
namespace {

TEST(Base_TextFileTests, TextModeDropsOnlyTheCrBeforeLf) {
  EXPECT_EQ(textfile::to_text_mode("a\r\nb\rc\r\r\n\x1A" "d"), "a\nb\rc\r\n\x1A" "d");
  EXPECT_EQ(textfile::to_text_mode("\r"), "\r");
}

TEST(Base_TextFileTests, DiskModeThenTextModeIsTheIdentity) {
  for (std::string s : {"", "a\n", "\r\n", "x\r\r\n\n", "\r", "\n\n\r"}) {
    EXPECT_EQ(textfile::to_text_mode(textfile::to_disk_mode(s)), s) << s;
  }
  EXPECT_EQ(textfile::to_disk_mode("a\nb"), "a\r\nb");
}

TEST(Base_TextFileTests, AtomicWriteReplacesTargetAndLeavesNoTemporary) {
  testing::TempDir dir;
  auto target = dir.write("t.txt", "old");
  ASSERT_TRUE(textfile::write_text_atomic(target, "new\n"));
  EXPECT_EQ(dir.read("t.txt"), "new\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "t.txt.vosk-tmp"));
}

TEST(Base_TextFileTests, FailedWriteLeavesTheOldFile) {
  testing::TempDir dir;
  auto target = dir.write("keep.txt", "old");
  EXPECT_FALSE(textfile::write_binary_atomic(dir / "no-such-folder" / "x", "y"));
  EXPECT_EQ(dir.read("keep.txt"), "old");
  EXPECT_FALSE(textfile::read_binary(dir / "missing"));
}

struct Item {
  int value = 0;
};

TEST(Base_RecordTableTests, CapacityCostsNoStorageAndExtentFollowsUse) {
  RecordTable<Item> table;
  table.allocate(1000000);
  EXPECT_EQ(table.capacity(), 1000000);
  EXPECT_EQ(table.extent(), 0);
  EXPECT_TRUE(table.contains(0));
  EXPECT_FALSE(table.contains(1));
  EXPECT_FALSE(table.names_record(0));

  table.grow_to(5).value = 7;
  EXPECT_EQ(table.extent(), 5);
  EXPECT_EQ(table[3].value, 0);  // gap records are defaults
  EXPECT_EQ(table[5].value, 7);
  table.grow_to(2);
  EXPECT_EQ(table.extent(), 5);  // never shrinks by growing
}

TEST(Base_RecordTableTests, GrowingPastCapacityRaisesIt) {
  RecordTable<Item> table;
  table.allocate(3);
  table.grow_to(10);
  EXPECT_EQ(table.capacity(), 10);
  table.allocate(-5);
  EXPECT_EQ(table.capacity(), 0);
  EXPECT_EQ(table.extent(), 0);
}

}  // namespace
}  // namespace vosk
