// vosk-cli make-sample, run as a user would.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>

#include "cli_run.h"

namespace vosk {
namespace {

using testing::cli;
using testing::CliRun;
using testing::q;

TEST(Cli_MakeSampleTests, WritesADataSetThatOpensSilentlyAndSavesBackUnchanged) {
  testing::TempDir dir;
  CliRun made = cli("make-sample " + q(dir / "s.qvw") + " --stations 9 --runs 40 --seed 3");
  ASSERT_EQ(made.code, 0) << made.err;
  EXPECT_EQ(made.err, "");
  ASSERT_TRUE(std::filesystem::exists(dir / "s.qvw"));

  // Opening runs every load step and the rail check; --strict fails on any
  // message. Saving again must give the same file.
  CliRun converted = cli("convert " + q(dir / "s.qvw") + " " + q(dir / "back.qvw") + " --strict");
  ASSERT_EQ(converted.code, 0) << converted.err;
  EXPECT_EQ(converted.err, "");
  EXPECT_EQ(dir.read("back.qvw"), dir.read("s.qvw"));

  CliRun info = cli("info " + q(dir / "s.qvw") + " --json");
  ASSERT_EQ(info.code, 0) << info.err;
  EXPECT_NE(info.out.find("\"station\": 9"), std::string::npos) << info.out;
}

TEST(Cli_MakeSampleTests, BundleTextAndSeedsWork) {
  testing::TempDir dir;
  ASSERT_EQ(cli("make-sample " + q(dir / "a.qvp") + " --seed 5").code, 0);
  ASSERT_EQ(cli("make-sample " + q(dir / "b.qvp") + " --seed 5").code, 0);
  ASSERT_EQ(cli("make-sample " + q(dir / "c.qvp") + " --seed 6").code, 0);
  std::string a = dir.read("a.qvp");
  EXPECT_EQ(a.rfind("#temp.qvd\r\n", 0), 0u) << "bundle text with CR LF line ends";
  EXPECT_EQ(a, dir.read("b.qvp"));
  EXPECT_NE(a, dir.read("c.qvp"));
}

TEST(Cli_MakeSampleTests, BadArgumentsAreUsageErrors) {
  testing::TempDir dir;
  const std::string out = q(dir / "x.qvw");
  for (const std::string& args :
       {std::string("make-sample"), "make-sample " + out + " --stations",
        "make-sample " + out + " --runs many", "make-sample " + out + " --seed -1",
        "make-sample " + out + " --colour red", "make-sample " + out + " " + out}) {
    CliRun r = cli(args);
    EXPECT_EQ(r.code, 2) << args;
    EXPECT_NE(r.err.find("vosk-cli: "), std::string::npos) << args;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "x.qvw"));
}

TEST(Cli_MakeSampleTests, UnwritableTargetIsAFileError) {
  testing::TempDir dir;
  CliRun r = cli("make-sample " + q(dir / "missing" / "s.qvw"));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("ファイル書き込みエラー"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace vosk
