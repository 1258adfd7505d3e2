#include "ui/data_set_document.h"

#include "base/format.h"
#include "datafiles/data_set_summary.h"

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
  return datafiles::open_data_set(path, data_, state_, session_) == datafiles::OpenOutcome::Opened;
}

bool DataSetDocument::save_in_place() {
  return datafiles::save_dia(data_, state_, session_, [] { return std::nullopt; });
}

bool DataSetDocument::save_as(const std::string& path) {
  return datafiles::save_dia_as(path, data_, state_, session_);
}

bool DataSetDocument::import_windia(const std::string& path) {
  session_.prompt.tell(caption::kOperationError,
                       format("WinDIA形式の取り込みはまだできません。\n%s\n", path.c_str()));
  return false;
}

}  // namespace vosk::ui
