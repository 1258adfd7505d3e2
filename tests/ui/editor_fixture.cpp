#include "editor_fixture.h"

#include <gtest/gtest.h>

#include "base/text_file.h"
#include "datafiles/file_kind.h"
#include "datafiles/open_save.h"

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
  last_open_retried_ = retries > 0;
  if (last_open_retried_) {
    --retries;
    return false;
  }
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
               std::vector<std::string> extra_arguments)
    : Editor(home, with_document ? Layer::Fake : Layer::None, std::move(extra_arguments)) {}

Editor::Editor(const vosk::testing::TempDir& home, Layer layer,
               std::vector<std::string> extra_arguments) {
  std::vector<std::string> arguments{"--home", home.path().string()};
  arguments.insert(arguments.end(), extra_arguments.begin(), extra_arguments.end());
  std::string error;
  std::optional<EditorState> state = prepare_editor_state(arguments, &error);
  EXPECT_TRUE(state) << error;
  EditorServices services;
  services.prompt = &prompt;
  services.files = &files;
  if (layer == Layer::Fake) services.document = &document;
  if (layer == Layer::DataSet) {
    services.make_document = [this](EditorState& editor, Prompt& p) {
      auto made = std::make_unique<DataSetDocument>(editor, p);
      data_set_ = made.get();
      return made;
    };
  }
  services.open_url = [this](const std::string& url) { urls.push_back(url); };
  window_ = std::make_unique<MainWindow>(std::move(*state), services);
}

Editor::~Editor() = default;

std::filesystem::path copy_sample(const vosk::testing::TempDir& dir, std::string_view name) {
  const std::filesystem::path target = dir / name;
  std::filesystem::create_directories(target.parent_path());
  std::filesystem::copy_file(VOSK_SAMPLE_QVW, target,
                             std::filesystem::copy_options::overwrite_existing);
  return target;
}

std::unique_ptr<Editor> open_sample(const vosk::testing::TempDir& home,
                                    std::filesystem::path* file) {
  const std::filesystem::path copy = copy_sample(home, "qvw_data/sample.qvw");
  if (file) *file = copy;
  auto editor =
      std::make_unique<Editor>(home, Layer::DataSet, std::vector<std::string>{copy.string()});
  editor->window().first_tick();
  return editor;
}

datafiles::DataSet read_back(const std::filesystem::path& path, const std::string& program_folder) {
  vosk::testing::ScriptedPrompt quiet;
  datafiles::Session session{quiet, program_folder};
  std::optional<datafiles::DataSet> read = datafiles::read_data_set(path, session);
  EXPECT_EQ(quiet.count(), 0u) << path;
  EXPECT_TRUE(read) << path;
  return read ? std::move(*read) : datafiles::DataSet{};
}

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
