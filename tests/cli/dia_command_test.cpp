// vosk-cli check and retime on data sets prepared through the model.
#include <gtest/gtest.h>

#include "cli_run.h"
#include "datafiles/open_save.h"
#include "samples/generator.h"
#include "dia/dia_operations.h"
#include "support/scripted_prompt.h"

namespace vosk {
namespace {

using testing::cli;
using testing::CliRun;
using testing::q;

constexpr const char* kMissingTimes =
    "時刻が未設定の部分があります。TABキーを押して、自動計測を行って下さい。";

void save(datafiles::DataSet& ds, const std::filesystem::path& path) {
  testing::ScriptedPrompt prompt;
  datafiles::Session session{prompt, path.parent_path().string()};
  ASSERT_TRUE(datafiles::write_data_set(path, ds, session, {}));
}

// A small sample with only run `keep` left in use: nothing to overlap with.
// Its point entries are dropped too: they keep the point setting in the time
// field, and a setting of 0 reads as a missing time.
datafiles::DataSet single_run(int keep) {
  datafiles::DataSet ds = samples::make_sample({6, 8, 2});
  for (int n = 1; n <= ds.dia.diagrams.extent(); ++n) {
    if (n != keep) dia::clear_diagram(ds.dia, n);
  }
  std::erase_if(ds.dia.diagrams[keep].events, [](const dia::DiaEvent& e) {
    return e.type == dia::kEventPoint || e.type == dia::kEventPointBoth;
  });
  return ds;
}

TEST(Cli_DiaCommandTests, ACleanDiaPrintsNothingAndExitsZero) {
  testing::TempDir dir;
  datafiles::DataSet ds = single_run(1);
  save(ds, dir / "clean.qvw");
  CliRun run = cli("check " + q(dir / "clean.qvw"));
  EXPECT_EQ(run.code, 0) << run.out << run.err;
  EXPECT_EQ(run.out, "");
}

TEST(Cli_DiaCommandTests, MissingTimesAreReportedUnderTheTrainNumberAndRetimeFillsThem) {
  testing::TempDir dir;
  datafiles::DataSet ds = single_run(1);
  dia::Diagram& run1 = ds.dia.diagrams[1];
  ASSERT_GE(run1.events.size(), 3u);
  run1.events[1].time = 0;
  run1.events[2].time = 0;
  const std::string number = run1.train_number;  // ASCII digits in the sample
  save(ds, dir / "gaps.qvw");

  CliRun checked = cli("check " + q(dir / "gaps.qvw"));
  EXPECT_EQ(checked.code, 1);
  EXPECT_EQ(checked.out, number + "\n  " + kMissingTimes + "\n");

  CliRun retimed = cli("retime " + q(dir / "gaps.qvw") + " " + q(dir / "timed.qvw"));
  ASSERT_EQ(retimed.code, 0) << retimed.err;
  EXPECT_EQ(retimed.out, "runs changed: 1\ntimes still missing: 0\n");
  CliRun again = cli("check " + q(dir / "timed.qvw"));
  EXPECT_EQ(again.code, 0) << again.out;

  // A dia without gaps is saved unchanged.
  CliRun nothing = cli("retime " + q(dir / "timed.qvw") + " " + q(dir / "same.qvw"));
  ASSERT_EQ(nothing.code, 0) << nothing.err;
  EXPECT_EQ(nothing.out, "runs changed: 0\ntimes still missing: 0\n");
  EXPECT_EQ(dir.read("same.qvw"), dir.read("timed.qvw"));
}

TEST(Cli_DiaCommandTests, PlatformOverlapsOfTwoFormationsAreReportedForBothRuns) {
  testing::TempDir dir;
  datafiles::DataSet ds = samples::make_sample({6, 8, 2});
  // The first runs of two single formations made to stand on the same
  // platform at the same time: the second becomes a copy of the first.
  int a = 0, b = 0;
  for (int u = 1; u <= ds.dia.units.extent() && b == 0; ++u) {
    const dia::Unit& unit = ds.dia.units[u];
    if (unit.first_diagram == 0 || unit.unit_ahead != 0 || unit.unit_behind != 0) continue;
    (a == 0 ? a : b) = unit.first_diagram;
  }
  ASSERT_NE(b, 0);
  for (int n = 1; n <= ds.dia.diagrams.extent(); ++n) {
    if (n != a && n != b) dia::clear_diagram(ds.dia, n);
  }
  ds.dia.diagrams[a].next_working = 0;
  ds.dia.diagrams[b].next_working = 0;
  ds.dia.diagrams[b].events = ds.dia.diagrams[a].events;
  save(ds, dir / "overlap.qvw");

  CliRun run = cli("check " + q(dir / "overlap.qvw"));
  EXPECT_EQ(run.code, 1);
  const std::string heading_a = ds.dia.diagrams[a].train_number + "\n";
  const std::string heading_b = ds.dia.diagrams[b].train_number + "\n";
  EXPECT_EQ(run.out.find(heading_a), 0u) << run.out;
  EXPECT_NE(run.out.find("\n" + heading_b), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("で番線重複しています。"), std::string::npos) << run.out;
}

TEST(Cli_DiaCommandTests, UsageAndFileErrors) {
  testing::TempDir dir;
  EXPECT_EQ(cli("check").code, 2);
  EXPECT_EQ(cli("check a b").code, 2);
  CliRun missing = cli("check " + q(dir / "none.qvw"));
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err, "");
  EXPECT_EQ(cli("retime " + q(dir / "none.qvw")).code, 2);
  EXPECT_NE(cli("retime " + q(dir / "none.qvw") + " " + q(dir / "out.qvw")).code, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.qvw"));
}

}  // namespace
}  // namespace vosk
