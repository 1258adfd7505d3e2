#pragma once
// Rollback points: executed-state snapshots taken while the program runs,
// kept in memory or, with RollBackFile on, in rollback files
// ("roll_back_%d.csv" in the temp folder), and their restoring.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "datafiles/executed_state.h"
#include "datafiles/memory_status.h"
#include "shell/message_ring.h"
#include "shell/settings.h"

namespace vosk::datafiles {

// Section of korv.ini naming what to recover after an abnormal end.
inline constexpr const char* kBackupSection = "BackupFile";
inline constexpr const char* kBackupQvbKey = "qvb";
inline constexpr const char* kBackupStackKey = "stack";

struct RollbackSettings {
  bool to_file = false;                   // RollBackFile: points are kept in rollback files
  bool on_terminal_arrival = true;        // RollBackTrain (a simulation setting, kept)
  bool on_fast_start = true;              // RollBackFast (likewise)
  std::uint64_t min_avail_phys = 0;       // bytes; MinAvailPhys
  std::uint64_t min_avail_page_file = 0;  // bytes; MinAvailPageFile
};

RollbackSettings rollback_settings(const shell::Settings& settings);
// The dialog's choices back into the settings that are written at close.
void store_rollback_settings(const RollbackSettings& rollback, shell::Settings& settings);

inline constexpr int kManualRollbackKind = 1;

struct RollbackSlot {
  std::shared_ptr<const ExecutedState> snapshot;  // none while the point lives in its file
  std::filesystem::path file;                     // empty while the snapshot is in memory
  int kind = kManualRollbackKind;
  int flag = 0;
  std::int32_t time = 0;  // seconds after midnight
  std::string label;      // CP932, "手動ロールバック"
};

// The rollback dialog's line for a slot: "%s %s" with the time ("H:MM:SS")
// and the label, CP932.
std::string rollback_slot_line(const RollbackSlot& slot);

// The temp folder's "roll_back_%d.csv" for slot `number`.
std::filesystem::path rollback_file_path(const std::filesystem::path& system_temp, int number);

// What a rollback operation works on. Built by the caller for each call.
struct RollbackContext {
  DataSet& data;          // the live model
  CarriedState& carried;  // its executed state (executed_state.h)
  std::int32_t current_time = 0;
  shell::MessageRing& messages;
  std::filesystem::path system_temp;    // where rollback files go
  std::filesystem::path settings_file;  // korv.ini
  bool backup_file = false;             // [Setting] BackupFile
  // Free memory now; empty reads this machine's.
  std::function<MemoryStatus()> free_memory;
  // The owner window's message boxes. File errors are shown only with one.
  Prompt* owner = nullptr;
  // Redraws every window and the title.
  std::function<void()> refresh;
};

class RollbackList {
 public:
  RollbackList() = default;
  explicit RollbackList(const RollbackSettings& settings) : settings_(settings) {}

  const RollbackSettings& settings() const { return settings_; }
  RollbackSettings& settings() { return settings_; }

  // Slots in the order taken; the list only grows.
  const std::vector<RollbackSlot>& slots() const { return slots_; }
  int next_number() const { return static_cast<int>(slots_.size()); }

  // Takes a rollback point of the live model at the current time. With
  // less free memory than the limits it only reports
  // "メモリ不足のためロールバックデータは保存されませんでした。" to the message
  // ring and returns false. With RollBackFile on the snapshot goes to its
  // rollback file and, when BackupFile is on, [BackupFile] stack names that
  // file; a file that cannot be written leaves the snapshot in memory.
  bool take_point(const RollbackContext& ctx);

  // Copies the snapshot into the live model, where it becomes the carried
  // executed state, sets ctx.current_time to the snapshot's time, takes a
  // rollback point at it, reports
  // "ロールバックデータを復元しました。" and refreshes the windows.
  void restore(std::shared_ptr<const ExecutedState> snapshot, RollbackContext& ctx);

  // Restores a slot, reading it back from its file when it lives there.
  // The slot keeps its snapshot for another restore. False when the file
  // cannot be read (told through the owner's prompt) or there is no such slot.
  bool restore_slot(std::size_t index, RollbackContext& ctx);

  // Reads a rollback file and restores it (the recovery after an abnormal
  // end). False, changing nothing, when the file is missing or damaged.
  bool restore_file(const std::filesystem::path& path, RollbackContext& ctx);

  // The slot's snapshot, read from its file when needed, for saving it as
  // executed data; none (told through `prompt`) when the file is unusable.
  std::shared_ptr<const ExecutedState> slot_snapshot(std::size_t index, Prompt& prompt) const;

 private:
  void write_slot_file(RollbackSlot& slot, int number, const RollbackContext& ctx);

  RollbackSettings settings_;
  std::vector<RollbackSlot> slots_;
};

}  // namespace vosk::datafiles
