#pragma once
// The data-set layer of the editor: one open DataSet with its file state,
// opened and saved through the core's open and save flows.
#include <memory>

#include "datafiles/data_set.h"
#include "datafiles/open_save.h"
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
  bool save_in_place() override;
  bool save_as(const std::string& path) override;
  bool import_windia(const std::string& path) override;
  void offer_recovery() override {}

  datafiles::DataSet& data() { return data_; }

 private:
  EditorState& editor_;
  datafiles::Session session_;
  datafiles::DataSet data_;
  datafiles::DocumentState state_;
};

}  // namespace vosk::ui
