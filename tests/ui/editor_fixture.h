#pragma once
// Starting the editor in a temporary program folder, with scripted message
// boxes, file dialogs and a data-set layer that records what it is asked.
#include <QTest>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/data_set.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"
#include "ui/data_set_document.h"
#include "ui/document_controller.h"
#include "ui/main_window.h"

namespace vosk::ui::testing {

// Scripted message boxes that also call a hook while a box is "up".
class ObservedPrompt : public vosk::testing::ScriptedPrompt {
 public:
  Answer ask(const std::string& caption, const std::string& text, Buttons buttons) override {
    if (on_ask) on_ask();
    return ScriptedPrompt::ask(caption, text, buttons);
  }
  std::function<void()> on_ask;
};

// File dialogs that answer from a script (nullopt: Cancel) and keep every
// request; `on_dialog` runs while a dialog is "up".
class ScriptedFiles : public FileChooser {
 public:
  std::function<void()> on_dialog;
  void script(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }
  std::optional<std::string> open_file(QWidget*, const FileDialogRequest& request) override;
  std::optional<std::string> save_file(QWidget*, const FileDialogRequest& request) override;

  std::vector<FileDialogRequest> opened, saved;

 private:
  std::optional<std::string> next();
  std::deque<std::optional<std::string>> answers_;
};

// A data-set layer that opens and saves anything and records the calls.
class FakeDocument : public DocumentController {
 public:
  bool available() const override { return true; }
  const datafiles::DocumentState& state() const override { return state_; }
  std::string dia_title() const override { return title; }
  bool open(const std::string& path) override;
  bool open_wants_another_file() const override { return last_open_retried_; }
  bool save_in_place() override;
  bool save_as(const std::string& path) override;
  bool import_windia(const std::string& path) override;
  void offer_recovery() override { ++recovery_offers; }

  datafiles::DocumentState& mutable_state() { return state_; }

  std::string title;  // DiaTitle, CP932
  std::vector<std::string> opened, saved_as, imported;
  int saved_in_place = 0;
  int recovery_offers = 0;
  int retries = 0;  // opens that fail as a Retry answer does

 private:
  datafiles::DocumentState state_;
  bool last_open_retried_ = false;
};

// The data-set layer an editor is started with.
enum class Layer {
  None,     // no drivers: nothing can be opened
  Fake,     // Editor::document records the calls
  DataSet,  // the program's own DataSetDocument, made as app/editor does
};

// A program folder and the editor started in it.
class Editor {
 public:
  explicit Editor(const vosk::testing::TempDir& home, bool with_document = false,
                  std::vector<std::string> extra_arguments = {});
  // `extra_arguments` follow "--home DIR" as the program's own arguments.
  Editor(const vosk::testing::TempDir& home, Layer layer,
         std::vector<std::string> extra_arguments = {});
  ~Editor();

  MainWindow& window() { return *window_; }
  EditorState& state() { return window_->state(); }
  // The window's DataSetDocument (Layer::DataSet only).
  DataSetDocument& data_set() { return *data_set_; }
  ObservedPrompt prompt;
  ScriptedFiles files;
  FakeDocument document;
  std::vector<std::string> urls;

 private:
  DataSetDocument* data_set_ = nullptr;
  std::unique_ptr<MainWindow> window_;
};

// The bundled sample copied to `name` below `dir`; tests write only to copies.
std::filesystem::path copy_sample(const vosk::testing::TempDir& dir, std::string_view name);

// The editor started on a copy of the sample in `home`'s qvw_data/, as the
// program is started on a file, after its first tick; `file` gets the copy.
std::unique_ptr<Editor> open_sample(const vosk::testing::TempDir& home,
                                    std::filesystem::path* file = nullptr);

// A data set read from disk as the open flow reads it, with no question
// asked; `program_folder` is the folder the open looks for its files in.
datafiles::DataSet read_back(const std::filesystem::path& path, const std::string& program_folder);

// korv.ini of a program folder, as text with LF line ends.
std::string settings_text(const vosk::testing::TempDir& home);

// Count of pixels of an image that are not the background colour.
int ink_pixels(const QImage& image, QRgb background = 0xFFFFFFFF);

}  // namespace vosk::ui::testing
