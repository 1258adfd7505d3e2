// Runs the vosk-cli program as a user would and checks files and exit codes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

#include "cli_run.h"

namespace vosk {
namespace {

using testing::cli;
using testing::CliRun;
using testing::q;

TEST(Cli_BundleCommandTests, PackUnpackRoundTrip) {
  testing::TempDir dir;
  auto text = dir.write("d.qvp", "#temp.qvd\r\n[K-ORV]\r\nversion=1220\r\n#rail.csv\r\n  0,  0,\r\n");
  EXPECT_EQ(cli("pack " + q(text) + " " + q(dir / "d.qvw")).code, 0);
  EXPECT_EQ(cli("unpack " + q(dir / "d.qvw") + " " + q(dir / "back.qvp")).code, 0);
  EXPECT_EQ(dir.read("back.qvp"), dir.read("d.qvp"));
}

TEST(Cli_BundleCommandTests, SplitUnpacksPackedKindsFirst) {
  testing::TempDir dir;
  auto text = dir.write("d.qvp", "#temp.qvd\r\n[K-ORV]\r\n#rail.csv\r\n1,\r\n");
  ASSERT_EQ(cli("pack " + q(text) + " " + q(dir / "d.QVW")).code, 0);
  EXPECT_EQ(cli("split " + q(dir / "d.QVW") + " " + q(dir / "packed")).code, 0);
  EXPECT_EQ(dir.read("packed/rail.csv"), "1,\r\n");
  EXPECT_EQ(cli("split " + q(text) + " " + q(dir / "plain")).code, 0);
  EXPECT_EQ(dir.read("plain/temp.qvd"), "[K-ORV]\r\n");
}

TEST(Cli_BundleCommandTests, ErrorsGiveExitOneWithCaptionAndMessage) {
  testing::TempDir dir;
  CliRun missing = cli("unpack " + q(dir / "none.qvw") + " " + q(dir / "x"));
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err.rfind("ファイル読み込みエラー: 読み込みファイル'", 0), 0u) << missing.err;

  auto evil = dir.write("evil.qvp", "#/tmp/evil.csv\n1\n");
  CliRun unsafe = cli("split " + q(evil) + " " + q(dir / "out"));
  EXPECT_EQ(unsafe.code, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "out" / "evil.csv"));
}

TEST(Cli_BundleCommandTests, UsageErrorsGiveExitTwo) {
  EXPECT_EQ(cli("").code, 2);
  EXPECT_EQ(cli("frobnicate").code, 2);
  EXPECT_EQ(cli("pack onlyone").code, 2);
  EXPECT_EQ(cli("--help").code, 0);
}

}  // namespace
}  // namespace vosk
