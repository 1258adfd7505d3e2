// vosk-cli export-html: station timetables written into a folder, and the
// refusals.
#include <gtest/gtest.h>

#include <filesystem>

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

class Cli_ExportHtmlTests : public ::testing::Test {
 protected:
  void SetUp() override {
    ds = samples::make_sample({8, 40, 2});
    testing::ScriptedPrompt prompt;
    datafiles::Session session{prompt, dir.path().string()};
    ASSERT_TRUE(datafiles::write_data_set(dir / "s.qvw", ds, session, {}));
  }

  std::string file() const { return q(dir / "s.qvw"); }
  static int files_in(const std::filesystem::path& folder) {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder)) n += e.is_regular_file();
    return n;
  }

  testing::TempDir dir;
  datafiles::DataSet ds;
};

TEST_F(Cli_ExportHtmlTests, WritesAFilePerStationAndDirectionIntoANewFolder) {
  CliRun run = cli("export-html " + file() + " " + q(dir / "out" / "html"));
  ASSERT_EQ(run.code, 0) << run.err;
  const int files = files_in(dir / "out" / "html");
  EXPECT_GT(files, 0);
  EXPECT_EQ(files % 2, 0);
  EXPECT_NE(run.out.find("wrote " + std::to_string(files) + " file(s)"), std::string::npos);
  const std::string name = sjis::to_utf8_lossy(ds.map.targets[1].name);
  const std::string html = dir.read("out/html/" + name + "（下り）.htm");
  EXPECT_EQ(html.rfind("<HTML>\r\n<BODY>\r\n", 0), 0u);
  EXPECT_NE(html.find("</FONT> "), std::string::npos);  // the plain form lists departures
}

TEST_F(Cli_ExportHtmlTests, DetailedFormWithLabels) {
  CliRun run = cli("export-html " + file() + " " + q(dir / "d") +
                   " --detailed --type-pos 1 --for-pos 2 --small-type 0");
  ASSERT_EQ(run.code, 0) << run.err;
  bool cells = false;
  for (const auto& e : std::filesystem::directory_iterator(dir / "d"))
    cells |= dir.read("d/" + e.path().filename().string()).find("<BR>") != std::string::npos;
  EXPECT_TRUE(cells);
}

TEST_F(Cli_ExportHtmlTests, LabelAboveWithoutDetailedFormIsAUsageErrorWritingNothing) {
  for (const char* option : {"--type-pos 1", "--for-pos 2"}) {
    CliRun run = cli("export-html " + file() + " " + q(dir / "none") + " " + option);
    EXPECT_EQ(run.code, 2) << option;
    EXPECT_FALSE(std::filesystem::exists(dir / "none")) << option;
  }
  EXPECT_EQ(cli("export-html " + file() + " " + q(dir / "x") + " --type-pos 5").code, 2);
  EXPECT_EQ(cli("export-html " + file() + " " + q(dir / "x") + " --display-target 9").code, 2);
}

TEST_F(Cli_ExportHtmlTests, UnwritableFileFailsKeepingTheFilesBefore) {
  const std::string name = sjis::to_utf8_lossy(ds.map.targets[1].name);
  // The down table starts at target 1 in the sample; its file's place is taken.
  std::filesystem::create_directories(dir / "o" / (name + "（下り）.htm") / "x");
  CliRun run = cli("export-html " + file() + " " + q(dir / "o"));
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find("ファイル書き込みエラー"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("は開けませんでした。"), std::string::npos);
}

TEST_F(Cli_ExportHtmlTests, TimetablePictureShowsStationsAndTimes) {
  CliRun run = cli("timetable " + file() + " " + q(dir / "t.svg"));
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string svg = dir.read("t.svg");
  EXPECT_NE(svg.find(">下り<"), std::string::npos);
  EXPECT_NE(svg.find(">上り<"), std::string::npos);
  EXPECT_NE(svg.find(sjis::to_utf8_lossy(ds.map.targets[1].short_name)), std::string::npos);
  EXPECT_EQ(cli("timetable " + file() + " " + q(dir / "t.txt")).code, 2);
  EXPECT_EQ(cli("timetable " + file()).code, 2);
}

}  // namespace
}  // namespace vosk
