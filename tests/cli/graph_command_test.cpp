// vosk-cli graph: pictures of the train graph, and its refusals.
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

class Cli_GraphCommandTests : public ::testing::Test {
 protected:
  void SetUp() override {
    ds = samples::make_sample({8, 40, 2});
    ds.header.dia.dia_title = testing::sj("平日");
    testing::ScriptedPrompt prompt;
    datafiles::Session session{prompt, dir.path().string()};
    ASSERT_TRUE(datafiles::write_data_set(dir / "s.qvw", ds, session, {}));
  }

  std::string file() const { return q(dir / "s.qvw"); }

  testing::TempDir dir;
  datafiles::DataSet ds;
};

TEST_F(Cli_GraphCommandTests, WritesAnSvgWithStationsTimesAndTrainNumbers) {
  CliRun run = cli("graph " + file() + " " + q(dir / "g.svg"));
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string svg = dir.read("g.svg");
  EXPECT_NE(svg.find("viewBox=\"0 0 1920 1080\""), std::string::npos);
  EXPECT_NE(svg.find(sjis::to_utf8_lossy(ds.map.targets[1].short_name)), std::string::npos);
  EXPECT_NE(svg.find("6:30"), std::string::npos);
  EXPECT_NE(svg.find(">平日<"), std::string::npos);
  // Some run of the sample is labelled between 6:00 and 7:00.
  bool labelled = false;
  for (int n = 1; n <= ds.dia.diagrams.extent() && !labelled; ++n) {
    const auto& d = ds.dia.diagrams[n];
    if (d.in_use() && d.pattern_template == 0 && d.coupled_behind == 0 && !d.train_number.empty())
      labelled = svg.find(">" + sjis::to_utf8_lossy(d.train_number) + " <") != std::string::npos;
  }
  EXPECT_TRUE(labelled);
}

TEST_F(Cli_GraphCommandTests, PagesSplitTheRangeAndAreNumberedInTheTitle) {
  CliRun run = cli("graph " + file() + " " + q(dir / "p.svg") +
                   " --from 6:00 --to 8:46 --pages 3 --size 800x600");
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string svg = dir.read("p.svg");
  EXPECT_NE(svg.find("平日　1／3"), std::string::npos);
  EXPECT_NE(svg.find("viewBox=\"0 0 800 600\""), std::string::npos);
  EXPECT_NE(svg.find("6:50"), std::string::npos);  // 6:00 + 3320 s
  EXPECT_EQ(svg.find("7:00"), std::string::npos);  // on the second page
}

// Pages of a PDF: page objects, not the page tree.
int pdf_pages(const std::string& pdf) {
  int pages = 0;
  for (auto at = pdf.find("/Type /Page"); at != std::string::npos;
       at = pdf.find("/Type /Page", at + 1))
    if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
  return pages;
}

// Big-endian 32-bit value of a PNG header field.
unsigned be32(const std::string& bytes, std::size_t at) {
  unsigned v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

TEST_F(Cli_GraphCommandTests, PngAndPdfNeedTheToolkitBuild) {
  CliRun png = cli("graph " + file() + " " + q(dir / "g.png") + " --size 640x480");
  CliRun pdf = cli("graph " + file() + " " + q(dir / "g.pdf") + " --pages 3 --from 6:00 --to 9:00");
  if (!VOSK_CLI_PICTURES) {
    EXPECT_NE(png.code, 0);
    EXPECT_NE(png.err.find("VOSK_BUILD_UI=ON"), std::string::npos) << png.err;
    return;
  }
  ASSERT_EQ(png.code, 0) << png.err;
  const std::string image = dir.read("g.png");
  ASSERT_GT(image.size(), 24u);
  EXPECT_EQ(image.substr(1, 3), "PNG");
  EXPECT_EQ(be32(image, 16), 640u);  // IHDR width and height
  EXPECT_EQ(be32(image, 20), 480u);
  ASSERT_EQ(pdf.code, 0) << pdf.err;
  EXPECT_EQ(pdf_pages(dir.read("g.pdf")), 3);
}

TEST_F(Cli_GraphCommandTests, BadInputIsRefusedWithTheRightExitCode) {
  struct Row {
    std::string args;
    int code;
  };
  const std::string out = q(dir / "x.svg");
  const int display_targets = ds.classification.display_targets.extent();
  const Row rows[] = {
      {file() + " " + out + " --to 28:00", 0},
      {file() + " " + out + " --from 8:00 --to 6:00", 0},  // swapped
      {file() + " " + out + " --from 28:01", 2},
      {file() + " " + out + " --from 6:75", 2},
      {file() + " " + out + " --size 0x100", 2},
      {file() + " " + out + " --size 100", 2},
      {file() + " " + out + " --pages 0", 2},
      {file() + " " + out + " --pages", 2},
      {file() + " " + out + " --display-target 0", 2},
      {file() + " " + out + " --display-target " + std::to_string(display_targets), 0},
      {file() + " " + out + " --display-target " + std::to_string(display_targets + 1), 2},
      {file() + " " + out + " --colour red", 2},
      {file() + " " + q(dir / "x.txt"), 2},
      {file(), 2},
      {q(dir / "missing.qvw") + " " + out, 1},
  };
  for (const Row& r : rows) {
    CliRun run = cli("graph " + r.args);
    EXPECT_EQ(run.code, r.code) << r.args << "\n" << run.err;
    if (r.code == 2) {
      EXPECT_NE(run.err.find("graph takes FILE OUT"), std::string::npos) << r.args;
    }
    if (r.code == 1) {
      EXPECT_NE(run.err.find("missing.qvw"), std::string::npos);
    }
  }
  std::filesystem::path broken = dir.write("broken.qvw", "not a bundle");
  EXPECT_EQ(cli("graph " + q(broken) + " " + out).code, 1);
}

}  // namespace
}  // namespace vosk
