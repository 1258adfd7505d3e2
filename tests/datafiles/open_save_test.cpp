#include "datafiles/open_save.h"

#include <gtest/gtest.h>

#include "base/text_file.h"
#include "datafiles/bundle_writer.h"
#include "datafiles/executed_state.h"
#include "datafiles/stack_member.h"
#include "dia/dia_operations.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::datafiles {
namespace {

using testing::ScriptedPrompt;
using testing::sj;
using testing::TempDir;

// A small but complete data set: two stations on one double track, one run.
DataSet small_data_set() {
  DataSet ds;
  ds.header.map.map_name = sj("試験線");
  ds.header.dia.dia_title = sj("平日");
  ds.header.map.signal_version = 1042;  // current signal aspects: no conversion offered
  MapTables& m = ds.map;
  m.rails.allocate(map::kDefaultRailCapacity);
  m.prails.allocate(map::kDefaultPRailCapacity);
  m.points.allocate(map::kDefaultPointCapacity);
  m.targets.allocate(map::kDefaultTargetCapacity);
  m.stations.allocate(map::kDefaultStationCapacity);
  m.rails.grow_to(4);
  m.prails.grow_to(2);
  for (int i = 1; i <= 4; ++i) {
    map::Rail& r = m.rails[i];
    r.length = 200;
    r.signal = 1;
    r.l_pack = (i + 1) / 2;
    r.l_dual = i % 2 ? i + 1 : i - 1;
    r.name = sj("本線") + std::to_string(i);
    r.short_name = std::to_string(i);
  }
  // Rightward 1 -> 3, leftward 4 -> 2.
  m.rails[1].l_next = 3;
  m.rails[3].l_back = 1;
  m.rails[4].l_next = 2;
  m.rails[2].l_back = 4;
  m.prails[1].rail_a = 1;
  m.prails[1].rail_b = 2;
  m.prails[2].rail_a = 3;
  m.prails[2].rail_b = 4;
  m.stations.grow_to(1).name = sj("東駅");
  m.targets.grow_to(1).station = 1;
  m.rails[3].target = 1;
  m.rails[3].station = 1;
  m.rails[3].stop_distance = 150;
  m.signals.clear();
  stock::reset_series(ds.series);
  ds.classification = dia::new_classification_tables(ds.header.map.max_speed);
  dia::allocate_dia_tables(ds.dia, dia::DiaCapacities{});
  int d = dia::allocate_diagram(ds.dia);
  dia::Diagram& run = ds.dia.diagrams[d];
  run.direction = 2;
  run.train_number = "101M";
  run.events = {{1, 36000, 1}, {3, 36300, 2}, {3, 36300, 0}};
  return ds;
}

std::string bundle_of(DataSet ds) { return write_bundle(ds); }

TEST(Datafiles_OpenSaveTests, EveryKindRoundTripsByteIdentical) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  DataSet original = small_data_set();
  for (const char* name : {"a.qvw", "a.qvb", "a.qvp"}) {
    auto first = dir / name;
    ASSERT_TRUE(write_data_set(first, original, session, {})) << name;
    auto loaded = read_data_set(first, session);
    ASSERT_TRUE(loaded) << name;
    auto second = dir / (std::string("b_") + name);
    ASSERT_TRUE(write_data_set(second, *loaded, session, {})) << name;
    EXPECT_EQ(dir.read(name), dir.read(std::string("b_") + name)) << name;
  }
  EXPECT_EQ(prompt.count(), 0u) << prompt.last().text;
}

TEST(Datafiles_OpenSaveTests, ExecutedDataRoundTripsWithItsStack) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  DataSet ds = small_data_set();
  ExecutedState snapshot = make_snapshot(ds, 36000, nullptr);
  BundleWriteOptions options;
  options.stack_member = [&](std::string& out) { out += stack_member_text(snapshot); };
  ASSERT_TRUE(write_data_set(dir / "run.qve", ds, session, options));

  auto loaded = read_data_set(dir / "run.qve", session);
  ASSERT_TRUE(loaded);
  ASSERT_TRUE(loaded->executed_stack);
  ASSERT_TRUE(write_data_set(dir / "again.qve", *loaded, session, {}));
  EXPECT_EQ(dir.read("run.qve"), dir.read("again.qve"));
  // Saved as dia data it carries no stack.
  ASSERT_TRUE(write_data_set(dir / "dia.qvp", *loaded, session, {}));
  EXPECT_EQ(dir.read("dia.qvp").find("#stack.csv"), std::string::npos);
  EXPECT_EQ(prompt.count(), 0u);
}

