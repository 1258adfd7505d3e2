#include "base/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>

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

std::set<std::string> names_in(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

mode_t mode_of(const std::filesystem::path& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

TEST(Base_TextFileTests, AtomicWriteReplacesTargetAndLeavesNoTemporary) {
  testing::TempDir dir;
  auto target = dir.write("t.txt", "old");
  ASSERT_TRUE(textfile::write_text_atomic(target, "new\n"));
  ASSERT_TRUE(textfile::write_text_atomic(target, "newer\n"));
  EXPECT_EQ(dir.read("t.txt"), "newer\r\n");
  EXPECT_EQ(names_in(dir.path()), std::set<std::string>{"t.txt"});
}

TEST(Base_TextFileTests, ReplacedFileKeepsItsPermissionsAndNewOnesFollowTheUmask) {
  testing::TempDir dir;
  auto target = dir.write("private.qvw", "old");
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  ASSERT_TRUE(textfile::write_binary_atomic(target, "new"));
  EXPECT_EQ(mode_of(target), 0600u);
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  ASSERT_TRUE(textfile::write_binary_atomic(target, "newer"));
  EXPECT_EQ(mode_of(target), 0640u);

  const mode_t before = ::umask(027);
  ASSERT_TRUE(textfile::write_binary_atomic(dir / "fresh.qvw", "x"));
  ::umask(before);
  EXPECT_EQ(mode_of(dir / "fresh.qvw"), 0640u);
}

TEST(Base_TextFileTests, SavingThroughALinkReplacesTheFileItPointsAtAndKeepsTheLink) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir / "data");
  dir.write("data/line.qvw", "old");
  // A relative link, and a link to that link.
  std::filesystem::create_symlink("data/line.qvw", dir / "current.qvw");
  std::filesystem::create_symlink(dir / "current.qvw", dir / "chain.qvw");
  ASSERT_TRUE(textfile::write_binary_atomic(dir / "chain.qvw", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "current.qvw"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "chain.qvw"));
  EXPECT_EQ(dir.read("data/line.qvw"), "new");
  EXPECT_EQ(names_in(dir / "data"), std::set<std::string>{"line.qvw"});

  // A dangling link gets its file.
  std::filesystem::create_symlink("data/later.qvw", dir / "later.qvw");
  ASSERT_TRUE(textfile::write_binary_atomic(dir / "later.qvw", "made"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "later.qvw"));
  EXPECT_EQ(dir.read("data/later.qvw"), "made");
}

// The longest names a folder holds (255 bytes), ASCII and Japanese: any
// name that can be opened can be replaced.
TEST(Base_TextFileTests, NamesAtTheFileSystemLimitCanBeSaved) {
  testing::TempDir dir;
  std::string japanese;
  for (int i = 0; i < 83; ++i) japanese += "駅";  // 249 bytes in UTF-8
  for (const std::string& stem : {std::string(251, 'a'), japanese}) {
    const std::string name = stem + ".qvw";
    auto target = dir.write(name, "old");
    ASSERT_TRUE(textfile::write_binary_atomic(target, "new")) << name.size();
    EXPECT_EQ(dir.read(name), "new");
    EXPECT_EQ(names_in(dir.path()), std::set<std::string>{name});
    std::filesystem::remove(target);
  }
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
