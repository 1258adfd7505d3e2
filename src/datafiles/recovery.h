#pragma once
// Recovery after an abnormal end: on the first timer tick, when automatic
// backup is on and korv.ini names a dia backup in [BackupFile] qvb, the user
// is offered to load it, and with it the latest rollback file named in
// [BackupFile] stack.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "base/ini.h"
#include "base/prompt.h"
#include "datafiles/document_state.h"

namespace vosk::datafiles {

inline constexpr const char* kRecoveryCaption = "読み込み確認";
inline constexpr const char* kRecoveryQuestion =
    "前回のご使用時に異常終了したため、ダイヤデータにバックアップファイルがあります。\n\n"
    "バックアップファイルを読み込みますか？";

// The paths of [BackupFile], as stored (CP932 bytes).
struct RecoveryOffer {
  std::string qvb;    // the dia backup to open
  std::string stack;  // the rollback file to restore after it; may be empty
};

// What korv.ini offers: none when `backup_file` ([Setting] BackupFile) is
// off or [BackupFile] qvb is empty.
std::optional<RecoveryOffer> recovery_offer(const ini::Document& settings_file, bool backup_file);

struct RecoveryHooks {
  // Opens a data set without a dialog (the Open flow); true on success.
  std::function<bool(const std::filesystem::path&)> open;
  // Reads a rollback file and restores it (RollbackList::restore_file).
  std::function<bool(const std::filesystem::path&)> restore_rollback_file;
};

enum class RecoveryResult {
  NotOffered,      // backup off or nothing to recover
  Declined,        // the user answered No
  OpenFailed,      // the backup did not open; nothing was restored
  Recovered,       // the backup is open (and the rollback file restored, if named)
  RollbackFailed,  // the backup is open, the rollback file could not be restored
};

// Asks "前回のご使用時に異常終了したため…" (caption "読み込み確認", Yes/No). On
// Yes opens the backup, then empties the document's dia path, executed
// path and file title, so the backup never becomes the current file, and
// then restores the rollback file when one is named.
RecoveryResult offer_recovery(const ini::Document& settings_file, bool backup_file, Prompt& prompt,
                              DocumentState& document, const RecoveryHooks& hooks);

}  // namespace vosk::datafiles
