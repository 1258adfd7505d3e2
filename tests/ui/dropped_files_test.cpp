// Files dropped on the editor: the sorting by kind with its questions, and
// the main window's drop events leading to the open flow.
#include "ui/dropped_files.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "base/sjis.h"
#include "dia/speed_type.h"
#include "editor_fixture.h"

namespace vosk::ui {
namespace {

using testing::Editor;
using testing::Layer;
using vosk::testing::ScriptedPrompt;
using vosk::testing::TempDir;
using vosk::testing::sj;

constexpr const char* kLoadQuestion = "ダイヤデータを読み込みます。よろしいですか？";
constexpr const char* kRefusedGoOn = "この形式は受付できません。続けますか？";
constexpr const char* kRefused = "この形式は受付できません。";

// The handlers' calls, in order, as "open:<path>" and "import:<path>".
struct Calls {
  std::vector<std::string> made;
  DropHandlers handlers() {
    return {[this](const std::string& p) { made.push_back("open:" + p); },
            [this](const std::string& p) { made.push_back("import:" + p); }};
  }
};

std::vector<std::string> texts_of(const ScriptedPrompt& prompt) {
  std::vector<std::string> out;
  for (const auto& q : prompt.asked()) {
    EXPECT_EQ(q.caption, kDropCaption);
    out.push_back(q.text);
  }
  return out;
}

TEST(Ui_DroppedFileTests, KindsGoByTheExtensionOfTheNameIgnoringCase) {
  EXPECT_EQ(dropped_kind("/a/b/line.qvw"), DroppedKind::Dia);
  EXPECT_EQ(dropped_kind("/a/b/LINE.QvW"), DroppedKind::Dia);
  EXPECT_EQ(dropped_kind("/a/b/old.DIA"), DroppedKind::WinDia);
  EXPECT_EQ(dropped_kind("/a/list.qvi"), DroppedKind::ImportList);
  EXPECT_EQ(dropped_kind("/a/bell.WAV"), DroppedKind::Sound);
  EXPECT_EQ(dropped_kind("/a/photo.bmp"), DroppedKind::Picture);
  // Other data files, names that only end alike, folders and no extension.
  for (const char* other : {"/a/line.qvb", "/a/line.qve", "/a/line.qvp", "/a/xqvw", "/a/line.qvw.txt",
                            "/a/line.qvw/", "/a/qvw", "/a/.qvwx", ""})
    EXPECT_EQ(dropped_kind(other), DroppedKind::Other) << other;
}

TEST(Ui_DroppedFileTests, ADiaFileIsLoadedOnYesAndEndsTheDrop) {
  struct Case {
    const char* name;
    std::vector<std::string> paths;
    std::vector<Answer> answers;
    std::vector<std::string> asked;
    std::vector<std::string> made;
  };
  const Case cases[] = {
      {"yes opens", {"/d/a.QVW", "/d/b.qvw"}, {Answer::Yes}, {kLoadQuestion}, {"open:/d/a.QVW"}},
      {"no opens nothing and ends", {"/d/a.qvw", "/d/b.qvw"}, {Answer::No}, {kLoadQuestion}, {}},
      {"WinDIA is imported", {"/d/a.dia", "/d/b.qvw"}, {Answer::Yes}, {kLoadQuestion},
       {"import:/d/a.dia"}},
      {"refused then go on", {"/d/notes.txt", "/d/a.qvw"}, {Answer::Yes, Answer::Yes},
       {kRefusedGoOn, kLoadQuestion}, {"open:/d/a.qvw"}},
      {"refused then stop", {"/d/notes.txt", "/d/a.qvw"}, {Answer::No}, {kRefusedGoOn}, {}},
      {"the last refused file only says so", {"/d/notes.txt"}, {}, {kRefused}, {}},
      {"two refused files", {"/d/a.txt", "/d/b.png"}, {Answer::Yes}, {kRefusedGoOn, kRefused}, {}},
      {"nothing dropped", {}, {}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedPrompt prompt;
    for (Answer a : c.answers) prompt.script({a});
    Calls calls;
    datafiles::accept_dropped_files(c.paths, "/no/such/folder", prompt, calls.handlers());
    EXPECT_EQ(texts_of(prompt), c.asked);
    EXPECT_EQ(calls.made, c.made);
    EXPECT_TRUE(prompt.script_used_up());
    for (const auto& q : prompt.asked())
      EXPECT_EQ(q.buttons, q.text == kRefused ? Buttons::Ok : Buttons::YesNo);
  }
}

// --- the main window ------------------------------------------------------------

QMimeData* files_mime(const std::vector<std::filesystem::path>& paths) {
  auto* mime = new QMimeData;
  QList<QUrl> urls;
  for (const auto& p : paths) urls << QUrl::fromLocalFile(QString::fromStdString(p.string()));
  mime->setUrls(urls);
  return mime;
}

// Drags `mime` over the window and drops it there; true when the window took
// the drag. The drop is handled once the event loop runs again.
bool drag_and_drop(QWidget& window, const QMimeData& mime) {
  const QPoint at(20, 20);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  enter.ignore();
  QCoreApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  drop.ignore();
  QCoreApplication::sendEvent(&window, &drop);
  EXPECT_TRUE(drop.isAccepted());
  QCoreApplication::processEvents();
  return true;
}

TEST(Ui_DroppedFileTests, DroppedSampleOpensInTheWindow) {
  TempDir home;
  const std::filesystem::path file = testing::copy_sample(home, "drop/line.qvw");
  Editor editor(home, Layer::DataSet);
  editor.window().first_tick();
  editor.prompt.script({Answer::Yes});
  std::unique_ptr<QMimeData> mime(files_mime({file}));
  ASSERT_TRUE(drag_and_drop(editor.window(), *mime));

  ASSERT_EQ(editor.prompt.count(), 1u);
  EXPECT_EQ(editor.prompt.last().caption, kDropCaption);
  EXPECT_EQ(editor.prompt.last().text, kLoadQuestion);
  EXPECT_TRUE(editor.data_set().state().data_loaded);
  EXPECT_EQ(editor.data_set().state().dia_path, file);
  EXPECT_TRUE(editor.window().windowTitle().endsWith(QStringLiteral("＞  line")));
  EXPECT_TRUE(editor.files.opened.empty());  // no dialog on the way
  EXPECT_EQ(editor.state().busy.state(), shell::BusyState::Free);
  EXPECT_TRUE(editor.state().ready);
}

TEST(Ui_DroppedFileTests, ADropOverUnsavedWorkAsksTheSaveQuestionFirst) {
  TempDir home;
  const std::filesystem::path first = testing::copy_sample(home, "qvw_data/first.qvw");
  const std::filesystem::path second = testing::copy_sample(home, "drop/second.qvw");
  Editor editor(home, Layer::DataSet, {first.string()});
  editor.window().first_tick();
  ASSERT_TRUE(editor.data_set().state().data_loaded);
  dia::SpeedType added;
  added.max_speed = 80;
  ASSERT_TRUE(editor.data_set().apply([&](datafiles::DataSet& ds) {
    return dia::add_speed_type(ds.classification.speed_types, added);
  }));
  std::vector<shell::BusyState> busy;
  editor.prompt.on_ask = [&] { busy.push_back(editor.state().busy.state()); };
  std::unique_ptr<QMimeData> mime(files_mime({second}));

  // Cancel at the save question: the edited data set stays.
  editor.prompt.script({Answer::Yes, Answer::Cancel});
  ASSERT_TRUE(drag_and_drop(editor.window(), *mime));
  ASSERT_EQ(editor.prompt.count(), 2u);
  EXPECT_EQ(editor.prompt.asked()[1].caption, "読み込み確認");
  EXPECT_EQ(editor.prompt.asked()[1].text,
            "ダイヤデータを開きます。\n現在のダイヤは変更されています。\n現在のデータを保存しますか？");
  EXPECT_EQ(editor.prompt.asked()[1].buttons, Buttons::YesNoCancel);
  EXPECT_EQ(editor.data_set().state().dia_path, first);
  EXPECT_TRUE(editor.data_set().state().edited);
  // Every box was up while the main window held the lock.
  EXPECT_EQ(busy, std::vector<shell::BusyState>(2, shell::BusyState::MainWindow));
  EXPECT_EQ(editor.state().busy.state(), shell::BusyState::Free);

  // No at the save question: the dropped file replaces the work unsaved.
  editor.prompt.script({Answer::Yes, Answer::No});
  ASSERT_TRUE(drag_and_drop(editor.window(), *mime));
  EXPECT_EQ(editor.prompt.count(), 4u);
  EXPECT_EQ(editor.data_set().state().dia_path, second);
  EXPECT_FALSE(editor.data_set().state().edited);
  EXPECT_TRUE(editor.window().windowTitle().endsWith(QStringLiteral("＞  second")));
  EXPECT_TRUE(editor.files.saved.empty());
}

TEST(Ui_DroppedFileTests, FilesDroppedOnTheMessageWindowAreTakenToo) {
  TempDir home;
  const std::filesystem::path file = testing::copy_sample(home, "drop/line.qvw");
  Editor editor(home, Layer::DataSet);
  editor.window().first_tick();
  MessageWindow* messages = editor.window().message_window();
  ASSERT_NE(messages, nullptr);
  EXPECT_TRUE(messages->acceptDrops());
  QMimeData text;
  text.setText(QStringLiteral("/tmp/line.qvw"));
  EXPECT_FALSE(drag_and_drop(*messages, text));

  editor.prompt.script({Answer::Yes});
  std::unique_ptr<QMimeData> mime(files_mime({file}));
  ASSERT_TRUE(drag_and_drop(*messages, *mime));
  ASSERT_EQ(editor.prompt.count(), 1u);
  EXPECT_EQ(editor.prompt.last().text, kLoadQuestion);
  EXPECT_EQ(editor.data_set().state().dia_path, file);
}

TEST(Ui_DroppedFileTests, DragsWithoutLocalFilesAreNotTaken) {
  TempDir home;
  Editor editor(home, Layer::DataSet);
  EXPECT_TRUE(editor.window().acceptDrops());
  QMimeData text;
  text.setText(QStringLiteral("/tmp/line.qvw"));
  EXPECT_FALSE(drag_and_drop(editor.window(), text));
  QMimeData remote;
  remote.setUrls({QUrl(QStringLiteral("https://example.invalid/line.qvw"))});
  EXPECT_FALSE(drag_and_drop(editor.window(), remote));
  EXPECT_EQ(editor.prompt.count(), 0u);
}

TEST(Ui_DroppedFileTests, DropsWaitForTheBusyLock) {
  TempDir home;
  const std::filesystem::path file = testing::copy_sample(home, "drop/line.qvw");
  Editor editor(home, Layer::DataSet);
  editor.state().busy.lock(shell::BusyState::TrainGraphWindow);
  std::unique_ptr<QMimeData> mime(files_mime({file}));
  ASSERT_TRUE(drag_and_drop(editor.window(), *mime));
  ASSERT_EQ(editor.prompt.count(), 1u);
  EXPECT_EQ(editor.prompt.last().caption, "操作エラー");
  EXPECT_FALSE(editor.data_set().state().data_loaded);
  editor.state().busy.unlock();
}

TEST(Ui_DroppedFileTests, DroppedSampleWithoutDriversIsReportedNotLost) {
  TempDir home;
  const std::filesystem::path file = testing::copy_sample(home, "drop/line.qvw");
  Editor editor(home, Layer::None);
  editor.prompt.script({Answer::Yes});
  std::unique_ptr<QMimeData> mime(files_mime({file}));
  ASSERT_TRUE(drag_and_drop(editor.window(), *mime));
  EXPECT_EQ(editor.prompt.count(), 1u);
  EXPECT_NE(sjis::to_utf8_lossy(editor.state().messages.line_back(0)).find(file.string()),
            std::string::npos);
  EXPECT_EQ(editor.window().windowTitle(), QStringLiteral("VOSK"));
}

TEST(Ui_DroppedFileTests, ADroppedImportListCopiesIntoTheProgramFolder) {
  TempDir home;
  TempDir source;
  source.write("sound/station/bell.wav", "RIFF");
  const std::filesystem::path list =
      source.write("pack.qvi", sj("[ファイルリスト]\r\n00=sound\\station\\bell.wav\r\n"));
  Editor editor(home, Layer::DataSet);
  editor.window().first_tick();
  editor.prompt.script({Answer::Yes, Answer::Ok});
  std::unique_ptr<QMimeData> mime(files_mime({list}));
  ASSERT_TRUE(drag_and_drop(editor.window(), *mime));

  ASSERT_EQ(editor.prompt.count(), 2u);
  EXPECT_EQ(editor.prompt.asked()[0].text, "データ自動インポートを行います。よろしいですか？");
  EXPECT_EQ(editor.prompt.asked()[1].caption, "インポート終了");
  const std::filesystem::path copied =
      std::filesystem::path(editor.state().start.files.folder) / "sound/station/bell.wav";
  EXPECT_TRUE(std::filesystem::exists(copied)) << copied;
  EXPECT_EQ(editor.state().busy.state(), shell::BusyState::Free);
}

}  // namespace
}  // namespace vosk::ui
