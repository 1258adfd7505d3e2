#include "datafiles/recovery.h"

#include <gtest/gtest.h>

#include "base/text_file.h"
#include "datafiles/executed_state_fixtures.h"
#include "datafiles/rollback.h"
#include "datafiles/stack_member.h"
#include "support/scripted_prompt.h"

namespace vosk::datafiles {
namespace {

using testing_fixtures::small_data_set;
using vosk::testing::ScriptedPrompt;
using vosk::testing::TempDir;

ini::Document korv(std::string_view qvb, std::string_view stack) {
  return ini::Document::parse("[Setting]\nBackupFile=1\n[BackupFile]\nqvb=" + std::string(qvb) +
                              "\nstack=" + std::string(stack) + "\n");
}

// Hooks that record their calls; the open hook behaves like the open flow
// and names the opened file as the current one.
struct Calls {
  DocumentState* document = nullptr;
  std::vector<std::filesystem::path> opened, restored;
  bool open_ok = true, restore_ok = true;

  RecoveryHooks hooks() {
    return {[this](const std::filesystem::path& p) {
              opened.push_back(p);
              if (open_ok) {
                document->dia_path = p;
                document->file_title = p.stem().string();
              }
              return open_ok;
            },
            [this](const std::filesystem::path& p) {
              restored.push_back(p);
              return restore_ok;
            }};
  }
};

DocumentState current_document() {
  DocumentState d;
  d.dia_path = "/data/old.qvw";
  d.executed_path = "/data/old.qve";
  d.file_title = "old";
  return d;
}

TEST(Datafiles_RecoveryTests, YesOpensTheBackupWithoutMakingItTheCurrentFile) {
  ScriptedPrompt prompt;
  prompt.script({Answer::Yes});
  DocumentState doc = current_document();
  Calls calls{&doc};
  EXPECT_EQ(offer_recovery(korv("/tmp/backup.qvb", "/tmp/roll_back_3.csv"), true, prompt, doc,
                           calls.hooks()),
            RecoveryResult::Recovered);

  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, "読み込み確認");
  EXPECT_EQ(prompt.last().text,
            "前回のご使用時に異常終了したため、ダイヤデータにバックアップファイルがあります。\n\n"
            "バックアップファイルを読み込みますか？");
  EXPECT_EQ(prompt.last().buttons, Buttons::YesNo);
  EXPECT_EQ(calls.opened, std::vector<std::filesystem::path>{"/tmp/backup.qvb"});
  EXPECT_EQ(calls.restored, std::vector<std::filesystem::path>{"/tmp/roll_back_3.csv"});
  EXPECT_TRUE(doc.dia_path.empty());
  EXPECT_TRUE(doc.executed_path.empty());
  EXPECT_TRUE(doc.file_title.empty());
  EXPECT_FALSE(doc.can_save_in_place());  // Save dia asks for a name
}

TEST(Datafiles_RecoveryTests, NothingHappensWithoutAnOfferOrOnNo) {
  struct Case {
    const char* name;
    ini::Document settings;
    bool backup_file;
    std::vector<Answer> answers;
    RecoveryResult result;
  };
  const Case cases[] = {
      {"backup off", korv("/tmp/b.qvb", "/tmp/s.csv"), false, {}, RecoveryResult::NotOffered},
      {"no qvb", korv("", "/tmp/s.csv"), true, {}, RecoveryResult::NotOffered},
      {"no section", ini::Document::parse("[Setting]\n"), true, {}, RecoveryResult::NotOffered},
      {"answered no",
       korv("/tmp/b.qvb", "/tmp/s.csv"),
       true,
       {Answer::No},
       RecoveryResult::Declined},
  };
  for (const Case& c : cases) {
    ScriptedPrompt prompt;
    for (Answer a : c.answers) prompt.script({a});
    DocumentState doc = current_document();
    Calls calls{&doc};
    EXPECT_EQ(offer_recovery(c.settings, c.backup_file, prompt, doc, calls.hooks()), c.result)
        << c.name;
    EXPECT_EQ(prompt.count(), c.answers.size()) << c.name;
    EXPECT_TRUE(calls.opened.empty()) << c.name;
    EXPECT_TRUE(calls.restored.empty()) << c.name;
    EXPECT_EQ(doc.dia_path, "/data/old.qvw") << c.name;
    EXPECT_EQ(doc.file_title, "old") << c.name;
  }
}

TEST(Datafiles_RecoveryTests, OutcomesOfTheOpenAndTheRollbackFile) {
  struct Case {
    const char* name;
    const char* stack;
    bool open_ok, restore_ok;
    RecoveryResult result;
    std::size_t restores;
  };
  const Case cases[] = {
      // Only the backup is opened when no rollback file is named.
      {"no rollback file", "", true, true, RecoveryResult::Recovered, 0},
      // Nothing is restored over the old data when the backup does not open.
      {"open fails", "/tmp/s.csv", false, true, RecoveryResult::OpenFailed, 0},
      // An unusable rollback file leaves the backup open, nameless.
      {"rollback fails", "/tmp/s.csv", true, false, RecoveryResult::RollbackFailed, 1},
  };
  for (const Case& c : cases) {
    ScriptedPrompt prompt;
    prompt.script({Answer::Yes});
    DocumentState doc = current_document();
    Calls calls{&doc};
    calls.open_ok = c.open_ok;
    calls.restore_ok = c.restore_ok;
    EXPECT_EQ(offer_recovery(korv("/tmp/b.qvb", c.stack), true, prompt, doc, calls.hooks()),
              c.result)
        << c.name;
    EXPECT_EQ(calls.restored.size(), c.restores) << c.name;
    // A failed open leaves the data set that was open, its files included.
    EXPECT_EQ(doc.dia_path, c.open_ok ? "" : "/data/old.qvw") << c.name;
    EXPECT_EQ(doc.executed_path, c.open_ok ? "" : "/data/old.qve") << c.name;
    EXPECT_EQ(doc.file_title, c.open_ok ? "" : "old") << c.name;
  }
}

TEST(Datafiles_RecoveryTests, RecoveryRestoresTheLatestRollbackFile) {
  TempDir dir;
  // The rollback file left behind: the dia as it was when the point was taken.
  DataSet at_point = small_data_set();
  at_point.dia.diagrams[1].train_number = "rolled";
  ASSERT_TRUE(textfile::write_text_atomic(dir / "roll_back_7.csv",
                                          stack_member_text(make_snapshot(at_point, 43200))));

  DataSet live;
  CarriedState carried;
  shell::MessageRing ring;
  ScriptedPrompt prompt;
  prompt.script({Answer::Yes});
  RollbackList rollbacks;
  RollbackContext ctx{.data = live,
                      .carried = carried,
                      .current_time = 43200,
                      .messages = ring,
                      .system_temp = dir.path(),
                      .settings_file = dir / "korv.ini",
                      .backup_file = true,
                      .free_memory = [] { return MemoryStatus{}; },
                      .owner = &prompt};
  DocumentState doc;
  RecoveryHooks hooks{
      [&](const std::filesystem::path& p) {
        live = small_data_set();  // the backup as opened
        doc.dia_path = p;
        doc.file_title = "backup";
        return true;
      },
      [&](const std::filesystem::path& p) { return rollbacks.restore_file(p, ctx); }};
  EXPECT_EQ(offer_recovery(korv((dir / "backup.qvb").string(), (dir / "roll_back_7.csv").string()),
                           true, prompt, doc, hooks),
            RecoveryResult::Recovered);
  EXPECT_EQ(live.dia.diagrams[1].train_number, "rolled");
  ASSERT_TRUE(carried);
  EXPECT_EQ(carried->time, 43200);
  EXPECT_TRUE(doc.dia_path.empty());
  EXPECT_TRUE(doc.file_title.empty());
  EXPECT_EQ(prompt.count(), 1u);
}

}  // namespace
}  // namespace vosk::datafiles
