#include "editor_fixture.h"

#include <gtest/gtest.h>

#include "base/text_file.h"
#include "datafiles/file_kind.h"

namespace vosk::ui::testing {

std::optional<std::string> ScriptedFiles::next() {
  if (on_dialog) on_dialog();
  if (answers_.empty()) {
    ADD_FAILURE() << "unscripted file dialog";
    return std::nullopt;
  }
  auto answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::optional<std::string> ScriptedFiles::open_file(QWidget*, const FileDialogRequest& request) {
  opened.push_back(request);
  return next();
}

std::optional<std::string> ScriptedFiles::save_file(QWidget*, const FileDialogRequest& request) {
  saved.push_back(request);
  return next();
}

bool FakeDocument::open(const std::string& path) {
  opened.push_back(path);
  state_.dia_path = path;
  state_.file_title = datafiles::file_title_of(path);
  state_.loaded_version = datafiles::kFormatVersion;
  state_.data_loaded = true;
  state_.edited = false;
  return true;
}

bool FakeDocument::save_in_place() {
  ++saved_in_place;
  state_.edited = false;
  return true;
}

bool FakeDocument::save_as(const std::string& path) {
  saved_as.push_back(path);
  state_.dia_path = path;
  state_.file_title = datafiles::file_title_of(path);
  state_.edited = false;
  return true;
}

bool FakeDocument::import_windia(const std::string& path) {
  imported.push_back(path);
  state_.data_loaded = true;
  state_.edited = true;
  return true;
}

Editor::Editor(const vosk::testing::TempDir& home, bool with_document,
               std::vector<std::string> extra_arguments) {
  std::vector<std::string> arguments{"--home", home.path().string()};
  arguments.insert(arguments.end(), extra_arguments.begin(), extra_arguments.end());
  std::string error;
  std::optional<EditorState> state = prepare_editor_state(arguments, &error);
  EXPECT_TRUE(state) << error;
  EditorServices services;
  services.prompt = &prompt;
  services.files = &files;
  if (with_document) services.document = &document;
  services.open_url = [this](const std::string& url) { urls.push_back(url); };
  window_ = std::make_unique<MainWindow>(std::move(*state), services);
}

Editor::~Editor() = default;

std::string settings_text(const vosk::testing::TempDir& home) {
  return textfile::to_text_mode(home.read("korv.ini"));
}

int ink_pixels(const QImage& image, QRgb background) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) ++count;
  return count;
}

}  // namespace vosk::ui::testing
