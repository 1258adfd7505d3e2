// vosk-cli panel and rows, run as a user would.
#include <gtest/gtest.h>


#include "cli_run.h"

namespace vosk {
namespace {

using testing::cli;
using testing::CliRun;
using testing::q;

int row_count(const std::filesystem::path& file) {
  CliRun info = cli("info " + q(file) + " --json");
  const std::string key = "\"row\": ";
  const std::size_t at = info.out.find(key);
  if (info.code != 0 || at == std::string::npos) return -1;
  return std::stoi(info.out.substr(at + key.size()));
}

class Cli_PanelTests : public ::testing::Test {
 protected:
  void SetUp() override {
    CliRun made = cli("make-sample " + q(dir / "s.qvw") + " --stations 30 --runs 10");
    ASSERT_EQ(made.code, 0) << made.err;
  }
  testing::TempDir dir;
};

TEST_F(Cli_PanelTests, PanelWritesTheWholeMapAsAnSvgPicture) {
  CliRun r = cli("panel " + q(dir / "s.qvw") + " " + q(dir / "p.svg"));
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string svg = dir.read("p.svg");
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  // Station names are drawn, in UTF-8.
  EXPECT_NE(svg.find("<text"), std::string::npos);
  EXPECT_EQ(cli("panel " + q(dir / "s.qvw") + " " + q(dir / "w3.svg") + " --window 3").code, 0);
}

TEST_F(Cli_PanelTests, RowsFoldsTheMapForTheWindowWidth) {
  ASSERT_EQ(cli("rows " + q(dir / "s.qvw") + " " + q(dir / "wide.qvw")).code, 0);
  CliRun narrow = cli("rows " + q(dir / "s.qvw") + " " + q(dir / "narrow.qvw") + " --width 640");
  ASSERT_EQ(narrow.code, 0) << narrow.err;
  const int wide_rows = row_count(dir / "wide.qvw");
  const int narrow_rows = row_count(dir / "narrow.qvw");
  EXPECT_GT(wide_rows, 1);
  EXPECT_GT(narrow_rows, wide_rows);
}

TEST_F(Cli_PanelTests, MalformedOptionsAreUsageErrorsAndBadFilesDataErrors) {
  const std::string in = q(dir / "s.qvw");
  for (const std::string& args :
       {std::string("panel ") + in, "panel " + in + " " + q(dir / "p.svg") + " --window 16",
        "panel " + in + " " + q(dir / "p.svg") + " --window",
        "panel " + in + " " + q(dir / "p.bmp"),
        "panel " + in + " " + q(dir / "p.svg") + " --zoom 2", "rows " + in,
        "rows " + in + " " + q(dir / "o.qvw") + " --width wide",
        "rows " + in + " " + q(dir / "o.qvw") + " --width 0"}) {
    CliRun r = cli(args);
    EXPECT_EQ(r.code, 2) << args;
    EXPECT_NE(r.err.find("vosk-cli: "), std::string::npos) << args;
  }
  CliRun missing = cli("panel " + q(dir / "none.qvw") + " " + q(dir / "p.svg"));
  EXPECT_EQ(missing.code, 1);
  EXPECT_FALSE(missing.err.empty());
  EXPECT_EQ(cli("rows " + q(dir / "none.qvw") + " " + q(dir / "o.qvw")).code, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "o.qvw"));
}

}  // namespace
}  // namespace vosk
