#include "ui/data_set_document.h"

#include "base/format.h"
#include "base/ini.h"
#include "datafiles/data_set_summary.h"
#include "datafiles/recovery.h"
#include "datafiles/stack_member.h"
#include "base/sjis.h"
#include "base/text_file.h"
#include "exchange/windia_import.h"

namespace vosk::ui {

DataSetDocument::DataSetDocument(EditorState& editor, Prompt& prompt)
    : editor_(editor), session_{prompt, editor.start.files.folder} {
  session_.ui = editor.ui();
  session_.english_start_locale = editor.start.language.english_start_locale;
  session_.ring = &editor.messages;
  session_.warnings = &editor.warnings;
  session_.folders = &editor.start.folders;
}

std::string DataSetDocument::dia_title() const {
  return state_.data_loaded ? data_.header.dia.dia_title : std::string();
}

std::vector<std::string> DataSetDocument::summary() const {
  if (!state_.data_loaded) return {};
  return datafiles::data_set_summary(data_, editor_.english());
}

bool DataSetDocument::open(const std::string& path) {
  const datafiles::OpenOutcome outcome = datafiles::open_data_set(path, data_, state_, session_);
  wants_another_file_ = outcome == datafiles::OpenOutcome::Retry;
  if (outcome != datafiles::OpenOutcome::Opened) return false;
  // The executed state now is the one the file carries, or none. The open
  // already checked a stack member, so it parses.
  carried_.reset();
  if (data_.executed_stack) {
    datafiles::StackReadResult stack = datafiles::parse_stack_member(*data_.executed_stack);
    if (stack.ok())
      carried_ = std::make_shared<const datafiles::ExecutedState>(std::move(*stack.state));
  }
  return true;
}

bool DataSetDocument::save_in_place() {
  return datafiles::save_dia(data_, state_, session_, [] { return std::nullopt; });
}

bool DataSetDocument::save_as(const std::string& path) {
  return datafiles::save_dia_as(path, data_, state_, session_);
}

bool DataSetDocument::import_windia(const std::string& path) {
  const std::optional<std::string> bytes = textfile::read_binary(path);
  if (!bytes) {
    session_.prompt.tell(caption::kReadError,
                         format("読み込みファイル'%s'は開けませんでした。\n", path.c_str()));
    return false;
  }
  exchange::WindiaImport in = exchange::import_windia(*bytes);
  data_ = std::move(in.data);
  carried_.reset();
  // The dia now lives in no file of this program: saving asks for a name,
  // and closing asks whether to save it.
  state_.forget_files();
  state_.file_title.clear();
  state_.loaded_version = datafiles::kFormatVersion;
  state_.data_loaded = true;
  state_.edited = true;
  for (const std::string& warning : in.warnings)
    editor_.messages.add(sjis::from_utf8_lossy(warning));
  if (changed_) changed_();
  return true;
}

bool DataSetDocument::apply(const std::function<dia::EditResult(datafiles::DataSet&)>& edit) {
  if (!state_.data_loaded) return false;
  if (!edit(data_).report(session_.prompt)) return false;
  mark_edited();
  return true;
}

void DataSetDocument::mark_edited() {
  if (!state_.data_loaded) return;
  state_.edited = true;
  if (changed_) changed_();
}

bool DataSetDocument::restore_rollback_file(const std::filesystem::path& path) {
  rollback_.settings() = datafiles::rollback_settings(editor_.settings());
  datafiles::RollbackContext context{.data = data_,
                                     .carried = carried_,
                                     .current_time = data_.header.start_time,
                                     .messages = editor_.messages,
                                     .system_temp = editor_.start.folders.system_temp,
                                     .settings_file = editor_.start.files.settings_file,
                                     .backup_file = editor_.settings().backup_file,
                                     .free_memory = {},
                                     .owner = &session_.prompt,
                                     .refresh = {}};
  return rollback_.restore_file(path, context);
}

void DataSetDocument::offer_recovery() {
  // The question, the open and the restore are one modal operation of the
  // main window.
  ModalScope modal(editor_);
  datafiles::RecoveryHooks hooks;
  hooks.open = [this](const std::filesystem::path& path) { return open(path.string()); };
  hooks.restore_rollback_file = [this](const std::filesystem::path& path) {
    return restore_rollback_file(path);
  };
  const datafiles::RecoveryResult result = datafiles::offer_recovery(
      ini::Document::load_or_empty(editor_.start.files.settings_file),
      editor_.settings().backup_file, session_.prompt, state_, hooks);
  // The recovered work lives in no file the program names, and the close
  // empties [BackupFile]: keep the save question between it and a close.
  if (result == datafiles::RecoveryResult::Recovered ||
      result == datafiles::RecoveryResult::RollbackFailed)
    state_.edited = true;
}

}  // namespace vosk::ui
