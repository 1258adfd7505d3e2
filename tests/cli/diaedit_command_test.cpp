// vosk-cli diaedit, run as a user would.
#include <gtest/gtest.h>

#include "cli_run.h"

namespace vosk {
namespace {

using testing::cli;
using testing::CliRun;
using testing::q;

class Cli_DiaEditTests : public ::testing::Test {
 protected:
  void SetUp() override {
    CliRun made = cli("make-sample " + q(dir / "s.qvw") + " --stations 8 --runs 10");
    ASSERT_EQ(made.code, 0) << made.err;
  }
  testing::TempDir dir;
};

TEST_F(Cli_DiaEditTests, DrawsTheRunOrTheNoSelectionText) {
  CliRun r = cli("diaedit " + q(dir / "s.qvw") + " " + q(dir / "r.svg") + " --run 1");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("ダイヤ編集　", 0), 0u);
  EXPECT_NE(dir.read("r.svg").find("入力"), std::string::npos);
  ASSERT_EQ(cli("diaedit " + q(dir / "s.qvw") + " " + q(dir / "n.svg")).code, 0);
  EXPECT_NE(dir.read("n.svg").find("編集するダイヤを選択して下さい。"), std::string::npos);
}

TEST_F(Cli_DiaEditTests, MalformedOptionsAreUsageErrors) {
  const std::string in = q(dir / "s.qvw");
  const std::string out = q(dir / "o.svg");
  for (const std::string& args :
       {"diaedit " + in, "diaedit " + in + " " + out + " --run 0",
        "diaedit " + in + " " + out + " --run 99999", "diaedit " + in + " " + out + " --font 6",
        "diaedit " + in + " " + out + " --size 10", "diaedit " + in + " " + q(dir / "o.bmp")}) {
    EXPECT_EQ(cli(args).code, 2) << args;
  }
}

}  // namespace
}  // namespace vosk
