#include "datafiles/rollback.h"

#include "base/csv.h"
#include "base/format.h"
#include "base/ini.h"
#include "base/sjis.h"
#include "base/text_file.h"
#include "base/time_text.h"
#include "datafiles/stack_member.h"

namespace vosk::datafiles {
namespace {

constexpr const char* kManualLabel = "手動ロールバック";
constexpr const char* kMemoryShort = "メモリ不足のためロールバックデータは保存されませんでした。";
constexpr const char* kRestored = "ロールバックデータを復元しました。";

// Stands in for a missing owner window: nothing is shown.
class SilentPrompt : public Prompt {
 public:
  Answer ask(const std::string&, const std::string&, Buttons) override { return Answer::Ok; }
};

// Sets [BackupFile] stack in korv.ini. A settings file that exists but
// cannot be read is left alone rather than replaced by this one key.
void note_stack_in_settings(const std::filesystem::path& settings_file,
                            const std::filesystem::path& rollback_file) {
  std::optional<ini::Document> doc = ini::Document::load_for_update(settings_file);
  if (!doc) return;
  doc->set_string(kBackupSection, kBackupStackKey, rollback_file.string());
  doc->save(settings_file);
}

}  // namespace

RollbackSettings rollback_settings(const shell::Settings& s) {
  return {s.roll_back_file, s.roll_back_train, s.roll_back_fast, s.min_avail_phys,
          s.min_avail_page_file};
}

void store_rollback_settings(const RollbackSettings& r, shell::Settings& s) {
  s.roll_back_file = r.to_file;
  s.roll_back_train = r.on_terminal_arrival;
  s.roll_back_fast = r.on_fast_start;
  s.min_avail_phys = r.min_avail_phys;
  s.min_avail_page_file = r.min_avail_page_file;
}

std::string rollback_slot_line(const RollbackSlot& slot) {
  return timetext::format(slot.time, true) + " " + slot.label;
}

std::filesystem::path rollback_file_path(const std::filesystem::path& system_temp, int number) {
  return system_temp / format("roll_back_%d.csv", number);
}

bool RollbackList::take_point(const RollbackContext& ctx) {
  MemoryStatus free = ctx.free_memory ? ctx.free_memory() : read_memory_status();
  if (free.avail_phys < settings_.min_avail_phys ||
      free.avail_page_file < settings_.min_avail_page_file) {
    ctx.messages.add(sjis::from_utf8_lossy(kMemoryShort));
    return false;
  }
  int number = next_number();
  RollbackSlot& slot = slots_.emplace_back();
  slot.snapshot = std::make_shared<const ExecutedState>(
      make_snapshot(ctx.data, ctx.current_time, ctx.carried.get()));
  slot.kind = kManualRollbackKind;
  slot.flag = 0;
  slot.time = ctx.current_time;
  slot.label = sjis::from_utf8_lossy(kManualLabel);
  if (settings_.to_file) write_slot_file(slot, number, ctx);
  return true;
}

void RollbackList::write_slot_file(RollbackSlot& slot, int number, const RollbackContext& ctx) {
  std::filesystem::path path = rollback_file_path(ctx.system_temp, number);
  csv::Writer out;
  write_stack_member(*slot.snapshot, out);
  if (!textfile::write_text_atomic(path, out.str())) {
    // The point stays usable from memory instead of pointing at no file.
    if (ctx.owner != nullptr) {
      ctx.owner->tell(caption::kWriteError,
                      format("ファイル'%s'は開けませんでした。\n", path.c_str()));
    }
    return;
  }
  slot.snapshot.reset();
  slot.file = path;
  if (ctx.backup_file) note_stack_in_settings(ctx.settings_file, path);
}

void RollbackList::restore(std::shared_ptr<const ExecutedState> snapshot, RollbackContext& ctx) {
  restore_snapshot(*snapshot, ctx.data);
  // The live clock goes back with the data, so the new point is taken at
  // the restored time.
  ctx.current_time = snapshot->time;
  ctx.carried = std::move(snapshot);
  take_point(ctx);
  ctx.messages.add(sjis::from_utf8_lossy(kRestored));
  if (ctx.refresh) ctx.refresh();
}

std::shared_ptr<const ExecutedState> RollbackList::slot_snapshot(std::size_t index,
                                                                 Prompt& prompt) const {
  if (index >= slots_.size()) return nullptr;
  const RollbackSlot& slot = slots_[index];
  if (slot.snapshot) return slot.snapshot;
  std::optional<ExecutedState> read = read_stack_file(slot.file, prompt);
  if (!read) return nullptr;
  return std::make_shared<const ExecutedState>(std::move(*read));
}

bool RollbackList::restore_slot(std::size_t index, RollbackContext& ctx) {
  SilentPrompt silent;
  std::shared_ptr<const ExecutedState> snapshot =
      slot_snapshot(index, ctx.owner != nullptr ? *ctx.owner : silent);
  if (!snapshot) return false;
  restore(std::move(snapshot), ctx);
  return true;
}

bool RollbackList::restore_file(const std::filesystem::path& path, RollbackContext& ctx) {
  SilentPrompt silent;
  std::optional<ExecutedState> read =
      read_stack_file(path, ctx.owner != nullptr ? *ctx.owner : silent);
  if (!read) return false;
  restore(std::make_shared<const ExecutedState>(std::move(*read)), ctx);
  return true;
}

}  // namespace vosk::datafiles
