#include "shell/folders.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/temp_dir.h"

namespace vosk::shell {
namespace {

struct Recorder {
  std::vector<std::string> created;
  FolderCreator creator() {
    return [this](const std::string& f) { created.push_back(f); };
  }
};

// A settings file as a user who moved nothing has it: every folder set,
// export and table folders chosen by the user.
const char* kSettled =
    "[Path]\n"
    "CurrentPath=/opt/vosk\n"
    "SystemMap=/opt/vosk/system_map/\n"
    "DataQvb=/opt/vosk/dia_data/\n"
    "DataQvm=/opt/vosk/map_data/\n"
    "DataQvw=/opt/vosk/qvw_data/\n"
    "DataSeries=/opt/vosk/series_data/\n"
    "DataLog=/opt/vosk/log_data/\n"
    "SystemTemp=/opt/vosk/temp/\n"
    "SoundWarning=/opt/vosk/sound/warning/\n"
    "ExportHtml=/home/u/html\n"
    "ExportWdia=/home/u/wdia\n"
    "Table=/home/u/tables\n"
    "Acceleration=/home/u/acc\n"
    "CurveLimit=/home/u/curve\n"
    "LoadWdia=/home/u/imports\n";

TEST(Shell_FoldersTests, FreshFileGetsEveryDefaultAndTheCreatableFolders) {
  ini::Document doc;
  Recorder rec;
  EXPECT_TRUE(reset_folders(doc, "/p", rec.creator()));
  EXPECT_EQ(doc.text(),
            "[Path]\n"
            "CurrentPath=/p\n"
            "SystemMap=/p/system_map/\n"
            "DataQvb=/p/dia_data/\n"
            "DataQvm=/p/map_data/\n"
            "DataQvw=/p/qvw_data/\n"
            "DataSeries=/p/series_data/\n"
            "DataLog=/p/log_data/\n"
            "SystemTemp=/p/temp/\n"
            "SoundWarning=/p/sound/warning/\n"
            "ExportHtml=/p/export_html\n"
            "ExportWdia=/p/export_dia\n"
            "Table=/p/table\n"
            "Acceleration=/p/table/acceleration\n"
            "CurveLimit=/p/table/curve_limit\n");
  // system_map and series_data are never created.
  EXPECT_EQ(rec.created, (std::vector<std::string>{
                             "/p/dia_data/", "/p/map_data/", "/p/qvw_data/", "/p/log_data/",
                             "/p/temp/", "/p/sound/warning/", "/p/export_html", "/p/export_dia",
                             "/p/table", "/p/table/acceleration", "/p/table/curve_limit"}));
}

TEST(Shell_FoldersTests, SettledFileIsLeftAlone) {
  auto doc = ini::Document::parse(kSettled);
  Recorder rec;
  EXPECT_FALSE(reset_folders(doc, "/opt/vosk", rec.creator()));
  EXPECT_EQ(doc.text(), kSettled);
  EXPECT_TRUE(rec.created.empty());
  FolderTable t = read_folder_table(doc);
  EXPECT_EQ(t.export_html, "/home/u/html");
  EXPECT_EQ(t.acceleration, "/home/u/acc");
  EXPECT_EQ(t.load_wdia, "/home/u/imports");
  EXPECT_EQ(t.system_temp, "/opt/vosk/temp/");
}

TEST(Shell_FoldersTests, MovingTheProgramResetsEveryFolderIncludingUserChoices) {
  auto doc = ini::Document::parse(kSettled);
  Recorder rec;
  EXPECT_TRUE(reset_folders(doc, "/new/place", rec.creator()));
  FolderTable t = read_folder_table(doc);
  EXPECT_EQ(doc.find("Path", "CurrentPath"), "/new/place");
  EXPECT_EQ(t.system_map, "/new/place/system_map/");
  EXPECT_EQ(t.data_series, "/new/place/series_data/");
  EXPECT_EQ(t.sound_warning, "/new/place/sound/warning/");
  EXPECT_EQ(t.export_html, "/new/place/export_html");
  EXPECT_EQ(t.export_wdia, "/new/place/export_dia");
  EXPECT_EQ(t.table, "/new/place/table");
  EXPECT_EQ(t.acceleration, "/new/place/table/acceleration");
  EXPECT_EQ(t.curve_limit, "/new/place/table/curve_limit");
  // The import dialog's last folder is not part of the reset.
  EXPECT_EQ(t.load_wdia, "/home/u/imports");
  EXPECT_EQ(rec.created.size(), 11u);
}

TEST(Shell_FoldersTests, CurrentPathComparesByteForByte) {
  // Case and a trailing slash both count as a move.
  for (const char* stored : {"/OPT/vosk", "/opt/vosk/", ""}) {
    auto doc = ini::Document::parse(kSettled);
    doc.set_string("Path", "CurrentPath", stored);
    Recorder rec;
    EXPECT_TRUE(reset_folders(doc, "/opt/vosk", rec.creator())) << stored;
    EXPECT_EQ(read_folder_table(doc).export_html, "/opt/vosk/export_html") << stored;
  }
}

TEST(Shell_FoldersTests, EmptyUserFolderIsResetAloneWhileTheProgramStays) {
  auto doc = ini::Document::parse(kSettled);
  doc.set_string("Path", "ExportHtml", "");
  Recorder rec;
  EXPECT_TRUE(reset_folders(doc, "/opt/vosk", rec.creator()));
  FolderTable t = read_folder_table(doc);
  EXPECT_EQ(t.export_html, "/opt/vosk/export_html");
  EXPECT_EQ(t.export_wdia, "/home/u/wdia");
  EXPECT_EQ(t.table, "/home/u/tables");
  EXPECT_EQ(t.data_qvb, "/opt/vosk/dia_data/");
  EXPECT_EQ(rec.created, (std::vector<std::string>{"/opt/vosk/export_html"}));
}

TEST(Shell_FoldersTests, TableFoldersFollowTheResultingTableValue) {
  // Table kept: empty Acceleration goes below the user's table folder.
  auto kept = ini::Document::parse(kSettled);
  kept.set_string("Path", "Acceleration", "");
  Recorder rec1;
  reset_folders(kept, "/opt/vosk", rec1.creator());
  EXPECT_EQ(read_folder_table(kept).acceleration, "/home/u/tables/acceleration");
  EXPECT_EQ(read_folder_table(kept).curve_limit, "/home/u/curve");

  // Table reset: both go below the new default table folder.
  auto reset = ini::Document::parse(kSettled);
  reset.set_string("Path", "Table", "");
  reset.set_string("Path", "CurveLimit", "");
  Recorder rec2;
  reset_folders(reset, "/opt/vosk", rec2.creator());
  FolderTable t = read_folder_table(reset);
  EXPECT_EQ(t.table, "/opt/vosk/table");
  EXPECT_EQ(t.acceleration, "/home/u/acc");  // not empty: kept
  EXPECT_EQ(t.curve_limit, "/opt/vosk/table/curve_limit");
  EXPECT_EQ(rec2.created,
            (std::vector<std::string>{"/opt/vosk/table", "/opt/vosk/table/curve_limit"}));
}

TEST(Shell_FoldersTests, MissingCurrentPathCountsAsMoved) {
  auto doc = ini::Document::parse("[Path]\nExportHtml=/keep/me\n[Other]\nx=1\n");
  Recorder rec;
  EXPECT_TRUE(reset_folders(doc, "/p", rec.creator()));
  EXPECT_EQ(read_folder_table(doc).export_html, "/p/export_html");
  EXPECT_EQ(doc.find("Other", "x"), "1");
}

TEST(Shell_FoldersTests, LongFolderIsKeptWhole) {
  // A folder longer than a 255-byte buffer still matches and reads whole,
  // so a deep program folder does not reset the user's folders each start.
  std::string home = "/" + std::string(300, 'd');
  ini::Document doc;
  Recorder first;
  reset_folders(doc, home, first.creator());
  doc.set_string("Path", "ExportHtml", "/mine");
  Recorder second;
  EXPECT_FALSE(reset_folders(doc, home, second.creator()));
  EXPECT_EQ(read_folder_table(doc).system_temp, home + "/temp/");
  EXPECT_EQ(read_folder_table(doc).export_html, "/mine");
}

TEST(Shell_FoldersTests, CreateFolderMakesParentsAndIgnoresFailure) {
  testing::TempDir dir;
  create_folder(dir.path().string() + "/sound/warning/");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "sound/warning"));
  create_folder("/proc/cannot/create/here");  // must not throw
}

}  // namespace
}  // namespace vosk::shell
