#include "datafiles/recovery.h"

#include "datafiles/rollback.h"

namespace vosk::datafiles {

std::optional<RecoveryOffer> recovery_offer(const ini::Document& settings_file, bool backup_file) {
  if (!backup_file) return std::nullopt;
  RecoveryOffer offer;
  offer.qvb = settings_file.find(kBackupSection, kBackupQvbKey).value_or("");
  if (offer.qvb.empty()) return std::nullopt;
  offer.stack = settings_file.find(kBackupSection, kBackupStackKey).value_or("");
  return offer;
}

RecoveryResult offer_recovery(const ini::Document& settings_file, bool backup_file, Prompt& prompt,
                              DocumentState& document, const RecoveryHooks& hooks) {
  std::optional<RecoveryOffer> offer = recovery_offer(settings_file, backup_file);
  if (!offer) return RecoveryResult::NotOffered;
  if (prompt.ask(kRecoveryCaption, kRecoveryQuestion, Buttons::YesNo) != Answer::Yes) {
    return RecoveryResult::Declined;
  }
  bool opened = hooks.open && hooks.open(std::filesystem::path(offer->qvb));
  // A failed open leaves the data set that was open, with its files.
  if (!opened) return RecoveryResult::OpenFailed;
  // The backup is not a file to save into.
  document.forget_files();
  document.file_title.clear();
  if (offer->stack.empty()) return RecoveryResult::Recovered;
  bool restored = hooks.restore_rollback_file &&
                  hooks.restore_rollback_file(std::filesystem::path(offer->stack));
  return restored ? RecoveryResult::Recovered : RecoveryResult::RollbackFailed;
}

}  // namespace vosk::datafiles
