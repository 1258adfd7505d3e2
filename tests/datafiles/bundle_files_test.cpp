#include "datafiles/bundle_files.h"

#include <gtest/gtest.h>

#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk {
namespace {

using testing::ScriptedPrompt;
using testing::TempDir;

TEST(Datafiles_BundleFileTests, PackReadsTextModeAndUnpackWritesIt) {
  TempDir dir;
  auto text = dir.write("b.qvp", "#temp.qvd\r\n[K-ORV]\r\nversion=1220\r\n#rail.csv\r\n  1,-2,\r\n");
  ScriptedPrompt prompt;
  ASSERT_TRUE(bundle::pack_file(text, dir / "b.qvw", prompt));
  ASSERT_TRUE(bundle::unpack_file(dir / "b.qvw", dir / "back.qvp", prompt));
  EXPECT_EQ(dir.read("back.qvp"), dir.read("b.qvp"));
  EXPECT_EQ(prompt.count(), 0u);
}

TEST(Datafiles_BundleFileTests, MissingInputIsAReadError) {
  TempDir dir;
  ScriptedPrompt prompt;
  EXPECT_FALSE(bundle::pack_file(dir / "nope.qvp", dir / "x.qvw", prompt));
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "ファイル読み込みエラー");
  EXPECT_EQ(prompt.last().text, "読み込みファイル'" + (dir / "nope.qvp").string() + "'は開けませんでした。\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "x.qvw"));
}

TEST(Datafiles_BundleFileTests, TruncatedPackedFileFailsAndWritesNothing) {
  TempDir dir;
  ScriptedPrompt prompt;
  auto packed = dir.write("cut.qvw", std::string("\x12\x34\xE4", 3));
  auto empty = dir.write("empty.qvw", "");
  EXPECT_FALSE(bundle::unpack_file(packed, dir / "out.qvp", prompt));
  EXPECT_FALSE(bundle::unpack_file(empty, dir / "out.qvp", prompt));
  EXPECT_FALSE(std::filesystem::exists(dir / "out.qvp"));
  ASSERT_EQ(prompt.count(), 2u);
  EXPECT_EQ(prompt.asked()[0].caption, "ファイル読み込みエラー");
  EXPECT_NE(prompt.asked()[0].text.find("cut.qvw"), std::string::npos);
}

TEST(Datafiles_BundleFileTests, UnwritableOutputIsAWriteError) {
  TempDir dir;
  ScriptedPrompt prompt;
  auto text = dir.write("b.qvp", "#a.csv\n1\n");
  EXPECT_FALSE(bundle::pack_file(text, dir / "no" / "x.qvw", prompt));
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "ファイル書き込みエラー");
}

TEST(Datafiles_BundleFileTests, SplitFileWritesMembersAndReturnsTheWantedOne) {
  TempDir dir;
  std::filesystem::create_directory(dir / "temp");
  auto b = dir.write("b.qvp", "#temp.qvd\n[K-ORV]\n#rail.csv\n1,\n#second.qvd\nX\n");
  ScriptedPrompt prompt;
  auto header = bundle::split_file(b, dir / "temp", "qvd", prompt);
  ASSERT_TRUE(header);
  EXPECT_EQ(*header, dir / "temp" / "second.qvd");
  EXPECT_EQ(dir.read("temp/rail.csv"), "1,\r\n");
  EXPECT_EQ(dir.read("temp/temp.qvd"), "[K-ORV]\r\n");
}

TEST(Datafiles_BundleFileTests, SplitWithoutTheWantedMemberFailsWithTheBundlePath) {
  TempDir dir;
  auto b = dir.write("b.qvp", "#rail.csv\n1,\n");
  ScriptedPrompt prompt;
  EXPECT_FALSE(bundle::split_file(b, dir.path(), "qvd", prompt));
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().text, "書き込みファイル'" + b.string() + "'は開けませんでした。\n");
}

TEST(Datafiles_BundleFileTests, SplitRefusesUnsafeNamesBeforeWritingAnything) {
  TempDir dir;
  std::filesystem::create_directory(dir / "out");
  auto b = dir.write("b.qvp", "#good.csv\n1\n#../evil.csv\n2\n");
  ScriptedPrompt prompt;
  EXPECT_FALSE(bundle::split_file(b, dir / "out", "", prompt));
  EXPECT_FALSE(std::filesystem::exists(dir / "evil.csv"));
  EXPECT_FALSE(std::filesystem::exists(dir / "out" / "good.csv"));
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_NE(prompt.last().text.find("../evil.csv"), std::string::npos);
}

TEST(Datafiles_BundleFileTests, SplitReplacesALinkNamedLikeAMemberInsteadOfWritingThroughIt) {
  TempDir dir;
  std::filesystem::create_directory(dir / "out");
  auto outside = dir.write("outside.csv", "keep");
  std::filesystem::create_symlink(outside, dir / "out" / "rail.csv");
  auto b = dir.write("b.qvp", "#rail.csv\n1,\n");
  ScriptedPrompt prompt;
  ASSERT_TRUE(bundle::split_file(b, dir / "out", "", prompt));
  EXPECT_EQ(dir.read("outside.csv"), "keep");
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "out" / "rail.csv"));
  EXPECT_EQ(dir.read("out/rail.csv"), "1,\r\n");
}

TEST(Datafiles_BundleFileTests, BundleWithoutMembersIsAnError) {
  TempDir dir;
  auto b = dir.write("b.qvp", "no header lines at all\n");
  ScriptedPrompt prompt;
  EXPECT_FALSE(bundle::split_file(b, dir.path(), "", prompt));
  EXPECT_EQ(prompt.count(), 1u);
}

}  // namespace
}  // namespace vosk
