// A save that fails, wherever it fails, leaves the file on disk as it was,
// no stray temporary file beside it, the data set still marked edited, and
// says so with the write-error message.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>
#include <set>

#include "base/format.h"
#include "base/text_file.h"
#include "datafiles/bundle.h"
#include "datafiles/bundle_writer.h"
#include "datafiles/executed_state.h"
#include "datafiles/open_save.h"
#include "samples/generator.h"
#include "datafiles/stack_member.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::datafiles {
namespace {

using samples::make_sample;
using samples::SampleOptions;
using testing::ScriptedPrompt;
using testing::sj;
using testing::TempDir;

std::set<std::string> files_in(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

// The members a save of `ds` writes, in order.
std::vector<std::string> member_names(DataSet ds, const BundleWriteOptions& options = {}) {
  std::vector<std::string> names;
  BundleWriteOptions o = options;
  o.on_member = [&names](std::string_view name) { names.emplace_back(name); };
  write_bundle(ds, o);
  return names;
}

std::string write_error_text(const std::filesystem::path& target) {
  return format("ファイル'%s'は開けませんでした。\n", target.c_str());
}

// Lowers the largest file size this process may write, with SIGXFSZ ignored
// so that a write past it fails with EFBIG instead of ending the process.
// Both are put back when the guard goes.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    if (getrlimit(RLIMIT_FSIZE, &old_) != 0) return;
    rlimit lowered = old_;
    lowered.rlim_cur = bytes < old_.rlim_max ? bytes : old_.rlim_max;
    armed_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
  }
  ~FileSizeLimit() {
    if (armed_) setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  bool armed() const { return armed_; }

 private:
  rlimit old_{};
  void (*old_handler_)(int) = SIG_DFL;
  bool armed_ = false;
};

// A data set saved as line.qvw and then edited: the state a failed save
// must leave exactly as it finds it.
class Datafiles_SaveFaultTests : public ::testing::Test {
 protected:
  void SetUp() override {
    session.ring = &ring;
    ds = make_sample({.stations = 5, .runs = 8, .seed = 3});
    ASSERT_TRUE(save_dia_as(dir / "line.qvw", ds, state, session));
    ASSERT_TRUE(write_data_set(dir / "line.qvp", ds, session, {}));
    ASSERT_TRUE(state.can_save_in_place());
    ds.header.dia.dia_title = sj("臨時ダイヤ");
    ds.dia.diagrams[1].train_number = "9999M";
    state.edited = true;
    remember();
  }

  void remember() {
    saved_state = state;
    files = files_in(dir.path());
    packed_before = dir.read("line.qvw");
    plain_before = dir.read("line.qvp");
    messages = prompt.count();
    newest_line = ring.newest();
  }

  // Everything a failed save of `target` must leave as it was.
  void expect_untouched_after_failure(const std::filesystem::path& target,
                                      const std::string& what) {
    EXPECT_TRUE(dir.read("line.qvw") == packed_before) << what << ": line.qvw changed";
    EXPECT_TRUE(dir.read("line.qvp") == plain_before) << what << ": line.qvp changed";
    EXPECT_EQ(files_in(dir.path()), files) << what << ": files left beside the target";
    EXPECT_TRUE(state.edited) << what;
    EXPECT_EQ(state.dia_path, saved_state.dia_path) << what;
    EXPECT_EQ(state.executed_path, saved_state.executed_path) << what;
    EXPECT_EQ(state.file_title, saved_state.file_title) << what;
    EXPECT_EQ(state.loaded_version, saved_state.loaded_version) << what;
    EXPECT_EQ(ring.newest(), newest_line) << what << ": a saved message was logged";
    ASSERT_EQ(prompt.count(), messages + 1) << what;
    EXPECT_EQ(prompt.last().caption, caption::kWriteError) << what;
    EXPECT_EQ(prompt.last().text, write_error_text(target)) << what;
    EXPECT_EQ(prompt.last().buttons, Buttons::Ok) << what;
    messages = prompt.count();
  }

  // Fails the save at `member`; `reached` tells whether the writer got there.
  void fail_at(const std::string& member) {
    reached = false;
    faults.fail_member = [this, member](std::string_view name) {
      if (name != member) return false;
      reached = true;
      return true;
    };
    session.faults = &faults;
  }

  static std::optional<std::filesystem::path> no_dialog() {
    ADD_FAILURE() << "the save asked for a file name";
    return std::nullopt;
  }

  TempDir dir;
  ScriptedPrompt prompt;
  shell::MessageRing ring;
  Session session{prompt, dir.path().string()};
  SaveFaults faults;
  bool reached = false;
  DataSet ds;
  DocumentState state;

