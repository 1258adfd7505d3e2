// The map checks run by vosk-cli when it opens a data set: questions on
// stderr, answered so the data stay as loaded unless --yes; --strict fails.
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

struct Saved {
  testing::TempDir dir;
  int dead_end = 0;

  // A sample whose dead end lost its signal and whose signal aspects are old.
  Saved() {
    datafiles::DataSet ds = samples::make_sample({.stations = 5, .runs = 8, .seed = 4});
    for (int r = 1; r <= ds.map.rails.extent() && !dead_end; ++r)
      if (ds.map.rails[r].l_next == 0) dead_end = r;
    ds.map.rails[dead_end].signal = 0;
    ds.header.map.signal_version = 1041;
    write(ds, dir / "old.qvw");
  }
  static void write(datafiles::DataSet& ds, const std::filesystem::path& path) {
    testing::ScriptedPrompt prompt;
    datafiles::Session session{prompt, path.parent_path().string()};
    ASSERT_TRUE(datafiles::write_data_set(path, ds, session, {}));
  }
  datafiles::DataSet read(const char* name) const {
    testing::ScriptedPrompt prompt;
    prompt.script({Answer::No, Answer::No});
    datafiles::Session session{prompt, dir.path().string()};
    auto ds = datafiles::read_data_set(dir / name, session);
    EXPECT_TRUE(ds);
    return ds ? std::move(*ds) : datafiles::DataSet{};
  }
};

TEST(Cli_MapCheckTests, QuestionsArePrintedAndAnsweredSoTheDataStayAsLoaded) {
  Saved s;
  CliRun kept = cli("convert " + q(s.dir / "old.qvw") + " " + q(s.dir / "kept.qvw"));
  ASSERT_EQ(kept.code, 0) << kept.err;
  EXPECT_NE(kept.err.find("ファイル読み込み警告: レールデータが不正です。\n"), std::string::npos)
      << kept.err;
  EXPECT_NE(kept.err.find("バージョンエラー: このマップは、バージョンが古いため"),
            std::string::npos)
      << kept.err;
  datafiles::DataSet back = s.read("kept.qvw");
  EXPECT_EQ(back.map.rails[s.dead_end].signal, 0);
  EXPECT_EQ(back.header.map.signal_version, 1041);

  CliRun repaired = cli("convert " + q(s.dir / "old.qvw") + " " + q(s.dir / "new.qvw") + " --yes");
  ASSERT_EQ(repaired.code, 0) << repaired.err;
  datafiles::DataSet fixed = s.read("new.qvw");
  EXPECT_EQ(fixed.map.rails[s.dead_end].signal, 1);
  EXPECT_EQ(fixed.header.map.signal_version, 1042);
}

TEST(Cli_MapCheckTests, StrictFailsOnTheFirstQuestion) {
  Saved s;
  for (const char* command : {"info", "check"}) {
    CliRun run = cli(std::string(command) + " " + q(s.dir / "old.qvw") + " --strict");
    EXPECT_EQ(run.code, 1) << command;
    EXPECT_NE(run.err.find("レールデータが不正です。"), std::string::npos) << command;
  }
  CliRun converted =
      cli("convert " + q(s.dir / "old.qvw") + " " + q(s.dir / "x.qvw") + " --strict");
  EXPECT_EQ(converted.code, 1);
  EXPECT_FALSE(std::filesystem::exists(s.dir / "x.qvw"));
  EXPECT_EQ(cli("check " + q(s.dir / "old.qvw") + " --bogus").code, 2);
}

TEST(Cli_MapCheckTests, RailReportsAreIgnoredOrFailUnderStrict) {
  testing::TempDir dir;
  datafiles::DataSet ds = samples::make_sample({.stations = 5, .runs = 8, .seed = 4});
  for (int r = 1; r <= ds.map.rails.extent(); ++r) {
    if (ds.map.rails[r].l_next > 0) {
      ds.map.rails[ds.map.rails[r].l_next].l_back = 0;
      break;
    }
  }
  Saved::write(ds, dir / "broken.qvw");
  CliRun ignored = cli("info " + q(dir / "broken.qvw"));
  EXPECT_EQ(ignored.code, 0) << ignored.err;
  EXPECT_NE(ignored.err.find(" l_next i:"), std::string::npos) << ignored.err;
  // Ignore stops the check at the first report.
  EXPECT_EQ(ignored.err.find("レールデータが不正です。"),
            ignored.err.rfind("レールデータが不正です。"));
  EXPECT_EQ(cli("info " + q(dir / "broken.qvw") + " --strict").code, 1);
}

TEST(Cli_MapCheckTests, InfoCountsEveryTable) {
  testing::TempDir dir;
  datafiles::DataSet ds = samples::make_sample({.stations = 5, .runs = 8, .seed = 4});
  Saved::write(ds, dir / "s.qvw");
  CliRun info = cli("info " + q(dir / "s.qvw") + " --json");
  ASSERT_EQ(info.code, 0) << info.err;
  std::size_t running = 0;
  for (int k = 1; k <= ds.classification.speed_types.extent(); ++k)
    running += ds.classification.speed_types[k].running_times.size();
  const std::pair<const char*, std::size_t> expected[] = {
      {"signal_set", static_cast<std::size_t>(ds.map.signals.sets.extent())},
      {"display_target", static_cast<std::size_t>(ds.classification.display_targets.extent())},
      {"running_time", running},
      {"stop_time", ds.classification.stop_times.size()},
      {"passenger", ds.classification.passengers.size()},
  };
  for (const auto& [name, count] : expected) {
    std::string field = "\"" + std::string(name) + "\": " + std::to_string(count);
    EXPECT_NE(info.out.find(field), std::string::npos) << field << " in " << info.out;
  }
  EXPECT_GT(running, 0u);
}

}  // namespace
}  // namespace vosk