TEST(Datafiles_OpenSaveTests, ChangedExecutedDataCarriesAStackOfItsOwnRuns) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  DataSet ds = small_data_set();
  ExecutedState snapshot = make_snapshot(ds, 36000, nullptr);
  snapshot.manager = {7, 9};  // run-time values the model does not hold
  BundleWriteOptions options;
  options.stack_member = [&](std::string& out) { out += stack_member_text(snapshot); };
  ASSERT_TRUE(write_data_set(dir / "run.qve", ds, session, options));

  auto loaded = read_data_set(dir / "run.qve", session);
  ASSERT_TRUE(loaded);
  ASSERT_FALSE(loaded->dia.diagrams[1].events.empty());
  loaded->dia.diagrams[1].events[0].time += 60;
  ASSERT_TRUE(write_data_set(dir / "changed.qve", *loaded, session, {}));

  auto reread = read_data_set(dir / "changed.qve", session);
  ASSERT_TRUE(reread && reread->executed_stack);
  StackReadResult stack = parse_stack_member(*reread->executed_stack);
  ASSERT_TRUE(stack.ok());
  EXPECT_EQ(stack.state->time, 36000);
  EXPECT_EQ(stack.state->manager, snapshot.manager);
  ASSERT_GT(stack.state->diagrams.size(), 1u);
  EXPECT_EQ(stack.state->diagrams[1].events.front(), reread->dia.diagrams[1].events.front());
  EXPECT_EQ(*stack.state, make_snapshot(*reread, 36000, &*stack.state));
  EXPECT_EQ(prompt.count(), 0u);
}

TEST(Datafiles_OpenSaveTests, SaveAfterOpeningExecutedDataAsksInsteadOfReplacingTheDia) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  DataSet ds = small_data_set();
  ASSERT_TRUE(write_data_set(dir / "line.qvw", ds, session, {}));
  DataSet other = small_data_set();
  other.dia.diagrams[1].train_number = "999X";
  BundleWriteOptions options;
  ExecutedState snapshot = make_snapshot(other, 36000, nullptr);
  options.stack_member = [&](std::string& out) { out += stack_member_text(snapshot); };
  ASSERT_TRUE(write_data_set(dir / "run.qve", other, session, options));
  const std::string dia_bytes = dir.read("line.qvw");

  DataSet current;
  DocumentState state;
  ASSERT_EQ(open_data_set(dir / "line.qvw", current, state, session), OpenOutcome::Opened);
  ASSERT_EQ(open_data_set(dir / "run.qve", current, state, session), OpenOutcome::Opened);
  EXPECT_EQ(state.dia_path, dir / "line.qvw");
  int asked = 0;
  EXPECT_FALSE(save_dia(current, state, session, [&] {
    ++asked;
    return std::optional<std::filesystem::path>{};
  }));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(dir.read("line.qvw"), dia_bytes);
}

TEST(Datafiles_OpenSaveTests, DamagedStackFailsTheOpen) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  DataSet ds = small_data_set();
  BundleWriteOptions options;
  options.stack_member = [](std::string& out) { out += "36000,\nnot a stack\n"; };
  ASSERT_TRUE(write_data_set(dir / "bad.qve", ds, session, options));
  EXPECT_FALSE(read_data_set(dir / "bad.qve", session));
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "ファイル読み込みエラー");
}

TEST(Datafiles_OpenSaveTests, OpenSetsPathsByKindAndWritesTheDiaIndex) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  DataSet ds = small_data_set();
  ASSERT_TRUE(write_data_set(dir / "line.qvw", ds, session, {}));
  ASSERT_TRUE(write_data_set(dir / "old.qvp", ds, session, {}));

  DataSet current;
  DocumentState state;
  state.edited = true;
  ASSERT_EQ(open_data_set(dir / "line.qvw", current, state, session), OpenOutcome::Opened);
  EXPECT_EQ(state.dia_path, dir / "line.qvw");
  EXPECT_TRUE(state.executed_path.empty());
  EXPECT_EQ(state.file_title, "line");
  EXPECT_FALSE(state.edited);
  EXPECT_TRUE(state.can_save_in_place());
  EXPECT_EQ(current.dia.diagrams[1].train_number, "101M");
  auto index = ini::Document::load_or_empty(dir / "system_map.ini");
  EXPECT_EQ(index.get_string("line", "map_name", ""), sj("試験線"));
  EXPECT_EQ(index.get_string("line", sj("保安装置"), ""), sj("保安装置：ＡＴＣ"));

  // A .qvp file clears both paths, so the next save asks for a name.
  ASSERT_EQ(open_data_set(dir / "old.qvp", current, state, session), OpenOutcome::Opened);
  EXPECT_TRUE(state.dia_path.empty());
  EXPECT_FALSE(state.can_save_in_place());
}

TEST(Datafiles_OpenSaveTests, FailedOpenLeavesTheOpenDataSetAlone) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  DataSet current = small_data_set();
  DocumentState state;
  state.dia_path = "/keep/me.qvw";
  state.loaded_version = 1220;
  dir.write("broken.qvw", std::string("\x12\x34", 2));
  EXPECT_EQ(open_data_set(dir / "broken.qvw", current, state, session), OpenOutcome::Failed);
  EXPECT_EQ(state.dia_path, "/keep/me.qvw");
  EXPECT_EQ(current.dia.diagrams[1].train_number, "101M");
  EXPECT_EQ(prompt.count(), 1u);
}

