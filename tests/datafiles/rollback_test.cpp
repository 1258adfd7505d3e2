#include "datafiles/rollback.h"

#include <gtest/gtest.h>

#include "base/ini.h"
#include "base/sjis.h"
#include "base/text_file.h"
#include "datafiles/executed_state_fixtures.h"
#include "datafiles/stack_member.h"
#include "support/scripted_prompt.h"

namespace vosk::datafiles {
namespace {

using testing_fixtures::small_data_set;
using vosk::testing::ScriptedPrompt;
using vosk::testing::sj;
using vosk::testing::TempDir;

constexpr std::uint64_t kMB = 1024 * 1024;

// A program around the rollback list: the live model, korv.ini with a
// setting of its own, the temp folder, the message ring and a memory gauge.
struct Program {
  TempDir dir;
  DataSet data = small_data_set();
  CarriedState carried;
  shell::MessageRing ring;
  ScriptedPrompt prompt;
  MemoryStatus memory{512 * kMB, 1024 * kMB};
  int refreshes = 0;
  RollbackList list{RollbackSettings{false, true, true, 100 * kMB, 200 * kMB}};

  Program() {
    std::filesystem::create_directories(dir / "temp");
    dir.write("korv.ini", "[Setting]\r\nCallSpeed=4\r\n");
  }

  RollbackContext context(std::int32_t time = 36000, bool backup_file = true) {
    return RollbackContext{.data = data,
                           .carried = carried,
                           .current_time = time,
                           .messages = ring,
                           .system_temp = dir / "temp",
                           .settings_file = dir / "korv.ini",
                           .backup_file = backup_file,
                           .free_memory = [this] { return memory; },
                           .owner = &prompt,
                           .refresh = [this] { ++refreshes; }};
  }

  std::string newest_message() const { return sjis::to_utf8_lossy(ring.line(ring.newest())); }
  std::optional<std::string> backup_stack() const {
    return ini::Document::load_or_empty(dir / "korv.ini").find("BackupFile", "stack");
  }
};

TEST(Datafiles_RollbackTests, InMemoryPointsWriteNoFiles) {
  Program p;
  RollbackContext ctx = p.context(36000);
  ASSERT_TRUE(p.list.take_point(ctx));
  ASSERT_TRUE(p.list.take_point(p.context(36060)));

  ASSERT_EQ(p.list.slots().size(), 2u);
  const RollbackSlot& slot = p.list.slots()[0];
  ASSERT_TRUE(slot.snapshot);
  EXPECT_EQ(*slot.snapshot, make_snapshot(p.data, 36000));
  EXPECT_TRUE(slot.file.empty());
  EXPECT_EQ(slot.kind, 1);
  EXPECT_EQ(slot.flag, 0);
  EXPECT_EQ(slot.time, 36000);
  EXPECT_EQ(slot.label, sj("手動ロールバック"));
  EXPECT_EQ(rollback_slot_line(p.list.slots()[1]), sj("10:01:00 手動ロールバック"));
  EXPECT_EQ(p.list.next_number(), 2);

  EXPECT_TRUE(std::filesystem::is_empty(p.dir / "temp"));
  EXPECT_FALSE(p.backup_stack().has_value());
  EXPECT_EQ(p.prompt.count(), 0u);
}

TEST(Datafiles_RollbackTests, FilePointsGoToRollbackFilesAndNameTheLatest) {
  Program p;
  p.list.settings().to_file = true;
  ASSERT_TRUE(p.list.take_point(p.context(36000)));
  ASSERT_TRUE(p.list.take_point(p.context(37000)));

  const RollbackSlot& slot = p.list.slots()[1];
  EXPECT_FALSE(slot.snapshot);  // freed once it is on disk
  EXPECT_EQ(slot.file, p.dir / "temp" / "roll_back_1.csv");
  EXPECT_EQ(p.list.slots()[0].file, p.dir / "temp" / "roll_back_0.csv");

  // The file holds the snapshot in stack form, CR LF on disk.
  std::string disk = p.dir.read("temp/roll_back_0.csv");
  EXPECT_NE(disk.find("\r\n"), std::string::npos);
  std::optional<std::string> text = textfile::read_text(slot.file);
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, stack_member_text(make_snapshot(p.data, 37000)));

