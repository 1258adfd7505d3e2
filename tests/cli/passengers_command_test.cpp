// vosk-cli passengers: a picture of the passenger window, and its refusals.
#include <gtest/gtest.h>

#include "base/sjis.h"
#include "cli_run.h"
#include "datafiles/open_save.h"
#include "samples/generator.h"
#include "support/scripted_prompt.h"

namespace vosk {
namespace {

using testing::cli;
using testing::CliRun;
using testing::q;

class Cli_PassengersCommandTests : public ::testing::Test {
 protected:
  void SetUp() override {
    ds = samples::make_sample({8, 40, 2});
    testing::ScriptedPrompt prompt;
    datafiles::Session session{prompt, dir.path().string()};
    ASSERT_TRUE(datafiles::write_data_set(dir / "s.qvw", ds, session, {}));
  }

  std::string file() const { return q(dir / "s.qvw"); }

  testing::TempDir dir;
  datafiles::DataSet ds;
};

TEST_F(Cli_PassengersCommandTests, WritesTheChosenPairWithItsStationNames) {
  CliRun run = cli("passengers " + file() + " " + q(dir / "p.svg") + " --from 2 --to 1");
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string svg = dir.read("p.svg");
  EXPECT_NE(svg.find(sjis::to_utf8_lossy(ds.map.stations[2].name) + "（計"), std::string::npos);
  EXPECT_NE(svg.find(sjis::to_utf8_lossy(ds.map.stations[1].name) + "（計"), std::string::npos);
  EXPECT_NE(svg.find("逆方向"), std::string::npos);
}

TEST_F(Cli_PassengersCommandTests, BadInputIsRefusedWithTheRightExitCode) {
  const std::string out = q(dir / "x.svg");
  const struct {
    std::string args;
    int code;
  } rows[] = {
      {file() + " " + out + " --to 0", 0},     {file() + " " + out + " --from 2 --to 2", 2},
      {file() + " " + out + " --from 0", 2},   {file() + " " + out + " --from 9", 2},
      {file() + " " + out + " --size 10", 2},  {file() + " " + q(dir / "x.txt"), 2},
      {q(dir / "missing.qvw") + " " + out, 1},
  };
  for (const auto& r : rows) {
    CliRun run = cli("passengers " + r.args);
    EXPECT_EQ(run.code, r.code) << r.args << "\n" << run.err;
    if (r.code == 2) {
      EXPECT_NE(run.err.find("passengers takes FILE OUT"), std::string::npos) << r.args;
    }
  }
}

}  // namespace
}  // namespace vosk
