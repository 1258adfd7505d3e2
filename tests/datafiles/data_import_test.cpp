// Dropped files and import lists: the copies into the program folder, their
// counters and messages, and the choice of a sound or picture folder.
#include "datafiles/data_import.h"

#include <gtest/gtest.h>

#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vosk::testing {
namespace {

namespace fs = std::filesystem;
using datafiles::ImportCounts;

constexpr const char* kImportQuestion = "データ自動インポートを行います。よろしいですか？";
constexpr const char* kFinishedCaption = "インポート終了";

std::string finished(int copied, int failed, int present) {
  return "インポートが終了しました。\n\nインポートに成功したファイル数：" + std::to_string(copied) +
         "\nインポートに失敗・中止したファイル数：" + std::to_string(failed) +
         "\nインポートの前から存在したファイル数：" + std::to_string(present) + "\n";
}

class DataFiles_ImportTests : public ::testing::Test {
 protected:
  // A source folder with a list and the files it names, and a data folder.
  fs::path list(std::string_view entries) {
    return source.write("pack.qvi", sj("[ファイルリスト]\r\n") + std::string(entries));
  }
  TempDir source, data;
  ScriptedPrompt prompt;
};

TEST_F(DataFiles_ImportTests, ListedFilesAreCopiedBelowTheDataFolderAndSkippedKeysIgnored) {
  source.write("system_map/a.qvm", "map");
  source.write("image/b.bmp", "picture");
  const fs::path qvi = list("00=system_map\\a.qvm\r\n01=\r\n02=image/b.bmp\r\n");
  EXPECT_EQ(datafiles::import_listed_files(qvi, data.path(), prompt), (ImportCounts{2, 0, 0}));
  EXPECT_EQ(data.read("system_map/a.qvm"), "map");
  EXPECT_EQ(data.read("image/b.bmp"), "picture");
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().caption, kFinishedCaption);
  EXPECT_EQ(prompt.last().text, finished(2, 0, 0));
  EXPECT_TRUE(fs::exists(source / "system_map/a.qvm"));  // a copy never moves

  // The same list again: everything is there, said once.
  ScriptedPrompt again;
  EXPECT_EQ(datafiles::import_listed_files(qvi, data.path(), again), (ImportCounts{0, 0, 2}));
  ASSERT_EQ(again.count(), 2u);
  EXPECT_EQ(again.asked()[0].caption, "ファイル存在エラー");
  EXPECT_EQ(again.asked()[0].text,
            "ファイル'" + (data / "system_map/a.qvm").string() + "'は、既に存在します。\n");
}

TEST_F(DataFiles_ImportTests, FailuresAreCountedAndTheRunGoesOn) {
  struct Case {
    const char* name;
    std::string entry;
    std::vector<Answer> answers;
    ImportCounts counts;
    std::string kept;  // the destination's bytes afterwards
  };
  source.write("x.wav", "new");
  const Case cases[] = {
      {"missing source", "00=none.wav\r\n", {}, {0, 1, 0}, ""},
      {"outside the data folder", "00=..\\x.wav\r\n", {}, {0, 1, 0}, ""},
      {"different file kept on No", "00=x.wav\r\n", {Answer::No}, {0, 1, 0}, "old"},
      {"different file replaced on Yes", "00=x.wav\r\n", {Answer::Yes}, {1, 0, 0}, "new"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir target;
    target.write("x.wav", "old");
    ScriptedPrompt p;
    for (Answer a : c.answers) p.script({a});
    EXPECT_EQ(datafiles::import_listed_files(list(c.entry), target.path(), p), c.counts);
    if (!c.kept.empty()) {
      EXPECT_EQ(target.read("x.wav"), c.kept);
    }
    EXPECT_EQ(p.last().text, finished(c.counts.copied, c.counts.failed, c.counts.present));
  }
}

TEST_F(DataFiles_ImportTests, ADropAsksForTheSoundFolderOnceAndRefusesTheRest) {
  const fs::path one = source.write("one.wav", "1");
  const fs::path two = source.write("two.WAV", "2");
  int asked = 0;
  datafiles::DropHandlers handlers;
  handlers.choose_folder = [&](datafiles::DroppedKind kind) -> std::optional<std::size_t> {
    EXPECT_EQ(kind, datafiles::DroppedKind::Sound);
    ++asked;
    return 3;  // ＡＴＣ音
  };
  datafiles::accept_dropped_files({one.string(), two.string(), "/d/notes.txt"}, data.path(), prompt,
                                  handlers);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(data.read("sound/atc/one.wav"), "1");
  EXPECT_EQ(data.read("sound/atc/two.WAV"), "2");
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().text, "この形式は受付できません。");
  EXPECT_EQ(prompt.last().buttons, Buttons::Ok);
}

TEST_F(DataFiles_ImportTests, CancelEndsTheDrop) {
  const fs::path picture = source.write("p.bmp", "p");
  source.write("a.wav", "a");
  const fs::path qvi = list("00=a.wav\r\n");
  datafiles::DropHandlers handlers;
  handlers.choose_folder = [](datafiles::DroppedKind) { return std::nullopt; };
  // A cancelled picture choice: nothing copied, the list not looked at.
  datafiles::accept_dropped_files({picture.string(), qvi.string()}, data.path(), prompt, handlers);
  EXPECT_EQ(prompt.count(), 0u);
  EXPECT_FALSE(fs::exists(data / "image"));
  // Cancel at the list's question: the picture after it is not asked for.
  prompt.script({Answer::Cancel});
  datafiles::accept_dropped_files({qvi.string(), picture.string()}, data.path(), prompt, handlers);
  ASSERT_EQ(prompt.count(), 1u);
  EXPECT_EQ(prompt.last().text, kImportQuestion);
  EXPECT_EQ(prompt.last().buttons, Buttons::YesNoCancel);
  EXPECT_FALSE(fs::exists(data / "a.wav"));
}

}  // namespace
}  // namespace vosk::testing
