#pragma once
// The data-set layer of the editor: one open DataSet with its file state,
// opened and saved through the core's open and save flows.
#include <functional>
#include <memory>

#include "datafiles/data_set.h"
#include "datafiles/executed_state.h"
#include "datafiles/open_save.h"
#include "datafiles/rollback.h"
#include "dia/edit_result.h"
#include "ui/document_controller.h"
#include "ui/editor_state.h"

namespace vosk::ui {

class DataSetDocument : public DocumentController {
 public:
  DataSetDocument(EditorState& editor, Prompt& prompt);

  bool available() const override { return true; }
  const datafiles::DocumentState& state() const override { return state_; }
  std::string dia_title() const override;
  std::vector<std::string> summary() const override;
  bool open(const std::string& path) override;
  bool open_wants_another_file() const override { return wants_another_file_; }
  bool save_in_place() override;
  bool save_as(const std::string& path) override;
  bool import_windia(const std::string& path) override;
  void offer_recovery() override;
  void set_change_listener(std::function<void()> listener) override {
    changed_ = std::move(listener);
  }

  // Read access for views; edits go through apply().
  const datafiles::DataSet& data() const { return data_; }
  datafiles::DataSet& data() { return data_; }

  // Runs one edit of the open data set. An edit that is done sets the
  // edited flag and tells the change listener (the title gets its mark); a
  // refused one is shown on the prompt and, like a declined one, changes
  // nothing. With no data set open the edit is not run. True when done.
  bool apply(const std::function<dia::EditResult(datafiles::DataSet&)>& edit);
  datafiles::DataSet* data_set() override { return state_.data_loaded ? &data_ : nullptr; }
  // For changes made without an EditResult: the open data set was changed.
  void mark_edited() override;
  void set_display_windows(const datafiles::DisplayWindowSource* source) override {
    session_.display_windows = source;
  }

 private:
  bool restore_rollback_file(const std::filesystem::path& path);

  EditorState& editor_;
  datafiles::Session session_;
  datafiles::DataSet data_;
  datafiles::DocumentState state_;
  datafiles::CarriedState carried_;  // executed state restored into data_ last
  datafiles::RollbackList rollback_;
  std::function<void()> changed_;
  bool wants_another_file_ = false;
};

}  // namespace vosk::ui
