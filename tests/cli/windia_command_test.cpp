// vosk-cli export-windia and import-windia.
#include <gtest/gtest.h>

#include "cli_run.h"
#include "datafiles/open_save.h"
#include "samples/generator.h"
#include "support/scripted_prompt.h"

namespace vosk {
namespace {

using testing::cli;
using testing::CliRun;
using testing::q;

class Cli_WindiaCommandTests : public ::testing::Test {
 protected:
  void SetUp() override {
    datafiles::DataSet ds = samples::make_sample({6, 8, 2});
    testing::ScriptedPrompt prompt;
    datafiles::Session session{prompt, dir.path().string()};
    ASSERT_TRUE(datafiles::write_data_set(dir / "in.qvw", ds, session, {}));
  }
  testing::TempDir dir;
};

TEST_F(Cli_WindiaCommandTests, ExportThenImportGivesADataSet) {
  CliRun out = cli("export-windia " + q(dir / "in.qvw") + " " + q(dir / "out.dia") + " --pass");
  ASSERT_EQ(out.code, 0) << out.err;
  const std::string text = dir.read("out.dia");
  EXPECT_EQ(text.rfind("[WinDIA]\r\n", 0), 0u);
  EXPECT_NE(text.find('?'), std::string::npos);

  CliRun in = cli("import-windia " + q(dir / "out.dia") + " " + q(dir / "back.qvw"));
  ASSERT_EQ(in.code, 0) << in.err;
  testing::ScriptedPrompt prompt;
  datafiles::Session session{prompt, dir.path().string()};
  const auto back = datafiles::read_data_set(dir / "back.qvw", session);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->header.wdia_mode, 1);
  EXPECT_GT(back->dia.diagrams.extent(), 0);
}

TEST_F(Cli_WindiaCommandTests, FileAndUsageErrors) {
  CliRun missing = cli("import-windia " + q(dir / "none.dia") + " " + q(dir / "x.qvw"));
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("読み込みファイル"), std::string::npos) << missing.err;

  CliRun unwritable =
      cli("export-windia " + q(dir / "in.qvw") + " " + q(dir / "no" / "such" / "out.dia"));
  EXPECT_EQ(unwritable.code, 1);
  EXPECT_NE(unwritable.err.find("書き込みファイル"), std::string::npos) << unwritable.err;

  EXPECT_EQ(cli("export-windia " + q(dir / "in.qvw")).code, 2);
  EXPECT_EQ(cli("export-windia " + q(dir / "in.qvw") + " a.dia --display-target 9").code, 2);
  EXPECT_EQ(cli("export-windia " + q(dir / "in.qvw") + " a.dia --display-target x").code, 2);
  EXPECT_EQ(cli("import-windia only-one").code, 2);
}

}  // namespace
}  // namespace vosk
