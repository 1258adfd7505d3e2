// An open that fails part-way leaves the open data set, its file names and
// the dia index exactly as they were and says why. A file that can be read
// with something missing replaces the data set and says what was missing.
#include <gtest/gtest.h>

#include "base/format.h"
#include "datafiles/bundle.h"
#include "datafiles/bundle_writer.h"
#include "datafiles/open_save.h"
#include "samples/generator.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::datafiles {
namespace {

using samples::make_sample;
using samples::SampleOptions;
using testing::ScriptedPrompt;
using testing::sj;
using testing::TempDir;

std::string bundle_of(DataSet ds) { return write_bundle(ds); }

// Bundle text without the member `name` (its header line and content).
std::string without_member(const std::string& text, const std::string& name) {
  std::size_t at = text.find("#" + name + "\n");
  EXPECT_NE(at, std::string::npos) << name;
  if (at == std::string::npos) return text;
  std::size_t end = text.find("\n#", at);
  return text.substr(0, at) + (end == std::string::npos ? "" : text.substr(end + 1));
}

// line.qvw is open and edited but not saved.
class Datafiles_OpenFaultTests : public ::testing::Test {
 protected:
  void SetUp() override {
    text = bundle_of(make_sample({.stations = 5, .runs = 8, .seed = 3}));
    packed = bundle::pack(text);
    dir.write("line.qvw", packed);
    ASSERT_EQ(open_data_set(dir / "line.qvw", current, state, session), OpenOutcome::Opened);
    ASSERT_EQ(prompt.count(), 0u);
    current.header.dia.dia_title = sj("編集中");
    state.edited = true;
    current_bytes = bundle_of(current);
    before = state;
    index = dir.read("system_map.ini");
    ASSERT_FALSE(index.empty());
  }

  // Opens `path` with a prompt of its own, answering `answers`.
  OpenOutcome try_open(const std::filesystem::path& path, ScriptedPrompt& asked,
                       std::initializer_list<Answer> answers = {}) {
    asked.script(answers);
    Session s{asked, dir.path().string()};
    return open_data_set(path, current, state, s);
  }

  // A failed open: nothing changed, and one message of `caption` with `message`.
  void expect_failed_untouched(OpenOutcome outcome, const ScriptedPrompt& asked,
                               const char* caption, const std::string& message,
                               const std::string& what) {
    EXPECT_EQ(outcome, OpenOutcome::Failed) << what;
    EXPECT_TRUE(bundle_of(current) == current_bytes) << what << ": the open data set changed";
    EXPECT_EQ(state.dia_path, before.dia_path) << what;
    EXPECT_EQ(state.executed_path, before.executed_path) << what;
    EXPECT_EQ(state.file_title, before.file_title) << what;
    EXPECT_EQ(state.loaded_version, before.loaded_version) << what;
    EXPECT_TRUE(state.edited) << what;
    EXPECT_TRUE(state.data_loaded) << what;
    EXPECT_TRUE(dir.read("system_map.ini") == index) << what << ": the dia index changed";
    ASSERT_EQ(asked.count(), 1u) << what;
    EXPECT_EQ(asked.last().caption, caption) << what;
    EXPECT_EQ(asked.last().text, message) << what;
  }

  TempDir dir;
  ScriptedPrompt prompt;
  Session session{prompt, dir.path().string()};
  std::string text;    // bundle text of line.qvw
  std::string packed;  // its bytes
  DataSet current;
  DocumentState state;
  std::string current_bytes;
  DocumentState before;
  std::string index;
};

TEST_F(Datafiles_OpenFaultTests, TruncatedPackedFileFails) {
  for (std::size_t keep :
       {std::size_t{0}, std::size_t{1}, packed.size() / 3, packed.size() / 2, packed.size() - 1}) {
    const std::string what =
        "kept " + std::to_string(keep) + " of " + std::to_string(packed.size()) + " bytes";
    auto path = dir.write("cut.qvw", packed.substr(0, keep));
    ScriptedPrompt asked;
    OpenOutcome outcome = try_open(path, asked);
    expect_failed_untouched(outcome, asked, caption::kReadError,
                            format("読み込みファイル'%s'は途中で切れています。\n", path.c_str()),
                            what);
  }
}

TEST_F(Datafiles_OpenFaultTests, MissingFileFails) {
  for (const char* name : {"gone.qvw", "gone.qvp", "gone.qvd"}) {
    ScriptedPrompt asked;
    OpenOutcome outcome = try_open(dir / name, asked);
    expect_failed_untouched(
        outcome, asked, caption::kReadError,
        format("読み込みファイル'%s'は開けませんでした。\n", (dir / name).c_str()), name);
  }
}

TEST_F(Datafiles_OpenFaultTests, DamagedHeaderFails) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* caption;
    const char* message;  // %s: the file's path
  };
  std::string renamed = text;
  renamed.replace(renamed.find("#temp.qvd"), 9, "#temp.qv_");
  std::string unsafe = text;
  unsafe.replace(unsafe.find("#temp.qvd"), 9, "#../temp.qvd");
  std::string erased = packed;
  erased[0] = '\xFF';  // the end code where the first member starts
  const Case cases[] = {
      {"erased.qvw", erased, caption::kReadError,
       "読み込みファイル'%s'にはメンバーがありません。\n"},
      // No header member: the message of a split without the wanted member.
      {"renamed.qvw", bundle::pack(renamed), caption::kWriteError,
       "書き込みファイル'%s'は開けませんでした。\n"},
      {"unsafe.qvp", unsafe, caption::kReadError,
       "読み込みファイル'%s'のメンバー名'../temp.qvd'はファイル名として使えません。\n"},
  };
  for (const Case& c : cases) {
    auto path = dir.write(c.name, c.bytes);
    ScriptedPrompt asked;
    OpenOutcome outcome = try_open(path, asked);
    expect_failed_untouched(outcome, asked, c.caption, format(c.message, path.c_str()), c.name);
  }
}