TEST(Datafiles_OpenSaveTests, NewerVersionRetryAsksForAnotherFile) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  std::string text = bundle_of(small_data_set());
  text.replace(text.find("version=1220"), 12, "version=1300");
  textfile::write_text_atomic(dir / "new.qvp", text);
  DataSet current;
  DocumentState state;
  prompt.script({Answer::Retry});
  EXPECT_EQ(open_data_set(dir / "new.qvp", current, state, session), OpenOutcome::Retry);
  prompt.script({Answer::Ignore});
  EXPECT_EQ(open_data_set(dir / "new.qvp", current, state, session), OpenOutcome::Opened);
  EXPECT_EQ(state.loaded_version, 1300);
  EXPECT_FALSE(state.can_save_in_place());  // a newer version is saved under a new name
}

TEST(Datafiles_OpenSaveTests, RunsSurviveAHeaderWithoutADiagramSize) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  std::string text = bundle_of(small_data_set());
  std::size_t at = text.find("Diagram=");
  ASSERT_NE(at, std::string::npos);
  text.erase(at, text.find('\n', at) - at + 1);
  textfile::write_text_atomic(dir / "nosize.qvp", text);
  auto ds = read_data_set(dir / "nosize.qvp", session);
  ASSERT_TRUE(ds);
  ASSERT_TRUE(ds->dia.diagrams.names_record(1));
  EXPECT_EQ(ds->dia.diagrams[1].train_number, "101M");
  EXPECT_GE(ds->dia.diagrams.capacity(), 1);
}

TEST(Datafiles_OpenSaveTests, FailedSaveKeepsTheOldFileAndTheEditedFlag) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  DataSet ds = small_data_set();
  DocumentState state;
  ASSERT_TRUE(save_dia_as(dir / "a.qvw", ds, state, session));
  std::string before = dir.read("a.qvw");
  state.edited = true;
  ds.dia.diagrams[1].train_number = "999";
  // The target's folder is gone: nothing can be written.
  EXPECT_FALSE(save_dia_as(dir / "missing" / "a.qvw", ds, state, session));
  EXPECT_TRUE(state.edited);
  EXPECT_EQ(state.dia_path, dir / "a.qvw");
  EXPECT_EQ(dir.read("a.qvw"), before);
  EXPECT_EQ(prompt.last().caption, "ファイル書き込みエラー");
}

TEST(Datafiles_OpenSaveTests, SaveInPlaceNeedsTheCurrentVersionElseAsksForAName) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  DataSet ds = small_data_set();
  DocumentState state;
  state.dia_path = dir / "a.qvw";
  state.loaded_version = 1219;
  state.edited = true;
  bool asked = false;
  EXPECT_TRUE(save_dia(ds, state, session, [&]() -> std::optional<std::filesystem::path> {
    asked = true;
    return dir / "b.qvw";
  }));
  EXPECT_TRUE(asked);
  EXPECT_EQ(state.dia_path, dir / "b.qvw");
  EXPECT_FALSE(state.edited);

  asked = false;
  state.edited = true;
  EXPECT_TRUE(save_dia(ds, state, session, [&]() -> std::optional<std::filesystem::path> {
    asked = true;
    return std::nullopt;
  }));
  EXPECT_FALSE(asked);  // now 1220 with a path: saved in place
  EXPECT_FALSE(state.edited);
}

TEST(Datafiles_OpenSaveTests, SaveQuestionLoopsWhileStillEdited) {
  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  DocumentState state;
  state.edited = true;
  int saves = 0;
  // Yes, but the save is cancelled: asked again; then No proceeds.
  prompt.script({Answer::Yes, Answer::No});
  EXPECT_TRUE(ask_save_question(state, session, shell::text::kQuit, shell::text::kQuitCaption,
                                [&] { ++saves; }));
  EXPECT_EQ(saves, 1);
  ASSERT_EQ(prompt.count(), 2u);
  EXPECT_EQ(prompt.last().caption, "終了確認");
  EXPECT_EQ(prompt.last().text, "終了します。\n現在のダイヤは変更されています。\n現在のデータを保存しますか？");
  prompt.script({Answer::Cancel});
  EXPECT_FALSE(ask_save_question(state, session, shell::text::kQuit, shell::text::kQuitCaption,
                                 [&] { ++saves; }));
  state.edited = false;
  EXPECT_TRUE(ask_save_question(state, session, shell::text::kQuit, shell::text::kQuitCaption,
                                [&] { ++saves; }));
  EXPECT_EQ(prompt.count(), 3u);
}

}  // namespace
}  // namespace vosk::datafiles