  // [BackupFile] stack names the latest file; the other settings stay.
  EXPECT_EQ(p.backup_stack(), slot.file.string());
  EXPECT_EQ(ini::Document::load_or_empty(p.dir / "korv.ini").get_int("Setting", "CallSpeed", 0), 4);
}

TEST(Datafiles_RollbackTests, FilePointsLeaveTheSettingsAloneWithoutAutomaticBackup) {
  Program p;
  p.list.settings().to_file = true;
  ASSERT_TRUE(p.list.take_point(p.context(36000, /*backup_file=*/false)));
  EXPECT_TRUE(std::filesystem::exists(p.dir / "temp" / "roll_back_0.csv"));
  EXPECT_FALSE(p.backup_stack().has_value());
  EXPECT_EQ(p.dir.read("korv.ini"), "[Setting]\r\nCallSpeed=4\r\n");
}

TEST(Datafiles_RollbackTests, LowMemorySkipsThePointAndChangesNothingElse) {
  struct Case {
    std::uint64_t phys, page_file;
  };
  for (Case c : {Case{100 * kMB - 1, 1024 * kMB}, Case{512 * kMB, 200 * kMB - 1}}) {
    Program p;
    p.list.settings().to_file = true;
    p.memory = {c.phys, c.page_file};
    ExecutedState before = make_snapshot(p.data, 0);
    EXPECT_FALSE(p.list.take_point(p.context()));
    EXPECT_EQ(p.newest_message(), "メモリ不足のためロールバックデータは保存されませんでした。");
    EXPECT_TRUE(p.list.slots().empty());
    EXPECT_EQ(p.list.next_number(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(p.dir / "temp"));
    EXPECT_FALSE(p.backup_stack().has_value());
    EXPECT_EQ(make_snapshot(p.data, 0), before);
  }
  // Exactly at the limits is enough.
  Program p;
  p.memory = {100 * kMB, 200 * kMB};
  EXPECT_TRUE(p.list.take_point(p.context()));
}

TEST(Datafiles_RollbackTests, RestoreFromAFileSlot) {
  Program p;
  p.list.settings().to_file = true;
  ASSERT_TRUE(p.list.take_point(p.context(36000)));
  ExecutedState taken = make_snapshot(p.data, 36000);

  p.data.dia.diagrams[1].train_number = "edited";
  p.data.map.route_levers[1].current_route = 0;
  p.data.dia.diagrams.grow_to(9).direction = 1;

  RollbackContext ctx = p.context(40000);
  ASSERT_TRUE(p.list.restore_slot(0, ctx));
  EXPECT_EQ(p.data.dia.diagrams[1].train_number, "101M");
  EXPECT_EQ(p.data.map.route_levers[1].current_route, 1);
  EXPECT_EQ(p.data.dia.diagrams.extent(), 3);
  EXPECT_EQ(p.newest_message(), "ロールバックデータを復元しました。");
  EXPECT_EQ(p.refreshes, 1);
  // The restored state is the data set's executed state now, the clock is
  // back at its time, and the new point was taken of it there.
  ASSERT_TRUE(p.carried);
  EXPECT_EQ(p.carried->time, 36000);
  EXPECT_EQ(ctx.current_time, 36000);
  ASSERT_EQ(p.list.slots().size(), 2u);
  EXPECT_EQ(p.list.slots()[1].time, 36000);
  ExecutedState expected = taken;
  std::optional<ExecutedState> second = read_stack_file(p.list.slots()[1].file, p.prompt);
  ASSERT_TRUE(second);
  expected.diagrams[3].events = {dia::DiaEvent{}};  // in use without events, in stack form
  EXPECT_EQ(*second, expected);
  EXPECT_EQ(p.backup_stack(), p.list.slots()[1].file.string());
}

TEST(Datafiles_RollbackTests, AnInMemorySlotCanBeRestoredAgain) {
  Program p;
  ASSERT_TRUE(p.list.take_point(p.context()));
  for (int k = 0; k < 2; ++k) {
    p.data.dia.trains[1].name = "changed";
    RollbackContext ctx = p.context();
    ASSERT_TRUE(p.list.restore_slot(0, ctx));
    EXPECT_EQ(p.data.dia.trains[1].name, sj("仕業1"));
  }
  EXPECT_TRUE(p.list.slots()[0].snapshot);
  EXPECT_EQ(p.carried, p.list.slots()[0].snapshot);  // shared, not copied
}

TEST(Datafiles_RollbackTests, RestoreWithTooLittleMemoryStillRestores) {
  Program p;
  ASSERT_TRUE(p.list.take_point(p.context()));
  p.data.dia.trains[1].name = "changed";
  p.memory = {0, 0};
  RollbackContext ctx = p.context();
  ASSERT_TRUE(p.list.restore_slot(0, ctx));
  EXPECT_EQ(p.data.dia.trains[1].name, sj("仕業1"));
  EXPECT_EQ(p.list.slots().size(), 1u);
  EXPECT_EQ(p.newest_message(), "ロールバックデータを復元しました。");
  EXPECT_EQ(sjis::to_utf8_lossy(p.ring.line_back(1)),
            "メモリ不足のためロールバックデータは保存されませんでした。");
}

TEST(Datafiles_RollbackTests, UnusableRollbackFilesRestoreNothing) {
  Program p;
  p.list.settings().to_file = true;
  ASSERT_TRUE(p.list.take_point(p.context()));
  p.data.dia.trains[1].name = "changed";

  std::filesystem::remove(p.list.slots()[0].file);
  RollbackContext ctx = p.context();
  EXPECT_FALSE(p.list.restore_slot(0, ctx));
  EXPECT_EQ(p.prompt.last().caption, "ファイル読み込みエラー");
  EXPECT_EQ(p.prompt.last().text,
            "ファイル'" + p.list.slots()[0].file.string() + "'は開けませんでした。\n");

  p.dir.write("temp/roll_back_0.csv", "12,\r\n\r\n0,\r\n0,\r\n\r\ndiagram\r\n7,\r\n");
  EXPECT_FALSE(p.list.restore_slot(0, ctx));
  EXPECT_NE(p.prompt.last().text.find("壊れています"), std::string::npos);
  EXPECT_FALSE(p.list.restore_slot(5, ctx));

  EXPECT_EQ(p.data.dia.trains[1].name, "changed");
  EXPECT_EQ(p.refreshes, 0);
  EXPECT_FALSE(p.carried);
  EXPECT_EQ(p.list.slots().size(), 1u);
}

TEST(Datafiles_RollbackTests, AFileThatCannotBeWrittenKeepsThePointInMemory) {
  Program p;
  p.list.settings().to_file = true;
  RollbackContext ctx = p.context();
  ctx.system_temp = p.dir / "no such folder";
  ASSERT_TRUE(p.list.take_point(ctx));
  const RollbackSlot& slot = p.list.slots()[0];
  EXPECT_TRUE(slot.snapshot);
  EXPECT_TRUE(slot.file.empty());
  EXPECT_EQ(p.prompt.last().caption, "ファイル書き込みエラー");
  EXPECT_EQ(p.prompt.last().text, "ファイル'" + (ctx.system_temp / "roll_back_0.csv").string() +
                                      "'は開けませんでした。\n");
  EXPECT_FALSE(p.backup_stack().has_value());

  // Without an owner window nothing is shown.
  ctx.owner = nullptr;
  std::size_t shown = p.prompt.count();
  ASSERT_TRUE(p.list.take_point(ctx));
  EXPECT_EQ(p.prompt.count(), shown);
}

TEST(Datafiles_RollbackTests, SettingsTravelBothWays) {
  shell::Settings s = shell::Settings::defaults({});
  s.roll_back_file = true;
  s.min_avail_phys = 5 * kMB;
  RollbackSettings r = rollback_settings(s);
  EXPECT_TRUE(r.to_file);
  EXPECT_EQ(r.min_avail_phys, 5 * kMB);
  r.to_file = false;
  r.on_fast_start = false;
  store_rollback_settings(r, s);
  EXPECT_FALSE(s.roll_back_file);
  EXPECT_FALSE(s.roll_back_fast);
  EXPECT_TRUE(s.roll_back_train);
}

TEST(Datafiles_RollbackTests, FreeMemoryFromMeminfo) {
  MemoryStatus m = parse_memory_status(
      "MemTotal:       16000000 kB\nMemFree:          100 kB\nMemAvailable:    2048 kB\n"
      "SwapTotal:       4096 kB\nSwapFree:         1024 kB\n");
  EXPECT_EQ(m.avail_phys, 2048u * 1024);
  EXPECT_EQ(m.avail_page_file, 3072u * 1024);
  m = parse_memory_status("MemFree: 10 kB\n");  // an old kernel without MemAvailable
  EXPECT_EQ(m.avail_phys, 10u * 1024);
  EXPECT_EQ(m.avail_page_file, 10u * 1024);
  m = parse_memory_status("");
  EXPECT_EQ(m.avail_phys, 0u);
}

}  // namespace
}  // namespace vosk::datafiles