  DocumentState saved_state;
  std::set<std::string> files;
  std::string packed_before;
  std::string plain_before;
  std::size_t messages = 0;
  int newest_line = 0;
};

TEST_F(Datafiles_SaveFaultTests, InPlaceSaveFailingAtAnyMemberKeepsTheOldFile) {
  // The writer names every member the file holds, so each is failed in turn.
  const auto members = member_names(ds);
  DataSet copy = ds;
  const std::string bundle_text = write_bundle(copy);
  const bundle::SplitResult written = bundle::split(bundle_text);
  std::vector<std::string> in_file;
  for (const bundle::Member& m : written.members.members()) in_file.push_back(m.name);
  ASSERT_EQ(members, in_file);
  for (const std::string& member : members) {
    fail_at(member);
    EXPECT_FALSE(save_dia(ds, state, session, no_dialog)) << member;
    EXPECT_TRUE(reached) << member;
    expect_untouched_after_failure(dir / "line.qvw", "in place, " + member);
  }
  // The same edit saves once nothing fails, so the unchanged bytes above
  // were not an edit that writes the same file.
  session.faults = nullptr;
  ASSERT_TRUE(save_dia(ds, state, session, no_dialog));
  EXPECT_FALSE(state.edited);
  EXPECT_NE(dir.read("line.qvw"), packed_before);
  EXPECT_EQ(files_in(dir.path()), files);
}

TEST_F(Datafiles_SaveFaultTests, SaveAsFailingAtAnyMemberKeepsTheTargetAndTheCurrentNames) {
  for (const std::string& member : member_names(ds)) {
    fail_at(member);
    EXPECT_FALSE(save_dia_as(dir / "line.qvp", ds, state, session)) << member;
    EXPECT_TRUE(reached) << member;
    expect_untouched_after_failure(dir / "line.qvp", "save as .qvp, " + member);
  }
}

TEST_F(Datafiles_SaveFaultTests, ExecutedSaveFailingAtAnyMemberIncludingTheStack) {
  ExecutedState snapshot = make_snapshot(ds, 36000, nullptr);
  BundleWriteOptions options;
  options.stack_member = [&snapshot](std::string& out) { out += stack_member_text(snapshot); };
  ASSERT_TRUE(write_data_set(dir / "run.qve", ds, session, options));
  ds.dia.diagrams[1].train_number = "8888M";
  remember();
  const std::string run_before = dir.read("run.qve");

  const auto members = member_names(ds, options);
  ASSERT_EQ(members.back(), "stack.csv");
  for (const std::string& member : members) {
    fail_at(member);
    EXPECT_FALSE(write_data_set(dir / "run.qve", ds, session, options)) << member;
    EXPECT_TRUE(reached) << member;
    EXPECT_TRUE(dir.read("run.qve") == run_before) << member;
    expect_untouched_after_failure(dir / "run.qve", "executed, " + member);
  }
}

// The disk fills up part-way: the kernel takes the bytes up to the limit
// (a short write) and refuses the rest with EFBIG.
TEST_F(Datafiles_SaveFaultTests, FileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
  struct Target {
    const char* name;
    std::function<bool()> save;
  };
  const Target targets[] = {
      {"line.qvw", [&] { return save_dia(ds, state, session, no_dialog); }},
      {"line.qvp", [&] { return save_dia_as(dir / "line.qvp", ds, state, session); }},
  };
  for (const Target& target : targets) {
    // What the save is about to write, from the same flow into another file.
    const std::string probe_name =
        "probe" + std::filesystem::path(target.name).extension().string();
    DataSet probe_copy = ds;
    ASSERT_TRUE(write_data_set(dir / probe_name, probe_copy, session, {}));
    const std::string expected = dir.read(probe_name);
    std::filesystem::remove(dir / probe_name);
    const rlim_t size = expected.size();
    ASSERT_GT(size, 2u);

    for (rlim_t limit : {rlim_t{0}, size / 2, size - 1}) {
      const std::string what = std::string(target.name) + " under a limit of " +
                               std::to_string(limit) + " of " + std::to_string(size) + " bytes";
      bool saved;
      {
        FileSizeLimit guard(limit);
        ASSERT_TRUE(guard.armed()) << what;
        saved = target.save();
      }
      EXPECT_FALSE(saved) << what;
      expect_untouched_after_failure(dir / target.name, what);
    }
    // Exactly enough room: the save goes through.
    bool saved;
    {
      FileSizeLimit guard(size);
      ASSERT_TRUE(guard.armed());
      saved = target.save();
    }
    EXPECT_TRUE(saved) << target.name;
    EXPECT_FALSE(state.edited) << target.name;
    EXPECT_TRUE(dir.read(target.name) == expected) << target.name;
    EXPECT_EQ(files_in(dir.path()), files) << target.name;
    ds.header.dia.dia_comment = sj("再編集");
    state.edited = true;
    remember();
  }
}

}  // namespace
}  // namespace vosk::datafiles