TEST_F(Datafiles_OpenFaultTests, NewerVersionAbortedFails) {
  std::string newer = text;
  newer.replace(newer.find("version=1220"), 12, "version=1300");
  auto path = dir.write("newer.qvw", bundle::pack(newer));
  ScriptedPrompt asked;
  OpenOutcome outcome = try_open(path, asked, {Answer::Abort});
  ASSERT_EQ(asked.count(), 1u);
  EXPECT_EQ(asked.last().buttons, Buttons::AbortRetryIgnore);
  expect_failed_untouched(outcome, asked, caption::kReadWarning, asked.last().text, "aborted");
}

// Without rails the rail check finds the tracks broken; abandoning it there
// fails the open after every table was read.
TEST_F(Datafiles_OpenFaultTests, RailCheckAbandonedAfterAMissingRailMemberFails) {
  auto path = dir.write("norail.qvw", bundle::pack(without_member(text, "rail.csv")));
  prompt.script({Answer::Ok, Answer::Abort});
  OpenOutcome outcome = open_data_set(path, current, state, session);
  ASSERT_EQ(prompt.count(), 2u);
  EXPECT_EQ(prompt.asked()[0].caption, caption::kReadWarning);
  EXPECT_EQ(prompt.asked()[0].text, "'rail.csv'が見つかりません。\n");
  EXPECT_EQ(prompt.asked()[1].buttons, Buttons::AbortRetryIgnore);
  EXPECT_EQ(outcome, OpenOutcome::Failed);
  EXPECT_TRUE(bundle_of(current) == current_bytes);
  EXPECT_EQ(state.dia_path, before.dia_path);
  EXPECT_EQ(state.file_title, before.file_title);
  EXPECT_TRUE(state.edited);
  EXPECT_TRUE(dir.read("system_map.ini") == index);
}

// A missing member is warned about once and the rest of the data set opens:
// it replaces the open one, and every other member comes back as it was.
TEST_F(Datafiles_OpenFaultTests, MissingMemberOpensWithOneWarning) {
  DataSet original = current;
  ASSERT_GT(original.map.details.extent(), 0);  // so that the loss shows
  auto path = dir.write("nodetail.qvw", bundle::pack(without_member(text, "detail.csv")));
  ASSERT_EQ(open_data_set(path, current, state, session), OpenOutcome::Opened);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, caption::kReadWarning);
  EXPECT_EQ(prompt.last().text, "'detail.csv'が見つかりません。\n");
  EXPECT_EQ(state.dia_path, path);
  EXPECT_EQ(state.file_title, "nodetail");
  EXPECT_FALSE(state.edited);
  EXPECT_EQ(current.map.details.extent(), 0);

  auto expected = bundle::split(text).members.members();
  const std::string current_text = bundle_of(current);
  auto reopened = bundle::split(current_text).members.members();
  ASSERT_EQ(reopened.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(reopened[i].name, expected[i].name);
    if (expected[i].name == "detail.csv") continue;
    EXPECT_TRUE(reopened[i].content == expected[i].content) << expected[i].name;
  }
}

// A header that is no header at all has no version: it reads as data of
// the oldest version, whose tables lie in the program's old_map folder.
// Each missing table is warned about; the file may not then be saved over
// in place, so the damaged file is not replaced by what little was read.
TEST_F(Datafiles_OpenFaultTests, HeaderWithoutAVersionOpensAsOldDataWithWarnings) {
  std::string damaged = text;
  std::size_t end = damaged.find("\n#", 1);
  damaged.replace(0, end, "#temp.qvd\n\x82\xa0\x82\xa0 [[[\n=");
  auto path = dir.write("damaged.qvw", bundle::pack(damaged));
  prompt.answer_rest(Answer::No);
  ASSERT_EQ(open_data_set(path, current, state, session), OpenOutcome::Opened);
  ASSERT_GT(prompt.count(), 1u);
  // Without a signal version the map is offered the aspect conversion last.
  EXPECT_EQ(prompt.last().caption, "バージョンエラー");
  for (std::size_t i = 0; i + 1 < prompt.count(); ++i) {
    const auto& message = prompt.asked()[i];
    EXPECT_EQ(message.caption, caption::kReadWarning);
    EXPECT_NE(message.text.find("が見つかりません。"), std::string::npos) << message.text;
  }
  EXPECT_EQ(state.loaded_version, 0);
  EXPECT_FALSE(state.can_save_in_place());
}

}  // namespace
}  // namespace vosk::datafiles
