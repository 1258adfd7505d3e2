// vosk-cli number and destinations on a generated data set.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli_run.h"
#include "datafiles/open_save.h"
#include "samples/generator.h"
#include "support/scripted_prompt.h"

namespace vosk {
namespace {

using testing::cli;
using testing::CliRun;
using testing::q;

void save(datafiles::DataSet& ds, const std::filesystem::path& path) {
  testing::ScriptedPrompt prompt;
  datafiles::Session session{prompt, path.parent_path().string()};
  ASSERT_TRUE(datafiles::write_data_set(path, ds, session, {}));
}

datafiles::DataSet load(const std::filesystem::path& path) {
  testing::ScriptedPrompt prompt;
  datafiles::Session session{prompt, path.parent_path().string()};
  std::optional<datafiles::DataSet> ds = datafiles::read_data_set(path, session);
  EXPECT_TRUE(ds.has_value());
  return ds ? std::move(*ds) : datafiles::DataSet{};
}

int runs_in_use(const dia::DiaTables& d, bool templates = true) {
  int n = 0;
  for (const dia::Diagram& r : d.diagrams) {
    n += r.in_use() && (templates || r.pattern_template == 0);
  }
  return n;
}

class Cli_WorkingCommandTests : public ::testing::Test {
 protected:
  void SetUp() override {
    ds = samples::make_sample({6, 8, 2});
    for (dia::Diagram& d : ds.dia.diagrams) {
      if (d.in_use()) d.train_number = "NONE";
    }
    save(ds, dir / "in.qvw");
  }
  testing::TempDir dir;
  datafiles::DataSet ds;
};

TEST_F(Cli_WorkingCommandTests, SerialNumbersAreOddOneWayAndEvenTheOther) {
  CliRun run = cli("number " + q(dir / "in.qvw") + " " + q(dir / "out.qvw") + " --serial");
  ASSERT_EQ(run.code, 0) << run.err;
  // Pattern templates are no trains and keep their numbers.
  EXPECT_EQ(run.out, "runs changed: " + std::to_string(runs_in_use(ds.dia, false)) + "\n");
  datafiles::DataSet out = load(dir / "out.qvw");
  int down = out.header.map.right_down != 0 ? 1 : 2;
  std::vector<int> seen;
  for (const dia::Diagram& d : out.dia.diagrams) {
    if (!d.in_use() || d.pattern_template != 0) continue;
    int number = std::stoi(d.train_number);
    EXPECT_EQ(number % 2 == 1, d.direction == down) << d.train_number;
    seen.push_back(number);
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());  // each once
}

TEST_F(Cli_WorkingCommandTests, NumbersByFormationStartWithTheFormationsName) {
  CliRun run = cli("number --by-unit " + q(dir / "in.qvw") + " " + q(dir / "out.qvw"));
  ASSERT_EQ(run.code, 0) << run.err;
  datafiles::DataSet out = load(dir / "out.qvw");
  for (int u = 1; u <= out.dia.units.extent(); ++u) {
    int first = out.dia.units[u].first_diagram;
    if (first == 0) continue;
    EXPECT_EQ(out.dia.diagrams[first].train_number.rfind(out.dia.units[u].name, 0), 0u);
  }
  // Numbering the result again changes nothing.
  CliRun again = cli("number --by-unit " + q(dir / "out.qvw") + " " + q(dir / "again.qvw"));
  EXPECT_EQ(again.out, "runs changed: 0\n");
}

TEST_F(Cli_WorkingCommandTests, DestinationsAreSavedAndCounted) {
  for (dia::Diagram& d : ds.dia.diagrams) d.destination_text.clear();
  save(ds, dir / "in.qvw");
  CliRun run = cli("destinations " + q(dir / "in.qvw") + " " + q(dir / "out.qvw"));
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "runs changed: " + std::to_string(runs_in_use(ds.dia)) + "\n");
  datafiles::DataSet out = load(dir / "out.qvw");
  for (const dia::Diagram& d : out.dia.diagrams) {
    if (d.in_use()) {
      EXPECT_NE(d.destination_text, "");
    }
  }
}

TEST(Cli_WorkingCommandUsageTests, UsageAndFileErrors) {
  testing::TempDir dir;
  EXPECT_EQ(cli("number a b").code, 2);
  EXPECT_EQ(cli("number a b --serial --by-unit").code, 2);
  EXPECT_EQ(cli("number a --serial").code, 2);
  EXPECT_EQ(cli("number a b --odd").code, 2);
  EXPECT_EQ(cli("destinations a").code, 2);
  EXPECT_EQ(cli("destinations " + q(dir / "none.qvw") + " " + q(dir / "out.qvw")).code, 1);
  EXPECT_EQ(cli("number " + q(dir / "none.qvw") + " " + q(dir / "out.qvw") + " --serial").code, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.qvw"));
}

}  // namespace
}  // namespace vosk
